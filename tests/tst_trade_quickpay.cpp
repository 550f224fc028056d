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
// A payment key pressed after `setup` ("grid": function grid open in a sale
// mode, "idle": a line of the last sale and no sale open, "editing": the
// function bar in edit mode): the pay codes asked for ("-": the cashier
// chooses), the key entry screens and the sales started. The refusals are
// walked by tst_refusals.
struct PayCase {
    QString payCode, keyShowType, setup;
    QByteArray key; // a button, or "pay <code>" for the host's pay()
    QStringList paid;
    int entryScreens, starts;
};
} // namespace

Q_DECLARE_METATYPE(PayCase)

class TradeQuickPayTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void paymentKeys_data()
    {
        QTest::addColumn<PayCase>("c");
        QTest::newRow("key button pays with its code") << PayCase{"01", "1", "", "btnKey", {"CashPay"}, 0, 0};
        QTest::newRow("key button opens key entry") << PayCase{"", "1", "", "btnKey", {}, 1, 0};
        QTest::newRow("first quick pay") << PayCase{"", "", "grid", "toolButtonpayfirst", {"WxPay"}, 0, 0};
        QTest::newRow("other: the cashier chooses") << PayCase{"", "", "grid", "toolButtonpayother", {"-"}, 0, 0};
        QTest::newRow("host's pay()") << PayCase{"", "", "grid", "pay UnionPay", {"UnionPay"}, 0, 0};
        QTest::newRow("idle: starts a sale instead") << PayCase{"", "", "idle", "toolButtonpayfirst", {}, 0, 1};
        QTest::newRow("pay leaves edit mode") << PayCase{"", "", "editing", "toolButtonpayother", {"-"}, 0, 0};
    }

    void paymentKeys()
    {
        QFETCH(PayCase, c);
        if (!c.payCode.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("SYSTEM_TradeKey_PayCode"), c.payCode);
        if (!c.keyShowType.isEmpty())
            KxPosConfig::SetValue(QStringLiteral("TRADE_TradeKeyShowType"), c.keyShowType);
        auto screen = functionKeyScreen(36);
        if (c.setup == QLatin1String("grid") || c.setup == QLatin1String("editing"))
            openFunctionGrid(screen.get());
        if (c.setup == QLatin1String("grid"))
            screen->saleModeFlag1 = true;
        if (c.setup == QLatin1String("editing"))
            clickChild(screen.get(), "btnEditFun");
        if (c.setup == QLatin1String("idle")) {
            bindTradeLines(screen.get(), tradeLines(1));
            screen->SetTradeActive(false);
        }
        const int rows = screen->GetTable()->rowCount();
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QSignalSpy entry(screen.get(), &TradeWidget::SignShowKeyEntryWidget);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        if (c.key.startsWith("pay "))
            screen->pay(QString::fromLatin1(c.key.mid(4)));
        else
            clickChild(screen.get(), c.key.constData());
        QStringList paid;
        for (const QList<QVariant>& args : pay) {
            QCOMPARE(args.at(0).toInt(), 0);
            paid << (args.at(1).toString().isNull() ? QStringLiteral("-") : args.at(1).toString());
        }
        QCOMPARE(paid, c.paid);
        QCOMPARE(entry.count(), c.entryScreens);
        QCOMPARE(start.count(), c.starts);
        QVERIFY(MessageWidget::History().isEmpty());
        QCOMPARE(screen->GetTable()->rowCount(), c.starts ? 0 : rows);
        // Paying closes the function grid and the keyboard, ends a sale mode
        // and the edit mode.
        QVERIFY(screen->getUiQDockWidget(22)->isHidden());
        QVERIFY(screen->getUiQDockWidget(23)->isHidden());
        QCOMPARE(screen->saleModeFlag1, c.setup == QLatin1String("grid") && c.paid.isEmpty());
        QCOMPARE(child<QPushButton>(screen.get(), "btnEditFun")->text(), translated(2382));
        QCOMPARE(showType(shortcutKey(screen.get(), 1)), QStringLiteral("normal"));
        QVERIFY(!screen->amountTyped);
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

    void payGuardDropsPressesWithin500ms()
    {
        auto screen = functionKeyScreen(0);
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QElapsedTimer guarded;
        clickChild(screen.get(), "toolButtonpayfirst");
        guarded.start();
        clickChild(screen.get(), "toolButtonpaysecond");
        screen->pay(QStringLiteral("CashPay"));
        QCOMPARE(firstArguments(pay), QStringList{"0"});
        QCOMPARE(pay.at(0).at(1).toString(), QStringLiteral("WxPay"));
        // The guard ends by its own timer, not before half a second.
        QTRY_VERIFY_WITH_TIMEOUT(!TradeWidgetTestAccess::payGuard(*screen).isActive(), 10000);
        QVERIFY2(guarded.elapsed() >= 500, qPrintable(QString::number(guarded.elapsed())));
        clickChild(screen.get(), "toolButtonpayother");
        QCOMPARE(pay.count(), 2);
        QCOMPARE(pay.at(1).at(1).toString(), QString());
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
