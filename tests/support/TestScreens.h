#pragma once
// Shown screens and their parts, for the test programs that drive the same
// area of a screen.

#include "coupon/CouponItemDelegate.h"

#include "contracts/KxPosModel.h"

#include <QList>

#include <memory>

class CouponUsageWidget;
class QAbstractItemView;
class QTimer;
class QToolButton;
class TradeWidget;

// The sales screen's own timers, looked at by the tests instead of waiting
// out their times: the pay key's guard and the customer display's idle time;
// and whether a new sale is due to start (from showing or a layout change
// until SignTrdStartTrade a moment later).
class TradeWidgetTestAccess
{
public:
    static const QTimer& payGuard(const TradeWidget& screen);
    static const QTimer& idleAd(const TradeWidget& screen);
    static bool saleStartPending(const TradeWidget& screen);
};

namespace KxPosTest {

// Waits until the shown windows and every widget shown in them keep their
// places and sizes for a tenth of a second, and every shown sales screen has
// the application size and has started its sale (a screen that cannot take
// that size counts once it kept still for a second). Layouts, queued resizes
// and an X server's answers take long on a loaded machine, so the wait allows
// `timeoutMs` and ends as soon as all is still; false when it never was.
bool waitUntilStill(int timeoutMs = 30000);

// Waits until the sales screen has started the sale it starts a moment after
// showing; fails the running test when it does not.
void waitForSaleStart(const TradeWidget* screen);

// A shown sales screen with the function keys functionKeys(count). The first
// ten go to the shortcut bar unless `barGiven`; then the host's own `bar`
// (possibly empty) is kept and the grid holds every function. Returns once
// the first sale after showing has started.
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
