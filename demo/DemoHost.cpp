#include "DemoHost.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QKeyEvent>
#include <QLocale>
#include <QRandomGenerator>

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

dynMapButton function(const QString& code, const QString& zh, const QString& en)
{
    dynMapButton b;
    b.funcId = code;
    b.funcCode = code;
    b.funcName = zh;
    b.funcNameEn = en;
    return b;
}
} // namespace

DemoHost::DemoHost(QObject* parent)
    : QObject(parent)
    , m_screen(std::make_unique<TradeWidget>(0, nullptr))
{
    m_clerks = {
        {QStringLiteral("E01"), QStringLiteral("张敏"), true},
        {QStringLiteral("E02"), QStringLiteral("李娜"), false},
        {QStringLiteral("E03"), QStringLiteral("王强"), false},
    };
    m_member.vipCode = QStringLiteral("M0008812");
    m_member.vipId = QStringLiteral("8812");
    m_member.vipName = QStringLiteral("陈晓梅");
    m_member.vipPhone = QStringLiteral("13812345678");
    m_member.vipPoints = 1268.5;
    m_member.levelName = QStringLiteral("金卡会员");
    m_member.extValues.insert(QStringLiteral("Balance"), QStringLiteral("356.80"));

    Wire();
    InitFunctions();
    m_screen->SetQuickPay(Text(QStringLiteral("微信"), QStringLiteral("WeChat")),
                          Text(QStringLiteral("支付宝"), QStringLiteral("Alipay")),
                          Text(QStringLiteral("现金"), QStringLiteral("Cash")));
    m_screen->RefreshEmployeeButton(m_clerks);
    m_screen->updateDynData(5, QStringLiteral("000001"));

    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &DemoHost::Tick);
}

DemoHost::~DemoHost() = default;

QString DemoHost::Text(const QString& zh, const QString& en) const
{
    return KxPosConfig::sLanguage.startsWith(QLatin1String("en")) ? en : zh;
}

void DemoHost::Record(const QString& entry)
{
    m_log << entry;
    qDebug().noquote() << "demo host:" << entry;
}

void DemoHost::Show()
{
    m_screen->show();
    m_clock.start();
    Tick();
    m_scale.Start();
}

void DemoHost::Tick()
{
    const QString now = QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyy-MM-dd ddd hh:mm:ss"));
    QMetaObject::invokeMethod(m_screen.get(), "SlotTimeUpd", Q_ARG(QString, now));
}

void DemoHost::Wire()
{
    TradeWidget* s = m_screen.get();
    connect(s, &TradeWidget::SignTrdAddProduct, this, &DemoHost::OnAddProduct);
    connect(s, &TradeWidget::SignTrdSetProdWeight, this, &DemoHost::OnSetWeight);
    connect(s, &TradeWidget::SignModifyNumb, this, &DemoHost::OnModifyQuantity);
    connect(s, &TradeWidget::SignTrdSubProduct, this, &DemoHost::OnRemoveLine);
    connect(s, &TradeWidget::SignTrdClearSaleList, this, [this] {
        m_sale.Clear();
        Rebind();
    });
    connect(s, &TradeWidget::SignTrdGotoPay, this, &DemoHost::OnPay);
    connect(s, &TradeWidget::SignTrdDynFunc, this, &DemoHost::OnFunction);
    connect(s, &TradeWidget::SignTrdKeyPressed, this, &DemoHost::OnKey);
    connect(s, &TradeWidget::SignTrdStartTrade, this, [this] {
        Record(QStringLiteral("new sale"));
        m_sale.Clear();
        PushTotals();
    });
    connect(s, &TradeWidget::SignChoosedVipSysType, this, &DemoHost::OnMemberLogin);
    connect(s, &TradeWidget::SignTrdRebindModel, this, &DemoHost::Rebind);
    connect(s, &TradeWidget::SignSelectEmployee, this, &DemoHost::OnSelectClerk);
    connect(s, &TradeWidget::SignNewEmployee, this, [this] { Record(QStringLiteral("add clerk requested")); });
    connect(s, &TradeWidget::SignSaveBtnEdit, this, [this](QList<dynMapButton> shortcuts) {
        m_screen->shortcutFunctions = shortcuts;
        m_screen->UpdateCutBtnInit();
        Record(QStringLiteral("shortcut bar saved: %1 keys").arg(shortcuts.size()));
    });
    connect(s, &TradeWidget::SignTrdSelectBill, this,
            [this](const QString& bill) { Record(QStringLiteral("bill %1 selected").arg(bill)); });
    connect(s, &TradeWidget::SignSendZero, this, [this] { m_scale.Zero(); });
    connect(s, &TradeWidget::SignSendTare, this, [this](const QString&, bool isTare) {
        if (isTare || m_scale.Tare() <= 0.0)
            m_scale.TakeTare();
        else
            m_scale.ClearTare();
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
        function(FnLogout, QStringLiteral("会员退出"), QStringLiteral("Member logout")),
        function(FnLanguage, QStringLiteral("English"), QStringLiteral("中文")),
        function(QStringLiteral("F011"), QStringLiteral("单品折扣"), QStringLiteral("Line discount")),
        function(QStringLiteral("F012"), QStringLiteral("整单折扣"), QStringLiteral("Bill discount")),
        function(QStringLiteral("F013"), QStringLiteral("优惠券"), QStringLiteral("Coupons")),
        function(QStringLiteral("F014"), QStringLiteral("寄存"), QStringLiteral("Deposit")),
        function(QStringLiteral("F015"), QStringLiteral("线上订单"), QStringLiteral("Online orders")),
        function(QStringLiteral("F016"), QStringLiteral("打开钱箱"), QStringLiteral("Open drawer")),
        function(QStringLiteral("F017"), QStringLiteral("重打小票"), QStringLiteral("Reprint receipt")),
        function(QStringLiteral("F018"), QStringLiteral("交班"), QStringLiteral("Shift handover")),
    };
    m_screen->InitFuncArea();
}

void DemoHost::Rebind()
{
    m_screen->rebindModel(m_sale.Lines(), m_clerks);
    PushTotals();
}

void DemoHost::PushTotals()
{
    const QString total = QString::number(m_sale.Total(), 'f', 2);
    m_screen->updateDynData(1, QString::number(m_sale.ItemCount(), 'g', 6));
    m_screen->updateDynData(2, QStringLiteral("0.00"));
    m_screen->updateDynData(3, total);
    m_screen->updateDynData(4, total);
}

void DemoHost::Scan(const QString& code)
{
    for (const QChar c : code) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (c.unicode() - '0'), Qt::NoModifier, QString(c));
        QApplication::sendEvent(m_screen.get(), &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(m_screen.get(), &enter);
}

void DemoHost::OnAddProduct(const QString& code)
{
    const DemoProduct* product = m_catalogue.Find(code);
    if (!product) {
        Record(QStringLiteral("unknown code %1").arg(code));
        return;
    }
    const QString unit = product->weighed ? KxPosTranslator::GetTranslation(673) : Text(product->unit, product->unitEn);
    double quantity = 1.0;
    if (product->weighed)
        quantity = m_scale.IsStable() ? qMax(0.0, m_scale.NetWeight()) : 0.0;
    m_sale.Add(*product, quantity, unit, Text(product->name, product->nameEn));
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
    if (m_sale.SetQuantity(row, quantity))
        Rebind();
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
    // Cash is rounded up to the next 10 yuan note; other tenders pay exactly.
    const double total = m_sale.Total();
    double tendered = total;
    if (payCode == QLatin1String("CashPay") || payCode.isEmpty())
        tendered = std::ceil(total / 10.0) * 10.0;
    Record(QStringLiteral("paid %1 by %2, change %3")
               .arg(total, 0, 'f', 2)
               .arg(payCode.isEmpty() ? QStringLiteral("choice") : payCode)
               .arg(tendered - total, 0, 'f', 2));
    m_sale.Clear();
    Rebind();
    m_screen->initValue(false);
    m_screen->ShowChange(tendered - total);
}

void DemoHost::OnFunction(const QString& code)
{
    Record(QStringLiteral("function %1").arg(code));
    if (code == FnMember)
        OnMemberLogin();
    else if (code == FnLogout)
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdMemberLogOut");
    else if (code == FnPlus)
        m_screen->SlotAdd();
    else if (code == FnMinus)
        m_screen->SlotMinus();
    else if (code == FnDelete)
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdSubProduct");
    else if (code == FnClear)
        QMetaObject::invokeMethod(m_screen.get(), "SlotTrdClearSaleList");
    else if (code == FnPlaceItem)
        m_scale.PlaceItem(0.2 + QRandomGenerator::global()->bounded(1500) / 1000.0);
    else if (code == FnLanguage)
        KxPosTranslator::SetLanguage(KxPosConfig::sLanguage.startsWith(QLatin1String("en")) ? QStringLiteral("zh_CN")
                                                                                          : QStringLiteral("en"));
}

void DemoHost::OnKey(const QString&, int key)
{
    switch (key) {
    case Qt::Key_Plus: m_screen->SlotAdd(); break;
    case Qt::Key_Minus: m_screen->SlotMinus(); break;
    case Qt::Key_Delete: QMetaObject::invokeMethod(m_screen.get(), "SlotTrdSubProduct"); break;
    case Qt::Key_Up: m_screen->previousRow(); break;
    case Qt::Key_Down: m_screen->nextRow(); break;
    case Qt::Key_F2: OnMemberLogin(); break;
    case Qt::Key_F5: OnFunction(FnPlaceItem); break;
    case Qt::Key_F6: m_scale.RemoveItem(); break;
    case Qt::Key_F12: m_screen->pay(QStringLiteral("CashPay")); break;
    default: Record(QStringLiteral("key 0x%1 not mapped").arg(key, 0, 16)); break;
    }
}

void DemoHost::OnMemberLogin()
{
    m_memberLoggedIn = true;
    QMetaObject::invokeMethod(m_screen.get(), "SlotTrdSetMemberInfo", Q_ARG(KxPosVipDetail*, &m_member));
    Record(QStringLiteral("member %1 logged in").arg(m_member.vipCode));
}

void DemoHost::OnSelectClerk(const QString& code)
{
    for (KxPosEmployeeDetail& clerk : m_clerks)
        clerk.isCurrent = clerk.employeeCode == code;
    m_screen->RefreshEmployeeButton(m_clerks);
    Record(QStringLiteral("clerk %1 chosen").arg(code));
}
