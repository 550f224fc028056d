// The sales screen's function keys: the shortcut bar, the paged grid and its
// edit mode, and the grid's dock, driven by clicks as a cashier would.

#include "TestSupport.h"
#include "TestRecords.h"
#include "TestScreens.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/PrePluGroupShowWidget.h"
#include "contracts/UiTool.h"

#include <QDockWidget>
#include <QGridLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <memory>

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
    QString t = text;
    return t.remove(QLatin1Char('\n'));
}

// A wrapped Latin caption is split at its spaces.
QString unwrappedWords(const QString& text)
{
    QString t = text;
    return t.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}
} // namespace

class TradeFunctionsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static QList<QPushButton*> cells(TradeWidget* screen)
    {
        QWidget* grid = child<QWidget>(screen, "widgetFunc");
        QList<QPushButton*> out;
        auto* layout = qobject_cast<QGridLayout*>(grid->layout());
        if (!layout)
            return out;
        for (int r = 0; r < layout->rowCount(); ++r) {
            for (int c = 0; c < layout->columnCount(); ++c) {
                if (QLayoutItem* item = layout->itemAtPosition(r, c))
                    out << qobject_cast<QPushButton*>(item->widget());
            }
        }
        return out;
    }

    // The captions of the filled cells of the page shown, in cell order.
    static QStringList pageCaptions(TradeWidget* screen)
    {
        QStringList out;
        for (QPushButton* b : cells(screen)) {
            if (showType(b) != QLatin1String("init"))
                out << unwrapped(b->text());
        }
        return out;
    }

private slots:
    // --- Grid geometry and paging ----------------------------------------------

    void gridPages_data()
    {
        QTest::addColumn<int>("appWidth");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("barGiven");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lastPageFilled");
        QTest::addColumn<QString>("firstInGrid");
        // Bar given by the host and empty: the grid holds every function.
        QTest::newRow("36 at 1600: 5 columns, 1 on page 2") << 1600 << 36 << true << 5 << 2 << 1 << functionCode(1);
        QTest::newRow("36 at 1599: 4 columns, 8 on page 2") << 1599 << 36 << true << 4 << 2 << 8 << functionCode(1);
        QTest::newRow("35 at 1920: exactly one page") << 1920 << 35 << true << 5 << 1 << 35 << functionCode(1);
        QTest::newRow("28 at 1024: exactly one page") << 1024 << 28 << true << 4 << 1 << 28 << functionCode(1);
        QTest::newRow("no functions: one empty page") << 1024 << 0 << true << 4 << 1 << 0 << QString();
        // The first ten go to the bar and leave the grid.
        QTest::newRow("36 at 1600, bar filled: one page") << 1600 << 36 << false << 5 << 1 << 26 << functionCode(11);
        QTest::newRow("46 at 1600, bar filled: 1 on page 2") << 1600 << 46 << false << 5 << 2 << 1 << functionCode(11);
        QTest::newRow("39 at 1024, bar filled: 1 on page 2") << 1024 << 39 << false << 4 << 2 << 1 << functionCode(11);
    }

    void gridPages()
    {
        QFETCH(int, appWidth);
        QFETCH(int, count);
        QFETCH(bool, barGiven);
        QFETCH(int, columns);
        QFETCH(int, pages);
        QFETCH(int, lastPageFilled);
        QFETCH(QString, firstInGrid);
        KxPosConfig::SetAppSize(appWidth, appWidth > 1366 ? 1080 : 768);
        auto screen = functionKeyScreen(count, barGiven);
        openFunctionGrid(screen.get());

        auto* layout = qobject_cast<QGridLayout*>(child<QWidget>(screen.get(), "widgetFunc")->layout());
        QVERIFY(layout);
        QCOMPARE(layout->columnCount(), columns);
        QCOMPARE(layout->rowCount(), 7);
        const QList<QPushButton*> grid = cells(screen.get());
        QCOMPARE(grid.size(), 7 * columns);
        for (QPushButton* b : grid)
            QCOMPARE(b->objectName(), QStringLiteral("funcButton"));

        const int perPage = 7 * columns;
        const int inGrid = count - (barGiven ? 0 : qMin(10, count));
        // Page 1.
        QStringList page = pageCaptions(screen.get());
        QCOMPARE(page.size(), qMin(perPage, inGrid));
        if (!firstInGrid.isEmpty())
            QCOMPARE(grid.first()->property("showType").toString(), QStringLiteral("normal"));
        // Walk forward to the last page, then once more: back on page 1.
        for (int p = 2; p <= pages; ++p)
            clickChild(screen.get(), "btnNextFunc");
        page = pageCaptions(screen.get());
        QCOMPARE(page.size(), lastPageFilled);
        int empty = 0;
        for (QPushButton* b : cells(screen.get())) {
            if (showType(b) == QLatin1String("init")) {
                ++empty;
                QVERIFY(!b->isEnabled());
                QVERIFY(b->text().isEmpty());
                QCOMPARE(b->iconSize(), QSize(0, 0));
            } else {
                QVERIFY(b->isEnabled());
            }
        }
        QCOMPARE(empty, perPage - lastPageFilled);
        const QStringList lastPage = page;

        clickChild(screen.get(), "btnNextFunc");
        page = pageCaptions(screen.get());
        QCOMPARE(page.size(), qMin(perPage, inGrid));
        if (!firstInGrid.isEmpty()) {
            const dynMapButton expected = functionKeys(count).at(firstInGrid.mid(1).toInt() - 1);
            QCOMPARE(page.first(), expected.funcName);
        }
        // Back from page 1 wraps to the last page.
        clickChild(screen.get(), "btnPreFunc");
        QCOMPARE(pageCaptions(screen.get()), lastPage);
        // Every style change of the page is applied, none left waiting.
        QCOMPARE(UiTool::PendingStyleUpdates(), 0);
    }

    void secondPageCellsPressTheirFunction()
    {
        KxPosConfig::SetAppSize(1600, 900);
        auto screen = functionKeyScreen(36, true);
        openFunctionGrid(screen.get());
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        clickChild(screen.get(), "btnNextFunc");
        const QList<QPushButton*> grid = cells(screen.get());
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QCOMPARE(func.count(), 1);
        QCOMPARE(func.at(0).at(0).toString(), functionCode(36));
        QVERIFY(screen->getUiQDockWidget(22)->isHidden());
        // An empty cell does nothing.
        openFunctionGrid(screen.get());
        QTest::mouseClick(grid.at(1), Qt::LeftButton);
        QCOMPARE(func.count(), 1);
    }

    void longCaptionsWrapToCellWidth()
    {
        KxPosConfig::SetAppSize(1024, 768);
        auto screen = std::make_unique<TradeWidget>(0, nullptr);
        QList<dynMapButton> list = functionKeys(3);
        list[0].funcName = QStringLiteral("会员储值卡充值与余额查询");
        list[1].funcName = QStringLiteral("OK");
        screen->gridFunctions = list;
        screen->shortcutsGiven = 1;
        screen->InitFuncArea();
        screen->show();
        openFunctionGrid(screen.get());
        QWidget* host = child<QWidget>(screen.get(), "widgetFunc");
        const int width = (host->width() - 3 * 10) / 4 - 8;
        QVERIFY(width > 0);
        const QFontMetrics metrics(host->font());
        const QList<QPushButton*> grid = cells(screen.get());
        const QStringList lines = grid.at(0)->text().split(QLatin1Char('\n'));
        QVERIFY2(lines.size() > 1, qPrintable(grid.at(0)->text()));
        QCOMPARE(lines.join(QString()), list.at(0).funcName);
        for (const QString& l : lines)
            QVERIFY2(metrics.horizontalAdvance(l) <= width, qPrintable(l));
        QCOMPARE(grid.at(1)->text(), QStringLiteral("OK"));
    }

    // --- Shortcut bar ----------------------------------------------------------------

    void shortcutBar_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("barGiven");
        QTest::addColumn<QStringList>("bar");
        QTest::newRow("first ten of 36") << 36 << false << codes(functionKeys(10)); // F01 to F10
        QTest::newRow("four functions") << 4 << false << codes(functionKeys(4));    // F01 to F04
        QTest::newRow("host's own bar") << 36 << true << QStringList{functionCode(20), functionCode(5)};
        QTest::newRow("nothing at all") << 0 << false << QStringList{};
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
            QVERIFY(b);
            QCOMPARE(showType(b), QStringLiteral("normal"));
            if (n <= bar.size()) {
                const int index = bar.at(n - 1).mid(1).toInt();
                QCOMPARE(unwrapped(b->text()), QStringLiteral("功能%1").arg(index));
                QVERIFY(b->isEnabled());
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(func.count(), 1);
                QCOMPARE(func.takeFirst().at(0).toString(), bar.at(n - 1));
            } else {
                QVERIFY(b->text().isEmpty());
                QVERIFY(!b->isEnabled());
                QTest::mouseClick(b, Qt::LeftButton);
                QCOMPARE(func.count(), 0);
            }
        }

        // The bar's functions are not in the grid outside edit mode.
        openFunctionGrid(screen.get());
        QStringList inGrid;
        const QList<dynMapButton> all = functionKeys(count);
        const QStringList firstPage = pageCaptions(screen.get());
        for (int p = 0; p < 5; ++p) {
            for (const QString& caption : pageCaptions(screen.get())) {
                for (const dynMapButton& f : all) {
                    if (f.funcName == caption)
                        inGrid << f.funcCode;
                }
            }
            clickChild(screen.get(), "btnNextFunc");
            if (pageCaptions(screen.get()) == firstPage)
                break; // wrapped around
        }
        for (const QString& c : bar)
            QVERIFY2(!inGrid.contains(c), qPrintable(c));
        QCOMPARE(inGrid.removeDuplicates(), 0);
        QCOMPARE(inGrid.size() + bar.size(), count);
    }

    void moreButtonTogglesAndShortcutClosesGrid()
    {
        auto screen = functionKeyScreen(36);
        QDockWidget* dock = screen->getUiQDockWidget(22);
        QVERIFY(dock->isHidden());
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(dock->isVisible());
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(dock->isHidden());

        openFunctionGrid(screen.get());
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        QTest::mouseClick(shortcutKey(screen.get(), 3), Qt::LeftButton);
        QCOMPARE(func.count(), 1);
        QCOMPARE(func.at(0).at(0).toString(), functionCode(3));
        QVERIFY(dock->isHidden());
    }

    void idleFunctionKeysOnlyAskToStart_data()
    {
        QTest::addColumn<bool>("onBar");
        QTest::newRow("shortcut bar") << true;
        QTest::newRow("grid") << false;
    }

    void idleFunctionKeysOnlyAskToStart()
    {
        QFETCH(bool, onBar);
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        screen->SetTradeActive(false);
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        QSignalSpy start(screen.get(), &TradeWidget::SignTrdStartTrade);
        if (onBar)
            QTest::mouseClick(shortcutKey(screen.get(), 1), Qt::LeftButton);
        else
            QTest::mouseClick(cells(screen.get()).at(0), Qt::LeftButton);
        QCOMPARE(func.count(), 0);
        QCOMPARE(start.count(), 0);
        QCOMPARE(MessageWidget::History().size(), 1);
        QCOMPARE(MessageWidget::History().last().first, translated(2347));
        QCOMPARE(MessageWidget::History().last().second, translated(1969));
        QVERIFY(screen->getUiQDockWidget(22)->isVisible());
    }

    void outOfRangeIndexesAreIgnored()
    {
        auto screen = functionKeyScreen(12);
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        QSignalSpy save(screen.get(), &TradeWidget::SignSaveBtnEdit);
        for (const char* index : {"-1", "10", "abc", ""})
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTrdCheckStart", Q_ARG(QString, index)));
        for (const char* index : {"-1", "2", "28", "x"})
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotFuncCheck", Q_ARG(QString, index)));
        QCOMPARE(func.count(), 0);
        QCOMPARE(save.count(), 0);
    }

    // --- Edit mode ----------------------------------------------------------------------

    void editModeStyles_data()
    {
        QTest::addColumn<int>("appWidth");
        QTest::addColumn<int>("appHeight");
        QTest::addColumn<QString>("cancelStyle");
        QTest::newRow("wide screen") << 1920 << 1080 << QStringLiteral("cancel");
        QTest::newRow("4:3 screen") << 1024 << 768 << QStringLiteral("cancel1024");
    }

    void editModeStyles()
    {
        QFETCH(int, appWidth);
        QFETCH(int, appHeight);
        QFETCH(QString, cancelStyle);
        KxPosConfig::SetAppSize(appWidth, appHeight);
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        auto* cancel = child<QPushButton>(screen.get(), "btnEditCancel");
        auto* edit = child<QPushButton>(screen.get(), "btnEditFun");
        QVERIFY(cancel->isHidden());
        QCOMPARE(edit->text(), translated(2382));

        clickChild(screen.get(), "btnEditFun");
        QCOMPARE(edit->text(), translated(1492));
        QVERIFY(cancel->isVisible());
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(showType(shortcutKey(screen.get(), n)), cancelStyle);
        // The grid shows every function; those on the bar are marked.
        const QList<QPushButton*> grid = cells(screen.get());
        const int perPage = grid.size();
        for (int k = 0; k < perPage; ++k) {
            QCOMPARE(unwrapped(grid.at(k)->text()), QStringLiteral("功能%1").arg(k + 1));
            QCOMPARE(showType(grid.at(k)), k < 10 ? QStringLiteral("choose") : QStringLiteral("normal"));
        }
        // The "more" button does not close the grid while editing.
        clickChild(screen.get(), "toolButtonKeyMore");
        QVERIFY(screen->getUiQDockWidget(22)->isVisible());

        // The second button leaves edit mode just as the first would.
        clickChild(screen.get(), "btnEditCancel");
        QCOMPARE(edit->text(), translated(2382));
        QVERIFY(cancel->isHidden());
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(showType(shortcutKey(screen.get(), n)), QStringLiteral("normal"));
        QCOMPARE(unwrapped(cells(screen.get()).at(0)->text()), QStringLiteral("功能11"));
    }

    void editingTheBar()
    {
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        QSignalSpy save(screen.get(), &TradeWidget::SignSaveBtnEdit);
        QSignalSpy func(screen.get(), &TradeWidget::SignTrdDynFunc);
        clickChild(screen.get(), "btnEditFun");
        QList<QPushButton*> grid = cells(screen.get());

        // Already on the bar, and an 11th: both dropped.
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QTest::mouseClick(grid.at(12), Qt::LeftButton);
        QCOMPARE(save.count(), 0);

        // A shortcut click removes it and reports the nine left.
        QTest::mouseClick(shortcutKey(screen.get(), 1), Qt::LeftButton);
        QCOMPARE(save.count(), 1);
        QList<dynMapButton> saved = save.takeFirst().at(0).value<QList<dynMapButton>>();
        QCOMPARE(codes(saved), codes(functionKeys(10).mid(1))); // F02 to F10

        // Now a grid function joins the bar at its end.
        QTest::mouseClick(grid.at(12), Qt::LeftButton);
        QCOMPARE(save.count(), 1);
        saved = save.takeFirst().at(0).value<QList<dynMapButton>>();
        QCOMPARE(saved.size(), 10);
        QCOMPARE(saved.last().funcCode, functionCode(13));
        // Full again: the next one is dropped.
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QCOMPARE(save.count(), 0);

        // A function of page 2 can be chosen after paging.
        QTest::mouseClick(shortcutKey(screen.get(), 2), Qt::LeftButton);
        QCOMPARE(save.count(), 1);
        save.clear();
        clickChild(screen.get(), "btnNextFunc");
        QTest::mouseClick(grid.at(0), Qt::LeftButton);
        QCOMPARE(save.count(), 1);
        QCOMPARE(save.at(0).at(0).value<QList<dynMapButton>>().last().funcCode, functionCode(29));
        QCOMPARE(func.count(), 0);

        // Leaving edit mode shows the new bar, and its functions leave the grid.
        clickChild(screen.get(), "btnEditFun");
        const QStringList expectedBar{functionCode(2), functionCode(4), functionCode(5), functionCode(6), functionCode(7),
                                      functionCode(8), functionCode(9), functionCode(10), functionCode(13), functionCode(29)};
        QCOMPARE(codes(screen->shortcutFunctions), expectedBar);
        for (int n = 1; n <= 10; ++n) {
            const int index = expectedBar.at(n - 1).mid(1).toInt();
            QCOMPARE(unwrapped(shortcutKey(screen.get(), n)->text()), QStringLiteral("功能%1").arg(index));
        }
        grid = cells(screen.get());
        QCOMPARE(unwrapped(grid.at(0)->text()), QStringLiteral("功能1"));
        QCOMPARE(unwrapped(grid.at(1)->text()), QStringLiteral("功能3"));
        QCOMPARE(showType(grid.at(0)), QStringLiteral("normal"));

        // Outside edit mode a shortcut press is a function press again.
        QTest::mouseClick(shortcutKey(screen.get(), 9), Qt::LeftButton);
        QCOMPARE(func.count(), 1);
        QCOMPARE(func.at(0).at(0).toString(), functionCode(13));
    }

    void hostRefillsAfterSave()
    {
        auto screen = functionKeyScreen(36);
        // The host stores the new bar and hands it back.
        connect(screen.get(), &TradeWidget::SignSaveBtnEdit, screen.get(),
                [s = screen.get()](QList<dynMapButton> bar) {
                    s->shortcutFunctions = bar;
                    s->UpdateFuncShow();
                });
        openFunctionGrid(screen.get());
        clickChild(screen.get(), "btnEditFun");
        QTest::mouseClick(shortcutKey(screen.get(), 10), Qt::LeftButton);
        QVERIFY(shortcutKey(screen.get(), 10)->text().isEmpty());
        QVERIFY(!shortcutKey(screen.get(), 10)->isEnabled());
        // Still editing: the grid still shows every function, F10 no longer chosen.
        const QList<QPushButton*> grid = cells(screen.get());
        QCOMPARE(unwrapped(grid.at(9)->text()), QStringLiteral("功能10"));
        QCOMPARE(showType(grid.at(9)), QStringLiteral("normal"));
        QCOMPARE(showType(grid.at(8)), QStringLiteral("choose"));
    }

    void captionsFollowLanguage()
    {
        auto screen = functionKeyScreen(36);
        openFunctionGrid(screen.get());
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(unwrappedWords(shortcutKey(screen.get(), 1)->text()), QStringLiteral("Function 1"));
        QCOMPARE(unwrappedWords(cells(screen.get()).at(0)->text()), QStringLiteral("Function 11"));
        QCOMPARE(child<QPushButton>(screen.get(), "btnEditFun")->text(), translated(2382));
        // A resize re-flows the bar's captions in the language now shown.
        screen->resize(screen->width() - 10, screen->height());
        QTest::qWait(10);
        QCOMPARE(unwrappedWords(shortcutKey(screen.get(), 1)->text()), QStringLiteral("Function 1"));
        QCOMPARE(unwrappedWords(child<QToolButton>(screen.get(), "toolButtonKeyMore")->text()), translated(7013));
    }

    // --- Grid dock placement ------------------------------------------------------------

    void gridDockPlacement_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("presetKeys");
        for (const QSize s : {QSize(800, 600), QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)}) {
            QTest::addRow("%dx%d", s.width(), s.height()) << s << false;
            QTest::addRow("%dx%d, preset keys", s.width(), s.height()) << s << true;
        }
    }

    void gridDockPlacement()
    {
        QFETCH(QSize, size);
        QFETCH(bool, presetKeys);
        KxPosConfig::SetAppSize(size.width(), size.height());
        auto screen = functionKeyScreen(36);
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        auto* group = new PrePluGroupShowWidget;
        if (presetKeys) {
            group->SetGroups({{QStringLiteral("G1"), QStringLiteral("水果")}});
            group->SetProducts(QStringLiteral("G1"), {{QStringLiteral("1001"), QStringLiteral("苹果")}});
            screen->showFastPluKey(group, true);
            QCoreApplication::processEvents();
        }
        openFunctionGrid(screen.get());
        QDockWidget* dock = screen->getUiQDockWidget(22);
        const QRect area = dock->geometry();
        const QRect bounds = globalRect(screen.get());
        QVERIFY(bounds.contains(area));
        QVERIFY(area.width() > 0 && area.height() > 0);
        if (presetKeys) {
            QWidget* keys = child<QWidget>(screen.get(), "widgetPreKey");
            QCOMPARE(area.width(), keys->width());
            QCOMPARE(area.topLeft(), child<QWidget>(screen.get(), "widgetPrePlu")->mapToGlobal(QPoint(0, 0)));
        } else {
            // The bar stays free for editing, the sale lines' code column too.
            QVERIFY(!area.intersects(globalRect(child<QWidget>(screen.get(), "widgetBtn"))));
            QCOMPARE(area.width(), KxPosConfig::GetAutoWidth(902, 428));
        }
        if (!presetKeys)
            delete group; // shown keys belong to the screen now
    }
};

QTEST_MAIN(TradeFunctionsTest)
#include "tst_trade_functions.moc"
