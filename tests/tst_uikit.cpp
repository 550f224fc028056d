// Number format, the dialog's single run, change popup and style sheet of
// the UI kit. Retranslation is walked over every screen by
// tst_screens_accessibility.

#include "TestSupport.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KxDialog.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxWidget.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

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

};

QTEST_MAIN(UiKitTest)
#include "tst_uikit.moc"
