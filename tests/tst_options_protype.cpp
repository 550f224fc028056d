// Promotion type choice: keys "0" and "1", the buttons, results and signals.

#include "TestSupport.h"

#include "options/SelectProType.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {
// Runs the dialog; `during` acts once it runs, and whatever it leaves open
// is closed with the close key (a watchdog guards against a hang).
int runDialog(SelectProType& dialog, const std::function<void()>& during)
{
    QTimer::singleShot(0, &dialog, [&] {
        during();
        if (dialog.isVisible())
            QTest::mouseClick(dialog.getUiQPushButton(2), Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
    watchdog.start(10000);
    return dialog.show();
}
} // namespace

class OptionsProTypeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        qRegisterMetaType<QString>();
        KxPosConfig::SetAppSize(1024, 768);
    }

    // target: 0 the content frame, 1 the choice panel, 2 the dialog itself.
    void keys_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("forwarded");
        QTest::addColumn<int>("result");
        QTest::newRow("0 on the panel: ordinary") << 1 << int(Qt::Key_0) << QList<int>{0} << 0 << 1;
        QTest::newRow("1 on the panel: gift coupon") << 1 << int(Qt::Key_1) << QList<int>{1} << 0 << 1;
        QTest::newRow("1 on the content frame") << 0 << int(Qt::Key_1) << QList<int>{1} << 0 << 1;
        QTest::newRow("0 on the dialog") << 2 << int(Qt::Key_0) << QList<int>{0} << 0 << 1;
        QTest::newRow("2 is forwarded") << 1 << int(Qt::Key_2) << QList<int>{} << 1 << 0;
        QTest::newRow("F3 is forwarded") << 2 << int(Qt::Key_F3) << QList<int>{} << 1 << 0;
        QTest::newRow("Escape is forwarded, not a close") << 1 << int(Qt::Key_Escape) << QList<int>{} << 1 << 0;
    }

    void keys()
    {
        QFETCH(int, target);
        QFETCH(int, key);
        QFETCH(QList<int>, choices);
        QFETCH(int, forwarded);
        QFETCH(int, result);
        SelectProType dialog(1, nullptr);
        QSignalSpy chosen(&dialog, &SelectProType::SignSelectProType);
        QSignalSpy keysOut(&dialog, &SelectProType::SignSelectProTypeKeyPressed);
        bool openAfterKey = false;
        const int code = runDialog(dialog, [&] {
            QWidget* to = target == 2 ? static_cast<QWidget*>(&dialog) : dialog.getUiQWidget(target);
            QTest::keyClick(to, Qt::Key(key));
            openAfterKey = dialog.isVisible();
        });
        QCOMPARE(code, result);
        QCOMPARE(openAfterKey, choices.isEmpty());
        QCOMPARE(chosen.count(), choices.size());
        for (int i = 0; i < choices.size(); ++i)
            QCOMPARE(chosen.at(i).at(0).toInt(), choices.at(i));
        QCOMPARE(keysOut.count(), forwarded);
        if (forwarded) {
            QCOMPARE(keysOut.at(0).at(0).toString(), QStringLiteral("SelectProType"));
            QCOMPARE(keysOut.at(0).at(1).toInt(), key);
        }
    }

    void buttons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("result");
        QTest::newRow("ordinary promotions") << 0 << 1 << 0 << 1;
        QTest::newRow("gift coupon") << 1 << 1 << 1 << 1;
        QTest::newRow("close") << 2 << 0 << -1 << 0;
    }

    void buttons()
    {
        QFETCH(int, button);
        QFETCH(int, emitted);
        QFETCH(int, choice);
        QFETCH(int, result);
        SelectProType dialog(1, nullptr);
        QSignalSpy chosen(&dialog, &SelectProType::SignSelectProType);
        const int code = runDialog(dialog, [&] { QTest::mouseClick(dialog.getUiQPushButton(button), Qt::LeftButton); });
        QCOMPARE(code, result);
        QCOMPARE(chosen.count(), emitted);
        if (emitted)
            QCOMPARE(chosen.at(0).at(0).toInt(), choice);
    }

    void screenTypeLayout()
    {
        KxPosConfig::SetAppSize(800, 600);
        SelectProType strip(0, nullptr);
        QVERIFY(strip.getUiQWidget(2)->isHidden());
        QCOMPARE(strip.width(), 800);
        QVERIFY(strip.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(strip.height() > 0 && strip.height() < 600);

        SelectProType dialog(1, nullptr);
        QVERIFY(!dialog.getUiQWidget(2)->isHidden());
        QCOMPARE(dialog.getUiQPushButton(0)->text(), KxPosTranslator::GetTranslation(2352));
        QCOMPARE(dialog.getUiQPushButton(1)->text(), KxPosTranslator::GetTranslation(2353));
        QVERIFY(dialog.getUiQWidget(99) != nullptr);
        KxPosConfig::SetAppSize(1024, 768);
    }

    void retranslates()
    {
        SelectProType dialog(1, nullptr);
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(dialog.getUiQPushButton(1)->text(), KxPosTranslator::GetTranslation(2353));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
        QCOMPARE(dialog.getUiQPushButton(1)->text(), KxPosTranslator::GetTranslation(2353));
        QCOMPARE(dialog.getUiQPushButton(1)->text(), QStringLiteral("使用赠券"));
    }
};

QTEST_MAIN(OptionsProTypeTest)
#include "tst_options_protype.moc"
