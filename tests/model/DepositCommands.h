#pragma once
// Commands of the sequence test on the deposit list and the pick-up screen.

#include "ModelRig.h"

namespace ModelSeq {

// --- Deposit list commands --------------------------------------------------------------

struct OpenDeposit : Cmd {
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Sales); }
    void apply(Model& m) const override
    {
        m.screen = Screen::Deposit;
        // Each entry starts a new deposit.
        m.depLines.clear();
        m.depPreset = 0;
        m.depPlaceholder = false;
        m.depMember = false;
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        r.deposit->show();
        r.deposit->initValue();
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "OpenDeposit"; }
};

struct LeaveDeposit : Cmd {
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Deposit); }
    void apply(Model& m) const override
    {
        if (!m.depLines.isEmpty())
            return; // refused: the list must be emptied first
        m.screen = Screen::Sales;
        m.depPreset = 0;
        m.depPlaceholder = false;
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QTest::mouseClick(r.deposit->getUiQPushButton(11), Qt::LeftButton);
        RC_ASSERT(messages() == (m.depLines.isEmpty() ? QStringList() : QStringList{tr(2301)}));
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "LeaveDeposit"; }
};

// The cashier types the first digits and taps a suggestion.
struct DepositSuggestion : Cmd {
    int product = *rc::gen::inRange(0, PackagedCount);
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Deposit); }
    void apply(Model& m) const override
    {
        m.depLines << DepLine{product, m.depPreset > 0 ? m.depPreset : 1};
        m.depPreset = 0;
        m.depPlaceholder = false;
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
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
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "DepositSuggestion(" << Catalogue[product].code << ")"; }
};

// The host hands its (shared) completer to a screen again.
struct HandOverCompleter : Cmd {
    bool toDeposit = *rc::gen::arbitrary<bool>();
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QObject* target = toDeposit ? static_cast<QObject*>(r.deposit.get()) : r.sales.get();
        RC_ASSERT(QMetaObject::invokeMethod(target, "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, r.completer.get())));
        agree(m, r);
    }
    void show(std::ostream& os) const override { os << "HandOverCompleter(" << (toDeposit ? "deposit" : "sales") << ")"; }
};

struct DepositQuantity : Cmd {
    std::string typed = *rc::gen::element<std::string>("2", "3", "0", "0.4", "2.6", "999999", "1000000",
                                                       "99999999999999999999");
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Deposit); }
    void apply(Model& m) const override
    {
        const double v = QString::fromStdString(typed).toDouble();
        if (v > 999999 || v < 0.5 || m.depPlaceholder)
            return;
        m.depPreset = static_cast<int>(std::lround(v));
        m.depPlaceholder = true;
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        for (const char c : typed)
            QTest::mouseClick(r.deposit->getUiQPushButton(c == '.' ? 24 : 14 + (c - '0')), Qt::LeftButton);
        QTest::mouseClick(r.deposit->getUiQPushButton(1), Qt::LeftButton);
        const double v = QString::fromStdString(typed).toDouble();
        const int expected = v > 999999 ? 604 : v < 0.5 ? 1903 : m.depPlaceholder ? 1904 : 0;
        RC_ASSERT(messages() == (expected ? QStringList{tr(expected)} : QStringList()));
        r.deposit->getUiQLineEdit(0)->clear();
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "DepositQuantity(" << typed << ")"; }
};

struct DepositDeleteRow : Cmd {
    int row = *rc::gen::inRange(0, 4);
    void checkPreconditions(const Model& m) const override
    {
        RC_PRE(m.screen == Screen::Deposit);
        RC_PRE(row < m.depLines.size());
    }
    void apply(Model& m) const override
    {
        m.depLines.removeAt(row);
        m.depPlaceholder = false; // the rebuilt table shows the lines only
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QTableView* view = r.deposit->getUiQTableView(0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 1)).center());
        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(r.deposit->getUiQPushButton(3), Qt::LeftButton);
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "DepositDeleteRow(" << row << ")"; }
};

struct DepositClearAll : Cmd {
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Deposit); }
    void apply(Model& m) const override
    {
        m.depLines.clear();
        m.depPreset = 0;
        m.depPlaceholder = false;
        m.depMember = false;
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(r.deposit->getUiQPushButton(4), Qt::LeftButton);
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "DepositClearAll"; }
};

struct DepositMemberAndClerk : Cmd {
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Deposit); }
    void apply(Model& m) const override { m.depMember = true; }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        KxPosVipDetail member;
        member.vipId = QStringLiteral("8812");
        member.vipPhone = QStringLiteral("13812345678");
        member.extValues.insert(QStringLiteral("Balance"), 356.8);
        r.deposit->setVIP(member);
        r.deposit->setEmployee({QStringLiteral("E01"), QStringLiteral("张敏"), true});
        r.deposit->refresh();
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "DepositMemberAndClerk"; }
};

struct DepositConfirm : Cmd {
    bool storeAccepts = *rc::gen::weightedElement<bool>({{3, true}, {1, false}});
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Deposit); }
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
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
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
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "DepositConfirm(store " << (storeAccepts ? "ok" : "fails") << ")"; }
};

// --- Pick-up commands -------------------------------------------------------------------

struct OpenPickup : Cmd {
    void checkPreconditions(const Model& m) const override
    {
        RC_PRE(m.screen == Screen::Sales);
        RC_PRE(!m.heldOrders().isEmpty());
    }
    void apply(Model& m) const override
    {
        m.screen = Screen::Pickup;
        m.showPickup();
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        r.pickup->show();
        r.showPickupOrLeave();
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "OpenPickup"; }
};

struct PickupChooseOrder : Cmd {
    int order = *rc::gen::inRange(0, 4);
    void checkPreconditions(const Model& m) const override
    {
        RC_PRE(m.screen == Screen::Pickup);
        RC_PRE(order < m.shownOrders.size());
    }
    void apply(Model& m) const override
    {
        m.currentOrder = order;
        m.ticks.clear();
        for (int i = 0; i < m.shownOrders.at(order).lines.size(); ++i)
            m.ticks << false;
    }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QListView* list = r.pickup->getUiQListView(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(order, 0)).center());
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "PickupChooseOrder(" << order << ")"; }
};

struct PickupTick : Cmd {
    int row = *rc::gen::inRange(0, 4);
    void checkPreconditions(const Model& m) const override
    {
        RC_PRE(m.screen == Screen::Pickup);
        RC_PRE(row < m.ticks.size());
    }
    void apply(Model& m) const override { m.ticks[row] = !m.ticks.at(row); }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QCheckBox* box = r.pickup->getCheckBox(row);
        RC_ASSERT(box != nullptr);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "PickupTick(" << row << ")"; }
};

// Select a goods row, open the pad, clear it, type a quantity, OK.
struct PickupQuantity : Cmd {
    int row = *rc::gen::inRange(0, 4);
    std::string typed = *rc::gen::element<std::string>("1", "2", "0.5", "0.005", "0", "3.01", "100", "1.25");
    void checkPreconditions(const Model& m) const override
    {
        RC_PRE(m.screen == Screen::Pickup);
        RC_PRE(row < m.ticks.size());
    }
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
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
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
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "PickupQuantity(row " << row << ", " << typed << ")"; }
};

struct PickupConfirm : Cmd {
    bool storeAccepts = *rc::gen::weightedElement<bool>({{3, true}, {1, false}});
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Pickup); }
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
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
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
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "PickupConfirm(store " << (storeAccepts ? "ok" : "fails") << ")"; }
};

struct LeavePickup : Cmd {
    void checkPreconditions(const Model& m) const override { RC_PRE(m.screen == Screen::Pickup); }
    void apply(Model& m) const override { m.screen = Screen::Sales; }
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        QTest::mouseClick(r.pickup->getUiQPushButton(7), Qt::LeftButton);
        agree(nextState(m), r);
    }
    void show(std::ostream& os) const override { os << "LeavePickup"; }
};

} // namespace ModelSeq
