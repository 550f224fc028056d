// The sales screen's entry line driven as a cashier (keys, clicks, scans) and
// a host (number pad, docked keyboard, suggestions) would: the key map,
// starting a sale from the idle state, OK with and without suggestions, the
// letter guard and the symbol table, character input, the suggestion popup,
// the docked keyboard line and the quantity key.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/MessageWidget.h"
#include "contracts/TableModel.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDockWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QTableView>
#include <QtTest>

using namespace KxPosTest;

namespace {
using Lines = QList<KxPosPluDetail>;

// A key sent to the box, the sale table or the screen, a press of the number
// pad ("pad", its key in `text`) or the OK button ("ok") after `typed`: what
// stays in the box, the keys forwarded to the host and the codes confirmed.
// On an `idle` screen (the last sale finished, `typed` is its leftover text)
// the sales started, with the clerk setting `useEmployee`.
struct KeyCase {
    QString target;
    int screenType, key;
    QString text;
    int modifiers;
    QString typed, box;
    QList<int> forwarded;
    QStringList added;
    bool idle = false;
    QString useEmployee = {};
    int starts = 0;
};

// Keys on the open suggestion popup after `typed` (with a suggestion
// `highlighted` by the host): the box after them, the codes confirmed and the
// keys forwarded.
struct PopupCase {
    bool charInput;
    QString typed, highlighted, action, box;
    QStringList added;
    QList<int> forwarded;
    bool named = false; // suggestions show "code name" and complete to the code
};

QLineEdit* codeBox(TradeWidget* screen) { return screen->getUiQLineEdit(26); }

QWidget* receiver(TradeWidget* screen, const QString& target)
{
    if (target == QLatin1String("box"))
        return codeBox(screen);
    return target == QLatin1String("table") ? screen->GetTable()->view() : static_cast<QWidget*>(screen);
}

void hostKeys(TradeWidget* screen, const QString& keys)
{
    for (const QChar c : keys)
        QVERIFY(QMetaObject::invokeMethod(screen, "SlotTrdKeyPress", Q_ARG(QString, QString(c))));
}

// The keys forwarded to the host by the sales screen ("trade"), in order; a
// key forwarded under another name shows as -999.
QList<int> forwardedKeys(const QSignalSpy& spy)
{
    QList<int> keys;
    for (const QList<QVariant>& args : spy)
        keys << (args.at(0).toString() == QLatin1String("trade") ? args.at(1).toInt() : -999);
    return keys;
}

void setCharInput(ScopedConfigDir& config)
{
    config.set(QStringLiteral("Biz/IsCharInput"), QStringLiteral("1"), QStringLiteral("configExt.ini"));
}
} // namespace

Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(PopupCase)

// The host's code suggestions: a completer over a list of codes, handed to the
// screen once. With `named`, each suggestion shows "code name" and completes
// to the code (the completer's completion role), as a host shows its goods.
struct Suggestions {
    QStandardItemModel model;
    QCompleter completer;
    QAbstractItemModelTester tester;
    Suggestions(TradeWidget* screen, const QStringList& codes, bool named = false)
        : completer(&model)
        , tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest)
    {
        for (const QString& code : codes) {
            auto* item = new QStandardItem(named ? code + QStringLiteral(" 商品") + code : code);
            item->setData(code, Qt::UserRole);
            model.appendRow(item);
        }
        completer.setCompletionRole(Qt::UserRole);
        QVERIFY(QMetaObject::invokeMethod(screen, "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, &completer)));
    }
    QAbstractItemView* popup() const { return completer.popup(); }
};

class TradeEntryTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void keyMap_data()
    {
        QTest::addColumn<KeyCase>("c");
        const int none = Qt::NoModifier;
        QTest::newRow("digit on the sale table") << KeyCase{"table", 0, Qt::Key_9, "9", none, "", "9", {}, {}};
        QTest::newRow("letter is forwarded") << KeyCase{"box", 0, Qt::Key_A, "a", none, "", "", {Qt::Key_A}, {}};
        QTest::newRow("function key") << KeyCase{"screen", 0, Qt::Key_F2, "", none, "", "", {Qt::Key_F2}, {}};
        QTest::newRow("full-width digit is not a digit")
            << KeyCase{"box", 0, Qt::Key_F22, QStringLiteral("１"), none, "", "", {Qt::Key_F22}, {}};
        QTest::newRow("type 2 takes letters") << KeyCase{"box", 2, Qt::Key_A, "a", none, "", "a", {}, {}};
        QTest::newRow("return on the code box") << KeyCase{"box", 0, Qt::Key_Return, "", none, "69", "", {}, {"69"}};
        QTest::newRow("enter on the table") << KeyCase{"table", 0, Qt::Key_Enter, "", none, "69", "", {}, {"69"}};
        QTest::newRow("type 2 keeps blanks") << KeyCase{"box", 2, Qt::Key_Return, "", none, "  69", "", {}, {"  69"}};
        QTest::newRow("standard type drops blanks")
            << KeyCase{"box", 0, Qt::Key_Return, "", none, "  69", "", {Qt::Key_Space, Qt::Key_Space}, {"69"}};
        QTest::newRow("idle: a digit starts a sale") << KeyCase{"box", 0, Qt::Key_5, "5", none, "", "5", {}, {}, true, "0", 1};
        QTest::newRow("idle, clerk required: the number pad starts")
            << KeyCase{"pad", 0, 0, "5", none, "", "5", {}, {}, true, "1", 1};
        QTest::newRow("idle, clerk required: OK starts and stops")
            << KeyCase{"ok", 0, 0, "", none, "6901", "6901", {}, {}, true, "1", 1};
    }

    void keyMap()
    {
        QFETCH(KeyCase, c);
        if (!c.useEmployee.isEmpty())
            config().set(QStringLiteral("TRADE_IsUseEmployee"), c.useEmployee);
        auto screen = startedTradeScreen(c.screenType);
        bindTradeLines(screen.get(), tradeLines(1));
        QSignalSpy keys(screen.get(), &TradeWidget::SignTrdKeyPressed);
        QSignalSpy added(screen.get(), &TradeWidget::SignTrdAddProduct);
        QSignalSpy quantity(screen.get(), &TradeWidget::SignModifyNumb);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        if (c.idle) {
            codeBox(screen.get())->setText(c.typed);
            screen->SetTradeActive(false);
        } else {
            QTest::keyClicks(codeBox(screen.get()), c.typed);
        }
        if (c.target == QLatin1String("pad")) {
            screen->SlotNumMousePress(c.text);
            screen->SlotNumMouseRelease(c.text);
        } else if (c.target == QLatin1String("ok")) {
            clickChild(screen.get(), "btnOK");
        } else {
            QTest::sendKeyEvent(QTest::Click, receiver(screen.get(), c.target), Qt::Key(c.key), c.text,
                                Qt::KeyboardModifiers(c.modifiers));
        }
        QCOMPARE(codeBox(screen.get())->text(), c.box);
        QCOMPARE(forwardedKeys(keys), c.forwarded);
        QCOMPARE(firstArguments(added), c.added);
        QCOMPARE(quantity.count(), 0);
        QCOMPARE(start.count(), c.starts);
        QCOMPARE(screen->IsTradeActive(), !c.idle);
        QCOMPARE(screen->GetTable()->rowCount(), c.starts ? 0 : 1); // a new sale has no lines
        QVERIFY(MessageWidget::History().isEmpty());
        if (!c.added.isEmpty()) // ready for the next product
            QCOMPARE(codeBox(screen.get())->placeholderText(), translated(1587));
    }

    // OK on an empty box asks for the scale's weight for an unweighed last line.
    void lastRowStates_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("weightSent");
        const KxPosPluDetail weighed = tradeLine(7, QStringLiteral("2001"), 0);
        QTest::newRow("no lines") << Lines{} << 1 << false;
        QTest::newRow("weighed line without weight") << Lines{tradeLine(1, "6901", 2), weighed} << 0 << true;
        QTest::newRow("empty placeholder") << Lines{tradeLine(-1, "0", 0)} << 2 << false;
        QTest::newRow("placeholder with quantity") << Lines{tradeLine(-1, "0", 3)} << 0 << true;
        QTest::newRow("incomplete line not last") << Lines{weighed, tradeLine(8, "6901", 1)} << 1 << false;
    }

    void lastRowStates()
    {
        QFETCH(Lines, lines);
        QFETCH(int, state);
        QFETCH(bool, weightSent);
        auto screen = startedTradeScreen();
        QAbstractItemModelTester tester(screen->GetTable()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        bindTradeLines(screen.get(), lines);
        QCOMPARE(screen->IsLastRowOver(), state);
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotShowProdWeight", Q_ARG(double, 0.755), Q_ARG(double, 0.0),
                                          Q_ARG(bool, true), Q_ARG(bool, false), Q_ARG(bool, false), Q_ARG(int, 0)));
        QSignalSpy weight(screen.get(), &TradeWidget::SignTrdSetProdWeight);
        QSignalSpy added(screen.get(), &TradeWidget::SignTrdAddProduct);
        QTest::keyClick(codeBox(screen.get()), Qt::Key_Return);
        QCOMPARE(added.count(), 0);
        QCOMPARE(weight.count(), weightSent ? 1 : 0);
        if (weightSent)
            QCOMPARE(weight.at(0), (QList<QVariant>{lines.last().lineNo, lines.last().pluCode, 0.755}));
    }

    // What arrives in the box without the key map (a completion, a scanner,
    // the host's own keys): letters and symbols leave it as key codes.
    void letterGuardAndSymbols_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("letters"); // "type 2": letters allowed
        QTest::newRow("letter before the last character") << "a2" << "" << "" << QList<int>{} << "";
        QTest::newRow("Chinese character") << "12" << QStringLiteral("中") << "12" << QList<int>{-1} << "";
        QTest::newRow("minus and unicode digit stay") << "3" << QStringLiteral("-٣") << QStringLiteral("3-٣")
                                                      << QList<int>{} << "";
        QTest::newRow("symbol table") << "7" << "z)=,_>}@" << "7"
                                      << QList<int>{0x5A, 0x28, 0x2B, 0x2C, 0x2D, 0x3C, 0x7B, -1} << "";
        QTest::newRow("type 2 keeps letters") << "a2" << "b+" << "a2b+" << QList<int>{} << "type 2";
    }

    void letterGuardAndSymbols()
    {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, box);
        QFETCH(QList<int>, codes);
        QFETCH(QString, letters);
        auto screen = startedTradeScreen(letters == QLatin1String("type 2") ? 2 : 0);
        QSignalSpy forwarded(screen.get(), &TradeWidget::SignTrdKeyPressed);
        codeBox(screen.get())->setText(start);
        hostKeys(screen.get(), keys);
        QCOMPARE(codeBox(screen.get())->text(), box);
        QCOMPARE(forwardedKeys(forwarded), codes);
    }

    // Character input allowed once: the host takes the forwarded letter, and
    // the next OK ends it.
    void characterInputOnceEndsAtOk()
    {
        auto screen = startedTradeScreen();
        QSignalSpy added(screen.get(), &TradeWidget::SignTrdAddProduct);
        QTest::keyClicks(codeBox(screen.get()), QStringLiteral("12k"));
        QVERIFY(!screen->HandleCharInput()); // refused without character input
        screen->UseCharInput();
        QTest::keyClick(codeBox(screen.get()), Qt::Key_K);
        QVERIFY(screen->HandleCharInput());
        QTest::keyClick(codeBox(screen.get()), Qt::Key_Return);
        QCOMPARE(firstArguments(added), QStringList{"12k"});
        QTest::keyClick(codeBox(screen.get()), Qt::Key_K);
        QVERIFY(!screen->HandleCharInput());
        QVERIFY(codeBox(screen.get())->text().isEmpty());
    }

    // --- Suggestions -----------------------------------------------------------------

    void popupKeys_data()
    {
        QTest::addColumn<PopupCase>("c");
        const QList<int> none;
        QTest::newRow("return takes a highlight containing the code")
            << PopupCase{false, "690", "6901002", "return", "", {"6901002"}, none};
        QTest::newRow("return ignores a highlight without it") << PopupCase{false, "690", "7000001", "return", "", {"690"}, none};
        QTest::newRow("case-insensitive match") << PopupCase{true, "ab", "XAB12", "return", "", {"XAB12"}, none};
        QTest::newRow("escape closes and is forwarded") << PopupCase{false, "690", "", "escape", "690", {}, {Qt::Key_Escape}};
        QTest::newRow("click on a suggestion") << PopupCase{false, "690", "", "click", "", {"6901002"}, none};
        QTest::newRow("tap on a suggestion showing its name")
            << PopupCase{false, "690", "", "click", "", {"6901002"}, none, true};
        QTest::newRow("arrows and return on a suggestion showing its name")
            << PopupCase{false, "690", "", "down return", "", {"6901001"}, none, true};
    }

    void popupKeys()
    {
        QFETCH(PopupCase, c);
        config().set(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("2"));
        if (c.charInput)
            setCharInput(config());
        auto screen = startedTradeScreen();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        Suggestions hints(screen.get(), {"6901001", "6901002", "ab1", "ac2", "XAB12"}, c.named);
        QAbstractItemView* popup = hints.popup();
        hostKeys(screen.get(), c.typed);
        QTRY_VERIFY(popup->isVisible());
        if (!c.highlighted.isEmpty())
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotCompleterHighlighted", Q_ARG(QString, c.highlighted)));
        QSignalSpy keys(screen.get(), &TradeWidget::SignTrdKeyPressed);
        QSignalSpy added(screen.get(), &TradeWidget::SignTrdAddProduct);
        // The open popup holds the keyboard.
        if (c.action == QLatin1String("escape")) {
            QTest::keyClick(popup, Qt::Key_Escape);
        } else if (c.action == QLatin1String("down return")) {
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        } else if (c.action == QLatin1String("click")) {
            QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(popup->model()->index(1, 0)).center());
        } else {
            QTest::keyClick(popup, Qt::Key_Return);
        }
        QVERIFY(!popup->isVisible());
        QCOMPARE(codeBox(screen.get())->text(), c.box);
        QCOMPARE(firstArguments(added), c.added);
        QCOMPARE(forwardedKeys(keys), c.forwarded);
        if (c.highlighted.isEmpty())
            return;
        // The highlight is forgotten at every OK.
        QTest::keyClicks(codeBox(screen.get()), QStringLiteral("1"));
        QTest::keyClick(codeBox(screen.get()), Qt::Key_Return);
        QCOMPARE(firstArguments(added), c.added + QStringList{"1"});
    }

    // --- Docked keyboard line ----------------------------------------------------------

    void keyboardLine_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("backspace") << QStringList{"1", "2", "backspace"} << "1" << QStringList{"1", "12", "1"}
                                   << QStringList{};
        QTest::newRow("ok with a number") << QStringList{"6", "9", "ok"} << "" << QStringList{"6", "69", ""}
                                          << QStringList{"69"};
        QTest::newRow("ok with letters") << QStringList{"M", "N", "ok"} << "" << QStringList{"M", "MN", ""}
                                         << QStringList{};
    }

    void keyboardLine()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, line);
        QFETCH(QStringList, groups);
        QFETCH(QStringList, added);
        auto screen = startedTradeScreen();
        QSignalSpy group(screen.get(), &TradeWidget::SignTrdPreGroupMN);
        QSignalSpy add(screen.get(), &TradeWidget::SignTrdAddProduct);
        for (const QString& key : clicks)
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotKeyBoardClick", Q_ARG(QString, key)));
        QCOMPARE(child<QLineEdit>(screen->getUiQDockWidget(23), "lineEdit")->text(), line);
        QCOMPARE(firstArguments(group), groups);
        QCOMPARE(firstArguments(add), added);
        QVERIFY(codeBox(screen.get())->text().isEmpty());
    }

    // --- Quantity key --------------------------------------------------------------------

    // The typed quantity goes to a placeholder line for the next product.
    void quantityKey_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("quantity");
        QTest::newRow("upper limit") << Lines{tradeLine(1, "6901", 2)} << "999999" << "999999";
        QTest::newRow("first line of the sale") << Lines{} << "4" << "4";
        QTest::newRow("six significant digits") << Lines{tradeLine(1, "6901", 2)} << "1.2345678" << "1.23457";
    }

    void quantityKey()
    {
        QFETCH(Lines, lines);
        QFETCH(QString, typed);
        QFETCH(QString, quantity);
        auto screen = startedTradeScreen();
        TableModel* model = screen->GetTable()->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        bindTradeLines(screen.get(), lines);
        QTest::keyClicks(codeBox(screen.get()), typed);
        const QStringList first = lines.isEmpty() ? QStringList{} : model->rowData(0);
        clickChild(screen.get(), "btnUpdNum");
        QVERIFY(MessageWidget::History().isEmpty());
        QVERIFY(codeBox(screen.get())->text().isEmpty());
        const int last = lines.size();
        QCOMPARE(model->rowCount(), last + 1);
        if (last)
            QCOMPARE(model->rowData(0), first);
        QCOMPARE((QStringList{model->data(last, 0), model->data(last, 1), model->data(last, 4)}),
                 (QStringList{"-1", "0", quantity}));
        QCOMPARE(screen->IsLastRowOver(), 0);
        QCOMPARE(screen->GetTable()->view()->currentIndex().row(), last);
    }

    // A quantity before the product, typed: "3*" or "3x", then the code and
    // Enter. Keys go to whatever has the focus. After an empty box "*" and x
    // stay the host's keys.
    void quantityBeforeProductByKeys_data()
    {
        QTest::addColumn<int>("screenType");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quantity"); // empty: no placeholder line
        QTest::addColumn<QList<int>>("forwarded");
        QTest::addColumn<QString>("added");
        QTest::newRow("3*") << 0 << "3" << int(Qt::Key_Asterisk) << "*" << "3" << QList<int>{} << "6901";
        QTest::newRow("2.5x") << 0 << "2.5" << int(Qt::Key_X) << "x" << "2.5" << QList<int>{} << "6901";
        QTest::newRow("4X") << 0 << "4" << int(Qt::Key_X) << "X" << "4" << QList<int>{} << "6901";
        QTest::newRow("* alone is the host's") << 0 << "" << int(Qt::Key_Asterisk) << "*" << ""
                                               << QList<int>{Qt::Key_Asterisk} << "6901";
        QTest::newRow("x alone is the host's")
            << 0 << "" << int(Qt::Key_X) << "x" << "" << QList<int>{Qt::Key_X} << "6901";
        QTest::newRow("letters allowed: x is part of the code")
            << 2 << "3" << int(Qt::Key_X) << "x" << "" << QList<int>{} << "3x6901";
    }

    void quantityBeforeProductByKeys()
    {
        QFETCH(int, screenType);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, quantity);
        auto screen = startedTradeScreen(screenType);
        TableModel* model = screen->GetTable()->model();
        bindTradeLines(screen.get(), {tradeLine(1, "6902", 1)});
        QSignalSpy keys(screen.get(), &TradeWidget::SignTrdKeyPressed);
        QSignalSpy addedSpy(screen.get(), &TradeWidget::SignTrdAddProduct);
        const auto press = [&](int k, const QString& t) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : codeBox(screen.get());
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(k), t, Qt::NoModifier);
        };
        for (const QChar c : typed)
            press(c == QLatin1Char('.') ? Qt::Key_Period : Qt::Key_0 + c.digitValue(), QString(c));
        press(key, text);
        QCOMPARE(model->rowCount(), quantity.isEmpty() ? 1 : 2);
        if (!quantity.isEmpty()) {
            QCOMPARE((QStringList{model->data(1, 0), model->data(1, 1), model->data(1, 4)}),
                     (QStringList{"-1", "0", quantity}));
            QVERIFY(codeBox(screen.get())->text().isEmpty());
        }
        for (const QChar c : QStringLiteral("6901"))
            press(Qt::Key_0 + c.digitValue(), QString(c));
        press(Qt::Key_Return, QString());
        QTEST(forwardedKeys(keys), "forwarded");
        QFETCH(QString, added);
        QCOMPARE(firstArguments(addedSpy), QStringList{added});
        QVERIFY(MessageWidget::History().isEmpty());
    }
};

QTEST_MAIN(TradeEntryTest)
#include "tst_trade_entry.moc"
