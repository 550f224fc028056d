// Promotion type choice: keys "0" and "1" and the buttons choose and close
// the modal run with result 1; other keys go to the host.

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
        QTest::newRow("Escape is forwarded, not a close") << 2 << int(Qt::Key_Escape) << -1 << 0;
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
};

QTEST_MAIN(OptionsProTypeTest)
#include "tst_options_protype.moc"
