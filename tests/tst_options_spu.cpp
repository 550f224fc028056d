// Specification, taste and add-on choice: paged key grids, single and
// multi-choice taste groups, the results left in the dialog and the product
// with nothing to choose, the whole choice by keys alone and the arrow keys'
// way over the grids. Required groups are refused in tst_refusals and chosen
// in the end-to-end food sale.

#include "TestSupport.h"
#include "TestAccess.h"

#include "options/SelectSpuWidget.h"

#include "contracts/MessageWidget.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace KxPosTest;

namespace {
KxPosPluTaste taste(const QString& name, const QString& group, bool multiple, bool required = false)
{
    KxPosPluTaste t;
    t.tasteName = name;
    t.groupId = t.groupName = group;
    t.isMultiple = multiple;
    t.isRequired = required;
    return t;
}

// A product with one specification, one taste and `count` add-ons 料1, 料2, ...
// priced 1, 2, ...
KxPosPluSpu withAddOns(int count)
{
    KxPosPluSpu spu;
    spu.specs << KxPosPluSpec();
    spu.specs.last().specName = spu.specs.last().specCode = QStringLiteral("中杯");
    spu.tastes << taste(QStringLiteral("少冰"), QStringLiteral("冰量"), false);
    for (int i = 1; i <= count; ++i) {
        spu.foods << KxPosPluFood();
        spu.foods.last().foodName = QStringLiteral("料%1").arg(i);
        spu.foods.last().foodPrice = QString::number(i);
    }
    return spu;
}

// Runs the dialog for `spu`; `during` acts once it runs. Whatever it leaves
// open is closed with the close key; a watchdog ends a dialog that would
// never close.
int runDialog(SelectSpuWidget& dialog, const KxPosPluSpu& spu, const std::function<void()>& during)
{
    QTimer::singleShot(0, &dialog, [&] {
        during();
        if (dialog.isVisible())
            QTest::mouseClick(dialog.getUiQPushButton(1), Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
    watchdog.start(10000);
    return dialog.ShowPluSpuInfo(spu);
}

// The enabled key of a grid whose first text line is `name` ("name#1": the
// second such key); the page key and empty keys do not count.
QPushButton* keyOf(SelectSpuWidget& dialog, int grid, const QString& press)
{
    int occurrence = press.section('#', 1, 1).toInt();
    for (QPushButton* key : KxPosTestAccess::GridButtons(dialog, grid)) {
        if (key != KxPosTestAccess::PageKey(dialog, grid) && key->isEnabled()
            && key->text().section(QLatin1Char('\n'), 0, 0) == press.section('#', 0, 0) && occurrence-- == 0)
            return key;
    }
    return nullptr;
}
} // namespace

class OptionsSpuTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // At 1024 x 768 the add-on grid has 2 rows of 4 keys; from 9 add-ons on
    // the last key turns the pages and wraps to the first.
    void paging()
    {
        SelectSpuWidget dialog(0, nullptr);
        QList<QStringList> seen;
        QString surcharge;
        runDialog(dialog, withAddOns(15), [&] {
            QCOMPARE(KxPosTestAccess::RowCount(dialog, SelectSpuWidget::GridAdd), 2);
            surcharge = KxPosTestAccess::GridButtons(dialog, SelectSpuWidget::GridAdd).at(1)->text();
            for (int page = 0; page < 4; ++page) {
                QStringList texts;
                for (QPushButton* key : KxPosTestAccess::GridButtons(dialog, SelectSpuWidget::GridAdd))
                    texts << (key->isEnabled() ? key->text().section(QLatin1Char('\n'), 0, 0) : QString());
                seen << texts;
                QTest::mouseClick(KxPosTestAccess::PageKey(dialog, SelectSpuWidget::GridAdd), Qt::LeftButton);
            }
        });
        const QString more = seen.value(0).value(7);
        QCOMPARE(seen.value(0), (QStringList{"料1", "料2", "料3", "料4", "料5", "料6", "料7", more}));
        QCOMPARE(seen.value(1).first(), QStringLiteral("料8"));
        QCOMPARE(seen.value(2), (QStringList{"料15", "", "", "", "", "", "", more}));
        QCOMPARE(seen.value(3), seen.value(0));
        QCOMPARE(surcharge, QStringLiteral("料2\n+2.00"));
    }

    // Presses of taste keys; the tastes chosen after them and the result text.
    void tasteChoice_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("result");
        QTest::newRow("single: second replaces first") << QStringList{"微辣", "特辣"} << QStringList{"特辣"} << " 特辣";
        QTest::newRow("single: pressing again keeps it") << QStringList{"微辣", "微辣"} << QStringList{"微辣"} << " 微辣";
        QTest::newRow("multi: both stay") << QStringList{"香菜", "葱花"} << QStringList{"葱花", "香菜"} << " 葱花 香菜";
        QTest::newRow("multi: pressing again unchooses") << QStringList{"葱花", "葱花"} << QStringList{} << "";
        QTest::newRow("same name in two single groups")
            << QStringList{"正常#1", "正常"} << QStringList{"正常", "正常#1"} << " 正常 正常";
    }

    void tasteChoice()
    {
        QFETCH(QStringList, presses);
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.tastes << taste(QStringLiteral("微辣"), QStringLiteral("辣度"), false)
                   << taste(QStringLiteral("特辣"), QStringLiteral("辣度"), false)
                   << taste(QStringLiteral("葱花"), QStringLiteral("小料"), true)
                   << taste(QStringLiteral("香菜"), QStringLiteral("小料"), true)
                   << taste(QStringLiteral("正常"), QStringLiteral("冰量"), false)
                   << taste(QStringLiteral("正常"), QStringLiteral("甜度"), false);
        const int code = runDialog(dialog, spu, [&] {
            for (const QString& press : presses) {
                QPushButton* key = keyOf(dialog, SelectSpuWidget::GridTaste, press);
                QVERIFY2(key, qPrintable(press));
                QTest::mouseClick(key, Qt::LeftButton);
            }
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        QCOMPARE(code, 1);
        QStringList flagged;
        for (int i = 0; i < dialog.Tastes().size(); ++i) {
            if (dialog.Tastes().at(i).isSelected)
                flagged << (i == 5 ? QStringLiteral("正常#1") : dialog.Tastes().at(i).tasteName);
        }
        QTEST(flagged, "chosen");
        QTEST(dialog.selectedTastes, "result");
    }

    void specificationAndAddOnsAreKept()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu = withAddOns(15);
        spu.specs << spu.specs.first() << spu.specs.first();
        spu.specs[1].specCode = QStringLiteral("S-L");
        spu.specs[1].specName = QStringLiteral("大杯");
        spu.specs[2].specName = spu.specs[2].specCode = QStringLiteral("超大杯");
        const int code = runDialog(dialog, spu, [&] {
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridSpec, QStringLiteral("超大杯")), Qt::LeftButton);
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridSpec, QStringLiteral("大杯")), Qt::LeftButton);
            // Add-ons toggle; a choice on a later page counts too.
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridAdd, QStringLiteral("料1")), Qt::LeftButton);
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridAdd, QStringLiteral("料3")), Qt::LeftButton);
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridAdd, QStringLiteral("料1")), Qt::LeftButton);
            QTest::mouseClick(KxPosTestAccess::PageKey(dialog, SelectSpuWidget::GridAdd), Qt::LeftButton);
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridAdd, QStringLiteral("料9")), Qt::LeftButton);
            QTest::keyClick(&dialog, Qt::Key_Enter);
        });
        QCOMPARE(code, 1);
        QCOMPARE(dialog.selectedSpecCode, QStringLiteral("S-L"));
        QStringList addOns;
        for (const KxPosPluFood& food : dialog.Foods()) {
            if (food.isSelected)
                addOns << food.foodName;
        }
        QCOMPARE(addOns, (QStringList{"料3", "料9"}));
    }

    // A cashier with a keyboard only: each key goes to the focused widget.
    // Two sizes, a required single-choice taste group and three add-ons;
    // the cursor starts on the first specification.
    void keysOnly_data()
    {
        QTest::addColumn<QList<int>>("sequence");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("tastes");
        QTest::addColumn<QStringList>("addOns");
        using K = QList<int>;
        QTest::newRow("Right, Space, Tab, Space, Enter")
            << K{Qt::Key_Right, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return} << 1 << "L" << " 微辣"
            << QStringList{};
        QTest::newRow("Down walks from grid to grid")
            << K{Qt::Key_Space, Qt::Key_Down, Qt::Key_Right, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space,
                 Qt::Key_Right, Qt::Key_Right, Qt::Key_Space, Qt::Key_Enter}
            << 1 << "M" << " 特辣" << QStringList{"料2", "料3"};
        QTest::newRow("Up from the add-ons back to the tastes")
            << K{Qt::Key_Backtab, Qt::Key_Right, Qt::Key_Space, Qt::Key_Up, Qt::Key_Space, Qt::Key_Return} << 1 << ""
            << " 特辣" << QStringList{"料2"};
        QTest::newRow("Right stops at the last option")
            << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space,
                 Qt::Key_Return}
            << 1 << "L" << " 微辣" << QStringList{};
        QTest::newRow("Space twice on an add-on unticks it")
            << K{Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space,
                 Qt::Key_Return}
            << 1 << "" << " 微辣" << QStringList{};
        QTest::newRow("Enter without the required taste stays") << K{Qt::Key_Space, Qt::Key_Return} << 0 << ""
                                                                << "" << QStringList{};
        QTest::newRow("Escape takes nothing") << K{Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Escape} << 0
                                              << "" << "" << QStringList{};
        QTest::newRow("Page Up takes nothing") << K{Qt::Key_Space, Qt::Key_Tab, Qt::Key_Space, Qt::Key_PageUp} << 0
                                               << "" << "" << QStringList{};
    }

    void keysOnly()
    {
        QFETCH(QList<int>, sequence);
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu = withAddOns(3);
        spu.specs.first().specCode = QStringLiteral("M");
        spu.specs << KxPosPluSpec();
        spu.specs.last().specName = QStringLiteral("大杯");
        spu.specs.last().specCode = QStringLiteral("L");
        spu.tastes = {taste(QStringLiteral("微辣"), QStringLiteral("辣度"), false, true),
                      taste(QStringLiteral("特辣"), QStringLiteral("辣度"), false, true)};
        bool leftOpen = false;
        const int code = runDialog(dialog, spu, [&] {
            for (int key : qAsConst(sequence)) {
                QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &dialog;
                QTest::keyClick(target, Qt::Key(key));
            }
            leftOpen = dialog.isVisible();
        });
        QTEST(code, "result");
        QCOMPARE(leftOpen, code == 0 && sequence.last() == Qt::Key_Return);
        if (code == 1) {
            QTEST(dialog.selectedSpecCode, "spec");
            QTEST(dialog.selectedTastes, "tastes");
        } else if (!leftOpen) {
            QVERIFY(dialog.selectedSpecCode.isEmpty()); // backed out: nothing taken
        }
        QStringList addOns;
        for (const KxPosPluFood& food : dialog.Foods()) {
            if (food.isSelected)
                addOns << food.foodName;
        }
        if (code == 1)
            QTEST(addOns, "addOns");
    }

    // Up and Down keep the column, inside a grid and from grid to grid, and
    // take the nearest key of a shorter row; Left and Right run along the
    // keys in reading order. Four sizes over two tastes over six add-ons in
    // two rows (料1-料4, 料5 料6); the cursor starts on 小杯.
    void arrowsKeepTheColumn_data()
    {
        QTest::addColumn<QString>("tapped"); // a key tapped before the arrows, if any
        QTest::addColumn<QList<int>>("sequence");
        QTest::addColumn<QString>("focused");
        using K = QList<int>;
        const int R = Qt::Key_Right, U = Qt::Key_Up, D = Qt::Key_Down;
        // A tap moves the cursor too: one frame, on the key last used.
        QTest::newRow("a tap takes the cursor") << "大杯" << K{} << "大杯";
        QTest::newRow("arrows go on from the tapped key") << "中辣" << K{D} << "料2";
        QTest::newRow("Down into the next grid, same column") << "" << K{R, D} << "中辣";
        QTest::newRow("Down onto a shorter row takes its last key") << "" << K{R, R, R, D} << "中辣";
        QTest::newRow("Down over two grids") << "" << K{R, D, D} << "料2";
        QTest::newRow("Down inside a grid onto a shorter row") << "" << K{Qt::Key_Backtab, R, R, R, D} << "料6";
        QTest::newRow("Up into the grid above, same column") << "" << K{Qt::Key_Tab, R, U} << "中杯";
        QTest::newRow("Up from a grid's top row, shorter row above") << "" << K{Qt::Key_Backtab, R, R, U} << "中辣";
        QTest::newRow("Up from the second row leaves the grid from its top")
            << "" << K{Qt::Key_Backtab, R, D, U, U} << "中辣";
        QTest::newRow("Down from the bottom grid to the top one") << "" << K{Qt::Key_Backtab, R, D, D} << "中杯";
        QTest::newRow("Up from the top grid to the bottom row") << "" << K{R, R, R, U} << "料6";
        QTest::newRow("Right runs on into the next row") << "" << K{Qt::Key_Backtab, R, R, R, R} << "料5";
    }

    void arrowsKeepTheColumn()
    {
        QFETCH(QString, tapped);
        QFETCH(QList<int>, sequence);
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu = withAddOns(6);
        spu.specs.clear();
        for (const char* size : {"小杯", "中杯", "大杯", "超大杯"}) {
            spu.specs << KxPosPluSpec();
            spu.specs.last().specName = spu.specs.last().specCode = QString::fromUtf8(size);
        }
        spu.tastes = {taste(QStringLiteral("微辣"), QStringLiteral("辣度"), false),
                      taste(QStringLiteral("中辣"), QStringLiteral("辣度"), false)};
        QString focused;
        runDialog(dialog, spu, [&] {
            if (!tapped.isEmpty()) {
                QPushButton* key = nullptr;
                for (int grid = 0; grid < 3 && !key; ++grid)
                    key = keyOf(dialog, grid, tapped);
                QVERIFY(key);
                QTest::mouseClick(key, Qt::LeftButton);
            }
            // The key with the dialog's keyboard focus gets each key press.
            for (int key : qAsConst(sequence))
                QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key(key));
            if (auto* key = qobject_cast<QPushButton*>(dialog.focusWidget()))
                focused = key->text().section(QLatin1Char('\n'), 0, 0);
        });
        QTEST(focused, "focused");
    }

    void nothingToChooseClosesAtOnce()
    {
        SelectSpuWidget dialog(0, nullptr);
        QTimer guard; // no event loop may run: a run would be ended with 7
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &dialog, [&] { dialog.done(7); });
        guard.start(2000);
        QCOMPARE(dialog.ShowPluSpuInfo(KxPosPluSpu()), 0);
        QVERIFY(guard.isActive());
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.selectedSpecCode.isEmpty());
    }
};

QTEST_MAIN(OptionsSpuTest)
#include "tst_options_spu.moc"
