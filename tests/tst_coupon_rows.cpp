// The coupon list's row delegate: the click areas of a row by state and mode
// (tick strip, use-count buttons, action button), release by release and
// through clicks on the coupon screen's list.

#include "TestSupport.h"
#include "TestRecords.h"
#include "TestScreens.h"

#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponListModel.h"
#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QListView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
const QString ChannelsJson = QStringLiteral(
    R"([{"ChannelName":"美团","ChannelCode":"MT"},{"ChannelName":"抖音","ChannelCode":"DY"}])");
} // namespace

class CouponRowsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static QListView* list(CouponUsageWidget* screen)
    {
        return screen->findChild<QListView*>(QStringLiteral("lvCoupon"));
    }

private slots:
    // Releases on each area of a row, by state and mode: what the row's
    // `checked` flag becomes and which delegate signal goes out.
    void rowAreas_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("added");
        QTest::addColumn<int>("area");
        QTest::addColumn<bool>("checkedAfter");
        QTest::addColumn<QString>("signal");
        using D = CouponItemDelegate;
        QTest::newRow("tick unticks a fresh coupon") << true << 0 << false << int(D::TickArea) << false << "";
        QTest::newRow("tick, exchange mode") << false << 0 << false << int(D::TickArea) << false << "";
        QTest::newRow("tick, in doubt") << true << 2 << false << int(D::TickArea) << false << "";
        QTest::newRow("tick, used stays") << true << 1 << false << int(D::TickArea) << true << "";
        QTest::newRow("tick, added stays") << true << 0 << true << int(D::TickArea) << true << "";
        QTest::newRow("minus") << true << 0 << false << int(D::MinusArea) << true << "minus";
        QTest::newRow("plus") << true << 0 << false << int(D::PlusArea) << true << "plus";
        QTest::newRow("action, unused: remove") << true << 0 << false << int(D::ActionArea) << true << "remove";
        QTest::newRow("action, used: unuse") << true << 1 << false << int(D::ActionArea) << true << "unuse";
        QTest::newRow("action, in doubt: refresh") << true << 2 << false << int(D::ActionArea) << true << "refresh";
        QTest::newRow("action, used, exchange mode") << false << 1 << false << int(D::ActionArea) << true << "";
    }

    void rowAreas()
    {
        QFETCH(bool, deduct);
        QFETCH(int, status);
        QFETCH(bool, added);
        QFETCH(int, area);
        QFETCH(bool, checkedAfter);
        QFETCH(QString, signal);
        CouponListModel model;
        CouponWidgetInfo info = channelCoupon(QStringLiteral("A1"), QStringLiteral("MT"), 2);
        info.status = static_cast<CouponWidgetInfo::CouponStatus>(status);
        info.added = added;
        model.AppendCoupon(info);
        CouponItemDelegate delegate(deduct);
        QSignalSpy minus(&delegate, &CouponItemDelegate::SignButtonMinusClicked);
        QSignalSpy plus(&delegate, &CouponItemDelegate::SignButtonPlusClicked);
        QSignalSpy unuse(&delegate, &CouponItemDelegate::SignButtonUnuseClicked);
        QSignalSpy refresh(&delegate, &CouponItemDelegate::SignButtonRefreshClicked);
        QSignalSpy remove(&delegate, &CouponItemDelegate::SignButtonRemoveClicked);

        const QModelIndex index = model.index(0, 0);
        QStyleOptionViewItem option;
        option.rect = QRect(QPoint(0, 0), delegate.sizeHint(option, index));
        const QRect target = delegate.ItemAreaRect(CouponItemDelegate::ItemArea(area), option.rect, index);
        QVERIFY2(!target.isEmpty(), "the row has this area");
        QVERIFY(option.rect.contains(target));

        // A press alone does nothing; the release acts.
        QMouseEvent press(QEvent::MouseButtonPress, target.center(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        static_cast<QAbstractItemDelegate&>(delegate).editorEvent(&press, &model, option, index);
        QCOMPARE(minus.count() + plus.count() + unuse.count() + refresh.count() + remove.count(), 0);
        QVERIFY(model.GetCoupon(0).checked);

        QMouseEvent release(QEvent::MouseButtonRelease, target.center(), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        static_cast<QAbstractItemDelegate&>(delegate).editorEvent(&release, &model, option, index);
        QCOMPARE(model.GetCoupon(0).checked, checkedAfter);
        QCOMPARE(minus.count(), signal == QLatin1String("minus") ? 1 : 0);
        QCOMPARE(plus.count(), signal == QLatin1String("plus") ? 1 : 0);
        QCOMPARE(unuse.count(), signal == QLatin1String("unuse") ? 1 : 0);
        QCOMPARE(refresh.count(), signal == QLatin1String("refresh") ? 1 : 0);
        QCOMPARE(remove.count(), signal == QLatin1String("remove") ? 1 : 0);
        if (!signal.isEmpty()) {
            const QSignalSpy* spy = signal == QLatin1String("minus") ? &minus
                : signal == QLatin1String("plus")                  ? &plus
                : signal == QLatin1String("unuse")                 ? &unuse
                : signal == QLatin1String("refresh")               ? &refresh
                                                                   : &remove;
            QCOMPARE(spy->at(0).at(0).toModelIndex(), index);
        }
    }

    void rowAreasByStateAndMode()
    {
        CouponListModel model;
        CouponWidgetInfo info = channelCoupon(QStringLiteral("A1"));
        model.AppendCoupon(info);
        info.status = CouponWidgetInfo::StatusPending;
        model.AppendCoupon(info);
        CouponItemDelegate deduction(true);
        CouponItemDelegate exchange(false);
        const QRect row(0, 0, 516, 80);
        // Deduction rows have count buttons; exchange rows do not.
        QVERIFY(!deduction.ItemAreaRect(CouponItemDelegate::MinusArea, row, model.index(0, 0)).isEmpty());
        QVERIFY(exchange.ItemAreaRect(CouponItemDelegate::PlusArea, row, model.index(0, 0)).isEmpty());
        // Remove is a deduction-mode button; state 3 has no button at all.
        QVERIFY(exchange.ItemAreaRect(CouponItemDelegate::ActionArea, row, model.index(0, 0)).isEmpty());
        QVERIFY(deduction.ItemAreaRect(CouponItemDelegate::ActionArea, row, model.index(1, 0)).isEmpty());
        // The tick strip is at the left edge, the action button at the right.
        const QRect tick = deduction.ItemAreaRect(CouponItemDelegate::TickArea, row, model.index(0, 0));
        const QRect action = deduction.ItemAreaRect(CouponItemDelegate::ActionArea, row, model.index(0, 0));
        const QRect plus = deduction.ItemAreaRect(CouponItemDelegate::PlusArea, row, model.index(0, 0));
        QCOMPARE(tick.left(), row.left());
        QVERIFY(plus.right() < action.left());
        QVERIFY(tick.right() < deduction.ItemAreaRect(CouponItemDelegate::MinusArea, row, model.index(0, 0)).left());
        QStyleOptionViewItem option;
        QCOMPARE(deduction.sizeHint(option, model.index(0, 0)), KxPosConfig::GetAutoSize(828, 100, 516, 80));
    }

    void clicksOnTheScreenList()
    {
        auto screen = couponScreen(true, ChannelsJson);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1"), QStringLiteral("MT"), 2), true);
        CouponWidgetInfo used = channelCoupon(QStringLiteral("A2"));
        used.status = CouponWidgetInfo::StatusUsed;
        screen->AddCouponInfo(used, true);
        QListView* view = list(screen.get());
        auto* delegate = qobject_cast<CouponItemDelegate*>(view->itemDelegate());
        QVERIFY(delegate);
        const auto clickArea = [&](int row, CouponItemDelegate::ItemArea area) {
            const QModelIndex index = view->model()->index(row, 0);
            const QRect rect = delegate->ItemAreaRect(area, view->visualRect(index), index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        };
        clickArea(0, CouponItemDelegate::TickArea);
        QVERIFY(!screen->GetCouponWidgetData().at(0).checked);
        QCOMPARE(view->currentIndex().row(), 0);
        clickArea(1, CouponItemDelegate::TickArea);
        QVERIFY(screen->GetCouponWidgetData().at(1).checked);
        clickArea(0, CouponItemDelegate::PlusArea);
        clickArea(0, CouponItemDelegate::PlusArea);
        QCOMPARE(screen->GetCouponWidgetData().at(0).useCount, 3);
        clickArea(0, CouponItemDelegate::MinusArea);
        QCOMPARE(screen->GetCouponWidgetData().at(0).useCount, 2);
    }
};

QTEST_MAIN(CouponRowsTest)
#include "tst_coupon_rows.moc"
