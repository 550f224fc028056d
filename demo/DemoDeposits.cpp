#include "DemoDeposits.h"

#include "DemoNotice.h"

#include "DemoRender.h"

#include "DemoClock.h"

#include "deposit/DepositPluNumbInputWidget.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/DepositWidget.h"
#include "deposit/GetDepositWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QEvent>
#include <QLocale>
#include <QTimer>

#include <cmath>

namespace {
// Quantities below this count as nothing left.
constexpr double Nothing = 0.005;

// The quantity as the pick-up table writes it: 2 decimals, 3 when the pad
// was given a third.
QString quantityText(double quantity)
{
    const bool third = std::fabs(quantity * 100.0 - std::round(quantity * 100.0)) > 1e-6;
    return KxWidget::formatNumber(quantity, third ? 3 : 2);
}

} // namespace

DemoDeposits::DemoDeposits(Host host, QWidget* anchor, QObject* parent)
    : QObject(parent)
    , m_host(std::move(host))
    , m_anchor(anchor)
{
}

DemoDeposits::~DemoDeposits() = default;

void DemoDeposits::Record(const QString& entry)
{
    m_log << entry;
    qDebug().noquote() << "demo deposits:" << entry;
    emit Logged(entry);
}

void DemoDeposits::Notify(QWidget* over, const QString& text)
{
    DemoNotice::Show(over, text);
}

void DemoDeposits::Place(QWidget* screen) const
{
    // The screen takes the sales screen's size; being its child window it
    // opens centred over it, that is right on top of it.
    const QSize size = m_anchor ? m_anchor->size() : QSize(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    screen->resize(size);
}

KxPosEmployeeDetail DemoDeposits::CurrentClerk() const
{
    const QList<KxPosEmployeeDetail> clerks = m_host.clerks ? m_host.clerks() : QList<KxPosEmployeeDetail>();
    if (m_clerkIndex >= 0 && m_clerkIndex < clerks.size())
        return clerks.at(m_clerkIndex);
    for (const KxPosEmployeeDetail& clerk : clerks) {
        if (clerk.isCurrent)
            return clerk;
    }
    return KxPosEmployeeDetail();
}

// --- Screens -------------------------------------------------------------------

DepositWidget* DemoDeposits::Menu()
{
    if (!m_menu) {
        m_menu = std::make_unique<DepositWidget>(0, m_anchor);
        connect(m_menu.get(), &DepositWidget::SignGotoDeposit, this, &DemoDeposits::StartDeposit);
        connect(m_menu.get(), &DepositWidget::SignGotoMembLogin, this, &DemoDeposits::StartPickUp);
        connect(m_menu.get(), &DepositWidget::SignDepositWidgetKeyPressed, this, [this](const QString&, int key) {
            if (key == Qt::Key_Escape || key == Qt::Key_PageUp)
                m_menu->on_btnClose_clicked();
        });
    }
    return m_menu.get();
}

DepositPluWidget* DemoDeposits::Entry()
{
    if (!m_entry) {
        m_entry = std::make_unique<DepositPluWidget>(0, m_anchor);
        DepositPluWidget* s = m_entry.get();
        connect(s, &DepositPluWidget::SignDepositAddPlu, this, &DemoDeposits::OnAddCode);
        connect(s, &DepositPluWidget::SignMembLogin, this, &DemoDeposits::OnMemberKey);
        connect(s, &DepositPluWidget::SignEmployeeLogin, this, &DemoDeposits::OnClerkKey);
        connect(s, &DepositPluWidget::SignDepositPluImport, this, &DemoDeposits::OnImport);
        connect(s, &DepositPluWidget::SignDepositPlus, this, &DemoDeposits::OnDeposit);
        connect(s, &DepositPluWidget::SignDepositPluKeyPressed, this,
                [this](const QString&, int key) { OnEntryKey(key); });
        connect(s, &DepositPluWidget::SignDepositReturn, this, [this] {
            Record(QStringLiteral("deposit entry left"));
            emit Finished();
        });
        s->SlotTrdSetStatusValue(KxPosConfig::sOrgCode, KxPosConfig::sPosNo, KxPosConfig::sCshName);
        if (m_host.suggestions) {
            // Its own completer on the host's suggestions: choosing one
            // enters the product's code.
            auto* completer = new QCompleter(m_host.suggestions, this);
            completer->setCompletionRole(Qt::UserRole);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            s->SlotTrdBackCompleterModel(completer);
        }
    }
    return m_entry.get();
}

GetDepositWidget* DemoDeposits::PickUp()
{
    if (!m_pickUp) {
        m_pickUp = std::make_unique<GetDepositWidget>(0, m_anchor);
        GetDepositWidget* s = m_pickUp.get();
        connect(s, &GetDepositWidget::SignDepositEditNum, this, &DemoDeposits::OnEditQuantity);
        connect(s, &GetDepositWidget::SignGetDepositPlus, this, &DemoDeposits::OnPickUp);
        connect(s, &GetDepositWidget::SignDepositGetKeyPressed, this,
                [this](const QString&, int key) { OnPickUpKey(key); });
        connect(s, &GetDepositWidget::SignGetDepositReturn, this, [this] {
            if (m_pad)
                m_pad->close();
            Record(QStringLiteral("pick-up left"));
            emit Finished();
        });
        s->SlotTrdSetStatusValue(KxPosConfig::sOrgCode, KxPosConfig::sPosNo, KxPosConfig::sCshName);
    }
    return m_pickUp.get();
}

DepositPluNumbInputWidget* DemoDeposits::Pad()
{
    if (!m_pad) {
        // Like the deposit screens, the pad opens over the sales screen, where
        // the pick-up screen that asks for it lies too.
        m_pad = std::make_unique<DepositPluNumbInputWidget>(1, m_anchor);
        // However the pad closes, the keyboard goes back to the pick-up screen.
        m_pad->installEventFilter(this);
        connect(m_pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidget, this,
                &DemoDeposits::OnPadQuantity);
        connect(m_pad.get(), &DepositPluNumbInputWidget::SignDepositPluNumbInputWidgetKeyPress, this,
                [this](const QString&, int key) {
                    if (key == Qt::Key_Escape || key == Qt::Key_PageUp)
                        m_pad->close();
                });
    }
    return m_pad.get();
}

bool DemoDeposits::eventFilter(QObject* watched, QEvent* event)
{
    if (m_pad && watched == m_pad.get() && event->type() == QEvent::Hide && m_pickUp && m_pickUp->isVisible())
        m_pickUp->activateWindow();
    return QObject::eventFilter(watched, event);
}

void DemoDeposits::SlotTimeUpd(const QString& now)
{
    if (m_entry && m_entry->isVisible())
        m_entry->SlotTimeUpd(now);
    if (m_pickUp && m_pickUp->isVisible())
        m_pickUp->SlotTimeUpd(now);
}

// --- Menu ----------------------------------------------------------------------

void DemoDeposits::OpenMenu()
{
    DepositWidget* menu = Menu();
    if (menu->isVisible())
        return;
    Record(QStringLiteral("deposit menu"));
    menu->show();
}

// --- Deposit entry -----------------------------------------------------------------

void DemoDeposits::StartDeposit()
{
    DepositPluWidget* entry = Entry();
    entry->initValue();
    m_clerkIndex = -1;
    if (const KxPosVipDetail* member = m_host.member ? m_host.member() : nullptr)
        entry->setVIP(*member);
    entry->setEmployee(CurrentClerk());
    entry->refresh();
    Place(entry);
    entry->show();
    Record(QStringLiteral("deposit entry for member %1").arg(entry->Member().vipId));
}

void DemoDeposits::StartWholeSaleDeposit(const QString& saleNo, const QString& serial,
                                         const QList<KxPosPluDetail>& lines, const KxPosVipDetail& member)
{
    if (lines.isEmpty()) {
        Notify(m_anchor, DemoNotice::Text(QStringLiteral("还没有已付款的销售可整单寄存"),
                                          QStringLiteral("There is no paid sale to deposit whole yet")));
        return;
    }
    DepositPluWidget* entry = Entry();
    entry->initValue();
    entry->setVIP(member);
    entry->setEmployee(CurrentClerk());
    entry->setSaleNo(saleNo, serial);
    for (const KxPosPluDetail& line : lines)
        entry->AddPlu(line);
    entry->refresh();
    Place(entry);
    entry->show();
    Record(QStringLiteral("whole-sale deposit of sale %1: %2 lines").arg(saleNo).arg(lines.size()));
}

void DemoDeposits::OnAddCode(const QString& code)
{
    const DemoProduct* product = m_host.findProduct ? m_host.findProduct(code) : nullptr;
    if (!product) {
        Record(QStringLiteral("deposit: unknown code %1").arg(code));
        Notify(m_entry.get(), DemoNotice::Text(QStringLiteral("未找到商品：%1"), QStringLiteral("No product with code %1")).arg(code));
        return;
    }
    KxPosPluDetail line;
    line.pluCode = product->code;
    line.pluName = DemoNotice::Text(product->name, product->nameEn);
    line.unitName = DemoNotice::Text(product->unit, product->unitEn);
    line.saleQty = m_entry->nextQuantity > 0 ? m_entry->nextQuantity : 1;
    line.salePrice = product->price;
    line.weighFlag = product->weighed ? QStringLiteral("1") : QStringLiteral("0");
    m_entry->initNextValue();
    m_entry->AddPlu(line);
    Record(QStringLiteral("deposit: %1 x %2").arg(code).arg(line.saleQty));
}

void DemoDeposits::OnMemberKey()
{
    if (m_host.loginMember)
        m_host.loginMember();
    const KxPosVipDetail* member = m_host.member ? m_host.member() : nullptr;
    if (!member) {
        Notify(m_entry.get(), KxPosTranslator::GetTranslation(2302));
        return;
    }
    m_entry->setVIP(*member);
    m_entry->refresh();
    Record(QStringLiteral("deposit: member %1").arg(member->vipId));
}

void DemoDeposits::OnClerkKey()
{
    // Each press hands the deposit to the next clerk of the store.
    const QList<KxPosEmployeeDetail> clerks = m_host.clerks ? m_host.clerks() : QList<KxPosEmployeeDetail>();
    if (clerks.isEmpty()) {
        Notify(m_entry.get(), KxPosTranslator::GetTranslation(1905));
        return;
    }
    const QString current = m_entry->Employee().employeeCode;
    int index = -1;
    for (int i = 0; i < clerks.size(); ++i) {
        if (clerks.at(i).employeeCode == current)
            index = i;
    }
    m_clerkIndex = (index + 1) % clerks.size();
    m_entry->setEmployee(clerks.at(m_clerkIndex));
    m_entry->refresh();
    Record(QStringLiteral("deposit: clerk %1").arg(clerks.at(m_clerkIndex).employeeCode));
}

void DemoDeposits::OnImport()
{
    const QList<KxPosPluDetail> lines = m_host.saleLines ? m_host.saleLines() : QList<KxPosPluDetail>();
    if (lines.isEmpty()) {
        Notify(m_entry.get(), DemoNotice::Text(QStringLiteral("当前销售没有可导入的商品"), QStringLiteral("The current sale has no goods to import")));
        return;
    }
    for (const KxPosPluDetail& line : lines)
        m_entry->AddPlu(line);
    Record(QStringLiteral("deposit: %1 lines imported from the sale").arg(lines.size()));
}

void DemoDeposits::OnDeposit(const QList<KxPosPluDetail>& lines)
{
    const KxPosVipDetail member = m_entry->Member();
    KxPosDepositOrderDetail order;
    order.orderNo = QStringLiteral("JC%1%2")
                        .arg(DemoClock::Today().toString(QStringLiteral("yyyyMMdd")))
                        .arg(m_nextOrder++, 4, 10, QLatin1Char('0'));
    // One line per product: the same product entered twice is held once.
    for (const KxPosPluDetail& line : lines) {
        if (line.saleQty < Nothing)
            continue;
        bool merged = false;
        for (KxPosDepositPluDetail& held : order.depositPlus) {
            if (held.pluCode == line.pluCode) {
                held.depositQty += line.saleQty;
                held.takeQty = held.depositQty;
                merged = true;
            }
        }
        if (merged)
            continue;
        KxPosDepositPluDetail held;
        held.pluCode = line.pluCode;
        held.pluName = line.pluName;
        held.unitName = line.unitName;
        held.depositQty = line.saleQty;
        held.takeQty = line.saleQty;
        order.depositPlus << held;
    }
    if (order.depositPlus.isEmpty()) {
        Notify(m_entry.get(), KxPosTranslator::GetTranslation(2303));
        return;
    }
    m_orders[member.vipId] << order;
    Record(QStringLiteral("deposit %1 stored for member %2: %3 lines")
               .arg(order.orderNo, member.vipId)
               .arg(order.depositPlus.size()));
    Notify(m_entry.get(), DemoNotice::Text(QStringLiteral("寄存成功，寄存单号：%1"), QStringLiteral("Deposited, order %1")).arg(order.orderNo));
    // A new deposit starts empty; the cashier returns to the sale.
    m_entry->initValue();
    m_entry->on_btnReturn_clicked();
}

void DemoDeposits::OnEntryKey(int key)
{
    DepositPluWidget* s = m_entry.get();
    switch (key) {
    case Qt::Key_Up: s->previous(); break;
    case Qt::Key_Down: s->next(); break;
    case Qt::Key_PageUp:
    case Qt::Key_Escape: s->on_btnReturn_clicked(); break;
    case Qt::Key_PageDown: s->on_btnphone_clicked(); break;
    case Qt::Key_Delete: s->on_btnClearRow_clicked(); break;
    case Qt::Key_Backspace: s->on_btnbackspace_clicked(); break;
    case Qt::Key_Period: s->SlotKeyPressed(QStringLiteral(".")); break;
    case Qt::Key_Asterisk:
    case Qt::Key_F3: s->on_btnCount_clicked(); break;
    case Qt::Key_F2: s->on_btncard_clicked(); break;
    case Qt::Key_F4:
    case Qt::Key_F12: s->on_btnDeposit_clicked(); break;
    default: Record(QStringLiteral("deposit: key 0x%1 not mapped").arg(key, 0, 16)); break;
    }
}

// --- Pick-up ---------------------------------------------------------------------------

QList<KxPosDepositOrderDetail> DemoDeposits::OrdersOf(const QString& vipId) const
{
    return m_orders.value(vipId);
}

double DemoDeposits::HeldQuantity(const QString& orderNo, const QString& code) const
{
    for (const QList<KxPosDepositOrderDetail>& orders : m_orders) {
        for (const KxPosDepositOrderDetail& order : orders) {
            if (order.orderNo != orderNo)
                continue;
            for (const KxPosDepositPluDetail& line : order.depositPlus) {
                if (line.pluCode == code)
                    return line.depositQty;
            }
        }
    }
    return 0.0;
}

void DemoDeposits::StartPickUp()
{
    const KxPosVipDetail* member = m_host.member ? m_host.member() : nullptr;
    if (!member && m_host.loginMember) {
        m_host.loginMember();
        member = m_host.member ? m_host.member() : nullptr;
    }
    if (!member || member->vipId.isEmpty()) {
        Notify(m_anchor, KxPosTranslator::GetTranslation(2302));
        return;
    }
    const QList<KxPosDepositOrderDetail> orders = OrdersOf(member->vipId);
    if (orders.isEmpty()) {
        Record(QStringLiteral("pick-up: member %1 holds nothing").arg(member->vipId));
        Notify(m_anchor, DemoNotice::Text(QStringLiteral("该会员没有寄存的商品"), QStringLiteral("This member has no deposited goods")));
        return;
    }
    GetDepositWidget* pickUp = PickUp();
    pickUp->initValue(*member, orders);
    Place(pickUp);
    pickUp->show();
    Record(QStringLiteral("pick-up for member %1: %2 orders").arg(member->vipId).arg(orders.size()));
}

void DemoDeposits::OnEditQuantity(double held, double take)
{
    DepositPluNumbInputWidget* pad = Pad();
    pad->initValue(held, take);
    pad->adjustSize();
    pad->show();
    pad->raise();
    pad->activateWindow();
}

void DemoDeposits::OnPadQuantity(double quantity)
{
    if (m_pickUp)
        m_pickUp->setPluNum(quantityText(quantity));
    m_pad->close();
}

void DemoDeposits::OnPickUp(const KxPosVipDetail& member, const KxPosDepositOrderDetail& picked)
{
    QList<KxPosDepositOrderDetail>& orders = m_orders[member.vipId];
    QStringList taken;
    for (int o = 0; o < orders.size(); ++o) {
        KxPosDepositOrderDetail& order = orders[o];
        if (order.orderNo != picked.orderNo)
            continue;
        for (const KxPosDepositPluDetail& line : picked.depositPlus) {
            for (int i = 0; i < order.depositPlus.size(); ++i) {
                KxPosDepositPluDetail& held = order.depositPlus[i];
                if (held.pluCode != line.pluCode)
                    continue;
                // The pad tolerates a surplus of 0.01: never more than is held.
                const double take = qMin(line.takeQty, held.depositQty);
                held.depositQty -= take;
                held.takeQty = held.depositQty;
                taken << QStringLiteral("%1 x %2").arg(held.pluCode, quantityText(take));
                if (held.depositQty < Nothing)
                    order.depositPlus.removeAt(i);
                break;
            }
        }
        if (order.depositPlus.isEmpty())
            orders.removeAt(o);
        break;
    }
    if (orders.isEmpty())
        m_orders.remove(member.vipId);
    Record(QStringLiteral("picked up from %1: %2").arg(picked.orderNo, taken.join(QStringLiteral(", "))));
    Notify(m_pickUp.get(), DemoNotice::Text(QStringLiteral("取货成功"), QStringLiteral("Picked up")));

    const QList<KxPosDepositOrderDetail> remaining = OrdersOf(member.vipId);
    if (remaining.isEmpty())
        m_pickUp->on_btnReturn_clicked();
    else
        m_pickUp->initValue(member, remaining);
}

void DemoDeposits::OnPickUpKey(int key)
{
    GetDepositWidget* s = m_pickUp.get();
    switch (key) {
    case Qt::Key_Up: s->previousAccount(); break;
    case Qt::Key_Down: s->nextAccount(); break;
    case Qt::Key_Left: s->on_btnPreRow_clicked(); break;
    case Qt::Key_Right: s->on_btnNextRow_clicked(); break;
    case Qt::Key_Asterisk:
    case Qt::Key_F3: s->on_btnEditNum_clicked(); break;
    case Qt::Key_Space:
    case Qt::Key_End: s->changestate(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F12: s->on_btnGet_clicked(); break;
    case Qt::Key_PageUp:
    case Qt::Key_Escape: s->on_btnReturn_clicked(); break;
    default: Record(QStringLiteral("pick-up: key 0x%1 not mapped").arg(key, 0, 16)); break;
    }
}

// --- Screenshots ------------------------------------------------------------------------------

bool DemoDeposits::SaveScreenshots(DemoRender::Display& display)
{
    const auto keptOrders = m_orders;
    const int keptNext = m_nextOrder;
    bool ok = true;
    auto save = [&](const QString& name, const QList<QWidget*>& onTop) { ok &= display.Save(name, onTop); };

    // The menu as OpenMenu() runs it, rendered and closed from inside its modal run.
    QTimer::singleShot(0, this, [&] {
        save(QStringLiteral("deposit-menu"), {Menu()});
        Menu()->on_btnClose_clicked();
    });
    OpenMenu();

    // Deposit entry with a few goods and a quantity preset.
    StartDeposit();
    for (const QString& code : {QStringLiteral("6901234567892"), QStringLiteral("6920202888883"),
                                QStringLiteral("1001")})
        OnAddCode(code);
    m_entry->SlotKeyPressed(QStringLiteral("6"));
    m_entry->on_btnCount_clicked();
    const QString now = DemoClock::ClockText();
    m_entry->SlotTimeUpd(now);
    save(QStringLiteral("deposit-entry"), {m_entry.get()});

    // Pick-up of a sample deposit with one line ticked at a reduced quantity.
    KxPosVipDetail member = m_entry->Member();
    if (member.vipId.isEmpty()) {
        member.vipId = QStringLiteral("8812");
        member.vipName = QStringLiteral("陈晓梅");
        member.vipPhone = QStringLiteral("13812345678");
    }
    m_entry->Clear();
    m_entry->close();
    KxPosDepositOrderDetail sample;
    sample.orderNo = QStringLiteral("JC%1%2").arg(DemoClock::Today().toString(QStringLiteral("yyyyMMdd"))).arg(9001);
    for (const QString& code : {QStringLiteral("6901234567892"), QStringLiteral("6903148042441"),
                                QStringLiteral("1001")}) {
        const DemoProduct* product = m_host.findProduct ? m_host.findProduct(code) : nullptr;
        if (!product)
            continue;
        KxPosDepositPluDetail line;
        line.pluCode = product->code;
        line.pluName = DemoNotice::Text(product->name, product->nameEn);
        line.unitName = DemoNotice::Text(product->unit, product->unitEn);
        line.depositQty = product->weighed ? 1.5 : 6;
        line.takeQty = line.depositQty;
        sample.depositPlus << line;
    }
    KxPosDepositOrderDetail older = sample;
    older.orderNo = QStringLiteral("JC%1%2").arg(DemoClock::Today().addDays(-3).toString(QStringLiteral("yyyyMMdd"))).arg(8002);
    m_orders[member.vipId] = {older, sample};
    GetDepositWidget* pickUp = PickUp();
    pickUp->initValue(member, OrdersOf(member.vipId));
    Place(pickUp);
    pickUp->show();
    pickUp->SlotTimeUpd(now);
    pickUp->on_btnNextRow_clicked();
    pickUp->setPluNum(QStringLiteral("2.00"));
    if (QCheckBox* first = pickUp->getCheckBox(0))
        first->setChecked(true);
    save(QStringLiteral("deposit-pickup"), {pickUp});

    // The pad over the pick-up screen.
    OnEditQuantity(6, 2);
    save(QStringLiteral("deposit-pad"), {pickUp, m_pad.get()});
    m_pad->close();
    pickUp->close();

    m_orders = keptOrders;
    m_nextOrder = keptNext;
    return ok;
}
