// "UDP21": a coupon use result recovered from a pay record, JSON text with
// channelCode, couponId, couponCode and tradeNo.

#include "FuzzSupport.h"

#include "contracts/KxPosModel.h"
#include "coupon/CouponUsageWidget.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    static std::unique_ptr<CouponUsageWidget> screen;
    static int uses = 0;
    // The cache only grows within one screen; a fresh screen now and then
    // keeps a long run's memory flat.
    if (!screen || ++uses % 2000 == 0)
        screen = std::make_unique<CouponUsageWidget>(nullptr);
    KxPosPayResult pay;
    pay.saleNo = QStringLiteral("S1");
    pay.extraValues.insert(QStringLiteral("UDP21"), KxPosFuzz::text(data, size));
    const QString id = QStringLiteral("C%1").arg(uses);
    screen->CacheCouponUseResult(id, pay);
    for (const QVariantMap& record : screen->GetCouponUsedData(id))
        (void)record.value(QStringLiteral("tradeNo")).toString();
    return 0;
}
