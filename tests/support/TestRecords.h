#pragma once
// Small records that several test programs hand to the screens.

#include "contracts/KxPosModel.h"
#include "coupon/CouponWidgetInfo.h"

#include <QList>
#include <QString>

namespace KxPosTest {

// The code of function key `i` as the host numbers them: "F01", "F02", ...
QString functionCode(int i);

// `count` function keys numbered from 1, with the codes of functionCode() and
// the captions "功能<i>" and "Function <i>".
QList<dynMapButton> functionKeys(int count);

// A channel coupon worth 10.00: id `id`, code "code-<id>", name "券<id>", of
// `channel` ("MT" 美团, "DY" 抖音, any other code named as itself), with
// `children` sub-coupons "<id>-c0", "<id>-c1", ... of 10.00 each.
CouponWidgetInfo channelCoupon(const QString& id, const QString& channel = QStringLiteral("MT"),
                               int children = 0);

// A member with id `id`, phone 13812345678 and name 陈晓梅.
KxPosVipDetail sampleMember(const QString& id = QStringLiteral("8812"));

} // namespace KxPosTest
