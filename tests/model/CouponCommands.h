#pragma once
// Commands of the sequence test on the coupon screen (deduction mode) and the
// held bills: search answers (also for a coupon already listed), confirm with
// the service's answer (used, refused, in doubt), voiding the sale, holding it
// and recalling a held one. The service uses a coupon at most once; a coupon
// that paid for goods is never cancelled; a held bill keeps its own lines and
// coupons.

#include "TestAccess.h"
#include "ModelRig.h"

#include "TestCoupons.h"

#include "coupon/CouponItemDelegate.h"

#include <QListView>

#include <algorithm>

namespace ModelSeq {

inline const char* const CouponIds[] = {"A", "B", "C"};
constexpr int CouponCount = 3;

// The host's answer to a search: the coupon, whether or not it is listed.
struct CouponSearch : On<Screen::Sales> {
    int coupon = *rc::gen::inRange(0, CouponCount);
    void apply(Model& m) const override
    {
        // A listed coupon keeps its row as it is (used, in doubt and handed
        // over included); an unused one gets the answer's data, ticked.
        const int row = m.couponRow(QLatin1String(CouponIds[coupon]));
        if (row < 0)
            m.coupons << CouponRow{QLatin1String(CouponIds[coupon])};
        else if (m.coupons.at(row).state == CouponState::Unused && !m.coupons.at(row).added)
            m.coupons[row].ticked = true;
    }
    void act(const Model&, Rig& r) const override
    {
        r.coupon->AddCouponInfo(KxPosTest::deductCoupon(QLatin1String(CouponIds[coupon])), false);
        RC_ASSERT(r.useRequests.isEmpty() && r.cancelRequests.isEmpty());
    }
    void show(std::ostream& os) const override { os << "CouponSearch(" << CouponIds[coupon] << ")"; }
};

struct CouponConfirm : On<Screen::Sales> {
    Rig::UseAnswer answer = *rc::gen::element(Rig::UseSucceeds, Rig::UseFails, Rig::UseInDoubt);
    // What the confirm hands over; refused (message) when empty of rows or
    // when a coupon is in doubt.
    int refusal(const Model& m) const
    {
        bool ticked = false;
        for (const CouponRow& c : m.coupons) {
            if (c.ticked && c.state == CouponState::InDoubt)
                return 7206;
            ticked = ticked || c.ticked;
        }
        return ticked ? 0 : 2279;
    }
    QStringList expected(const Model& m) const
    {
        QStringList ids;
        for (const CouponRow& c : m.coupons) {
            if (c.ticked && c.state == CouponState::Unused && !c.added)
                ids << c.id;
        }
        return ids;
    }
    void apply(Model& m) const override
    {
        if (refusal(m) != 0 || answer == Rig::UseFails)
            return;
        for (const QString& id : expected(m)) {
            if (m.serviceUses.value(id) > 0)
                continue;
            m.serviceUses[id] = 1;
            CouponRow& row = m.coupons[m.couponRow(id)];
            row.state = answer == Rig::UseSucceeds ? CouponState::Used : CouponState::InDoubt;
        }
        // The host marks the ticked, used rows as handed over.
        if (answer == Rig::UseSucceeds) {
            for (CouponRow& c : m.coupons) {
                if (c.ticked && c.state == CouponState::Used)
                    c.added = true;
            }
        }
    }
    void act(const Model& m, Rig& r) const override
    {
        r.useAnswer = answer;
        QTest::mouseClick(KxPosTest::child<QPushButton>(r.coupon.get(), "btnConfirm"), Qt::LeftButton);
        if (const int refused = refusal(m)) {
            RC_ASSERT(r.useRequests.isEmpty());
            RC_ASSERT(messages().size() == 1);
            RC_ASSERT(messages().first().startsWith(tr(refused).section(QLatin1Char('%'), 0, 0)));
        } else {
            RC_ASSERT(r.useRequests == QList<QStringList>{expected(m)});
        }
        RC_ASSERT(r.cancelRequests.isEmpty());
    }
    void show(std::ostream& os) const override
    {
        os << "CouponConfirm(service " << (answer == Rig::UseSucceeds ? "uses" : answer == Rig::UseFails ? "refuses" : "leaves it in doubt")
           << ")";
    }
};

// The cashier taps a part of a coupon's row in the list.
inline void tapCouponRow(Rig& r, int row, CouponItemDelegate::ItemArea area)
{
    auto* list = KxPosTest::child<QListView>(r.coupon.get(), "lvCoupon");
    auto* delegate = qobject_cast<CouponItemDelegate*>(list->itemDelegate());
    RC_ASSERT(delegate != nullptr);
    const QModelIndex index = list->model()->index(row, 0);
    const QRect rect = KxPosTestAccess::ItemAreaRect(*delegate, area, list->visualRect(index), index);
    RC_ASSERT(rect.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// The tick box: a coupon handed over or used keeps its tick.
struct CouponTick : On<Screen::Sales> {
    int row = *rc::gen::inRange(0, CouponCount);
    void allowed(const Model& m) const override { RC_PRE(row < m.coupons.size()); }
    void apply(Model& m) const override
    {
        CouponRow& c = m.coupons[row];
        if (!c.added && c.state != CouponState::Used)
            c.ticked = !c.ticked;
    }
    void act(const Model&, Rig& r) const override
    {
        tapCouponRow(r, row, CouponItemDelegate::TickArea);
        RC_ASSERT(r.useRequests.isEmpty() && r.cancelRequests.isEmpty());
    }
    void show(std::ostream& os) const override { os << "CouponTick(row " << row << ")"; }
};

// The row's action key: removes an unused coupon, refreshes one in doubt
// (the service says it is used), cancels a used one (the service frees it).
struct CouponAction : On<Screen::Sales> {
    int row = *rc::gen::inRange(0, CouponCount);
    void allowed(const Model& m) const override { RC_PRE(row < m.coupons.size()); }
    void apply(Model& m) const override
    {
        CouponRow& c = m.coupons[row];
        switch (c.state) {
        case CouponState::Unused:
            m.coupons.removeAt(row);
            break;
        case CouponState::InDoubt:
            c.state = CouponState::Used;
            for (CouponRow& other : m.coupons) {
                if (other.ticked && other.state == CouponState::Used)
                    other.added = true;
            }
            break;
        case CouponState::Used:
            m.serviceUses.remove(c.id);
            c.state = CouponState::Unused;
            c.ticked = false;
            break;
        }
    }
    void act(const Model& m, Rig& r) const override
    {
        QuestionMessage::QueueAnswers({1});
        tapCouponRow(r, row, CouponItemDelegate::ActionArea);
        const CouponRow& c = m.coupons.at(row);
        RC_ASSERT(r.useRequests.isEmpty());
        RC_ASSERT(r.cancelRequests == (c.state == CouponState::Used ? QList<QStringList>{{c.id}} : QList<QStringList>()));
    }
    void show(std::ostream& os) const override { os << "CouponAction(row " << row << ")"; }
};

// The sale is abandoned: every coupon it used (or may have used) is cancelled.
struct VoidSale : On<Screen::Sales> {
    QStringList expected(const Model& m) const
    {
        QStringList ids;
        for (const CouponRow& c : m.coupons) {
            if (c.state != CouponState::Unused)
                ids << c.id;
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    void apply(Model& m) const override
    {
        for (const QString& id : expected(m))
            m.serviceUses.remove(id);
        m.coupons.clear();
        m.sale.clear();
        m.salePreset = 0;
    }
    void act(const Model& m, Rig& r) const override
    {
        r.coupon->UnuseAndClearData(false);
        r.newSale();
        QList<QStringList> cancelled = r.cancelRequests;
        for (QStringList& ids : cancelled)
            std::sort(ids.begin(), ids.end());
        RC_ASSERT(cancelled == (expected(m).isEmpty() ? QList<QStringList>() : QList<QStringList>{expected(m)}));
        RC_ASSERT(r.useRequests.isEmpty());
    }
    void show(std::ostream& os) const override { os << "VoidSale"; }
};

// The host holds the sale (its lines and coupons) and rings a new one.
struct HoldBill : On<Screen::Sales> {
    void allowed(const Model& m) const override
    {
        RC_PRE(m.bills.size() < 3);
        RC_PRE(!m.sale.isEmpty() || !m.coupons.isEmpty());
    }
    void apply(Model& m) const override
    {
        m.bills << HeldBill{m.sale, m.coupons};
        m.sale.clear();
        m.coupons.clear();
        m.salePreset = 0;
    }
    void act(const Model&, Rig& r) const override
    {
        r.bills << Rig::Bill{r.saleLines, r.coupon->TakeSaleState()};
        r.newSale();
        RC_ASSERT(r.useRequests.isEmpty() && r.cancelRequests.isEmpty());
    }
    void show(std::ostream& os) const override { os << "HoldBill"; }
};

// A held bill comes back into an empty sale, whole.
struct RecallBill : On<Screen::Sales> {
    int bill = *rc::gen::inRange(0, 3);
    void allowed(const Model& m) const override
    {
        RC_PRE(bill < m.bills.size());
        RC_PRE(m.sale.isEmpty() && m.coupons.isEmpty());
    }
    void apply(Model& m) const override
    {
        const HeldBill held = m.bills.takeAt(bill);
        m.sale = held.sale;
        m.coupons = held.coupons;
        m.salePreset = 0;
    }
    void act(const Model&, Rig& r) const override
    {
        const Rig::Bill held = r.bills.takeAt(bill);
        r.saleLines = held.lines;
        r.sales->rebindModel(r.saleLines, {});
        RC_ASSERT(r.coupon->RestoreSaleState(held.coupons));
        RC_ASSERT(r.useRequests.isEmpty() && r.cancelRequests.isEmpty());
    }
    void show(std::ostream& os) const override { os << "RecallBill(" << bill << ")"; }
};

} // namespace ModelSeq
