// Package-content picker and preset product-key panel.

#include "TestSupport.h"

#include "contracts/PackContentWidget.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
KxPosPluComDtDetail item(const QString& group, const QString& groupName, int pick,
                         const QString& code, const QString& name, bool weighed = false,
                         double maxQty = 0.0)
{
    KxPosPluComDtDetail detail;
    detail.groupId = group;
    detail.groupName = groupName;
    detail.groupPickCount = pick;
    detail.pluCode = code;
    detail.pluName = name;
    detail.unitName = weighed ? QStringLiteral("千克") : QStringLiteral("份");
    detail.price = 9.9;
    detail.weighFlag = weighed ? QStringLiteral("1") : QStringLiteral("0");
    detail.maxQty = maxQty;
    detail.qty = 5; // an offered quantity; the picker starts every item at 0
    return detail;
}

// Items: 0,1 main course (pick 2; item 1 at most 1), 2 salad by weight (any
// number), 3,4 drink (pick 1).
QList<KxPosPluComDtDetail> packageItems()
{
    return {item("G1", "主食", 2, "A1", "米饭"),
            item("G1", "主食", 2, "A2", "面条", false, 1),
            item("G2", "小菜", 0, "B1", "凉拌菜", true),
            item("G3", "饮品", 1, "C1", "可乐"),
            item("G3", "饮品", 1, "C2", "橙汁")};
}

// The visible key of that name (keys of an earlier page wait hidden for
// their deferred deletion).
QPushButton* visibleKey(QWidget* panel, const QString& name)
{
    for (QPushButton* key : panel->findChildren<QPushButton*>(name)) {
        if (!key->isHidden())
            return key;
    }
    return nullptr;
}

// Clicks the visible key of that name; false when there is none.
bool clickKey(QWidget* panel, const QString& name)
{
    QPushButton* key = visibleKey(panel, name);
    if (key)
        QTest::mouseClick(key, Qt::LeftButton);
    return key != nullptr;
}

QString showTypeOf(QWidget* panel, const QString& name)
{
    QPushButton* key = visibleKey(panel, name);
    return key ? key->property("showType").toString() : QStringLiteral("<no key>");
}

QStringList visibleProductKeys(QWidget* panel)
{
    QStringList codes;
    for (QPushButton* key : panel->findChildren<QPushButton*>()) {
        if (!key->isHidden() && key->objectName().startsWith(QLatin1String("prePlu_")))
            codes << key->objectName().mid(7);
    }
    codes.sort();
    return codes;
}
} // namespace

class KitPanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
    }

    // Buttons are pressed in order ("+0" is item 0's plus key, "-3" item 3's
    // minus key); weights answer the weighing requests in order ("" skips).
    void confirmRules_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("weights");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("errorMentions");
        QTest::addColumn<QStringList>("chosen");
        QTest::newRow("nothing chosen") << QStringList() << QStringList() << false << "" << QStringList();
        QTest::newRow("group short of its count")
            << QStringList{"+0", "+3"} << QStringList() << false << "主食" << QStringList{"A1", "C1"};
        QTest::newRow("one-of group left empty")
            << QStringList{"+0", "+0"} << QStringList() << false << "饮品" << QStringList{"A1", "A1"};
        QTest::newRow("complete without the optional group")
            << QStringList{"+0", "+1", "+4"} << QStringList() << true << "" << QStringList{"A1", "A2", "C2"};
        QTest::newRow("group full refuses more")
            << QStringList{"+0", "+0", "+0", "+1", "+3"} << QStringList() << true << ""
            << QStringList{"A1", "A1", "C1"};
        QTest::newRow("item limit")
            << QStringList{"+1", "+1", "+3"} << QStringList() << false << "主食" << QStringList{"A2", "C1"};
        QTest::newRow("one-of group swaps its choice")
            << QStringList{"+0", "+0", "+3", "+4"} << QStringList() << true << "" << QStringList{"A1", "A1", "C2"};
        QTest::newRow("weighed item without weight")
            << QStringList{"+0", "+0", "+3", "+2"} << QStringList{""} << false << "凉拌菜"
            << QStringList{"A1", "A1", "B1", "C1"};
        QTest::newRow("weighed item weighed")
            << QStringList{"+0", "+0", "+3", "+2"} << QStringList{"0.352"} << true << ""
            << QStringList{"A1", "A1", "B1", "C1"};
        QTest::newRow("zero weight does not count")
            << QStringList{"+0", "+0", "+3", "+2"} << QStringList{"0"} << false << "凉拌菜"
            << QStringList{"A1", "A1", "B1", "C1"};
        QTest::newRow("minus undoes")
            << QStringList{"+0", "+0", "+3", "-0"} << QStringList() << false << "主食" << QStringList{"A1", "C1"};
        QTest::newRow("removed weighed item needs no weight")
            << QStringList{"+0", "+0", "+3", "+2", "-2"} << QStringList{""} << true << ""
            << QStringList{"A1", "A1", "C1"};
    }

    void confirmRules()
    {
        QFETCH(QStringList, presses);
        QFETCH(QStringList, weights);
        QFETCH(bool, complete);
        QFETCH(QString, errorMentions);
        QFETCH(QStringList, chosen);
        PackContentWidget pack(nullptr);
        QList<QList<QVariant>> requests;
        connect(&pack, &PackContentWidget::SignalsGetWeight, this,
                [&](KxPosPluDetail plu, int index, int page, int count, int group) {
                    requests.append({plu.pluCode, index, page, count, group});
                });
        pack.Init(packageItems(), QStringLiteral("双人套餐"));
        for (const QString& press : presses) {
            const QString name = (press.at(0) == QLatin1Char('+') ? QStringLiteral("packPlus_")
                                                                  : QStringLiteral("packMinus_"))
                + press.mid(1);
            auto* button = pack.findChild<QPushButton*>(name);
            QVERIFY2(button, qPrintable(name));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(requests.size(), weights.size());
        for (int i = 0; i < weights.size(); ++i) {
            if (weights.at(i).isEmpty())
                continue;
            const QList<QVariant>& r = requests.at(i);
            pack.UpdateWeight(weights.at(i), r.at(1).toInt(), r.at(2).toInt(), r.at(3).toInt(), r.at(4).toInt());
        }

        QString error = QStringLiteral("stale");
        QCOMPARE(pack.Confirm(error), complete);
        if (complete) {
            QVERIFY(error.isEmpty());
        } else {
            QVERIFY(!error.isEmpty());
            QVERIFY2(error.contains(errorMentions), qPrintable(error));
        }
        QStringList got;
        for (const KxPosPluComDtDetail& detail : pack.GetListInPut()) {
            for (int n = 0; n < qRound(detail.qty); ++n)
                got << detail.pluCode;
        }
        QCOMPARE(got, chosen);
    }

    void weightRoundTrip()
    {
        PackContentWidget pack(nullptr);
        QSignalSpy asked(&pack, &PackContentWidget::SignalsGetWeight);
        pack.Init(packageItems(), QStringLiteral("双人套餐"));
        QTest::mouseClick(pack.findChild<QPushButton*>(QStringLiteral("packPlus_2")), Qt::LeftButton);
        QCOMPARE(asked.count(), 1);
        const KxPosPluDetail plu = asked.at(0).at(0).value<KxPosPluDetail>();
        QCOMPARE(plu.pluCode, QStringLiteral("B1"));
        QCOMPARE(plu.weighFlag, QStringLiteral("1"));
        const int index = asked.at(0).at(1).toInt();
        const int page = asked.at(0).at(2).toInt();
        const int count = asked.at(0).at(3).toInt();
        const int group = asked.at(0).at(4).toInt();
        QCOMPARE(index, 2);
        QCOMPARE(page, int(PackContentWidget::PackPageType));
        QCOMPARE(count, 1);
        QCOMPARE(group, 1);

        // Answers that do not match the request are ignored.
        pack.UpdateWeight(QStringLiteral("0.5"), index, page, count, 0);
        pack.UpdateWeight(QStringLiteral("0.5"), 0, page, count, 0);
        pack.UpdateWeight(QStringLiteral("0.5"), index, 1, count, group);
        pack.UpdateWeight(QStringLiteral("abc"), index, page, count, group);
        pack.UpdateWeight(QStringLiteral("-1"), index, page, count, group);
        pack.UpdateWeight(QStringLiteral("0.5"), 99, page, count, group);
        QCOMPARE(pack.chosenWeight(index), 0.0);
        pack.UpdateWeight(QStringLiteral(" 0.485 "), index, page, count, group);
        QCOMPARE(pack.chosenWeight(index), 0.485);
        QCOMPARE(pack.GetListInPut().first().weight, 0.485);
        QCOMPARE(pack.findChild<QPushButton*>(QStringLiteral("packWeigh_2"))->text(), QStringLiteral("0.485"));

        // The weigh key asks again; a new package starts from nothing.
        QTest::mouseClick(pack.findChild<QPushButton*>(QStringLiteral("packWeigh_2")), Qt::LeftButton);
        QCOMPARE(asked.count(), 2);
        pack.Init(packageItems(), QStringLiteral("单人套餐"));
        QCOMPARE(pack.chosenQty(2), 0.0);
        QCOMPARE(pack.chosenWeight(2), 0.0);
        QVERIFY(pack.GetListInPut().isEmpty());
        QCOMPARE(pack.groupCount(), 3);
    }

    void groupHeadersCount()
    {
        PackContentWidget pack(nullptr);
        pack.Init(packageItems(), QStringLiteral("双人套餐"));
        QTest::mouseClick(pack.findChild<QPushButton*>(QStringLiteral("packPlus_0")), Qt::LeftButton);
        QCOMPARE(pack.groupQty(0), 1.0);
        QCOMPARE(pack.findChild<QLabel*>(QStringLiteral("packQty_0"))->text(), QStringLiteral("1"));
        const QString header = pack.findChild<QLabel*>(QStringLiteral("packGroup_0"))->text();
        QVERIFY2(header.contains(QStringLiteral("主食")) && header.contains(QLatin1Char('2'))
                     && header.contains(QLatin1Char('1')),
                 qPrintable(header));
        QVERIFY(!pack.findChild<QPushButton*>(QStringLiteral("packMinus_1"))->isEnabled());
    }

    // ---- preset keys ----

    void presetKeysPaging()
    {
        PrePluGroupShowWidget panel;
        panel.SetGrid(5, 2);
        panel.SetGroups({{"F", "水果"}, {"V", "蔬菜"}});
        QList<QPair<QString, QString>> fruits;
        for (int i = 1; i <= 12; ++i)
            fruits.append({QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("水果%1").arg(i)});
        panel.SetProducts(QStringLiteral("F"), fruits);
        panel.SetProducts(QStringLiteral("V"), {{"V1", "白菜"}});
        QCOMPARE(panel.productCount(), 13);
        panel.showProd();
        QCOMPARE(panel.currentGroup(), QStringLiteral("F"));
        QCOMPARE(panel.pageCount(), 2);
        QCOMPARE(visibleProductKeys(&panel).size(), 10);

        QSignalSpy clicked(&panel, &PrePluGroupShowWidget::SignPluClicked);
        QVERIFY(clickKey(&panel, QStringLiteral("prePlu_P03")));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toString(), QStringLiteral("P03"));

        QVERIFY(clickKey(&panel, QStringLiteral("prePluNext")));
        QCOMPARE(panel.currentPage(), 2);
        QCOMPARE(visibleProductKeys(&panel), QStringList({"P11", "P12"}));
        QVERIFY(clickKey(&panel, QStringLiteral("prePluNext")));
        QCOMPARE(panel.currentPage(), 1); // wraps

        QSignalSpy group(&panel, &PrePluGroupShowWidget::SignGroupChanged);
        QVERIFY(clickKey(&panel, QStringLiteral("preGroup_V")));
        QCOMPARE(group.count(), 1);
        QCOMPARE(visibleProductKeys(&panel), QStringList{"V1"});
        QCOMPARE(showTypeOf(&panel, QStringLiteral("preGroup_V")), QStringLiteral("choose"));
        QVERIFY(visibleKey(&panel, QStringLiteral("prePluNext")) == nullptr); // one page: no paging keys
    }

    void presetKeysArrangement_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("left") << "P3" << "left" << QStringList{"P1", "P3", "P2", "P4", "P5", "P6", "P7"};
        QTest::newRow("left at the start") << "P1" << "left" << QStringList{"P1", "P2", "P3", "P4", "P5", "P6", "P7"};
        QTest::newRow("right") << "P3" << "right" << QStringList{"P1", "P2", "P4", "P3", "P5", "P6", "P7"};
        QTest::newRow("down one row") << "P2" << "down" << QStringList{"P1", "P3", "P4", "P5", "P2", "P6", "P7"};
        QTest::newRow("down past the end") << "P6" << "down" << QStringList{"P1", "P2", "P3", "P4", "P5", "P7", "P6"};
        QTest::newRow("up one row") << "P5" << "up" << QStringList{"P1", "P5", "P2", "P3", "P4", "P6", "P7"};
        QTest::newRow("top") << "P6" << "top" << QStringList{"P6", "P1", "P2", "P3", "P4", "P5", "P7"};
    }

    void presetKeysArrangement()
    {
        QFETCH(QString, select);
        QFETCH(QString, action);
        QFETCH(QStringList, order);
        PrePluGroupShowWidget panel;
        panel.SetGrid(3, 2);
        panel.SetGroups({{"F", "水果"}});
        QList<QPair<QString, QString>> products;
        for (int i = 1; i <= 7; ++i)
            products.append({QStringLiteral("P%1").arg(i), QStringLiteral("商品%1").arg(i)});
        panel.SetProducts(QStringLiteral("F"), products);
        panel.SetEditMode(true);
        panel.showProd();
        QSignalSpy clicked(&panel, &PrePluGroupShowWidget::SignPluClicked);
        QSignalSpy changed(&panel, &PrePluGroupShowWidget::SignArrangementChanged);
        QPushButton* key = visibleKey(&panel, QStringLiteral("prePlu_") + select);
        if (!key) {
            panel.nextPage();
            key = visibleKey(&panel, QStringLiteral("prePlu_") + select);
        }
        QVERIFY(key);
        QTest::mouseClick(key, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0); // edit mode selects only
        QCOMPARE(panel.selectedProduct(), select);

        if (action == QLatin1String("left"))
            panel.SlotMoveLeft();
        else if (action == QLatin1String("right"))
            panel.SlotMoveRight();
        else if (action == QLatin1String("up"))
            panel.SlotMoveUp();
        else if (action == QLatin1String("down"))
            panel.SlotMoveDown();
        else
            panel.SlotMoveTop();
        QStringList got;
        for (const PrePluGroupShowWidget::Entry& entry : panel.Products(QStringLiteral("F")))
            got << entry.code;
        QCOMPARE(got, order);
        // Only a real move is announced.
        const bool moved = order.indexOf(select) != select.mid(1).toInt() - 1;
        QCOMPARE(changed.count(), moved ? 1 : 0);
        // The moved key stays in view and selected.
        QCOMPARE(showTypeOf(&panel, QStringLiteral("prePlu_") + select), QStringLiteral("choose"));
    }

    void presetKeysHiding()
    {
        PrePluGroupShowWidget panel;
        panel.SetGrid(4, 2);
        panel.SetGroups({{"F", "水果"}, {"V", "蔬菜"}});
        panel.SetProducts(QStringLiteral("F"), {{"P1", "苹果"}, {"P2", "香蕉"}});
        panel.SetProducts(QStringLiteral("V"), {{"V1", "白菜"}});
        panel.SetEditMode(true);
        panel.showProd();
        QVERIFY(clickKey(&panel, QStringLiteral("prePlu_P1")));
        panel.SlotHidePlu();
        QCOMPARE(showTypeOf(&panel, QStringLiteral("prePlu_P1")), QStringLiteral("hiddenchoose"));
        QVERIFY(clickKey(&panel, QStringLiteral("prePlu_P2")));
        QCOMPARE(showTypeOf(&panel, QStringLiteral("prePlu_P1")), QStringLiteral("hidden"));
        panel.SlotHideSort(); // hides the current group "F"
        QVERIFY(panel.Groups().at(0).hidden);

        panel.SetEditMode(false);
        QCOMPARE(panel.currentGroup(), QStringLiteral("V")); // "F" is hidden now
        QVERIFY(!visibleKey(&panel, QStringLiteral("preGroup_F")));
        QCOMPARE(visibleProductKeys(&panel), QStringList{"V1"});
        QCOMPARE(panel.productCount(), 3); // hidden keys are kept

        // Data pushed again keeps the arrangement's hidden flags.
        panel.SetGroups({{"F", "水果"}, {"V", "蔬菜"}});
        panel.SetProducts(QStringLiteral("F"), {{"P1", "苹果"}, {"P2", "香蕉"}});
        QVERIFY(panel.Groups().at(0).hidden);
        QVERIFY(panel.Products(QStringLiteral("F")).at(0).hidden);
        QVERIFY(!panel.setCurrentGroup(QStringLiteral("F")));
    }
};

QTEST_MAIN(KitPanelsTest)
#include "tst_kitpanels.moc"
