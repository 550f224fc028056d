// Preset-key arrangement dialog: its buttons and signals, hosting the
// preset-key panel, and the geometry for each screen size.

#include "TestSupport.h"

#include "presetkeys/SortPluManagement.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

namespace {
// Spies on the eight signals, in declaration order.
struct SignalSpies {
    explicit SignalSpies(SortPluManagement* dialog)
    {
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalLeftBtn));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalRightBtn));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalPreShow));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalUpBtn));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalDownBtn));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalTopData));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalHideSort));
        spies.emplace_back(new QSignalSpy(dialog, &SortPluManagement::signalHidePlu));
    }
    QList<int> counts() const
    {
        QList<int> list;
        for (const auto& spy : spies)
            list << spy->count();
        return list;
    }
    std::vector<std::unique_ptr<QSignalSpy>> spies;
};

QStringList productOrder(const PrePluGroupShowWidget& panel, const QString& group)
{
    QStringList codes;
    for (const PrePluGroupShowWidget::Entry& e : panel.Products(group))
        codes << (e.hidden ? e.code + QStringLiteral("(hidden)") : e.code);
    return codes;
}

void fillPanel(PrePluGroupShowWidget& panel)
{
    panel.SetGroups({{"D", "饮品"}, {"S", "小吃"}});
    panel.SetProducts(QStringLiteral("D"), {{"D1", "可乐"}, {"D2", "雪碧"}, {"D3", "奶茶"}, {"D4", "咖啡"}});
    panel.SetProducts(QStringLiteral("S"), {{"S1", "薯条"}});
    panel.SetGrid(2, 2);
}
} // namespace

class PresetKeysSortTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    // Button (accessor number) and the counts of the eight signals after one
    // click: left, right, pre-show, up, down, top, hide category, hide product.
    void buttons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<bool>("closes");
        QTest::newRow("left") << 0 << QList<int>{1, 0, 0, 0, 0, 0, 0, 0} << false;
        QTest::newRow("right") << 1 << QList<int>{0, 1, 0, 0, 0, 0, 0, 0} << false;
        QTest::newRow("up") << 2 << QList<int>{0, 0, 0, 1, 0, 0, 0, 0} << false;
        QTest::newRow("down") << 3 << QList<int>{0, 0, 0, 0, 1, 0, 0, 0} << false;
        QTest::newRow("to top") << 4 << QList<int>{0, 0, 0, 0, 0, 1, 0, 0} << false;
        QTest::newRow("show/hide product") << 5 << QList<int>{0, 0, 0, 0, 0, 0, 0, 1} << false;
        QTest::newRow("show/hide category") << 6 << QList<int>{0, 0, 0, 0, 0, 0, 1, 0} << false;
        QTest::newRow("save") << 7 << QList<int>{0, 0, 1, 0, 0, 0, 0, 0} << true;
        QTest::newRow("back to sale") << 8 << QList<int>{0, 0, 1, 0, 0, 0, 0, 0} << true;
    }

    void buttons()
    {
        QFETCH(int, button);
        QFETCH(QList<int>, counts);
        QFETCH(bool, closes);
        SortPluManagement dialog(0, nullptr);
        SignalSpies spies(&dialog);
        bool visibleAtPreShow = true;
        connect(&dialog, &SortPluManagement::signalPreShow, this, [&] { visibleAtPreShow = dialog.isVisible(); });
        dialog.showWidget();
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(dialog.getUiQPushButton(button), Qt::LeftButton);
        QCOMPARE(spies.counts(), counts);
        QCOMPARE(dialog.isVisible(), !closes);
        if (closes) {
            QCOMPARE(dialog.result(), 1);
            QVERIFY(!visibleAtPreShow); // closed before the signal
        }
    }

    void escapeGivesThePanelBack()
    {
        SortPluManagement dialog(0, nullptr);
        SignalSpies spies(&dialog);
        dialog.showWidget();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(spies.counts(), (QList<int>{0, 0, 1, 0, 0, 0, 0, 0}));
        QVERIFY(!dialog.isVisible());
    }

    // The host wires the buttons to the panel as the sales screen's host does.
    void hostsAndArrangesThePanel()
    {
        QWidget salesScreen;
        auto* panel = new PrePluGroupShowWidget(&salesScreen);
        fillPanel(*panel);
        panel->SetEditMode(true);

        auto dialog = std::make_unique<SortPluManagement>(0, nullptr);
        connect(dialog.get(), &SortPluManagement::signalRightBtn, panel, &PrePluGroupShowWidget::SlotMoveRight);
        connect(dialog.get(), &SortPluManagement::signalLeftBtn, panel, &PrePluGroupShowWidget::SlotMoveLeft);
        connect(dialog.get(), &SortPluManagement::signalTopData, panel, &PrePluGroupShowWidget::SlotMoveTop);
        connect(dialog.get(), &SortPluManagement::signalHidePlu, panel, &PrePluGroupShowWidget::SlotHidePlu);
        connect(dialog.get(), &SortPluManagement::signalPreShow, &salesScreen, [&] { panel->setParent(&salesScreen); });

        dialog->showFastPluKey(nullptr); // ignored
        QVERIFY(!dialog->HostedPanel());
        dialog->showWidget();
        dialog->showFastPluKey(panel);
        QCOMPARE(dialog->HostedPanel(), panel);
        QCOMPARE(panel->parentWidget(), dialog->getUiQWidget(0));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->currentGroup(), QStringLiteral("D"));

        auto* key = panel->findChild<QPushButton*>(QStringLiteral("prePlu_D2"));
        QVERIFY(key);
        QTest::mouseClick(key, Qt::LeftButton);
        QCOMPARE(panel->selectedProduct(), QStringLiteral("D2"));
        QTest::mouseClick(dialog->getUiQPushButton(1), Qt::LeftButton); // right
        QCOMPARE(productOrder(*panel, "D"), (QStringList{"D1", "D3", "D2", "D4"}));
        QTest::mouseClick(dialog->getUiQPushButton(4), Qt::LeftButton); // to top
        QCOMPARE(productOrder(*panel, "D"), (QStringList{"D2", "D1", "D3", "D4"}));
        QTest::mouseClick(dialog->getUiQPushButton(5), Qt::LeftButton); // hide product
        QCOMPARE(productOrder(*panel, "D"), (QStringList{"D2(hidden)", "D1", "D3", "D4"}));

        QTest::mouseClick(dialog->getUiQPushButton(8), Qt::LeftButton); // back to sale
        QCOMPARE(panel->parentWidget(), &salesScreen);

        // The dialog never deletes the host's panel, even while hosting it.
        dialog->showFastPluKey(panel);
        QPointer<PrePluGroupShowWidget> alive(panel);
        dialog.reset();
        QVERIFY(!alive.isNull());
        delete panel;
    }

    void geometry_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1280x1024") << QSize(1280, 1024);
        QTest::newRow("1440x900") << QSize(1440, 900);
    }

    void geometry()
    {
        QFETCH(QSize, screen);
        KxPosConfig::SetAppSize(screen.width(), screen.height());
        SortPluManagement dialog(0, nullptr);
        QCOMPARE(dialog.size(), screen);
        QCOMPARE(dialog.minimumSize(), screen);
        QCOMPARE(dialog.maximumSize(), screen);
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);

        const QRect area(QPoint(0, 0), screen);
        const QRect panel = dialog.getUiQWidget(0)->geometry();
        const QRect title = dialog.getUiQWidget(1)->geometry();
        QVERIFY2(area.contains(panel), qPrintable(QStringLiteral("panel %1,%2").arg(panel.x()).arg(panel.y())));
        QVERIFY(area.contains(title));
        QVERIFY(!panel.intersects(title));
        // The panel takes most of the screen.
        QVERIFY(panel.width() * 10 >= screen.width() * 7);
        QVERIFY(panel.height() * 10 >= screen.height() * 8);
        QList<QRect> taken{panel, title};
        for (int i = 0; i < 9; ++i) {
            QPushButton* button = dialog.getUiQPushButton(i);
            const QRect r = button->geometry();
            QVERIFY2(area.contains(r), qPrintable(button->objectName()));
            QVERIFY2(r.height() >= 40 * screen.height() / 1080, qPrintable(button->objectName()));
            // Texts fit into the buttons.
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < r.width(), qPrintable(button->objectName()));
            for (const QRect& other : qAsConst(taken))
                QVERIFY2(!r.intersects(other), qPrintable(button->objectName()));
            taken << r;
        }
    }

    void exactDesigns_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QRect>("close");
        QTest::newRow("1920") << QSize(1920, 1080) << QRect(20, 100, 1480, 960) << QRect(1540, 975, 360, 85);
        QTest::newRow("1024") << QSize(1024, 768) << QRect(10, 66, 800, 692) << QRect(824, 688, 190, 70);
        QTest::newRow("800") << QSize(800, 600) << QRect(8, 52, 624, 540) << QRect(642, 536, 150, 56);
    }

    void exactDesigns()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, panel);
        QFETCH(QRect, close);
        KxPosConfig::SetAppSize(screen.width(), screen.height());
        SortPluManagement dialog(0, nullptr);
        QCOMPARE(dialog.getUiQWidget(0)->geometry(), panel);
        QCOMPARE(dialog.getUiQPushButton(8)->geometry(), close);
    }

    void retranslates()
    {
        SortPluManagement dialog(0, nullptr);
        QCOMPARE(dialog.getUiQPushButton(0)->text(), KxPosTranslator::GetTranslation(7442));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(dialog.getUiQPushButton(8)->text(), KxPosTranslator::GetTranslation(7450));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
        QVERIFY(dialog.getUiQPushButton(42) != nullptr);
    }
};

QTEST_MAIN(PresetKeysSortTest)
#include "tst_presetkeys_sort.moc"
