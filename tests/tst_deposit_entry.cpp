// The deposit list: code entry, the quantity key and its placeholder row,
// clear row / clear all, the host keys, the hand-over checks in order,
// leaving, navigation, forwarded keys and the table, driven through clicks,
// keys and the public slots as a cashier and a host would. The refusals
// themselves are walked by tst_refusals.

#include "TestDeposits.h"
#include "TestRecords.h"
#include "TestSupport.h"

#include "deposit/DepositPluTableDelegate.h"
#include "deposit/DepositPluWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QAbstractItemModelTester>
#include <QLabel>
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
    void codeEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("keypad and OK") << QStringLiteral("6901234567892") << false;
        QTest::newRow("keyboard and Enter") << QStringLiteral("1001") << true;
    }

    void codeEntry()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        auto screen = makeScreen();
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        QLineEdit* box = screen->getUiQLineEdit(0);
        if (byEnter) {
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            typeOnKeypad(*screen, typed);
            clickButton(*screen, BtnOK);
        }
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toString(), typed);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(rows(*screen), 0); // the host adds the line
    }

    // --- Quantity key -------------------------------------------------------

    void quantityKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("quantity");
        QTest::newRow("rounds to no piece") << QStringLiteral("0.4") << 1903 << 0;
        QTest::newRow("rounded to nearest") << QStringLiteral("2.6") << 0 << 3;
        QTest::newRow("exactly the maximum") << QStringLiteral("999999") << 0 << 999999;
        QTest::newRow("above the maximum") << QStringLiteral("999999.5") << 604 << 0;
    }

    void quantityKey()
    {
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(int, quantity);
        auto screen = makeScreen();
        QAbstractItemModelTester tester(screen->getUiQTableView(0)->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        typeOnKeypad(*screen, typed);
        clickButton(*screen, BtnCount);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QCOMPARE(screen->nextQuantity, quantity);
        // A placeholder row shows the preset until the product comes.
        QCOMPARE(rows(*screen), quantity ? 1 : 0);
        if (quantity)
            QCOMPARE(cell(*screen, 0, 2), QString::number(quantity, 'f', 2));
        QVERIFY(screen->PluList().isEmpty());
    }

    void quantityPlaceholderGivesWayToTheProduct()
    {
        auto screen = makeScreen(0, {"1001"});
        typeOnKeypad(*screen, QStringLiteral("4"));
        clickButton(*screen, BtnCount);
        QCOMPARE(rows(*screen), 2);
        // The host builds the next line with the preset and resets it.
        connect(screen.get(), &DepositPluWidget::SignDepositAddPlu, this, [&](const QString& code) {
            screen->AddPlu(product(code, screen->nextQuantity));
            screen->initNextValue();
        });
        typeOnKeypad(*screen, QStringLiteral("2001"));
        clickButton(*screen, BtnOK);
        QCOMPARE(rows(*screen), 2);
        QCOMPARE(cell(*screen, 1, 1), QStringLiteral("2001"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("4.000"));
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(screen->PluList().at(1).lineNo, 1);
        QCOMPARE(screen->CurrentRow(), 1);
    }

    // --- Clear row, clear all ------------------------------------------------

    // Yes to the question removes the current line; the rest are numbered anew.
    void clearRow()
    {
        auto screen = makeScreen(0, {"C0", "C1", "C2"});
        clickButton(*screen, BtnPreRow); // the current line is the middle one
        QuestionMessage::QueueAnswers({1});
        clickButton(*screen, BtnClearRow);
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1908)});
        QCOMPARE(codes(screen->PluList()), (QStringList{"C0", "C2"}));
        QCOMPARE(screen->PluList().at(1).lineNo, 1);
        QCOMPARE(rows(*screen), 2);
    }

    void clearAll_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("asked, yes") << true << 1 << true;
        QTest::newRow("without asking") << false << 0 << true;
    }

    void clearAll()
    {
        QFETCH(bool, ask);
        QFETCH(int, answer);
        QFETCH(bool, cleared);
        auto screen = makeScreen(1, {"A"});
        screen->setVIP(sampleMember());
        screen->setEmployee(Clerk);
        screen->setSaleNo(QStringLiteral("S1"), QStringLiteral("0001"));
        screen->refresh();
        QSignalSpy clearedSpy(screen.get(), &DepositPluWidget::SignDepositClearAll);
        QuestionMessage::QueueAnswers({answer});
        clickButton(*screen, ask ? BtnClearAll : BtnClearNoAsk);
        QCOMPARE(QuestionMessage::History(), ask ? QStringList{translated(1910)} : QStringList());
        QCOMPARE(clearedSpy.count(), cleared ? 1 : 0);
        QCOMPARE(screen->PluList().isEmpty(), cleared);
        QCOMPARE(screen->Member().vipId.isEmpty(), cleared);
        QCOMPARE(screen->Employee().employeeCode.isEmpty(), cleared);
        QCOMPARE(screen->IsWholeSale(), !cleared);
        QCOMPARE(screen->getUiQPushButton(BtnMember)->text(), cleared ? translated(1912) : QStringLiteral("13812345678"));
    }

    // --- Member, clerk and hand-over ------------------------------------------

    void memberClerkAndImportKeys()
    {
        auto screen = makeScreen(1);
        QSignalSpy login(screen.get(), &DepositPluWidget::SignMembLogin);
        QSignalSpy clerkLogin(screen.get(), &DepositPluWidget::SignEmployeeLogin);
        QSignalSpy import(screen.get(), &DepositPluWidget::SignDepositPluImport);
        clickButton(*screen, BtnMember);
        clickButton(*screen, BtnGroupMember); // the second group of screen type 1
        clickButton(*screen, BtnClerk);
        clickButton(*screen, BtnImport); // an empty list asks the host for goods
        QCOMPARE(login.count(), 2);
        QCOMPARE(clerkLogin.count(), 1);
        QCOMPARE(import.count(), 1);
        QVERIFY(messageTexts().isEmpty());
    }

    void handOver_data()
    {
        QTest::addColumn<bool>("withMember");
        QTest::addColumn<bool>("withClerk");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("message");
        QTest::newRow("nothing set: member first") << false << false << 0 << 2302;
        QTest::newRow("no clerk, no lines: clerk first") << true << false << 0 << 1905;
        QTest::newRow("handed over") << true << true << 2 << 0;
    }

    void handOver()
    {
        QFETCH(bool, withMember);
        QFETCH(bool, withClerk);
        QFETCH(int, lines);
        QFETCH(int, message);
        auto screen = makeScreen();
        if (withMember)
            screen->setVIP(sampleMember());
        if (withClerk)
            screen->setEmployee(Clerk);
        for (int i = 0; i < lines; ++i)
            screen->AddPlu(product(QStringLiteral("P%1").arg(i), i + 1.5));
        QSignalSpy handed(screen.get(), &DepositPluWidget::SignDepositPlus);
        clickButton(*screen, BtnDeposit);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QCOMPARE(handed.count(), message ? 0 : 1);
        if (!message) {
            const auto list = handed.at(0).at(0).value<QList<KxPosPluDetail>>();
            QCOMPARE(codes(list), (QStringList{"P0", "P1"}));
            QCOMPARE(list.at(1).saleQty, 2.5);
            QCOMPARE(list.at(1).lineNo, 1);
        }
        QCOMPARE(screen->PluList().size(), lines); // kept until the host starts anew
    }

    // --- Leaving, navigation and keys --------------------------------------------

    void leaving_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("withLines");
        QTest::newRow("desktop with lines") << int(BtnDeskTop) << true;
        QTest::newRow("return, empty") << int(BtnReturn) << false;
    }

    void leaving()
    {
        QFETCH(int, button);
        QFETCH(bool, withLines);
        auto screen = makeScreen(0, withLines ? QStringList{"A"} : QStringList());
        QSignalSpy left(screen.get(), &DepositPluWidget::SignDepositReturn);
        clickButton(*screen, button);
        QCOMPARE(left.count(), withLines ? 0 : 1);
        QCOMPARE(screen->isVisible(), withLines);
        QCOMPARE(messageTexts(), withLines ? QStringList{translated(2301)} : QStringList());
        QCOMPARE(screen->PluList().size(), withLines ? 1 : 0);
    }

    void rowNavigationStopsAtTheEnds()
    {
        auto screen = makeScreen();
        clickButton(*screen, BtnPreRow); // nothing to move on an empty table
        QCOMPARE(screen->CurrentRow(), -1);
        for (const char* code : {"A", "B", "C"})
            screen->AddPlu(product(code));
        QCOMPARE(screen->CurrentRow(), 2);
        clickButton(*screen, BtnNextRow);
        QCOMPARE(screen->CurrentRow(), 2);
        for (int expected : {1, 0, 0}) {
            clickButton(*screen, BtnPreRow);
            QCOMPARE(screen->getUiQTableView(0)->currentIndex().row(), expected);
        }
        // A click on a row makes it current.
        QTableView* view = screen->getUiQTableView(0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 2)).center());
        QCOMPARE(screen->CurrentRow(), 2);
    }

    // Digits, also from a keypad that sends no key code, go into the code
    // box; other keys go to the host.
    void keys()
    {
        auto screen = makeScreen();
        QSignalSpy keys(screen.get(), &DepositPluWidget::SignDepositPluKeyPressed);
        for (const auto& key : {qMakePair(int(Qt::Key_unknown), QStringLiteral("4")), qMakePair(int(Qt::Key_Up), QString()),
                                qMakePair(int(Qt::Key_A), QStringLiteral("a"))}) {
            QKeyEvent press(QEvent::KeyPress, key.first, Qt::NoModifier, key.second);
            QApplication::sendEvent(screen->getUiQLineEdit(0), &press);
        }
        QCOMPARE(screen->getUiQLineEdit(0)->text(), QStringLiteral("4"));
        QCOMPARE(keys.count(), 2);
        QCOMPARE(keys.at(0), (QList<QVariant>{QStringLiteral("DepositPluWidget"), int(Qt::Key_Up)}));
        QCOMPARE(keys.at(1).at(1).toInt(), int(Qt::Key_A));
    }

    // --- Table -------------------------------------------------------------------

    void tableShowsTheLines()
    {
        auto screen = makeScreen(0, {"A"});
        screen->AddPlu(product(QStringLiteral("6901234567892"), 1.2345));
        QTableView* view = screen->getUiQTableView(0);
        QCOMPARE(cell(*screen, 1, 0), QStringLiteral("商品6901234567892"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("1.234"));
        QCOMPARE(cell(*screen, 1, 3), QStringLiteral("袋"));
        QVERIFY(qobject_cast<DepositPluTableDelegate*>(view->itemDelegateForRow(1)));
        // The columns fill the list without a horizontal scroll bar.
        int width = 0;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            width += view->columnWidth(c);
        QVERIFY(width <= view->viewport()->width());
    }
};

QTEST_MAIN(DepositEntryTest)
#include "tst_deposit_entry.moc"
