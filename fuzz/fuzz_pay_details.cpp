// "PayDetails": the host's coupon use result map. The input is read as JSON
// (the host's result arrives as parsed JSON) and handed over as the map; the
// screen lists two coupons the details may refer to.

#include "TestAccess.h"
#include "FuzzSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"
#include "contracts/KxPosJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

namespace {
CouponWidgetInfo coupon(const QString& id, int children)
{
    CouponWidgetInfo c;
    c.couponId = id;
    c.couponCode = QStringLiteral("code-") + id;
    c.couponName = QStringLiteral("券") + id;
    c.channelCode = QStringLiteral("MT");
    c.couponAmount = 10.0;
    c.useCount = children + 1;
    for (int i = 0; i < children; ++i) {
        CouponBaseInfo child;
        child.couponId = id + QStringLiteral("-c%1").arg(i);
        child.couponCode = c.couponCode;
        c.childCoupons << child;
    }
    return c;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    static std::unique_ptr<CouponUsageWidget> screen;
    static int uses = 0;
    if (!screen || ++uses % 500 == 0) {
        screen = std::make_unique<CouponUsageWidget>(nullptr);
        screen->AddCouponInfo(coupon(QStringLiteral("A"), 0), false);
        screen->AddCouponInfo(coupon(QStringLiteral("B"), 2), false);
    }
    const QJsonDocument document =
        KxPosJson::Parse(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));
    QVariantMap result;
    if (document.isObject())
        result = document.object().toVariantMap();
    else
        result.insert(QStringLiteral("PayDetails"), document.toVariant());
    screen->CacheCouponUseResult(result);
    for (const QString& id : KxPosTestAccess::CachedMainCouponIds(*screen)) {
        (void)screen->GetCouponUsedData(id);
        screen->RemoveCacheCouponUseResult(id, QString());
    }
    (void)screen->GetUsedCouponAmount();
    return 0;
}
