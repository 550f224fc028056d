// Preset-key arrangement dialog: its buttons and signals, and hosting the
// host's preset-key panel.

#include "TestSupport.h"
#include "TestAccess.h"

#include "presetkeys/SortPluManagement.h"

#include "contracts/PrePluGroupShowWidget.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

using namespace KxPosTest;

class PresetKeysSortTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // Button (accessor number, -1: a key instead) or key, and the counts of
    // the eight signals after it: left, right, pre-show, up, down, top, hide
    // category, hide product. Each button's caption shows its key.
    void buttons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("left") << 0 << 0 << QList<int>{1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("right") << 1 << 0 << QList<int>{0, 1, 0, 0, 0, 0, 0, 0};
        QTest::newRow("up") << 2 << 0 << QList<int>{0, 0, 0, 1, 0, 0, 0, 0};
        QTest::newRow("down") << 3 << 0 << QList<int>{0, 0, 0, 0, 1, 0, 0, 0};
        QTest::newRow("to top") << 4 << 0 << QList<int>{0, 0, 0, 0, 0, 1, 0, 0};
        QTest::newRow("show/hide product") << 5 << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 1};
        QTest::newRow("show/hide category") << 6 << 0 << QList<int>{0, 0, 0, 0, 0, 0, 1, 0};
        QTest::newRow("save") << 7 << 0 << QList<int>{0, 0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("Left key") << -1 << int(Qt::Key_Left) << QList<int>{1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("Right key") << -1 << int(Qt::Key_Right) << QList<int>{0, 1, 0, 0, 0, 0, 0, 0};
        QTest::newRow("Up key") << -1 << int(Qt::Key_Up) << QList<int>{0, 0, 0, 1, 0, 0, 0, 0};
        QTest::newRow("Down key") << -1 << int(Qt::Key_Down) << QList<int>{0, 0, 0, 0, 1, 0, 0, 0};
        QTest::newRow("Home key") << -1 << int(Qt::Key_Home) << QList<int>{0, 0, 0, 0, 0, 1, 0, 0};
        QTest::newRow("Delete key") << -1 << int(Qt::Key_Delete) << QList<int>{0, 0, 0, 0, 0, 0, 0, 1};
        QTest::newRow("Insert key") << -1 << int(Qt::Key_Insert) << QList<int>{0, 0, 0, 0, 0, 0, 1, 0};
        QTest::newRow("Return key") << -1 << int(Qt::Key_Return) << QList<int>{0, 0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("keypad Enter") << -1 << int(Qt::Key_Enter) << QList<int>{0, 0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("escape") << -1 << int(Qt::Key_Escape) << QList<int>{0, 0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("Tab without a panel") << -1 << int(Qt::Key_Tab) << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
    }

    void buttons()
    {
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(QList<int>, counts);
        SortPluManagement dialog(0, nullptr);
        using D = SortPluManagement;
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (auto signal : {&D::signalLeftBtn, &D::signalRightBtn, &D::signalPreShow, &D::signalUpBtn, &D::signalDownBtn,
                            &D::signalTopData, &D::signalHideSort, &D::signalHidePlu})
            spies.emplace_back(new QSignalSpy(&dialog, signal));
        bool visibleAtPreShow = true;
        connect(&dialog, &D::signalPreShow, this, [&] { visibleAtPreShow = dialog.isVisible(); });
        dialog.showWidget();
        QCOMPARE(QWidget::keyboardGrabber(), &dialog);
        if (button < 0)
            QTest::keyClick(&dialog, Qt::Key(key));
        else
            QTest::mouseClick(dialog.getUiQPushButton(button), Qt::LeftButton);
        QList<int> got;
        for (const auto& spy : spies)
            got << spy->count();
        QCOMPARE(got, counts);
        const bool closes = counts.at(2) == 1; // the panel goes back after the dialog has closed
        QCOMPARE(dialog.isVisible(), !closes);
        QCOMPARE(QWidget::keyboardGrabber() == &dialog, !closes);
        if (closes)
            QVERIFY(!visibleAtPreShow);
    }

    // Tab and Shift+Tab choose the product (turning pages, stopping at either
    // end), Page Up and Page Down the group.
    void keysChoose_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("page");
        QTest::newRow("first product") << QList<int>{Qt::Key_Tab} << "D" << "D1" << 1;
        QTest::newRow("onto the second page") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}
                                              << "D" << "D5" << 2;
        QTest::newRow("stops at the last") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab} << "D" << "D5" << 2;
        QTest::newRow("back again") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab,
                                                  Qt::Key_Backtab}
                                    << "D" << "D4" << 1;
        QTest::newRow("stops at the first") << QList<int>{Qt::Key_Tab, Qt::Key_Backtab} << "D" << "D1" << 1;
        QTest::newRow("next group") << QList<int>{Qt::Key_Tab, Qt::Key_PageDown} << "S" << "" << 1;
        QTest::newRow("no group after the last") << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Tab}
                                                 << "S" << "S1" << 1;
        QTest::newRow("no group before the first") << QList<int>{Qt::Key_PageUp} << "D" << "" << 1;
    }

    void keysChoose()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, group);
        QFETCH(QString, selected);
        QFETCH(int, page);
        auto* panel = new PrePluGroupShowWidget;
        panel->SetGroups({{"D", "饮品"}, {"S", "零食"}});
        panel->SetProducts(QStringLiteral("D"), {{"D1", "可乐"}, {"D2", "雪碧"}, {"D3", "橙汁"}, {"D4", "矿泉水"}, {"D5", "奶茶"}});
        panel->SetProducts(QStringLiteral("S"), {{"S1", "薯片"}});
        panel->SetGrid(2, 2);
        panel->SetEditMode(true);
        SortPluManagement dialog(0, nullptr);
        dialog.showWidget();
        dialog.showFastPluKey(panel);
        for (int key : keys)
            QTest::keyClick(&dialog, Qt::Key(key));
        QCOMPARE(panel->currentGroup(), group);
        QCOMPARE(panel->selectedProduct(), selected);
        QCOMPARE(panel->currentPage(), page);
        panel->setParent(nullptr);
        delete panel;
    }

    // The host wires the dialog to the panel and stores the arrangement on
    // signalPreShow. Enter and the save key keep the cashier's changes;
    // Escape and the back key leave the arrangement as the dialog found it
    // (product D3 hidden beforehand), whatever was changed. `leave` is a key,
    // or -1 - n for button n. Arrangements read "group:products", hidden
    // entries in brackets.
    void leaving_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("leave");
        QTest::addColumn<QString>("stored");
        const QString before = QStringLiteral("D:D1,D2,(D3) S:S1");
        const QList<int> pinD2 = {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Home};
        const QList<int> hideD1AndS = {Qt::Key_Tab, Qt::Key_Delete, Qt::Key_PageDown, Qt::Key_Insert};
        const QList<int> showD3 = {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Delete};
        const QList<int> moves = {Qt::Key_Tab, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left};
        QTest::newRow("Enter keeps a pinned product") << pinD2 << int(Qt::Key_Return) << "D:D2,D1,(D3) S:S1";
        QTest::newRow("keypad Enter keeps hiding") << hideD1AndS << int(Qt::Key_Enter) << "D:(D1),D2,(D3) (S):S1";
        QTest::newRow("Enter keeps showing") << showD3 << int(Qt::Key_Return) << "D:D1,D2,D3 S:S1";
        QTest::newRow("Enter keeps moves") << moves << int(Qt::Key_Return) << "D:D2,D1,(D3) S:S1";
        QTest::newRow("save key keeps a pinned product") << pinD2 << -1 - 7 << "D:D2,D1,(D3) S:S1";
        QTest::newRow("Escape drops a pinned product") << pinD2 << int(Qt::Key_Escape) << before;
        QTest::newRow("Escape drops hiding") << hideD1AndS << int(Qt::Key_Escape) << before;
        QTest::newRow("Escape keeps a product hidden") << showD3 << int(Qt::Key_Escape) << before;
        QTest::newRow("Escape drops moves") << moves << int(Qt::Key_Escape) << before;
        QTest::newRow("back key drops a pinned product") << pinD2 << -1 - 8 << before;
        QTest::newRow("Escape with nothing changed") << QList<int>{} << int(Qt::Key_Escape) << before;
    }

    void leaving()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, leave);
        QFETCH(QString, stored);
        const auto arrangement = [](const PrePluGroupShowWidget* panel) {
            const auto shown = [](const PrePluGroupShowWidget::Entry& e) {
                return e.hidden ? QLatin1Char('(') + e.code + QLatin1Char(')') : e.code;
            };
            QStringList groups;
            for (const PrePluGroupShowWidget::Entry& group : panel->Groups()) {
                QStringList products;
                for (const PrePluGroupShowWidget::Entry& product : panel->Products(group.code))
                    products << shown(product);
                groups << shown(group) + QLatin1Char(':') + products.join(QLatin1Char(','));
            }
            return groups.join(QLatin1Char(' '));
        };
        QWidget salesScreen;
        auto* panel = new PrePluGroupShowWidget(&salesScreen);
        panel->SetGroups({{"D", "饮品"}, {"S", "零食"}});
        panel->SetProducts(QStringLiteral("D"), {{"D1", "可乐"}, {"D2", "雪碧"}, {"D3", "橙汁"}});
        panel->SetProducts(QStringLiteral("S"), {{"S1", "薯片"}});
        panel->SetHidden(QStringLiteral("D"), QStringLiteral("D3"), true);
        panel->SetGrid(2, 2);
        SortPluManagement dialog(0, nullptr);
        using D = SortPluManagement;
        using P = PrePluGroupShowWidget;
        for (auto [signal, slot] : {std::make_pair(&D::signalLeftBtn, &P::SlotMoveLeft),
                                    std::make_pair(&D::signalRightBtn, &P::SlotMoveRight),
                                    std::make_pair(&D::signalUpBtn, &P::SlotMoveUp),
                                    std::make_pair(&D::signalDownBtn, &P::SlotMoveDown),
                                    std::make_pair(&D::signalTopData, &P::SlotMoveTop),
                                    std::make_pair(&D::signalHideSort, &P::SlotHideSort),
                                    std::make_pair(&D::signalHidePlu, &P::SlotHidePlu)})
            connect(&dialog, signal, panel, slot);
        QStringList stores;
        connect(&dialog, &D::signalPreShow, &salesScreen, [&] {
            panel->SetEditMode(false);
            panel->setParent(&salesScreen);
            stores << arrangement(panel);
        });

        // The first visit leaves as the row says; the second makes the same
        // changes on what the first stored and goes back by Escape.
        for (int visit = 0; visit < 2; ++visit) {
            const QString found = arrangement(panel);
            panel->SetEditMode(true);
            dialog.showWidget();
            dialog.showFastPluKey(panel);
            for (int key : keys)
                QTest::keyClick(&dialog, Qt::Key(key));
            if (visit == 0 && !keys.isEmpty())
                QVERIFY(arrangement(panel) != found);
            if (visit == 1)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else if (leave < 0)
                QTest::mouseClick(dialog.getUiQPushButton(-1 - leave), Qt::LeftButton);
            else
                QTest::keyClick(&dialog, Qt::Key(leave));
            QVERIFY(!dialog.isVisible());
            QCOMPARE(stores.size(), visit + 1);
            QCOMPARE(stores.last(), stored);
            QCOMPARE(arrangement(panel), stored);
            QCOMPARE(panel->parentWidget(), &salesScreen);
        }
    }

    // The host wires the buttons to the panel as the sales screen's host
    // does (the moves themselves are tst_kitpanels' cases).
    void hostsThePanel()
    {
        QWidget salesScreen;
        auto* panel = new PrePluGroupShowWidget(&salesScreen);
        panel->SetGroups({{"D", "饮品"}});
        panel->SetProducts(QStringLiteral("D"), {{"D1", "可乐"}, {"D2", "雪碧"}});
        panel->SetGrid(2, 2);
        panel->SetEditMode(true);
        auto dialog = std::make_unique<SortPluManagement>(0, nullptr);
        connect(dialog.get(), &SortPluManagement::signalTopData, panel, &PrePluGroupShowWidget::SlotMoveTop);
        connect(dialog.get(), &SortPluManagement::signalPreShow, &salesScreen, [&] { panel->setParent(&salesScreen); });

        dialog->showFastPluKey(nullptr); // ignored
        QVERIFY(!KxPosTestAccess::HostedPanel(*dialog));
        dialog->showWidget();
        dialog->showFastPluKey(panel);
        QCOMPARE(panel->parentWidget(), dialog->getUiQWidget(0));
        QVERIFY(panel->isVisible());
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("prePlu_D2")), Qt::LeftButton);
        QTest::mouseClick(dialog->getUiQPushButton(4), Qt::LeftButton); // to top
        QCOMPARE(panel->Products(QStringLiteral("D")).first().code, QStringLiteral("D2"));
        QTest::mouseClick(dialog->getUiQPushButton(8), Qt::LeftButton); // back to sale
        QCOMPARE(panel->parentWidget(), &salesScreen);
        QVERIFY(!dialog->isVisible());

        // The dialog never deletes the host's panel, even while hosting it.
        dialog->showFastPluKey(panel);
        QPointer<PrePluGroupShowWidget> alive(panel);
        dialog.reset();
        QVERIFY(!alive.isNull());
        delete panel;
    }
};

QTEST_MAIN(PresetKeysSortTest)
#include "tst_presetkeys_sort.moc"
