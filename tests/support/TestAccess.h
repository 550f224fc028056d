#pragma once
// State of the screens that they do not offer their hosts, read by the tests
// and the fuzz targets only: each of these screens and delegates names
// KxPosTestAccess its friend.

#include "contracts/KeyBoardWidget.h"
#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/CustomerInfoWidget.h"
#include "options/SelectSpuWidget.h"
#include "presetkeys/SortPluManagement.h"
#include "trade/StandardDelegate.h"

class KxPosTestAccess
{
public:
    // Coupon screen: the page shown, every coupon's products as delivered,
    // and the rows of a coupon weighed in this delivery.
    static int CurrentPage(const CouponUsageWidget& s) { return s.CurrentPage(); }
    static const CouponPluListMap& PluMap(const CouponUsageWidget& s) { return s.pluMap; }
    static QList<int> WeighedRows(const CouponUsageWidget& s, const QString& code) { return s.weighedRows.value(code); }
    // Coupon screen: the channel in use and the channel bar's page, the
    // selected row of the pack-contents table, and the main coupons whose
    // use results are cached.
    static QString ChannelCode(const CouponUsageWidget& s) { return s.currentChannelCode; }
    static int ChannelPage(const CouponUsageWidget& s) { return s.channelPage; }
    static int PackPluRow(const CouponUsageWidget& s) { return s.packPluRow; }
    static QStringList CachedMainCouponIds(const CouponUsageWidget& s) { return s.useCache.uniqueKeys(); }
    // Coupon list rows: where an area of the row at `index` lies when the
    // row occupies `rowRect` (empty when the row has no such area).
    static QRect ItemAreaRect(const CouponItemDelegate& d, CouponItemDelegate::ItemArea area, const QRect& rowRect,
                              const QModelIndex& index)
    {
        return d.ItemAreaRect(area, rowRect, index);
    }
    // Deposit entry: the goods of the deposit being entered.
    static const QList<KxPosPluDetail>& PluList(const DepositPluWidget& s) { return s.pluList; }
    // Pick-up: the goods shown, with the quantities to collect as edited,
    // and the index of the order shown (-1 before the first initValue()).
    static const QList<KxPosDepositPluDetail>& ShownLines(const GetDepositWidget& s) { return s.shownLines; }
    static int CurrentOrder(const GetDepositWidget& s) { return s.currentOrder; }
    // Pick-up quantity entry: the largest quantity it accepts.
    static double MaxQuantity(const DepositPluNumbInputWidget& s) { return s.maxQuantity; }
    // Preset-key arrangement: the panel hosted now, or null.
    static PrePluGroupShowWidget* HostedPanel(const SortPluManagement& s) { return s.m_panel.data(); }
    // Option dialog: a grid's page and its keys in slot order (page key last).
    static int CurrentPage(const SelectSpuWidget& s, int grid) { return s.CurrentPage(grid); }
    static QList<QPushButton*> GridButtons(const SelectSpuWidget& s, int grid) { return s.GridButtons(grid); }
    static int RowCount(const SelectSpuWidget& s, int grid) { return s.RowCount(grid); }
    static QPushButton* PageKey(const SelectSpuWidget& s, int grid) { return s.PageKey(grid); }
    // Customer form: whether exec() runs, the area tree loaded, the keyboard.
    static bool IsRunning(const CustomerInfoWidget& s) { return s.isRunning(); }
    static const QList<CustomerInfoWidget::Province>& Provinces(const CustomerInfoWidget& s) { return s.provinces; }
    static KeyBoardWidget* KeyBoard(const CustomerInfoWidget& s) { return s.keyboard; }
    // Sale-line delegate: picture positions of the last painting, in the
    // view's coordinates, or NoPosition before a picture was drawn.
    static constexpr int NoPosition = StandardDelegate::NoPosition;
    static int RemovePosition(const StandardDelegate& d) { return d.m_removeX; }
    static int MinusPosition(const StandardDelegate& d) { return d.m_minusX; }
    static int PlusPosition(const StandardDelegate& d) { return d.m_plusX; }
};
