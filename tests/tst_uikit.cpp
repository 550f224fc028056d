// Number format, the dialog's single run, change popup and style sheet of
// the UI kit. Retranslation is walked over every screen by
// tst_screens_accessibility.

#include "TestSupport.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KxDialog.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxWidget.h"
#include "contracts/UiTool.h"

#include <QDir>
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
