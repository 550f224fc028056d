#include "DemoHost.h"

#include "DemoNotice.h"

#include "DemoClock.h"
#include "DemoFunctionKey.h"
#include "DemoMemberLogin.h"

#include "contracts/TableModel.h"
#include "coupon/CouponUsageWidget.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QApplication>
#include <QCompleter>
#include <QStandardItemModel>
#include <QStringListModel>
#include <QDateTime>
#include <QDebug>
#include <QKeyEvent>
#include <QPushButton>
#include <QLocale>
#include <QRandomGenerator>
#include <QShortcut>

#include <algorithm>

namespace {
// Function codes the demo understands.
const QString FnMember = QStringLiteral("F001");
const QString FnClear = QStringLiteral("F002");
const QString FnDelete = QStringLiteral("F003");
const QString FnPlus = QStringLiteral("F004");
const QString FnMinus = QStringLiteral("F005");
const QString FnHold = QStringLiteral("F006");
const QString FnRecall = QStringLiteral("F007");
const QString FnPlaceItem = QStringLiteral("F008");
const QString FnLanguage = QStringLiteral("F009");
const QString FnLogout = QStringLiteral("F010");
const QString FnCoupons = QStringLiteral("F013");
// Caption of the sales screen's clear-tare key.
constexpr int ClearTareCaptionId = 7008;
const QString FnDeposit = QStringLiteral("F014");
const QString FnOrders = QStringLiteral("F015");
const QString FnExchangeCoupons = QStringLiteral("F019");
const QString FnCancelCouponPay = QStringLiteral("F020");

const auto function = DemoFunctionKey;
} // namespace

// The demo's resources live in a static library: the linker keeps them only
// when they are registered explicitly (outside any namespace).
static void initDemoResources()
{
    Q_INIT_RESOURCE(demo);
    Q_INIT_RESOURCE(data);
}

DemoHost::Resources::Resources()
{
    initDemoResources();
}

DemoHost::DemoHost(QObject* parent)
    : QObject(parent)
    , m_screen(std::make_unique<TradeWidget>(0, nullptr))
{
    m_memberLogin = new DemoMemberLogin(m_screen.get());
    connect(m_memberLogin, &DemoMemberLogin::CodeEntered, this, &DemoHost::LogInMember);
    // Suggestions show "code name"; choosing one (tap, or arrows and Enter)
    // enters the code.
    m_suggestions = new QStandardItemModel(this);
    FillSuggestions();
    m_completer = new QCompleter(m_suggestions, this);
    m_completer->setCompletionRole(Qt::UserRole);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    QMetaObject::invokeMethod(m_screen.get(), "SlotTrdBackCompleterModel", Q_ARG(QCompleter*, m_completer));
    Wire();
    m_orders = std::make_unique<DemoOrders>(m_screen.get(), &m_sale);
    m_orders->SetWeightReader([this] { return m_scale.IsStable() ? m_scale.NetWeight() : 0.0; });
    m_options = std::make_unique<DemoOptions>(m_screen.get(), this);
    m_options->SetIdReader([this] { return m_members.IdNumber(); });
    connect(m_options.get(), &DemoOptions::Log, this, &DemoHost::Record);
    connect(m_options.get(), &DemoOptions::ProductKeyPressed, this, &DemoHost::OnAddProduct);
    WireDeposits();
    WireCoupons();
    InitFunctions();
    PushHostTexts();
    // The screen sets its own texts again on a language switch; the texts
    // that come from the host follow right after.
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this, &DemoHost::PushHostTexts);
    m_screen->RefreshEmployeeButton(m_members.Clerks());
    m_screen->updateDynData(5, m_bills.Current());

    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &DemoHost::Tick);
}

DemoHost::~DemoHost()
{
    m_orders.reset();
    // The services talk to the coupon screens until they go.
    m_deductCoupons.reset();
    m_exchangeCoupons.reset();
}

void DemoHost::WireDeposits()
{
    DemoDeposits::Host hooks;
    hooks.member = [this]() -> const KxPosVipDetail* { return m_members.LoggedIn() ? &m_members.Member() : nullptr; };
    hooks.loginMember = [this] { OnMemberLogin(); };
    hooks.clerks = [this] { return m_members.Clerks(); };
    hooks.findProduct = [this](const QString& code) { return m_catalogue.Find(code); };
    hooks.saleLines = [this] { return m_sale.Lines(); };
    hooks.suggestions = m_suggestions;
    m_deposits = std::make_unique<DemoDeposits>(hooks, m_screen.get());
    connect(m_deposits.get(), &DemoDeposits::Logged, this, &DemoHost::Record);
    connect(m_deposits.get(), &DemoDeposits::Finished, this, [this] { m_screen->StartTimerFocus(); });
}

void DemoHost::WireCoupons()
{
    // One coupon screen per mode: the screen keeps the mode it was built in.
    // Both open over the sales screen, modal to it.
    DemoCoupons::PrepareConfig();
    const bool savedMode = KxPosConfig::m_isCouponForDeduct;
    KxPosConfig::m_isCouponForDeduct = true;
    m_deductScreen = std::make_unique<CouponUsageWidget>(m_screen.get());
    KxPosConfig::m_isCouponForDeduct = false;
    m_exchangeScreen = std::make_unique<CouponUsageWidget>(m_screen.get());
    KxPosConfig::m_isCouponForDeduct = savedMode;

    m_deductCoupons = std::make_unique<DemoCoupons>(m_deductScreen.get());
    m_exchangeCoupons = std::make_unique<DemoCoupons>(m_exchangeScreen.get());
    m_exchangeCoupons->SetWeightReader([this] { return m_scale.IsStable() ? m_scale.NetWeight() : 0.0; });
    // Thresholds look at the goods after discounts and promotions.
    m_deductCoupons->SetSaleValueReader([this] { return m_sale.PromotionBase() - (m_sale.BillPromotionApplies() ? DemoSale::BillPromotionOff : 0.0); });
    // The scale stands beside the till whatever screen is open: F5 and F6 put
    // goods on the simulated scale and take them off over the coupon screens
    // too, where exchanged goods are weighed.
    for (QWidget* coupons : {static_cast<QWidget*>(m_deductScreen.get()), static_cast<QWidget*>(m_exchangeScreen.get())}) {
        auto* place = new QShortcut(QKeySequence(Qt::Key_F5), coupons, [this] { OnFunction(FnPlaceItem); });
        auto* remove = new QShortcut(QKeySequence(Qt::Key_F6), coupons, [this] { m_scale.RemoveItem(); });
        place->setContext(Qt::WidgetWithChildrenShortcut);
        remove->setContext(Qt::WidgetWithChildrenShortcut);
    }
    for (DemoCoupons* service : {m_deductCoupons.get(), m_exchangeCoupons.get()}) {
        connect(service, &DemoCoupons::SignCouponSaleUpdate, this, &DemoHost::OnCouponProducts);
        connect(service, &DemoCoupons::Closed, this, [this] { m_screen->StartTimerFocus(); });
    }
}

void DemoHost::OnCouponProducts(const QList<KxPosPluDetail>& products)
{
    for (const KxPosPluDetail& plu : products) {
        DemoProduct product;
        product.code = plu.pluCode;
        product.name = product.nameEn = plu.pluName;
        product.price = plu.salePrice;
        product.unit = product.unitEn = plu.unitName;
        product.weighed = plu.weighFlag == QLatin1String("1");
        product.package = plu.subItems;
        m_sale.Add(product, plu.saleQty, plu.unitName, plu.pluName);
    }
    PushCouponDeduction();
    Record(QStringLiteral("coupons: %1 products added, %2 deducted").arg(products.size()).arg(m_sale.Deduction(), 0, 'f', 2));
    Rebind();
}

void DemoHost::PushCouponDeduction()
{
    const double deducted = m_deductCoupons->DeductedAmount() + m_exchangeCoupons->DeductedAmount();
    m_sale.SetDeduction(deducted);
    m_screen->UpdateCouponDeductAmount(QString::number(m_sale.Deduction(), 'f', 2), QVariant());
}

void DemoHost::Record(const QString& entry)
{
    // The log is for reading back the recent steps; a day of trading keeps
    // only the last ones instead of growing with every sale.
    m_log << entry;
    if (m_log.size() > LogLimit)
        m_log.removeFirst();
    qDebug().noquote() << "demo host:" << entry;
}

void DemoHost::Show(bool kiosk)
{
    if (kiosk) {
        m_screen->setWindowFlag(Qt::FramelessWindowHint);
        m_screen->setWindowState(Qt::WindowFullScreen);
    }
    m_screen->show();
    m_clock.start();
    Tick();
    m_scale.Start();
}

void DemoHost::Tick()
{
    const QString now = DemoClock::ClockText();
    QMetaObject::invokeMethod(m_screen.get(), "SlotTimeUpd", Q_ARG(QString, now));
    if (m_deposits)
        m_deposits->SlotTimeUpd(now);
    UpdateNotice();
}

void DemoHost::UpdateNotice()
{
    const int count = m_orders ? m_orders->CountInStatus(QStringLiteral("0")) : 0;
    if (count == m_noticeCount)
        return;
    m_noticeCount = count;
    m_screen->SetMsgNotice(count, DemoNotice::Text(QStringLiteral("新订单"), QStringLiteral("New orders")));
}

void DemoHost::Wire()
{
    TradeWidget* s = m_screen.get();
    connect(s, &TradeWidget::SignTrdAddProduct, this, &DemoHost::OnAddProduct);
    connect(s, &TradeWidget::SignTrdSetProdWeight, this, &DemoHost::OnSetWeight);
    connect(s, &TradeWidget::SignModifyNumb, this, &DemoHost::OnModifyQuantity);
    connect(s, &TradeWidget::SignTrdSubProduct, this, &DemoHost::OnRemoveLine);
    connect(s, &TradeWidget::SignTrdClearSaleList, this, &DemoHost::AbandonSale);
    connect(s, &TradeWidget::SignTrdGotoPay, this, &DemoHost::OnPay);
    connect(s, &TradeWidget::SignTrdDynFunc, this, &DemoHost::OnFunction);
    connect(s, &TradeWidget::SignTrdKeyPressed, this, &DemoHost::OnKey);
    connect(s, &TradeWidget::SignTrdStartTrade, this, [this] { StartSale(false); });
    connect(s, &TradeWidget::SignChoosedVipSysType, this, &DemoHost::OnMemberLogin);
    connect(s, &TradeWidget::SignTrdRebindModel, this, &DemoHost::Rebind);
    connect(s, &TradeWidget::SignSelectEmployee, this, &DemoHost::OnSelectClerk);
    connect(s, &TradeWidget::SignNewEmployee, this, [this] {
        const KxPosEmployeeDetail clerk = m_members.AddClerk(DemoNotice::Text(QStringLiteral("新员工"), QStringLiteral("New clerk")));
        m_screen->RefreshEmployeeButton(m_members.Clerks());
        Record(QStringLiteral("clerk %1 added").arg(clerk.employeeCode));
    });
    connect(s, &TradeWidget::SignSaveBtnEdit, this, [this](QList<dynMapButton> shortcuts) {
        m_screen->shortcutFunctions = shortcuts;
        m_screen->UpdateCutBtnInit();
        Record(QStringLiteral("shortcut bar saved: %1 keys").arg(shortcuts.size()));
    });
    connect(s, &TradeWidget::SignTrdSelectBill, this, &DemoHost::OnSelectBill);
    connect(s, &TradeWidget::SignShowAllNotice, this, [this] {
        Record(QStringLiteral("notice key: new orders"));
        OpenOrders();
    });
    connect(s, &TradeWidget::SignSendZero, this, [this] { m_scale.Zero(); });
    // The scale's tare key takes the tare; of the weighing strip's keys the
    // clear-tare key (told by its caption) clears it, the tare key takes it.
    connect(s, &TradeWidget::SignSendTare, this, [this](const QString& key, bool isTare) {
        if (!isTare && key == KxPosTranslator::GetTranslation(ClearTareCaptionId))
            m_scale.ClearTare();
        else
            m_scale.TakeTare();
    });
    connect(s, &TradeWidget::SignUpdateWeighWidget, this, [this](TareUpdateType type, const QVariant& data) {
        if (type == PresetTareSelected)
            m_scale.SetPresetTare(data.toDouble());
        else if (type == PresetTareReleased || type == TareCleared)
            m_scale.ClearTare();
        else if (type == TareTaken)
            m_scale.TakeTare();
    });
    connect(&m_scale, &DemoScale::Reading, this,
            [this](double weight, double tare, bool stable, bool tareSet, bool atZero, int status) {
                QMetaObject::invokeMethod(m_screen.get(), "SlotShowProdWeight", Q_ARG(double, weight),
                                          Q_ARG(double, tare), Q_ARG(bool, stable), Q_ARG(bool, tareSet),
                                          Q_ARG(bool, atZero), Q_ARG(int, status));
            });
}

void DemoHost::InitFunctions()
{
    m_screen->gridFunctions = {
        function(FnMember, QStringLiteral("会员"), QStringLiteral("Member")),
        function(FnPlus, QStringLiteral("数量加一"), QStringLiteral("Qty +1")),
        function(FnMinus, QStringLiteral("数量减一"), QStringLiteral("Qty -1")),
        function(FnDelete, QStringLiteral("删除商品"), QStringLiteral("Delete line")),
        function(FnClear, QStringLiteral("整单取消"), QStringLiteral("Void sale")),
        function(FnHold, QStringLiteral("挂单"), QStringLiteral("Hold bill")),
        function(FnRecall, QStringLiteral("取单"), QStringLiteral("Recall bill")),
        function(FnPlaceItem, QStringLiteral("模拟称重"), QStringLiteral("Put on scale")),
        function(FnLanguage, QStringLiteral("English"), QStringLiteral("中文")),
        // The tenth and last key of the shortcut bar, above "More": the menu
        // of the functions behind it, with the key that opens it (the key on
        // a line of its own: a narrow key would otherwise break before "】").
        function(FnMenu, QStringLiteral("功能菜单\n【/】"), QStringLiteral("Menu [/]")),
        function(FnLogout, QStringLiteral("会员退出"), QStringLiteral("Member logout")),
        function(FnLineDiscount, QStringLiteral("单品折扣"), QStringLiteral("Line discount")),
        function(FnBillDiscount, QStringLiteral("整单折扣"), QStringLiteral("Bill discount")),
        function(FnCoupons, QStringLiteral("优惠券"), QStringLiteral("Coupons")),
        function(FnExchangeCoupons, QStringLiteral("券兑换"), QStringLiteral("Exchange coupons")),
        function(FnCancelCouponPay, QStringLiteral("撤销券支付"), QStringLiteral("Cancel coupon payment")),
        function(FnDeposit, QStringLiteral("寄存"), QStringLiteral("Deposit")),
        function(FnOrders, QStringLiteral("线上订单"), QStringLiteral("Online orders")),
        function(FnDrawer, QStringLiteral("打开钱箱"), QStringLiteral("Open drawer")),
        function(FnReprint, QStringLiteral("重打小票"), QStringLiteral("Reprint receipt")),
        function(FnReturnSale, QStringLiteral("退货"), QStringLiteral("Return goods")),
        function(FnChangePrice, QStringLiteral("改价"), QStringLiteral("Change price")),
        function(FnKeyboard, QStringLiteral("键盘"), QStringLiteral("Keyboard")),
        function(FnIdle, QStringLiteral("暂停收银"), QStringLiteral("Pause till")),
        function(FnDepositSale, QStringLiteral("整单寄存"), QStringLiteral("Deposit last sale")),
    };
    m_screen->gridFunctions << DemoOptions::Functions();
    m_screen->InitFuncArea();
}

void DemoHost::PushHostTexts()
{
    // The sale's goods are named in the language shown.
    bool renamed = false;
    for (KxPosPluDetail& line : m_sale.Lines()) {
        if (const DemoProduct* product = m_catalogue.Find(line.pluCode)) {
            line.pluName = DemoNotice::Text(product->name, product->nameEn);
            line.unitName = product->weighed ? KxPosTranslator::GetTranslation(673) : DemoNotice::Text(product->unit, product->unitEn);
            renamed = true;
        }
    }
    if (renamed)
        Rebind();
    FillSuggestions();
    m_screen->SetQuickPay(DemoNotice::Text(QStringLiteral("微信"), QStringLiteral("WeChat")),
                          DemoNotice::Text(QStringLiteral("支付宝"), QStringLiteral("Alipay")),
                          DemoNotice::Text(QStringLiteral("现金"), QStringLiteral("Cash")));
    if (m_members.LoggedIn())
        ShowMember();
    if (m_orders)
        m_orders->UpdatePromotions();
    m_noticeCount = -1;
    UpdateNotice();
}

void DemoHost::FillSuggestions()
{
    m_catalogue.FillSuggestions(m_suggestions, KxPosConfig::sLanguage.startsWith(QLatin1String("en")));
    // The food products are suggested too; choosing one opens its options.
    for (const DemoFood& food : DemoOptions::Foods()) {
        const DemoProduct& p = food.product;
        auto* item = new QStandardItem(p.code + QLatin1Char(' ') + DemoNotice::Text(p.name, p.nameEn));
        item->setData(p.code, Qt::UserRole);
        item->setEditable(false);
        m_suggestions->appendRow(item);
    }
}

void DemoHost::ShowMember()
{
    KxPosVipDetail shown = m_members.Shown(KxPosConfig::sLanguage.startsWith(QLatin1String("en")));
    QMetaObject::invokeMethod(m_screen.get(), "SlotTrdSetMemberInfo", Q_ARG(KxPosVipDetail*, &shown));
}

void DemoHost::Rebind()
{
    m_screen->rebindModel(m_sale.Lines(), m_members.Clerks());
    PushTotals();
}

void DemoHost::PushTotals()
{
    m_screen->updateDynData(1, QString::number(m_sale.ItemCount(), 'g', 6));
    // Discount: what line and bill discounts and promotions took off, and
    // the coupons.
    const double discounts = m_sale.Original() - m_sale.Total() + m_sale.Promotion() + m_sale.Deduction();
    m_screen->updateDynData(2, QString::number(discounts, 'f', 2));
    m_screen->updateDynData(3, QString::number(m_sale.Due(), 'f', 2));
    m_screen->updateDynData(4, QString::number(m_sale.Original(), 'f', 2));
}

void DemoHost::StartSale(bool previousPaid)
{
    Record(QStringLiteral("new sale"));
    m_screen->SetTradeActive(true);
    m_sale.Clear();
    if (m_deductCoupons)
        m_deductCoupons->NewSale(previousPaid);
    if (m_exchangeCoupons)
        m_exchangeCoupons->NewSale(previousPaid);
    PushCouponDeduction();
    PushTotals();
}

void DemoHost::AbandonSale()
{
    m_sale.Clear();
    m_deductCoupons->NewSale(false);
    m_exchangeCoupons->NewSale(false);
    PushCouponDeduction();
    Rebind();
}

void DemoHost::Scan(const QString& code)
{
    for (const QChar c : code) {
        const int key = c.isDigit() ? Qt::Key_0 + (c.unicode() - '0') : c.toUpper().unicode();
        PressKey(key, QString(c));
    }
    PressKey(Qt::Key_Return, QStringLiteral("\r"));
}

void DemoHost::PressKey(int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(m_screen.get(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(m_screen.get(), &release);
}

void DemoHost::OnAddProduct(const QString& code)
{
    if (DemoOptions::FindFood(code)) {
        if (m_options->SellFood(code, m_sale))
            Rebind();
        return;
    }
    const DemoProduct* product = m_catalogue.Find(code);
    if (!product) {
        Record(QStringLiteral("unknown code %1").arg(code));
        DemoNotice::Show(m_screen.get(), DemoNotice::Text(QStringLiteral("未找到商品：%1"), QStringLiteral("No product with code %1")).arg(code));
        return;
    }
    const QString unit = product->weighed ? KxPosTranslator::GetTranslation(673) : DemoNotice::Text(product->unit, product->unitEn);
    double quantity = 1.0;
    // A quantity typed before the product waits in a placeholder line.
    const TableModel* table = m_screen->GetTable()->model();
    const int rows = table ? table->rowCount() : 0;
    if (rows > 0 && table->data(rows - 1, 1) == QLatin1String("0")) {
        const double typed = table->data(rows - 1, 4).toDouble();
        if (typed > 0)
            quantity = typed;
    }
    if (product->weighed)
        quantity = m_scale.IsStable() ? qMax(0.0, m_scale.NetWeight()) : 0.0;
    m_sale.Add(*product, quantity, unit, DemoNotice::Text(product->name, product->nameEn));
    Record(QStringLiteral("added %1 x %2").arg(code).arg(quantity));
    Rebind();
}

void DemoHost::OnSetWeight(int, const QString& code, double weight)
{
    if (weight <= 0 || m_sale.IsEmpty())
        return;
    const int row = m_sale.Lines().size() - 1;
    if (m_sale.Lines().at(row).pluCode == code && m_sale.SetQuantity(row, weight))
        Rebind();
}

void DemoHost::OnModifyQuantity(double quantity)
{
    // The screen asks for the current line; the demo keeps it as the last one
    // selected, which the table reports through its selection.
    const int row = m_screen->GetTable()->currentRow();
    if (quantity <= 0) {
        OnRemoveLine(row);
        return;
    }
    if (m_sale.SetQuantity(row, quantity)) {
        Rebind();
        // The rebuilt table selects its last line; the cashier stays on the
        // line just changed, so that the next + or - goes to it again.
        m_screen->ScrollSpecifyRow(row);
    }
}

void DemoHost::OnRemoveLine(int row)
{
    if (m_sale.Remove(row))
        Rebind();
}

void DemoHost::OnPay(int, const QString& payCode)
{
    if (m_sale.IsEmpty()) {
        Record(QStringLiteral("pay requested on an empty sale"));
        return;
    }
    DemoPayment paid;
    if (m_returnSale) {
        // Goods given back: the customer gets the amount back, shown as
        // the change to hand over; the next sale is a sale again.
        paid = m_payments.Refund(m_sale.Due());
        Record(QStringLiteral("refunded %1").arg(paid.change, 0, 'f', 2));
        m_returnSale = false;
    } else {
        paid = m_payments.Pay(payCode, m_sale.Due());
        m_lastPaid.saleNo = QStringLiteral("S%1").arg(m_payments.History().size(), 6, 10, QLatin1Char('0'));
        m_lastPaid.lines = m_sale.Lines();
        m_lastPaid.member = m_members.LoggedIn() ? m_members.Member() : KxPosVipDetail();
        Record(QStringLiteral("paid %1 by %2, change %3")
                   .arg(paid.due, 0, 'f', 2)
                   .arg(payCode.isEmpty() ? QStringLiteral("choice") : payCode)
                   .arg(paid.change, 0, 'f', 2));
    }
    m_sale.Clear();
    Rebind();
    // The sale is over: its member leaves with it.
    if (m_members.LoggedIn()) {
        m_members.SetLoggedIn(false);
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdMemberLogOut");
        Record(QStringLiteral("member %1 logged out").arg(m_members.Member().vipCode));
    }
    // The next sale starts at once, while the change is shown: the key or
    // scan that closes the change popup is already the next sale's first
    // entry (with clerks on, a key in the idle state would only be answered
    // with the start message and the scan would be lost).
    m_screen->initValue(false);
    StartSale(true);
    m_screen->ShowChange(paid.change);
}

void DemoHost::OnFunction(const QString& code)
{
    Record(QStringLiteral("function %1").arg(code));
    if (m_options->HandleFunction(code) || HandleTillDuty(code))
        return;
    if (code == FnMember) {
        OnMemberLogin();
    } else if (code == FnMenu) {
        OpenFunctionMenu();
    } else if (code == FnLogout) {
        m_members.SetLoggedIn(false);
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdMemberLogOut");
    } else if (code == FnPlus) {
        m_screen->SlotAdd();
    } else if (code == FnMinus) {
        m_screen->SlotMinus();
    } else if (code == FnDelete) {
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdSubProduct");
    } else if (code == FnClear) {
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdClearSaleList");
    } else if (code == FnPlaceItem) {
        m_scale.PlaceItem(0.2 + DemoClock::Random().bounded(1500) / 1000.0);
    } else if (code == FnHold || code == FnRecall) {
        // Holding parks the sale under the next free bill; recalling brings
        // back the first held one.
        const QStringList held = m_bills.HeldBills();
        QString target;
        if (code == FnRecall) {
            target = held.value(0);
        } else {
            for (const QString& bill : {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"),
                                        QStringLiteral("04")}) {
                if (bill != m_bills.Current() && !held.contains(bill)) {
                    target = bill;
                    break;
                }
            }
        }
        if (!target.isEmpty())
            OnSelectBill(target);
    } else if (code == FnCoupons) {
        m_deductCoupons->Open();
    } else if (code == FnExchangeCoupons) {
        m_exchangeCoupons->Open();
    } else if (code == FnCancelCouponPay) {
        if (m_deductCoupons->CancelMainCouponPayRecord())
            OnCouponProducts({});
        else
            Notify(QStringLiteral("没有可撤销的券支付"), QStringLiteral("No coupon payment to cancel"));
    } else if (code == FnOrders) {
        OpenOrders();
    } else if (code == FnDeposit) {
        m_deposits->OpenMenu();
    } else if (code == FnLanguage) {
        const bool english = KxPosConfig::sLanguage.startsWith(QLatin1String("en"));
        KxPosTranslator::SetLanguage(english ? QStringLiteral("zh_CN") : QStringLiteral("en"));
    }
}

const QVector<DemoHost::KeyBinding>& DemoHost::Keys()
{
    // A key whose function a function key would do just as well leaves the
    // action empty; the others act on the screen directly, as the screen's
    // own keys do (without the function's log entry). F2 opens the member
    // log-in as the member key does.
    static const QVector<KeyBinding> keys{
        {Qt::Key_Plus, FnPlus, [](DemoHost& h) { h.m_screen->SlotAdd(); }},
        {Qt::Key_Minus, FnMinus, [](DemoHost& h) { h.m_screen->SlotMinus(); }},
        {Qt::Key_Delete, FnDelete, [](DemoHost& h) { QMetaObject::invokeMethod(h.m_screen.get(), "SlotTrdSubProduct"); }},
        {Qt::Key_Up, QString(), [](DemoHost& h) { h.m_screen->previousRow(); }},
        {Qt::Key_Down, QString(), [](DemoHost& h) { h.m_screen->nextRow(); }},
        {Qt::Key_F1, FnOrders, nullptr},
        {Qt::Key_F2, FnMember, [](DemoHost& h) { h.OnMemberLogin(); }},
        {Qt::Key_F3, FnLogout, nullptr},
        {Qt::Key_F4, FnCoupons, nullptr},
        {Qt::Key_F7, FnExchangeCoupons, nullptr},
        {Qt::Key_F8, FnDeposit, nullptr},
        {Qt::Key_F9, FnHold, nullptr},
        {Qt::Key_F11, FnRecall, nullptr},
        {Qt::Key_F5, FnPlaceItem, nullptr},
        {Qt::Key_F6, QString(), [](DemoHost& h) { h.m_scale.RemoveItem(); }},
        {Qt::Key_F10, FnLanguage, nullptr},
        {Qt::Key_F12, QString(), [](DemoHost& h) { h.m_screen->pay(QStringLiteral("CashPay")); }},
        // The clerk key of the screen (42: btnphone): its menu then takes the
        // arrow keys and Enter.
        {Qt::Key_Asterisk, QString(), [](DemoHost& h) { h.m_screen->getUiQPushButton(42)->click(); }},
        {Qt::Key_Slash, FnMenu, [](DemoHost& h) { h.OpenFunctionMenu(); }},
    };
    return keys;
}

void DemoHost::OnKey(const QString&, int key)
{
    for (const KeyBinding& binding : Keys()) {
        if (binding.key != key)
            continue;
        if (binding.action)
            binding.action(*this);
        else
            OnFunction(binding.function);
        return;
    }
    Record(QStringLiteral("key 0x%1 not mapped").arg(key, 0, 16));
}

bool DemoHost::HasOwnKey(const QString& code)
{
    return !code.isEmpty() && std::any_of(Keys().cbegin(), Keys().cend(),
                                          [&code](const KeyBinding& binding) { return binding.function == code; });
}

void DemoHost::OnMemberLogin()
{
    m_memberLogin->Ask();
}

void DemoHost::LogInMember(const QString& code)
{
    if (!m_members.LogIn(code)) {
        m_memberLogin->Refuse(code);
        Record(QStringLiteral("member %1 not found").arg(code));
        return;
    }
    m_memberLogin->hide();
    ShowMember();
    Record(QStringLiteral("member %1 logged in").arg(m_members.Member().vipCode));
    m_screen->StartTimerFocus();
}

void DemoHost::OpenOrders()
{
    // The order panel keeps the preset keys beside it, for goods added while
    // an order is picked; without them that half stays empty. Whether the
    // cashier had them on the sale page is kept for the way back.
    if (!m_orders->IsOpen())
        m_presetKeysBeforeOrders = m_screen->LayoutMode() == 1;
    m_options->ShowPresetKeys(false);
    m_orders->Open();
    m_options->ShowPresetKeys();
}

void DemoHost::CloseOrders()
{
    if (!m_orders->IsOpen())
        return;
    m_orders->Close();
    // Back on the sale page the preset keys stay only if the cashier had
    // them there before the orders.
    if (!m_presetKeysBeforeOrders && m_screen->LayoutMode() == 1)
        m_options->ShowPresetKeys(true);
}

void DemoHost::OnSelectClerk(const QString& code)
{
    if (!m_members.ChooseClerk(code))
        return;
    m_screen->RefreshEmployeeButton(m_members.Clerks());
    Record(QStringLiteral("clerk %1 chosen").arg(code));
}

void DemoHost::OnSelectBill(const QString& bill)
{
    if (bill == QLatin1String("Order")) {
        Record(QStringLiteral("order bill selected"));
        m_screen->UpdateBtnBillNumber(bill);
        OpenOrders();
        return;
    }
    CloseOrders();
    if (bill == m_bills.Current() || bill.isEmpty())
        return;
    // The bill leaves with everything of its sale: member, clerk, coupons.
    DemoBill current;
    current.sale = m_sale;
    current.memberLoggedIn = m_members.LoggedIn();
    current.member = m_members.Member();
    if (const KxPosEmployeeDetail* clerk = m_members.CurrentClerk())
        current.clerkCode = clerk->employeeCode;
    current.deductCoupons = m_deductCoupons->HoldSale();
    current.exchangeCoupons = m_exchangeCoupons->HoldSale();
    m_bills.Switch(bill, current);

    m_sale = current.sale;
    m_deductCoupons->RecallSale(current.deductCoupons);
    m_exchangeCoupons->RecallSale(current.exchangeCoupons);
    m_members.Member() = current.member;
    m_members.SetLoggedIn(current.memberLoggedIn);
    if (current.memberLoggedIn)
        ShowMember();
    else
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdMemberLogOut");
    if (!current.clerkCode.isEmpty())
        m_members.ChooseClerk(current.clerkCode);
    else
        m_members.ClearClerk();
    m_screen->RefreshEmployeeButton(m_members.Clerks());
    PushCouponDeduction();
    m_screen->UpdateBtnBillNumber(bill);
    m_screen->updateDynData(5, bill);
    Rebind();
    Record(QStringLiteral("bill %1 selected, held: %2").arg(bill, m_bills.HeldBills().join(QLatin1Char(','))));
}
