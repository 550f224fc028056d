// The coupon screen's use and cancellation bookkeeping: use requests, cached
// use results per main coupon, cancellations of main and child coupons.

#include "TestAccess.h"
#include "TestCoupons.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"

#include "contracts/MessageWidget.h"

#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

using Status = CouponWidgetInfo::CouponStatus;

class CouponBookkeepingTest : public ScreenTestCase
{
    Q_OBJECT

private:
    // A deduction screen with row "A" (three children) used as A, A-c0, A-c1.
    static std::unique_ptr<CouponUsageWidget> usedWithTwoChildren()
    {
        auto screen = couponScreen(true);
        CouponWidgetInfo a = deductCoupon(QStringLiteral("A"), 3);
        a.useCount = 3;
        screen->AddCouponInfo(a, true);
        screen->CacheCouponUseResult(payDetails({"A", "A-c0", "A-c1"}));
        return screen;
    }
    static CouponWidgetInfo row(CouponUsageWidget* screen, int r) { return screen->GetCouponWidgetData().value(r); }

private slots:
    // Rows: B handed over already, A used three times, C unticked, D fresh
    // (the exchange coupons' hand-over is in the end-to-end member sale).
    void useRequests()
    {
        auto screen = couponScreen(true);
        CouponWidgetInfo a = deductCoupon(QStringLiteral("A"), 3);
        a.useCount = 3;
        CouponWidgetInfo handed = deductCoupon(QStringLiteral("B"));
        handed.added = true;
        CouponWidgetInfo unticked = deductCoupon(QStringLiteral("C"));
        unticked.checked = false;
        screen->UpdateCouponInfo({handed, a, unticked, deductCoupon(QStringLiteral("D"))});

        QList<QVariantMap> requests;
        QVERIFY(screen->PrepareForCouponUse(requests));
        QCOMPARE(idsOf(requests), (QStringList{"A", "D"}));
        QVariantMap request = requests.at(0);
        const QVariantList otherList = request.take("OtherCouponList").toList();
        const QVariantMap expected{{"CouponID", "A"}, {"CouponType", "DK"},  {"CardNo", "card-A"},
                                   {"CouponName", "券A"}, {"ChannelCode", "MT"}, {"CouponJson", R"({"id":"A"})"}};
        QCOMPARE(request, expected);
        QStringList otherIds;
        for (const QVariant& other : otherList) {
            QCOMPARE(other.toMap().size(), 6);
            otherIds << other.toMap().value("CouponID").toString();
        }
        QCOMPARE(otherIds, (QStringList{"A-c0", "A-c1"}));
        QVERIFY(!requests.at(1).contains("OtherCouponList"));
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void useResultOfMainAndTwoChildren()
    {
        auto screen = usedWithTwoChildren();
        QCOMPARE(int(screen->GetCouponUsedData(QStringLiteral("A")).size()), 3);
        QCOMPARE(KxPosTestAccess::CachedMainCouponIds(*screen), QStringList{"A"});
        const CouponWidgetInfo a = row(screen.get(), 0);
        QCOMPARE(int(a.status), 1);
        QCOMPARE(a.childCoupons.size(), 2); // A-c2 was not used and left the row
        QCOMPARE(a.childCoupons.at(0).couponId, QStringLiteral("A-c0"));
        QCOMPARE(int(a.childCoupons.at(0).status), 1);
        QCOMPARE(int(a.childCoupons.at(1).status), 1);
        QCOMPARE(screen->GetUsedCouponAmount(), 30.0);
        QCOMPARE(screen->GetUsedCouponIdList(), (QStringList{"A", "A-c0", "A-c1"}));
        QCOMPARE(screen->GetRowByCouponId(QStringLiteral("A-c1"), true), 0);
        QCOMPARE(screen->GetRowByCouponId(QStringLiteral("A-c1"), false), -1);

        // The used data puts the main coupon first, the children after it.
        const QList<QVariantMap> records = screen->GetCouponUsedData(QStringLiteral("A"));
        QCOMPARE(idsOf(records), (QStringList{"A", "A-c1", "A-c0"}));
        const QVariantMap expected{{"CouponType", "CCSDHQ"}, {"extranno", "M-A-c1"}, {"tradeNo", "T-A-c1"},
                                   {"saleNo", "S0001"},      {"ChannelCode", "MT"},  {"MainCouponID", "A"},
                                   {"CouponID", "A-c1"},     {"CardNo", "card-A-c1"}};
        QCOMPARE(records.at(1), expected);
        QCOMPARE(idsOf(records, "MainCouponID"), (QStringList{"A", "A", "A"}));
        QVERIFY(screen->GetCouponUsedData(QStringLiteral("unknown")).isEmpty());
    }

    void cancellingTheMainCouponOfThree()
    {
        auto screen = usedWithTwoChildren();
        screen->HandleCancelPayResult(QStringLiteral("A"));
        const CouponWidgetInfo r = row(screen.get(), 0);
        QCOMPARE(screen->GetCouponWidgetData().size(), 1);
        QCOMPARE(r.couponId + ' ' + r.cardNo, QStringLiteral("A-c1 card-A-c1")); // the child cached last
        QCOMPARE(r.useCount, 2);
        QCOMPARE(int(r.status), 1);
        QCOMPARE(r.childCoupons.size(), 1);
        QCOMPARE(r.childCoupons.at(0).couponId, QStringLiteral("A-c0"));
        QCOMPARE(KxPosTestAccess::CachedMainCouponIds(*screen), QStringList{"A-c1"});
        QCOMPARE(idsOf(screen->GetCouponUsedData(QStringLiteral("A-c1"))), (QStringList{"A-c1", "A-c0"}));
        QCOMPARE(screen->GetUsedCouponAmount(), 20.0);
    }

    void cancellingALoneMainCouponRemovesItsRow()
    {
        auto screen = couponScreen(true);
        screen->AddCouponInfo(deductCoupon(QStringLiteral("K")), true);
        screen->AddCouponInfo(deductCoupon(QStringLiteral("A"), 1), true);
        screen->CacheCouponUseResult(payDetails({"A"}));
        KxPosPluDetail plu;
        plu.couponCode = QStringLiteral("code-A");
        screen->AddPlu(plu);
        screen->HandleCancelPayResult(QStringLiteral("A"));
        QCOMPARE(screen->GetRowByCouponId(QStringLiteral("A"), true), -1);
        QVERIFY(!screen->HasUsedCoupon());
        QCOMPARE(screen->GetCouponWidgetData().size(), 1);
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
        QCOMPARE(int(screen->GetCouponUsedData(QStringLiteral("A")).size()), 2);
        QCOMPARE(screen->GetUsedCouponIdList(), (QStringList{"A", "A-c1"}));
        QCOMPARE(screen->GetUsedCouponAmount(), 20.0);
        screen->HandleCancelPayResult(QStringLiteral("nobody")); // unknown ids change nothing
        QCOMPARE(int(screen->GetCouponUsedData(QStringLiteral("A")).size()), 2);
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
        auto screen = usedWithTwoChildren();
        screen->ProcessCouponUnuseReqResult(QStringLiteral("A"), sub, static_cast<Status>(status));
        QTEST(int(screen->GetCouponUsedData(QStringLiteral("A")).size()), "entriesLeft");
        QTEST(int(row(screen.get(), 0).status), "rowStatus");
        QTEST(int(row(screen.get(), 0).childCoupons.at(0).status), "childStatus");
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
        QCOMPARE(KxPosTestAccess::CachedMainCouponIds(*screen), QStringList{mainAfter});
        QCOMPARE(int(screen->GetCouponUsedData(mainAfter).size()), useCount);
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
        QTest::newRow("used, quietly") << true << false;
    }

    void unuseAndClear()
    {
        QFETCH(bool, used);
        QFETCH(bool, hint);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(deductCoupon(QStringLiteral("B"), 1), true);
        screen->AddCouponInfo(deductCoupon(QStringLiteral("A")), true);
        if (used) {
            screen->CacheCouponUseResult(payDetails({"B", "B-c0"}));
            screen->CacheCouponUseResult(payDetails({"A"}));
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

    // Whatever the host answers between two confirms, no coupon id is in two
    // use requests: a used row searched again stays used (added or not), a
    // coupon in doubt or pending from a pay record is not sent again, and a
    // ticked coupon in doubt refuses confirm with its message until refreshed.
    void aCouponIsHandedOverOnce_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("statusAfter");
        QTest::addColumn<bool>("refused");
        // The pay record's "tradeNo" (JSON), and the trade number of the used record.
        QTest::addColumn<QString>("tradeJson");
        QTest::addColumn<QString>("tradeNo");
        QTest::newRow("used, searched again") << "used search" << 1 << false << "" << "T-A";
        QTest::newRow("used, not marked added, searched again") << "used unmarked search" << 1 << false << "" << "T-A";
        QTest::newRow("in doubt") << "doubt" << 2 << true << "" << "";
        QTest::newRow("in doubt, searched again") << "doubt search" << 2 << true << "" << "";
        QTest::newRow("pending from a pay record") << "pending" << 3 << false << R"(,"tradeNo":"T77")" << "T77";
        QTest::newRow("pending, numeric trade number") << "pending" << 3 << false << R"(,"tradeNo":20261206001)"
                                                       << "20261206001";
    }

    void aCouponIsHandedOverOnce()
    {
        QFETCH(QString, answer);
        QFETCH(int, statusAfter);
        QFETCH(bool, refused);
        QFETCH(QString, tradeJson);
        QFETCH(QString, tradeNo);
        auto screen = couponScreen(true);
        CouponWidgetInfo a = deductCoupon(QStringLiteral("A"), 2);
        a.useCount = 2;
        screen->AddCouponInfo(a, false);
        UseRequests use(screen.get());
        clickChild(screen.get(), "btnConfirm");
        QCOMPARE(use.count(), 1);

        if (answer.startsWith(QLatin1String("used"))) {
            screen->CacheCouponUseResult(payDetails({"A", "A-c0"}));
            if (!answer.contains(QLatin1String("unmarked")))
                screen->SetCheckedCouponAdded();
        } else {
            KxPosPayResult record;
            record.saleNo = QStringLiteral("S0001");
            record.extraValues.insert(QStringLiteral("UDP21"),
                                      QStringLiteral(R"({"channelCode":"MT","couponId":"A","couponCode":"code-A"%1})")
                                          .arg(tradeJson));
            screen->CacheCouponUseResult(QStringLiteral("A"), record);
            screen->UpdateCouponStatus(QStringLiteral("A"), Status(statusAfter), QString());
        }
        if (answer.endsWith(QLatin1String("search")))
            screen->AddCouponInfo(deductCoupon(QStringLiteral("A"), 2), false);
        QCOMPARE(int(row(screen.get(), 0).status), statusAfter);

        MessageWidget::ClearHistory();
        clickChild(screen.get(), "btnConfirm");
        if (refused) {
            QCOMPARE(use.count(), 1);
            QCOMPARE(lastMessageText(), translated(7206).arg(QStringLiteral("A")));
        } else {
            QVERIFY(MessageWidget::History().isEmpty());
        }
        QCOMPARE(use.ids(), (QStringList{"A", "A-c0"}));
        QCOMPARE(screen->GetCouponUsedData(QStringLiteral("A")).value(0).value("tradeNo").toString(), tradeNo);
    }

    // A held bill takes its coupons away and brings them back whole: nothing
    // is used or cancelled on the way, the other sale's coupons are not
    // touched, and a screen still holding the current sale's coupons does not
    // take another bill's over them.
    void heldBillKeepsItsCoupons()
    {
        auto screen = usedWithTwoChildren();
        UseRequests use(screen.get());
        QSignalSpy unuse(screen.get(), &CouponUsageWidget::SignUnuseCouponList);
        QSignalSpy dropped(screen.get(), &CouponUsageWidget::SignRemovePayRecord);
        const CouponUsageWidget::SaleState held = screen->TakeSaleState();
        QVERIFY(screen->GetCouponWidgetData().isEmpty());
        QVERIFY(!screen->HasUsedCoupon());
        QCOMPARE(screen->GetUsedCouponAmount(), 0.0);

        screen->AddCouponInfo(deductCoupon(QStringLiteral("B")), true);
        screen->CacheCouponUseResult(payDetails({"B"}));
        QVERIFY(!screen->RestoreSaleState(held));
        QCOMPARE(screen->GetUsedCouponIdList(), QStringList{"B"});

        const CouponUsageWidget::SaleState other = screen->TakeSaleState();
        QVERIFY(screen->RestoreSaleState(held));
        QCOMPARE(screen->GetUsedCouponIdList(), (QStringList{"A", "A-c0", "A-c1"}));
        QCOMPARE(screen->GetUsedCouponAmount(), 30.0);
        QCOMPARE(use.count() + unuse.count() + dropped.count(), 0);
        screen->UnuseAndClearData(false);
        QStringList cancelled = idsOf(unuse.at(0).at(0).value<QList<QVariantMap>>());
        cancelled.sort();
        QCOMPARE(cancelled, (QStringList{"A", "A-c0", "A-c1"}));
        QVERIFY(screen->RestoreSaleState(other));
        QCOMPARE(screen->GetUsedCouponIdList(), QStringList{"B"});
    }
};

QTEST_MAIN(CouponBookkeepingTest)
#include "tst_coupon_bookkeeping.moc"
