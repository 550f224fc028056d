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
    // Button (accessor number, -1: the Escape key) and the counts of the
    // eight signals after it: left, right, pre-show, up, down, top, hide
    // category, hide product.
    void buttons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QList<int>>("counts");
        QTest::newRow("left") << 0 << QList<int>{1, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("right") << 1 << QList<int>{0, 1, 0, 0, 0, 0, 0, 0};
        QTest::newRow("up") << 2 << QList<int>{0, 0, 0, 1, 0, 0, 0, 0};
        QTest::newRow("down") << 3 << QList<int>{0, 0, 0, 0, 1, 0, 0, 0};
        QTest::newRow("to top") << 4 << QList<int>{0, 0, 0, 0, 0, 1, 0, 0};
        QTest::newRow("show/hide product") << 5 << QList<int>{0, 0, 0, 0, 0, 0, 0, 1};
        QTest::newRow("show/hide category") << 6 << QList<int>{0, 0, 0, 0, 0, 0, 1, 0};
        QTest::newRow("save") << 7 << QList<int>{0, 0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("escape") << -1 << QList<int>{0, 0, 1, 0, 0, 0, 0, 0};
    }

    void buttons()
    {
        QFETCH(int, button);
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
        if (button < 0)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.getUiQPushButton(button), Qt::LeftButton);
        QList<int> got;
        for (const auto& spy : spies)
            got << spy->count();
        QCOMPARE(got, counts);
        const bool closes = counts.at(2) == 1; // the panel goes back after the dialog has closed
        QCOMPARE(dialog.isVisible(), !closes);
        if (closes)
            QVERIFY(!visibleAtPreShow);
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
