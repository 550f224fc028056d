// The sales screen's bill buttons, the host's held-sale and notice requests,
// leaving to the desktop and the keys coming back from the change popup.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/CaptionFit.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

namespace {
QStringList checkedBills(QWidget* screen)
{
    QStringList checked;
    for (const char* name : {"btnBill01", "btnBill02", "btnBill03", "btnBill04", "btnBillOrder"}) {
        if (child<QPushButton>(screen, name)->isChecked())
            checked << QString::fromLatin1(name);
    }
    return checked;
}

// A key that closed the change popup, with the entry typed before it, in an
// open sale or an idle one: what the code box holds after it, the code
// confirmed, the key forwarded (0: none) and the sales started.
struct PopupKey {
    int key;
    QString text, typedBefore, codeAfter, added;
    int forwarded;
    bool idle;
    int starts;
};

// Bill buttons driven by the cashier ("click NN"), the host ("host NN" marks a
// bill, "first" asks for bill 01 as at the start of the day), "show" and
// "uncheck NN" (a marked button unmarked by hand): the requests sent to the
// host as "current->requested", the button marked and the bill number.
struct BillCase {
    int screenType;
    QString hideBills;
    bool hostSwitches; // the host switches bills at once when asked
    QStringList actions, requests;
    QString marked, number;
};
} // namespace

Q_DECLARE_METATYPE(PopupKey)
Q_DECLARE_METATYPE(BillCase)

class TradeBillsTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void billButtons_data()
    {
        QTest::addColumn<BillCase>("c");
        QTest::newRow("a click asks; the bill stays until the host switches")
            << BillCase{0, "0", false, {"show", "click 03"}, {"01->03"}, "btnBill01", "01"};
        QTest::newRow("a host that switches at once")
            << BillCase{0, "0", true, {"show", "click 03", "click 03", "click 01"}, {"01->03", "03->03", "03->01"},
                        "btnBill01", "01"};
        QTest::newRow("host marks the orders") << BillCase{0, "0", false, {"host 04", "host Order"}, {}, "btnBillOrder", "Order"};
        QTest::newRow("05 falls back to 01") << BillCase{0, "0", false, {"host 04", "host 05"}, {}, "btnBill01", "01"};
        QTest::newRow("a bill unmarked by hand is repaired")
            << BillCase{0, "0", false, {"host 03", "uncheck 03"}, {}, "btnBill01", "01"};
        QTest::newRow("first bill before and after showing")
            << BillCase{0, "0", false, {"first", "show", "first"}, {"01->01", "01->01"}, "btnBill01", "01"};
        QTest::newRow("first bill, row hidden by configuration")
            << BillCase{0, "1", false, {"first", "show", "first"}, {}, "btnBill01", "01"};
    }

    void billButtons()
    {
        QFETCH(BillCase, c);
        KxPosConfig::SetValue(QStringLiteral("TRADE_IsHideBillNumber"), c.hideBills);
        TradeWidget screen(c.screenType, nullptr);
        QStringList requests;
        connect(&screen, &TradeWidget::SignTrdSelectBill, &screen, [&](QString bill) {
            requests << screen.GetBillNumber() + QLatin1String("->") + bill;
            if (c.hostSwitches)
                screen.UpdateBtnBillNumber(bill);
        });
        for (const QString& action : c.actions) {
            const QString bill = action.section(QLatin1Char(' '), 1);
            if (action == QLatin1String("show"))
                screen.show();
            else if (action == QLatin1String("first"))
                screen.FirstClickBill01();
            else if (action.startsWith(QLatin1String("click")))
                clickChild(&screen, qPrintable(QStringLiteral("btnBill") + bill));
            else if (action.startsWith(QLatin1String("host")))
                screen.UpdateBtnBillNumber(bill);
            else
                child<QPushButton>(&screen, qPrintable(QStringLiteral("btnBill") + bill))->setChecked(false);
        }
        QCOMPARE(requests, c.requests);
        QCOMPARE(screen.GetBillNumber(), c.number);
        QCOMPARE(checkedBills(&screen), QStringList{c.marked});
    }

    void hostRequests()
    {
        TradeWidget screen(0, nullptr);
        QSignalSpy save(&screen, &TradeWidget::SignTrdSaveAccount);
        QSignalSpy get(&screen, &TradeWidget::SignTrdGetAccount);
        QSignalSpy notices(&screen, &TradeWidget::SignShowAllNotice);
        QSignalSpy leave(&screen, &TradeWidget::SignTrdReturnToDesktop);
        screen.updateDynData(5, QStringLiteral("B20240001"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdSaveAccount"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdGetAccount"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "on_msgnotice_clicked"));
        QVERIFY(QMetaObject::invokeMethod(&screen, "on_btnReturn_clicked"));
        screen.ReturntoDesktop();
        QCOMPARE(firstArguments(save), QStringList{"B20240001"});
        QCOMPARE(get.count(), 1);
        QCOMPARE(notices.count(), 1);
        QCOMPARE(leave.count(), 2);
    }

    // The three status texts have no labels on this form; the screen keeps
    // them as they would show, with the store prefix when configured.
    void statusTextsKept_data()
    {
        QTest::addColumn<QString>("orgPosType");
        QTest::addColumn<QString>("store");
        QTest::newRow("code alone") << "0" << "0101";
        QTest::newRow("name before code") << "2" << "人民路店0101";
    }

    void statusTextsKept()
    {
        QFETCH(QString, orgPosType);
        ScopedConfigDir config;
        KxPosConfig::SetValue(QStringLiteral("TRADE_ShowOrgPosType"), orgPosType);
        const QString savedName = KxPosConfig::sOrgName;
        KxPosConfig::sOrgName = QStringLiteral("人民路店");
        TradeWidget screen(0, nullptr);
        QVERIFY(QMetaObject::invokeMethod(&screen, "SlotTrdSetStatusValue", Q_ARG(QString, QStringLiteral("0101")),
                                          Q_ARG(QString, QStringLiteral("03")), Q_ARG(QString, QStringLiteral("刘洋"))));
        KxPosConfig::sOrgName = savedName;
        QTEST(screen.StatusValues().value(0), "store");
        QCOMPARE(screen.StatusValues().mid(1), (QStringList{translated(1247) + QStringLiteral("-03"), "刘洋"}));
    }

    // --- Change popup keys ----------------------------------------------------------------

    // The change popup's own wiring (the next scan closes it and is kept) is
    // driven by the end-to-end sales.
    void changePopupKeys_data()
    {
        QTest::addColumn<PopupKey>("c");
        QTest::newRow("digit appends") << PopupKey{Qt::Key_0, "0", "69", "690", "", 0, false, 0};
        QTest::newRow("closed by a click") << PopupKey{0, "", "", "", "", 0, false, 0};
        QTest::newRow("return confirms") << PopupKey{Qt::Key_Return, "", "42", "", "42", 0, false, 0};
        QTest::newRow("F1 goes to the host") << PopupKey{Qt::Key_F1, "", "7", "7", "", Qt::Key_F1, false, 0};
        QTest::newRow("letter goes to the host") << PopupKey{Qt::Key_A, "a", "", "", "", Qt::Key_A, false, 0};
        QTest::newRow("idle: a digit starts the next sale") << PopupKey{Qt::Key_8, "8", "", "8", "", 0, true, 1};
    }

    void changePopupKeys()
    {
        QFETCH(PopupKey, c);
        auto screen = startedTradeScreen();
        screen->SetTradeActive(!c.idle);
        // Idle, the screen says so and its pay key starts the next sale.
        QCOMPARE(child<QLabel>(screen.get(), "labelModeName")->text(), translated(c.idle ? 2346 : 2358));
        QCOMPARE(child<QToolButton>(screen.get(), "toolButtonpayother")->text(), translated(c.idle ? 2345 : 2376));
        QLineEdit* code = screen->getUiQLineEdit(26);
        code->setText(c.typedBefore);
        QSignalSpy add(screen.get(), &TradeWidget::SignTrdAddProduct);
        QSignalSpy forwarded(screen.get(), &TradeWidget::SignTrdKeyPressed);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotChgClosed", Q_ARG(int, c.key), Q_ARG(QString, c.text)));
        QCOMPARE(code->text(), c.codeAfter);
        QCOMPARE(firstArguments(add), c.added.isEmpty() ? QStringList{} : QStringList{c.added});
        QCOMPARE(forwarded.count(), c.forwarded ? 1 : 0);
        if (c.forwarded)
            QCOMPARE(forwarded.at(0), (QList<QVariant>{QStringLiteral("trade"), c.forwarded}));
        QCOMPARE(start.count(), c.starts);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    // --- Notices and leaving -----------------------------------------------------------------

    // The notice key shows only while the host has something to announce;
    // its own caption follows the language, and a tap asks for the notices.
    void noticeKey_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption"); // empty: hidden
        QTest::newRow("the host's text and count") << 2 << "新订单" << "zh_CN" << "新订单 (2)";
        QTest::newRow("its own caption, in English") << 3 << "" << "en" << "Notices (3)";
        QTest::newRow("nothing to announce") << 0 << "新订单" << "zh_CN" << "";
        QTest::newRow("a negative count hides it") << -1 << "" << "en" << "";
    }

    void noticeKey()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QFETCH(QString, language);
        QFETCH(QString, caption);
        auto screen = startedTradeScreen();
        auto* key = child<QPushButton>(screen.get(), "msgnotice");
        QVERIFY(!key->isVisible());
        screen->SetMsgNotice(count, text);
        QVERIFY(KxPosTranslator::SetLanguage(language)); // set again with the language
        QCOMPARE(key->isVisible(), !caption.isEmpty());
        if (caption.isEmpty())
            return;
        QCOMPARE(CaptionFit::Caption(key), caption);
        QSignalSpy notices(screen.get(), &TradeWidget::SignShowAllNotice);
        QTest::mouseClick(key, Qt::LeftButton);
        QCOMPARE(notices.count(), 1);
        screen->SetMsgNotice(0);
        QVERIFY(!key->isVisible());
    }

    void leavingToDesktop_data()
    {
        QTest::addColumn<int>("screenType");
        QTest::addColumn<bool>("gridOpen");
        QTest::newRow("grid open") << 0 << true;
        QTest::newRow("screen type 1, preset layout") << 1 << false;
    }

    void leavingToDesktop()
    {
        QFETCH(int, screenType);
        QFETCH(bool, gridOpen);
        TradeWidget screen(screenType, nullptr);
        screen.gridFunctions = functionKeys(12);
        screen.InitFuncArea();
        screen.show();
        if (screenType == 1)
            screen.InitWidget(1);
        if (gridOpen)
            clickChild(&screen, "toolButtonKeyMore");
        const int layoutBefore = screen.LayoutMode();
        QSignalSpy leave(&screen, &TradeWidget::SignTrdReturnToDesktop);
        clickChild(&screen, "btnDeskTop");
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(leave.count(), 1);
        QCOMPARE(leave.at(0).at(0).value<QWidget*>(), static_cast<QWidget*>(&screen));
        QVERIFY(!screen.getUiQDockWidget(22)->isVisible());
        QCOMPARE(screen.LayoutMode(), screenType == 1 ? 0 : layoutBefore);
    }
};

QTEST_MAIN(TradeBillsTest)
#include "tst_trade_bills.moc"
