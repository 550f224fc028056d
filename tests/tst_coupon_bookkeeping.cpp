// The coupon screen's use and cancellation bookkeeping as a state machine:
// use requests, cached use results per main coupon, states of rows and
// children, cancellations of main and child coupons, and the row buttons.

#include "TestSupport.h"
#include "TestScreens.h"

#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponUsageWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
CouponWidgetInfo coupon(const QString& id, int children = 0, double amount = 10.0)
{
    CouponWidgetInfo c;
    c.couponId = id;
    c.cardNo = QStringLiteral("card-") + id;
    c.couponCode = QStringLiteral("code-") + id;
    c.couponName = QStringLiteral("券") + id;
    c.couponType = QStringLiteral("DK");
    c.couponJson = QStringLiteral(R"({"id":"%1"})").arg(id);
    c.channelCode = QStringLiteral("MT");
    c.channelName = QStringLiteral("美团");
    c.couponAmount = amount;
    for (int i = 0; i < children; ++i) {
        CouponBaseInfo child;
        child.couponId = id + QStringLiteral("-c%1").arg(i);
        child.cardNo = QStringLiteral("card-") + child.couponId;
        child.couponName = QStringLiteral("券") + child.couponId;
        child.couponType = QStringLiteral("DK");
        child.couponCode = c.couponCode;
        child.channelCode = c.channelCode;
        child.couponAmount = amount;
        c.childCoupons << child;
    }
    return c;
}

QVariantMap payDetails(const QStringList& ids)
{
    QVariantList list;
    for (const QString& id : ids) {
        list << QVariantMap{{QStringLiteral("SaleNo"), QStringLiteral("S0001")},
                            {QStringLiteral("ChannelCode"), QStringLiteral("MT")},
                            {QStringLiteral("CodeCouponTypeID"), id},
                            {QStringLiteral("CardNo"), QStringLiteral("card-") + id},
                            {QStringLiteral("MchOrderNo"), QStringLiteral("M-") + id},
                            {QStringLiteral("TradeNo"), QStringLiteral("T-") + id}};
    }
    return {{QStringLiteral("PayDetails"), list}};
}

QStringList idsOf(const QList<QVariantMap>& records, const char* key = "CouponID")
{
    QStringList ids;
    for (const QVariantMap& record : records)
        ids << record.value(QLatin1String(key)).toString();
    return ids;
}
} // namespace

class CouponBookkeepingTest : public ScreenTestCase
{
    Q_OBJECT

private:
    // A deduction screen with row "A" (three children) used as A, A-c0, A-c1.
    std::unique_ptr<CouponUsageWidget> usedWithTwoChildren()
    {
        auto screen = couponScreen(true);
        CouponWidgetInfo a = coupon(QStringLiteral("A"), 3);
        a.useCount = 3;
        screen->AddCouponInfo(a, true);
        screen->CacheCouponUseResult(payDetails({QStringLiteral("A"), QStringLiteral("A-c0"), QStringLiteral("A-c1")}));
        return screen;
    }
    static CouponWidgetInfo row(CouponUsageWidget* screen, int r) { return screen->GetCouponWidgetData().value(r); }
    static void clickArea(CouponUsageWidget* screen, int r, CouponItemDelegate::ItemArea area)
    {
        auto* view = screen->findChild<QListView*>(QStringLiteral("lvCoupon"));
        auto* delegate = qobject_cast<CouponItemDelegate*>(view->itemDelegate());
        const QModelIndex index = view->model()->index(r, 0);
        const QRect rect = delegate->ItemAreaRect(area, view->visualRect(index), index);
        QVERIFY(!rect.isEmpty());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

private slots:
    // --- Handing coupons over --------------------------------------------------

    void prepareRefusals_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty list") << true << "empty" << translated(2279);
        QTest::newRow("nothing ticked") << true << "unticked" << translated(2279);
        QTest::newRow("exchange: products not confirmed") << false << "unconfirmed" << translated(2278);
        QTest::newRow("exchange: an unticked row not confirmed") << false << "unticked unconfirmed" << translated(2278);
        QTest::newRow("exchange: weighed product not weighed") << false << "unweighed" << translated(2280).arg("code-E2");
    }

    void prepareRefusals()
    {
        QFETCH(bool, deduct);
        QFETCH(QString, scenario);
        QFETCH(QString, message);
        auto screen = couponScreen(deduct);
        CouponWidgetInfo first = coupon(QStringLiteral("E1"));
        first.confirmed = true;
        CouponWidgetInfo second = coupon(QStringLiteral("E2"));
        second.confirmed = true;
        if (scenario == QLatin1String("unticked")) {
            first.checked = false;
            second.checked = false;
        } else if (scenario == QLatin1String("unconfirmed")) {
            second.confirmed = false;
        } else if (scenario == QLatin1String("unticked unconfirmed")) {
            second.checked = false;
            second.confirmed = false;
        }
        if (scenario != QLatin1String("empty"))
            screen->UpdateCouponInfo({first, second});
        if (scenario == QLatin1String("unweighed")) {
            KxPosPluDetail weighed;
            weighed.lineNo = 0;
            weighed.pluCode = QStringLiteral("1001");
            weighed.weighFlag = QStringLiteral("1");
            weighed.couponCode = QStringLiteral("code-E2");
            screen->AddPlu(weighed);
        }
        int emitted = 0;
        connect(screen.get(), &CouponUsageWidget::SignUseCouponAndAddPlu, this,
                [&](CouponPluListMap&, const QList<QVariantMap>&) { ++emitted; });
        QList<QVariantMap> requests;
        QVERIFY(!screen->PrepareForCouponUse(requests));
        QVERIFY(requests.isEmpty());
        QCOMPARE(lastMessageText(), message);
        QCOMPARE(MessageWidget::History().last().second, translated(1969));
        QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("btnConfirm")), Qt::LeftButton);
        QCOMPARE(emitted, 0);
    }

    void useRequests_data()
    {
        QTest::addColumn<int>("useCount");
        QTest::addColumn<QStringList>("others");
        QTest::newRow("alone") << 1 << QStringList();
        QTest::newRow("with one child") << 2 << QStringList{"A-c0"};
        QTest::newRow("with two children") << 3 << QStringList{"A-c0", "A-c1"};
    }

    void useRequests()
    {
        QFETCH(int, useCount);
        QFETCH(QStringList, others);
        auto screen = couponScreen(true);
        CouponWidgetInfo a = coupon(QStringLiteral("A"), 3);
        a.useCount = useCount;
        CouponWidgetInfo handed = coupon(QStringLiteral("B"));
        handed.added = true;
        CouponWidgetInfo unticked = coupon(QStringLiteral("C"));
        unticked.checked = false;
        screen->UpdateCouponInfo({handed, a, unticked, coupon(QStringLiteral("D"))});

        QList<QVariantMap> requests;
        QVERIFY(screen->PrepareForCouponUse(requests));
        QCOMPARE(idsOf(requests), (QStringList{"A", "D"}));
        const QVariantMap request = requests.at(0);
        QCOMPARE(request.value("CouponType").toString(), QStringLiteral("DK"));
        QCOMPARE(request.value("CardNo").toString(), QStringLiteral("card-A"));
        QCOMPARE(request.value("CouponJson").toString(), QStringLiteral(R"({"id":"A"})"));
        QCOMPARE(request.value("ChannelCode").toString(), QStringLiteral("MT"));
        QCOMPARE(request.value("CouponName").toString(), QStringLiteral("券A"));
        QCOMPARE(request.contains("OtherCouponList"), useCount > 1);
        QCOMPARE(request.size(), useCount > 1 ? 7 : 6);
        QStringList otherIds;
        for (const QVariant& other : request.value("OtherCouponList").toList()) {
            QCOMPARE(other.toMap().size(), 6);
            otherIds << other.toMap().value("CouponID").toString();
        }
        QCOMPARE(otherIds, others);
        QVERIFY(!requests.at(1).contains("OtherCouponList"));
    }

    void everythingHandedOverStillPasses()
    {
        auto screen = couponScreen(true);
        CouponWidgetInfo handed = coupon(QStringLiteral("B"));
        handed.added = true;
        screen->UpdateCouponInfo({handed});
        QList<QVariantMap> requests;
        QVERIFY(screen->PrepareForCouponUse(requests));
        QVERIFY(requests.isEmpty());
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void confirmAndSubmitHandOverTheProductMap()
    {
        auto screen = couponScreen(true);
        screen->AddCouponInfo(coupon(QStringLiteral("A")), true);
        KxPosPluDetail plu;
        plu.pluCode = QStringLiteral("1001");
        plu.couponCode = QStringLiteral("code-A");
        screen->AddPlu(plu);
        QStringList seen;
        // A directly connected receiver may change the map it is handed.
        connect(screen.get(), &CouponUsageWidget::SignUseCouponAndAddPlu, this,
                [&](CouponPluListMap& map, const QList<QVariantMap>& list) {
                    seen << QStringLiteral("use:%1:%2").arg(map.value("code-A").size()).arg(idsOf(list).join(','));
                    map.remove(QStringLiteral("code-A"));
                });
        connect(screen.get(), &CouponUsageWidget::SignUseCouponFinished, this,
                [&](CouponPluListMap& map, const QList<QVariantMap>& list) {
                    seen << QStringLiteral("finish:%1:%2").arg(map.size()).arg(idsOf(list).join(','));
                });
        QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("btnConfirm")), Qt::LeftButton);
        QVERIFY(screen->PluMap().isEmpty());
        QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("btnSubmit")), Qt::LeftButton);
        QCOMPARE(seen, (QStringList{"use:1:A", "finish:0:A"}));
    }

    // --- Use results -----------------------------------------------------------

    void useResultOfMainAndTwoChildren()
    {
        auto screen = usedWithTwoChildren();
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), 3);
        QCOMPARE(screen->CachedMainCouponIds(), QStringList{"A"});
        const CouponWidgetInfo a = row(screen.get(), 0);
        QCOMPARE(int(a.status), 1);
        QCOMPARE(a.childCoupons.size(), 2); // A-c2 was not used and left the row
        QCOMPARE(a.childCoupons.at(0).couponId, QStringLiteral("A-c0"));
        QCOMPARE(int(a.childCoupons.at(0).status), 1);
        QCOMPARE(int(a.childCoupons.at(1).status), 1);
        QVERIFY(screen->HasUsedCoupon());
        QCOMPARE(screen->GetUsedCouponAmount(), 30.0);
        QCOMPARE(screen->GetUsedCouponIdList(), (QStringList{"A", "A-c0", "A-c1"}));
        QCOMPARE(screen->GetRowByCouponId(QStringLiteral("A-c1"), true), 0);
        QCOMPARE(screen->GetRowByCouponId(QStringLiteral("A-c1"), false), -1);
    }

    void usedDataPutsTheMainCouponFirst()
    {
        auto screen = usedWithTwoChildren();
        const QList<QVariantMap> records = screen->GetCouponUsedData(QStringLiteral("A"));
        QCOMPARE(idsOf(records), (QStringList{"A", "A-c1", "A-c0"}));
        const QVariantMap expected{{"CouponType", "CCSDHQ"},  {"extranno", "M-A-c1"}, {"tradeNo", "T-A-c1"},
                                   {"saleNo", "S0001"},       {"ChannelCode", "MT"},   {"MainCouponID", "A"},
                                   {"CouponID", "A-c1"},      {"CardNo", "card-A-c1"}};
        QCOMPARE(records.at(1), expected);
        QCOMPARE(idsOf(records, "MainCouponID"), (QStringList{"A", "A", "A"}));
        QVERIFY(screen->GetCouponUsedData(QStringLiteral("unknown")).isEmpty());
    }

    void resultsWithoutDetailsChangeNothing_data()
    {
        QTest::addColumn<QVariantMap>("result");
        QTest::newRow("empty list") << QVariantMap{{"PayDetails", QVariantList()}};
        QTest::newRow("no list") << QVariantMap{{"PayDetails", "A"}};
        QTest::newRow("no key") << QVariantMap{{"Other", 1}};
    }

    void resultsWithoutDetailsChangeNothing()
    {
        QFETCH(QVariantMap, result);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(coupon(QStringLiteral("A"), 1), true);
        screen->CacheCouponUseResult(result);
        QVERIFY(!screen->HasUsedCoupon());
        QCOMPARE(int(row(screen.get(), 0).status), 0);
        QCOMPARE(row(screen.get(), 0).childCoupons.size(), 1);
    }

    void resultRecoveredFromPayRecord_data()
    {
        QTest::addColumn<QString>("udp21");
        QTest::addColumn<bool>("cached");
        QTest::newRow("complete") << R"({"channelCode":"MT","couponId":"A","couponCode":"QX1","tradeNo":"T9"})" << true;
        QTest::newRow("malformed") << R"({"channelCode":"MT",)" << false;
        QTest::newRow("not an object") << R"(["A"])" << false;
        QTest::newRow("missing") << QString() << false;
    }

    void resultRecoveredFromPayRecord()
    {
        QFETCH(QString, udp21);
        QFETCH(bool, cached);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(coupon(QStringLiteral("A")), true);
        KxPosPayResult pay;
        pay.saleNo = QStringLiteral("S7");
        pay.merchantOrderNo = QStringLiteral("M7");
        pay.couponId = QStringLiteral("ignored");
        if (!udp21.isNull())
            pay.extraValues.insert(QStringLiteral("UDP21"), udp21);
        screen->CacheCouponUseResult(QStringLiteral("A"), pay);
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), cached ? 1 : 0);
        QCOMPARE(int(row(screen.get(), 0).status), 0); // no state change either way
        if (!cached)
            return;
        const QVariantMap expected{{"CouponType", "CCSDHQ"}, {"extranno", "M7"},    {"tradeNo", "T9"},
                                   {"saleNo", "S7"},         {"ChannelCode", "MT"}, {"MainCouponID", "A"},
                                   {"CouponID", "A"},        {"CardNo", "QX1"}};
        QCOMPARE(screen->GetCouponUsedData(QStringLiteral("A")), QList<QVariantMap>{expected});
        // A second result for the same id adds nothing.
        pay.extraValues.insert(QStringLiteral("UDP21"), QStringLiteral(R"({"couponId":"B"})"));
        screen->CacheCouponUseResult(QStringLiteral("A"), pay);
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), 1);
        QCOMPARE(screen->GetCouponUsedData(QStringLiteral("A")).at(0).value("CouponID").toString(), QStringLiteral("A"));
    }

    // --- Cancellations ---------------------------------------------------------

    void cancellingTheMainCouponOfThree()
    {
        auto screen = usedWithTwoChildren();
        screen->HandleCancelPayResult(QStringLiteral("A"));
        const CouponWidgetInfo r = row(screen.get(), 0);
        QCOMPARE(screen->GetCouponWidgetData().size(), 1);
        QCOMPARE(r.couponId, QStringLiteral("A-c1")); // the child cached last
        QCOMPARE(r.cardNo, QStringLiteral("card-A-c1"));
        QCOMPARE(r.couponName, QStringLiteral("券A-c1"));
        QCOMPARE(r.useCount, 2);
        QCOMPARE(int(r.status), 1);
        QCOMPARE(r.childCoupons.size(), 1);
        QCOMPARE(r.childCoupons.at(0).couponId, QStringLiteral("A-c0"));
        QCOMPARE(screen->CachedMainCouponIds(), QStringList{"A-c1"});
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A-c1")), 2);
        QCOMPARE(idsOf(screen->GetCouponUsedData(QStringLiteral("A-c1"))), (QStringList{"A-c1", "A-c0"}));
        QCOMPARE(screen->GetUsedCouponIdList(), (QStringList{"A-c1", "A-c0"}));
        QCOMPARE(screen->GetUsedCouponAmount(), 20.0);
    }

    void cancellingALoneMainCouponRemovesItsRow_data()
    {
        QTest::addColumn<bool>("lastRow");
        QTest::newRow("other rows stay") << false;
        QTest::newRow("last row clears the screen") << true;
    }

    void cancellingALoneMainCouponRemovesItsRow()
    {
        QFETCH(bool, lastRow);
        auto screen = couponScreen(true);
        if (!lastRow)
            screen->AddCouponInfo(coupon(QStringLiteral("K")), true);
        screen->AddCouponInfo(coupon(QStringLiteral("A"), 1), true);
        screen->CacheCouponUseResult(payDetails({QStringLiteral("A")}));
        KxPosPluDetail plu;
        plu.couponCode = QStringLiteral("code-A");
        screen->AddPlu(plu);
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), 1);
        screen->HandleCancelPayResult(QStringLiteral("A"));
        QCOMPARE(screen->GetRowByCouponId(QStringLiteral("A"), true), -1);
        QVERIFY(!screen->HasUsedCoupon());
        QCOMPARE(screen->GetCouponWidgetData().size(), lastRow ? 0 : 1);
        QCOMPARE(screen->PluMap().isEmpty(), lastRow);
        if (!lastRow)
            QCOMPARE(screen->GetCurrentCouponInfo().couponId, QStringLiteral("K"));
    }

    void cancellingAChild()
    {
        auto screen = usedWithTwoChildren();
        screen->HandleCancelPayResult(QStringLiteral("A-c0"));
        const CouponWidgetInfo r = row(screen.get(), 0);
        QCOMPARE(r.couponId, QStringLiteral("A"));
        QCOMPARE(int(r.childCoupons.at(0).status), 0);
        QCOMPARE(int(r.childCoupons.at(1).status), 1);
        QCOMPARE(r.useCount, 2);
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), 2);
        QCOMPARE(screen->GetUsedCouponIdList(), (QStringList{"A", "A-c1"}));
        QCOMPARE(screen->GetUsedCouponAmount(), 20.0);
        // Unknown ids change nothing.
        screen->HandleCancelPayResult(QStringLiteral("nobody"));
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), 2);
    }

    void unuseRequestResults_data()
    {
        QTest::addColumn<QString>("sub");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("entriesLeft");
        QTest::addColumn<int>("rowStatus");
        QTest::addColumn<int>("childStatus"); // of A-c0
        QTest::newRow("child cancelled") << "A-c0" << 0 << 2 << 1 << 0;
        QTest::newRow("child in doubt") << "A-c0" << 2 << 3 << 1 << 2;
        QTest::newRow("main cancelled, row state kept") << "A" << 0 << 2 << 1 << 1;
        QTest::newRow("whole row cancelled") << "" << 0 << 0 << 0 << 1;
    }

    void unuseRequestResults()
    {
        QFETCH(QString, sub);
        QFETCH(int, status);
        QFETCH(int, entriesLeft);
        QFETCH(int, rowStatus);
        QFETCH(int, childStatus);
        auto screen = usedWithTwoChildren();
        screen->ProcessCouponUnuseReqResult(QStringLiteral("A"), sub,
                                            static_cast<CouponWidgetInfo::CouponStatus>(status));
        QCOMPARE(screen->CachedResultCount(QStringLiteral("A")), entriesLeft);
        QCOMPARE(int(row(screen.get(), 0).status), rowStatus);
        QCOMPARE(int(row(screen.get(), 0).childCoupons.at(0).status), childStatus);
        if (sub == QLatin1String("A"))
            QVERIFY(!idsOf(screen->GetCouponUsedData(QStringLiteral("A"))).contains(QStringLiteral("A")));
    }

    void partlyFailedMultiCancel_data()
    {
        QTest::addColumn<QStringList>("cancelled");
        QTest::addColumn<QString>("mainAfter");
        QTest::addColumn<int>("useCount");
        QTest::newRow("main cancelled, children stay") << QStringList{"A"} << "A-c1" << 2;
        QTest::newRow("one child cancelled") << QStringList{"A-c0"} << "A" << 2;
        QTest::newRow("main and a child cancelled") << QStringList{"A", "A-c1"} << "A-c0" << 1;
        QTest::newRow("nothing cancelled") << QStringList() << "A" << 3;
    }

    void partlyFailedMultiCancel()
    {
        QFETCH(QStringList, cancelled);
        QFETCH(QString, mainAfter);
        QFETCH(int, useCount);
        auto screen = usedWithTwoChildren();
        for (const QString& id : cancelled)
            screen->ProcessCouponUnuseReqResult(QStringLiteral("A"), id, CouponWidgetInfo::StatusUnused);
        QCOMPARE(screen->ProcessMultiCouponUnuseFailed(QStringLiteral("A")), mainAfter);
        QCOMPARE(row(screen.get(), 0).couponId, mainAfter);
        QCOMPARE(row(screen.get(), 0).useCount, useCount);
        QCOMPARE(screen->CachedMainCouponIds(), QStringList{mainAfter});
        QCOMPARE(screen->CachedResultCount(mainAfter), useCount);
        QCOMPARE(screen->GetCouponUsedData(mainAfter).first().value("CouponID").toString(), mainAfter);
        QCOMPARE(screen->ProcessMultiCouponUnuseFailed(QStringLiteral("unknown")), QStringLiteral("unknown"));
    }

    void deselectAfterUnuse()
    {
        auto screen = usedWithTwoChildren();
        QSignalSpy removed(screen.get(), &CouponUsageWidget::SignRemovePayRecord);
        screen->DeselectCouponAfterUnuse(QStringLiteral("A"));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(0).toStringList(), (QStringList{"A-c1", "A-c0", "A"}));
        QVERIFY(!row(screen.get(), 0).checked);
        QVERIFY(!screen->HasUsedCoupon());
        screen->DeselectCouponAfterUnuse(QStringLiteral("A"));
        QCOMPARE(removed.count(), 1);
    }

    void unuseAndClear_data()
    {
        QTest::addColumn<bool>("used");
        QTest::addColumn<bool>("hint");
        QTest::newRow("nothing used") << false << true;
        QTest::newRow("used, with hint") << true << true;
        QTest::newRow("used, quietly") << true << false;
    }

    void unuseAndClear()
    {
        QFETCH(bool, used);
        QFETCH(bool, hint);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(coupon(QStringLiteral("B"), 1), true);
        screen->AddCouponInfo(coupon(QStringLiteral("A")), true);
        if (used) {
            screen->CacheCouponUseResult(payDetails({QStringLiteral("B"), QStringLiteral("B-c0")}));
            screen->CacheCouponUseResult(payDetails({QStringLiteral("A")}));
        }
        QSignalSpy unuse(screen.get(), &CouponUsageWidget::SignUnuseCouponList);
        screen->UnuseAndClearData(hint);
        QVERIFY(screen->GetCouponWidgetData().isEmpty());
        QVERIFY(!screen->HasUsedCoupon());
        QCOMPARE(unuse.count(), used ? 1 : 0);
        if (used) {
            const auto records = unuse.at(0).at(0).value<QList<QVariantMap>>();
            QCOMPARE(idsOf(records), (QStringList{"A", "B", "B-c0"}));
            QCOMPARE(idsOf(records, "MainCouponID"), (QStringList{"A", "B", "B"}));
            QCOMPARE(unuse.at(0).at(1).toBool(), hint);
        }
    }

    // --- Row buttons -----------------------------------------------------------

    void rowButtons_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("cached");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("unuse");
        QTest::addColumn<int>("refresh");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("cancel use, confirmed") << 1 << true << 1 << translated(2283) << 1 << 0 << 1;
        QTest::newRow("cancel use, declined") << 1 << true << 0 << translated(2283) << 0 << 0 << 1;
        QTest::newRow("cancel use, nothing cached") << 1 << false << 1 << translated(2283) << 0 << 0 << 1;
        QTest::newRow("refresh asks nothing") << 2 << true << 0 << QString() << 0 << 1 << 1;
        QTest::newRow("refresh without results") << 2 << false << 0 << QString() << 0 << 1 << 1;
        QTest::newRow("remove, confirmed") << 0 << false << 1 << translated(5055) << 0 << 0 << 0;
        QTest::newRow("remove, declined") << 0 << false << 0 << translated(5055) << 0 << 0 << 1;
    }

    void rowButtons()
    {
        QFETCH(int, status);
        QFETCH(bool, cached);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(int, unuse);
        QFETCH(int, refresh);
        QFETCH(int, rowsLeft);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(coupon(QStringLiteral("A")), true);
        if (cached)
            screen->CacheCouponUseResult(payDetails({QStringLiteral("A")}));
        screen->UpdateCouponStatus(QStringLiteral("A"), static_cast<CouponWidgetInfo::CouponStatus>(status), QString());
        QSignalSpy unuseSpy(screen.get(), &CouponUsageWidget::SignButtonUnuseClicked);
        QSignalSpy refreshSpy(screen.get(), &CouponUsageWidget::SignButtonRefreshClicked);
        QuestionMessage::QueueAnswers({answer});
        clickArea(screen.get(), 0, CouponItemDelegate::ActionArea);
        QCOMPARE(QuestionMessage::History(), question.isEmpty() ? QStringList() : QStringList{question});
        QCOMPARE(unuseSpy.count(), unuse);
        QCOMPARE(refreshSpy.count(), refresh);
        if (unuse)
            QCOMPARE(idsOf(unuseSpy.at(0).at(0).value<QList<QVariantMap>>()), QStringList{"A"});
        if (refresh)
            QCOMPARE(refreshSpy.at(0).at(0).value<QList<QVariantMap>>().size(), cached ? 1 : 0);
        QCOMPARE(screen->GetCouponWidgetData().size(), rowsLeft);
    }

    void retryAndRefreshTheLastSelectedRow()
    {
        auto screen = couponScreen(true);
        screen->AddCouponInfo(coupon(QStringLiteral("A")), true);
        screen->AddCouponInfo(coupon(QStringLiteral("B")), true);
        screen->CacheCouponUseResult(payDetails({QStringLiteral("B")}));
        QSignalSpy unuse(screen.get(), &CouponUsageWidget::SignButtonUnuseClicked);
        QSignalSpy refresh(screen.get(), &CouponUsageWidget::SignButtonRefreshClicked);
        QuestionMessage::QueueAnswers({1});
        screen->RetryCurrentCouponUnuse();
        QCOMPARE(unuse.count(), 1);
        QCOMPARE(idsOf(unuse.at(0).at(0).value<QList<QVariantMap>>()), QStringList{"B"});
        screen->RefreshCurrentCouponStatus();
        QCOMPARE(refresh.count(), 1);
        QCOMPARE(idsOf(refresh.at(0).at(0).value<QList<QVariantMap>>()), QStringList{"B"});
        // Without a selected row nothing goes out.
        screen->ClearData();
        screen->RefreshCurrentCouponStatus();
        QCOMPARE(refresh.count(), 1);
    }

    void useCountLimits_data()
    {
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("presses"); // +, -
        QTest::addColumn<int>("useCount");
        QTest::addColumn<QString>("message");
        QTest::newRow("up to one plus the children") << 2 << 0 << "+++" << 3 << translated(2282);
        QTest::newRow("no children: plus refused") << 0 << 0 << "+" << 1 << translated(2282);
        QTest::newRow("minus stops silently at one") << 2 << 0 << "+--" << 1 << QString();
        QTest::newRow("used coupon: plus refused") << 2 << 1 << "+" << 1 << translated(2281);
        QTest::newRow("used coupon: minus refused") << 2 << 1 << "-" << 1 << translated(2281);
        QTest::newRow("in doubt may change") << 2 << 2 << "+" << 2 << QString();
    }

    void useCountLimits()
    {
        QFETCH(int, children);
        QFETCH(int, status);
        QFETCH(QString, presses);
        QFETCH(int, useCount);
        QFETCH(QString, message);
        auto screen = couponScreen(true);
        CouponWidgetInfo a = coupon(QStringLiteral("A"), children);
        a.status = static_cast<CouponWidgetInfo::CouponStatus>(status);
        screen->AddCouponInfo(a, true);
        for (const QChar press : presses)
            clickArea(screen.get(), 0,
                      press == QLatin1Char('+') ? CouponItemDelegate::PlusArea : CouponItemDelegate::MinusArea);
        QCOMPARE(row(screen.get(), 0).useCount, useCount);
        QCOMPARE(lastMessageText(), message);
    }

    void statesSetByTheHost()
    {
        auto screen = usedWithTwoChildren();
        screen->UpdateCouponStatus(QStringLiteral("A"), CouponWidgetInfo::StatusInDoubt, QString());
        screen->UpdateCouponStatus(QStringLiteral("A"), CouponWidgetInfo::StatusInDoubt, QStringLiteral("A-c1"));
        screen->UpdateCouponStatus(QStringLiteral("nobody"), CouponWidgetInfo::StatusUsed, QString());
        screen->UpdateCouponItemStatus(5, CouponWidgetInfo::StatusUsed, QString());
        const CouponWidgetInfo r = row(screen.get(), 0);
        QCOMPARE(int(r.status), 2);
        QCOMPARE(int(r.childCoupons.at(1).status), 2);
        // Children count by their own state, listed ids only under a used row.
        QCOMPARE(screen->GetUsedCouponAmount(), 10.0);
        QVERIFY(screen->GetUsedCouponIdList().isEmpty());
    }
};

QTEST_MAIN(CouponBookkeepingTest)
#include "tst_coupon_bookkeeping.moc"
