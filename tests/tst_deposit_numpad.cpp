// The quantity pad of the pick-up screen: its decimal rules while typing,
// accepted quantities with the 0.01 tolerance, clearing, closing and
// forwarded keys.

#include "TestDeposits.h"
#include "TestSupport.h"

#include "deposit/DepositPluNumbInputWidget.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

namespace {
enum Button { Btn00 = 10, BtnDot = 11, BtnClear = 12, BtnOK = 13, BtnClose = 14 };
} // namespace

class DepositNumpadTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static std::unique_ptr<DepositPluNumbInputWidget> makePad(double maximum)
    {
        auto pad = shownScreen<DepositPluNumbInputWidget>(1);
        pad->initValue(maximum, 0);
        pad->clear();
        return pad;
    }

private slots:
    // Keypad keys ("00" is one key) and the text they leave.
    void decimalRules_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("fourth decimal rejected") << QStringList{"1", ".", "2", "3", "4", "5"} << "1.234";
        QTest::newRow("second point rejected") << QStringList{"1", ".", "2", "."} << "1.2";
        QTest::newRow("00 within the decimals") << QStringList{"1", ".", "2", "00"} << "1.200";
        QTest::newRow("00 past the decimals") << QStringList{"1", ".", "2", "3", "00"} << "1.23";
    }

    void decimalRules()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        auto pad = makePad(100000);
        for (const QString& key : keys)
            clickButton(*pad, key == QLatin1String("00") ? Btn00 : key == QLatin1String(".") ? BtnDot : key.toInt());
        QCOMPARE(pad->Text(), text);
        // The keyboard follows the same rules (it has no "00" key).
        if (!keys.contains(QStringLiteral("00"))) {
            pad->clear();
            QTest::keyClicks(pad->getUiQLineEdit(0), keys.join(QString()));
            QCOMPARE(pad->Text(), text);
        }
        QVERIFY(messageTexts().isEmpty());
    }

    // Accepted quantities go out and empty the box; up to 0.01 above what is
    // held is tolerated (the refusals are walked by tst_refusals).
    void confirm_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QString>("typed");
        QTest::newRow("0.01 over is tolerated") << 2.0 << "2.01";
        QTest::newRow("fraction of a held fraction") << 0.5 << "0.505";
    }

    void confirm()
    {
        QFETCH(double, maximum);
        QFETCH(QString, typed);
        for (bool byEnter : {false, true}) {
            auto pad = makePad(maximum);
            QSignalSpy accepted(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget);
            QTest::keyClicks(pad->getUiQLineEdit(0), typed);
            if (byEnter)
                QTest::keyClick(pad->getUiQLineEdit(0), Qt::Key_Enter);
            else
                clickButton(*pad, BtnOK);
            QVERIFY(messageTexts().isEmpty());
            QCOMPARE(accepted.count(), 1);
            QCOMPARE(accepted.at(0).at(0).toDouble(), typed.toDouble());
            QVERIFY(pad->Text().isEmpty());
        }
    }

    void clearCloseAndForwardedKeys()
    {
        auto pad = makePad(5);
        QSignalSpy keys(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidgetKeyPress);
        QTest::keyClicks(pad->getUiQLineEdit(0), QStringLiteral("12"));
        pad->backspace();
        QCOMPARE(pad->Text(), QStringLiteral("1"));
        QTest::keyClick(pad->getUiQLineEdit(0), Qt::Key_Escape);
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys.at(0), (QList<QVariant>{QStringLiteral("DepositPluNumbInput"), int(Qt::Key_Escape)}));
        QVERIFY(pad->isVisible()); // Escape belongs to the host
        clickButton(*pad, BtnClear);
        QVERIFY(pad->Text().isEmpty());
        clickButton(*pad, BtnClose);
        QVERIFY(!pad->isVisible());
        QCOMPARE(keys.count(), 1); // keys the box handles do not reach the host
    }
};

QTEST_MAIN(DepositNumpadTest)
#include "tst_deposit_numpad.moc"
