// The coupon list's rows: what a release on each area of a row does by state
// and mode, and the row buttons on the coupon screen (cancel use, refresh,
// remove, use count) with their questions and signals.

#include "TestAccess.h"
#include "TestCoupons.h"
#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponListModel.h"
#include "coupon/CouponUsageWidget.h"

#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QMouseEvent>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

using Status = CouponWidgetInfo::CouponStatus;

class CouponRowsTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // Releases on each area of a row: which delegate signal goes out ("none":
    // the row has no such area). The areas that act are also driven through
    // the screen below; the tick on the screen's list is a step of the
    // refusal walk's unticked submit.
    void rowAreas_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("signal");
        using D = CouponItemDelegate;
        QTest::newRow("tick, used stays") << true << 1 << int(D::TickArea) << "";
        QTest::newRow("minus") << true << 0 << int(D::MinusArea) << "minus";
        QTest::newRow("no count keys in exchange mode") << false << 0 << int(D::PlusArea) << "none";
        QTest::newRow("action, in doubt: refresh") << true << 2 << int(D::ActionArea) << "refresh";
        QTest::newRow("no action when pending") << true << 3 << int(D::ActionArea) << "none";
        QTest::newRow("no remove in exchange mode") << false << 0 << int(D::ActionArea) << "none";
    }

    void rowAreas()
    {
        QFETCH(bool, deduct);
        QFETCH(int, status);
        QFETCH(int, area);
        QFETCH(QString, signal);
        CouponListModel model;
        CouponWidgetInfo info = channelCoupon(QStringLiteral("A1"), QStringLiteral("MT"), 2);
        info.status = static_cast<Status>(status);
        model.AppendCoupon(info);
        CouponItemDelegate delegate(deduct);
        const QMap<QString, QSignalSpy*> spies{
            {"minus", new QSignalSpy(&delegate, &CouponItemDelegate::SignButtonMinusClicked)},
            {"plus", new QSignalSpy(&delegate, &CouponItemDelegate::SignButtonPlusClicked)},
            {"unuse", new QSignalSpy(&delegate, &CouponItemDelegate::SignButtonUnuseClicked)},
            {"refresh", new QSignalSpy(&delegate, &CouponItemDelegate::SignButtonRefreshClicked)},
            {"remove", new QSignalSpy(&delegate, &CouponItemDelegate::SignButtonRemoveClicked)}};
        const auto deleteSpies = qScopeGuard([&] { qDeleteAll(spies); });

        const QModelIndex index = model.index(0, 0);
        QStyleOptionViewItem option;
        option.rect = QRect(QPoint(0, 0), delegate.sizeHint(option, index));
        const QRect target = KxPosTestAccess::ItemAreaRect(delegate, CouponItemDelegate::ItemArea(area), option.rect, index);
        QCOMPARE(target.isEmpty(), signal == QLatin1String("none"));
        if (target.isEmpty())
            return;
        QVERIFY(option.rect.contains(target));
        // A press alone does nothing; the release acts.
        QMouseEvent press(QEvent::MouseButtonPress, target.center(), target.center(), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        static_cast<QAbstractItemDelegate&>(delegate).editorEvent(&press, &model, option, index);
        QVERIFY(model.GetCoupon(0).checked);
        QMouseEvent release(QEvent::MouseButtonRelease, target.center(), target.center(), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        static_cast<QAbstractItemDelegate&>(delegate).editorEvent(&release, &model, option, index);
        QVERIFY(model.GetCoupon(0).checked); // only a fresh coupon's tick unticks it
        for (auto it = spies.cbegin(); it != spies.cend(); ++it) {
            QCOMPARE(it.value()->count(), it.key() == signal ? 1 : 0);
            if (it.key() == signal)
                QCOMPARE(it.value()->at(0).at(0).toModelIndex(), index);
        }
    }

    // The row's action key, answered yes (the declines are walked by tst_refusals).
    void rowButtons_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("cached");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("unuse");
        QTest::addColumn<int>("refresh");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("cancel use, nothing cached") << 1 << false << translated(2283) << 0 << 0 << 1;
        QTest::newRow("refresh asks nothing") << 2 << true << QString() << 0 << 1 << 1;
        QTest::newRow("remove") << 0 << false << translated(5055) << 0 << 0 << 0;
    }

    void rowButtons()
    {
        QFETCH(int, status);
        QFETCH(bool, cached);
        QFETCH(QString, question);
        QFETCH(int, unuse);
        QFETCH(int, refresh);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(deductCoupon(QStringLiteral("A")), true);
        if (cached)
            screen->CacheCouponUseResult(payDetails({"A"}));
        screen->UpdateCouponStatus(QStringLiteral("A"), static_cast<Status>(status), QString());
        QSignalSpy unuseSpy(screen.get(), &CouponUsageWidget::SignButtonUnuseClicked);
        QSignalSpy refreshSpy(screen.get(), &CouponUsageWidget::SignButtonRefreshClicked);
        QuestionMessage::QueueAnswers({1});
        QVERIFY(tapCouponArea(screen.get(), 0, CouponItemDelegate::ActionArea));
        QCOMPARE(QuestionMessage::History(), question.isEmpty() ? QStringList() : QStringList{question});
        QCOMPARE(unuseSpy.count(), unuse);
        QCOMPARE(refreshSpy.count(), refresh);
        if (unuse)
            QCOMPARE(idsOf(unuseSpy.at(0).at(0).value<QList<QVariantMap>>()), QStringList{"A"});
        if (refresh)
            QCOMPARE(idsOf(refreshSpy.at(0).at(0).value<QList<QVariantMap>>()), QStringList{"A"});
        QTEST(int(screen->GetCouponWidgetData().size()), "rowsLeft");
    }

    // The count goes up to one plus the children and stops silently at one
    // (going past the coupons is walked by tst_refusals); in doubt it may change.
    void useCount_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("presses"); // +, -
        QTest::addColumn<int>("useCount");
        QTest::newRow("up to one plus the children") << 0 << "++" << 3;
        QTest::newRow("minus stops at one") << 0 << "+--" << 1;
        QTest::newRow("in doubt may change") << 2 << "+" << 2;
    }

    void useCount()
    {
        QFETCH(int, status);
        QFETCH(QString, presses);
        QFETCH(int, useCount);
        auto screen = couponScreen(true);
        CouponWidgetInfo a = deductCoupon(QStringLiteral("A"), 2);
        a.status = static_cast<Status>(status);
        screen->AddCouponInfo(a, true);
        for (const QChar press : presses)
            QVERIFY(tapCouponArea(screen.get(), 0,
                                  press == QLatin1Char('+') ? CouponItemDelegate::PlusArea : CouponItemDelegate::MinusArea));
        QCOMPARE(screen->GetCouponWidgetData().at(0).useCount, useCount);
        QVERIFY(MessageWidget::History().isEmpty());
    }
};

QTEST_MAIN(CouponRowsTest)
#include "tst_coupon_rows.moc"
