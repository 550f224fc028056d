#pragma once
// Shown screens and their parts, for the test programs that drive the same
// area of a screen.

#include "coupon/CouponItemDelegate.h"

#include "contracts/KxPosModel.h"

#include <QList>

#include <memory>

class CouponUsageWidget;
class QAbstractItemView;
class QToolButton;
class TradeWidget;

namespace KxPosTest {

// A shown sales screen with the function keys functionKeys(count). The first
// ten go to the shortcut bar unless `barGiven`; then the host's own `bar`
// (possibly empty) is kept and the grid holds every function. Returns once
// the start of the first sale after showing has passed.
std::unique_ptr<TradeWidget> functionKeyScreen(int count, bool barGiven = false,
                                               const QList<dynMapButton>& bar = {});

// Shortcut key `n` (1 to 10) of the sales screen's bar; null when missing.
QToolButton* shortcutKey(TradeWidget* screen, int n);

// Opens the dock of the function grid with the "more" key unless it is open
// already; fails the test when it does not show.
void openFunctionGrid(TradeWidget* screen);

// A shown coupon screen in deduction (`deduct`) or exchange mode; `channels`,
// when not null, is first stored as the TRADE_CertificateChannel setting.
std::unique_ptr<CouponUsageWidget> couponScreen(bool deduct, const QString& channels = QString());

// Taps the cell (`row`, `column`) of a view as the cashier does, `across`
// of the way into its width (the middle; less to miss a delegate's buttons).
void tapCell(QAbstractItemView* view, int row, int column, double across = 0.5);

// Taps `area` (tick, minus, plus, row button) of coupon row `row` of the
// coupon screen's list; false when the row does not show that area.
bool tapCouponArea(CouponUsageWidget* screen, int row, CouponItemDelegate::ItemArea area);

} // namespace KxPosTest
