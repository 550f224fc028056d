// The deposit menu: its two choices by key and click, the close button,
// forwarded keys, the modal run and the frame (flags, size, accessors,
// captions), driven as a host and a cashier would.

#include "TestSupport.h"

#include "deposit/DepositWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace KxPosTest;

class DepositMenuTest : public ScreenTestCase
{
    Q_OBJECT

private:
    // Runs the menu modally while `act` plays the cashier; returns show()'s result.
    static bool runMenu(DepositWidget& menu, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &menu, [&menu, act] {
            act();
            // Whatever the cashier did, the modal run must end.
            if (menu.isVisible())
                QTimer::singleShot(0, &menu, [&menu] { menu.done(-1); });
        });
        return menu.show();
    }

private slots:
    void choices_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("deposit");
        QTest::newRow("key 0 deposits") << true << int(Qt::Key_0) << true;
        QTest::newRow("key 1 picks up") << true << int(Qt::Key_1) << false;
        QTest::newRow("deposit button") << false << 0 << true;
        QTest::newRow("pick-up button") << false << 1 << false;
    }

    void choices()
    {
        QFETCH(bool, byKey);
        QFETCH(int, key);
        QFETCH(bool, deposit);
        DepositWidget menu(0, nullptr);
        QSignalSpy toDeposit(&menu, &DepositWidget::SignGotoDeposit);
        QSignalSpy toLogin(&menu, &DepositWidget::SignGotoMembLogin);
        QSignalSpy forwarded(&menu, &DepositWidget::SignDepositWidgetKeyPressed);
        // The signal comes after the menu has closed with result 1.
        int resultAtSignal = -1;
        auto record = [&] { resultAtSignal = menu.isVisible() ? -2 : menu.result(); };
        connect(&menu, &DepositWidget::SignGotoDeposit, this, record);
        connect(&menu, &DepositWidget::SignGotoMembLogin, this, record);

        const bool accepted = runMenu(menu, [&] {
            if (byKey)
                QTest::keyClick(menu.getUiQWidget(1), Qt::Key(key));
            else
                QTest::mouseClick(menu.getUiQPushButton(key), Qt::LeftButton);
        });
        QVERIFY(accepted);
        QCOMPARE(menu.result(), 1);
        QCOMPARE(resultAtSignal, 1);
        QCOMPARE(toDeposit.count(), deposit ? 1 : 0);
        QCOMPARE(toLogin.count(), deposit ? 0 : 1);
        QCOMPARE(forwarded.count(), 0);
    }

    void closeButtonEndsWithoutChoice()
    {
        DepositWidget menu(0, nullptr);
        QSignalSpy toDeposit(&menu, &DepositWidget::SignGotoDeposit);
        QSignalSpy toLogin(&menu, &DepositWidget::SignGotoMembLogin);
        const bool accepted = runMenu(menu, [&] { QTest::mouseClick(menu.getUiQPushButton(2), Qt::LeftButton); });
        QVERIFY(!accepted);
        QCOMPARE(menu.result(), 0);
        QCOMPARE(toDeposit.count(), 0);
        QCOMPARE(toLogin.count(), 0);
    }

    void closeSlotEndsWithResultOne()
    {
        DepositWidget menu(0, nullptr);
        QSignalSpy toDeposit(&menu, &DepositWidget::SignGotoDeposit);
        QVERIFY(runMenu(menu, [&] { menu.close(); }));
        QCOMPARE(toDeposit.count(), 0);
    }

    void otherKeysGoToTheHost_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onButton");
        QTest::newRow("escape on menu") << int(Qt::Key_Escape) << false;
        QTest::newRow("page up on button") << int(Qt::Key_PageUp) << true;
        QTest::newRow("2 on button") << int(Qt::Key_2) << true;
        QTest::newRow("enter on button") << int(Qt::Key_Return) << true;
        QTest::newRow("f1 on menu") << int(Qt::Key_F1) << false;
    }

    void otherKeysGoToTheHost()
    {
        QFETCH(int, key);
        QFETCH(bool, onButton);
        DepositWidget menu(0, nullptr);
        QSignalSpy forwarded(&menu, &DepositWidget::SignDepositWidgetKeyPressed);
        QSignalSpy toDeposit(&menu, &DepositWidget::SignGotoDeposit);
        QSignalSpy toLogin(&menu, &DepositWidget::SignGotoMembLogin);
        bool stillOpen = false;
        const bool accepted = runMenu(menu, [&] {
            QTest::keyClick(onButton ? menu.getUiQWidget(1) : static_cast<QWidget*>(&menu), Qt::Key(key));
            stillOpen = menu.isVisible();
        });
        QVERIFY(stillOpen);
        QVERIFY(accepted); // ended by the test with -1, which is non-zero
        QCOMPARE(forwarded.count(), 1);
        QCOMPARE(forwarded.at(0).at(0).toString(), QStringLiteral("DepositWidget"));
        QCOMPARE(forwarded.at(0).at(1).toInt(), key);
        QCOMPARE(toDeposit.count() + toLogin.count(), 0);
    }

    void showFocusesTheDepositButton()
    {
        DepositWidget menu(0, nullptr);
        QWidget* focused = nullptr;
        runMenu(menu, [&] {
            focused = menu.focusWidget();
            menu.on_btnClose_clicked();
        });
        QCOMPARE(focused, menu.getUiQWidget(1));
    }

    void frameOfTypeZeroAndOne()
    {
        DepositWidget flat(0, nullptr);
        QVERIFY(flat.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(flat.windowType(), Qt::Dialog);
        QCOMPARE(flat.ScreenType(), 0);
        QCOMPARE(flat.width(), KxPosConfig::iAppWidth);
        QCOMPARE(flat.minimumSize(), flat.maximumSize());
        QVERIFY(flat.getUiQWidget(4)->isHidden());

        DepositWidget titled(1, nullptr);
        QCOMPARE(titled.ScreenType(), 1);
        QVERIFY(!titled.getUiQWidget(4)->isHidden());
        QCOMPARE(titled.getUiQLable(0)->text(), KxPosTranslator::GetTranslation(7301));
    }

    void accessorsNeverReturnNull()
    {
        DepositWidget menu(1, nullptr);
        QCOMPARE(menu.getUiQPushButton(0)->text(), KxPosTranslator::GetTranslation(2306));
        QCOMPARE(menu.getUiQPushButton(1)->text(), KxPosTranslator::GetTranslation(2307));
        QCOMPARE(menu.getUiQPushButton(2)->text(), KxPosTranslator::GetTranslation(7300));
        QCOMPARE(menu.getUiQPushButton(3), UIComponentGapFiller::getQPushButton());
        QCOMPARE(menu.getUiQPushButton(-1), UIComponentGapFiller::getQPushButton());
        QCOMPARE(menu.getUiQWidget(99), UIComponentGapFiller::getQWidget());
        QCOMPARE(menu.getUiQLable(2), UIComponentGapFiller::getQLabel());
    }

    void captionsFollowTheLanguage()
    {
        DepositWidget menu(1, nullptr);
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(menu.getUiQPushButton(0)->text(), KxPosTranslator::GetTranslation(2306));
        QCOMPARE(menu.getUiQPushButton(0)->text(), QStringLiteral("Deposit"));
        QCOMPARE(menu.getUiQPushButton(1)->text(), QStringLiteral("Pick up"));
    }

    void projectCodeVariant_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QString>("frameType");
        QTest::newRow("standard") << QStringLiteral("1") << QStringLiteral("STD7.0") << QString();
        QTest::newRow("branded") << QStringLiteral("2") << QString() << QStringLiteral("KRVA");
    }

    void projectCodeVariant()
    {
        QFETCH(QString, code);
        QFETCH(QString, logo);
        QFETCH(QString, frameType);
        KxPosConfig::sProjectCode = code;
        DepositWidget menu(1, nullptr);
        QCOMPARE(menu.getUiQLable(1)->text(), logo);
        QCOMPARE(menu.getUiQWidget(5)->property("showType").toString(), frameType);
        if (code == QLatin1String("2"))
            QCOMPARE(menu.getUiQLable(1)->size(), KxPosConfig::GetAutoSize(120, 40, 75, 25));
    }
};

QTEST_MAIN(DepositMenuTest)
#include "tst_deposit_menu.moc"
