// Growth cases: work that piles up during a day of trading. Each runs at a
// full size and at a tenth of it; the time of the full run over the tenth's
// is the growth factor (10 for work that grows linearly).

#include "BenchData.h"

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"

#include <QImage>
#include <QMap>
#include <QPushButton>
#include <QTableView>

#include <functional>

namespace KxPosBench {

namespace {

// Runs `work(size)` at `full` and at a tenth of it, `prepare(size)` first
// (not measured), and adds the case.
void addGrowth(Table& table, const QString& name, const QString& key, int full,
               const std::function<void(int)>& prepare, const std::function<void(int)>& work, double perActionLimit = 0)
{
    const int runs = 5;
    Growth g;
    g.name = name;
    g.actions = full;
    if (perActionLimit > 0) {
        g.perAction = true;
        g.limit = perActionLimit;
    }
    g.fullMs = measure(key + QStringLiteral("_full"), {[&] { prepare(full); }, [&] { work(full); }}, runs);
    g.tenthMs = measure(key + QStringLiteral("_tenth"), {[&] { prepare(full / 10); }, [&] { work(full / 10); }},
                        runs);
    table.add(g);
}

// The host hands the whole sale to the screen after every scan, so each scan
// looks at every line; what it does beyond that must not grow.
void scannedSale(Table& table)
{
    auto screen = shownTradeScreen();
    const int full = counting() ? 300 : 1000;
    QList<KxPosPluDetail> lines;
    addGrowth(
        table, QStringLiteral("sale of %1 lines, scanned one by one").arg(full), QStringLiteral("growth_scan"), full,
        [&](int) {
            lines.clear();
            screen->rebindModel(lines, {});
        },
        [&](int size) {
            for (int i = 0; i < size; ++i) {
                lines << saleLine(i);
                screen->rebindModel(lines, {});
            }
        },
        // A scan at the end of the long sale costs at most twice one at the
        // end of the short sale.
        2.0);
}

// A sale is held under bill 02 and recalled under bill 01, as the host does
// it: it parks the sale, shows the other bill's sale and marks the bill.
void heldBills(Table& table)
{
    auto screen = shownTradeScreen();
    const int full = counting() ? 100 : 500;
    QMap<int, QList<KxPosPluDetail>> parked; // every held bill of the day
    QList<KxPosPluDetail> current;
    int sale = 0;
    QObject::connect(screen.get(), &TradeWidget::SignTrdSelectBill, screen.get(), [&](const QString& bill) {
        QList<KxPosPluDetail> shown;
        if (bill == QLatin1String("02"))
            parked.insert(sale, current); // held: bill 02 has nothing yet
        else
            shown = parked.value(sale); // recalled
        screen->rebindModel(shown, {});
        screen->UpdateBtnBillNumber(bill);
    });
    auto* hold = screen->findChild<QPushButton*>(QStringLiteral("btnBill02"));
    auto* recall = screen->findChild<QPushButton*>(QStringLiteral("btnBill01"));
    addGrowth(
        table, QStringLiteral("%1 bills held and recalled").arg(full), QStringLiteral("growth_bills"), full,
        [&](int) {
            parked.clear();
            current.clear();
            screen->rebindModel(current, {});
        },
        [&](int size) {
            for (sale = 0; sale < size; ++sale) {
                current.clear();
                for (int i = 0; i < 4; ++i) {
                    current << saleLine(i);
                    current.last().pluCode = QStringLiteral("%1-%2").arg(sale).arg(i);
                }
                screen->rebindModel(current, {});
                hold->click();
                recall->click();
            }
        });
}

// Exchange mode: every coupon is looked up among those listed, then added.
void couponList(Table& table)
{
    const int full = counting() ? 200 : 500;
    KxPosConfig::m_isCouponForDeduct = false;
    const QList<CouponWidgetInfo> coupons = KxPosBench::coupons(full, QLatin1Char('E'), QStringLiteral("兑换券%1 可乐一瓶"), 3.5);
    std::unique_ptr<CouponUsageWidget> screen;
    addGrowth(
        table, QStringLiteral("%1 coupons listed, exchange mode").arg(full), QStringLiteral("growth_coupons"), full,
        [&](int) {
            screen.reset();
            screen = std::make_unique<CouponUsageWidget>(nullptr);
            screen->Show(false);
        },
        [&](int size) {
            for (int i = 0; i < size; ++i)
                screen->AddCouponInfo(coupons.at(i), true);
        });
    screen.reset();
    KxPosConfig::m_isCouponForDeduct = true;
}

// The order list is shown, then the cashier steps through every order, the
// list painted after each step.
void onlineOrders(Table& table)
{
    auto screen = shownTradeScreen();
    const int full = counting() ? 200 : 2000;
    QList<OrderDetail> orders;
    for (int i = 0; i < full; ++i)
        orders << order(i);
    QList<OrderDetail> shown;
    auto* view = screen->findChild<QTableView*>(QStringLiteral("tbvOrder"));
    auto* down = screen->findChild<QPushButton*>(QStringLiteral("btnOrderDown"));
    screen->ShowOrderWidget(orders.mid(0, 1), 1);
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    addGrowth(
        table, QStringLiteral("%1 online orders, stepped through").arg(full), QStringLiteral("growth_orders"), full,
        [&](int size) { shown = orders.mid(0, size); },
        [&](int size) {
            screen->showOrderList(shown, 1);
            for (int i = 1; i < size; ++i) {
                down->click();
                view->viewport()->render(&image);
            }
        });
}

} // namespace

void benchGrowth(Table& table)
{
    scannedSale(table);
    heldBills(table);
    couponList(table);
    onlineOrders(table);
}

} // namespace KxPosBench
