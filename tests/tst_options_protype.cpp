// Promotion type choice: keys "0" and "1" and the buttons choose and close
// the modal run with result 1; the arrows, Enter and Space choose by the
// focused key, Escape and Page Up back out; other keys go to the host.

#include "TestSupport.h"

#include "options/SelectProType.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace KxPosTest;

class OptionsProTypeTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // target: 0 the content frame, 1 the choice panel, 2 the dialog, 3 a
    // click on button `key` (0 ordinary, 1 gift coupon, 2 close).
    void choices_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("choice"); // -1: none
        QTest::addColumn<int>("result");
        QTest::newRow("0 on the panel: ordinary") << 1 << int(Qt::Key_0) << 0 << 1;
        QTest::newRow("1 on the content frame: gift coupon") << 0 << int(Qt::Key_1) << 1 << 1;
        QTest::newRow("F3 is forwarded") << 2 << int(Qt::Key_F3) << -1 << 0;
        QTest::newRow("gift coupon button") << 3 << 1 << 1 << 1;
        QTest::newRow("close button") << 3 << 2 << -1 << 0;
    }

    void choices()
    {
        QFETCH(int, target);
        QFETCH(int, key);
        QFETCH(int, choice);
        SelectProType dialog(1, nullptr);
        QSignalSpy chosen(&dialog, &SelectProType::SignSelectProType);
        QSignalSpy keys(&dialog, &SelectProType::SignSelectProTypeKeyPressed);
        bool openAfterKey = false;
        QTimer::singleShot(0, &dialog, [&] {
            if (target == 3)
                QTest::mouseClick(dialog.getUiQPushButton(key), Qt::LeftButton);
            else
                QTest::keyClick(target == 2 ? static_cast<QWidget*>(&dialog) : dialog.getUiQWidget(target), Qt::Key(key));
            openAfterKey = dialog.isVisible();
            if (openAfterKey) // whatever is left open is closed with the close key
                QTest::mouseClick(dialog.getUiQPushButton(2), Qt::LeftButton);
        });
        QTimer watchdog; // a dialog that never closes fails instead of hanging
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
        watchdog.start(10000);
        QTEST(dialog.show(), "result");
        QCOMPARE(openAfterKey, choice < 0 && target != 3);
        QCOMPARE(chosen.count(), choice < 0 ? 0 : 1);
        if (choice >= 0)
            QCOMPARE(chosen.at(0).at(0).toInt(), choice);
        const bool forwarded = choice < 0 && target != 3;
        QCOMPARE(keys.count(), forwarded ? 1 : 0);
        if (forwarded)
            QCOMPARE(keys.at(0), (QList<QVariant>{QStringLiteral("SelectProType"), key}));
    }

    // A cashier's key sequence, each key sent to whatever has the focus.
    void keysOnly_data()
    {
        QTest::addColumn<QList<int>>("sequence");
        QTest::addColumn<int>("choice"); // -1: none
        QTest::addColumn<int>("result");
        QTest::newRow("Enter takes the first key: ordinary") << QList<int>{Qt::Key_Return} << 0 << 1;
        QTest::newRow("Right, Enter: gift coupon") << QList<int>{Qt::Key_Right, Qt::Key_Enter} << 1 << 1;
        QTest::newRow("Down, Space: gift coupon") << QList<int>{Qt::Key_Down, Qt::Key_Space} << 1 << 1;
        QTest::newRow("Left wraps to the close key") << QList<int>{Qt::Key_Left, Qt::Key_Return} << -1 << 0;
        QTest::newRow("Tab, Tab, Tab wraps to ordinary")
            << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << 0 << 1;
        QTest::newRow("Escape backs out") << QList<int>{Qt::Key_Right, Qt::Key_Escape} << -1 << 0;
        QTest::newRow("Page Up backs out") << QList<int>{Qt::Key_PageUp} << -1 << 0;
    }

    void keysOnly()
    {
        QFETCH(QList<int>, sequence);
        QFETCH(int, choice);
        SelectProType dialog(1, nullptr);
        QSignalSpy chosen(&dialog, &SelectProType::SignSelectProType);
        QSignalSpy forwarded(&dialog, &SelectProType::SignSelectProTypeKeyPressed);
        QTimer::singleShot(0, &dialog, [&] {
            for (int key : qAsConst(sequence)) {
                QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &dialog;
                QTest::keyClick(target, Qt::Key(key));
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
        watchdog.start(10000);
        QTEST(dialog.show(), "result");
        QCOMPARE(chosen.count(), choice < 0 ? 0 : 1);
        if (choice >= 0)
            QCOMPARE(chosen.at(0).at(0).toInt(), choice);
        QCOMPARE(forwarded.count(), 0);
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("btnClose"))->text().contains(QStringLiteral("Esc")));
    }
};

QTEST_MAIN(OptionsProTypeTest)
#include "tst_options_protype.moc"
