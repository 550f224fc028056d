// Specification, taste and add-on choice: paged grids, single and multi-choice
// taste groups, required groups, results and the product with nothing to choose.

#include "TestSupport.h"

#include "options/SelectSpuWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {
KxPosPluSpec spec(const QString& name, const QString& code, bool selected = false)
{
    KxPosPluSpec s;
    s.specName = name;
    s.specCode = code;
    s.isSelected = selected;
    return s;
}

KxPosPluTaste taste(const QString& name, const QString& groupId, const QString& groupName, bool multiple,
                    bool required = false)
{
    KxPosPluTaste t;
    t.tasteName = name;
    t.groupId = groupId;
    t.groupName = groupName;
    t.isMultiple = multiple;
    t.isRequired = required;
    return t;
}

KxPosPluFood food(const QString& name, const QString& price)
{
    KxPosPluFood f;
    f.foodName = name;
    f.foodPrice = price;
    return f;
}

QList<KxPosPluFood> numberedFoods(int count)
{
    QList<KxPosPluFood> foods;
    for (int i = 1; i <= count; ++i)
        foods << food(QStringLiteral("料%1").arg(i), QString::number(i));
    return foods;
}

// Runs the dialog for `spu`; `during` is called once it runs. Whatever
// `during` leaves open is closed with the close key; a watchdog ends a
// dialog that would otherwise never close.
int runDialog(SelectSpuWidget& dialog, const KxPosPluSpu& spu, const std::function<void()>& during)
{
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&] {
        ran = true;
        during();
        if (dialog.isVisible())
            QTest::mouseClick(dialog.getUiQPushButton(1), Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
    watchdog.start(10000);
    const int result = dialog.ShowPluSpuInfo(spu);
    if (!ran)
        QTest::qFail("the dialog did not run", __FILE__, __LINE__);
    return result;
}

// Texts of the keys of a grid's current page ("" for an empty key); the page
// key shows as "<more>".
QStringList pageTexts(SelectSpuWidget& dialog, int grid)
{
    QStringList texts;
    for (QPushButton* key : dialog.GridButtons(grid)) {
        if (key == dialog.PageKey(grid))
            texts << QStringLiteral("<more>");
        else
            texts << (key->isEnabled() ? key->text().section(QLatin1Char('\n'), 0, 0) : QString());
    }
    return texts;
}

QPushButton* keyOf(SelectSpuWidget& dialog, int grid, const QString& name, int occurrence = 0)
{
    for (QPushButton* key : dialog.GridButtons(grid)) {
        if (key != dialog.PageKey(grid) && key->isEnabled()
            && key->text().section(QLatin1Char('\n'), 0, 0) == name && occurrence-- == 0)
            return key;
    }
    return nullptr;
}

QString requiredMessage(const QString& group)
{
    return KxPosTranslator::GetTranslation(2356) + group + KxPosTranslator::GetTranslation(2357);
}
} // namespace

class OptionsSpuTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

// Every test runs at the fixture's 1024 x 768, where all three areas leave
// the add-on grid two rows of keys.
private slots:
    void pageCount_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("reserved");
        QTest::addColumn<int>("pages");
        QTest::newRow("15 on 2 rows with the page key") << 15 << 2 << 1 << 3;
        QTest::newRow("14 fill two pages") << 14 << 2 << 1 << 2;
        QTest::newRow("8 fit without the page key") << 8 << 2 << 0 << 1;
        QTest::newRow("none") << 0 << 2 << 0 << 0;
        QTest::newRow("negative count") << -4 << 2 << 0 << 1;
        QTest::newRow("one row, page key") << 4 << 1 << 1 << 2;
    }

    void pageCount()
    {
        QFETCH(int, n);
        QFETCH(int, rows);
        QFETCH(int, reserved);
        QFETCH(int, pages);
        QCOMPARE(SelectSpuWidget::GetPageCount(n, rows, 4, reserved), pages);
    }

    // Pages of the add-on grid (2 rows, 8 keys) as the page key turns them;
    // the last entry is the page shown after the last page.
    void paging_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QStringList>>("pages");
        const QString m = QStringLiteral("<more>");
        auto names = [](int first, int last, int width) {
            QStringList list;
            for (int i = first; i <= last; ++i)
                list << QStringLiteral("料%1").arg(i);
            while (list.size() < width)
                list << QString();
            return list;
        };
        QTest::newRow("15 add-ons: 7, 7, 1, back to 1")
            << 15
            << QList<QStringList>{names(1, 7, 7) << m, names(8, 14, 7) << m, names(15, 15, 7) << m,
                                  names(1, 7, 7) << m};
        QTest::newRow("9 add-ons: 7, 2") << 9
                                        << QList<QStringList>{names(1, 7, 7) << m, names(8, 9, 7) << m,
                                                              names(1, 7, 7) << m};
        QTest::newRow("8 add-ons fit one page") << 8 << QList<QStringList>{names(1, 8, 8)};
        QTest::newRow("3 add-ons leave empty keys") << 3 << QList<QStringList>{names(1, 3, 8)};
    }

    void paging()
    {
        QFETCH(int, count);
        QFETCH(QList<QStringList>, pages);
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.specs << spec(QStringLiteral("中杯"), QStringLiteral("M"));
        spu.tastes << taste(QStringLiteral("少冰"), QStringLiteral("G1"), QStringLiteral("冰量"), false);
        spu.foods = numberedFoods(count);

        int rows = 0;
        QList<QStringList> seen;
        QList<int> pageNumbers;
        int pageCount = 0;
        bool pageKeyStyled = true;
        runDialog(dialog, spu, [&] {
            rows = dialog.RowCount(SelectSpuWidget::GridAdd);
            pageCount = dialog.PageCount(SelectSpuWidget::GridAdd);
            for (int i = 0; i < pages.size(); ++i) {
                seen << pageTexts(dialog, SelectSpuWidget::GridAdd);
                pageNumbers << dialog.CurrentPage(SelectSpuWidget::GridAdd);
                for (QPushButton* key : dialog.GridButtons(SelectSpuWidget::GridAdd)) {
                    const QString style = key->property("showType").toString();
                    if (key == dialog.PageKey(SelectSpuWidget::GridAdd))
                        pageKeyStyled = pageKeyStyled && style == QLatin1String("all_off");
                    else if (!key->isEnabled())
                        pageKeyStyled = pageKeyStyled && style == QLatin1String("empty");
                }
                if (QPushButton* more = dialog.PageKey(SelectSpuWidget::GridAdd))
                    QTest::mouseClick(more, Qt::LeftButton);
            }
        });
        QCOMPARE(rows, 2);
        QCOMPARE(seen, pages);
        QCOMPARE(pageCount, SelectSpuWidget::GetPageCount(count, 2, 4, count > 8 ? 1 : 0));
        for (int i = 0; i < pageNumbers.size(); ++i)
            QCOMPARE(pageNumbers.at(i), pageCount > 0 ? i % pageCount + 1 : 1);
        QVERIFY(pageKeyStyled);
    }

    void addOnKeyShowsSurcharge()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.foods << food(QStringLiteral("珍珠"), QStringLiteral("2")) << food(QStringLiteral("椰果"), QStringLiteral("1.5"));
        QString text;
        bool specShown = true, tasteShown = true, addShown = false;
        runDialog(dialog, spu, [&] {
            text = dialog.GridButtons(SelectSpuWidget::GridAdd).at(1)->text();
            specShown = dialog.getUiQWidget(1)->isVisible();
            tasteShown = dialog.getUiQWidget(2)->isVisible();
            addShown = dialog.getUiQWidget(3)->isVisible();
        });
        QCOMPARE(text, QStringLiteral("椰果\n+1.50"));
        QVERIFY(!specShown);
        QVERIFY(!tasteShown);
        QVERIFY(addShown);
    }

    // Presses of taste keys by name ("name#1" is the second key of that name);
    // the tastes chosen after them and the result text on OK.
    void tasteChoice_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("result");
        QTest::newRow("single: second replaces first")
            << QStringList{"微辣", "特辣"} << QStringList{"特辣"} << " 特辣";
        QTest::newRow("single: pressing again keeps it") << QStringList{"微辣", "微辣"} << QStringList{"微辣"}
                                                          << " 微辣";
        QTest::newRow("multi: both stay") << QStringList{"香菜", "葱花"} << QStringList{"葱花", "香菜"}
                                          << " 葱花 香菜";
        QTest::newRow("multi: pressing again unchooses") << QStringList{"葱花", "葱花"} << QStringList{} << "";
        QTest::newRow("groups do not touch each other")
            << QStringList{"特辣", "葱花", "微辣", "香菜"} << QStringList{"微辣", "葱花", "香菜"}
            << " 微辣 葱花 香菜";
        QTest::newRow("same name in two single groups")
            << QStringList{"正常#1", "正常"} << QStringList{"正常", "正常#1"} << " 正常 正常";
        QTest::newRow("same name: only its own group") << QStringList{"正常#1"} << QStringList{"正常#1"}
                                                        << " 正常";
    }

    void tasteChoice()
    {
        QFETCH(QStringList, presses);
        QFETCH(QStringList, chosen);
        QFETCH(QString, result);
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.tastes << taste(QStringLiteral("微辣"), QStringLiteral("G1"), QStringLiteral("辣度"), false)
                   << taste(QStringLiteral("特辣"), QStringLiteral("G1"), QStringLiteral("辣度"), false)
                   << taste(QStringLiteral("葱花"), QStringLiteral("G2"), QStringLiteral("小料"), true)
                   << taste(QStringLiteral("香菜"), QStringLiteral("G2"), QStringLiteral("小料"), true)
                   << taste(QStringLiteral("正常"), QStringLiteral("G3"), QStringLiteral("冰量"), false)
                   << taste(QStringLiteral("正常"), QStringLiteral("G4"), QStringLiteral("甜度"), false);
        QStringList missing;
        QStringList styledOn;
        int code = runDialog(dialog, spu, [&] {
            for (const QString& press : presses) {
                QPushButton* key = keyOf(dialog, SelectSpuWidget::GridTaste, press.section('#', 0, 0),
                                         press.section('#', 1, 1).toInt());
                if (!key) {
                    missing << press;
                    continue;
                }
                QTest::mouseClick(key, Qt::LeftButton);
            }
            int occurrence = 0;
            QString last;
            for (QPushButton* key : dialog.GridButtons(SelectSpuWidget::GridTaste)) {
                if (!key->isEnabled())
                    continue;
                occurrence = key->text() == last ? occurrence + 1 : 0;
                last = key->text();
                if (key->property("showType").toString() == QLatin1String("taste_on"))
                    styledOn << (occurrence ? key->text() + QStringLiteral("#1") : key->text());
            }
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(',')));
        QCOMPARE(code, 1);
        QCOMPARE(styledOn, chosen);
        QStringList flagged;
        for (int i = 0; i < dialog.Tastes().size(); ++i) {
            if (dialog.Tastes().at(i).isSelected)
                flagged << (i == 5 ? QStringLiteral("正常#1") : dialog.Tastes().at(i).tasteName);
        }
        QCOMPARE(flagged, chosen);
        QCOMPARE(dialog.selectedTastes, result);
    }

    // Required groups: which tastes are chosen, and the group named in the
    // refusal ("" when OK goes through).
    void requiredGroups_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("refusedGroup");
        // "甜度" comes first in the list, "冰量" first by name (U+51B0 < U+751C).
        QTest::newRow("both missing: first by name") << QStringList{} << "冰量";
        QTest::newRow("ice chosen: sweetness missing") << QStringList{"少冰"} << "甜度";
        QTest::newRow("sweetness chosen: ice missing") << QStringList{"半糖"} << "冰量";
        QTest::newRow("both chosen") << QStringList{"半糖", "去冰"} << "";
        QTest::newRow("optional group may stay empty") << QStringList{"全糖", "少冰"} << "";
    }

    void requiredGroups()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, refusedGroup);
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.tastes << taste(QStringLiteral("半糖"), QStringLiteral("S"), QStringLiteral("甜度"), false, true)
                   << taste(QStringLiteral("全糖"), QStringLiteral("S"), QStringLiteral("甜度"), false, true)
                   << taste(QStringLiteral("少冰"), QStringLiteral("I"), QStringLiteral("冰量"), false, true)
                   << taste(QStringLiteral("去冰"), QStringLiteral("I"), QStringLiteral("冰量"), false, true)
                   << taste(QStringLiteral("加珍珠"), QStringLiteral("X"), QStringLiteral("小料"), true);
        bool stayedOpen = false;
        const int code = runDialog(dialog, spu, [&] {
            for (const QString& press : presses)
                QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridTaste, press), Qt::LeftButton);
            QTest::mouseClick(dialog.getUiQPushButton(0), Qt::LeftButton);
            stayedOpen = dialog.isVisible();
        });
        const auto history = MessageWidget::History();
        if (refusedGroup.isEmpty()) {
            QCOMPARE(code, 1);
            QVERIFY(!stayedOpen);
            QVERIFY(history.isEmpty());
        } else {
            QCOMPARE(code, 0); // closed afterwards with the close key
            QVERIFY(stayedOpen);
            QCOMPARE(history.size(), 1);
            QCOMPARE(history.at(0).first, requiredMessage(refusedGroup));
            QCOMPARE(history.at(0).second, KxPosTranslator::GetTranslation(1969));
        }
    }

    void specificationIsExclusive()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.specs << spec(QStringLiteral("中杯"), QStringLiteral("S-M"), true) << spec(QStringLiteral("大杯"), QStringLiteral("S-L"))
                  << spec(QStringLiteral("超大杯"), QStringLiteral("S-XL"));
        QStringList styles;
        const int code = runDialog(dialog, spu, [&] {
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridSpec, QStringLiteral("超大杯")), Qt::LeftButton);
            QTest::mouseClick(keyOf(dialog, SelectSpuWidget::GridSpec, QStringLiteral("大杯")), Qt::LeftButton);
            for (int i = 0; i < 3; ++i)
                styles << dialog.GridButtons(SelectSpuWidget::GridSpec).at(i)->property("showType").toString();
            QTest::keyClick(&dialog, Qt::Key_Enter);
        });
        QCOMPARE(code, 1);
        QCOMPARE(styles, (QStringList{"all_off", "spec_on", "all_off"}));
        QCOMPARE(dialog.selectedSpecCode, QStringLiteral("S-L"));
        QCOMPARE(dialog.Specs().at(1).isSelected, true);
        QCOMPARE(dialog.Specs().at(0).isSelected, false);
        QVERIFY(dialog.selectedTastes.isEmpty());
    }

    void addOnsToggle()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.foods = numberedFoods(3);
        QString styleAfterFirst;
        const int code = runDialog(dialog, spu, [&] {
            QPushButton* first = dialog.GridButtons(SelectSpuWidget::GridAdd).at(0);
            QPushButton* third = dialog.GridButtons(SelectSpuWidget::GridAdd).at(2);
            QTest::mouseClick(first, Qt::LeftButton);
            styleAfterFirst = first->property("showType").toString();
            QTest::mouseClick(third, Qt::LeftButton);
            QTest::mouseClick(first, Qt::LeftButton);
            QTest::mouseClick(dialog.getUiQPushButton(0), Qt::LeftButton);
        });
        QCOMPARE(code, 1);
        QCOMPARE(styleAfterFirst, QStringLiteral("add_on"));
        QCOMPARE(dialog.Foods().at(0).isSelected, false);
        QCOMPARE(dialog.Foods().at(1).isSelected, false);
        QCOMPARE(dialog.Foods().at(2).isSelected, true);
        // The host may also press an add-on by its key text.
        dialog.SlotBtnClickAdd(QStringLiteral("料2\n+2.00"));
        QCOMPARE(dialog.Foods().at(1).isSelected, true);
        dialog.SlotBtnClickAdd(QStringLiteral("不存在"));
        QCOMPARE(dialog.Foods().at(0).isSelected, false);
        QCOMPARE(dialog.Foods().at(2).isSelected, true);
    }

    void choiceOnLaterPage()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.specs << spec(QStringLiteral("中杯"), QStringLiteral("M"));
        spu.tastes << taste(QStringLiteral("少冰"), QStringLiteral("G1"), QStringLiteral("冰量"), false);
        spu.foods = numberedFoods(15);
        runDialog(dialog, spu, [&] {
            QTest::mouseClick(dialog.PageKey(SelectSpuWidget::GridAdd), Qt::LeftButton);
            // Second key of page 2 is item 9.
            QTest::mouseClick(dialog.GridButtons(SelectSpuWidget::GridAdd).at(1), Qt::LeftButton);
            QTest::mouseClick(dialog.getUiQPushButton(0), Qt::LeftButton);
        });
        for (int i = 0; i < 15; ++i)
            QCOMPARE(dialog.Foods().at(i).isSelected, i == 8);
    }

    void keysOtherThanEnterAreIgnored()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.specs << spec(QStringLiteral("中杯"), QStringLiteral("M"));
        bool openAfterEscape = false;
        const int code = runDialog(dialog, spu, [&] {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(dialog.getUiQPushButton(1), Qt::Key_Space);
            openAfterEscape = dialog.isVisible();
        });
        QVERIFY(openAfterEscape);
        QCOMPARE(code, 0);
    }

    void nothingToChooseClosesAtOnce()
    {
        SelectSpuWidget dialog(0, nullptr);
        KxPosPluSpu spu;
        spu.specs << spec(QStringLiteral("中杯"), QStringLiteral("M"));
        QCOMPARE(runDialog(dialog, spu, [&] { QTest::keyClick(&dialog, Qt::Key_Return); }), 1);
        QCOMPARE(dialog.selectedSpecCode, QString());

        // The next product has no options: no event loop runs, result 0.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &dialog, [&] { dialog.done(7); });
        guard.start(2000);
        QCOMPARE(dialog.ShowPluSpuInfo(KxPosPluSpu()), 0);
        QVERIFY(guard.isActive());
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.Specs().isEmpty());
        QVERIFY(dialog.GridButtons(SelectSpuWidget::GridSpec).isEmpty());
        QVERIFY(dialog.selectedSpecCode.isEmpty());
    }
};

QTEST_MAIN(OptionsSpuTest)
#include "tst_options_spu.moc"
