#pragma once
// Inputs and screens shared by the benchmark cases.

#include "BenchHarness.h"

#include "contracts/KxPosModel.h"
#include "coupon/CouponWidgetInfo.h"
#include "trade/OrderDetail.h"

#include <memory>

class TradeWidget;

namespace KxPosBench {
// Sale line number `i` (0-based): a product of its own, quantities and
// prices that vary from line to line.
KxPosPluDetail saleLine(int i);
// `count` coupons of one channel, numbered from 0: id `prefix` and the
// number, code "code-" and the id, the name `nameFormat` with the number.
QList<CouponWidgetInfo> coupons(int count, QChar prefix, const QString& nameFormat, double amount);
// Online order number `i`.
OrderDetail order(int i);
// A sales screen, shown and past its start-of-trade request, with
// `functions` function keys in its grid.
std::unique_ptr<TradeWidget> shownTradeScreen(int functions = 0);
// What grows during a day: long sales scanned line by line, held bills,
// coupon lists, online orders.
void benchGrowth(Table& table);
} // namespace KxPosBench
