// "UDP21": a coupon use result recovered from a pay record, JSON text with
// channelCode, couponId, couponCode and tradeNo.

#include "FuzzSupport.h"

#include "contracts/KxPosModel.h"
#include "coupon/CouponUsageWidget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    static CouponUsageWidget* screen = new CouponUsageWidget(nullptr);
    KxPosPayResult pay;
    pay.saleNo = QStringLiteral("S1");
    pay.extraValues.insert(QStringLiteral("UDP21"), QVariant(KxPosFuzz::text(data, size)));
    const QString id = QStringLiteral("C1");
    screen->CacheCouponUseResult(id, pay);
    for (const QVariantMap& record : screen->GetCouponUsedData(id))
        (void)record.value(QStringLiteral("tradeNo")).toString();
    // The cached result goes again, so every input starts from an empty
    // cache (and the run's memory stays flat).
    screen->RemoveCacheCouponUseResult(id, QString());
    if (!screen->GetCouponUsedData(id).isEmpty())
        abort();
    return 0;
}
