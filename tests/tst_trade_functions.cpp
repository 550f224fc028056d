// The sales screen's function keys: the shortcut bar, the paged grid and its
// edit mode, and the grid's dock, driven by clicks as a cashier would.

#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QDockWidget>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace KxPosTest;

namespace {
QStringList codes(const QList<dynMapButton>& list)
{
    QStringList out;
    for (const dynMapButton& f : list)
        out << f.funcCode;
    return out;
}

// A wrapped Chinese caption is split between characters.
QString unwrapped(const QString& text)
{
    return QString(text).remove(QLatin1Char('\n'));
}

// A wrapped Latin caption is split at its spaces.
QString unwrappedWords(const QString& text)
{
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

QList<QPushButton*> cells(TradeWidget* screen)
{
    QList<QPushButton*> out;
    auto* layout = qobject_cast<QGridLayout*>(child<QWidget>(screen, "widgetFunc")->layout());
    for (int r = 0; layout && r < layout->rowCount(); ++r) {
        for (int c = 0; c < layout->columnCount(); ++c) {
            if (QLayoutItem* item = layout->itemAtPosition(r, c))
                out << qobject_cast<QPushButton*>(item->widget());
        }
    }
    return out;
}

// The captions of the filled cells of the page shown, in cell order.
QStringList pageCaptions(TradeWidget* screen)
{
    QStringList out;
    for (QPushButton* b : cells(screen)) {
        if (showType(b) != QLatin1String("init"))
            out << unwrapped(b->text());
    }
    return out;
}

QString caption(const QString& code) { return QStringLiteral("功能%1").arg(code.mid(1).toInt()); }
} // namespace

class TradeFunctionsTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void cellsAndShortcutsPressTheirFunction()
    {
        auto screen = functionKeyScreen(46); // 36 in the grid: 28 on page 1, 8 on page 2
        QDockWidget* dock = screen->getUiQDockWidget(22);
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        // The "more" key opens and closes the grid.
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(dock->isVisible());
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(dock->isHidden());
        // A cell of page 2 presses its function and closes the grid; so
        // does a shortcut key; an empty cell does nothing.
        openFunctionGrid(screen.get());
        clickChild(screen.get(), "btnNextFunc");
        const QList<QPushButton*> grid = cells(screen.get());
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QVERIFY(dock->isHidden());
        openFunctionGrid(screen.get());
        QTest::mouseClick(shortcutKey(screen.get(), 3), Qt::LeftButton);
        QVERIFY(dock->isHidden());
        openFunctionGrid(screen.get());
        QTest::mouseClick(grid.at(8), Qt::LeftButton);
        QCOMPARE(firstArguments(func), (QStringList{functionCode(39), functionCode(3)}));
    }

    void shortcutBar_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("barGiven");
        QTest::addColumn<QStringList>("bar");
        QTest::newRow("first ten of 36") << 36 << false << codes(functionKeys(10));
        QTest::newRow("host's own bar") << 36 << true << QStringList{functionCode(20), functionCode(5)};
    }

    void shortcutBar()
    {
        QFETCH(int, count);
        QFETCH(bool, barGiven);
        QFETCH(QStringList, bar);
        QList<dynMapButton> given;
        for (const QString& c : bar)
            given << functionKeys(36).at(c.mid(1).toInt() - 1);
        auto screen = functionKeyScreen(count, barGiven, barGiven ? given : QList<dynMapButton>{});
        QCOMPARE(codes(screen->shortcutFunctions), bar);
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        for (int n = 1; n <= 10; ++n) {
            QToolButton* b = shortcutKey(screen.get(), n);
            QCOMPARE(unwrapped(b->text()), n <= bar.size() ? caption(bar.at(n - 1)) : QString());
            QCOMPARE(b->isEnabled(), n <= bar.size());
            QTest::mouseClick(b, Qt::LeftButton);
        }
        QCOMPARE(firstArguments(func), bar);
        // The bar's functions are not in the grid outside edit mode.
        openFunctionGrid(screen.get());
        QStringList inGrid = pageCaptions(screen.get());
        clickChild(screen.get(), "btnNextFunc");
        if (pageCaptions(screen.get()) != inGrid)
            inGrid += pageCaptions(screen.get());
        for (const QString& c : bar)
            QVERIFY2(!inGrid.contains(caption(c)), qPrintable(c));
        QCOMPARE(inGrid.removeDuplicates(), 0);
        QCOMPARE(inGrid.size() + bar.size(), count);
    }

    // --- Edit mode ----------------------------------------------------------------------

    void editingTheBar()
    {
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        QSignalSpy save(screen.get(), &TradeWidget::SignSaveBtnEdit);
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        const auto saved = [&save] { return codes(save.takeFirst().at(0).value<QList<dynMapButton>>()); };
        clickChild(screen.get(), "btnEditFun");
        QList<QPushButton*> grid = cells(screen.get());
        // Already on the bar, and an 11th: both dropped.
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QTest::mouseClick(grid.at(12), Qt::LeftButton);
        QCOMPARE(save.count(), 0);
        // A shortcut click removes it and reports the nine left.
        QTest::mouseClick(shortcutKey(screen.get(), 1), Qt::LeftButton);
        QCOMPARE(save.count(), 1);
        QCOMPARE(saved(), codes(functionKeys(10).mid(1))); // F02 to F10
        // Now a grid function joins the bar at its end; full again, the next is dropped.
        QTest::mouseClick(grid.at(12), Qt::LeftButton);
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QCOMPARE(save.count(), 1);
        QCOMPARE(saved().last(), functionCode(13));
        // A function of page 2 can be chosen after paging.
        QTest::mouseClick(shortcutKey(screen.get(), 2), Qt::LeftButton);
        clickChild(screen.get(), "btnNextFunc");
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QCOMPARE(save.count(), 2);
        save.takeFirst();
        QCOMPARE(saved().last(), functionCode(29));
        QCOMPARE(func.count(), 0);

        // Leaving edit mode shows the new bar, and its functions leave the grid.
        clickChild(screen.get(), "btnEditFun");
        const QStringList expectedBar{functionCode(2), functionCode(4), functionCode(5),  functionCode(6),
                                      functionCode(7), functionCode(8), functionCode(9),  functionCode(10),
                                      functionCode(13), functionCode(29)};
        QCOMPARE(codes(screen->shortcutFunctions), expectedBar);
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(unwrapped(shortcutKey(screen.get(), n)->text()), caption(expectedBar.at(n - 1)));
        QCOMPARE(pageCaptions(screen.get()).mid(0, 2), (QStringList{"功能1", "功能3"}));
        // Outside edit mode a shortcut press is a function press again.
        QTest::mouseClick(shortcutKey(screen.get(), 9), Qt::LeftButton);
        QCOMPARE(firstArguments(func), QStringList{functionCode(13)});
    }

    void captionsFollowLanguage()
    {
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(unwrappedWords(shortcutKey(screen.get(), 1)->text()), QStringLiteral("Function 1"));
        QCOMPARE(unwrappedWords(cells(screen.get()).at(0)->text()), QStringLiteral("Function 11"));
        // A resize re-flows the bar's captions in the language now shown.
        screen->resize(screen->width() - 10, screen->height());
        QVERIFY(waitUntilStill());
        QCOMPARE(unwrappedWords(shortcutKey(screen.get(), 1)->text()), QStringLiteral("Function 1"));
        QCOMPARE(unwrappedWords(child<QToolButton>(screen.get(), "toolButtonKeyMore")->text()), translated(7013));
    }
};

QTEST_MAIN(TradeFunctionsTest)
#include "tst_trade_functions.moc"
