// The deposit menu: its two choices by key and click, the close button and
// forwarded keys, run modally as the host does.

#include "TestSupport.h"

#include "deposit/DepositWidget.h"

#include "contracts/KxPosTranslator.h"

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

    // Each choice shows the key that makes it, in both languages, and that
    // key, typed on the menu, makes that choice.
    void shownKeysChoose_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("textId");
        for (const char* language : {"zh_CN", "en"}) {
            QTest::addRow("%s deposit", language) << language << 0 << 2306;
            QTest::addRow("%s pick-up", language) << language << 1 << 2307;
        }
    }

    void shownKeysChoose()
    {
        QFETCH(QString, language);
        QFETCH(int, button);
        QFETCH(int, textId);
        QVERIFY(KxPosTranslator::SetLanguage(language));
        DepositWidget menu(0, nullptr);
        const QString caption = menu.getUiQPushButton(button)->text();
        QVERIFY2(caption.endsWith(QLatin1Char('\n') + KxPosTranslator::GetTranslation(textId)), qPrintable(caption));
        const QRegularExpression shownKey(QStringLiteral("^[【\\[](.)[】\\]]\n"));
        const QRegularExpressionMatch match = shownKey.match(caption);
        QVERIFY2(match.hasMatch(), qPrintable(caption));
        QSignalSpy toDeposit(&menu, &DepositWidget::SignGotoDeposit);
        QSignalSpy toLogin(&menu, &DepositWidget::SignGotoMembLogin);
        runMenu(menu, [&] { QTest::keyClicks(menu.getUiQWidget(1), match.captured(1)); });
        QCOMPARE(menu.result(), 1);
        QCOMPARE(toDeposit.count(), button == 0 ? 1 : 0);
        QCOMPARE(toLogin.count(), button == 1 ? 1 : 0);
    }
};

QTEST_MAIN(DepositMenuTest)
#include "tst_deposit_menu.moc"
