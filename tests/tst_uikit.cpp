// Base screens, message boxes, change popup, keyboard, style tools and
// placeholder widgets of the UI kit.

#include "TestSupport.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KeyBoardWidget.h"
#include "contracts/KxDialog.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxWidget.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TitleWidget.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/UiTool.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
// Records the order of the translation calls that a language change makes.
template <typename Base>
class TranslationProbe : public Base
{
public:
    QStringList calls;
    void Retranslate() override { calls << QStringLiteral("Retranslate"); }
    void UpdateTranslation() override { calls << QStringLiteral("UpdateTranslation"); }
};

// Runs `dialog` modally, sending `key` to it once it runs; a guard rejects
// it after two seconds so that a key that fails to close it fails the test
// instead of hanging it.
int execWithKey(QDialog* dialog, int key)
{
    QTimer::singleShot(0, dialog, [dialog, key] { QTest::keyClick(dialog, Qt::Key(key)); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, dialog, [dialog] { dialog->done(-1); });
    guard.start(2000);
    return dialog->exec();
}

int graphemeCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}
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

    void init()
    {
        MessageWidget::ClearHistory();
        QuestionMessage::ClearHistory();
    }

    // ---- KxWidget helpers ----

    void pageCount_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("reserved");
        QTest::addColumn<int>("pages");
        QTest::newRow("no items") << 0 << 5 << 7 << 0 << 1;
        QTest::newRow("negative items") << -4 << 5 << 7 << 0 << 1;
        QTest::newRow("one item") << 1 << 5 << 7 << 0 << 1;
        QTest::newRow("exactly one page") << 35 << 5 << 7 << 0 << 1;
        QTest::newRow("one over a page") << 36 << 5 << 7 << 0 << 2;
        QTest::newRow("exactly two pages") << 70 << 5 << 7 << 0 << 2;
        QTest::newRow("four columns") << 36 << 4 << 7 << 0 << 2;
        QTest::newRow("reserved paging cell") << 12 << 4 << 3 << 1 << 2;
        QTest::newRow("reserved, exact fit") << 11 << 4 << 3 << 1 << 1;
        QTest::newRow("zero columns") << 3 << 0 << 7 << 0 << 3;
        QTest::newRow("reserved fills the page") << 5 << 2 << 2 << 4 << 5;
        QTest::newRow("huge grid") << 10 << 100000 << 100000 << 0 << 1;
    }

    void pageCount()
    {
        QFETCH(int, items);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, reserved);
        QFETCH(int, pages);
        QCOMPARE(KxWidget::GetPageCount(items, columns, rows, reserved), pages);
    }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two decimals") << 3.14159 << 2 << "3.14";
        QTest::newRow("padded") << 7.0 << 3 << "7.000";
        QTest::newRow("no decimals") << 12.4 << 0 << "12";
        QTest::newRow("negative decimals") << 12.4 << -2 << "12";
        QTest::newRow("negative amount") << -2.5 << 2 << "-2.50";
        QTest::newRow("tiny negative is zero") << -0.001 << 2 << "0.00";
        QTest::newRow("weight") << 0.3456 << 3 << "0.346";
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(KxWidget::formatNumber(value, decimals), expected);
    }

    void scaling_data()
    {
        QTest::addColumn<int>("appWidth");
        QTest::addColumn<int>("appHeight");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("design");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("designHeight");
        QTest::newRow("1920x1080 from 1024 design") << 1920 << 1080 << 100 << 1024 << 188 << 105 << 1080;
        QTest::newRow("same size") << 1024 << 768 << 584 << 1024 << 584 << 438 << 768;
        QTest::newRow("800x600") << 800 << 600 << 100 << 1080 << 74 << 56 << 600;
        QTest::newRow("no design size") << 1920 << 1080 << 100 << 0 << 100 << 100 << 1080;
    }

    void scaling()
    {
        QFETCH(int, appWidth);
        QFETCH(int, appHeight);
        QFETCH(int, length);
        QFETCH(int, design);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, designHeight);
        const int oldWidth = KxPosConfig::iAppWidth;
        const int oldHeight = KxPosConfig::iAppHeight;
        KxPosConfig::iAppWidth = appWidth;
        KxPosConfig::iAppHeight = appHeight;
        const int gotWidth = KxWidget::calcWidth(length, design);
        const int gotHeight = KxWidget::calcHeight(length, design);
        const int gotDesign = KxWidget::DesignHeight();
        KxPosConfig::iAppWidth = oldWidth;
        KxPosConfig::iAppHeight = oldHeight;
        QCOMPARE(gotWidth, width);
        QCOMPARE(gotHeight, height);
        QCOMPARE(gotDesign, designHeight);
    }

    void languageChangeRetranslates()
    {
        TranslationProbe<KxWidget> widget;
        TranslationProbe<KxDialog> dialog;
        const QString before = KxPosTranslator::Language();
        const QString other = before == QLatin1String("en") ? QStringLiteral("zh_CN") : QStringLiteral("en");
        QVERIFY(KxPosTranslator::SetLanguage(other));
        QVERIFY(KxPosTranslator::SetLanguage(before));
        const QStringList expected = {"Retranslate", "UpdateTranslation", "Retranslate", "UpdateTranslation"};
        QCOMPARE(widget.calls, expected);
        QCOMPARE(dialog.calls, expected);
    }

    void dialogExecDoesNotNest()
    {
        KxDialog dialog;
        int nested = 42;
        bool runningInside = false;
        QTimer::singleShot(0, &dialog, [&] {
            runningInside = dialog.isExecuting();
            nested = dialog.exec(); // must return at once
            dialog.accept();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(runningInside);
        QCOMPARE(nested, int(QDialog::Rejected));
        QVERIFY(!dialog.isExecuting());
    }

    // ---- message boxes ----

    void messageHistory()
    {
        MessageWidget first(0);
        MessageWidget second(1);
        first.showMessage(QStringLiteral("库存不足"), QStringLiteral("提示"), 3, false);
        second.showMessage(QStringLiteral("second"), QStringLiteral("title 2"), 3, false);
        first.showMessage(QStringLiteral("third"), QStringLiteral("提示"), 1, true);
        const QList<QPair<QString, QString>> expected = {
            {QStringLiteral("库存不足"), QStringLiteral("提示")},
            {QStringLiteral("second"), QStringLiteral("title 2")},
            {QStringLiteral("third"), QStringLiteral("提示")}};
        QCOMPARE(MessageWidget::History(), expected);
        QCOMPARE(first.text(), QStringLiteral("third"));
        QCOMPARE(first.property("showType").toString(), QStringLiteral("error"));
        QVERIFY(!first.isVisible()); // never blocks or pops up without a user
        MessageWidget::ClearHistory();
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void boxKeys_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("message, Return") << false << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("message, Enter") << false << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("message, Escape") << false << int(Qt::Key_Escape) << int(QDialog::Accepted);
        QTest::newRow("question, Return") << true << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("question, Escape") << true << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void boxKeys()
    {
        QFETCH(bool, question);
        QFETCH(int, key);
        QFETCH(int, result);
        std::unique_ptr<QDialog> box;
        if (question)
            box = std::make_unique<QuestionMessage>(0);
        else
            box = std::make_unique<MessageWidget>(0);
        QCOMPARE(execWithKey(box.get(), key), result);
    }

    void questionAnswers_data()
    {
        QTest::addColumn<QList<int>>("queued");
        QTest::addColumn<QList<int>>("answers");
        QTest::newRow("empty queue answers no") << QList<int>() << QList<int>{0, 0};
        QTest::newRow("in order") << QList<int>{1, 0, 1} << QList<int>{1, 0, 1};
        QTest::newRow("then no") << QList<int>{1} << QList<int>{1, 0, 0};
        QTest::newRow("other values are no") << QList<int>{2, -1, 1} << QList<int>{0, 0, 1};
    }

    void questionAnswers()
    {
        QFETCH(QList<int>, queued);
        QFETCH(QList<int>, answers);
        QuestionMessage box(0);
        QuestionMessage::QueueAnswers(queued);
        QList<int> got;
        QStringList asked;
        for (int i = 0; i < answers.size(); ++i) {
            const QString text = QStringLiteral("question %1").arg(i);
            asked << text;
            got << (i % 2 ? box.ShowDialog(text, QStringLiteral("t"), QStringLiteral("是"), QStringLiteral("否"))
                          : box.ShowMessage(QStringLiteral("t"), text));
        }
        QCOMPARE(got, answers);
        QCOMPARE(QuestionMessage::History(), asked);
    }

    void questionClearDropsQueue()
    {
        QuestionMessage box(0);
        QuestionMessage::QueueAnswers({1, 1});
        QuestionMessage::ClearHistory();
        QCOMPARE(box.ShowMessage(QStringLiteral("t"), QStringLiteral("q")), 0);
        QCOMPARE(QuestionMessage::History(), QStringList{QStringLiteral("q")});
    }

    // ---- change popup ----

    void changeClosesOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("digit") << "key" << int(Qt::Key_5) << "5";
        QTest::newRow("enter") << "key" << int(Qt::Key_Enter) << "\r";
        QTest::newRow("F1") << "key" << int(Qt::Key_F1) << "";
        QTest::newRow("escape") << "key" << int(Qt::Key_Escape) << "\x1b";
        QTest::newRow("ok button") << "click" << 0 << "";
        QTest::newRow("window closed") << "close" << 0 << "";
    }

    void changeClosesOnce()
    {
        QFETCH(QString, how);
        QFETCH(int, key);
        QFETCH(QString, text);
        ChangeWidget change(0);
        QSignalSpy closed(&change, SIGNAL(SignTradeChgClosed(int, QString)));
        change.showMessage(KxWidget::formatNumber(12.5, 2), 0);
        QVERIFY(change.isVisible());
        QCOMPARE(change.amount(), QStringLiteral("12.50"));
        QTest::keyClick(&change, Qt::Key_Shift); // a modifier alone keeps it open
        QCOMPARE(closed.count(), 0);

        if (how == QLatin1String("key"))
            QTest::keyClick(&change, Qt::Key(key), Qt::NoModifier);
        else if (how == QLatin1String("click"))
            QTest::mouseClick(change.findChild<QPushButton*>(QStringLiteral("changeOk")), Qt::LeftButton);
        else
            change.close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), key);
        QCOMPARE(closed.at(0).at(1).toString(), text);
        QVERIFY(!change.isVisible());

        // Nothing more until it is shown again.
        QTest::keyClick(&change, Qt::Key_1);
        change.close();
        QCOMPARE(closed.count(), 1);
        change.showMessage(QStringLiteral("1.00"), 0);
        QTest::keyClick(&change, Qt::Key_1);
        QCOMPARE(closed.count(), 2);
    }

    // ---- keyboard and title bar ----

    void keyboardKeys_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("pad digits") << "1" << QStringList{"kbKey_1", "kbKey_0", "kbKey_9"}
                                    << QStringList{"1", "0", "9"};
        QTest::newRow("pad specials") << "1" << QStringList{"kbKey_.", "kbKey_00", "kbKey_clear", "kbKey_backspace", "kbKey_ok"}
                                      << QStringList{".", "00", "clear", "backspace", "ok"};
        QTest::newRow("full letters") << "0" << QStringList{"kbKey_Q", "kbKey_X", "kbKey_-", "kbKey_space"}
                                      << QStringList{"Q", "X", "-", " "};
        QTest::newRow("full specials") << "0" << QStringList{"kbKey_ok", "kbKey_backspace", "kbKey_clear"}
                                       << QStringList{"ok", "backspace", "clear"};
    }

    void keyboardKeys()
    {
        QFETCH(QString, type);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, emitted);
        KeyBoardWidget keyboard(nullptr, type, 0);
        QSignalSpy pressed(&keyboard, SIGNAL(SignKbwKeyPress(QString)));
        for (const QString& name : keys) {
            auto* button = keyboard.findChild<QPushButton*>(name);
            QVERIFY2(button, qPrintable(name));
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QStringList got;
        for (const QList<QVariant>& args : pressed)
            got << args.at(0).toString();
        QCOMPARE(got, emitted);
    }

    void keyboardLayoutAndCase()
    {
        KeyBoardWidget pad(nullptr, QStringLiteral("1"), 0);
        QCOMPARE(pad.gridLayout()->columnCount(), 5);
        QVERIFY(!pad.findChild<QPushButton*>(QStringLiteral("kbKey_A")));

        KeyBoardWidget full(nullptr, QStringLiteral("0"), 0);
        QSignalSpy pressed(&full, &KeyBoardWidget::SignKbwKeyPress);
        full.SetUpperCase(false);
        QCOMPARE(full.key(QStringLiteral("A"))->text(), QStringLiteral("a"));
        QTest::mouseClick(full.key(QStringLiteral("A")), Qt::LeftButton);
        full.SetUpperCase(true);
        QTest::mouseClick(full.key(QStringLiteral("A")), Qt::LeftButton);
        QCOMPARE(pressed.at(0).at(0).toString(), QStringLiteral("a"));
        QCOMPARE(pressed.at(1).at(0).toString(), QStringLiteral("A"));
    }

    void titleBar()
    {
        TitleWidget title(nullptr);
        QSignalSpy closed(&title, SIGNAL(SignButtonCloseClicked()));
        title.SetTitle(QStringLiteral("券核销"));
        QCOMPARE(title.title(), QStringLiteral("券核销"));
        QTest::mouseClick(title.closeButton(), Qt::LeftButton);
        QCOMPARE(closed.count(), 1);
    }

    // ---- style tools ----

    void updateStyleRepolishes()
    {
        QWidget host;
        host.setStyleSheet(QStringLiteral("QLabel[showType=\"alert\"] { color: #ff0000; }"));
        auto* label = new QLabel(&host);
        label->ensurePolished();
        QVERIFY(label->palette().color(QPalette::WindowText) != QColor(Qt::red));
        UiTool::UpdateWidgetStyle(label, "showType", QStringLiteral("alert"));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
        UiTool::UpdateWidgetStyle(nullptr, "showType", QStringLiteral("alert"));
    }

    void deferredStyleUpdates()
    {
        QWidget host;
        host.setStyleSheet(QStringLiteral("QLabel[showType=\"alert\"] { color: #ff0000; }"));
        auto* kept = new QLabel(&host);
        auto* doomed = new QLabel(&host);
        kept->ensurePolished();
        UiTool::UpdateWidgetStyleDeferred(kept, "showType", QStringLiteral("normal"));
        UiTool::UpdateWidgetStyleDeferred(doomed, "showType", QStringLiteral("alert"));
        UiTool::UpdateWidgetStyleDeferred(kept, "showType", QStringLiteral("alert")); // replaces
        UiTool::UpdateWidgetStyleDeferred(kept, "fontsize", QStringLiteral("20"));
        QCOMPARE(UiTool::PendingStyleUpdates(), 3);
        QVERIFY(!kept->property("showType").isValid()); // nothing before the flush
        delete doomed;
        UiTool::FlushDeferredStyleUpdates();
        QCOMPARE(UiTool::PendingStyleUpdates(), 0);
        QCOMPARE(kept->property("showType").toString(), QStringLiteral("alert"));
        QCOMPARE(kept->property("fontsize").toString(), QStringLiteral("20"));
        QCOMPARE(kept->palette().color(QPalette::WindowText), QColor(Qt::red));
        UiTool::FlushDeferredStyleUpdates(); // empty flush
    }

    void feedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("english") << "Fresh whole milk with extra calcium, family pack" << 80;
        QTest::newRow("chinese") << "新鲜全脂牛奶高钙家庭装一升两瓶特价促销" << 60;
        QTest::newRow("mixed") << "会员价 Member price 特价商品 Special 12.50元" << 90;
        QTest::newRow("long word") << "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" << 50;
        QTest::newRow("kept line breaks") << "第一行\n第二行很长很长很长很长很长很长" << 70;
        QTest::newRow("narrower than a character") << "宽字" << 1;
        QTest::newRow("surrogate pairs") << "𠀀𠀁𠀂𠀃𠀄𠀅𠀆𠀇" << 40;
    }

    void feedText()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        const QFontMetrics metrics(QApplication::font());
        const QString fed = UiTool::GetFeedText(text, width, metrics);
        const QStringList lines = fed.split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= text.count(QLatin1Char('\n')) + 1);
        for (const QString& line : lines) {
            if (graphemeCount(line) > 1)
                QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
            QVERIFY(!line.isEmpty());
            QVERIFY(!line.contains(QChar(0xFFFD)));
        }
        // Only white space and line breaks may differ.
        QString plain = text;
        QString back = fed;
        plain.remove(QRegularExpression(QStringLiteral("\\s")));
        back.remove(QRegularExpression(QStringLiteral("\\s")));
        QCOMPARE(back, plain);
        // Greedy: the next line's first character would not have fitted.
        if (!text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('\n'))) {
            for (int i = 0; i + 1 < lines.size(); ++i) {
                const QString next = lines.at(i + 1).left(lines.at(i + 1).at(0).isHighSurrogate() ? 2 : 1);
                QVERIFY(metrics.horizontalAdvance(lines.at(i) + next) > width);
            }
        }
    }

    void feedElidedText_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("cut");
        QTest::newRow("one line") << 1 << true;
        QTest::newRow("two lines") << 2 << true;
        QTest::newRow("enough lines") << 50 << false;
        QTest::newRow("no lines") << 0 << true;
    }

    void feedElidedText()
    {
        QFETCH(int, lines);
        QFETCH(bool, cut);
        const QFontMetrics metrics(QApplication::font());
        const QString text = QStringLiteral("促销提示：满一百减二十，会员再享九五折，部分商品除外，详情请咨询店员");
        const int width = metrics.horizontalAdvance(QStringLiteral("促销提示：满一百")) + 2;
        const QString elided = UiTool::GetFeedElidedText(text, width, lines, metrics);
        if (lines == 0) {
            QVERIFY(elided.isEmpty());
            return;
        }
        const QStringList got = elided.split(QLatin1Char('\n'));
        QVERIFY(got.size() <= lines);
        for (const QString& line : got)
            QVERIFY(metrics.horizontalAdvance(line) <= width);
        QCOMPARE(elided.endsWith(QChar(0x2026)), cut);
        if (!cut)
            QCOMPARE(elided, UiTool::GetFeedText(text, width, metrics));
    }

    void styleVariables_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("unknown");
        QTest::newRow("colour") << "color: $kitColour;" << "color: #123456;" << QStringList();
        QTest::newRow("pixel suffix") << "font-size: $kitSizepx;" << "font-size: 7px;" << QStringList();
        QTest::newRow("longest name wins") << "a:$kitSize1px b:$kitSizepx" << "a:70px b:7px" << QStringList();
        QTest::newRow("unknown kept") << "x: $kitMissing; y: $kitColour" << "x: $kitMissing; y: #123456"
                                      << QStringList{"$kitMissing"};
        QTest::newRow("no variables") << "QWidget { }" << "QWidget { }" << QStringList();
    }

    void styleVariables()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, expected);
        QFETCH(QStringList, unknown);
        const auto saved = KxPosConfig::styleMap;
        KxPosConfig::styleMap.insert(QStringLiteral("$kitColour"), QStringLiteral("#123456"));
        KxPosConfig::styleMap.insert(QStringLiteral("$kitSize"), QStringLiteral("7"));
        KxPosConfig::styleMap.insert(QStringLiteral("$kitSize1"), QStringLiteral("70"));
        QStringList missing;
        const QString result = UiTool::ApplyStyleVariables(sheet, &missing);
        KxPosConfig::styleMap = saved;
        QCOMPARE(result, expected);
        QCOMPARE(missing, unknown);
    }

    void styleSheetResolvesAndParses()
    {
        // Every screen's sheet resolves all its variables, and the loaded
        // sheet is the shared one followed by each screen's.
        const QDir folder(QStringLiteral(":/KxPos/style"));
        const QStringList names = folder.entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name);
        QVERIFY(names.contains(QStringLiteral("kxpos.qss")));
        const QString sheet = UiTool::LoadStyleSheet();
        int previousAt = -1;
        for (const QString& name : names) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QStringList unknown;
            const QString part = UiTool::ApplyStyleVariables(QString::fromUtf8(file.readAll()), &unknown);
            QVERIFY2(unknown.isEmpty(), qPrintable(name + QLatin1Char(':') + unknown.join(QLatin1Char(' '))));
            const int at = sheet.indexOf(part);
            QVERIFY2(at >= 0, qPrintable(name));
            if (name == QLatin1String("kxpos.qss"))
                QCOMPARE(at, 0);
            else
                QVERIFY(at > previousAt);
            previousAt = name == QLatin1String("kxpos.qss") ? previousAt : at;
        }
        // A sheet Qt cannot parse makes it warn, which fails the test.
        const QString previous = qApp->styleSheet();
        UiTool::ApplyStyleSheet(qApp);
        QCOMPARE(qApp->styleSheet(), sheet);
        QPushButton button;
        button.setProperty("showType", QStringLiteral("choose"));
        button.ensurePolished();
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(Qt::white));
        qApp->setStyleSheet(previous);
    }

    // ---- placeholders ----

    void gapFiller()
    {
        QList<QWidget*> all = {UIComponentGapFiller::getQWidget(),      UIComponentGapFiller::getQLabel(),
                               UIComponentGapFiller::getQLineEdit(),    UIComponentGapFiller::getQPushButton(),
                               UIComponentGapFiller::getQToolButton(),  UIComponentGapFiller::getQComboBox(),
                               UIComponentGapFiller::getQListView(),    UIComponentGapFiller::getQTableView(),
                               UIComponentGapFiller::getQTableWidget(), UIComponentGapFiller::getQStackedWidget()};
        for (QWidget* widget : all) {
            QVERIFY(widget);
            QVERIFY(!widget->isVisible());
            QCOMPARE(all.count(widget), 1);
        }
        QCOMPARE(UIComponentGapFiller::getQLabel(), all.at(1));
        QCOMPARE(UIComponentGapFiller::getQTableWidget(), all.at(8));
        // A screen may write to a placeholder; the next caller gets the same object.
        UIComponentGapFiller::getQLabel()->setText(QStringLiteral("x"));
        QCOMPARE(UIComponentGapFiller::getQLabel()->text(), QStringLiteral("x"));
        QVERIFY(UIComponentGapFiller::getQLabel()->testAttribute(Qt::WA_DontShowOnScreen));
    }
};

QTEST_MAIN(UiKitTest)
#include "tst_uikit.moc"
