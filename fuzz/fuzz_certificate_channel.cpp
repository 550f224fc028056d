// "TRADE_CertificateChannel": the channel bar of the coupon screen, a JSON
// array of {"ChannelName", "ChannelCode"}. Each input is configured and the
// bar built again from it.

#include "FuzzSupport.h"

#include "contracts/KxPosConfig.h"
#include "coupon/CouponUsageWidget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KxPosFuzz::ensureApplication();
    static CouponUsageWidget* screen = [] {
        auto* s = new CouponUsageWidget(nullptr);
        s->Show(false);
        return s;
    }();
    KxPosConfig::SetValue(QStringLiteral("TRADE_CertificateChannel"), KxPosFuzz::text(data, size), QString());
    screen->InitCouponChannel();
    return 0;
}
