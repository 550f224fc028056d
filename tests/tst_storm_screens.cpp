// Input storms: a seeded random stream of key presses, clicks on the visible buttons and table cells, and host
// calls with hostile data (empty and huge lists, NaN, infinite and negative numbers, very long and non-ASCII
// texts, unknown ids, out-of-range rows, malformed JSON) against every screen, one data row per screen. No crash,
// no warning (the item-model testers report by warning, which the strict handler fails), and each screen's
// invariant holds after every event and host call (a fault that a later call repairs is still seen).
// KXPOS_STORM_EVENTS sets the events per screen (default 1500 to keep the suite quick; the full run uses 100000),
// KXPOS_STORM_SEED the seed (default 12); each row prints both, and a failure names the step, so that
// `KXPOS_STORM_SEED=<seed> KXPOS_STORM_EVENTS=<step + 1> tst_storm_screens 'storm:<row>'` replays it. The buttons
// and views are drawn from in a fixed order (windows in the order they were first shown, widgets in the order of
// their parents' children), not in the order of Qt's window hash, which changes from run to run.

#include "TestRecords.h"
#include "TestAccess.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/DepositWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/CustomerInfoWidget.h"
#include "options/SelectProType.h"
#include "options/SelectSpuWidget.h"
#include "presetkeys/PosFloatForm.h"
#include "presetkeys/SortPluManagement.h"
#include "trade/TradeWidget.h"

#include "contracts/PrePluGroupShowWidget.h"
#include "contracts/TableModel.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <QtWidgets>

#include <climits>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

using namespace KxPosTest;

namespace {

int fromEnvironment(const char* name, int fallback) { const int n = qEnvironmentVariableIntValue(name); return n > 0 ? n : fallback; }

// The windows in the order they were first shown.
class WindowOrder : public QObject
{
public:
    QList<QPointer<QWidget>> windows;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && !windows.contains(w))
                windows << w;
        }
        return false;
    }
};

// One screen under a storm: hostile values drawn from one seeded generator; the screen, how it is shown again
// when an event closed it, what the host calls on it and what holds at the end (a modal dialog runs sessions
// instead: each opens it with the host's data, lets the storm run until the dialog closes and checks the
// result); what it keeps alive until the end, and its tallies.
struct Storm {
    Storm(quint32 seed, ScopedConfigDir& config) : rng(seed), config(config) { qApp->installEventFilter(&windows); }
    ~Storm() { qApp->removeEventFilter(&windows); }
    WindowOrder windows;
    QRandomGenerator rng;
    ScopedConfigDir& config;
    QPointer<QWidget> screen;
    std::function<void()> reshow, invariant;
    QList<std::function<void(Storm&)>> hosts; // the host's calls, one drawn at a time
    std::function<void(Storm&, const std::function<void()>&)> session;
    std::vector<std::unique_ptr<QObject>> keep, testers; // the model testers, declared last, go first
    int n[3] = {0, 0, 0};

    template<class T>
    T* own(T* object) { keep.emplace_back(object); return object; }
    void testModel(QAbstractItemModel* model)
    {
        testers.emplace_back(new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::Warning));
    }
    // Shows the screen by `show` (plain show() when none), which shows it again when an event closed it.
    void shown(QWidget* w, std::function<void()> show = {})
    {
        screen = own(w);
        reshow = show ? show : [w] { w->show(); };
        reshow();
    }

    int below(int k) { return k > 0 ? int(rng.bounded(quint32(k))) : 0; }
    bool coin() { return below(2) == 0; }
    int anyInt() { return coin() ? QList<int>{0, -1, 100000, INT_MAX, INT_MIN}.at(below(5)) : below(40) - 5; }
    double number()
    {
        const double inf = std::numeric_limits<double>::infinity(), special[] = {std::nan(""), inf, -inf, 1e300, -0.0};
        const int pick = below(9);
        return pick < 5 ? special[pick] : pick == 5 ? -below(1000) / 7.0 : below(100000) / 100.0;
    }
    QString text()
    {
        switch (below(8)) {
        case 0: return QString();
        case 1: return QString(below(20000) + 1, QChar(u'码'));
        case 2: return QStringLiteral("苹果🍎\u202Eabc\u0000x%1%n<b>\\\"").repeated(below(4) + 1);
        case 3: return QString::number(number());
        case 4: return QStringLiteral("000000");
        case 5: return QString::number(6900000000000LL + below(1000));
        case 6: return json();
        default: return QStringLiteral("id%1").arg(below(8));
        }
    }
    QString json()
    {
        static const char* const samples[] = {
            "[", R"([1,2,"x",null,{}])", R"([{"weight":"0.5"},{"weight":1e999},{"weight":-3}])",
            R"([{"name":"省","child":[{"name":"市","child":[{"name":"区"}]}]}])",
            R"([{"name":null,"child":"x"},{"child":[[[]]]}])", "\xEF\xBB\xBF[]"};
        const int pick = below(7);
        return pick < 6 ? QString::fromUtf8(samples[pick]) : QString(below(2000) + 1, QLatin1Char('['));
    }
    // A list of 0, 1, 3 or `most` items made by `make`.
    template<class T>
    QList<T> some(const std::function<T(int)>& make, int most = 300)
    {
        const int sizes[] = {0, 1, 3, most};
        QList<T> list;
        for (int i = 0, n = sizes[below(4)]; i < n; ++i)
            list << make(i);
        return list;
    }
    KxPosPluDetail saleLine(int i)
    {
        KxPosPluDetail l;
        l.lineNo = coin() ? i + 1 : anyInt();
        l.pluCode = coin() ? QString::number(6901000 + i) : text();
        l.pluName = l.detailText = l.remarkText = text();
        l.pluType = coin() ? QStringLiteral("07") : QString();
        l.isSerialLine = coin() ? QStringLiteral("1") : QString();
        l.saleQty = l.lineAmount = number();
        l.quantityDecimals = below(12) - 2;
        l.salePrice = l.amountA = number();
        l.unitName = coin() ? QStringLiteral("千克") : text();
        for (int k = below(3); k > 0; --k)
            l.subItems << qMakePair(text(), number());
        return l;
    }
    OrderDetail order()
    {
        const auto state = [this] { return QString::number(below(6) - 1); };
        const auto line = [this](int) {
            return PluDetail{coin() ? QStringLiteral("1") : text(), anyInt(), text(), number(), number(), number(),
                             number(), coin() ? QStringLiteral("1") : QString(), text(), number(), number(), number(),
                             text(), number(), {}};
        };
        return OrderDetail{text(), text(), state(), text(), text(), text(), text(), coin() ? QStringLiteral("21") : text(),
                           text(), number(), state(), text(), some<PluDetail>(line, 4)};
    }
    CouponWidgetInfo coupon()
    {
        CouponWidgetInfo c;
        c.couponId = below(3) == 0 ? text() : QStringLiteral("Q%1").arg(below(30));
        c.couponCode = coin() ? c.couponId : text();
        c.couponName = c.channelName = text();
        c.couponType = coin() ? QStringLiteral("jh") : text();
        c.channelCode = coin() ? QStringLiteral("MT") : text();
        c.couponAmount = number();
        c.useCount = c.selectCount = anyInt();
        c.status = CouponBaseInfo::CouponStatus(below(4));
        for (int k = below(3); k > 0; --k)
            c.childCoupons << CouponBaseInfo{text(), {}, {}, {}, {}, {}, {}, {}, number(), {}, {}};
        for (int k = below(3); k > 0; --k)
            c.pluInfoList << CouponWidgetInfo::CouponPluInfo{{}, text(), text(), {}, coin() ? QStringLiteral("1") : QString(),
                                                             0.0, anyInt(), number(), 0.0, coin()};
        return c;
    }
    KxPosPluSpu options()
    {
        KxPosPluSpu spu;
        spu.specs = some<KxPosPluSpec>([this](int i) { return KxPosPluSpec{text(), QString::number(i), coin()}; }, 40);
        spu.tastes = some<KxPosPluTaste>([this](int) {
            const QString group = QStringLiteral("G%1").arg(below(3));
            return KxPosPluTaste{text(), group, coin() ? group : text(), coin(), below(3) == 0, coin()};
        }, 40);
        spu.foods = some<KxPosPluFood>([this](int) { return KxPosPluFood{text(), text(), coin()}; }, 40);
        return spu;
    }
    PrePluGroupShowWidget* presetPanel(QWidget* parent)
    {
        auto* panel = new PrePluGroupShowWidget(parent);
        using Key = QPair<QString, QString>;
        const QList<Key> groups = some<Key>([this](int i) { return qMakePair(QStringLiteral("G%1").arg(i), text()); }, 40);
        panel->SetGroups(groups);
        for (const auto& group : groups)
            panel->SetProducts(group.first, some<Key>([this](int) { return qMakePair(text(), text()); }, 200));
        panel->SetGrid(below(12) - 2, below(12) - 2);
        panel->SetGroupColumns(below(12) - 2);
        panel->SetEditMode(coin());
        return panel;
    }

    // Drives the screen: keys to the focus widget, clicks on visible buttons and item cells of the shown
    // windows, host calls; `events` in all, at once or in the sessions of a modal dialog.
    void runAll(int events)
    {
        int done = session ? 0 : run(events);
        while (done < events && !QTest::currentTestFailed()) // opening the dialog with the host's data is an event
            ++done, session(*this, [&] { done += run(events - done); });
        // The stream reached the screen: a storm of no events proves nothing.
        QVERIFY(events < 1000 || (keys > 0 && clicks > 0));
    }

    int run(int events)
    {
        const auto settle = qScopeGuard([] { QCoreApplication::processEvents(); });
        QList<QPointer<QAbstractButton>> buttons;
        QList<QPointer<QAbstractItemView>> views;
        for (int i = 0; i < events && !QTest::currentTestFailed(); ++i) {
            if (!screen)
                return QTest::qFail("the screen was deleted during the storm", __FILE__, __LINE__), i;
            if (!screen->isVisible() && !reshow)
                return i;
            if (!screen->isVisible())
                reshow();
            if (i % 16 == 0)
                buttons = shownWidgets<QAbstractButton>(), views = shownWidgets<QAbstractItemView>();
            const int pick = below(100);
            QAbstractButton* b = buttons.isEmpty() ? nullptr : buttons.at(below(buttons.size())).data();
            if (pick < 40)
                key();
            else if (pick < 72 && b && b->isVisible() && b->isEnabled())
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2)), ++clicks;
            else if (pick >= 72 && pick < 85 && !views.isEmpty())
                clickCell(views.at(below(views.size())));
            else if (pick >= 85 && !hosts.isEmpty())
                hosts.at(below(hosts.size()))(*this);
            if (i % 128 == 0)
                QCoreApplication::processEvents();
            check();
        }
        return events;
    }
    // The screen's invariant after step `steps`, which a failure names.
    void check()
    {
        if (invariant && !QTest::currentTestFailed())
            invariant();
        if (QTest::currentTestFailed())
            std::printf("the storm failed at step %d\n", steps), std::fflush(stdout);
        ++steps;
    }
    template<class T>
    QList<QPointer<T>> shownWidgets()
    {
        QList<QPointer<T>> shown;
        windows.windows.removeAll(nullptr);
        for (QWidget* top : qAsConst(windows.windows))
            if (top->isVisible())
                for (T* w : top->findChildren<T*>())
                    if (w->window() == top && w->isVisible() && w->isEnabled())
                        shown << w;
        return shown;
    }
    void key()
    {
        using namespace Qt;
        static const QList<int> codes{Key_0, Key_1, Key_5, Key_9, Key_Return, Key_Enter, Key_Escape, Key_Backspace,
                                      Key_Delete, Key_Up, Key_Down, Key_Left, Key_Right, Key_PageUp, Key_PageDown,
                                      Key_Home, Key_End, Key_Tab, Key_Space, Key_Plus, Key_Minus, Key_Asterisk,
                                      Key_Period, Key_A, Key_K, Key_Z, Key_F1, Key_F5, Key_F10, Key_F12, Key_Insert};
        const int key = codes.at(below(codes.size()));
        QString text = key >= Key_Space && key <= Key_Z ? QString(QChar(key).toLower())
                       : key == Key_Return || key == Key_Enter ? QStringLiteral("\r") : QString();
        if (below(20) == 0) // an input method committing a Chinese word
            text = QStringLiteral("苹果");
        QWidget* focus = QApplication::focusWidget();
        QTest::sendKeyEvent(QTest::Click, focus && focus->isVisible() ? focus : screen.data(), Key(key), text,
                            below(10) ? NoModifier : KeyboardModifiers(ControlModifier));
        ++keys;
    }
    void clickCell(QAbstractItemView* v)
    {
        const QAbstractItemModel* m = v && v->isVisible() ? v->model() : nullptr;
        if (!m || m->rowCount(v->rootIndex()) <= 0 || m->columnCount(v->rootIndex()) <= 0)
            return;
        const QRect rect = v->visualRect(m->index(below(m->rowCount(v->rootIndex())),
                                                  below(m->columnCount(v->rootIndex())), v->rootIndex()));
        if (!rect.isValid() || !v->viewport()->rect().intersects(rect))
            return;
        const QPoint at = rect.topLeft() + QPoint(below(rect.width()), below(rect.height()));
        below(6) ? QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, at)
                 : QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, at);
    }

    int keys = 0, clicks = 0, steps = 0;
};

void trade(Storm& b)
{
    b.config.set(QStringLiteral("TRADE_TareOptions"), QStringLiteral(R"([{"weight":"0.1"},{"weight":2},7,{}])"));
    b.config.set(QStringLiteral("TRADE_UseSuggestPro"), QStringLiteral("1"));
    auto* s = new TradeWidget(0, nullptr);
    s->gridFunctions = functionKeys(45);
    s->InitFuncArea();
    // What the host bound (line number and code of each line), and what the screen did to the sale since the
    // last check: emptied the table outside a rebind, started a new sale.
    struct Sale {
        QList<QStringList> bound;
        bool rebinding = false, emptied = false, started = false;
    };
    auto sale = std::make_shared<Sale>();
    QObject::connect(s, &TradeWidget::SignTrdStartTrade, s, [sale] { sale->started = true; });
    QAbstractItemModel* table = s->GetTable()->model();
    QObject::connect(table, &QAbstractItemModel::rowsAboutToBeRemoved, s, [sale, table](const QModelIndex&, int first, int last) {
        if (sale->rebinding || first >= sale->bound.size())
            return; // a placeholder line after the host's lines
        // The screen drops the host's lines only all at once, for a new sale.
        QVERIFY2(first == 0 && last == table->rowCount() - 1,
                 qPrintable(QStringLiteral("rows %1 to %2 of %3 removed").arg(first).arg(last).arg(table->rowCount())));
        sale->emptied = true;
    });
    b.shown(s);
    b.testModel(table);
    const auto rebind = [s, sale](Storm& h) {
        QList<KxPosPluDetail> lines = h.some<KxPosPluDetail>([&h](int i) { return h.saleLine(i); });
        sale->rebinding = true;
        s->rebindModel(lines, h.some<KxPosEmployeeDetail>([&h](int) { return KxPosEmployeeDetail{h.text(), h.text(), h.coin()}; }, 2));
        sale->rebinding = false;
        sale->bound.clear();
        for (const KxPosPluDetail& line : lines)
            sale->bound << QStringList{QString::number(line.lineNo), line.pluCode};
    };
    // The cashier types a number and presses the quantity key, or the host applies it as a line discount.
    const auto quantity = [s](Storm& h) {
        auto* entry = child<QLineEdit>(s, "txtcode");
        entry->selectAll(); // what the cashier types replaces what the storm left there
        QTest::keyClicks(entry, QString::number(h.below(30)));
        auto* key = child<QAbstractButton>(s, "btnUpdNum");
        if (h.coin() && key->isVisible() && key->isEnabled())
            QTest::mouseClick(key, Qt::LeftButton);
        else
            s->InputSingleFavor(QString::number(h.below(2)), h.below(4) == 0);
    };
    b.hosts = {rebind, rebind, quantity, [s](Storm& h) {
        const QList<OrderDetail> orders = h.some<OrderDetail>([&h](int) { return h.order(); }, 60);
        h.coin() ? s->ShowOrderWidget(orders, h.below(4) - 1) : s->showOrderList(orders, h.below(4) - 1);
        s->ClickOrderList(h.anyInt(), h.coin());
    }, [s](Storm& h) {
        s->SetProText({{h.coin() ? QStringLiteral("000000") : h.text(),
                        h.some<KxPosProRemarkHelper>([&h](int) { return KxPosProRemarkHelper{h.text(), h.text()}; }, 80)}}, h.text());
        s->UpdatePluProInfo({{h.anyInt(), h.text()}, {h.anyInt(), h.text()}});
    }, [s](Storm& h) {
        // The scale's reading arrives through a connection by signature.
        QVERIFY(QMetaObject::invokeMethod(s, "SlotShowProdWeight", Q_ARG(double, h.number()), Q_ARG(double, h.number()),
                                          Q_ARG(bool, h.coin()), Q_ARG(bool, h.coin()), Q_ARG(bool, h.coin()),
                                          Q_ARG(int, h.below(4) - 2)));
        s->SlotUpdateWeightData(TareUpdateType(h.below(4)), h.text());
    }, [s](Storm& h) {
        s->ScrollSpecifyRow(h.anyInt());
        s->ShowChange(h.number());
        s->updateDynData(h.anyInt(), h.text(), h.text());
        s->UpdateCouponDeductAmount(h.text(), h.text());
    }, [s](Storm& h) {
        s->UpdateBtnBillNumber(h.text());
        s->SetQuickPay(h.text(), h.text(), h.text());
        s->SetTradeActive(h.coin());
        s->SetDiscountLineMode(h.coin());
    }};
    // The rows shown are the lines bound, in order, plus at most one placeholder line (a quantity or discount
    // typed before its product) at the end; the screen empties the table only to start a new sale, at once or
    // after its short delay.
    b.invariant = [s, sale, table] {
        if (sale->emptied)
            QVERIFY2(sale->started || TradeWidgetTestAccess::saleStartPending(*s), "the sale was emptied without starting a new one");
        if (sale->emptied || sale->started)
            sale->bound.clear();
        sale->emptied = sale->started = false;
        const int rows = table->rowCount(), bound = sale->bound.size();
        QVERIFY2(rows == bound || rows == bound + 1, qPrintable(QStringLiteral("%1 rows for %2 lines").arg(rows).arg(bound)));
        for (int r = 0; r < bound; ++r)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(table->index(r, c).data().toString(), sale->bound.at(r).at(c));
        if (rows > bound) // a placeholder line: no line number, no product
            QCOMPARE(QStringList({table->index(bound, 0).data().toString(), table->index(bound, 1).data().toString()}),
                     QStringList({QStringLiteral("-1"), QStringLiteral("0")}));
    };
}

void coupon(Storm& b)
{
    b.config.set(QStringLiteral("TRADE_CertificateChannel"), QStringLiteral(R"([{"ChannelName":"美团","ChannelCode":"MT"},{"x":1},3])"));
    auto* s = new CouponUsageWidget(nullptr);
    b.shown(s, [s] { s->Show(false); });
    QAbstractItemModel* list = child<QListView>(s, "lvCoupon")->model();
    b.testModel(list);
    const auto add = [s](Storm& h) { s->AddCouponInfo(h.coupon(), h.coin()); };
    b.hosts = {add, add, [s](Storm& h) {
        const QString id = QStringLiteral("Q%1").arg(h.below(30));
        const QVariantMap detail{{QStringLiteral("CodeCouponTypeID"), h.coin() ? QVariant(id) : QVariant(h.number())},
                                 {QStringLiteral("SaleNo"), h.text()}, {QStringLiteral("ChannelCode"), QVariantList{h.text()}}};
        s->CacheCouponUseResult(
            QVariantMap{{QStringLiteral("PayDetails"), h.coin() ? QVariant(QVariantList{detail, h.text()}) : QVariant(h.text())}});
        KxPosPayResult pay;
        pay.saleNo = h.text();
        pay.extraValues.insert(QStringLiteral("UDP21"), h.json());
        s->CacheCouponUseResult(id, pay);
    }, [s](Storm& h) {
        s->UpdateCouponStatus(h.coin() ? QStringLiteral("Q%1").arg(h.below(30)) : h.text(), CouponWidgetInfo::CouponStatus(h.below(4)), h.text());
    }};
    b.invariant = [s, list] {
        // The host's view of the list is the list shown, one row per coupon id.
        QSet<QString> ids;
        for (const CouponWidgetInfo& c : s->GetCouponWidgetData())
            ids.insert(c.couponId);
        QCOMPARE(s->GetCouponWidgetData().size(), list->rowCount());
        QCOMPARE(ids.size(), list->rowCount());
    };
}

void customer(Storm& b)
{
    auto* s = new CustomerInfoWidget(0, nullptr);
    b.shown(s);
    const auto names = [s] {
        QStringList out;
        for (const auto& p : KxPosTestAccess::Provinces(*s))
            out << p.name + QString::number(p.cities.size());
        return out;
    };
    b.hosts = {[s](Storm& h) { s->InitView(h.text()); }, [s, names](Storm& h) {
        // A refused tree says why and leaves the loaded one in place.
        const QStringList before = names();
        QString error;
        if (!s->GetAreas(h.json(), error))
            QVERIFY(!error.isEmpty() && names() == before);
    }};
}

void depositList(Storm& b)
{
    auto* s = new DepositPluWidget(0, nullptr);
    s->initValue();
    b.shown(s);
    b.hosts = {[s](Storm& h) { s->AddPlu(h.saleLine(h.below(5))); }, [s](Storm& h) {
        s->setVIP(KxPosVipDetail{h.text(), h.text(), h.text(), h.text(), h.number(), h.text(), h.text(), h.text(), {}});
        s->setEmployee(KxPosEmployeeDetail{h.text(), h.text(), h.coin()});
        s->refresh();
    }, [s](Storm& h) { s->setSaleNo(h.coin() ? QString() : h.text(), h.text()); },
        [s](Storm& h) { h.below(8) == 0 ? s->initValue() : s->RemovePlu(); }};
    // One row per line, and at most one more for a quantity set for the next product.
    b.invariant = [s] {
        const int extra = s->getUiQTableView(0)->model()->rowCount() - KxPosTestAccess::PluList(*s).size();
        QVERIFY(extra == 0 || extra == 1);
    };
}

void pickUp(Storm& b)
{
    auto* s = new GetDepositWidget(0, nullptr);
    b.shown(s);
    int& shownOrders = b.n[0];
    const auto lines = [](Storm& h) {
        return h.some<KxPosDepositPluDetail>(
            [&h](int) { return KxPosDepositPluDetail{h.text(), h.text(), h.text(), h.text(), h.number(), h.number()}; }, 6);
    };
    b.hosts = {[s](Storm& h) { s->setPluNum(h.text()); }, [s, lines](Storm& h) { s->RefreshOrderParticulars(lines(h)); },
               [s, &shownOrders, lines](Storm& h) {
        const QList<KxPosDepositOrderDetail> orders =
            h.some<KxPosDepositOrderDetail>([&h, lines](int) { return KxPosDepositOrderDetail{h.text(), lines(h)}; }, 40);
        s->initValue(KxPosVipDetail{}, orders);
        shownOrders = orders.isEmpty() ? shownOrders : orders.size(); // an empty list is no new pick-up
    }};
    b.invariant = [s, &shownOrders] {
        QCOMPARE(s->Orders().size(), shownOrders);
        QVERIFY(KxPosTestAccess::CurrentOrder(*s) >= -1 && KxPosTestAccess::CurrentOrder(*s) < qMax(1, shownOrders));
    };
}

void quantityPad(Storm& b)
{
    auto* s = new DepositPluNumbInputWidget(0, nullptr);
    // A quantity goes out only from 0.01 up to the quantity held, give or take 0.01.
    QObject::connect(s, &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget, s, [s](double q) {
        QVERIFY2(std::isfinite(q) && q >= 0.01 - 1e-9 && q <= KxPosTestAccess::MaxQuantity(*s) + 0.01 + 1e-9,
                 qPrintable(QStringLiteral("%1 of at most %2").arg(q).arg(KxPosTestAccess::MaxQuantity(*s))));
    });
    b.shown(s);
    b.hosts = {[s](Storm& h) { s->initValue(h.coin() ? h.below(100) / 10.0 : h.number(), h.number()); },
               [s](Storm& h) { s->SlotKeyPressed(h.coin() ? QString::number(h.below(10)) : h.text().left(3)); },
               [s](Storm&) { s->backspace(); }, [s](Storm&) { s->clear(); }};
}

void depositMenu(Storm& b)
{
    auto* s = new DepositWidget(0, nullptr);
    int* n = b.n; // closed with 1, sent the cashier on, closed by the host
    QObject::connect(s, &QDialog::finished, s, [n](int result) { n[0] += result == 1; });
    QObject::connect(s, &DepositWidget::SignGotoDeposit, s, [n] { ++n[1]; });
    QObject::connect(s, &DepositWidget::SignGotoMembLogin, s, [n] { ++n[1]; });
    b.shown(s);
    b.hosts = {[s, n](Storm&) { ++n[2], s->close(); }};
    // The menu closes with 1 exactly when it sends the cashier on or the host closes it.
    b.invariant = [n] { QCOMPARE(n[0], n[1] + n[2]); };
}

void promotionType(Storm& b)
{
    auto* s = new SelectProType(0, nullptr);
    QObject::connect(s, &SelectProType::SignSelectProType, s, [](int type) { QVERIFY(type == 0 || type == 1); });
    b.shown(s);
}

void foodOptions(Storm& b)
{
    auto* s = b.own(new SelectSpuWidget(0, nullptr));
    b.screen = s;
    int& sessions = b.n[0];
    // Each session opens the dialog with hostile options; a choice accepted with OK has every required taste
    // group chosen.
    b.session = [s, &sessions](Storm& h, const std::function<void()>& storm) {
        QTimer::singleShot(0, s, [s, &sessions, session = ++sessions, storm] {
            if (session != sessions || !s->isExecuting())
                return;
            storm();
            if (s->isVisible()) // the events ran out, not the dialog
                s->done(0);
        });
        if (s->ShowPluSpuInfo(h.options()) != 1)
            return;
        QSet<QString> required, chosen;
        for (const KxPosPluTaste& taste : s->Tastes()) {
            if (taste.isRequired)
                required << taste.groupId;
            if (taste.isSelected)
                chosen << taste.groupId;
        }
        QVERIFY(chosen.contains(required));
    };
}

void presetKeys(Storm& b)
{
    auto* s = new SortPluManagement(0, nullptr);
    int* n = b.n; // closed, panel given back
    QObject::connect(s, &QDialog::finished, s, [n] { ++n[0]; });
    QObject::connect(s, &SortPluManagement::signalPreShow, s, [n] { ++n[1]; });
    b.shown(s, [s] { s->showWidget(); });
    b.hosts = {[s](Storm& h) {
        PrePluGroupShowWidget* before = KxPosTestAccess::HostedPanel(*s);
        PrePluGroupShowWidget* panel = h.below(5) ? h.presetPanel(s) : nullptr;
        s->showFastPluKey(panel);
        QCOMPARE(KxPosTestAccess::HostedPanel(*s), panel ? panel : before);
        if (panel)
            delete before; // the host keeps one panel
    }};
    // Leaving (close, save, Escape) always gives the panel back to the host.
    b.invariant = [n] { QCOMPARE(n[1], n[0]); };
}

void floatingButton(Storm& b)
{
    auto* s = new PosFloatForm(nullptr);
    b.shown(s, [s] { s->showWidget(); });
    // Drags by the form or the button, anywhere on the screen and beyond: after each the button is where the
    // clamp puts it.
    const auto drag = [s](Storm& h) {
        QWidget* by = h.coin() ? static_cast<QWidget*>(s->getUiQPushButton(0)) : s;
        const auto send = [by](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
            QMouseEvent event(type, by->mapFromGlobal(global), global, Qt::LeftButton, buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(by, &event);
        };
        send(QEvent::MouseButtonPress, by->mapToGlobal(QPoint(2, 2)), Qt::LeftButton);
        for (int k = h.below(4) + 1; k > 0; --k) // moves, then the release
            send(k > 1 ? QEvent::MouseMove : QEvent::MouseButtonRelease, QPoint(h.below(6000) - 3000, h.below(4000) - 2000),
                 k > 1 ? Qt::LeftButton : Qt::NoButton);
        QCOMPARE(s->CheckAndChange(s->pos()), s->pos());
    };
    b.hosts = {drag, drag, drag, drag, [s](Storm&) { s->SlotTradeNormaled(); }};
}

const QList<QPair<const char*, void (*)(Storm&)>> Screens{
    {"sales screen", trade},      {"coupons", coupon},               {"customer form", customer},
    {"deposit list", depositList}, {"pick-up", pickUp},              {"quantity pad", quantityPad},
    {"deposit menu", depositMenu}, {"promotion type", promotionType}, {"food options", foodOptions},
    {"preset keys", presetKeys},   {"floating button", floatingButton}};

} // namespace

class StormScreensTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ScreenTestCase::initTestCase();
        CouponWidgetInfo::RegisterMetaTypes();
        qRegisterMetaType<OrderDetail>();
        qRegisterMetaType<PluDetail>();
    }

    void storm_data()
    {
        QTest::addColumn<int>("screen");
        for (int i = 0; i < Screens.size(); ++i) // the seed differs by screen
            QTest::newRow(Screens.at(i).first) << i;
    }

    void storm()
    {
        QFETCH(int, screen);
        const int seed = fromEnvironment("KXPOS_STORM_SEED", 12), events = fromEnvironment("KXPOS_STORM_EVENTS", 1500);
        std::printf("KXPOS_STORM_SEED=%d KXPOS_STORM_EVENTS=%d\n", seed, events);
        std::fflush(stdout);
        Storm storm(quint32(seed + screen), config());
        Screens.at(screen).second(storm);
        storm.runAll(events);
        if (!QTest::currentTestFailed() && storm.invariant)
            storm.invariant();
    }
};

QTEST_MAIN(StormScreensTest)
#include "tst_storm_screens.moc"
