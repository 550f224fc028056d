#include "TestRecords.h"

namespace KxPosTest {

QString functionCode(int i)
{
    return QStringLiteral("F%1").arg(i, 2, 10, QLatin1Char('0'));
}

QList<dynMapButton> functionKeys(int count)
{
    QList<dynMapButton> list;
    for (int i = 1; i <= count; ++i) {
        dynMapButton f;
        f.funcId = QString::number(i);
        f.funcCode = functionCode(i);
        f.funcName = QStringLiteral("功能%1").arg(i);
        f.funcNameEn = QStringLiteral("Function %1").arg(i);
        list << f;
    }
    return list;
}

CouponWidgetInfo channelCoupon(const QString& id, const QString& channel, int children)
{
    CouponWidgetInfo c;
    c.couponId = id;
    c.couponCode = QStringLiteral("code-") + id;
    c.couponName = QStringLiteral("券") + id;
    c.channelCode = channel;
    c.channelName = channel == QLatin1String("MT") ? QStringLiteral("美团")
        : channel == QLatin1String("DY")           ? QStringLiteral("抖音")
                                                   : channel;
    c.couponAmount = 10.0;
    for (int i = 0; i < children; ++i) {
        CouponBaseInfo child;
        child.couponId = id + QStringLiteral("-c%1").arg(i);
        child.couponCode = c.couponCode;
        child.couponAmount = 10.0;
        c.childCoupons << child;
    }
    return c;
}

KxPosVipDetail sampleMember(const QString& id)
{
    KxPosVipDetail m;
    m.vipId = id;
    m.vipPhone = QStringLiteral("13812345678");
    m.vipName = QStringLiteral("陈晓梅");
    return m;
}

} // namespace KxPosTest
