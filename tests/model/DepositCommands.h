#pragma once
// Commands of the sequence test on the deposit list and the pick-up screen.

#include "ModelRig.h"

namespace ModelSeq {

// --- Deposit list commands --------------------------------------------------------------

struct OpenDeposit : On<Screen::Sales> {
    void apply(Model& m) const override
    {
        m.screen = Screen::Deposit;
        // Each entry starts a new deposit.
        m.depLines.clear();
        m.depPreset = 0;
        m.depPlaceholder = false;
        m.depMember = false;
    }
    void act(const Model&, Rig& r) const override
    {
        r.deposit->show();
        r.deposit->initValue();
    }
    void show(std::ostream& os) const override { os << "OpenDeposit"; }
};

struct LeaveDeposit : On<Screen::Deposit> {
    void apply(Model& m) const override
    {
        if (!m.depLines.isEmpty())
            return; // refused: the list must be emptied first
        m.screen = Screen::Sales;
        m.depPreset = 0;
        m.depPlaceholder = false;
    }
    void act(const Model& m, Rig& r) const override
    {
        QTest::mouseClick(r.deposit->getUiQPushButton(11), Qt::LeftButton);
        RC_ASSERT(messages() == (m.depLines.isEmpty() ? QStringList() : QStringList{tr(2301)}));
    }
    void show(std::ostream& os) const override { os << "LeaveDeposit"; }
};

// The cashier types the first digits and taps a suggestion.
struct DepositSuggestion : On<Screen::Deposit> {
    int product = *rc::gen::inRange(0, PackagedCount);
    void apply(Model& m) const override
    {
        m.depLines << DepLine{product, m.depPreset > 0 ? m.depPreset : 1};
        m.depPreset = 0;
        m.depPlaceholder = false;
    }
    void act(const Model&, Rig& r) const override
    {
        const QString code = QString::fromUtf8(Catalogue[product].code);
        for (const QChar c : code.left(3))
            QTest::mouseClick(r.deposit->getUiQPushButton(14 + (c.unicode() - '0')), Qt::LeftButton);
        QAbstractItemView* popup = r.completer->popup();
        RC_ASSERT(popup->isVisible());
        const QModelIndexList found =
            popup->model()->match(popup->model()->index(0, 0), Qt::DisplayRole, code, 1, Qt::MatchExactly);
        RC_ASSERT(found.size() == 1);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(found.first()).center());
        RC_ASSERT(r.depositAdds == QStringList{code});
        RC_ASSERT(r.salesAdds.isEmpty());
    }
    void show(std::ostream& os) const override { os << "DepositSuggestion(" << Catalogue[product].code << ")"; }
};

// The host hands its (shared) completer to a screen again.
struct HandOverCompleter : Step {
    bool toDeposit = *rc::gen::arbitrary<bool>();
    void act(const Model&, Rig& r) const override
    {
        QObject* target = toDeposit ? static_cast<QObject*>(r.deposit.get()) : r.sales.get();
        RC_ASSERT(QMetaObject::invokeMethod(target, "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, r.completer.get())));
    }
    void show(std::ostream& os) const override { os << "HandOverCompleter(" << (toDeposit ? "deposit" : "sales") << ")"; }
};

struct DepositQuantity : On<Screen::Deposit> {
    std::string typed = *rc::gen::element<std::string>("2", "3", "0", "0.4", "2.6", "999999", "1000000",
                                                       "99999999999999999999");
    void apply(Model& m) const override
    {
        const double v = QString::fromStdString(typed).toDouble();
        if (v > 999999 || v < 0.5 || m.depPlaceholder)
            return;
        m.depPreset = static_cast<int>(std::lround(v));
        m.depPlaceholder = true;
    }
    void act(const Model& m, Rig& r) const override
    {
        for (const char c : typed)
            QTest::mouseClick(r.deposit->getUiQPushButton(c == '.' ? 24 : 14 + (c - '0')), Qt::LeftButton);
        QTest::mouseClick(r.deposit->getUiQPushButton(1), Qt::LeftButton);
        const double v = QString::fromStdString(typed).toDouble();
        const int expected = v > 999999 ? 604 : v < 0.5 ? 1903 : m.depPlaceholder ? 1904 : 0;
        RC_ASSERT(messages() == (expected ? QStringList{tr(expected)} : QStringList()));
        r.deposit->getUiQLineEdit(0)->clear();
    }
    void show(std::ostream& os) const override { os << "DepositQuantity(" << typed << ")"; }
};

struct DepositDeleteRow : On<Screen::Deposit> {
    int row = *rc::gen::inRange(0, 4);
    void allowed(const Model& m) const override { RC_PRE(row < m.depLines.size()); }
    void apply(Model& m) const override
    {
        m.depLines.removeAt(row);
        m.depPlaceholder = false; // the rebuilt table shows the lines only
    }
    void act(const Model&, Rig& r) const override
    {
        QTableView* view = r.deposit->getUiQTableView(0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 1)).center());
        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(r.deposit->getUiQPushButton(3), Qt::LeftButton);
    }
    void show(std::ostream& os) const override { os << "DepositDeleteRow(" << row << ")"; }
};

struct DepositClearAll : On<Screen::Deposit> {
    void apply(Model& m) const override
    {
        m.depLines.clear();
        m.depPreset = 0;
        m.depPlaceholder = false;
        m.depMember = false;
    }
    void act(const Model&, Rig& r) const override
    {
        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(r.deposit->getUiQPushButton(4), Qt::LeftButton);
    }
    void show(std::ostream& os) const override { os << "DepositClearAll"; }
};

struct DepositMemberAndClerk : On<Screen::Deposit> {
    void apply(Model& m) const override { m.depMember = true; }
    void act(const Model&, Rig& r) const override
    {
        KxPosVipDetail member;
        member.vipId = QStringLiteral("8812");
        member.vipPhone = QStringLiteral("13812345678");
        member.extValues.insert(QStringLiteral("Balance"), 356.8);
        r.deposit->setVIP(member);
        r.deposit->setEmployee({QStringLiteral("E01"), QStringLiteral("张敏"), true});
        r.deposit->refresh();
    }
    void show(std::ostream& os) const override { os << "DepositMemberAndClerk"; }
};

struct DepositConfirm : On<Screen::Deposit> {
    bool storeAccepts = *rc::gen::weightedElement<bool>({{3, true}, {1, false}});
    bool handsOver(const Model& m) const { return m.depMember && !m.depLines.isEmpty(); }
    void apply(Model& m) const override
    {
        if (!handsOver(m) || !storeAccepts)
            return;
        StoreOrder order{QStringLiteral("D%1").arg(++m.depositsMade, 4, 10, QLatin1Char('0')), {}};
        for (const DepLine& l : m.depLines)
            order.lines << HeldLine{l.product, double(l.qty)};
        m.store << order;
        // The host starts a new deposit.
        m.depLines.clear();
        m.depPreset = 0;
        m.depPlaceholder = false;
        m.depMember = false;
    }
    void act(const Model& m, Rig& r) const override
    {
        r.depositAnswer = storeAccepts;
        if (!storeAccepts)
            ++r.orderCounter; // the store used up a number on its refusal
        QTest::mouseClick(r.deposit->getUiQPushButton(6), Qt::LeftButton);
        if (!storeAccepts)
            --r.orderCounter;
        RC_ASSERT(r.depositHandOvers.size() == (handsOver(m) ? 1 : 0));
        if (handsOver(m)) {
            const QList<KxPosPluDetail>& sent = r.depositHandOvers.first();
            RC_ASSERT(sent.size() == m.depLines.size());
            for (int i = 0; i < sent.size(); ++i)
                RC_ASSERT(same(sent.at(i).saleQty, m.depLines.at(i).qty));
        } else {
            RC_ASSERT(messages() == QStringList{tr(!m.depMember ? 2302 : 2303)});
        }
    }
    void show(std::ostream& os) const override { os << "DepositConfirm(store " << (storeAccepts ? "ok" : "fails") << ")"; }
};

// --- Pick-up commands -------------------------------------------------------------------

struct OpenPickup : On<Screen::Sales> {
    void allowed(const Model& m) const override { RC_PRE(!m.heldOrders().isEmpty()); }
    void apply(Model& m) const override
    {
        m.screen = Screen::Pickup;
        m.showPickup();
    }
    void act(const Model&, Rig& r) const override
    {
        r.pickup->show();
        r.showPickupOrLeave();
    }
    void show(std::ostream& os) const override { os << "OpenPickup"; }
};

struct PickupChooseOrder : On<Screen::Pickup> {
    int order = *rc::gen::inRange(0, 4);
    void allowed(const Model& m) const override { RC_PRE(order < m.shownOrders.size()); }
    void apply(Model& m) const override
    {
        m.currentOrder = order;
        m.ticks.clear();
        for (int i = 0; i < m.shownOrders.at(order).lines.size(); ++i)
            m.ticks << false;
    }
    void act(const Model&, Rig& r) const override
    {
        QListView* list = r.pickup->getUiQListView(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(order, 0)).center());
    }
    void show(std::ostream& os) const override { os << "PickupChooseOrder(" << order << ")"; }
};

struct PickupTick : On<Screen::Pickup> {
    int row = *rc::gen::inRange(0, 4);
    void allowed(const Model& m) const override { RC_PRE(row < m.ticks.size()); }
    void apply(Model& m) const override { m.ticks[row] = !m.ticks.at(row); }
    void act(const Model&, Rig& r) const override
    {
        QCheckBox* box = r.pickup->getCheckBox(row);
        RC_ASSERT(box != nullptr);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    }
    void show(std::ostream& os) const override { os << "PickupTick(" << row << ")"; }
};

// Select a goods row, open the pad, clear it, type a quantity, OK.
struct PickupQuantity : On<Screen::Pickup> {
    int row = *rc::gen::inRange(0, 4);
    std::string typed = *rc::gen::element<std::string>("1", "2", "0.5", "0.005", "0", "3.01", "100", "1.25");
    void allowed(const Model& m) const override { RC_PRE(row < m.ticks.size()); }
    double held(const Model& m) const { return m.shownOrders.at(m.currentOrder).lines.at(row).held; }
    bool accepted(const Model& m) const
    {
        const double v = QString::fromStdString(typed).toDouble();
        return v >= 0.01 && v <= held(m) + 0.01 + 1e-9;
    }
    void apply(Model& m) const override
    {
        if (!accepted(m))
            return;
        const double v = round2(qMin(QString::fromStdString(typed).toDouble(), held(m)));
        m.take[m.currentOrder][row] = v;
        m.ticks[row] = QString::number(v, 'f', 2) != QLatin1String("0.00");
    }
    void act(const Model& m, Rig& r) const override
    {
        QTableWidget* table = r.pickup->getUiQTableWidget(0);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 2)).center());
        RC_ASSERT(r.pickup->CurrentRow() == row);
        QTest::mouseClick(r.pickup->getUiQPushButton(0), Qt::LeftButton);
        RC_ASSERT(r.pad->isVisible());
        QTest::mouseClick(r.pad->getUiQPushButton(12), Qt::LeftButton);
        for (const char c : typed)
            QTest::mouseClick(r.pad->getUiQPushButton(c == '.' ? 11 : c - '0'), Qt::LeftButton);
        QTest::mouseClick(r.pad->getUiQPushButton(13), Qt::LeftButton);
        const double v = QString::fromStdString(typed).toDouble();
        if (!accepted(m)) {
            RC_ASSERT(messages() == QStringList{tr(v < 0.01 ? 2295 : 2296)});
            r.pad->close(); // the cashier gives up
        }
        RC_ASSERT(!r.pad->isVisible());
    }
    void show(std::ostream& os) const override { os << "PickupQuantity(row " << row << ", " << typed << ")"; }
};

struct PickupConfirm : On<Screen::Pickup> {
    bool storeAccepts = *rc::gen::weightedElement<bool>({{3, true}, {1, false}});
    // 0: collected; otherwise the refusal.
    int outcome(const Model& m) const
    {
        bool any = false;
        for (int i = 0; i < m.ticks.size(); ++i) {
            if (!m.ticks.at(i))
                continue;
            if (QString::number(m.take.at(m.currentOrder).at(i), 'f', 2) == QLatin1String("0.00"))
                return 2311;
            any = true;
        }
        return any ? 0 : 2312;
    }
    void apply(Model& m) const override
    {
        if (outcome(m) != 0 || !storeAccepts)
            return;
        const StoreOrder& shown = m.shownOrders.at(m.currentOrder);
        for (StoreOrder& o : m.store) {
            if (o.orderNo != shown.orderNo)
                continue;
            for (int i = 0; i < shown.lines.size(); ++i) {
                if (!m.ticks.at(i))
                    continue;
                HeldLine& h = o.lines[shown.lines.at(i).index];
                h.held = round2(h.held - m.take.at(m.currentOrder).at(i));
            }
        }
        if (m.heldOrders().isEmpty())
            m.screen = Screen::Sales;
        else
            m.showPickup();
    }
    void act(const Model& m, Rig& r) const override
    {
        r.pickupAnswer = storeAccepts;
        QTest::mouseClick(r.pickup->getUiQPushButton(6), Qt::LeftButton);
        const int expected = outcome(m);
        RC_ASSERT(r.collects.size() == (expected == 0 ? 1 : 0));
        if (expected != 0) {
            RC_ASSERT(messages() == QStringList{tr(expected)});
        } else {
            const KxPosDepositOrderDetail& sent = r.collects.first();
            RC_ASSERT(sent.orderNo == m.shownOrders.at(m.currentOrder).orderNo);
            int n = 0;
            for (int i = 0; i < m.ticks.size(); ++i)
                n += m.ticks.at(i) ? 1 : 0;
            RC_ASSERT(sent.depositPlus.size() == n);
        }
    }
    void show(std::ostream& os) const override { os << "PickupConfirm(store " << (storeAccepts ? "ok" : "fails") << ")"; }
};

struct LeavePickup : On<Screen::Pickup> {
    void apply(Model& m) const override { m.screen = Screen::Sales; }
    void act(const Model&, Rig& r) const override
    {
        QTest::mouseClick(r.pickup->getUiQPushButton(7), Qt::LeftButton);
    }
    void show(std::ostream& os) const override { os << "LeavePickup"; }
};

} // namespace ModelSeq
