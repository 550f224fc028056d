// The refusal walk: every refusal the screens know, each reached from the state that leads to it and
// triggered as the cashier (keys, clicks) or the host (public calls) would. Each row checks that exactly the
// expected text was shown by the message box or asked by the question box (answered "no", or "yes" when a
// message follows it), under the notice title; that the screen emitted no signal; and that what it shows
// (tables, boxes, keys, pages, docks, its public state) is as it was, save a box emptied on purpose.
//
// Covered:
//  sales screen  2347 before a sale (shortcut key, grid key, clerk key, typed digit with clerks, member key,
//                which confirms the entry line first and so starts the sale); quantity key 1903, 1904, 2372,
//                604; pay key 1904; preset keyboard 2366; preset group without products 1970; desktop key while
//                editing keys 5970; clerk key 1972; order bill key 2383; line discount 2342 (empty, zero),
//                1500, 2343, 1904; tare 1724; preset tare 1723; online orders 1144, 1145, 1149, 1163, 1139,
//                1140 and the declined questions 1146, 1147, 1161, 1162, 1141.
//  coupons       2279 (confirm, submit), 2284, 2278 (search, another row), 2280, 2267 (host's coupon, channel
//                key), 2268, 1411, 2276, package contents 9105, 2269, 2281, 2282; declined 2283, 5055.
//  deposit list  1901, 2300 (OK, quantity, clear row, import), 1903, 604, 1904, 1909, 2302, 1905, 2303, 2305,
//                2304, 2301; declined 1908, 1910.
//  pick-up       2311, 2312; its quantity pad 2297, 2295, 2296.
//  options       food options 2356 <group> 2357; customer form 2289, 2290 <id> 2291, 2292.

#include "TestRecords.h"
#include "TestAccess.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/CustomerInfoWidget.h"
#include "options/SelectSpuWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

using namespace KxPosTest;

namespace {

// The names of the signals an object emits, in order.
class SignalLog : public QObject
{
    Q_OBJECT

public:
    explicit SignalLog(QObject* source)
    {
        const QMetaObject* type = source->metaObject();
        for (int i = QObject::staticMetaObject.methodCount(); i < type->methodCount(); ++i)
            if (type->method(i).methodType() == QMetaMethod::Signal) // connected by signature: every signal
                connect(source, type->method(i), this, metaObject()->method(metaObject()->indexOfSlot("record()")));
    }
    QStringList names;

private slots:
    void record() { names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name()); }
};

// The screen under test, typed.
struct Rig {
    std::unique_ptr<QWidget> owner;
    TradeWidget* trade = nullptr;
    CouponUsageWidget* coupon = nullptr;
    DepositPluWidget* deposit = nullptr;
    std::function<void(const std::function<void()>&)> modal; // runs the check inside a modal dialog

    template<class T>
    T* take(std::unique_ptr<T> screen) { T* typed = screen.get(); owner = std::move(screen); return typed; }
    template<class T>
    T* make() { T* screen = take(std::make_unique<T>(1, nullptr)); return screen->show(), screen; }
};

using Step = std::function<void(Rig&)>;

struct Refusal {
    QString name;
    Step arrange;         // brings the screen into the state that leads to the refusal
    Step act;             // the cashier's or host's step that is refused
    QString message;      // text of the message box; empty: none
    QString question = {}; // text of the question box; empty: none
    QString cleared = {};  // object name of a box the refusal empties on purpose
    QString signal = {};   // a signal the refused step emits on purpose
};

// --- What a screen shows -----------------------------------------------------------------------------------

using Snapshot = QMap<QString, QString>;

const QString NoState(QChar(0));

// The state of one widget as text; NoState for widgets that hold none.
QString widgetText(QWidget* w, QWidget* root)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return QString::number(button->isChecked());
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* stack = qobject_cast<QStackedWidget*>(w)) return QString::number(stack->currentIndex());
    if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
    if (qobject_cast<QDockWidget*>(w)) return QString::number(w->isVisibleTo(root));
    auto* view = qobject_cast<QAbstractItemView*>(w);
    QAbstractItemModel* m = view ? view->model() : nullptr;
    if (!m)
        return NoState;
    QString text = QStringLiteral("@%1,%2").arg(view->currentIndex().row()).arg(view->currentIndex().column());
    for (int r = 0; r < m->rowCount(view->rootIndex()); ++r)
        for (int c = 0; c < m->columnCount(view->rootIndex()); ++c)
            text += QLatin1Char('|') + m->index(r, c, view->rootIndex()).data().toString() + QLatin1Char('/') +
                    m->index(r, c, view->rootIndex()).data(Qt::CheckStateRole).toString();
    return text;
}

Snapshot snapshot(const Rig& rig)
{
    QWidget* root = rig.owner.get();
    Snapshot shot{{QStringLiteral("visible"), QString::number(root->isVisible())}};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QString value = widgetText(w, root);
        QString key = QLatin1String(w->metaObject()->className()) + QLatin1Char(':') + w->objectName();
        bool inBox = false;
        for (QObject* p = w->parent(); p && p != root; p = p->parent()) {
            inBox = inBox || qobject_cast<MessageWidget*>(p) || qobject_cast<QuestionMessage*>(p);
            key.prepend(p->objectName() + QLatin1Char('/'));
        }
        if (inBox || value == NoState)
            continue;
        while (shot.contains(key))
            key += QLatin1Char('+');
        shot.insert(key, value);
    }
    // The public state the host reads.
    if (rig.trade)
        shot[QStringLiteral("tradeActive")] = QString::number(rig.trade->IsTradeActive());
    if (CouponUsageWidget* s = rig.coupon) {
        for (const CouponWidgetInfo& c : s->GetCouponWidgetData()) {
            QString& v = shot[QStringLiteral("coupon ") + c.couponId];
            v = QStringLiteral("%1 %2 %3%4%5 ").arg(c.status).arg(c.useCount).arg(c.checked).arg(c.confirmed).arg(c.added);
            for (const auto& p : c.pluInfoList)
                v += QString::number(p.selected);
        }
        for (auto it = KxPosTestAccess::PluMap(*s).cbegin(); it != KxPosTestAccess::PluMap(*s).cend(); ++it)
            for (const KxPosPluDetail& p : it.value())
                shot[QStringLiteral("products ") + it.key()] += QStringLiteral("%1x%2 ").arg(p.pluCode).arg(p.saleQty);
        shot[QStringLiteral("coupon page")] =
            QStringLiteral("%1 %2 %3").arg(KxPosTestAccess::CurrentPage(*s)).arg(KxPosTestAccess::PackPluRow(*s)).arg(KxPosTestAccess::ChannelCode(*s));
    }
    if (DepositPluWidget* s = rig.deposit)
        shot[QStringLiteral("deposit")] = QStringLiteral("%1 %2 %3 %4").arg(KxPosTestAccess::PluList(*s).size()).arg(s->nextQuantity)
                                              .arg(s->Member().vipId, s->Employee().employeeCode);
    auto* spu = qobject_cast<SelectSpuWidget*>(root);
    for (const KxPosPluTaste& taste : spu ? spu->Tastes() : QList<KxPosPluTaste>())
        shot[QStringLiteral("tastes")] += QString::number(taste.isSelected);
    return shot;
}

// --- Set-ups ---------------------------------------------------------------------------------------------

void press(QWidget* screen, const char* name) { QTest::mouseClick(child<QAbstractButton>(screen, name), Qt::LeftButton); }

// The refused step: a click on the screen's named button.
Step click(const char* name) { return [name](Rig& r) { press(r.owner.get(), name); }; }

// The host's discount of sale line `line`; a tap on `area` of the first coupon row.
Step favor(const char* line) { return [line](Rig& r) { r.trade->InputSingleFavor(line, false); }; }
Step tapArea(CouponItemDelegate::ItemArea area) { return [area](Rig& r) { tapCouponArea(r.coupon, 0, area); }; }
// A tap on a cell of the named view, `across` of the way into its width.
Step tap(const char* view, int row, int column, double across = 0.5)
{
    return [=](Rig& r) { tapCell(child<QAbstractItemView>(r.owner.get(), view), row, column, across); };
}

TradeWidget* sales(Rig& r, int functions = 0) { return r.trade = r.take(functionKeyScreen(functions)); }
void plainSales(Rig& r) { sales(r); }
void idle(Rig& r, int functions) { sales(r, functions)->SetTradeActive(false); }

// A quantity typed and set by the quantity key: the last line is its placeholder.
void quantitySet(Rig& r) { QTest::keyClick(sales(r), Qt::Key_2); press(r.trade, "btnUpdNum"); }

// One sale line of `quantity`, and `typed` in the code box.
void saleLine(Rig& r, double quantity, const QString& typed)
{
    bindTradeLines(sales(r), {tradeLine(1, QStringLiteral("6901234567892"), quantity)});
    QTest::keyClicks(r.trade, typed);
}

// A line of an online order of 香蕉 at 6.00, sold by weight when `weighed`, weighed when given its `weight`.
PluDetail orderLine(double ordered, double picked, bool weighed = false, double weight = 0)
{
    return PluDetail{weight > 0 ? QStringLiteral("1") : QString(), 0, QStringLiteral("香蕉"), ordered, weight, picked, 0,
                     QString::number(weighed), {}, 6.0, 0, 0, {}, 0, {}};
}

// The order panel on order "A" in `operState`; the host answers the choice of the order with `lines`.
Step orderPanel(const QString& operState, const QList<PluDetail>& lines)
{
    return [=](Rig& r) {
        TradeWidget* t = sales(r);
        QObject::connect(t, &TradeWidget::SignalShowOrderDetail, t,
                         [t](OrderDetail order, int, bool, int row) { t->showPluDetail(order, order, row); });
        OrderDetail order;
        order.orderId = QStringLiteral("A");
        order.operState = operState;
        order.orderStatus = QStringLiteral("1");
        order.deliveryType = QStringLiteral("22");
        order.deliveryDetail = QStringLiteral("人民路1号");
        order.lines = lines;
        t->ShowOrderWidget({order}, 1);
    };
}

QModelIndex picked(Rig& r, int column) { return child<QTableView>(r.trade, "tbvDown")->model()->index(0, column); }

// An exchange coupon of `selectCount` of the weighed products 1001 and 1002, 1.5 kg at most.
CouponWidgetInfo exchangeCoupon(const QString& id, int selectCount = 1)
{
    CouponWidgetInfo c = channelCoupon(id, QStringLiteral("jh"));
    c.selectCount = selectCount;
    for (const char* code : {"1001", "1002"})
        c.pluInfoList << CouponWidgetInfo::CouponPluInfo{{}, code, {}, {}, QStringLiteral("1"), 0, 0, 1.5, 0, false};
    return c;
}

KxPosPluDetail product(const QString& couponCode, bool weighed, bool package = false)
{
    KxPosPluDetail p;
    p.pluCode = QStringLiteral("1001");
    p.salePrice = 12.8;
    p.saleQty = 1.0;
    p.weighFlag = weighed ? QStringLiteral("1") : QStringLiteral("0");
    p.couponCode = couponCode;
    for (int i = 0; package && i < 2; ++i) {
        KxPosPluComDtDetail item;
        item.groupId = item.groupName = QStringLiteral("主食");
        item.groupPickCount = 1;
        item.pluCode = QStringLiteral("P-%1").arg(i);
        p.packItems << item;
    }
    return p;
}

// An exchange coupon "E1", its products chosen from (page 0), or delivered (page 1) or waiting for their
// package contents (page 2).
Step exchange(int page, const QString& typed = {})
{
    return [=](Rig& r) {
        r.coupon = r.take(couponScreen(false));
        r.coupon->AddCouponInfo(exchangeCoupon(QStringLiteral("E1"), page == 2 ? 0 : 1), true);
        if (page > 0)
            r.coupon->AddPluList(QStringLiteral("code-E1"), {product(QStringLiteral("code-E1"), page == 1, page == 2)}, page == 2);
        QTest::keyClicks(child<QLineEdit>(r.coupon, "txtCouponCode"), typed);
    };
}

// A deduction coupon "A" of 美团 (channels 美团 and 抖音) with `children` further coupons.
Step deduction(int children = 0, CouponWidgetInfo::CouponStatus status = CouponWidgetInfo::StatusUnused)
{
    return [=](Rig& r) {
        r.coupon = r.take(couponScreen(true, QStringLiteral(R"([{"ChannelName":"美团","ChannelCode":"MT"},)"
                                                           R"({"ChannelName":"抖音","ChannelCode":"DY"}])")));
        CouponWidgetInfo c = channelCoupon(QStringLiteral("A"), QStringLiteral("MT"), children);
        c.status = status;
        r.coupon->AddCouponInfo(c, true);
    };
}

// The deposit list with a member, a clerk and `lines` goods, then `typed` in the code box.
Step deposit(bool member = true, bool clerk = true, int lines = 1, const QString& typed = {}, bool wholeSale = false)
{
    return [=](Rig& r) {
        DepositPluWidget* s = r.deposit = r.make<DepositPluWidget>();
        s->initValue();
        if (member) s->setVIP(sampleMember());
        if (clerk) s->setEmployee(KxPosEmployeeDetail{QStringLiteral("E01"), QStringLiteral("李娜"), true});
        s->refresh();
        for (int i = 0; i < lines; ++i)
            s->AddPlu(product(QString(), false));
        if (wholeSale) s->setSaleNo(QStringLiteral("S001"), QStringLiteral("0001"));
        QTest::keyClicks(s->getUiQLineEdit(0), typed);
    };
}

Step pickUp(double takeQty, bool tick)
{
    return [=](Rig& r) {
        auto* s = r.make<GetDepositWidget>();
        s->initValue(sampleMember(), {{QStringLiteral("JC001"), {{QStringLiteral("1001"), {}, {}, {}, 3.0, takeQty}}}});
        if (tick) press(s, "btnCheck");
    };
}

Step quantityPad(const QString& keys)
{
    return [=](Rig& r) {
        auto* pad = r.make<DepositPluNumbInputWidget>();
        pad->initValue(6, 2);
        press(pad, "btnClear");
        for (const QChar key : keys)
            pad->SlotKeyPressed(key);
    };
}

Step customerForm(const QString& preset, const QString& typed)
{
    return [=](Rig& r) {
        auto* form = r.make<CustomerInfoWidget>();
        if (!preset.isEmpty()) form->InitView(preset);
        QTest::keyClick(form, Qt::Key_F5); // to the ID box
        form->getUiQLineEdit(0)->selectAll();
        form->SlotCustomerInfoWidgetPress(typed);
    };
}

// The food options of a product whose taste group 辣度 is required; the check runs while the dialog is open.
void foodOptions(Rig& r)
{
    SelectSpuWidget* dialog = r.take(std::make_unique<SelectSpuWidget>(1, nullptr));
    KxPosPluSpu options;
    options.specs << KxPosPluSpec{QStringLiteral("标准"), QStringLiteral("R"), false};
    for (const QString& name : {QStringLiteral("微辣"), QStringLiteral("中辣")})
        options.tastes << KxPosPluTaste{name, QStringLiteral("T1"), QStringLiteral("辣度"), false, true, false};
    r.modal = [dialog, options](const std::function<void()>& check) {
        QTimer::singleShot(0, dialog, [dialog, check] {
            check();
            dialog->done(0);
        });
        dialog->ShowPluSpuInfo(options);
    };
}

const QList<Refusal>& refusals()
{
    using Area = CouponItemDelegate::ItemArea;
    const auto t = [](int id) { return translated(id); };
    static const QList<Refusal> table{
        // --- Sales screen ---
        {"shortcut key before a sale", [](Rig& r) { idle(r, 12); },
         [](Rig& r) { QTest::mouseClick(shortcutKey(r.trade, 1), Qt::LeftButton); }, t(2347)},
        {"grid key before a sale", [](Rig& r) { idle(r, 12); openFunctionGrid(r.trade); },
         [](Rig& r) { QTest::mouseClick(r.trade->findChild<QPushButton*>("funcButton"), Qt::LeftButton); }, t(2347)},
        {"clerk key before a sale", [](Rig& r) { idle(r, 0); }, click("btnphone"), t(2347)},
        {"digit before a sale, with clerks", [](Rig& r) { KxPosConfig::SetValue("TRADE_IsUseEmployee", "1"); idle(r, 0); },
         [](Rig& r) { QTest::keyClick(r.trade, Qt::Key_5); }, t(2347)},
        {"member key before a sale", [](Rig& r) { idle(r, 0); }, click("btncard"), t(2347), {}, {}, "SignTrdStartTrade"},
        {"quantity key on an empty box", plainSales, click("btnUpdNum"), t(1903)},
        {"quantity key on 0.00", [](Rig& r) { QTest::keyClicks(sales(r), "0.00"); }, click("btnUpdNum"), t(1903)},
        {"quantity key twice", [](Rig& r) { quantitySet(r); QTest::keyClick(r.trade, Qt::Key_3); }, click("btnUpdNum"), t(1904)},
        {"quantity key while changing a sale",
         [](Rig& r) { sales(r)->setIsCZFunction(true); QTest::keyClick(r.trade, Qt::Key_2); }, click("btnUpdNum"), t(2372)},
        {"quantity above 999999", [](Rig& r) { QTest::keyClicks(sales(r), "1000000"); }, click("btnUpdNum"), t(604), {},
         "txtcode"},
        {"pay key on a quantity placeholder", quantitySet, click("toolButtonpayfirst"), t(1904)},
        {"preset keyboard without preset keys", plainSales, click("btnKey"), t(2366)},
        {"preset group without products", plainSales, [](Rig& r) { r.trade->showFastPluKey(nullptr, false); }, t(1970)},
        {"desktop key while editing keys", [](Rig& r) { sales(r, 12); openFunctionGrid(r.trade); press(r.trade, "btnEditFun"); },
         click("btnDeskTop"), t(5970)},
        {"clerk key without clerks", plainSales, click("btnphone"), t(1972)},
        {"order bill key without order mode", plainSales, click("btnBillOrder"), t(2383)},
        {"discount of nothing", [](Rig& r) { saleLine(r, 1, {}); }, favor("1"), t(2342)},
        {"discount of 0", [](Rig& r) { saleLine(r, 1, "0"); }, favor("1"), t(2342)},
        {"discount that rounds to 0", [](Rig& r) { saleLine(r, 1, "0.004"); }, favor("1"), t(2342)},
        {"discount not a number", [](Rig& r) { saleLine(r, 1, "1.2.3"); }, favor("1"), t(1500)},
        {"discount above 100 %",
         [](Rig& r) { saleLine(r, 1, "10"); r.trade->InputSingleFavor("1", false); QTest::keyClicks(r.trade, "150"); },
         favor("1"), t(2343)},
        {"discount of a line without quantity", [](Rig& r) { saleLine(r, 0, "10"); }, favor("0"), t(1904)},
        {"tare without weight", plainSales, click("btnCutTare"), t(1724)},
        {"preset tare of 0",
         [](Rig& r) { KxPosConfig::SetValue("TRADE_TareOptions", R"([{"weight":"0"},{"weight":"0.2"}])"); sales(r); },
         [](Rig& r) { QTest::mouseClick(r.trade->findChild<QPushButton*>("buttonTare"), Qt::LeftButton); }, t(1723)},
        {"preset tare not a number",
         [](Rig& r) { KxPosConfig::SetValue("TRADE_TareOptions", R"([{"weight":"box"},{"weight":"0.2"}])"); sales(r); },
         [](Rig& r) { QTest::mouseClick(r.trade->findChild<QPushButton*>("buttonTare"), Qt::LeftButton); }, t(1723)},
        {"finish picking unweighed", orderPanel("1", {orderLine(1, 0, true)}), click("btnOper1"), t(1144)},
        {"finish picking overweight",
         [](Rig& r) { KxPosConfig::SetWeightUpper = 15.0; orderPanel("1", {orderLine(1, 1, true, 16)})(r); },
         click("btnOper1"), t(1145)},
        {"finish picking declined", orderPanel("1", {orderLine(2, 2)}), click("btnOper1"), {}, t(1146)},
        {"finish with nothing picked", orderPanel("1", {orderLine(2, 0)}), click("btnOper1"), t(1149), t(1146)},
        {"keep picking declined", orderPanel("1", {orderLine(2, 2)}), click("btnOper2"), {}, t(1162)},
        {"keep a pick without lines", orderPanel("1", {}), click("btnOper2"), t(1163), t(1162)},
        {"refund goods declined", orderPanel("5", {orderLine(2, 2)}), click("btnOper1"), {}, t(1147)},
        {"return declined", orderPanel("5", {orderLine(2, 2)}), click("btnOper2"), {}, t(1161)},
        {"picked quantity below 1", orderPanel("1", {orderLine(2, 1)}),
         [](Rig& r) { r.trade->pluMinusOne(picked(r, 2)); }, t(1139)},
        {"picked quantity above ordered", orderPanel("1", {orderLine(2, 2)}),
         [](Rig& r) { r.trade->pluAddOne(picked(r, 2)); }, t(1140)},
        {"picked line removal declined", orderPanel("1", {orderLine(2, 2), orderLine(1, 1)}),
         [](Rig& r) { r.trade->pluRemove(picked(r, 0)); }, {}, t(1141)},
        // --- Coupons ---
        {"coupon confirm of an empty list", [](Rig& r) { r.coupon = r.take(couponScreen(true)); }, click("btnConfirm"),
         t(2279)},
        {"coupon submit with nothing ticked", [](Rig& r) { deduction()(r); tapCouponArea(r.coupon, 0, Area::TickArea); },
         click("btnSubmit"), t(2279)},
        {"coupon submit refused", [](Rig& r) { deduction()(r); r.coupon->Show(true); }, click("btnSubmit"), t(2284)},
        {"coupon search before products", exchange(0, "7788"),
         [](Rig& r) { QTest::keyClick(child<QLineEdit>(r.coupon, "txtCouponCode"), Qt::Key_Return); }, t(2278)},
        {"coupon row change before products", [](Rig& r) {
             r.coupon = r.take(couponScreen(false));
             r.coupon->UpdateCouponInfo({exchangeCoupon("E1"), exchangeCoupon("E2")});
             tap("lvCoupon", 0, 0, 0.3)(r);
         }, tap("lvCoupon", 1, 0, 0.3), t(2278)},
        {"coupon use before weighing", exchange(1), click("btnConfirm"), t(2280).arg("code-E1")},
        {"coupon of another channel", deduction(), [](Rig& r) { r.coupon->AddCouponInfo(channelCoupon("B", "DY"), true); },
         t(2267).arg(QStringLiteral("抖音"))},
        {"channel key of another channel", deduction(),
         [](Rig& r) { QTest::mouseClick(r.coupon->GetChannelButton("DY"), Qt::LeftButton); },
         t(2267).arg(QStringLiteral("美团"))},
        {"coupon listed twice", deduction(), [](Rig& r) { r.coupon->AddCouponInfo(channelCoupon("A"), true); },
         t(2268).arg("A")},
        // The refused product is tapped twice: a tap moves the table's cursor before it is refused.
        {"coupon products above its choice",
         [](Rig& r) { exchange(0)(r); tap("tbvPluSelection", 0, 1)(r); tap("tbvPluSelection", 1, 1)(r); },
         tap("tbvPluSelection", 1, 1), t(1411)},
        {"coupon products none chosen", exchange(0), click("btnPackConfirm"), t(2276)},
        {"package contents none chosen", exchange(2), click("btnPackConfirm"), t(9105)},
        {"coupon product above its weight", exchange(1), [](Rig& r) { r.coupon->UpdatePluWeight(1.51, 19.33, 0); },
         t(2269).arg("1.50")},
        {"used coupon count changed", deduction(2, CouponWidgetInfo::StatusUsed), tapArea(Area::PlusArea), t(2281)},
        {"coupon count above its coupons", deduction(), tapArea(Area::PlusArea), t(2282)},
        {"coupon cancellation declined", deduction(0, CouponWidgetInfo::StatusUsed),
         tapArea(Area::ActionArea), {}, t(2283)},
        {"coupon removal declined", deduction(), tapArea(Area::ActionArea), {}, t(5055)},
        // --- Deposit list ---
        {"deposit OK without code", deposit(), click("btnOK"), t(1901)},
        {"deposit code of a whole sale", deposit(true, true, 1, "1001", true), click("btnOK"), t(2300), {}, "txtcode"},
        {"deposit quantity of a whole sale", deposit(true, true, 1, "2", true), click("btnCount"), t(2300)},
        {"deposit clear row of a whole sale", deposit(true, true, 1, {}, true), click("btnClearRow"), t(2300)},
        {"deposit import of a whole sale", deposit(true, true, 0, {}, true), click("btnImport"), t(2300)},
        {"deposit quantity of nothing", deposit(), click("btnCount"), t(1903)},
        {"deposit quantity above 999999", deposit(true, true, 1, "1000000"), click("btnCount"), t(604), {}, "txtcode"},
        {"deposit quantity twice", [](Rig& r) {
             deposit(true, true, 1, "2")(r);
             press(r.deposit, "btnCount");
             QTest::keyClicks(r.deposit->getUiQLineEdit(0), "3");
         }, click("btnCount"), t(1904)},
        {"deposit clear row declined", deposit(), click("btnClearRow"), {}, t(1908)},
        {"deposit clear row of an empty list", deposit(true, true, 0), click("btnClearRow"), t(1909), t(1908)},
        {"deposit clear list declined", deposit(), click("btnClearAll"), {}, t(1910)},
        {"deposit without member", deposit(false), click("btnDeposit"), t(2302)},
        {"deposit without clerk", deposit(true, false), click("btnDeposit"), t(1905)},
        {"deposit of an empty list", deposit(true, true, 0), click("btnDeposit"), t(2303)},
        {"deposit import onto a list", deposit(), click("btnImport"), t(2305)},
        {"deposit member key with goods from sales",
         [](Rig& r) { KxPosConfig::SetValue("TRADE_IsDepositUseSaleNo", "1"); deposit()(r); }, click("btncard"), t(2304)},
        {"deposit left with goods", deposit(), click("btnReturn"), t(2301)},
        // --- Pick-up and its quantity pad ---
        {"pick-up of a ticked line without quantity", pickUp(0.004, true), click("btnGet"), t(2311)},
        {"pick-up with nothing ticked", pickUp(2, false), click("btnGet"), t(2312)},
        {"pad quantity not a number", quantityPad("."), click("btnOK"), t(2297)},
        {"pad quantity below 0.01", quantityPad("0.004"), click("btnOK"), t(2295)},
        {"pad quantity above the held one", quantityPad("6.02"), click("btnOK"), t(2296)},
        // --- Options ---
        {"food options without the required taste", foodOptions, click("btnOk"), t(2356) + "辣度" + t(2357)},
        {"customer ID of 17 characters", customerForm({}, "11010119900307123"), click("btnFinish"), t(2289)},
        {"customer ID not the preset one", customerForm("110101199003071234", "110101199003071235"),
         click("btnFinish"), t(2290) + "110101199003071234" + t(2291)},
        {"customer without address", customerForm({}, {}), click("btnFinish"), t(2292)},
    };
    return table;
}

} // namespace

class RefusalsTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void refusal_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < refusals().size(); ++i)
            QTest::newRow(qPrintable(refusals().at(i).name)) << i;
    }

    void refusal()
    {
        QFETCH(int, row);
        const Refusal& r = refusals().at(row);
        Rig rig;
        r.arrange(rig);
        QVERIFY(rig.owner);
        const auto check = [&] {
            resetMessageSeams();
            if (!r.question.isEmpty() && !r.message.isEmpty())
                QuestionMessage::QueueAnswers({1});
            Snapshot expected = snapshot(rig);
            SignalLog log(rig.owner.get());
            r.act(rig);
            QCOMPARE(MessageWidget::History(), (r.message.isEmpty() ? Messages() : Messages{{r.message, translated(1969)}}));
            QCOMPARE(QuestionMessage::History(), r.question.isEmpty() ? QStringList() : QStringList{r.question});
            QCOMPARE(log.names, r.signal.isEmpty() ? QStringList() : QStringList{r.signal});
            const Snapshot after = snapshot(rig);
            for (auto it = expected.begin(); it != expected.end(); ++it) {
                if (!r.cleared.isEmpty() && it.key().endsWith(QLatin1Char(':') + r.cleared))
                    it.value().clear();
                QCOMPARE(it.key() + QStringLiteral(" = ") + after.value(it.key()), it.key() + QStringLiteral(" = ") + it.value());
            }
            QCOMPARE(after.keys(), expected.keys());
        };
        rig.modal ? rig.modal(check) : check();
    }
};

QTEST_MAIN(RefusalsTest)
#include "tst_refusals.moc"
