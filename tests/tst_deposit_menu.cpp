// The deposit menu: its two choices by key and click, the close button and
// forwarded keys, run modally as the host does.

#include "TestSupport.h"

#include "deposit/DepositWidget.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace KxPosTest;

namespace {
// Runs the menu modally while `act` plays the cashier; returns show()'s
// result. Whatever the cashier did, the run is ended with -1 afterwards.
bool runMenu(DepositWidget& menu, const std::function<void()>& act)
{
    QTimer::singleShot(0, &menu, [&menu, act] {
        act();
        if (menu.isVisible())
            QTimer::singleShot(0, &menu, [&menu] { menu.done(-1); });
    });
    return menu.show();
}
} // namespace

class DepositMenuTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // how: a key on the focused deposit button, or a click on button 0-2
    // (keys 0 and 1 choose in the end-to-end deposit).
    void choices_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("deposits");
        QTest::addColumn<int>("pickups");
        QTest::addColumn<int>("forwarded");
        QTest::newRow("deposit button") << 0 << 0 << 1 << 1 << 0 << 0;
        QTest::newRow("pick-up button") << 0 << 1 << 1 << 0 << 1 << 0;
        QTest::newRow("close button") << 0 << 2 << 0 << 0 << 0 << 0;
        QTest::newRow("Escape goes to the host") << int(Qt::Key_Escape) << -1 << -1 << 0 << 0 << 1;
    }

    void choices()
    {
        QFETCH(int, key);
        QFETCH(int, button);
        QFETCH(int, result);
        QFETCH(int, deposits);
        QFETCH(int, pickups);
        QFETCH(int, forwarded);
        DepositWidget menu(0, nullptr);
        QSignalSpy toDeposit(&menu, &DepositWidget::SignGotoDeposit);
        QSignalSpy toLogin(&menu, &DepositWidget::SignGotoMembLogin);
        QSignalSpy keys(&menu, &DepositWidget::SignDepositWidgetKeyPressed);
        // A choice is signalled after the menu has closed with result 1.
        int resultAtSignal = 0;
        auto record = [&] { resultAtSignal = menu.isVisible() ? -2 : menu.result(); };
        connect(&menu, &DepositWidget::SignGotoDeposit, this, record);
        connect(&menu, &DepositWidget::SignGotoMembLogin, this, record);
        QWidget* focused = nullptr;
        runMenu(menu, [&] {
            focused = menu.focusWidget();
            if (button < 0)
                QTest::keyClick(menu.getUiQWidget(1), Qt::Key(key));
            else
                QTest::mouseClick(menu.getUiQPushButton(button), Qt::LeftButton);
        });
        QCOMPARE(focused, menu.getUiQWidget(1)); // the deposit button has the focus
        QCOMPARE(menu.result(), result);
        QCOMPARE(toDeposit.count(), deposits);
        QCOMPARE(toLogin.count(), pickups);
        QCOMPARE(resultAtSignal, deposits + pickups);
        QCOMPARE(keys.count(), forwarded);
        if (forwarded)
            QCOMPARE(keys.at(0), (QList<QVariant>{QStringLiteral("DepositWidget"), key}));
    }
};

QTEST_MAIN(DepositMenuTest)
#include "tst_deposit_menu.moc"
