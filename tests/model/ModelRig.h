#pragma once
// The reference model of the sequence test, the rig of screens with the
// careful host that answers them, and the check that both agree after every
// step. Commands live in DepositCommands.h and SalesCommands.h.

#include "TestSupport.h"
#include "TestAccess.h"
#include "TestCoupons.h"

#include "coupon/CouponUsageWidget.h"
#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TableModel.h"
#include "contracts/TableView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include <rapidcheck.h>
#include <rapidcheck/state.h>

#include <cmath>
#include <iostream>
#include <memory>

namespace ModelSeq {

// --- Catalogue -------------------------------------------------------------------------

struct Product {
    const char* code;
    const char* name;
    double price;
    bool weighed;
};

// Packaged goods share the prefix "690" (suggestions open from 3 digits);
// weighed goods are sold by the kilogram.
inline const Product Catalogue[] = {
    {"6901000000011", "可乐", 2.5, false},
    {"6901000000028", "薯片", 8.9, false},
    {"6903000000034", "牛奶", 3.2, false},
    {"1001", "苹果", 12.8, true},
    {"1002", "香蕉", 6.5, true},
};
constexpr int PackagedCount = 3;
constexpr int ProductCount = 5;

// Rounded as the screens show numbers: the decimal text of the value.
inline double round3(double v) { return QString::number(v, 'f', 3).toDouble(); }
inline double round2(double v) { return QString::number(v, 'f', 2).toDouble(); }
inline bool same(double a, double b) { return std::fabs(a - b) < 1e-6; }

// --- Model ------------------------------------------------------------------------------

enum class Screen { Sales, Deposit, Pickup };

struct DepLine {
    int product;
    int qty;
};

struct HeldLine {
    int product;
    double held;
    int index = 0; // place in its deposit
};

struct StoreOrder {
    QString orderNo;
    QList<HeldLine> lines;
};

struct SaleLine {
    int product;
    double qty; // 0: a weighed line still to be weighed
};

// A coupon of the coupon screen in deduction mode, as this sale sees it.
enum class CouponState { Unused, Used, InDoubt };

struct CouponRow {
    QString id;
    CouponState state = CouponState::Unused;
    bool added = false; // handed to the host with this sale
    bool ticked = true;
};

// A held bill: its lines and its coupons.
struct HeldBill {
    QList<SaleLine> sale;
    QList<CouponRow> coupons;
};

struct Model {
    Screen screen = Screen::Sales;
    // Deposit list.
    QList<DepLine> depLines;
    int depPreset = 0;
    bool depPlaceholder = false;
    bool depMember = false;
    // Deposits the host stored, and what it handed out of them.
    QList<StoreOrder> store;
    int depositsMade = 0;
    // Pick-up screen: the orders as last handed to it.
    QList<StoreOrder> shownOrders;
    int currentOrder = 0;
    QList<bool> ticks;
    QList<QList<double>> take; // per shown order, per line
    // Sales screen.
    QList<SaleLine> sale;
    double salePreset = 0; // the quantity in the placeholder line; 0: none
    double scaleWeight = 0;
    bool scaleStable = true;
    int salesPaid = 0;
    // Coupon screen, the coupon service and the held bills.
    QList<CouponRow> coupons;
    QMap<QString, int> serviceUses; // by coupon id (a QMap: sorted, no hash order)
    QStringList spent;               // coupons of paid sales
    QList<HeldBill> bills;

    int couponRow(const QString& id) const
    {
        for (int i = 0; i < coupons.size(); ++i) {
            if (coupons.at(i).id == id)
                return i;
        }
        return -1;
    }
    bool couponInDoubt() const
    {
        for (const CouponRow& c : coupons) {
            if (c.state == CouponState::InDoubt)
                return true;
        }
        return false;
    }

    double stableWeight() const { return scaleStable ? round3(scaleWeight) : 0.0; }
    bool saleLastOpen() const
    {
        // The sale's last row waits for something: a placeholder or a
        // weighed line without weight.
        return salePreset != 0 || (!sale.isEmpty() && sale.last().qty == 0);
    }
    QList<StoreOrder> heldOrders() const
    {
        QList<StoreOrder> out;
        for (const StoreOrder& o : store) {
            StoreOrder left{o.orderNo, {}};
            for (int i = 0; i < o.lines.size(); ++i) {
                if (o.lines.at(i).held > 1e-9)
                    left.lines << HeldLine{o.lines.at(i).product, o.lines.at(i).held, i};
            }
            if (!left.lines.isEmpty())
                out << left;
        }
        return out;
    }
    void showPickup()
    {
        shownOrders = heldOrders();
        currentOrder = 0;
        take.clear();
        for (const StoreOrder& o : shownOrders) {
            QList<double> t;
            for (const HeldLine& l : o.lines)
                t << l.held;
            take << t;
        }
        ticks = QList<bool>();
        for (int i = 0; i < shownOrders.value(0).lines.size(); ++i)
            ticks << false;
    }
};

// --- Rig: the screens and the careful host ----------------------------------------------

inline std::int64_t g_steps = 0;
inline std::int64_t g_sequences = 0;
// Qt warnings of the running sequence (a stray warning is a disagreement).
inline QStringList g_warnings;

inline void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    // The offscreen platform's notes about window functions it lacks are no
    // fault of the screens.
    if (type != QtDebugMsg && type != QtInfoMsg && !text.startsWith(QLatin1String("This plugin does not support")))
        g_warnings << text;
}

struct Rig {
    std::unique_ptr<TradeWidget> sales;
    std::unique_ptr<DepositPluWidget> deposit;
    std::unique_ptr<GetDepositWidget> pickup;
    std::unique_ptr<DepositPluNumbInputWidget> pad;
    std::unique_ptr<QCompleter> completer;
    std::unique_ptr<CouponUsageWidget> coupon;

    // The coupon service and the held bills, as the host keeps them.
    enum UseAnswer { UseSucceeds, UseFails, UseInDoubt };
    UseAnswer useAnswer = UseSucceeds;
    QMap<QString, int> serviceUses;
    QStringList spent;
    struct Bill {
        QList<KxPosPluDetail> lines;
        CouponUsageWidget::SaleState coupons;
    };
    QList<Bill> bills;
    QList<QStringList> useRequests, cancelRequests;

    // Host state.
    QList<KxPosPluDetail> saleLines;
    QList<StoreOrder> store;
    int orderCounter = 0;
    bool depositAnswer = true;
    bool pickupAnswer = true;
    double scaleWeight = 0;
    bool scaleStable = true;

    // What the screens asked for during the current step.
    QStringList depositAdds, salesAdds;
    QList<QList<KxPosPluDetail>> depositHandOvers;
    QList<KxPosDepositOrderDetail> collects;
    QList<double> weightsSent;

    Rig()
    {
        QStringList codes;
        for (const Product& p : Catalogue)
            codes << QString::fromUtf8(p.code);
        completer = std::make_unique<QCompleter>(codes);

        sales = std::make_unique<TradeWidget>(0, nullptr);
        QSignalSpy started(sales.get(), &TradeWidget::SignTrdStartTrade);
        sales->resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
        sales->show();
        if (!started.count() && !started.wait(2000))
            qFatal("the sales screen did not start its sale");
        QMetaObject::invokeMethod(sales.get(), "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, completer.get()));
        QObject::connect(sales.get(), &TradeWidget::SignTrdAddProduct, [this](const QString& code) { onSalesAdd(code); });
        QObject::connect(sales.get(), &TradeWidget::SignTrdSetProdWeight,
                         [this](int, const QString& code, double weight) { onWeight(code, weight); });

        deposit = std::make_unique<DepositPluWidget>(0, nullptr);
        deposit->resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
        QObject::connect(deposit.get(), &DepositPluWidget::SignDepositAddPlu,
                         [this](const QString& code) { onDepositAdd(code); });
        QObject::connect(deposit.get(), &DepositPluWidget::SignDepositPlus,
                         [this](const QList<KxPosPluDetail>& lines) { onDepositHandOver(lines); });
        QObject::connect(deposit.get(), &DepositPluWidget::SignDepositReturn, [this] { deposit->hide(); });
        // One completer serves both code boxes.
        QMetaObject::invokeMethod(deposit.get(), "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, completer.get()));

        KxPosConfig::m_isCouponForDeduct = true;
        coupon = std::make_unique<CouponUsageWidget>(nullptr);
        coupon->Show(false);
        QObject::connect(coupon.get(), &CouponUsageWidget::SignUseCouponAndAddPlu,
                         [this](CouponPluListMap&, const QList<QVariantMap>& requests) { onUse(requests); });
        QObject::connect(coupon.get(), &CouponUsageWidget::SignUnuseCouponList,
                         [this](const QList<QVariantMap>& records, bool) { onCancel(records); });
        QObject::connect(coupon.get(), &CouponUsageWidget::SignButtonRefreshClicked,
                         [this](const QList<QVariantMap>& records) { onRefresh(records); });
        QObject::connect(coupon.get(), &CouponUsageWidget::SignButtonUnuseClicked,
                         [this](const QList<QVariantMap>& records) { onCancelOne(records); });

        pickup = std::make_unique<GetDepositWidget>(0, nullptr);
        pickup->resize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
        pad = std::make_unique<DepositPluNumbInputWidget>(1, nullptr);
        QObject::connect(pickup.get(), &GetDepositWidget::SignDepositEditNum, [this](double held, double take) {
            pad->initValue(held, take);
            pad->show();
        });
        QObject::connect(pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget, [this](double quantity) {
            // The pad tolerates 0.01 above what is held; the host hands out
            // no more than is held.
            const int row = pickup->CurrentRow();
            const double held = KxPosTestAccess::ShownLines(*pickup).value(row).depositQty;
            pickup->setPluNum(QString::number(qMin(quantity, held), 'f', 2));
            pad->close();
        });
        QObject::connect(pickup.get(), &GetDepositWidget::SignGetDepositPlus,
                         [this](const KxPosVipDetail&, const KxPosDepositOrderDetail& order) { onCollect(order); });
        QObject::connect(pickup.get(), &GetDepositWidget::SignGetDepositReturn, [this] { pickup->hide(); });
    }

    ~Rig()
    {
        // Windows go before the completer they use.
        pad.reset();
        coupon.reset();
        pickup.reset();
        deposit.reset();
        sales.reset();
    }

    // Back to the start of a sequence: no deposit list, no pick-up, an empty
    // store and an empty sale, the scale at zero. The screens are built once
    // (the sales screen starts its first sale only a moment after it is
    // shown); the first check of each sequence sees anything left over.
    void reset()
    {
        ++g_sequences;
        if (QAbstractItemView* popup = completer->popup())
            popup->hide();
        pad->close();
        pickup->hide();
        deposit->hide();
        deposit->initValue();
        deposit->initNextValue();
        deposit->RefreshDepositPluWidget();
        store.clear();
        orderCounter = 0;
        coupon->ClearData();
        serviceUses.clear();
        spent.clear();
        bills.clear();
        sales->getUiQLineEdit(26)->clear();
        newSale();
        read(0.0, true);
        beginStep();
        --g_steps;
        g_warnings.clear();
    }

    void beginStep()
    {
        ++g_steps;
        depositAdds.clear();
        salesAdds.clear();
        depositHandOvers.clear();
        collects.clear();
        weightsSent.clear();
        useRequests.clear();
        cancelRequests.clear();
        // Messages shown, questions asked and answers queued belong to one step.
        KxPosTest::resetMessageSeams();
    }

    static int find(const QString& code)
    {
        for (int i = 0; i < ProductCount; ++i) {
            if (code == QLatin1String(Catalogue[i].code))
                return i;
        }
        return -1;
    }

    // The host's answers -------------------------------------------------------------

    void onDepositAdd(const QString& code)
    {
        depositAdds << code;
        const int p = find(code);
        if (p < 0 || p >= PackagedCount)
            return; // not a product that can be deposited
        KxPosPluDetail line;
        line.pluCode = code;
        line.pluName = QString::fromUtf8(Catalogue[p].name);
        line.saleQty = deposit->nextQuantity > 0 ? deposit->nextQuantity : 1;
        line.unitName = QStringLiteral("个");
        deposit->AddPlu(line);
        deposit->initNextValue();
    }

    void onDepositHandOver(const QList<KxPosPluDetail>& lines)
    {
        depositHandOvers << lines;
        if (!depositAnswer)
            return; // the store refused: the list stays for another try
        StoreOrder order{QStringLiteral("D%1").arg(++orderCounter, 4, 10, QLatin1Char('0')), {}};
        for (const KxPosPluDetail& l : lines)
            order.lines << HeldLine{find(l.pluCode), l.saleQty};
        store << order;
        deposit->initValue();
    }

    void onCollect(const KxPosDepositOrderDetail& order)
    {
        collects << order;
        if (!pickupAnswer)
            return;
        for (StoreOrder& o : store) {
            if (o.orderNo != order.orderNo)
                continue;
            // Lines of one product stay apart: the host knows each by the
            // key it gave it (its place in the deposit).
            for (const KxPosDepositPluDetail& l : order.depositPlus) {
                bool known = false;
                const int line = l.extraText.mid(1).toInt(&known);
                RC_ASSERT(known && line >= 0 && line < o.lines.size());
                HeldLine& h = o.lines[line];
                RC_ASSERT(QLatin1String(Catalogue[h.product].code) == l.pluCode);
                RC_ASSERT(l.takeQty <= h.held + 1e-9); // never more than held
                h.held = round2(h.held - l.takeQty);
            }
        }
        showPickupOrLeave();
    }

    QList<KxPosDepositOrderDetail> heldOrders() const
    {
        QList<KxPosDepositOrderDetail> out;
        for (const StoreOrder& o : store) {
            KxPosDepositOrderDetail d;
            d.orderNo = o.orderNo;
            for (int i = 0; i < o.lines.size(); ++i) {
                const HeldLine& l = o.lines.at(i);
                if (l.held <= 1e-9)
                    continue;
                KxPosDepositPluDetail p;
                p.extraText = QStringLiteral("#%1").arg(i);
                p.pluCode = QString::fromUtf8(Catalogue[l.product].code);
                p.pluName = QString::fromUtf8(Catalogue[l.product].name);
                p.unitName = QStringLiteral("个");
                p.depositQty = l.held;
                p.takeQty = l.held;
                d.depositPlus << p;
            }
            if (!d.depositPlus.isEmpty())
                out << d;
        }
        return out;
    }

    // After a collection, or when the pick-up opens: the orders still held,
    // or back to the sale when nothing is left.
    void showPickupOrLeave()
    {
        const QList<KxPosDepositOrderDetail> orders = heldOrders();
        if (orders.isEmpty()) {
            pickup->hide();
            return;
        }
        KxPosVipDetail member;
        member.vipId = QStringLiteral("8812");
        member.vipPhone = QStringLiteral("13812345678");
        pickup->initValue(member, orders);
    }

    void onSalesAdd(const QString& code)
    {
        salesAdds << code;
        const int p = find(code);
        if (p < 0)
            return;
        double quantity = 1;
        // A quantity typed before the product waits in a placeholder line.
        const TableModel* table = sales->GetTable()->model();
        const int rows = table->rowCount();
        if (rows > 0 && table->data(rows - 1, 1) == QLatin1String("0")) {
            const double typed = table->data(rows - 1, 4).toDouble();
            if (typed > 0)
                quantity = typed;
        }
        if (Catalogue[p].weighed)
            quantity = scaleStable && scaleWeight > 0 ? round3(scaleWeight) : 0.0; // 0: to be weighed
        KxPosPluDetail line;
        line.lineNo = saleLines.size() + 1;
        line.pluCode = code;
        line.pluName = QString::fromUtf8(Catalogue[p].name);
        line.saleQty = quantity;
        line.quantityDecimals = Catalogue[p].weighed ? 3 : 2;
        line.salePrice = Catalogue[p].price;
        line.lineAmount = round2(quantity * Catalogue[p].price);
        line.weighFlag = Catalogue[p].weighed ? QStringLiteral("1") : QStringLiteral("0");
        line.unitName = Catalogue[p].weighed ? KxPosTranslator::GetTranslation(673) : QStringLiteral("个");
        saleLines << line;
        sales->rebindModel(saleLines, {});
    }

    void onWeight(const QString& code, double weight)
    {
        weightsSent << weight;
        if (weight <= 0 || saleLines.isEmpty())
            return;
        KxPosPluDetail& last = saleLines.last();
        if (last.pluCode != code || last.weighFlag != QLatin1String("1") || last.saleQty > 0)
            return;
        last.saleQty = weight;
        last.lineAmount = round2(weight * last.salePrice);
        sales->rebindModel(saleLines, {});
    }

    static QStringList ids(const QList<QVariantMap>& records, const char* key)
    {
        QStringList out;
        for (const QVariantMap& r : records)
            out << r.value(QLatin1String(key)).toString();
        return out;
    }

    // The coupon service's answers to a use request.
    void onUse(const QList<QVariantMap>& requests)
    {
        const QStringList sent = ids(requests, "CouponID");
        useRequests << sent;
        if (useAnswer == UseFails)
            return;
        for (const QString& id : sent) {
            if (serviceUses.value(id) > 0)
                continue; // the service refuses a coupon it has used already
            serviceUses[id] += 1;
            if (useAnswer == UseSucceeds) {
                coupon->CacheCouponUseResult(KxPosTest::payDetails({id}));
            } else {
                // No answer in time: the pay record is all the host has.
                KxPosPayResult record;
                record.saleNo = QStringLiteral("S0001");
                record.extraValues.insert(
                    QStringLiteral("UDP21"),
                    QStringLiteral(R"({"channelCode":"MT","couponId":"%1","couponCode":"code-%1"})").arg(id));
                coupon->CacheCouponUseResult(id, record);
                coupon->UpdateCouponStatus(id, CouponWidgetInfo::StatusInDoubt, QString());
            }
        }
        if (useAnswer == UseSucceeds)
            coupon->SetCheckedCouponAdded();
    }

    // The cashier's refresh of a coupon in doubt: the service has used it.
    void onRefresh(const QList<QVariantMap>& records)
    {
        if (records.isEmpty())
            return;
        const QString id = records.first().value(QStringLiteral("MainCouponID")).toString();
        coupon->UpdateCouponStatus(id, CouponWidgetInfo::StatusUsed, QString());
        coupon->SetCheckedCouponAdded();
    }

    // The cashier's cancellation of one used coupon: the service frees it,
    // the sale drops its pay record.
    void onCancelOne(const QList<QVariantMap>& records)
    {
        onCancel(records);
        const QString id = records.value(0).value(QStringLiteral("MainCouponID")).toString();
        coupon->DeselectCouponAfterUnuse(id);
        coupon->UpdateCouponStatus(id, CouponWidgetInfo::StatusUnused, QString());
    }

    void onCancel(const QList<QVariantMap>& records)
    {
        const QStringList cancelled = ids(records, "CouponID");
        cancelRequests << cancelled;
        for (const QString& id : cancelled) {
            RC_ASSERT(!spent.contains(id)); // a coupon that paid for goods stays spent
            serviceUses.remove(id);
        }
    }

    void newSale()
    {
        saleLines.clear();
        sales->SetTradeActive(true);
        sales->rebindModel(saleLines, {});
    }

    void read(double weight, bool stable)
    {
        scaleWeight = weight;
        scaleStable = stable;
        QMetaObject::invokeMethod(sales.get(), "SlotShowProdWeight", Q_ARG(double, weight), Q_ARG(double, 0.0),
                                  Q_ARG(bool, stable), Q_ARG(bool, false), Q_ARG(bool, weight == 0.0), Q_ARG(int, 0));
    }
};

using Cmd = rc::state::Command<Model, Rig>;

// --- Checks after every step ------------------------------------------------------------

inline QStringList messages()
{
    QStringList texts;
    for (const auto& m : MessageWidget::History())
        texts << m.first;
    return texts;
}

inline QString tr(int id) { return KxPosTranslator::GetTranslation(id); }

inline void agree(const Model& m, Rig& r)
{
    RC_ASSERT(g_warnings.join(QLatin1Char('\n')).toStdString() == std::string());
    // Deposit list.
    const QList<KxPosPluDetail>& dep = KxPosTestAccess::PluList(*r.deposit);
    RC_ASSERT(dep.size() == m.depLines.size());
    for (int i = 0; i < dep.size(); ++i) {
        RC_ASSERT(dep.at(i).pluCode == QString::fromUtf8(Catalogue[m.depLines.at(i).product].code));
        RC_ASSERT(same(dep.at(i).saleQty, m.depLines.at(i).qty));
        RC_ASSERT(dep.at(i).lineNo == i);
    }
    RC_ASSERT(r.deposit->nextQuantity == m.depPreset);
    RC_ASSERT(r.deposit->getUiQTableView(0)->model()->rowCount() == m.depLines.size() + (m.depPlaceholder ? 1 : 0));
    RC_ASSERT(r.deposit->isVisible() == (m.screen == Screen::Deposit));

    // Deposit store: what is held never goes below nothing.
    RC_ASSERT(r.store.size() == m.store.size());
    for (int o = 0; o < m.store.size(); ++o) {
        RC_ASSERT(r.store.at(o).lines.size() == m.store.at(o).lines.size());
        for (int i = 0; i < m.store.at(o).lines.size(); ++i) {
            RC_ASSERT(same(r.store.at(o).lines.at(i).held, m.store.at(o).lines.at(i).held));
            RC_ASSERT(m.store.at(o).lines.at(i).held >= -1e-9);
        }
    }

    // Pick-up screen.
    RC_ASSERT(r.pickup->isVisible() == (m.screen == Screen::Pickup));
    if (m.screen == Screen::Pickup) {
        RC_ASSERT(r.pickup->Orders().size() == m.shownOrders.size());
        RC_ASSERT(KxPosTestAccess::CurrentOrder(*r.pickup) == m.currentOrder);
        const QList<KxPosDepositPluDetail>& shown = KxPosTestAccess::ShownLines(*r.pickup);
        const StoreOrder& order = m.shownOrders.at(m.currentOrder);
        RC_ASSERT(shown.size() == order.lines.size());
        for (int i = 0; i < shown.size(); ++i) {
            RC_ASSERT(same(shown.at(i).depositQty, order.lines.at(i).held));
            RC_ASSERT(same(shown.at(i).takeQty, m.take.at(m.currentOrder).at(i)));
            QCheckBox* box = r.pickup->getCheckBox(i);
            RC_ASSERT(box != nullptr);
            RC_ASSERT(box->isChecked() == m.ticks.at(i));
        }
    }

    // Coupon screen and service: rows, states, and no coupon used twice.
    const QList<CouponWidgetInfo> rows = r.coupon->GetCouponWidgetData();
    RC_ASSERT(rows.size() == m.coupons.size());
    for (int i = 0; i < rows.size(); ++i) {
        RC_ASSERT(rows.at(i).couponId == m.coupons.at(i).id);
        const CouponWidgetInfo::CouponStatus expected = m.coupons.at(i).state == CouponState::Used
                                                            ? CouponWidgetInfo::StatusUsed
                                                            : m.coupons.at(i).state == CouponState::InDoubt
                                                                  ? CouponWidgetInfo::StatusInDoubt
                                                                  : CouponWidgetInfo::StatusUnused;
        RC_ASSERT(rows.at(i).status == expected);
        RC_ASSERT(rows.at(i).checked == m.coupons.at(i).ticked);
        RC_ASSERT(rows.at(i).added == m.coupons.at(i).added);
    }
    RC_ASSERT(r.serviceUses == m.serviceUses);
    for (auto it = m.serviceUses.cbegin(); it != m.serviceUses.cend(); ++it)
        RC_ASSERT(it.value() <= 1);
    RC_ASSERT(r.bills.size() == m.bills.size());

    // Sales screen: one row per line, the placeholder after them.
    const TableModel* table = r.sales->GetTable()->model();
    RC_ASSERT(table->rowCount() == m.sale.size() + (m.salePreset != 0 ? 1 : 0));
    RC_ASSERT(r.saleLines.size() == m.sale.size());
    for (int i = 0; i < m.sale.size(); ++i) {
        RC_ASSERT(table->data(i, 1) == QString::fromUtf8(Catalogue[m.sale.at(i).product].code));
        RC_ASSERT(same(r.saleLines.at(i).saleQty, m.sale.at(i).qty));
        RC_ASSERT(same(table->data(i, 4).toDouble(), m.sale.at(i).qty));
    }
    if (m.salePreset != 0) {
        RC_ASSERT(table->data(m.sale.size(), 1) == QStringLiteral("0"));
        RC_ASSERT(same(table->data(m.sale.size(), 4).toDouble(), m.salePreset));
    }
}

// One step of a sequence: `act` drives the screens, then they must agree with
// the model's next state.
struct Step : Cmd {
    void run(const Model& m, Rig& r) const override
    {
        r.beginStep();
        act(m, r);
        agree(nextState(m), r);
    }
    virtual void act(const Model& m, Rig& r) const = 0;
};

// A step the cashier takes on screen `S`; `allowed` adds its own conditions.
template <Screen S>
struct On : Step {
    void checkPreconditions(const Model& m) const override
    {
        RC_PRE(m.screen == S);
        allowed(m);
    }
    virtual void allowed(const Model&) const {}
};

} // namespace ModelSeq
