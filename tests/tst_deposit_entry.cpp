// The deposit list: code entry, the quantity key and its placeholder row,
// clear row / clear all, the host keys and the hand-over, driven through
// clicks, keys and the public slots as a cashier and a host would. The
// refusals are walked by tst_refusals; the keyboard-only deposit of
// tst_e2e_member covers the forwarded keys.

#include "TestDeposits.h"
#include "TestAccess.h"
#include "TestRecords.h"
#include "TestSupport.h"

#include "deposit/DepositPluWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace KxPosTest;

namespace {
// The screen's keys by their getUiQPushButton numbers.
enum Button { BtnOK, BtnCount, BtnBackspace, BtnClearRow, BtnClearAll, BtnClearNoAsk, BtnDeposit, BtnImport,
              BtnMember, BtnClerk, BtnDeskTop, BtnReturn, BtnPreRow, BtnNextRow, BtnKey0, BtnDot = 24, BtnGroupMember };

KxPosPluDetail product(const QString& code, double qty = 1.0)
{
    KxPosPluDetail line;
    line.pluCode = code;
    line.pluName = QStringLiteral("商品") + code;
    line.saleQty = qty;
    line.unitName = QStringLiteral("袋");
    return line;
}

const KxPosEmployeeDetail Clerk{QStringLiteral("E01"), QStringLiteral("张敏"), true};

// Types on the on-screen keypad ("0"-"9", ".").
void typeOnKeypad(DepositPluWidget& screen, const QString& text)
{
    for (const QChar c : text)
        clickButton(screen, c == QLatin1Char('.') ? BtnDot : BtnKey0 + (c.unicode() - '0'));
}

QString cell(DepositPluWidget& screen, int row, int column)
{
    return screen.getUiQTableView(0)->model()->index(row, column).data().toString();
}

int rows(DepositPluWidget& screen) { return screen.getUiQTableView(0)->model()->rowCount(); }

// Taps the suggestion `text` in the completer's open popup.
void tapSuggestion(QCompleter& completer, const QString& text)
{
    QAbstractItemView* popup = completer.popup();
    QTRY_VERIFY(popup->isVisible());
    const QModelIndexList found =
        popup->model()->match(popup->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(found.first()).center());
}

QStringList codes(const QList<KxPosPluDetail>& lines)
{
    QStringList out;
    for (const KxPosPluDetail& line : lines)
        out << line.pluCode;
    return out;
}
} // namespace

class DepositEntryTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static std::unique_ptr<DepositPluWidget> makeScreen(int screenType = 0, const QStringList& lines = {})
    {
        auto screen = shownScreen<DepositPluWidget>(screenType);
        screen->initValue();
        for (const QString& code : lines)
            screen->AddPlu(product(code));
        return screen;
    }

private slots:
    // Keypad and OK (the keyboard and Enter are in the end-to-end deposit).
    void codeEntry()
    {
        auto screen = makeScreen();
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        typeOnKeypad(*screen, QStringLiteral("6901234567892"));
        clickButton(*screen, BtnOK);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toString(), QStringLiteral("6901234567892"));
        QVERIFY(screen->getUiQLineEdit(0)->text().isEmpty());
        QVERIFY(!screen->getUiQLineEdit(0)->isUndoAvailable()); // no history kept all day
        QCOMPARE(rows(*screen), 0); // the host adds the line
    }

    // The quantity key rounds to whole pieces, up to the maximum; a
    // placeholder row shows the preset until the product comes, which then
    // takes its place.
    void quantityKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("quantity");
        QTest::newRow("rounded to nearest") << QStringLiteral("2.6") << 3;
        QTest::newRow("exactly the maximum") << QStringLiteral("999999") << 999999;
    }

    void quantityKey()
    {
        QFETCH(QString, typed);
        QFETCH(int, quantity);
        auto screen = makeScreen(0, {"1001"});
        QAbstractItemModelTester tester(screen->getUiQTableView(0)->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        typeOnKeypad(*screen, typed);
        clickButton(*screen, BtnCount);
        QVERIFY(messageTexts().isEmpty());
        QCOMPARE(screen->nextQuantity, quantity);
        QCOMPARE(rows(*screen), 2);
        QCOMPARE(cell(*screen, 1, 2), QString::number(quantity, 'f', 2));
        QCOMPARE(KxPosTestAccess::PluList(*screen).size(), 1);
        // The host builds the next line with the preset and resets it.
        connect(screen.get(), &DepositPluWidget::SignDepositAddPlu, this, [&](const QString& code) {
            screen->AddPlu(product(code, screen->nextQuantity));
            screen->initNextValue();
        });
        typeOnKeypad(*screen, QStringLiteral("2001"));
        clickButton(*screen, BtnOK);
        QCOMPARE(rows(*screen), 2);
        QCOMPARE(cell(*screen, 1, 1), QStringLiteral("2001"));
        QCOMPARE(cell(*screen, 1, 2), QString::number(quantity, 'f', 3));
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(KxPosTestAccess::PluList(*screen).at(1).lineNo, 1);
        QCOMPARE(screen->CurrentRow(), 1);
    }

    // Out-of-range and malformed quantities are refused before any rounding
    // and leave no preset and no placeholder row.
    void quantityKeyRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("boxCleared");
        QTest::newRow("20 digits") << QStringLiteral("99999999999999999999") << 604 << true;
        QTest::newRow("30 digits") << QString(30, QLatin1Char('9')) << 604 << true;
        QTest::newRow("exponent far beyond 64 bits") << QStringLiteral("1e300") << 604 << true;
        QTest::newRow("infinity") << QStringLiteral("inf") << 604 << true;
        QTest::newRow("just above the maximum") << QStringLiteral("999999.5") << 604 << true;
        QTest::newRow("huge negative") << QStringLiteral("-99999999999999999999") << 1903 << false;
        QTest::newRow("negative") << QStringLiteral("-3") << 1903 << false;
        QTest::newRow("less than half a piece") << QStringLiteral("0.4") << 1903 << false;
        QTest::newRow("not a number") << QStringLiteral("nan") << 1903 << false;
        QTest::newRow("two points") << QStringLiteral("1.2.3") << 1903 << false;
    }

    void quantityKeyRefused()
    {
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(bool, boxCleared);
        auto screen = makeScreen(0, {"1001"});
        // Pasted or typed by a keyboard wedge straight into the code box.
        screen->getUiQLineEdit(0)->setText(typed);
        clickButton(*screen, BtnCount);
        QCOMPARE(messageTexts(), QStringList{translated(message)});
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(rows(*screen), 1);
        QCOMPARE(screen->getUiQLineEdit(0)->text().isEmpty(), boxCleared);
    }

    // A suggestion chosen once enters its product once, however often the
    // host handed the completer over; a deposit list that is not shown never
    // enters the choices made with a completer it shares with another screen.
    void suggestionChosenOnce_data()
    {
        QTest::addColumn<int>("handOvers");
        QTest::addColumn<bool>("chosenElsewhere");
        QTest::newRow("handed over once") << 1 << false;
        QTest::newRow("handed over four times") << 4 << false;
        QTest::newRow("hidden list, chosen on the sales line") << 3 << true;
    }

    void suggestionChosenOnce()
    {
        QFETCH(int, handOvers);
        QFETCH(bool, chosenElsewhere);
        config().set(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("3"));
        const QString code = QStringLiteral("6901234567892");
        QCompleter completer(QStringList{code, QStringLiteral("6920202888883")});
        auto screen = makeScreen();
        connect(screen.get(), &DepositPluWidget::SignDepositAddPlu, this,
                [&](const QString& entered) { screen->AddPlu(product(entered)); });
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        for (int i = 0; i < handOvers; ++i)
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, &completer)));
        if (!chosenElsewhere) {
            typeOnKeypad(*screen, QStringLiteral("690"));
            tapSuggestion(completer, code);
            QCOMPARE(added.count(), 1);
            QCOMPARE(added.at(0).at(0).toString(), code);
            QCOMPARE(codes(KxPosTestAccess::PluList(*screen)), QStringList{code});
            return;
        }
        // The host leaves the deposit list and its sales line takes the
        // same completer.
        screen->hide();
        QLineEdit salesLine;
        salesLine.setCompleter(&completer);
        salesLine.show();
        // The line takes the completer over when it gets the keyboard, as on
        // the till: its window must be the active one (Qt 6's offscreen
        // platform does not activate a window that shows).
        salesLine.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&salesLine));
        salesLine.setFocus();
        QTest::keyClicks(&salesLine, QStringLiteral("692"));
        tapSuggestion(completer, QStringLiteral("6920202888883"));
        QCOMPARE(salesLine.text(), QStringLiteral("6920202888883"));
        QCOMPARE(added.count(), 0);
        QVERIFY(KxPosTestAccess::PluList(*screen).isEmpty());
    }

    // Yes to the question removes the current line; the rest are numbered
    // anew. The row keys stop at the ends.
    void clearRow()
    {
        auto screen = makeScreen(0, {"C0", "C1", "C2"});
        clickButton(*screen, BtnNextRow);
        QCOMPARE(screen->CurrentRow(), 2);
        clickButton(*screen, BtnPreRow); // the current line is the middle one
        QuestionMessage::QueueAnswers({1});
        clickButton(*screen, BtnClearRow);
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1908)});
        QCOMPARE(codes(KxPosTestAccess::PluList(*screen)), (QStringList{"C0", "C2"}));
        QCOMPARE(KxPosTestAccess::PluList(*screen).at(1).lineNo, 1);
        QCOMPARE(rows(*screen), 2);
        // Quantities show with three decimals.
        screen->AddPlu(product(QStringLiteral("W"), 1.2345));
        QCOMPARE(cell(*screen, 2, 2), QStringLiteral("1.234"));
    }

    void clearAll_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::newRow("asked, yes") << true;
        QTest::newRow("without asking") << false;
    }

    void clearAll()
    {
        QFETCH(bool, ask);
        auto screen = makeScreen(1, {"A"});
        screen->setVIP(sampleMember());
        screen->setEmployee(Clerk);
        screen->setSaleNo(QStringLiteral("S1"), QStringLiteral("0001"));
        screen->refresh();
        QSignalSpy clearedSpy(screen.get(), &DepositPluWidget::SignDepositClearAll);
        QuestionMessage::QueueAnswers({1});
        clickButton(*screen, ask ? BtnClearAll : BtnClearNoAsk);
        QCOMPARE(QuestionMessage::History(), ask ? QStringList{translated(1910)} : QStringList());
        QCOMPARE(clearedSpy.count(), 1);
        QVERIFY(KxPosTestAccess::PluList(*screen).isEmpty());
        QVERIFY(screen->Member().vipId.isEmpty());
        QVERIFY(screen->Employee().employeeCode.isEmpty());
        QVERIFY(!screen->IsWholeSale());
        QCOMPARE(screen->getUiQPushButton(BtnMember)->text(), translated(1912));
    }

    // The member, clerk and import keys ask the host; return from an empty
    // list leaves.
    void hostKeys()
    {
        auto screen = makeScreen(1);
        QSignalSpy login(screen.get(), &DepositPluWidget::SignMembLogin);
        QSignalSpy clerkLogin(screen.get(), &DepositPluWidget::SignEmployeeLogin);
        QSignalSpy import(screen.get(), &DepositPluWidget::SignDepositPluImport);
        QSignalSpy left(screen.get(), &DepositPluWidget::SignDepositReturn);
        clickButton(*screen, BtnMember);
        clickButton(*screen, BtnGroupMember); // the second group of screen type 1
        clickButton(*screen, BtnClerk);
        clickButton(*screen, BtnImport); // an empty list asks the host for goods
        QCOMPARE(login.count(), 2);
        QCOMPARE(clerkLogin.count(), 1);
        QCOMPARE(import.count(), 1);
        QCOMPARE(left.count(), 0);
        clickButton(*screen, BtnReturn);
        QCOMPARE(left.count(), 1);
        QVERIFY(!screen->isVisible());
        QVERIFY(messageTexts().isEmpty());
    }

};

QTEST_MAIN(DepositEntryTest)
#include "tst_deposit_entry.moc"
