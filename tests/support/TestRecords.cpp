#include "TestRecords.h"

#include "trade/TradeWidget.h"

#include <QSignalSpy>

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

KxPosPluDetail tradeLine(int lineNo, const QString& code, double qty, const QString& unit, double price, int decimals)
{
    KxPosPluDetail l;
    l.lineNo = lineNo;
    l.pluCode = code;
    l.pluName = QStringLiteral("商品") + code;
    l.saleQty = qty;
    l.quantityDecimals = decimals;
    l.salePrice = price;
    l.lineAmount = qty * price;
    l.amountA = l.lineAmount;
    l.unitName = unit;
    return l;
}

QList<KxPosPluDetail> tradeLines(int count)
{
    QList<KxPosPluDetail> lines;
    for (int i = 0; i < count; ++i)
        lines << tradeLine(i + 1, QString::number(6901000 + i), i + 1);
    return lines;
}

void bindTradeLines(TradeWidget* screen, QList<KxPosPluDetail> lines)
{
    screen->rebindModel(lines, {});
}

QStringList firstArguments(const QList<QList<QVariant>>& emissions)
{
    QStringList out;
    for (const QList<QVariant>& args : emissions)
        out << args.value(0).toString();
    return out;
}

std::unique_ptr<TradeWidget> startedTradeScreen(int screenType)
{
    auto screen = std::make_unique<TradeWidget>(screenType, nullptr);
    QSignalSpy started(screen.get(), &TradeWidget::SignTrdStartTrade);
    screen->show();
    if (!started.wait(1000))
        qFatal("the sales screen did not start its sale");
    return screen;
}

} // namespace KxPosTest
