// The deposit list: code entry and suggestions, the keypad, the quantity key
// and its placeholder row, whole-sale mode, clear row / clear all with their
// questions, import, member and clerk keys, the hand-over checks in order,
// leaving, navigation, forwarded keys, the table and its row outline, and the
// frame (status bar, project code, accessors), driven through clicks, keys
// and the public slots as a cashier and a host would.

#include "TestSupport.h"
#include "TestRecords.h"

#include "deposit/DepositPluTableDelegate.h"
#include "deposit/DepositPluWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/UIComponentGapFiller.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
enum Button {
    BtnOK = 0,
    BtnCount = 1,
    BtnBackspace = 2,
    BtnClearRow = 3,
    BtnClearAll = 4,
    BtnClearNoAsk = 5,
    BtnDeposit = 6,
    BtnImport = 7,
    BtnMember = 8,
    BtnClerk = 9,
    BtnDeskTop = 10,
    BtnReturn = 11,
    BtnPreRow = 12,
    BtnNextRow = 13,
    BtnKey0 = 14,
    BtnDot = 24,
    BtnGroupMember = 25,
};

KxPosPluDetail product(const QString& code, double qty = 1.0)
{
    KxPosPluDetail line;
    line.pluCode = code;
    line.pluName = QStringLiteral("商品") + code;
    line.saleQty = qty;
    line.unitName = QStringLiteral("袋");
    return line;
}

KxPosEmployeeDetail clerk(const QString& code = QStringLiteral("E01"))
{
    return {code, QStringLiteral("张敏"), true};
}
} // namespace

class DepositEntryTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<DepositPluWidget> makeScreen(int screenType = 0)
    {
        auto screen = std::make_unique<DepositPluWidget>(screenType, nullptr);
        screen->resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
        screen->show();
        screen->initValue();
        return screen;
    }

    static void click(DepositPluWidget& screen, int button)
    {
        QTest::mouseClick(screen.getUiQPushButton(button), Qt::LeftButton);
    }

    // Types on the on-screen keypad ("0"-"9", ".").
    static void typeOnKeypad(DepositPluWidget& screen, const QString& text)
    {
        for (const QChar c : text)
            click(screen, c == QLatin1Char('.') ? BtnDot : BtnKey0 + (c.unicode() - '0'));
    }

    static QString cell(DepositPluWidget& screen, int row, int column)
    {
        QAbstractItemModel* model = screen.getUiQTableView(0)->model();
        return model->index(row, column).data().toString();
    }

    static int rows(DepositPluWidget& screen)
    {
        return screen.getUiQTableView(0)->model()->rowCount();
    }

    static QLineEdit* codeBox(DepositPluWidget& screen)
    {
        return screen.getUiQLineEdit(0);
    }

private slots:
    // --- Code entry -------------------------------------------------------

    void codeEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<bool>("wholeSale");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("emitted");
        QTest::newRow("keypad and OK") << QStringLiteral("6901234567892") << false << false << 0
                                       << QStringLiteral("6901234567892");
        QTest::newRow("keyboard and Enter") << QStringLiteral("1001") << true << false << 0 << QStringLiteral("1001");
        QTest::newRow("empty box") << QString() << false << false << 1901 << QString();
        QTest::newRow("whole sale refuses") << QStringLiteral("1001") << true << true << 2300 << QString();
    }

    void codeEntry()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(bool, wholeSale);
        QFETCH(int, message);
        QFETCH(QString, emitted);
        auto screen = makeScreen();
        if (wholeSale)
            screen->setSaleNo(QStringLiteral("S0001"), QStringLiteral("000123"));
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        if (byEnter) {
            QTest::keyClicks(codeBox(*screen), typed);
            QCOMPARE(codeBox(*screen)->text(), typed);
            QTest::keyClick(codeBox(*screen), Qt::Key_Return);
        } else {
            typeOnKeypad(*screen, typed);
            QCOMPARE(codeBox(*screen)->text(), typed);
            click(*screen, BtnOK);
        }
        QCOMPARE(added.count(), emitted.isEmpty() ? 0 : 1);
        if (!emitted.isEmpty())
            QCOMPARE(added.at(0).at(0).toString(), emitted);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        if (!typed.isEmpty())
            QVERIFY(codeBox(*screen)->text().isEmpty()); // cleared before the whole-sale refusal too
        QCOMPARE(rows(*screen), 0);
    }

    void depositsFromSalesIgnoreDigitsAndOK()
    {
        config().set(QStringLiteral("TRADE_IsDepositUseSaleNo"), QStringLiteral("1"));
        auto screen = makeScreen();
        QVERIFY(!codeBox(*screen)->isEnabled());
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        typeOnKeypad(*screen, QStringLiteral("12"));
        screen->SlotKeyPressed(QStringLiteral("3"));
        QVERIFY(codeBox(*screen)->text().isEmpty());
        codeBox(*screen)->setText(QStringLiteral("1001"));
        click(*screen, BtnOK);
        QCOMPARE(added.count(), 0);
        QVERIFY(messageTexts().isEmpty());
        QCOMPARE(codeBox(*screen)->text(), QStringLiteral("1001"));
    }

    void backspaceKey()
    {
        auto screen = makeScreen();
        typeOnKeypad(*screen, QStringLiteral("123"));
        click(*screen, BtnBackspace);
        QCOMPARE(codeBox(*screen)->text(), QStringLiteral("12"));
    }

    // --- Quantity key -------------------------------------------------------

    void quantityKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("boxAfter");
        QTest::newRow("empty box") << QString() << 1903 << 0 << QString();
        QTest::newRow("zero") << QStringLiteral("0") << 1903 << 0 << QStringLiteral("0");
        QTest::newRow("rounds to no piece") << QStringLiteral("0.4") << 1903 << 0 << QStringLiteral("0.4");
        QTest::newRow("three") << QStringLiteral("3") << 0 << 3 << QString();
        QTest::newRow("rounded to nearest") << QStringLiteral("2.6") << 0 << 3 << QString();
        QTest::newRow("exactly the maximum") << QStringLiteral("999999") << 0 << 999999 << QString();
        QTest::newRow("above the maximum") << QStringLiteral("999999.5") << 604 << 0 << QString();
    }

    void quantityKey()
    {
        QFETCH(QString, typed);
        QFETCH(int, message);
        QFETCH(int, quantity);
        QFETCH(QString, boxAfter);
        auto screen = makeScreen();
        QAbstractItemModelTester tester(screen->getUiQTableView(0)->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        typeOnKeypad(*screen, typed);
        click(*screen, BtnCount);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QCOMPARE(screen->nextQuantity, quantity);
        QCOMPARE(codeBox(*screen)->text(), boxAfter);
        if (quantity) {
            QCOMPARE(rows(*screen), 1);
            QCOMPARE(cell(*screen, 0, 0), QString());
            QCOMPARE(cell(*screen, 0, 1), QString());
            QCOMPARE(cell(*screen, 0, 2), QString::number(quantity, 'f', 2));
            QCOMPARE(cell(*screen, 0, 3), QString());
        } else {
            QCOMPARE(rows(*screen), 0);
        }
        QVERIFY(screen->PluList().isEmpty());
    }

    void secondQuantityKeyWithoutProductIsRefused()
    {
        auto screen = makeScreen();
        typeOnKeypad(*screen, QStringLiteral("2"));
        click(*screen, BtnCount);
        typeOnKeypad(*screen, QStringLiteral("5"));
        click(*screen, BtnCount);
        QCOMPARE(messageTexts(), QStringList{translated(1904)});
        QCOMPARE(screen->nextQuantity, 2);
        QCOMPARE(rows(*screen), 1);
        QCOMPARE(codeBox(*screen)->text(), QStringLiteral("5"));
    }

    void quantityPlaceholderGivesWayToTheProduct()
    {
        auto screen = makeScreen();
        screen->AddPlu(product(QStringLiteral("1001")));
        typeOnKeypad(*screen, QStringLiteral("4"));
        click(*screen, BtnCount);
        QCOMPARE(rows(*screen), 2);
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("4.00"));

        // The host builds the next line with the preset and resets it.
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        connect(screen.get(), &DepositPluWidget::SignDepositAddPlu, this, [&](const QString& code) {
            screen->AddPlu(product(code, screen->nextQuantity));
            screen->initNextValue();
        });
        typeOnKeypad(*screen, QStringLiteral("2001"));
        click(*screen, BtnOK);
        QCOMPARE(added.count(), 1);
        QCOMPARE(rows(*screen), 2);
        QCOMPARE(cell(*screen, 1, 1), QStringLiteral("2001"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("4.000"));
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(screen->PluList().at(1).lineNo, 1);
        QCOMPARE(screen->CurrentRow(), 1);
    }

    void wholeSaleRefusesChanges_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("quantity") << int(BtnCount);
        QTest::newRow("clear row") << int(BtnClearRow);
        QTest::newRow("import") << int(BtnImport);
    }

    void wholeSaleRefusesChanges()
    {
        QFETCH(int, button);
        auto screen = makeScreen();
        screen->AddPlu(product(QStringLiteral("1001")));
        screen->setSaleNo(QString(), QStringLiteral("000123"));
        QVERIFY(screen->IsWholeSale());
        QSignalSpy import(screen.get(), &DepositPluWidget::SignDepositPluImport);
        typeOnKeypad(*screen, QStringLiteral("3"));
        click(*screen, button);
        QCOMPARE(messageTexts(), QStringList{translated(2300)});
        QVERIFY(QuestionMessage::History().isEmpty());
        QCOMPARE(screen->PluList().size(), 1);
        QCOMPARE(rows(*screen), 1);
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(import.count(), 0);
        QCOMPARE(screen->getUiQLable(3)->text(), QStringLiteral("000123"));
    }

    // --- Clear row, clear all, import ----------------------------------------

    void clearRow_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("message");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("yes removes the current line")
            << 3 << 1 << 0 << QStringList{QStringLiteral("C0"), QStringLiteral("C2")};
        QTest::newRow("no keeps the list")
            << 3 << 0 << 0 << QStringList{QStringLiteral("C0"), QStringLiteral("C1"), QStringLiteral("C2")};
        QTest::newRow("yes on an empty table") << 0 << 1 << 1909 << QStringList();
        QTest::newRow("no on an empty table") << 0 << 0 << 0 << QStringList();
    }

    void clearRow()
    {
        QFETCH(int, lines);
        QFETCH(int, answer);
        QFETCH(int, message);
        QFETCH(QStringList, remaining);
        auto screen = makeScreen();
        for (int i = 0; i < lines; ++i)
            screen->AddPlu(product(QStringLiteral("C%1").arg(i)));
        if (lines > 0) {
            click(*screen, BtnPreRow); // the current line is the middle one
            QCOMPARE(screen->CurrentRow(), 1);
        }
        QuestionMessage::QueueAnswers({answer});
        click(*screen, BtnClearRow);
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1908)});
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QStringList codes;
        for (int i = 0; i < screen->PluList().size(); ++i) {
            codes << screen->PluList().at(i).pluCode;
            QCOMPARE(screen->PluList().at(i).lineNo, i);
        }
        QCOMPARE(codes, remaining);
        QCOMPARE(rows(*screen), remaining.size());
    }

    void removePluWithNoCurrentRowStillRefreshes()
    {
        auto screen = makeScreen();
        for (const QString& code : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            screen->AddPlu(product(code));
        screen->setTableDefaultLine();
        QCOMPARE(screen->CurrentRow(), 0);
        QTableView* view = screen->getUiQTableView(0);
        view->selectionModel()->clearCurrentIndex();
        view->clearSelection();
        screen->RemovePlu();
        QCOMPARE(screen->PluList().size(), 3);
        QCOMPARE(rows(*screen), 3);
        // The rebuild selects the last row again.
        QCOMPARE(screen->CurrentRow(), 2);
        QCOMPARE(view->currentIndex().row(), 2);
        QVERIFY(view->selectionModel()->isRowSelected(2, QModelIndex()));
    }

    void removingThePlaceholderWithdrawsThePreset()
    {
        auto screen = makeScreen();
        screen->AddPlu(product(QStringLiteral("A")));
        typeOnKeypad(*screen, QStringLiteral("5"));
        click(*screen, BtnCount);
        click(*screen, BtnNextRow);
        QCOMPARE(screen->CurrentRow(), 1);
        QuestionMessage::QueueAnswers({1});
        click(*screen, BtnClearRow);
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(screen->PluList().size(), 1);
        QCOMPARE(rows(*screen), 1);
    }

    void clearAll_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("asked, yes") << true << 1 << true;
        QTest::newRow("asked, no") << true << 0 << false;
        QTest::newRow("without asking") << false << 0 << true;
    }

    void clearAll()
    {
        QFETCH(bool, ask);
        QFETCH(int, answer);
        QFETCH(bool, cleared);
        auto screen = makeScreen(1);
        screen->setVIP(sampleMember());
        screen->setEmployee(clerk());
        screen->setSaleNo(QStringLiteral("S1"), QStringLiteral("0001"));
        screen->AddPlu(product(QStringLiteral("A")));
        screen->refresh();
        QSignalSpy clearedSpy(screen.get(), &DepositPluWidget::SignDepositClearAll);
        QuestionMessage::QueueAnswers({answer});
        click(*screen, ask ? BtnClearAll : BtnClearNoAsk);
        QCOMPARE(QuestionMessage::History(), ask ? QStringList{translated(1910)} : QStringList());
        QCOMPARE(clearedSpy.count(), cleared ? 1 : 0);
        QCOMPARE(screen->PluList().isEmpty(), cleared);
        QCOMPARE(screen->Member().vipId.isEmpty(), cleared);
        QCOMPARE(screen->Employee().employeeCode.isEmpty(), cleared);
        QCOMPARE(screen->IsWholeSale(), !cleared);
        QCOMPARE(screen->getUiQPushButton(BtnMember)->text(),
                 cleared ? translated(1912) : QStringLiteral("13812345678"));
        QCOMPARE(screen->getUiQPushButton(BtnClerk)->text(), cleared ? translated(1913) : QStringLiteral("张敏"));
    }

    void import_data()
    {
        QTest::addColumn<bool>("withLines");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<int>("message");
        QTest::newRow("empty list asks the host") << false << 1 << 0;
        QTest::newRow("list not empty") << true << 0 << 2305;
    }

    void import()
    {
        QFETCH(bool, withLines);
        QFETCH(int, emitted);
        QFETCH(int, message);
        auto screen = makeScreen();
        if (withLines)
            screen->AddPlu(product(QStringLiteral("A")));
        QSignalSpy import(screen.get(), &DepositPluWidget::SignDepositPluImport);
        click(*screen, BtnImport);
        QCOMPARE(import.count(), emitted);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
    }

    // --- Member, clerk and hand-over ------------------------------------------

    void memberAndClerkKeys()
    {
        auto screen = makeScreen();
        QSignalSpy login(screen.get(), &DepositPluWidget::SignMembLogin);
        QSignalSpy clerkLogin(screen.get(), &DepositPluWidget::SignEmployeeLogin);
        click(*screen, BtnMember);
        click(*screen, BtnClerk);
        QCOMPARE(login.count(), 1);
        QCOMPARE(clerkLogin.count(), 1);

        config().set(QStringLiteral("TRADE_IsDepositUseSaleNo"), QStringLiteral("1"));
        click(*screen, BtnMember);
        QCOMPARE(login.count(), 1);
        QCOMPARE(messageTexts(), QStringList{translated(2304)});
    }

    void handOver_data()
    {
        QTest::addColumn<bool>("withMember");
        QTest::addColumn<bool>("withClerk");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("message");
        QTest::newRow("nothing set: member first") << false << false << 0 << 2302;
        QTest::newRow("no member") << false << true << 2 << 2302;
        QTest::newRow("no clerk") << true << false << 2 << 1905;
        QTest::newRow("no clerk, no lines: clerk first") << true << false << 0 << 1905;
        QTest::newRow("empty list") << true << true << 0 << 2303;
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
            screen->setEmployee(clerk());
        for (int i = 0; i < lines; ++i)
            screen->AddPlu(product(QStringLiteral("P%1").arg(i), i + 1.5));
        QSignalSpy handed(screen.get(), &DepositPluWidget::SignDepositPlus);
        click(*screen, BtnDeposit);
        QCOMPARE(messageTexts(), message ? QStringList{translated(message)} : QStringList());
        QCOMPARE(handed.count(), message ? 0 : 1);
        if (!message) {
            const auto list = handed.at(0).at(0).value<QList<KxPosPluDetail>>();
            QCOMPARE(list.size(), lines);
            QCOMPARE(list.at(1).pluCode, QStringLiteral("P1"));
            QCOMPARE(list.at(1).saleQty, 2.5);
            QCOMPARE(list.at(1).lineNo, 1);
        }
        // The screen keeps its list until the host starts anew.
        QCOMPARE(screen->PluList().size(), lines);
    }

    // --- Leaving ---------------------------------------------------------------

    void leaving_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("withLines");
        QTest::newRow("return with lines") << int(BtnReturn) << true;
        QTest::newRow("desktop with lines") << int(BtnDeskTop) << true;
        QTest::newRow("return, empty") << int(BtnReturn) << false;
        QTest::newRow("desktop, empty") << int(BtnDeskTop) << false;
    }

    void leaving()
    {
        QFETCH(int, button);
        QFETCH(bool, withLines);
        auto screen = makeScreen();
        if (withLines)
            screen->AddPlu(product(QStringLiteral("A")));
        QSignalSpy left(screen.get(), &DepositPluWidget::SignDepositReturn);
        click(*screen, button);
        QCOMPARE(left.count(), withLines ? 0 : 1);
        QCOMPARE(screen->isVisible(), withLines);
        QCOMPARE(messageTexts(), withLines ? QStringList{translated(2301)} : QStringList());
        QCOMPARE(screen->PluList().size(), withLines ? 1 : 0);
    }

    void leavingDropsAQuantityPreset()
    {
        auto screen = makeScreen();
        typeOnKeypad(*screen, QStringLiteral("3"));
        click(*screen, BtnCount);
        QSignalSpy left(screen.get(), &DepositPluWidget::SignDepositReturn);
        click(*screen, BtnReturn);
        QCOMPARE(left.count(), 1);
        QCOMPARE(screen->nextQuantity, 0);
        QCOMPARE(rows(*screen), 0);
    }

    // --- Navigation and keys -----------------------------------------------------

    void rowNavigationStopsAtTheEnds()
    {
        auto screen = makeScreen();
        click(*screen, BtnPreRow); // nothing to move on an empty table
        QCOMPARE(screen->CurrentRow(), -1);
        for (const QString& code : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            screen->AddPlu(product(code));
        QCOMPARE(screen->CurrentRow(), 2);
        click(*screen, BtnNextRow);
        QCOMPARE(screen->CurrentRow(), 2);
        for (int expected : {1, 0, 0}) {
            click(*screen, BtnPreRow);
            QCOMPARE(screen->CurrentRow(), expected);
            QCOMPARE(screen->getUiQTableView(0)->currentIndex().row(), expected);
        }
        click(*screen, BtnNextRow);
        QCOMPARE(screen->CurrentRow(), 1);
    }

    void clickingARowMakesItCurrent()
    {
        auto screen = makeScreen();
        for (const QString& code : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            screen->AddPlu(product(code));
        QTableView* view = screen->getUiQTableView(0);
        const QRect rect = view->visualRect(view->model()->index(0, 2));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(screen->CurrentRow(), 0);
        QuestionMessage::QueueAnswers({1});
        click(*screen, BtnClearRow);
        QCOMPARE(screen->PluList().at(0).pluCode, QStringLiteral("B"));
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("forwarded");
        QTest::addColumn<QString>("boxAfter");
        QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("7") << false << QStringLiteral("17");
        QTest::newRow("up") << int(Qt::Key_Up) << QString() << true << QStringLiteral("1");
        QTest::newRow("page up") << int(Qt::Key_PageUp) << QString() << true << QStringLiteral("1");
        QTest::newRow("f4") << int(Qt::Key_F4) << QString() << true << QStringLiteral("1");
        QTest::newRow("escape") << int(Qt::Key_Escape) << QString() << true << QStringLiteral("1");
        QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("a") << true << QStringLiteral("1");
        QTest::newRow("digit from a keypad") << int(Qt::Key_unknown) << QStringLiteral("4") << false
                                             << QStringLiteral("14");
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, forwarded);
        QFETCH(QString, boxAfter);
        auto screen = makeScreen();
        typeOnKeypad(*screen, QStringLiteral("1"));
        QSignalSpy keysSpy(screen.get(), &DepositPluWidget::SignDepositPluKeyPressed);
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(codeBox(*screen), &press);
        QCOMPARE(keysSpy.count(), forwarded ? 1 : 0);
        if (forwarded) {
            QCOMPARE(keysSpy.at(0).at(0).toString(), QStringLiteral("DepositPluWidget"));
            QCOMPARE(keysSpy.at(0).at(1).toInt(), key);
        }
        QCOMPARE(codeBox(*screen)->text(), boxAfter);
        QCOMPARE(added.count(), 0);
    }

    // --- Suggestions -------------------------------------------------------------

    void suggestionsRespectTheMinimumLength()
    {
        config().set(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("3"));
        auto screen = makeScreen();
        QStringListModel codes(QStringList{QStringLiteral("6901234567892"), QStringLiteral("6902083881405"),
                                           QStringLiteral("1001")});
        QCompleter completer(&codes);
        screen->SlotTrdBackCompleterModel(&completer);
        QCOMPARE(screen->Completer(), &completer);
        QCOMPARE(completer.objectName(), QStringLiteral("mycompleter"));
        QCOMPARE(completer.widget(), static_cast<QWidget*>(codeBox(*screen)));

        typeOnKeypad(*screen, QStringLiteral("69"));
        QVERIFY(!completer.popup()->isVisible());
        typeOnKeypad(*screen, QStringLiteral("0"));
        QTRY_VERIFY(completer.popup()->isVisible());
        QCOMPARE(completer.completionCount(), 2);
        // The popup opens to the left of the code box, level with it.
        const QPoint box = codeBox(*screen)->mapToGlobal(QPoint(0, 0));
        QCOMPARE(completer.popup()->pos(), QPoint(box.x() - completer.popup()->width(), box.y()));

        // A highlighted suggestion that contains what was typed is entered.
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        screen->SlotCompleterHighlighted(QStringLiteral("6902083881405"));
        click(*screen, BtnOK);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toString(), QStringLiteral("6902083881405"));
        QVERIFY(!completer.popup()->isVisible());
        QVERIFY(codeBox(*screen)->text().isEmpty());

        // Without a match the typed code is entered as it is.
        typeOnKeypad(*screen, QStringLiteral("690"));
        QTRY_VERIFY(completer.popup()->isVisible());
        screen->SlotCompleterHighlighted(QStringLiteral("1001"));
        click(*screen, BtnOK);
        QCOMPARE(added.count(), 2);
        QCOMPARE(added.at(1).at(0).toString(), QStringLiteral("690"));

        // No suggestion for a code that matches nothing.
        typeOnKeypad(*screen, QStringLiteral("555"));
        QVERIFY(!completer.popup()->isVisible());
        codeBox(*screen)->clear();
    }

    void choosingASuggestionEntersIt()
    {
        config().set(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("2"));
        auto screen = makeScreen();
        QStringListModel codes(QStringList{QStringLiteral("1001"), QStringLiteral("1002")});
        QCompleter completer(&codes);
        screen->SlotTrdBackCompleterModel(&completer);
        typeOnKeypad(*screen, QStringLiteral("10"));
        QTRY_VERIFY(completer.popup()->isVisible());
        QSignalSpy added(screen.get(), &DepositPluWidget::SignDepositAddPlu);
        QAbstractItemView* popup = completer.popup();
        const QModelIndex second = popup->model()->index(1, 0);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, Qt::NoModifier, popup->visualRect(second).center());
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toString(), QStringLiteral("1002"));
        QVERIFY(!popup->isVisible());
    }

    // --- Table ------------------------------------------------------------------------

    void tableLayoutAndContents()
    {
        auto screen = makeScreen();
        QTableView* view = screen->getUiQTableView(0);
        QAbstractItemModelTester tester(view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int listWidth = KxPosConfig::iAppWidth / 16 * 11;
        const int column = (listWidth - 10) / 4;
        QCOMPARE(view->columnWidth(0), listWidth - 10 - 3 * column);
        for (int c = 1; c < 4; ++c)
            QCOMPARE(view->columnWidth(c), column);
        QCOMPARE(screen->getUiQWidget(3)->width(), KxPosConfig::iAppWidth / 16 * 5);
        QVERIFY(view->verticalHeader()->isHidden());
        QVERIFY(!view->showGrid());
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(view->palette().color(QPalette::Base), QColor(245, 252, 255));
        for (int c = 0; c < 4; ++c) {
            const int ids[] = {402, 1181, 5012, 1456};
            QCOMPARE(view->model()->headerData(c, Qt::Horizontal).toString(), translated(ids[c]));
        }

        screen->AddPlu(product(QStringLiteral("6901234567892"), 1.2345));
        QCOMPARE(cell(*screen, 0, 0), QStringLiteral("商品6901234567892"));
        QCOMPARE(cell(*screen, 0, 2), QStringLiteral("1.234"));
        QCOMPARE(cell(*screen, 0, 3), QStringLiteral("袋"));
        QCOMPARE(view->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QVERIFY(qobject_cast<DepositPluTableDelegate*>(view->itemDelegateForRow(0)));
        screen->Clear();
        QVERIFY(!view->itemDelegateForRow(0));
    }

    void selectedRowIsOutlined()
    {
        auto screen = makeScreen();
        for (const QString& code : {QStringLiteral("A"), QStringLiteral("B")})
            screen->AddPlu(product(code));
        QTableView* view = screen->getUiQTableView(0);
        QCOMPARE(screen->CurrentRow(), 1);
        const QImage image = view->viewport()->grab().toImage();
        const QColor line = DepositPluTableDelegate::LineColor();
        const QColor fill = DepositPluTableDelegate::FillColor();
        const QRect first = view->visualRect(view->model()->index(1, 0));
        const QRect middle = view->visualRect(view->model()->index(1, 1));
        const QRect last = view->visualRect(view->model()->index(1, 3));
        QCOMPARE(image.pixelColor(first.left() + 4, first.top()), line);
        QCOMPARE(image.pixelColor(first.left() + 4, first.bottom()), line);
        QCOMPARE(image.pixelColor(first.left(), first.center().y()), line);
        QCOMPARE(image.pixelColor(middle.left(), middle.top() + 3), fill); // no edge between cells
        QCOMPARE(image.pixelColor(last.right(), last.center().y()), line);
        QCOMPARE(image.pixelColor(last.right() - 2, last.top() + 3), fill);
        // The row that is not selected has no outline.
        const QRect other = view->visualRect(view->model()->index(0, 0));
        QVERIFY(image.pixelColor(other.left() + 4, other.top()) != line);
    }

    // --- Frame --------------------------------------------------------------------------

    void clock_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("date");
        QTest::newRow("narrow screen, no weekday") << QSize(1024, 768) << QStringLiteral("2024-05-06");
        QTest::newRow("wide screen, weekday") << QSize(1920, 1080) << QStringLiteral("2024-05-06 周一");
    }

    void clock()
    {
        QFETCH(QSize, size);
        QFETCH(QString, date);
        KxPosConfig::SetAppSize(size.width(), size.height());
        auto screen = makeScreen();
        screen->SlotTimeUpd(QStringLiteral("2024-05-06 Mon 09:08:07"));
        QCOMPARE(screen->getUiQLable(4)->text(), QStringLiteral("09:08:07"));
        QCOMPARE(screen->getUiQLable(5)->text(), date);
        screen->SlotTimeUpd(QStringLiteral("2024-05-06 周一 09:08:09"));
        QCOMPARE(screen->getUiQLable(4)->text(), QStringLiteral("09:08:09"));
        screen->SlotTimeUpd(QStringLiteral("not a time"));
        QVERIFY(screen->getUiQLable(4)->text().isEmpty());
        QVERIFY(screen->getUiQLable(5)->text().isEmpty());
    }

    void statusBar()
    {
        auto screen = makeScreen();
        screen->SlotTrdSetStatusValue(QStringLiteral("0101"), QStringLiteral("03"), QStringLiteral("刘洋"));
        QCOMPARE(screen->getUiQLable(6)->text(), QStringLiteral("0101"));
        QCOMPARE(screen->getUiQLable(7)->text(), translated(1247) + QStringLiteral("-03"));
        QCOMPARE(screen->getUiQLable(8)->text(), QStringLiteral("刘洋"));
        config().set(QStringLiteral("TRADE_ShowOrgPosType"), QStringLiteral("2"));
        KxPosConfig::sOrgName = QStringLiteral("人民路店");
        screen->SlotTrdSetStatusValue(QStringLiteral("0101"), QStringLiteral("03"), QStringLiteral("刘洋"));
        QCOMPARE(screen->getUiQLable(6)->text(), QStringLiteral("人民路店0101"));
        KxPosConfig::sOrgName.clear();
    }

    void screenTypeOneShowsTheSecondGroup()
    {
        auto plain = makeScreen(0);
        QVERIFY(plain->getUiQWidget(6)->isHidden());
        auto large = makeScreen(1);
        QVERIFY(!large->getUiQWidget(6)->isHidden());
        QCOMPARE(large->getUiQPushButton(BtnGroupMember)->text(), translated(2298));
        QCOMPARE(large->getUiQPushButton(BtnGroupMember + 1)->text(), translated(2299));
        QCOMPARE(large->getUiQPushButton(BtnGroupMember + 2)->text(), translated(1248));
        QSignalSpy login(large.get(), &DepositPluWidget::SignMembLogin);
        click(*large, BtnGroupMember);
        QCOMPARE(login.count(), 1);
    }

    void accessorsAndTexts()
    {
        auto screen = makeScreen();
        QCOMPARE(screen->getUiQLineEdit(0)->placeholderText(), translated(1587));
        QCOMPARE(screen->getUiQLineEdit(1), UIComponentGapFiller::getQLineEdit());
        QCOMPARE(screen->getUiQTableView(1), UIComponentGapFiller::getQTableView());
        QCOMPARE(screen->getUiQPushButton(28), UIComponentGapFiller::getQPushButton());
        QCOMPARE(screen->getUiQLable(-3), UIComponentGapFiller::getQLabel());
        QCOMPARE(screen->getUiQWidget(9), UIComponentGapFiller::getQWidget());
        QCOMPARE(screen->getUiQPushButton(BtnDeposit)->text(), translated(2306));
        QCOMPARE(screen->getUiQPushButton(BtnReturn)->text(), translated(7300));

        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(screen->getUiQPushButton(BtnDeposit)->text(), QStringLiteral("Deposit"));
        QCOMPARE(screen->getUiQLineEdit(0)->placeholderText(), translated(1587));
        QCOMPARE(screen->getUiQTableView(0)->model()->headerData(1, Qt::Horizontal).toString(), translated(1181));
        QCOMPARE(screen->getUiQPushButton(BtnMember)->text(), translated(1912));
    }
};

QTEST_MAIN(DepositEntryTest)
#include "tst_deposit_entry.moc"
