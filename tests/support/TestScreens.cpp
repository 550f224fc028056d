#include "TestAccess.h"
#include "TestScreens.h"

#include "TestRecords.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QListView>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

const QTimer& TradeWidgetTestAccess::payGuard(const TradeWidget& screen) { return screen.payGuardTimer; }
const QTimer& TradeWidgetTestAccess::idleAd(const TradeWidget& screen) { return screen.customerAdTimer; }
bool TradeWidgetTestAccess::saleStartPending(const TradeWidget& screen) { return screen.startTradePending; }

namespace KxPosTest {

std::unique_ptr<TradeWidget> functionKeyScreen(int count, bool barGiven, const QList<dynMapButton>& bar)
{
    auto screen = std::make_unique<TradeWidget>(0, nullptr);
    screen->gridFunctions = functionKeys(count);
    if (barGiven) {
        screen->shortcutsGiven = 1;
        screen->shortcutFunctions = bar;
    }
    screen->InitFuncArea();
    screen->show();
    waitForSaleStart(screen.get());
    return screen;
}

void waitForSaleStart(const TradeWidget* screen)
{
    if (!QTest::qWaitFor([screen] { return !TradeWidgetTestAccess::saleStartPending(*screen); }, 10000))
        QTest::qFail("the sales screen did not start its sale", __FILE__, __LINE__);
}

namespace {
// Where every shown window and shown widget is (and how long the header
// sections are, which views fit to their width), and whether every shown
// sales screen has the application size and a started sale.
struct Scene {
    QVector<QRect> places;
    QVector<int> sections;
    bool salesReady = true;
    bool operator==(const Scene& o) const { return places == o.places && sections == o.sections && salesReady == o.salesReady; }
};

Scene scene()
{
    Scene s;
    QList<QWidget*> windows = QApplication::topLevelWidgets();
    // The window list comes from a hash: a fixed order makes two scenes comparable.
    std::sort(windows.begin(), windows.end());
    const QSize app(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    for (QWidget* window : qAsConst(windows)) {
        if (!window->isVisible())
            continue;
        s.places << window->frameGeometry();
        if (auto* sales = qobject_cast<TradeWidget*>(window))
            s.salesReady = s.salesReady && sales->size() == app && !TradeWidgetTestAccess::saleStartPending(*sales);
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            s.places << w->geometry();
            if (auto* header = qobject_cast<QHeaderView*>(w))
                s.sections << header->length();
        }
    }
    return s;
}
} // namespace

bool waitUntilStill(int timeoutMs)
{
    QElapsedTimer total, still;
    total.start();
    still.start();
    Scene last = scene();
    while (total.elapsed() < timeoutMs) {
        QTest::qWait(10);
        // On a loaded machine the wait may end right after a label got a new
        // text (the clock's tick) and before its layout ran: the places would
        // look still while the label has yet to grow.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const Scene now = scene();
        if (!(now == last)) {
            last = now;
            still.restart();
        } else if (still.elapsed() >= 100 && (now.salesReady || still.elapsed() >= 1000)) {
            return true;
        }
    }
    return false;
}

QToolButton* shortcutKey(TradeWidget* screen, int n)
{
    return screen->findChild<QToolButton*>(QStringLiteral("toolButtonKey%1").arg(n));
}

void openFunctionGrid(TradeWidget* screen)
{
    QDockWidget* dock = screen->getUiQDockWidget(22);
    if (dock->isHidden())
        clickChild(screen, "toolButtonKeyMore");
    QVERIFY(dock->isVisible());
}

std::unique_ptr<CouponUsageWidget> couponScreen(bool deduct, const QString& channels)
{
    KxPosConfig::m_isCouponForDeduct = deduct;
    if (!channels.isNull())
        KxPosConfig::SetValue(QStringLiteral("TRADE_CertificateChannel"), channels);
    auto screen = std::make_unique<CouponUsageWidget>(nullptr);
    screen->Show(false);
    return screen;
}

void tapCell(QAbstractItemView* view, int row, int column, double across)
{
    const QRect rect = view->visualRect(view->model()->index(row, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(rect.left() + int(rect.width() * across), rect.center().y()));
}

bool tapCouponArea(CouponUsageWidget* screen, int row, CouponItemDelegate::ItemArea area)
{
    auto* view = child<QListView>(screen, "lvCoupon");
    auto* delegate = qobject_cast<CouponItemDelegate*>(view->itemDelegate());
    const QModelIndex index = view->model()->index(row, 0);
    const QRect rect = delegate ? KxPosTestAccess::ItemAreaRect(*delegate, area, view->visualRect(index), index) : QRect();
    if (rect.isEmpty())
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    return true;
}

} // namespace KxPosTest
