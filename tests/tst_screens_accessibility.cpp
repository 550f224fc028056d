// Accessibility: every actionable widget (buttons, check boxes, line edits,
// combo boxes, tables and lists) of every screen, with the screen filled
// with data so that its dynamic keys exist, carries an accessible name from
// the translator, so that a screen reader and UI automation tools find it;
// and the names follow the language when it is switched.

#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/DepositWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/CustomerInfoWidget.h"
#include "options/SelectProType.h"
#include "options/SelectSpuWidget.h"
#include "presetkeys/PosFloatForm.h"
#include "presetkeys/SortPluManagement.h"
#include "trade/OrderDetail.h"
#include "trade/TradeWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringListModel>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// What a cashier or an automation tool acts on. Parts that Qt builds inside
// another widget (the line edit of a combo box or spin box, a combo box's
// list, a table's headers and corner button, a dock's title keys) are
// reached through their owner and are not counted.
bool isActionable(const QWidget* w)
{
    for (const QObject* p = w->parent(); p; p = p->parent()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p))
            return false;
    }
    if (w->objectName().startsWith(QLatin1String("qt_")))
        return false;
    if (qobject_cast<const QHeaderView*>(w))
        return false;
    if (qstrcmp(w->metaObject()->className(), "QTableCornerButton") == 0)
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
           || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w)
           || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w)
           || qobject_cast<const QPlainTextEdit*>(w);
}

// "QPushButton btnOK (in widgetPay/widgetRight)" for the failure message.
QString describe(const QWidget* w)
{
    QStringList path;
    for (const QObject* p = w->parent(); p && path.size() < 3; p = p->parent()) {
        if (!p->objectName().isEmpty())
            path << p->objectName();
    }
    const QString name = w->objectName().isEmpty() ? QStringLiteral("<unnamed object>") : w->objectName();
    const QString text = qobject_cast<const QAbstractButton*>(w)
                             ? QStringLiteral(" \"%1\"").arg(static_cast<const QAbstractButton*>(w)->text())
                             : QString();
    return QStringLiteral("%1 %2%3 (in %4)")
        .arg(QLatin1String(w->metaObject()->className()), name, text, path.join(QLatin1Char('/')));
}

QList<QWidget*> actionableWidgets(QWidget* screen)
{
    QList<QWidget*> found;
    if (isActionable(screen))
        found << screen;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (isActionable(w))
            found << w;
    }
    return found;
}

bool hasChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return han.match(text).hasMatch();
}

// --- Sample data: host texts in ASCII so that only the translator's texts
// --- carry the language.

dynMapButton function(const QString& code, const QString& zh, const QString& en, const QString& position = {})
{
    dynMapButton b;
    b.funcId = b.funcCode = code;
    b.funcName = zh;
    b.funcNameEn = en;
    b.funcPos = position;
    return b;
}

KxPosPluDetail saleLine(int lineNo, const QString& code, double qty, double price)
{
    KxPosPluDetail p;
    p.lineNo = lineNo;
    p.pluCode = code;
    p.pluName = QStringLiteral("Item ") + code;
    p.saleQty = qty;
    p.salePrice = price;
    p.lineAmount = qty * price;
    p.unitName = QStringLiteral("pc");
    p.weighFlag = QStringLiteral("0");
    return p;
}

KxPosEmployeeDetail clerk(const QString& code, bool current)
{
    KxPosEmployeeDetail e;
    e.employeeCode = code;
    e.employeeName = QStringLiteral("Clerk ") + code;
    e.isCurrent = current;
    return e;
}

KxPosVipDetail member()
{
    KxPosVipDetail v;
    v.vipId = QStringLiteral("8812");
    v.vipCode = QStringLiteral("8812");
    v.vipName = QStringLiteral("Chen");
    v.vipPhone = QStringLiteral("13812345678");
    return v;
}

OrderDetail onlineOrder(const QString& id)
{
    OrderDetail o;
    o.orderId = id;
    o.orderSource = QStringLiteral("133");
    o.orderStatus = QStringLiteral("1");
    o.operState = QStringLiteral("1");
    o.deliveryType = QStringLiteral("21");
    o.pickupNo = QStringLiteral("11");
    PluDetail line;
    line.pluName = QStringLiteral("Cola");
    line.orderQty = 2;
    line.lineAmount = 7.0;
    o.lines << line;
    return o;
}

PrePluGroupShowWidget* presetKeys(QObject* owner)
{
    auto* panel = new PrePluGroupShowWidget(nullptr);
    QObject::connect(owner, &QObject::destroyed, panel, [panel] { delete panel; });
    panel->SetGroups({{QStringLiteral("G1"), QStringLiteral("Drinks")}, {QStringLiteral("G2"), QStringLiteral("Snacks")}});
    panel->SetProducts(QStringLiteral("G1"), {{QStringLiteral("1001"), QStringLiteral("Tea")},
                                               {QStringLiteral("1002"), QStringLiteral("Coffee")}});
    panel->SetProducts(QStringLiteral("G2"), {{QStringLiteral("2001"), QStringLiteral("Chips")}});
    panel->SetGrid(3, 3);
    panel->SetGroupColumns(3);
    return panel;
}

KxPosPluSpu foodOptions()
{
    KxPosPluSpu spu;
    for (int i = 0; i < 3; ++i) {
        KxPosPluSpec s;
        s.specName = QStringLiteral("Size %1").arg(i);
        s.specCode = QString::number(i);
        spu.specs << s;
    }
    for (int i = 0; i < 6; ++i) {
        KxPosPluTaste t;
        t.tasteName = QStringLiteral("Taste %1").arg(i);
        t.groupId = QStringLiteral("T");
        t.groupName = QStringLiteral("Sugar");
        spu.tastes << t;
    }
    for (int i = 0; i < 9; ++i) {
        KxPosPluFood f;
        f.foodName = QStringLiteral("Topping %1").arg(i);
        f.foodPrice = QStringLiteral("1");
        spu.foods << f;
    }
    return spu;
}

CouponWidgetInfo deductionCoupon(const QString& id)
{
    CouponWidgetInfo c;
    c.couponId = id;
    c.couponCode = id;
    c.couponName = QStringLiteral("Voucher ") + id;
    c.channelCode = QStringLiteral("MT");
    c.channelName = QStringLiteral("MT");
    c.couponAmount = 10.0;
    return c;
}

KxPosPluDetail packageProduct()
{
    KxPosPluDetail p = saleLine(0, QStringLiteral("P1"), 1, 30.0);
    p.pluType = QStringLiteral("07");
    p.couponCode = QStringLiteral("EX1");
    for (int i = 0; i < 2; ++i) {
        KxPosPluComDtDetail item;
        item.groupId = item.groupName = QStringLiteral("Mains");
        item.groupPickCount = 1;
        item.pluCode = QStringLiteral("P1-%1").arg(i);
        item.pluName = QStringLiteral("Dish %1").arg(i);
        item.weighFlag = i == 1 ? QStringLiteral("1") : QStringLiteral("0");
        p.packItems << item;
    }
    return p;
}

KxPosDepositOrderDetail depositOrder(const QString& number)
{
    KxPosDepositOrderDetail order;
    order.orderNo = number;
    for (const QString& code : {QStringLiteral("6901234567892"), QStringLiteral("1001")}) {
        KxPosDepositPluDetail line;
        line.pluCode = code;
        line.pluName = QStringLiteral("Item ") + code;
        line.unitName = QStringLiteral("pc");
        line.depositQty = line.takeQty = 3;
        order.depositPlus << line;
    }
    return order;
}

using Inspect = std::function<void(QWidget*)>;

// Builds the named screen filled with sample data and hands it to
// `inspect`; a dialog that only shows its content while it runs is
// inspected while it runs and then closed.
void withScreen(const QString& name, const Inspect& inspect)
{
    if (name == QLatin1String("TradeWidget")) {
        TradeWidget screen(0, nullptr);
        screen.gridFunctions = {function(QStringLiteral("F001"), QStringLiteral("会员"), QStringLiteral("Member"), QStringLiteral("1")),
                                function(QStringLiteral("F002"), QStringLiteral("挂单"), QStringLiteral("Hold")),
                                function(QStringLiteral("F003"), QStringLiteral("取单"), QStringLiteral("Recall"))};
        screen.InitFuncArea();
        screen.SetQuickPay(QStringLiteral("WeChat"), QStringLiteral("Alipay"), QStringLiteral("Cash"));
        QList<KxPosPluDetail> lines{saleLine(1, QStringLiteral("6901234567892"), 2, 3.5)};
        screen.rebindModel(lines, {clerk(QStringLiteral("E01"), true), clerk(QStringLiteral("E02"), false)});
        auto* completer = new QCompleter(QStringList{QStringLiteral("6901234567892 Cola")}, &screen);
        QMetaObject::invokeMethod(&screen, "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, completer));
        screen.showFastPluKey(presetKeys(&screen), false);
        screen.ShowOrderWidget({onlineOrder(QStringLiteral("WM1")), onlineOrder(QStringLiteral("WM2"))}, 1);
        inspect(&screen);
    } else if (name == QLatin1String("CouponUsageWidget/deduction")) {
        KxPosConfig::SetValue(QStringLiteral("TRADE_CertificateChannel"),
                              QStringLiteral(R"([{"ChannelName":"MT","ChannelCode":"MT"},)"
                                             R"({"ChannelName":"DY","ChannelCode":"DY"}])"));
        KxPosConfig::m_isCouponForDeduct = true;
        CouponUsageWidget screen(nullptr);
        screen.Show(false);
        screen.AddCouponInfo(deductionCoupon(QStringLiteral("C1")), false);
        screen.AddCouponInfo(deductionCoupon(QStringLiteral("C2")), false);
        inspect(&screen);
        screen.Close();
    } else if (name == QLatin1String("CouponUsageWidget/exchange")) {
        KxPosConfig::m_isCouponForDeduct = false;
        CouponUsageWidget screen(nullptr);
        screen.Show(false);
        CouponWidgetInfo coupon = deductionCoupon(QStringLiteral("EX1"));
        coupon.channelCode = QStringLiteral("jh");
        screen.AddCouponInfo(coupon, true);
        screen.AddPluList(QStringLiteral("EX1"), {packageProduct()}, true);
        inspect(&screen);
        screen.Close();
    } else if (name == QLatin1String("DepositWidget")) {
        DepositWidget screen(1, nullptr);
        inspect(&screen);
    } else if (name == QLatin1String("DepositPluWidget")) {
        DepositPluWidget screen(1, nullptr);
        screen.AddPlu(saleLine(0, QStringLiteral("6901234567892"), 1, 3.5));
        screen.AddPlu(saleLine(1, QStringLiteral("1001"), 1, 12.8));
        inspect(&screen);
    } else if (name == QLatin1String("GetDepositWidget")) {
        GetDepositWidget screen(1, nullptr);
        screen.initValue(member(), {depositOrder(QStringLiteral("JC1")), depositOrder(QStringLiteral("JC2"))});
        inspect(&screen);
    } else if (name == QLatin1String("DepositPluNumbInputWidget")) {
        DepositPluNumbInputWidget screen(1, nullptr);
        screen.initValue(6, 2);
        inspect(&screen);
    } else if (name == QLatin1String("SelectSpuWidget")) {
        SelectSpuWidget screen(1, nullptr);
        QTimer::singleShot(0, &screen, [&] {
            inspect(&screen);
            screen.on_btnClose_clicked();
        });
        // A watchdog in case the dialog would not close.
        QTimer::singleShot(20000, &screen, [&] { screen.done(0); });
        screen.ShowPluSpuInfo(foodOptions());
    } else if (name == QLatin1String("SelectProType")) {
        SelectProType screen(1, nullptr);
        inspect(&screen);
    } else if (name == QLatin1String("CustomerInfoWidget")) {
        CustomerInfoWidget screen(1, nullptr);
        QString error;
        screen.GetAreas(QStringLiteral(R"([{"name":"P1","child":[{"name":"C1","child":[{"name":"A1"},{"name":"A2"}]}]}])"), error);
        inspect(&screen);
    } else if (name == QLatin1String("SortPluManagement")) {
        SortPluManagement screen(0, nullptr);
        PrePluGroupShowWidget* keys = presetKeys(&screen);
        keys->SetEditMode(true);
        screen.showFastPluKey(keys);
        inspect(&screen);
    } else if (name == QLatin1String("PosFloatForm")) {
        PosFloatForm screen(nullptr);
        inspect(&screen);
    } else {
        QFAIL(qPrintable(QStringLiteral("no screen named ") + name));
    }
}

const QStringList& screenNames()
{
    static const QStringList names{QStringLiteral("TradeWidget"),
                                   QStringLiteral("CouponUsageWidget/deduction"),
                                   QStringLiteral("CouponUsageWidget/exchange"),
                                   QStringLiteral("DepositWidget"),
                                   QStringLiteral("DepositPluWidget"),
                                   QStringLiteral("GetDepositWidget"),
                                   QStringLiteral("DepositPluNumbInputWidget"),
                                   QStringLiteral("SelectSpuWidget"),
                                   QStringLiteral("SelectProType"),
                                   QStringLiteral("CustomerInfoWidget"),
                                   QStringLiteral("SortPluManagement"),
                                   QStringLiteral("PosFloatForm")};
    return names;
}

} // namespace

class ScreensAccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        m_config = std::make_unique<KxPosTest::ScopedConfigDir>();
    }

    void init()
    {
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    }

    void cleanupTestCase()
    {
        KxPosTranslator::SetLanguage(QStringLiteral("zh_CN"));
        m_config.reset();
    }

    void everyActionableWidgetIsNamed_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("size");
        for (const QSize& size : {QSize(800, 600), QSize(1920, 1080)}) {
            for (const QString& screen : screenNames())
                QTest::newRow(qPrintable(QStringLiteral("%1@%2x%3").arg(screen).arg(size.width()).arg(size.height())))
                    << screen << size;
        }
    }

    // Both layouts: the small and the large design build some keys apart.
    void everyActionableWidgetIsNamed()
    {
        QFETCH(QString, screen);
        QFETCH(QSize, size);
        KxPosConfig::SetAppSize(size.width(), size.height());
        int checked = 0;
        QStringList unnamed;
        withScreen(screen, [&](QWidget* root) {
            for (QWidget* w : actionableWidgets(root)) {
                ++checked;
                if (w->accessibleName().trimmed().isEmpty())
                    unnamed << describe(w);
            }
        });
        QVERIFY2(checked > 0, "the screen has no actionable widget at all");
        // One line each: the list may be longer than a failure message holds.
        for (const QString& line : qAsConst(unnamed))
            std::fprintf(stderr, "    without accessible name: %s\n", qPrintable(line));
        QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("%1 of %2 actionable widgets without an accessible "
                                                              "name (listed above)")
                                                   .arg(unnamed.size())
                                                   .arg(checked)));
    }

    void namesFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("screen");
        for (const QString& screen : screenNames())
            QTest::newRow(qPrintable(screen)) << screen;
    }

    // A name in Chinese becomes a name without Chinese after the switch to
    // English, and the same name again after the switch back.
    void namesFollowTheLanguage()
    {
        QFETCH(QString, screen);
        KxPosConfig::SetAppSize(1024, 768);
        QStringList stale;
        QStringList notRestored;
        int chinese = 0;
        withScreen(screen, [&](QWidget* root) {
            QHash<QWidget*, QString> before;
            for (QWidget* w : actionableWidgets(root))
                before.insert(w, w->accessibleName());
            QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
            for (auto it = before.cbegin(); it != before.cend(); ++it) {
                if (!hasChinese(it.value()))
                    continue;
                ++chinese;
                const QString english = it.key()->accessibleName();
                if (english.isEmpty() || hasChinese(english))
                    stale << describe(it.key()) + QStringLiteral(": \"%1\" -> \"%2\"").arg(it.value(), english);
            }
            QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
            for (auto it = before.cbegin(); it != before.cend(); ++it) {
                if (it.key()->accessibleName() != it.value())
                    notRestored << describe(it.key())
                                       + QStringLiteral(": \"%1\" -> \"%2\"").arg(it.value(), it.key()->accessibleName());
            }
        });
        QVERIFY2(chinese > 0, "no accessible name in Chinese to begin with");
        for (const QString& line : qAsConst(stale))
            std::fprintf(stderr, "    still in Chinese in English: %s\n", qPrintable(line));
        for (const QString& line : qAsConst(notRestored))
            std::fprintf(stderr, "    not restored in Chinese: %s\n", qPrintable(line));
        QVERIFY2(stale.isEmpty(), qPrintable(QStringLiteral("%1 names still in Chinese after switching to English "
                                                            "(listed above)")
                                                 .arg(stale.size())));
        QVERIFY2(notRestored.isEmpty(), qPrintable(QStringLiteral("%1 names not restored after switching back "
                                                                  "(listed above)")
                                                       .arg(notRestored.size())));
    }

    // How a key's caption becomes its name: wrapped captions read as one
    // text, mnemonic marks go, a sign or nothing needs a message.
    void captionsBecomeNames_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("emptyId");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("确定") << 0 << QStringLiteral("确定");
        QTest::newRow("wrapped Chinese") << QStringLiteral("撤销券支\n付") << 0 << QStringLiteral("撤销券支付");
        QTest::newRow("wrapped Latin") << QStringLiteral("Coupon\npayment") << 0 << QStringLiteral("Coupon payment");
        QTest::newRow("name and price") << QStringLiteral("珍珠\n+1.00") << 0 << QStringLiteral("珍珠 +1.00");
        QTest::newRow("mnemonic") << QStringLiteral("&Save && close") << 0 << QStringLiteral("Save & close");
        QTest::newRow("digits") << QStringLiteral("00") << 0 << QStringLiteral("00");
        QTest::newRow("a sign keeps the old name") << QStringLiteral("▲") << 0 << QStringLiteral("old");
        QTest::newRow("a sign with an empty-key message") << QStringLiteral("×") << 7700 << QStringLiteral("old");
        QTest::newRow("empty keeps the old name") << QString() << 0 << QStringLiteral("old");
        QTest::newRow("empty with an empty-key message") << QString() << 7700 << QStringLiteral("空键");
    }

    void captionsBecomeNames()
    {
        QFETCH(QString, caption);
        QFETCH(int, emptyId);
        QFETCH(QString, name);
        QPushButton key(caption);
        key.setAccessibleName(QStringLiteral("old"));
        AccessibleNames::NameByCaption(&key, emptyId);
        QCOMPARE(key.accessibleName(), name);
    }

private:
    std::unique_ptr<KxPosTest::ScopedConfigDir> m_config;
};

QTEST_MAIN(ScreensAccessibilityTest)
#include "tst_screens_accessibility.moc"
