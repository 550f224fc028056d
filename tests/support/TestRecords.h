#pragma once
// Small records that several test programs hand to the screens.

#include "contracts/KxPosModel.h"
#include "coupon/CouponWidgetInfo.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <memory>

class TradeWidget;

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

// A sale line as the host binds it: line `lineNo` of product `code` named
// "商品<code>", `qty` `unit` at `price` each (both amounts qty × price), the
// quantity shown with `decimals` decimals.
KxPosPluDetail tradeLine(int lineNo, const QString& code, double qty, const QString& unit = QStringLiteral("个"),
                        double price = 2.5, int decimals = 2);

// `count` sale lines numbered from 1, of products 6901000, 6901001, ... with
// quantities 1, 2, ...
QList<KxPosPluDetail> tradeLines(int count);

// Hands `lines` to the sales screen as the host's rebind does (no clerks).
void bindTradeLines(TradeWidget* screen, QList<KxPosPluDetail> lines);

// What MessageWidget records under the offscreen platform, as (text, title)
// pairs, oldest first: what MessageWidget::History() is compared with.
using Messages = QList<QPair<QString, QString>>;

// The first arguments of the emissions a QSignalSpy recorded, as text.
QStringList firstArguments(const QList<QList<QVariant>>& emissions);

// A shown sales screen of `screenType` whose first sale, which showing
// starts 200 ms later, has begun (so that the lines a test binds stay).
std::unique_ptr<TradeWidget> startedTradeScreen(int screenType = 0);

} // namespace KxPosTest
