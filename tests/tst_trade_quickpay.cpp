// The sales screen's payment keys (quick pay, the key button, the pay guard)
// and its preset keys with their group keyboard, driven by clicks as a
// cashier would.

#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/MessageWidget.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace KxPosTest;

namespace {
using Messages = QList<QPair<QString, QString>>;
}

class TradeQuickPayTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void keyButton_data()
    {
        QTest::addColumn<QString>("payCode");
        QTest::addColumn<QString>("showType");
        QTest::addColumn<int>("pays");
        QTest::addColumn<int>("entryScreens");
        QTest::addColumn<int>("message");
        QTest::newRow("pay code set: cash") << QStringLiteral("01") << QStringLiteral("1") << 1 << 0 << 0;
        QTest::newRow("key entry screen") << QString() << QStringLiteral("1") << 0 << 1 << 0;
        QTest::newRow("preset keyboard without keys") << QString() << QString() << 0 << 0 << 2366;
    }

    void keyButton()
    {
        QFETCH(QString, payCode);
        QFETCH(QString, showType);
        QFETCH(int, pays);
        QFETCH(int, entryScreens);
        QFETCH(int, message);
        if (!payCode.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_TradeKey_PayCode"), payCode);
        if (!showType.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("TRADE_TradeKeyShowType"), showType);
        auto screen = functionKeyScreen(0);
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QSignalSpy entry(screen.get(), &TradeWidget::SignShowKeyEntryWidget);
        clickChild(screen.get(), "btnKey");
        QCOMPARE(pay.count(), pays);
        if (pays)
            QCOMPARE(pay.at(0).at(1).toString(), QStringLiteral("CashPay"));
        QCOMPARE(entry.count(), entryScreens);
        QCOMPARE(MessageWidget::History(), message ? Messages{notice(message)} : Messages{});
        QVERIFY(screen->getUiQDockWidget(23)->isHidden());
    }

    void presetKeysAndTheirKeyboard()
    {
        auto screen = functionKeyScreen(36);
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        auto* group = new PrePluGroupShowWidget;
        group->SetGroups({{QStringLiteral("G1"), QStringLiteral("水果")}});
        group->SetProducts(QStringLiteral("G1"), {{QStringLiteral("1001"), QStringLiteral("苹果")}});
        QWidget* keysArea = child<QWidget>(screen.get(), "widgetPreKey");
        QWidget* plu = child<QWidget>(screen.get(), "widgetPrePlu");
        screen->showFastPluKey(group, true);
        QCOMPARE(screen->LayoutMode(), 1);
        QVERIFY(keysArea->isVisible());
        QCOMPARE(group->parentWidget(), plu);
        // Showing the same keys again keeps a single panel in place.
        screen->showFastPluKey(group, false);
        QCOMPARE(plu->findChildren<PrePluGroupShowWidget*>().size(), 1);
        QCOMPARE(screen->LayoutMode(), 1);
        QCoreApplication::processEvents();

        // The key button now opens the group keyboard, whose keys reach the
        // screen's keyboard line.
        QDockWidget* keyboardDock = screen->getUiQDockWidget(23);
        clickChild(screen.get(), "btnKey");
        QVERIFY(keyboardDock->isVisible());
        auto* keyboard = keyboardDock->findChild<KeyBoardWidget*>();
        QVERIFY(keyboard);
        QCOMPARE(keyboard->type(), QStringLiteral("1"));
        QSignalSpy groupSearch(screen.get(), &TradeWidget::SignTrdPreGroupMN);
        QTest::mouseClick(keyboard->key(QStringLiteral("5")), Qt::LeftButton);
        QCOMPARE(firstArguments(groupSearch), QStringList{"5"});
        clickChild(screen.get(), "btnKey");
        QVERIFY(keyboardDock->isHidden());
        clickChild(screen.get(), "btnKey");
        QCOMPARE(keyboardDock->findChildren<KeyBoardWidget*>().size(), 1);

        // The toggle returns to the normal layout; the open keyboard leaves too.
        screen->showFastPluKey(group, true);
        QCOMPARE(screen->LayoutMode(), 0);
        QVERIFY(keysArea->isHidden());
        QVERIFY(keyboardDock->isHidden());
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void presetKeysWithoutProducts_data()
    {
        QTest::addColumn<bool>("nullGroup");
        QTest::newRow("empty group") << false;
        QTest::newRow("no group") << true;
    }

    void presetKeysWithoutProducts()
    {
        QFETCH(bool, nullGroup);
        auto screen = functionKeyScreen(0);
        PrePluGroupShowWidget empty;
        screen->showFastPluKey(nullGroup ? nullptr : &empty, true);
        QCOMPARE(screen->LayoutMode(), 0);
        QVERIFY(child<QWidget>(screen.get(), "widgetPreKey")->isHidden());
        QCOMPARE(MessageWidget::History(), Messages{notice(1970)});
    }

    void quickPayButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("payCode");
        QTest::newRow("first") << QStringLiteral("toolButtonpayfirst") << QStringLiteral("WxPay");
        QTest::newRow("other: cashier chooses") << QStringLiteral("toolButtonpayother") << QString();
        QTest::newRow("host's pay()") << QString() << QStringLiteral("UnionPay");
    }

    void quickPayButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, payCode);
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        screen->saleModeFlag1 = true;
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        if (button.isEmpty())
            screen->pay(payCode);
        else
            clickChild(screen.get(), button.toLatin1().constData());
        QCOMPARE(pay.count(), 1);
        QCOMPARE(pay.at(0).at(0).toInt(), 0);
        QCOMPARE(pay.at(0).at(1).toString(), payCode);
        QCOMPARE(pay.at(0).at(1).toString().isNull(), payCode.isNull());
        QCOMPARE(start.count(), 0);
        QVERIFY(screen->getUiQDockWidget(22)->isHidden());
        QVERIFY(!screen->saleModeFlag1);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void payGuardDropsPressesWithin500ms()
    {
        auto screen = functionKeyScreen(0);
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        clickChild(screen.get(), "toolButtonpayfirst");
        QTest::qWait(100);
        clickChild(screen.get(), "toolButtonpaysecond");
        screen->pay(QStringLiteral("CashPay"));
        QCOMPARE(firstArguments(pay), QStringList{"0"});
        QCOMPARE(pay.at(0).at(1).toString(), QStringLiteral("WxPay"));
        QTest::qWait(450);
        clickChild(screen.get(), "toolButtonpayother");
        QCOMPARE(pay.count(), 2);
        QCOMPARE(pay.at(1).at(1).toString(), QString());
    }

    void incompleteLineRefusesPayment()
    {
        auto screen = functionKeyScreen(0);
        // The cashier keys a quantity for the next product, then presses pay.
        QTest::keyClicks(screen->getUiQLineEdit(26), QStringLiteral("3"));
        clickChild(screen.get(), "btnUpdNum");
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        screen->getUiQToolButton(49)->setDown(true);
        clickChild(screen.get(), "toolButtonpayother");
        QCOMPARE(pay.count() + start.count(), 0);
        QCOMPARE(MessageWidget::History(), Messages{notice(1904)});
        QCOMPARE(screen->GetTable()->rowCount(), 1);
        QVERIFY(!screen->getUiQToolButton(49)->isDown());
        QVERIFY(!screen->amountTyped);
    }

    void payFromIdleStartsNewSale()
    {
        auto screen = functionKeyScreen(0);
        bindTradeLines(screen.get(), tradeLines(1));
        screen->SetTradeActive(false);
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        clickChild(screen.get(), "toolButtonpayfirst");
        QCOMPARE(start.count(), 1);
        QCOMPARE(pay.count(), 0);
        QCOMPARE(screen->GetTable()->rowCount(), 0);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void payLeavesEditMode()
    {
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        clickChild(screen.get(), "btnEditFun");
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        clickChild(screen.get(), "toolButtonpayother");
        QCOMPARE(pay.count(), 1);
        QCOMPARE(child<QPushButton>(screen.get(), "btnEditFun")->text(), translated(2382));
        QCOMPARE(showType(shortcutKey(screen.get(), 1)), QStringLiteral("normal"));
        QVERIFY(screen->getUiQDockWidget(22)->isHidden());
        // Back in normal mode the "more" button opens the grid again.
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(screen->getUiQDockWidget(22)->isVisible());
    }

    void keyCaptionFollowsPayCode_data()
    {
        QTest::addColumn<QString>("payCode");
        QTest::addColumn<QString>("keyCaption");
        QTest::newRow("no pay code: keyboard") << QString() << translated(2381);
        QTest::newRow("pay code: third caption") << QStringLiteral("01") << QStringLiteral("现金");
    }

    void keyCaptionFollowsPayCode()
    {
        QFETCH(QString, payCode);
        QFETCH(QString, keyCaption);
        if (!payCode.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_TradeKey_PayCode"), payCode);
        TradeWidget screen(0, nullptr);
        screen.SetQuickPay(QStringLiteral("微信"), QStringLiteral("支付宝"), QStringLiteral("现金"));
        QCOMPARE(screen.getUiQToolButton(47)->text(), QStringLiteral("微信"));
        QCOMPARE(child<QPushButton>(&screen, "btnKey")->text(), keyCaption);
    }

    void backspaceKeyDeletesBeforeCursor()
    {
        auto screen = functionKeyScreen(0);
        QLineEdit* line = screen->getUiQLineEdit(26);
        line->setText(QStringLiteral("6901"));
        line->setCursorPosition(2);
        clickChild(screen.get(), "btnPay");
        QCOMPARE(line->text(), QStringLiteral("601"));
    }
};

QTEST_MAIN(TradeQuickPayTest)
#include "tst_trade_quickpay.moc"
