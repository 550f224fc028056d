#pragma once
// State of the screens that they do not offer their hosts, read by the tests
// only: each of these screens names KxPosTestAccess its friend.

#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/SelectSpuWidget.h"
#include "presetkeys/SortPluManagement.h"

class KxPosTestAccess
{
public:
    // Coupon screen: the page shown, every coupon's products as delivered,
    // and the rows of a coupon weighed in this delivery.
    static int CurrentPage(const CouponUsageWidget& s) { return s.CurrentPage(); }
    static const CouponPluListMap& PluMap(const CouponUsageWidget& s) { return s.pluMap; }
    static QList<int> WeighedRows(const CouponUsageWidget& s, const QString& code) { return s.weighedRows.value(code); }
    // Deposit entry: the goods of the deposit being entered.
    static const QList<KxPosPluDetail>& PluList(const DepositPluWidget& s) { return s.pluList; }
    // Pick-up: the goods shown, with the quantities to collect as edited.
    static const QList<KxPosDepositPluDetail>& ShownLines(const GetDepositWidget& s) { return s.shownLines; }
    // Preset-key arrangement: the panel hosted now, or null.
    static PrePluGroupShowWidget* HostedPanel(const SortPluManagement& s) { return s.m_panel.data(); }
    // Option dialog: a grid's page and its keys in slot order (page key last).
    static int CurrentPage(const SelectSpuWidget& s, int grid) { return s.CurrentPage(grid); }
    static QList<QPushButton*> GridButtons(const SelectSpuWidget& s, int grid) { return s.GridButtons(grid); }
};
