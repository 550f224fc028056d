#include "coupon/CouponWidgetInfo.h"

#include "contracts/KxPosModel.h"

#include <QVariantMap>

#include <mutex>

void CouponBaseInfo::AssignCouponData(const CouponBaseInfo& other)
{
    couponId = other.couponId;
    cardNo = other.cardNo;
    couponName = other.couponName;
    couponType = other.couponType;
    couponCode = other.couponCode;
    channelCode = other.channelCode;
    channelName = other.channelName;
    couponJson = other.couponJson;
    couponAmount = other.couponAmount;
    extraText = other.extraText;
}

void CouponWidgetInfo::RegisterMetaTypes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        KxPosModel::RegisterMetaTypes();
        qRegisterMetaType<CouponBaseInfo>("CouponBaseInfo");
        qRegisterMetaType<CouponWidgetInfo>("CouponWidgetInfo");
        qRegisterMetaType<CouponWidgetInfo::CouponPluInfo>("CouponWidgetInfo::CouponPluInfo");
        qRegisterMetaType<QList<CouponWidgetInfo>>();
        // The use and cancellation requests travel as lists of maps.
        qRegisterMetaType<QList<QVariantMap>>();
    });
}
