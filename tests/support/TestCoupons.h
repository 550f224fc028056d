#pragma once
// Coupon records and use results shared by the coupon test programs. Header
// only: the helpers are small and need nothing from the support library's
// build.

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"

#include <QObject>

#include <QStringList>
#include <QVariantMap>

namespace KxPosTest {

// A deduction coupon of 美团 worth `amount`: id `id`, card "card-<id>", code
// "code-<id>", name "券<id>", type "DK", JSON {"id":"<id>"}, with `children`
// sub-coupons "<id>-c0", "<id>-c1", ... of the same kind and amount.
inline CouponWidgetInfo deductCoupon(const QString& id, int children = 0, double amount = 10.0)
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
        child.couponType = c.couponType;
        child.couponCode = c.couponCode;
        child.channelCode = c.channelCode;
        child.couponAmount = amount;
        c.childCoupons << child;
    }
    return c;
}

// The host's use result for the coupons `ids` of sale S0001: one PayDetails
// record each, with card "card-<id>", merchant order "M-<id>", trade "T-<id>".
inline QVariantMap payDetails(const QStringList& ids)
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

// The `key` field of each coupon-use record, in order.
inline QStringList idsOf(const QList<QVariantMap>& records, const char* key = "CouponID")
{
    QStringList ids;
    for (const QVariantMap& record : records)
        ids << record.value(QLatin1String(key)).toString();
    return ids;
}

// Records the use requests of a coupon screen's confirm and submit. Their
// signals pass the product map by reference, which QSignalSpy cannot hold.
class UseRequests
{
public:
    explicit UseRequests(CouponUsageWidget* screen)
    {
        const auto record = [this](CouponPluListMap&, const QList<QVariantMap>& requests) { m_sent << requests; };
        QObject::connect(screen, &CouponUsageWidget::SignUseCouponAndAddPlu, &m_context, record);
        QObject::connect(screen, &CouponUsageWidget::SignUseCouponFinished, &m_context, record);
    }
    int count() const { return m_sent.size(); }
    // Every coupon id sent for use, main coupons and their others, in order.
    QStringList ids() const
    {
        QStringList all;
        for (const QList<QVariantMap>& requests : m_sent) {
            for (const QVariantMap& request : requests) {
                all << request.value(QStringLiteral("CouponID")).toString();
                for (const QVariant& other : request.value(QStringLiteral("OtherCouponList")).toList())
                    all << other.toMap().value(QStringLiteral("CouponID")).toString();
            }
        }
        return all;
    }

private:
    QObject m_context;
    QList<QList<QVariantMap>> m_sent;
};

} // namespace KxPosTest
