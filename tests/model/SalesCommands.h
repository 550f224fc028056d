#pragma once
// Commands of the sequence test on the sales screen: scale readings, scans,
// suggestions, the quantity key, weighing the last line, ending the sale.

#include "ModelRig.h"

#include <algorithm>

namespace ModelSeq {

// --- Sales screen commands --------------------------------------------------------------

struct ScaleReading : Step {
    double weight = *rc::gen::element(-0.2, 0.0, 0.0004, 0.35, 1.2345, 2.0);
    bool stable = *rc::gen::weightedElement<bool>({{3, true}, {1, false}});
    void apply(Model& m) const override
    {
        m.scaleWeight = weight;
        m.scaleStable = stable;
    }
    void act(const Model&, Rig& r) const override
    {
        r.read(weight, stable);
    }
    void show(std::ostream& os) const override
    {
        os << "ScaleReading(" << weight << (stable ? " kg, stable)" : " kg, moving)");
    }
};

// The cashier types a code and presses Enter (a scanner does the same).
struct Scan : On<Screen::Sales> {
    int product = *rc::gen::inRange(0, ProductCount);
    void apply(Model& m) const override
    {
        const Product& p = Catalogue[product];
        double qty = m.salePreset > 0 ? m.salePreset : 1;
        if (p.weighed)
            qty = m.scaleStable && m.scaleWeight > 0 ? round3(m.scaleWeight) : 0.0;
        m.sale << SaleLine{product, qty};
        m.salePreset = 0;
    }
    void act(const Model&, Rig& r) const override
    {
        QLineEdit* box = r.sales->getUiQLineEdit(26);
        QTest::keyClicks(box, QString::fromUtf8(Catalogue[product].code));
        if (QAbstractItemView* popup = r.completer->popup())
            popup->hide(); // Enter confirms what was typed
        QTest::keyClick(box, Qt::Key_Return);
        RC_ASSERT(r.salesAdds == QStringList{QString::fromUtf8(Catalogue[product].code)});
        RC_ASSERT(r.depositAdds.isEmpty());
    }
    void show(std::ostream& os) const override { os << "Scan(" << Catalogue[product].code << ")"; }
};

// A suggestion tapped on the sales screen; the hidden deposit list, which
// shares the completer, must not take it.
struct SalesSuggestion : On<Screen::Sales> {
    int product = *rc::gen::inRange(0, PackagedCount);
    void apply(Model& m) const override
    {
        m.sale << SaleLine{product, m.salePreset > 0 ? m.salePreset : 1};
        m.salePreset = 0;
    }
    void act(const Model&, Rig& r) const override
    {
        const QString code = QString::fromUtf8(Catalogue[product].code);
        QLineEdit* box = r.sales->getUiQLineEdit(26);
        box->setFocus();
        QTest::keyClicks(box, code.left(3));
        QAbstractItemView* popup = r.completer->popup();
        // The sales screen opens its list once the line has settled.
        RC_ASSERT(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
        const QModelIndexList found =
            popup->model()->match(popup->model()->index(0, 0), Qt::DisplayRole, code, 1, Qt::MatchExactly);
        RC_ASSERT(found.size() == 1);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(found.first()).center());
        RC_ASSERT(r.salesAdds == QStringList{code});
        RC_ASSERT(r.depositAdds.isEmpty());
    }
    void show(std::ostream& os) const override { os << "SalesSuggestion(" << Catalogue[product].code << ")"; }
};

struct SalesQuantity : On<Screen::Sales> {
    std::string typed = *rc::gen::element<std::string>("2", "3", "0", "0.5", "999999", "1000000");
    int refusal(const Model& m) const
    {
        const double v = QString::fromStdString(typed).toDouble();
        if (v == 0)
            return 1903;
        if (m.saleLastOpen())
            return 1904;
        if (v > 999999)
            return 604;
        return 0;
    }
    void apply(Model& m) const override
    {
        if (refusal(m) == 0)
            m.salePreset = QString::fromStdString(typed).toDouble();
    }
    void act(const Model& m, Rig& r) const override
    {
        QLineEdit* box = r.sales->getUiQLineEdit(26);
        QTest::keyClicks(box, QString::fromStdString(typed));
        if (QAbstractItemView* popup = r.completer->popup())
            popup->hide();
        QTest::mouseClick(KxPosTest::child<QPushButton>(r.sales.get(), "btnUpdNum"), Qt::LeftButton);
        const int expected = refusal(m);
        RC_ASSERT(messages() == (expected ? QStringList{tr(expected)} : QStringList()));
        box->clear();
    }
    void show(std::ostream& os) const override { os << "SalesQuantity(" << typed << ")"; }
};

// Enter on an empty code box weighs a line that waits for its weight.
struct WeighLast : On<Screen::Sales> {
    bool sends(const Model& m) const { return m.saleLastOpen(); }
    void apply(Model& m) const override
    {
        if (m.salePreset != 0 || m.sale.isEmpty() || m.sale.last().qty != 0)
            return;
        if (m.stableWeight() > 0)
            m.sale.last().qty = m.stableWeight();
    }
    void act(const Model& m, Rig& r) const override
    {
        QLineEdit* box = r.sales->getUiQLineEdit(26);
        box->clear();
        QTest::keyClick(box, Qt::Key_Return);
        RC_ASSERT(r.weightsSent.size() == (sends(m) ? 1 : 0));
        if (sends(m))
            RC_ASSERT(same(r.weightsSent.first(), m.stableWeight()));
    }
    void show(std::ostream& os) const override { os << "WeighLast"; }
};

// The host ends the sale: paid when every weighed line has its weight and no
// coupon's use is in doubt. The coupons that paid are spent, not cancelled.
struct PayOrNewSale : On<Screen::Sales> {
    bool payable(const Model& m) const
    {
        for (const SaleLine& l : m.sale) {
            if (l.qty <= 0)
                return false;
        }
        return !m.couponInDoubt();
    }
    void apply(Model& m) const override
    {
        if (!payable(m))
            return;
        if (!m.sale.isEmpty())
            ++m.salesPaid;
        m.sale.clear();
        m.salePreset = 0;
        m.coupons.clear();
    }
    void act(const Model& m, Rig& r) const override
    {
        bool weighedAll = true;
        for (const KxPosPluDetail& l : r.saleLines)
            weighedAll = weighedAll && l.saleQty > 0;
        const QList<CouponWidgetInfo> rows = r.coupon->GetCouponWidgetData();
        const bool inDoubt = std::any_of(rows.cbegin(), rows.cend(), [](const CouponWidgetInfo& c) {
            return c.status == CouponWidgetInfo::StatusInDoubt;
        });
        RC_ASSERT((weighedAll && !inDoubt) == payable(m));
        if (weighedAll && !inDoubt) {
            r.spent << r.coupon->GetUsedCouponIdList();
            r.coupon->ClearData(); // paid: the coupons are spent, nothing is cancelled
            r.newSale();
        }
        RC_ASSERT(r.cancelRequests.isEmpty() && r.useRequests.isEmpty());
    }
    void show(std::ostream& os) const override { os << "PayOrNewSale"; }
};

} // namespace ModelSeq
