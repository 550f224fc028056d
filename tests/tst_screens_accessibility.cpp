// Accessibility: every actionable widget (buttons, check boxes, line edits, combo boxes, tables and lists) of
// every screen, filled with data so that its dynamic keys exist, carries an accessible name from the
// translator, at the small and the large design, so that a screen reader and UI automation tools find it; and
// the names follow the language when it is switched.

#include "TestRecords.h"
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

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

using namespace KxPosTest;

namespace {

// What a cashier or an automation tool acts on. Parts that Qt builds inside another widget (the line edit of a
// combo or spin box, a table's headers and corner button, a dock's title keys) are reached through their owner.
bool isActionable(const QWidget* w)
{
    for (const QObject* p = w->parent(); p; p = p->parent())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p))
            return false;
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QHeaderView*>(w)
        || qstrcmp(w->metaObject()->className(), "QTableCornerButton") == 0)
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w)
           || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
           || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// "QPushButton btnOK "确定" (in widgetRight)" for the failure list.
QString describe(const QWidget* w)
{
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return QStringLiteral("%1 %2 \"%3\" (in %4)")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(), button ? button->text() : QString(),
             w->parentWidget() ? w->parentWidget()->objectName() : QString());
}

bool hasChinese(const QString& text) { return text.contains(QRegularExpression(QStringLiteral("\\p{Han}"))); }

// Sample data: texts that reach keys are ASCII, so that only the translator's texts carry the language.
PrePluGroupShowWidget* presetKeys(QObject* owner)
{
    auto* panel = new PrePluGroupShowWidget(nullptr);
    QObject::connect(owner, &QObject::destroyed, panel, [panel] { delete panel; });
    panel->SetGroups({{QStringLiteral("G1"), QStringLiteral("Drinks")}, {QStringLiteral("G2"), QStringLiteral("Snacks")}});
    panel->SetProducts(QStringLiteral("G1"), {{QStringLiteral("1001"), QStringLiteral("Tea")}, {QStringLiteral("1002"), QStringLiteral("Coffee")}});
    panel->SetProducts(QStringLiteral("G2"), {{QStringLiteral("2001"), QStringLiteral("Chips")}});
    panel->SetGrid(3, 3);
    return panel;
}

KxPosPluSpu foodOptions()
{
    KxPosPluSpu spu;
    for (int i = 0; i < 9; ++i) {
        if (i < 3)
            spu.specs << KxPosPluSpec{QStringLiteral("Size %1").arg(i), QString::number(i), false};
        if (i < 6)
            spu.tastes << KxPosPluTaste{QStringLiteral("Taste %1").arg(i), QStringLiteral("T"), QStringLiteral("Sugar"), false, false, false};
        spu.foods << KxPosPluFood{QStringLiteral("Topping %1").arg(i), QStringLiteral("1"), false};
    }
    return spu;
}

KxPosPluDetail packageProduct()
{
    KxPosPluDetail p = tradeLine(0, QStringLiteral("P1"), 1);
    p.pluType = QStringLiteral("07");
    p.couponCode = QStringLiteral("code-EX1");
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
    return {number, {{QStringLiteral("6901234567892"), QStringLiteral("Water"), QStringLiteral("pc"), {}, 3, 3},
                     {QStringLiteral("1001"), QStringLiteral("Apple"), QStringLiteral("kg"), {}, 2, 2}}};
}

// Builds the named screen filled with sample data and hands it to `inspect`; a dialog that shows its content
// only while it runs is inspected while it runs.
void withScreen(const QString& name, const std::function<void(QWidget*)>& inspect)
{
    if (name == QLatin1String("TradeWidget")) {
        TradeWidget screen(0, nullptr);
        screen.gridFunctions = functionKeys(13);
        screen.InitFuncArea();
        screen.SetQuickPay(QStringLiteral("WeChat"), QStringLiteral("Alipay"), QStringLiteral("Cash"));
        QList<KxPosPluDetail> lines = tradeLines(2);
        screen.rebindModel(lines, {{QStringLiteral("E01"), QStringLiteral("Clerk E01"), true},
                                   {QStringLiteral("E02"), QStringLiteral("Clerk E02"), false}});
        QMetaObject::invokeMethod(&screen, "SlotTrdBackCompleterModel",
                                  Q_ARG(QCompleter*, new QCompleter(QStringList{QStringLiteral("6901234567892 Cola")}, &screen)));
        screen.showFastPluKey(presetKeys(&screen), false);
        OrderDetail order;
        order.orderId = QStringLiteral("WM1");
        order.operState = order.orderStatus = QStringLiteral("1");
        order.lines << PluDetail{{}, 0, QStringLiteral("Cola"), 2, 0, 0, 7.0, {}, {}, 3.5, 0, 0, {}, 0, {}};
        screen.ShowOrderWidget({order}, 1);
        inspect(&screen);
    } else if (name.startsWith(QLatin1String("CouponUsageWidget"))) {
        KxPosConfig::SetValue(QStringLiteral("TRADE_CertificateChannel"),
                              QStringLiteral(R"([{"ChannelName":"MT","ChannelCode":"MT"},{"ChannelName":"DY","ChannelCode":"DY"}])"));
        KxPosConfig::m_isCouponForDeduct = name.endsWith(QLatin1String("deduction"));
        CouponUsageWidget screen(nullptr);
        screen.Show(false);
        if (screen.IsDeductMode()) {
            screen.AddCouponInfo(channelCoupon(QStringLiteral("C1")), false);
            screen.AddCouponInfo(channelCoupon(QStringLiteral("C2")), false);
        } else {
            screen.AddCouponInfo(channelCoupon(QStringLiteral("EX1"), QStringLiteral("jh")), true);
            screen.AddPluList(QStringLiteral("code-EX1"), {packageProduct()}, true);
        }
        inspect(&screen);
        screen.Close();
    } else if (name == QLatin1String("DepositPluWidget")) {
        DepositPluWidget screen(1, nullptr);
        for (const KxPosPluDetail& line : tradeLines(2))
            screen.AddPlu(line);
        inspect(&screen);
    } else if (name == QLatin1String("GetDepositWidget")) {
        GetDepositWidget screen(1, nullptr);
        KxPosVipDetail member = sampleMember();
        member.vipName = QStringLiteral("Chen");
        screen.initValue(member, {depositOrder(QStringLiteral("JC1")), depositOrder(QStringLiteral("JC2"))});
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
        QTimer::singleShot(20000, &screen, [&] { screen.done(0); }); // a watchdog in case it would not close
        screen.ShowPluSpuInfo(foodOptions());
    } else if (name == QLatin1String("CustomerInfoWidget")) {
        CustomerInfoWidget screen(1, nullptr);
        QString error;
        screen.GetAreas(QStringLiteral(R"([{"name":"P1","child":[{"name":"C1","child":[{"name":"A1"}]}]}])"), error);
        inspect(&screen);
    } else if (name == QLatin1String("SortPluManagement")) {
        SortPluManagement screen(0, nullptr);
        PrePluGroupShowWidget* keys = presetKeys(&screen);
        keys->SetEditMode(true);
        screen.showFastPluKey(keys);
        inspect(&screen);
    } else { // the screens that need no data
        const std::unique_ptr<QWidget> screen(
            name == QLatin1String("DepositWidget")   ? static_cast<QWidget*>(new DepositWidget(1, nullptr))
            : name == QLatin1String("SelectProType") ? static_cast<QWidget*>(new SelectProType(1, nullptr))
                                                     : new PosFloatForm(nullptr));
        inspect(screen.get());
    }
}

} // namespace

class ScreensAccessibilityTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void everyActionableWidgetIsNamed_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("size");
        for (const QSize& size : {QSize(800, 600), QSize(1920, 1080)})
            for (const char* screen : {"TradeWidget", "CouponUsageWidget/deduction", "CouponUsageWidget/exchange",
                                       "DepositWidget", "DepositPluWidget", "GetDepositWidget", "DepositPluNumbInputWidget",
                                       "SelectSpuWidget", "SelectProType", "CustomerInfoWidget", "SortPluManagement",
                                       "PosFloatForm"})
                QTest::addRow("%s@%dx%d", screen, size.width(), size.height()) << QString::fromLatin1(screen) << size;
    }

    // Both designs build some keys apart. A name in Chinese becomes a name without Chinese after the switch to
    // English, and the same name again after the switch back.
    void everyActionableWidgetIsNamed()
    {
        QFETCH(QString, screen);
        QFETCH(QSize, size);
        KxPosConfig::SetAppSize(size.width(), size.height());
        QStringList faults;
        int checked = 0, chinese = 0;
        withScreen(screen, [&](QWidget* root) {
            QHash<QWidget*, QString> names;
            QList<QWidget*> widgets = root->findChildren<QWidget*>();
            for (QWidget* w : widgets << root) {
                if (!isActionable(w))
                    continue;
                ++checked;
                names.insert(w, w->accessibleName());
                if (w->accessibleName().trimmed().isEmpty())
                    faults << QStringLiteral("without accessible name: ") + describe(w);
            }
            QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
            for (auto it = names.cbegin(); it != names.cend(); ++it) {
                const QString english = it.key()->accessibleName();
                chinese += hasChinese(it.value()) ? 1 : 0;
                if (hasChinese(it.value()) && (english.isEmpty() || hasChinese(english)))
                    faults << QStringLiteral("still Chinese in English: %1: \"%2\"").arg(describe(it.key()), english);
            }
            QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
            for (auto it = names.cbegin(); it != names.cend(); ++it)
                if (it.key()->accessibleName() != it.value())
                    faults << QStringLiteral("not restored: %1: \"%2\"").arg(describe(it.key()), it.key()->accessibleName());
        });
        QVERIFY2(checked > 0 && chinese > 0, "no actionable widget named in Chinese to begin with");
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults of %2 widgets:\n    ").arg(faults.size()).arg(checked)
                                              + faults.join(QStringLiteral("\n    "))));
    }

    // How a key's caption becomes its name: wrapped captions read as one text, mnemonic marks go, a sign or
    // nothing keeps the old name unless a message names an empty key.
    void captionsBecomeNames_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("emptyId");
        QTest::addColumn<QString>("name");
        QTest::newRow("wrapped Chinese") << QStringLiteral("撤销券支\n付") << 0 << QStringLiteral("撤销券支付");
        QTest::newRow("wrapped Latin") << QStringLiteral("Coupon\npayment") << 0 << QStringLiteral("Coupon payment");
        QTest::newRow("name and price") << QStringLiteral("珍珠\n+1.00") << 0 << QStringLiteral("珍珠 +1.00");
        QTest::newRow("mnemonic") << QStringLiteral("&Save && close") << 0 << QStringLiteral("Save & close");
        QTest::newRow("a sign keeps the old name") << QStringLiteral("×") << 7700 << QStringLiteral("old");
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
};

QTEST_MAIN(ScreensAccessibilityTest)
#include "tst_screens_accessibility.moc"
