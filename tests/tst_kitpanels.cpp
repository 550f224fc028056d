// Package-content picker and preset product-key panel.

#include "TestSupport.h"

#include "contracts/PackContentWidget.h"
#include "contracts/PrePluGroupShowWidget.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
KxPosPluComDtDetail item(const QString& group, int pick, const QString& code, bool weighed = false, double maxQty = 0.0)
{
    KxPosPluComDtDetail detail;
    detail.groupId = detail.groupName = group;
    detail.groupPickCount = pick;
    detail.pluCode = detail.pluName = code;
    detail.weighFlag = weighed ? QStringLiteral("1") : QStringLiteral("0");
    detail.maxQty = maxQty;
    detail.qty = 5; // an offered quantity; the picker starts every item at 0
    return detail;
}

// Items: 0,1 main course (pick 2; item 1 at most 1), 2 salad by weight (any
// number), 3,4 drink (pick 1).
QList<KxPosPluComDtDetail> packageItems()
{
    return {item("主食", 2, "A1"), item("主食", 2, "A2", false, 1), item("小菜", 0, "B1", true), item("饮品", 1, "C1"),
            item("饮品", 1, "C2")};
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

// Selects the key of `code` in edit mode, turning to the next page if needed.
void select(PrePluGroupShowWidget& panel, const QString& code)
{
    if (!visibleKey(&panel, QStringLiteral("prePlu_") + code))
        panel.nextPage();
    QPushButton* key = visibleKey(&panel, QStringLiteral("prePlu_") + code);
    QVERIFY2(key, qPrintable(code));
    QTest::mouseClick(key, Qt::LeftButton);
}

QStringList order(const QList<PrePluGroupShowWidget::Entry>& entries)
{
    QStringList codes;
    for (const PrePluGroupShowWidget::Entry& e : entries)
        codes << (e.hidden ? e.code + QStringLiteral("(hidden)") : e.code);
    return codes;
}
} // namespace

class KitPanelsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { KxPosTest::installStrictMessageHandler(); }

    // Keys pressed in order ("+0": item 0's plus key, "-2": item 2's minus
    // key); `weight` answers the weighing request of item 2 ("": none).
    void confirmRules_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("errorMentions"); // empty: complete
        QTest::addColumn<QStringList>("chosen");
        QTest::newRow("group short of its count") << QStringList{"+0", "+3"} << "" << "主食" << QStringList{"A1", "C1"};
        QTest::newRow("complete without the optional group")
            << QStringList{"+0", "+1", "+4"} << "" << "" << QStringList{"A1", "A2", "C2"};
        QTest::newRow("group full refuses more")
            << QStringList{"+0", "+0", "+0", "+1", "+3"} << "" << "" << QStringList{"A1", "A1", "C1"};
        QTest::newRow("item limit") << QStringList{"+1", "+1", "+3"} << "" << "主食" << QStringList{"A2", "C1"};
        QTest::newRow("one-of group swaps its choice")
            << QStringList{"+0", "+0", "+3", "+4"} << "" << "" << QStringList{"A1", "A1", "C2"};
        QTest::newRow("weighed item without weight")
            << QStringList{"+0", "+0", "+3", "+2"} << "" << "B1" << QStringList{"A1", "A1", "B1", "C1"};
        QTest::newRow("zero weight does not count")
            << QStringList{"+0", "+0", "+3", "+2"} << "0" << "B1" << QStringList{"A1", "A1", "B1", "C1"};
        QTest::newRow("removed weighed item needs no weight")
            << QStringList{"+0", "+0", "+3", "+2", "-2"} << "" << "" << QStringList{"A1", "A1", "C1"};
    }

    void confirmRules()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, weight);
        QFETCH(QString, errorMentions);
        PackContentWidget pack(nullptr);
        QSignalSpy asked(&pack, &PackContentWidget::SignalsGetWeight);
        pack.Init(packageItems(), QStringLiteral("双人套餐"));
        for (const QString& press : presses) {
            const QString name = (press.at(0) == QLatin1Char('+') ? QStringLiteral("packPlus_") : QStringLiteral("packMinus_"))
                + press.mid(1);
            QVERIFY2(pack.findChild<QPushButton*>(name), qPrintable(name));
            QTest::mouseClick(pack.findChild<QPushButton*>(name), Qt::LeftButton);
        }
        if (!weight.isEmpty()) {
            const QList<QVariant> r = asked.at(0);
            pack.UpdateWeight(weight, r.at(1).toInt(), r.at(2).toInt(), r.at(3).toInt(), r.at(4).toInt());
        }
        QString error = QStringLiteral("stale");
        QCOMPARE(pack.Confirm(error), errorMentions.isEmpty());
        QCOMPARE(error.isEmpty(), errorMentions.isEmpty());
        QVERIFY2(error.contains(errorMentions), qPrintable(error));
        QStringList got;
        for (const KxPosPluComDtDetail& detail : pack.GetListInPut()) {
            for (int n = 0; n < qRound(detail.qty); ++n)
                got << detail.pluCode;
        }
        QTEST(got, "chosen");
    }

    void weightRoundTrip()
    {
        PackContentWidget pack(nullptr);
        QSignalSpy asked(&pack, &PackContentWidget::SignalsGetWeight);
        pack.Init(packageItems(), QStringLiteral("双人套餐"));
        QTest::mouseClick(pack.findChild<QPushButton*>(QStringLiteral("packPlus_2")), Qt::LeftButton);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.at(0).at(0).value<KxPosPluDetail>().pluCode, QStringLiteral("B1"));
        // Item 2 of the package page, one piece, group 1.
        const int page = PackContentWidget::PackPageType;
        QCOMPARE(asked.at(0).mid(1), (QList<QVariant>{2, page, 1, 1}));
        // Answers that do not match the request, or are no weight, are ignored.
        pack.UpdateWeight(QStringLiteral("0.5"), 2, page, 1, 0);
        pack.UpdateWeight(QStringLiteral("0.5"), 2, page + 1, 1, 1);
        pack.UpdateWeight(QStringLiteral("abc"), 2, page, 1, 1);
        pack.UpdateWeight(QStringLiteral("-1"), 2, page, 1, 1);
        QCOMPARE(pack.chosenWeight(2), 0.0);
        pack.UpdateWeight(QStringLiteral(" 0.485 "), 2, page, 1, 1);
        QCOMPARE(pack.GetListInPut().first().weight, 0.485);
        QCOMPARE(pack.findChild<QPushButton*>(QStringLiteral("packWeigh_2"))->text(), QStringLiteral("0.485"));
        // The weigh key asks again; a new package starts from nothing.
        QTest::mouseClick(pack.findChild<QPushButton*>(QStringLiteral("packWeigh_2")), Qt::LeftButton);
        QCOMPARE(asked.count(), 2);
        pack.Init(packageItems(), QStringLiteral("单人套餐"));
        QVERIFY(pack.GetListInPut().isEmpty());
    }

    // In edit mode a key selects; moves rearrange the keys of a 3-column grid;
    // hiding keeps a key or group but leaves it out of the sale.
    void presetKeysArrangement()
    {
        PrePluGroupShowWidget panel;
        panel.SetGrid(3, 2);
        panel.SetGroups({{"F", "水果"}, {"V", "蔬菜"}});
        QList<QPair<QString, QString>> products;
        for (int i = 1; i <= 7; ++i)
            products.append({QStringLiteral("P%1").arg(i), QStringLiteral("商品%1").arg(i)});
        panel.SetProducts(QStringLiteral("F"), products);
        panel.SetProducts(QStringLiteral("V"), {{"V1", "白菜"}});
        panel.SetEditMode(true);
        panel.showProd();
        QSignalSpy clicked(&panel, &PrePluGroupShowWidget::SignPluClicked);
        QSignalSpy changed(&panel, &PrePluGroupShowWidget::SignArrangementChanged);
        select(panel, QStringLiteral("P1"));
        QCOMPARE(clicked.count(), 0); // edit mode selects only
        panel.SlotMoveLeft(); // at the start: no move, no announcement
        QCOMPARE(changed.count(), 0);
        select(panel, QStringLiteral("P2"));
        panel.SlotMoveDown(); // one row down
        QCOMPARE(order(panel.Products(QStringLiteral("F"))), (QStringList{"P1", "P3", "P4", "P5", "P2", "P6", "P7"}));
        select(panel, QStringLiteral("P6"));
        panel.SlotMoveDown(); // past the end
        panel.SlotMoveTop();
        QCOMPARE(order(panel.Products(QStringLiteral("F"))), (QStringList{"P6", "P1", "P3", "P4", "P5", "P2", "P7"}));
        QCOMPARE(changed.count(), 3);
        QCOMPARE(visibleKey(&panel, QStringLiteral("prePlu_P6"))->property("showType").toString(), QStringLiteral("choose"));

        panel.SlotHidePlu();
        QCOMPARE(visibleKey(&panel, QStringLiteral("prePlu_P6"))->property("showType").toString(),
                 QStringLiteral("hiddenchoose"));
        panel.SlotHideSort(); // hides the current group "F"
        panel.SetEditMode(false);
        QCOMPARE(panel.currentGroup(), QStringLiteral("V"));
        QVERIFY(!visibleKey(&panel, QStringLiteral("preGroup_F")));
        // Data pushed again keeps the arrangement's hidden flags.
        panel.SetGroups({{"F", "水果"}, {"V", "蔬菜"}});
        panel.SetProducts(QStringLiteral("F"), products);
        QVERIFY(panel.Groups().at(0).hidden);
        QVERIFY(order(panel.Products(QStringLiteral("F"))).contains(QStringLiteral("P6(hidden)")));
        QVERIFY(!panel.setCurrentGroup(QStringLiteral("F")));
    }
};

QTEST_MAIN(KitPanelsTest)
#include "tst_kitpanels.moc"
