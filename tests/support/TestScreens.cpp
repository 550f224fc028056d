#include "TestScreens.h"

#include "TestRecords.h"
#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"

#include <QDockWidget>
#include <QListView>
#include <QToolButton>
#include <QtTest>

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
    QTest::qWait(250); // the start of the first sale after showing has passed
    return screen;
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
    const QRect rect = delegate ? delegate->ItemAreaRect(area, view->visualRect(index), index) : QRect();
    if (rect.isEmpty())
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    return true;
}

} // namespace KxPosTest
