// Number format, caption wrapping around punctuation, the dialog's single
// run, change popup, style sheet, the
// on-screen keyboard (its keys typing into a line, their sizes and spacing)
// and the suggestion popup's tap-through of the UI kit. Retranslation is
// walked over every screen by tst_screens_accessibility.

#include "TestSupport.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KeyBoardWidget.h"
#include "contracts/KxDialog.h"
#include "contracts/KxPosCom.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxWidget.h"
#include "contracts/UiTool.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFontMetrics>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
// Counts the mouse presses a widget receives.
class PressCounter : public QObject
{
public:
    explicit PressCounter(QWidget* widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return false;
    }
};
} // namespace

class UiKitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        QVERIFY(UiTool::IsNonInteractive());
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two decimals") << 3.14159 << 2 << "3.14";
        QTest::newRow("negative amount") << -2.5 << 2 << "-2.50";
        QTest::newRow("tiny negative is zero") << -0.001 << 2 << "0.00";
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(KxWidget::formatNumber(value, decimals), "expected");
    }

    // A caption cut to a few lines: the first lines of the whole text fed to
    // the width, the last one ending in "…" exactly when text was left out,
    // every line within the width (a key's caption may be thousands of
    // characters long).
    void feedElidedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("cut");
        const QString han(QChar(u'码'));
        QTest::newRow("one short line") << QStringLiteral("苹果") << 2 << false;
        QTest::newRow("exactly two lines") << han.repeated(10) << 2 << false;
        QTest::newRow("one character more") << han.repeated(11) << 2 << true;
        QTest::newRow("thousands of characters") << han.repeated(20000) << 3 << true;
        QTest::newRow("cut at a line break") << QStringLiteral("码码码\n码码码\n码") << 2 << true;
        QTest::newRow("line breaks that fit") << QStringLiteral("码码\r\n码码") << 2 << false;
        QTest::newRow("words") << QStringLiteral("red delicious apples from the north") << 2 << true;
        QTest::newRow("one line of many") << QStringLiteral("a b c d e f g h i j k l m n o p q r s t") << 1 << true;
    }

    void feedElidedText()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(bool, cut);
        const QFontMetrics metrics(QApplication::font());
        const int width = metrics.horizontalAdvance(QStringLiteral("码码码码码")) + 1;
        const QStringList whole = UiTool::GetFeedText(text, width, metrics).split(QLatin1Char('\n'));
        const QStringList shown = UiTool::GetFeedElidedText(text, width, lines, metrics).split(QLatin1Char('\n'));
        QCOMPARE(whole.size() > lines, cut);
        QCOMPARE(shown.size(), qMin(lines, whole.size()));
        for (const QString& line : shown)
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        QCOMPARE(shown.mid(0, shown.size() - 1), whole.mid(0, shown.size() - 1));
        const QString last = shown.last(), ellipsis(QChar(0x2026));
        QCOMPARE(last.endsWith(ellipsis), cut);
        QVERIFY2(whole.at(shown.size() - 1).startsWith(cut ? last.chopped(1) : last), qPrintable(last));
    }

    // The panel wrapper breaks at a blank rather than between two Chinese
    // characters when the line it ends is at least half full.
    void feedTextPrefersBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name and flavour") << "乐事薯片 原味" << "乐事薯片 原" << "乐事薯片\n原味";
        QTest::newRow("a blank too early is passed over") << "乐 事薯片原味" << "乐 事薯片" << "乐 事薯片\n原味";
        QTest::newRow("no blank") << "乐事薯片原味" << "乐事薯片原" << "乐事薯片原\n味";
    }

    void feedTextPrefersBlanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, room);
        const QFontMetrics metrics(QApplication::font());
        QTEST(UiTool::GetFeedText(text, metrics.horizontalAdvance(room), metrics), "expected");
    }

    // A caption wrapped for a narrow key (as wide as `room`): no line starts
    // with a closing mark or ends with an opening one; the break moves
    // earlier instead, every line keeps to the width and no character is lost.
    void autoWrapKeepsPunctuation_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("expected");
        QTest::newRow("。 goes down with the character before it") << "珍珠奶茶。大杯" << "珍珠奶茶" << "珍珠奶\n茶。大杯";
        QTest::newRow("、 on a two-character line") << "加冰、加糖" << "加冰" << "加\n冰、\n加糖";
        QTest::newRow("（ goes down with what it opens") << "奶茶（大杯）" << "奶茶（" << "奶茶\n（大\n杯）";
        QTest::newRow("“ goes down, ” stays up") << "推荐“招牌”奶茶" << "推荐“" << "推荐\n“招\n牌”奶\n茶";
        QTest::newRow("【 and 】") << "【新品】芒果冰" << "【新品" << "【新\n品】芒\n果冰";
        QTest::newRow("！！ both stay with 喝") << "好喝！！" << "好喝！" << "好\n喝！！";
        QTest::newRow("! after Chinese") << "大杯!" << "大杯" << "大\n杯!";
        QTest::newRow("a cut word keeps its full stop") << "Supersize." << "Supersize" << "Supersiz\ne.";
        QTest::newRow("a cut word does not end with (") << "Sizes(L)" << "Sizes(" << "Sizes\n(L)";
        QTest::newRow("words break at blanks") << "Milk tea, large." << "Milk tea," << "Milk tea,\nlarge.";
        QTest::newRow("a blank before a closing mark") << "Milk tea )" << "Milk tea" << "Milk\ntea )";
        QTest::newRow("a blank after an opening mark") << "Tea ( large" << "Tea ( la" << "Tea\n( large";
    }

    void autoWrapKeepsPunctuation()
    {
        QFETCH(QString, text);
        QFETCH(QString, room);
        const QFont font = QApplication::font();
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(room);
        QString wrapped = text;
        KxPosCom::AutoWrap(wrapped, font, width);
        QTEST(wrapped, "expected");
        // The kit's other wrapper (promotion panel, deposit texts) breaks by
        // its own rules, under the same constraints.
        const QString fed = UiTool::GetFeedText(text, width, metrics);
        const QString closing = QStringLiteral("。，、）】！？：；”’》.,;:!?)]"), opening = QStringLiteral("（【《“‘([");
        for (QString result : {wrapped, fed}) {
            for (const QString& line : result.split(QLatin1Char('\n'))) {
                QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(result));
                QVERIFY2(!closing.contains(line.front()) && !opening.contains(line.back()), qPrintable(result));
            }
            QCOMPARE(result.remove(QLatin1Char('\n')).remove(QLatin1Char(' ')), QString(text).remove(QLatin1Char(' ')));
        }
    }

    void dialogExecDoesNotNest()
    {
        KxDialog dialog;
        int nested = 42;
        QTimer::singleShot(0, &dialog, [&] {
            nested = dialog.exec(); // must return at once
            dialog.accept();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(nested, int(QDialog::Rejected));
        QVERIFY(!dialog.isExecuting());
    }

    // Every screen's sheet resolves all its variables; the loaded sheet is the
    // shared one followed by each screen's, and Qt parses it without a warning.
    void styleSheetResolvesAndParses()
    {
        const QDir folder(QStringLiteral(":/KxPos/style"));
        const QStringList names = folder.entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name);
        QVERIFY(names.contains(QStringLiteral("kxpos.qss")));
        const QString sheet = UiTool::LoadStyleSheet();
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QStringList unknown;
            const QString part = UiTool::ApplyStyleVariables(QString::fromUtf8(file.readAll()), &unknown);
            QVERIFY2(unknown.isEmpty(), qPrintable(name + QLatin1Char(':') + unknown.join(QLatin1Char(' '))));
            QVERIFY2(name == QLatin1String("kxpos.qss") ? sheet.startsWith(part) : sheet.contains(part), qPrintable(name));
        }
        const QString previous = qApp->styleSheet();
        UiTool::ApplyStyleSheet(qApp);
        QPushButton button;
        button.setProperty("showType", QStringLiteral("choose"));
        button.ensurePolished();
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(Qt::white));
        qApp->setStyleSheet(previous);
    }

    // A tap on a keyboard key, passed on as a host does with ApplyKey(),
    // edits the line at its cursor or selection; only the confirm key
    // reports itself and leaves the line alone.
    void keyboardKeyEditsLine_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("start"); // cursor, or start of the selection
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("confirm");
        const QString pad = QStringLiteral("1"), full = QStringLiteral("0");
        QTest::newRow("digit at the end") << pad << false << "7" << "12" << 2 << 0 << "127" << 3 << false;
        QTest::newRow("digit at the cursor") << pad << false << "5" << "1234" << 2 << 0 << "12534" << 3 << false;
        QTest::newRow("double zero") << pad << false << "00" << "7" << 1 << 0 << "700" << 3 << false;
        QTest::newRow("point replaces the selection") << pad << false << "." << "12345" << 1 << 3 << "1.5" << 2 << false;
        QTest::newRow("letter into an empty line") << full << false << "Q" << "" << 0 << 0 << "Q" << 1 << false;
        QTest::newRow("lower-case letter") << full << true << "M" << "AB" << 1 << 0 << "AmB" << 2 << false;
        QTest::newRow("space bar") << full << false << " " << "AB" << 1 << 0 << "A B" << 2 << false;
        QTest::newRow("hyphen replaces all") << full << false << "-" << "ABC" << 0 << 3 << "-" << 1 << false;
        QTest::newRow("backspace before the cursor") << pad << false << KeyBoardWidget::BackspaceKey << "1234" << 2 << 0
                                                     << "134" << 1 << false;
        QTest::newRow("backspace at the start") << full << false << KeyBoardWidget::BackspaceKey << "1234" << 0 << 0
                                                << "1234" << 0 << false;
        QTest::newRow("backspace removes the selection") << pad << false << KeyBoardWidget::BackspaceKey << "12345" << 1
                                                         << 3 << "15" << 1 << false;
        QTest::newRow("clear") << pad << false << KeyBoardWidget::ClearKey << "1234" << 2 << 0 << "" << 0 << false;
        QTest::newRow("confirm keeps the line") << pad << false << KeyBoardWidget::OkKey << "6901" << 2 << 0 << "6901"
                                                << 2 << true;
        QTest::newRow("confirm keeps the selection") << full << false << KeyBoardWidget::OkKey << "ABCD" << 1 << 2
                                                     << "ABCD" << 3 << true;
    }

    void keyboardKeyEditsLine()
    {
        QFETCH(QString, type);
        QFETCH(bool, lower);
        QFETCH(QString, key);
        QFETCH(QString, before);
        QFETCH(int, start);
        QFETCH(int, selected);
        QFETCH(bool, confirm);
        KeyBoardWidget keyboard(nullptr, type);
        keyboard.SetUpperCase(!lower);
        keyboard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
        QLineEdit line(before);
        line.setCursorPosition(start);
        if (selected > 0)
            line.setSelection(start, selected);
        int confirms = 0;
        QStringList sent;
        connect(&keyboard, &KeyBoardWidget::SignKbwKeyPress, this, [&](const QString& text) {
            sent << text;
            if (KeyBoardWidget::ApplyKey(&line, text))
                ++confirms;
        });
        QPushButton* button = keyboard.key(key);
        QVERIFY2(button, qPrintable(key));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(sent.size(), 1);
        QTEST(line.text(), "after");
        QTEST(line.cursorPosition(), "cursor");
        QCOMPARE(confirms, confirm ? 1 : 0);
        QCOMPARE(line.hasSelectedText(), confirm && selected > 0);
        // Without a line only the confirm key says anything.
        QCOMPARE(KeyBoardWidget::ApplyKey(nullptr, sent.first()), confirm);
    }

    // Key rows keep their least or fixed height, spanning keys also cover the
    // spacing between the rows they span, and the keys stand the spacing
    // apart and the margin from the edge, whichever is set first.
    void keyboardKeySizes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("spacingFirst");
        QTest::newRow("pad, least height after the spacing") << "1" << 8 << 8 << 76 << false << true;
        QTest::newRow("pad, least height before the spacing") << "1" << 6 << 6 << 44 << false << false;
        QTest::newRow("pad, fixed height") << "1" << 4 << 0 << 50 << true << true;
        QTest::newRow("keyboard, least height after the spacing") << "0" << 10 << 3 << 60 << false << true;
        QTest::newRow("keyboard, least height before the spacing") << "0" << 12 << 0 << 40 << false << false;
        QTest::newRow("keyboard, fixed height before the spacing") << "0" << 9 << 5 << 50 << true << false;
    }

    void keyboardKeySizes()
    {
        QFETCH(QString, type);
        QFETCH(int, spacing);
        QFETCH(int, margin);
        QFETCH(int, height);
        QFETCH(bool, fixed);
        QFETCH(bool, spacingFirst);
        KeyBoardWidget keyboard(nullptr, type);
        const auto setHeight = [&] {
            if (fixed)
                keyboard.SetKeyHeight(height);
            else
                keyboard.SetMinimumKeyHeight(height);
        };
        if (spacingFirst)
            keyboard.SetKeySpacing(spacing, margin);
        setHeight();
        if (!spacingFirst)
            keyboard.SetKeySpacing(spacing, margin);
        QCOMPARE(keyboard.keySpacing(), spacing);
        keyboard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keyboard));

        QPushButton* first = keyboard.key(QStringLiteral("1"));
        QPushButton* second = keyboard.key(QStringLiteral("2"));
        QPushButton* below = keyboard.key(type == QLatin1String("1") ? QStringLiteral("6") : QStringLiteral("Q"));
        QVERIFY(first && second && below);
        QCOMPARE(first->pos(), QPoint(margin, margin));
        QCOMPARE(second->x() - first->geometry().right() - 1, spacing);
        QCOMPARE(below->y() - first->geometry().bottom() - 1, spacing);
        for (QPushButton* key : keyboard.keys()) {
            // The confirm key of the full keyboard spans two rows.
            const int rows = type == QLatin1String("0") && key == keyboard.key(KeyBoardWidget::OkKey) ? 2 : 1;
            const int least = height * rows + spacing * (rows - 1);
            QVERIFY2(key->height() >= least, qPrintable(key->objectName()));
            if (fixed)
                QCOMPARE(key->height(), least);
        }
        // The keyboard asks for the room its rows need.
        const int rowCount = type == QLatin1String("1") ? 3 : 4;
        QVERIFY(keyboard.minimumSizeHint().height() >= rowCount * height + (rowCount - 1) * spacing + 2 * margin);
    }

    // A tap beside the open suggestions closes them and reaches the key
    // tapped, once, also on a popup styled again; a disabled key gets nothing.
    void suggestionPopupTapsThrough_data()
    {
        QTest::addColumn<int>("stylings");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("styled once") << 1 << true;
        QTest::newRow("styled twice") << 2 << true;
        QTest::newRow("disabled key") << 1 << false;
    }

    void suggestionPopupTapsThrough()
    {
        QFETCH(int, stylings);
        QFETCH(bool, enabled);
        QWidget window;
        auto* line = new QLineEdit(&window);
        line->setGeometry(10, 10, 200, 30);
        auto* key = new QPushButton(QStringLiteral("key"), &window);
        key->setGeometry(300, 200, 120, 60);
        key->setEnabled(enabled);
        auto* counter = new PressCounter(key);
        window.resize(480, 320);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCompleter completer(QStringList{QStringLiteral("6901"), QStringLiteral("6902")});
        completer.setWidget(line);
        for (int i = 0; i < stylings; ++i)
            UiTool::StyleSuggestionPopup(completer.popup());
        QAbstractItemView* popup = completer.popup();
        QVERIFY(popup->testAttribute(Qt::WA_NoMouseReplay));
        completer.setCompletionPrefix(QStringLiteral("69"));
        completer.complete(QRect(0, 0, 200, 30));
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(!popup->geometry().contains(key->mapToGlobal(key->rect().center())));

        // The open popup holds the mouse: the press beside it arrives there.
        const QPoint global = key->mapToGlobal(key->rect().center());
        QTest::mousePress(popup, Qt::LeftButton, {}, popup->mapFromGlobal(global));
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(counter->presses, enabled ? 1 : 0);
        QCOMPARE(key->isDown(), enabled);
        if (enabled)
            QTest::mouseRelease(key, Qt::LeftButton);
    }
};

QTEST_MAIN(UiKitTest)
#include "tst_uikit.moc"
