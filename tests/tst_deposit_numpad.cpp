// The quantity pad of the pick-up screen: its decimal rules while typing,
// the confirm checks with the 0.01 tolerance, its messages, keys and frame,
// driven through the keypad, the keyboard and the public slots.

#include "TestSupport.h"

#include "deposit/DepositPluNumbInputWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/UIComponentGapFiller.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
enum Button {
    Btn00 = 10,
    BtnDot = 11,
    BtnClear = 12,
    BtnOK = 13,
    BtnClose = 14,
};
} // namespace

class DepositNumpadTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static std::unique_ptr<DepositPluNumbInputWidget> makePad(double maximum, int screenType = 1)
    {
        auto pad = std::make_unique<DepositPluNumbInputWidget>(screenType, nullptr);
        pad->show();
        pad->initValue(maximum, 0);
        pad->clear();
        return pad;
    }

    static void click(DepositPluNumbInputWidget& pad, int button)
    {
        QTest::mouseClick(pad.getUiQPushButton(button), Qt::LeftButton);
    }

    // Presses keypad keys; "00" is one key.
    static void press(DepositPluNumbInputWidget& pad, const QStringList& keys)
    {
        for (const QString& key : keys) {
            if (key == QLatin1String("00"))
                click(pad, Btn00);
            else if (key == QLatin1String("."))
                click(pad, BtnDot);
            else
                click(pad, key.toInt());
        }
    }

private slots:
    void decimalRules_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("three decimals") << QStringList{"1", ".", "2", "3", "4"} << QStringLiteral("1.234");
        QTest::newRow("fourth decimal rejected") << QStringList{"1", ".", "2", "3", "4", "5"} << QStringLiteral("1.234");
        QTest::newRow("second point rejected") << QStringList{"1", ".", "2", "."} << QStringLiteral("1.2");
        QTest::newRow("second point right away") << QStringList{".", "."} << QStringLiteral(".");
        QTest::newRow("00 within the decimals") << QStringList{"1", ".", "2", "00"} << QStringLiteral("1.200");
        QTest::newRow("00 past the decimals") << QStringList{"1", ".", "2", "3", "00"} << QStringLiteral("1.23");
        QTest::newRow("whole numbers") << QStringList{"1", "2", "00", "0"} << QStringLiteral("12000");
    }

    void decimalRules()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        auto pad = makePad(100000);
        press(*pad, keys);
        QCOMPARE(pad->Text(), text);
        QVERIFY(messageTexts().isEmpty());
    }

    void keyboardFollowsTheSameRules()
    {
        auto pad = makePad(10);
        QLineEdit* box = pad->getUiQLineEdit(0);
        QTest::keyClicks(box, QStringLiteral("1.2345"));
        QCOMPARE(pad->Text(), QStringLiteral("1.234"));
        QTest::keyClicks(box, QStringLiteral("."));
        QCOMPARE(pad->Text(), QStringLiteral("1.234"));
        QTest::keyClick(box, Qt::Key_Backspace); // the box edits itself
        QCOMPARE(pad->Text(), QStringLiteral("1.23"));
    }

    void confirm_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<double>("emitted");
        QTest::newRow("within") << 2.0 << QStringLiteral("1.5") << 0 << 1.5;
        QTest::newRow("exactly the maximum") << 2.0 << QStringLiteral("2") << 0 << 2.0;
        QTest::newRow("0.01 over is tolerated") << 2.0 << QStringLiteral("2.01") << 0 << 2.01;
        QTest::newRow("0.02 over is refused") << 2.0 << QStringLiteral("2.02") << 2296 << 0.0;
        QTest::newRow("smallest quantity") << 2.0 << QStringLiteral("0.01") << 0 << 0.01;
        QTest::newRow("below the smallest") << 2.0 << QStringLiteral("0.009") << 2295 << 0.0;
        QTest::newRow("zero") << 2.0 << QStringLiteral("0") << 2295 << 0.0;
        QTest::newRow("empty") << 2.0 << QString() << 2297 << 0.0;
        QTest::newRow("only a point") << 2.0 << QStringLiteral(".") << 2297 << 0.0;
        QTest::newRow("fraction of a held fraction") << 0.5 << QStringLiteral("0.505") << 0 << 0.505;
    }

    void confirm()
    {
        QFETCH(double, maximum);
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(double, emitted);
        auto pad = makePad(maximum);
        QCOMPARE(pad->MaxQuantity(), maximum);
        QSignalSpy accepted(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget);
        QTest::keyClicks(pad->getUiQLineEdit(0), typed);
        click(*pad, BtnOK);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QCOMPARE(accepted.count(), message ? 0 : 1);
        if (!message) {
            QCOMPARE(accepted.at(0).at(0).toDouble(), emitted);
            QVERIFY(pad->Text().isEmpty());
        } else {
            QCOMPARE(pad->Text(), typed); // a refusal leaves the box as it was
        }
    }

    void lettersAreNoQuantity()
    {
        auto pad = makePad(5);
        QSignalSpy accepted(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget);
        QTest::keyClicks(pad->getUiQLineEdit(0), QStringLiteral("abc"));
        QTest::keyClick(pad->getUiQLineEdit(0), Qt::Key_Return);
        QCOMPARE(messageTexts(), QStringList{translated(2297)});
        QCOMPARE(accepted.count(), 0);
    }

    void enterConfirms()
    {
        auto pad = makePad(3);
        QSignalSpy accepted(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget);
        QTest::keyClicks(pad->getUiQLineEdit(0), QStringLiteral("2.5"));
        QTest::keyClick(pad->getUiQLineEdit(0), Qt::Key_Enter);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(accepted.at(0).at(0).toDouble(), 2.5);
    }

    void initValueShowsTheCurrentQuantity_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 2.0 << QStringLiteral("2");
        QTest::newRow("fraction") << 1.25 << QStringLiteral("1.25");
        QTest::newRow("six significant digits") << 3.14159265 << QStringLiteral("3.14159");
    }

    void initValueShowsTheCurrentQuantity()
    {
        QFETCH(double, current);
        QFETCH(QString, text);
        DepositPluNumbInputWidget pad(1, nullptr);
        pad.initValue(9, current);
        QCOMPARE(pad.Text(), text);
        QCOMPARE(pad.MaxQuantity(), 9.0);
    }

    void clearAndClose()
    {
        auto pad = makePad(5);
        press(*pad, {"1", "2"});
        pad->backspace();
        QCOMPARE(pad->Text(), QStringLiteral("1"));
        click(*pad, BtnClear);
        QVERIFY(pad->Text().isEmpty());
        QVERIFY(pad->isVisible());
        click(*pad, BtnClose);
        QVERIFY(!pad->isVisible());
    }

    void otherKeysGoToTheHost_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("escape") << int(Qt::Key_Escape);
        QTest::newRow("page up") << int(Qt::Key_PageUp);
        QTest::newRow("f3") << int(Qt::Key_F3);
    }

    void otherKeysGoToTheHost()
    {
        QFETCH(int, key);
        auto pad = makePad(5);
        QSignalSpy keys(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidgetKeyPress);
        QSignalSpy accepted(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget);
        QTest::keyClick(pad->getUiQLineEdit(0), Qt::Key(key));
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys.at(0).at(0).toString(), QStringLiteral("DepositPluNumbInput"));
        QCOMPARE(keys.at(0).at(1).toInt(), key);
        QCOMPARE(accepted.count(), 0);
        // Keys handled by the box itself do not reach the host.
        QTest::keyClick(pad->getUiQLineEdit(0), Qt::Key_3);
        QCOMPARE(keys.count(), 1);
    }

    void frame()
    {
        auto titled = makePad(5, 1);
        QCOMPARE(titled->windowType(), Qt::Tool);
        QVERIFY(titled->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(titled->windowModality(), Qt::ApplicationModal);
        QVERIFY(titled->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(titled->windowOpacity(), 1.0);
        QVERIFY(!titled->getUiQWidget(0)->isHidden());
        QCOMPARE(titled->getUiQLable(0)->text(), translated(7319));
        QCOMPARE(titled->getUiQPushButton(BtnOK)->text(), translated(1259));
        QCOMPARE(titled->getUiQPushButton(BtnClose)->text(), translated(7300));
        QCOMPARE(titled->getUiQPushButton(15), UIComponentGapFiller::getQPushButton());
        QCOMPARE(titled->getUiQLineEdit(1), UIComponentGapFiller::getQLineEdit());
        QCOMPARE(titled->getUiQWidget(2), UIComponentGapFiller::getQWidget());
        titled->close();

        auto bare = makePad(5, 0);
        QVERIFY(bare->getUiQWidget(0)->isHidden());
        QCOMPARE(bare->minimumSize(), bare->maximumSize());
        QCOMPARE(bare->size(), bare->getUiQWidget(1)->sizeHint());
        bare->close();
    }
};

QTEST_MAIN(DepositNumpadTest)
#include "tst_deposit_numpad.moc"
