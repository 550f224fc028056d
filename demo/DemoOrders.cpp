#include "DemoOrders.h"

#include "DemoNotice.h"
#include "DemoSale.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/TableModel.h"
#include "contracts/TableView.h"

#include <QAbstractItemModel>
#include <QDebug>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QWindow>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
// Order states of the samples: orderStatus drives the card's caption,
// operState the panel's buttons.
const QString StNew = QStringLiteral("0");
const QString StPicking = QStringLiteral("1");
const QString StSelfTake = QStringLiteral("2");
const QString StRefund = QStringLiteral("4");
const QString StReturn = QStringLiteral("5");
const QString StToPick = QStringLiteral("7");
const QString Delivery = QStringLiteral("22");
const QString PickUp = QStringLiteral("21");

// Whole-bill promotions of the demo's promotion engine (the amounts are
// the sale's own: DemoSale applies them to the amount due).
constexpr double DiscountFrom = DemoSale::BillPromotionFrom;
constexpr double GiftFrom = 100.0;

PluDetail line(const QString& key, const QString& name, double qty, double price, const QString& unit,
               double orderWeight = 0.0)
{
    PluDetail l;
    l.lineKey = key;
    l.pluName = name;
    l.orderQty = qty;
    l.salePrice = price;
    l.secondPrice = std::round(price * 95.0) / 100.0; // member price
    l.unitText = unit;
    l.orderWeight = orderWeight;
    l.needsWeighing = orderWeight > 0.0 ? QStringLiteral("1") : QStringLiteral("0");
    l.lineAmount = std::round(price * (orderWeight > 0.0 ? orderWeight : qty) * 100.0) / 100.0;
    return l;
}

double money(double value)
{
    return std::round(value * 100.0) / 100.0;
}
} // namespace

DemoOrders::DemoOrders(TradeWidget* screen, const DemoSale* sale, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_sale(sale)
{
    Seed();
    Wire();
}

DemoOrders::~DemoOrders() = default;

QString DemoOrders::Text(const char* zh, const char* en) const
{
    return DemoNotice::Text(QString::fromUtf8(zh), QString::fromUtf8(en));
}

void DemoOrders::Record(const QString& entry)
{
    m_log << entry;
    qDebug().noquote() << "demo orders:" << entry;
}

void DemoOrders::SetWeightReader(std::function<double()> reader)
{
    m_weightReader = std::move(reader);
}

// --- Sample feed ---------------------------------------------------------------

void DemoOrders::Seed()
{
    const QDateTime now = QDateTime::currentDateTime();
    int minutesAgo = 40;
    const auto add = [&](const QString& id, const QString& source, const QString& status, const QString& delivery,
                         const QString& tagA, const QString& customer, const QString& when, QList<PluDetail> lines) {
        OrderDetail o;
        o.orderId = id;
        o.orderSource = source;
        o.orderStatus = status;
        o.operState = status;
        o.deliveryType = delivery;
        o.deliveryDetail = delivery == Delivery ? Text("人民路88号3单元", "88 Renmin Rd, unit 3") : QString();
        o.tagCodeA = tagA;
        o.tagCodeC = delivery == PickUp ? QStringLiteral("2") : QStringLiteral("1");
        o.pickupNo = QString::number(m_orders.size() + 11);
        o.cardText1 = customer;
        o.cardText2 = when;
        for (int i = 0; i < lines.size(); ++i)
            lines[i].lineNo = i;
        o.lines = lines;
        m_orders << o;
        m_placedAt.insert(id, now.addSecs(-60 * minutesAgo));
        minutesAgo -= 5;
    };

    const QString piece = Text("个", "pc");
    const QString kilo = QStringLiteral("kg");
    add(QStringLiteral("WM2024001"), QStringLiteral("133"), StNew, Delivery, QStringLiteral("0"),
        Text("张先生 138****1234", "Mr Zhang 138****1234"), Text("立即送达", "Deliver now"),
        {line(QStringLiteral("6901234567892"), Text("可口可乐 330ml", "Cola 330ml"), 2, 3.5, piece),
         line(QStringLiteral("6920202888883"), Text("乐事薯片 原味", "Potato chips"), 1, 8.9, piece)});
    add(QStringLiteral("WM2024002"), QStringLiteral("132o"), StNew, Delivery, QStringLiteral("1"),
        Text("李女士 139****5678", "Ms Li 139****5678"), Text("预约 18:30 送达", "Scheduled 18:30"),
        {line(QStringLiteral("6903148042441"), Text("蒙牛纯牛奶 250ml", "Milk 250ml"), 6, 3.2, piece)});

    PluDetail breakfast = line(QStringLiteral("P8001"), Text("早餐套餐", "Breakfast set"), 1, 12.0, piece);
    breakfast.subItems = {{Text("豆浆(大杯)", "Soy milk (large)"), 1}, {Text("油条", "Fried dough"), 2}};
    add(QStringLiteral("XC2024003"), QStringLiteral("WMP"), StPicking, PickUp, QStringLiteral("0"),
        Text("王先生 137****0001", "Mr Wang 137****0001"), Text("到店自提 12:30", "Pick-up 12:30"),
        {line(QStringLiteral("2000101"), Text("红富士苹果", "Fuji apples"), 1, 12.8, kilo, 0.85),
         line(QStringLiteral("2000102"), Text("进口香蕉", "Bananas"), 1, 6.5, kilo, 1.2),
         line(QStringLiteral("6903148042441"), Text("蒙牛纯牛奶 250ml", "Milk 250ml"), 2, 3.2, piece), breakfast});
    add(QStringLiteral("SC2024004"), QStringLiteral("TMP"), StToPick, PickUp, QStringLiteral("0"),
        Text("赵女士 136****2222", "Ms Zhao 136****2222"), Text("到店自提 15:00", "Pick-up 15:00"),
        {line(QStringLiteral("6920202888883"), Text("乐事薯片 原味", "Potato chips"), 3, 8.9, piece),
         line(QStringLiteral("2000103"), Text("精品葡萄", "Grapes"), 1, 24.0, kilo, 0.5)});
    add(QStringLiteral("DJ2024005"), QStringLiteral("134"), StSelfTake, PickUp, QStringLiteral("0"),
        Text("孙先生 135****3333", "Mr Sun 135****3333"), Text("已备货 待自提", "Ready for pick-up"),
        {line(QStringLiteral("6901234567892"), Text("可口可乐 330ml", "Cola 330ml"), 12, 3.5, piece)});
    add(QStringLiteral("WM2024006"), QStringLiteral("133f"), StRefund, Delivery, QStringLiteral("0"),
        Text("周女士 133****4444", "Ms Zhou 133****4444"), Text("申请退款: 商品破损", "Refund: damaged"),
        {line(QStringLiteral("6903148042441"), Text("蒙牛纯牛奶 250ml", "Milk 250ml"), 4, 3.2, piece)});
    add(QStringLiteral("SH2024007"), QStringLiteral("AMP"), StReturn, Delivery, QStringLiteral("0"),
        Text("吴先生 132****5555", "Mr Wu 132****5555"), Text("申请退货: 不想要了", "Return: changed mind"),
        {line(QStringLiteral("6920202888883"), Text("乐事薯片 原味", "Potato chips"), 2, 8.9, piece)});
    add(QStringLiteral("TG2024008"), QStringLiteral("141"), StNew, PickUp, QStringLiteral("0"),
        Text("社区团长 刘姐", "Group leader Liu"), Text("明日 10:00 自提", "Pick-up tomorrow 10:00"),
        {line(QStringLiteral("2000101"), Text("红富士苹果", "Fuji apples"), 1, 12.8, kilo, 2.0)});
}

QList<OrderDetail> DemoOrders::Orders() const
{
    QList<OrderDetail> orders = m_orders;
    // Default and newest first list the latest order on top; "ASC" the oldest.
    const bool oldestFirst = m_screen && m_screen->orderSortOrder == QLatin1String("ASC");
    std::stable_sort(orders.begin(), orders.end(), [this, oldestFirst](const OrderDetail& a, const OrderDetail& b) {
        const QDateTime ta = m_placedAt.value(a.orderId);
        const QDateTime tb = m_placedAt.value(b.orderId);
        return oldestFirst ? ta < tb : ta > tb;
    });
    return orders;
}

int DemoOrders::CountInStatus(const QString& status) const
{
    return static_cast<int>(std::count_if(m_orders.cbegin(), m_orders.cend(),
                                          [&status](const OrderDetail& o) { return o.orderStatus == status; }));
}

OrderDetail* DemoOrders::Find(const QString& orderId)
{
    for (OrderDetail& o : m_orders) {
        if (o.orderId == orderId)
            return &o;
    }
    return nullptr;
}

void DemoOrders::SetState(const QString& orderId, const QString& status, const QString& operState)
{
    if (OrderDetail* o = Find(orderId)) {
        o->orderStatus = status;
        o->operState = operState;
    }
}

void DemoOrders::Remove(const QString& orderId, const QString& why)
{
    m_orders.erase(std::remove_if(m_orders.begin(), m_orders.end(),
                                  [&orderId](const OrderDetail& o) { return o.orderId == orderId; }),
                   m_orders.end());
    m_picking.remove(orderId);
    Record(QStringLiteral("order %1 %2").arg(orderId, why));
}

// --- Panel ----------------------------------------------------------------------

void DemoOrders::Open()
{
    if (!m_screen)
        return;
    m_open = true;
    m_screen->ShowOrderWidget(Orders(), 1);
    Record(QStringLiteral("order panel opened with %1 orders").arg(m_orders.size()));
}

void DemoOrders::Close()
{
    if (!m_screen || !m_open)
        return;
    m_open = false;
    m_screen->ShowOrderWidget({}, 0);
    Record(QStringLiteral("order panel closed"));
}

void DemoOrders::Refresh()
{
    if (m_screen && m_open)
        m_screen->showOrderList(Orders(), 2);
}

OrderDetail DemoOrders::PickingOf(const OrderDetail& order) const
{
    if (m_picking.contains(order.orderId))
        return m_picking.value(order.orderId);
    // A fresh pick: packaged lines are taken as ordered (the cashier lowers
    // what is missing), weighed lines wait for the scale.
    OrderDetail picking = order;
    for (PluDetail& l : picking.lines) {
        const bool weighed = l.needsWeighing == QLatin1String("1");
        l.pickQty = weighed ? 0.0 : l.orderQty;
        l.weight = 0.0;
        l.weighDone.clear();
    }
    return picking;
}

void DemoOrders::Wire()
{
    if (!m_screen)
        return;
    TradeWidget* s = m_screen;
    connect(s, &TradeWidget::SignalShowOrderDetail, this, &DemoOrders::OnShowDetail);
    connect(s, &TradeWidget::SignShowOrderWeight, this, &DemoOrders::OnWeigh);
    connect(s, &TradeWidget::SignPickUpFinish, this, &DemoOrders::OnPickUpFinished);
    connect(s, &TradeWidget::SignSaveTmpFinish, this, &DemoOrders::OnKeptForLater);
    connect(s, &TradeWidget::SignUpdateOrderList, this, [this] {
        Record(QStringLiteral("order list reloaded (%1)")
                   .arg(m_screen->orderSortOrder.isEmpty() ? QStringLiteral("default") : m_screen->orderSortOrder));
        Refresh();
    });
    connect(s, &TradeWidget::SignAcceptNewOrder, this, [this](OrderDetail o) {
        SetState(o.orderId, StPicking, StPicking);
        Record(QStringLiteral("order %1 accepted, picking").arg(o.orderId));
        Refresh();
    });
    connect(s, &TradeWidget::SignRejectNewOrder, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("rejected"));
        Refresh();
    });
    connect(s, &TradeWidget::SignAcceptSelfTake, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("collected by the customer"));
        Refresh();
    });
    connect(s, &TradeWidget::SignRejectSelfTake, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("pick-up refused"));
        Refresh();
    });
    connect(s, &TradeWidget::SignAcceptRefund, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("refunded"));
        Refresh();
    });
    connect(s, &TradeWidget::SignRejectRefund, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("refund refused"));
        Refresh();
    });
    connect(s, &TradeWidget::SignGetPluRefund, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("returned goods refunded"));
        Refresh();
    });
    connect(s, &TradeWidget::SignDoReturn, this, [this](OrderDetail o) {
        Remove(o.orderId, QStringLiteral("goods taken back"));
        Refresh();
    });
    connect(s, &TradeWidget::SignPrintOrder, this, [this](OrderDetail o) {
        Record(QStringLiteral("print order %1 (#%2, %3 lines)").arg(o.orderId, o.pickupNo).arg(o.lines.size()));
    });

    // Promotions follow the sale-line table; the advertisement goes to the
    // customer display.
    if (TableView* table = s->GetTable()) {
        if (QAbstractItemModel* model = table->model()) {
            connect(model, &QAbstractItemModel::rowsInserted, this, &DemoOrders::SchedulePromotions);
            connect(model, &QAbstractItemModel::rowsRemoved, this, &DemoOrders::SchedulePromotions);
            connect(model, &QAbstractItemModel::modelReset, this, &DemoOrders::SchedulePromotions);
        }
    }
    connect(s, &TradeWidget::SignShowFullScreenAd, this, &DemoOrders::OnAdvertisement);
    connect(s, &TradeWidget::SignShowProSuggest, this,
            [this](QString& text) { Record(QStringLiteral("promotion suggestion opened: %1").arg(text)); });
}

void DemoOrders::OnShowDetail(const OrderDetail& order, int mode, bool keep, int lineRow)
{
    const OrderDetail* known = Find(order.orderId);
    const OrderDetail shown = known ? *known : order;
    OrderDetail picking = shown;
    if (mode == 1) {
        picking = PickingOf(shown);
        m_pickingId = shown.orderId;
    }
    m_screen->showPluDetail(shown, picking, keep ? lineRow : -1);
}

void DemoOrders::OnWeigh(const PluDetail& weighedLine)
{
    // The line's number is its position in the pick list.
    const int row = weighedLine.lineNo;
    double weight = m_weightReader ? m_weightReader() : 0.0;
    if (weight <= 0.0)
        weight = weighedLine.orderWeight > 0.0 ? weighedLine.orderWeight : 0.5;
    weight = std::round(weight * 1000.0) / 1000.0;
    PluDetail result = weighedLine;
    result.weight = weight;
    result.pickQty = 1;
    result.weighDone = QStringLiteral("1");
    Record(QStringLiteral("weighed %1: %2 kg").arg(weighedLine.pluName).arg(weight, 0, 'f', 3));
    if (const OrderDetail* order = Find(m_pickingId)) {
        OrderDetail picking = PickingOf(*order);
        if (row >= 0 && row < picking.lines.size())
            picking.lines[row] = result;
        m_picking.insert(m_pickingId, picking);
    }
    m_screen->updateOrderPluDetail(result, QStringLiteral("weight"), row);
}

void DemoOrders::OnPickUpFinished(const OrderDetail& order)
{
    Record(QStringLiteral("order %1 picked, %2 lines, amount %3")
               .arg(order.orderId)
               .arg(order.lines.size())
               .arg(money(order.pickAmount), 0, 'f', 2));
    m_picking.remove(order.orderId);
    OrderDetail* known = Find(order.orderId);
    if (known) {
        // From now on the order is what was picked: its lines carry the
        // picked quantities, weights and amounts, its amount the picked one.
        known->lines = order.lines;
        known->pickAmount = order.pickAmount;
    }
    if (known && known->deliveryType == PickUp) {
        SetState(order.orderId, StSelfTake, StSelfTake);
        Record(QStringLiteral("order %1 waits for the customer").arg(order.orderId));
    } else {
        Remove(order.orderId, QStringLiteral("handed to the courier"));
    }
    Refresh();
}

void DemoOrders::OnKeptForLater(const OrderDetail& order, bool keep)
{
    m_picking.insert(order.orderId, order);
    Record(QStringLiteral("pick-up of %1 kept for later%2").arg(order.orderId, keep ? QStringLiteral(" (held)") : QString()));
}

// --- Promotions ------------------------------------------------------------------

void DemoOrders::SchedulePromotions()
{
    if (m_promotionsPending)
        return;
    m_promotionsPending = true;
    // The host rebuilds the table row by row; compute once it is done.
    QTimer::singleShot(0, this, [this] {
        m_promotionsPending = false;
        UpdatePromotions();
    });
}

void DemoOrders::UpdatePromotions()
{
    if (!m_screen || !m_sale)
        return;
    const QList<KxPosPluDetail>& lines = m_sale->Lines();
    // The strip announces what the sale applies, no more.
    const double total = m_sale->PromotionBase();

    QList<KxPosProRemarkHelper> wholeBill;
    QString mainPromotion;
    if (!lines.isEmpty()) {
        if (m_sale->BillPromotionApplies()) {
            wholeBill.append({QStringLiteral("P001"), Text("满50减5 已享受", "5 off from 50: applied")});
            mainPromotion = QStringLiteral("P001");
        }
        if (total >= GiftFrom) {
            wholeBill.append({QStringLiteral("P003"), Text("满100赠环保购物袋", "Free bag from 100")});
            if (mainPromotion.isEmpty())
                mainPromotion = QStringLiteral("P003");
        }
    }
    QMap<QString, QList<KxPosProRemarkHelper>> promotions;
    promotions.insert(QStringLiteral("000000"), wholeBill);
    m_screen->SetProText(promotions, mainPromotion);
    if (!mainPromotion.isEmpty())
        m_screen->setMainProInfo(mainPromotion);

    // Per-line texts: a second piece at half price for lines of two or more.
    QHash<int, QString> perLine;
    for (int row = 0; row < lines.size(); ++row) {
        if (m_sale->HalfPriceOff(row) > 0.0)
            perLine.insert(row, Text("第二件半价", "2nd at half price"));
        else
            perLine.insert(row, QString());
    }
    m_screen->UpdatePluProInfo(perLine);

    // Suggestion: what a little more would bring.
    QString suggestion;
    if (!lines.isEmpty() && total < DiscountFrom)
        suggestion = Text("再买%1元即可享受满50减5", "Buy %1 more for 5 off from 50")
                         .arg(money(DiscountFrom - total), 0, 'f', 2);
    else if (!lines.isEmpty() && total < GiftFrom)
        suggestion = Text("再买%1元即赠环保购物袋\n已享受满50减5", "Buy %1 more for a free bag\n5 off from 50 applied")
                         .arg(money(GiftFrom - total), 0, 'f', 2);
    else if (!lines.isEmpty())
        suggestion = Text("已享受全部整单优惠", "All bill promotions applied");
    m_screen->SlotUpdateProSuggest(suggestion);
}

// --- Customer display ---------------------------------------------------------------

void DemoOrders::SetCustomerDisplayScreen(QScreen* screen)
{
    m_displayScreen = screen;
    if (m_display && m_display->isVisible())
        PlaceAdvertisement();
}

QScreen* DemoOrders::CustomerScreen() const
{
    if (m_displayScreen)
        return m_displayScreen;
    // By default the first screen that is not the cashier's.
    QScreen* cashier = m_screen ? m_screen->screen() : QGuiApplication::primaryScreen();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != cashier)
            return screen;
    }
    return nullptr;
}

void DemoOrders::OnAdvertisement(bool show)
{
    if (show && !m_display) {
        m_display = std::make_unique<QLabel>();
        m_display->setObjectName(QStringLiteral("demoCustomerDisplay"));
        m_display->setAlignment(Qt::AlignCenter);
        m_display->setWordWrap(true);
        m_display->setStyleSheet(QStringLiteral("QLabel { background: #23BAFA; color: #FFFFFF; font-size: 36px; }"));
        // The shopper's picture never takes the cashier's clicks, touches or keys.
        m_display->setFocusPolicy(Qt::NoFocus);
        m_display->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_display->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    if (!m_display)
        return;
    if (show) {
        m_display->setWindowTitle(Text("顾客显示屏", "Customer display"));
        m_display->setText(Text("本周特惠\n红富士苹果 12.8元/kg\n满50减5",
                                "This week\nFuji apples 12.8/kg\n5 off from 50"));
        if (PlaceAdvertisement()) {
            m_display->show();
            Record(QStringLiteral("customer display: advertisement shown"));
        } else {
            m_display->hide();
            Record(QStringLiteral("customer display: no place for the advertisement"));
        }
    } else if (m_display->isVisible()) {
        m_display->hide();
        Record(QStringLiteral("customer display: advertisement hidden"));
    }
}

bool DemoOrders::PlaceAdvertisement()
{
    if (QScreen* screen = CustomerScreen()) {
        // A display of its own: the advertisement fills it, as a window that
        // neither takes the focus nor input.
        if (m_display->parentWidget() || !m_display->isWindow()) {
            m_display->hide();
            m_display->setParent(nullptr);
        }
        const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                                      | Qt::WindowTransparentForInput;
        if (m_display->windowFlags() != flags)
            m_display->setWindowFlags(flags);
        // A screen of its own may be a display of its own (a second X
        // screen), which a position alone does not reach.
        m_display->winId();
        if (QWindow* window = m_display->windowHandle())
            window->setScreen(screen);
        m_display->setGeometry(screen->geometry());
        return true;
    }
    // One display only: the advertisement previews in the sale table, which
    // is empty while it is asked for and holds no key. As part of the table
    // it stays below every dialog opened over the sales screen and goes when
    // the table goes (the order panel takes its place).
    QTableView* table = m_screen && m_screen->GetTable() ? m_screen->GetTable()->view() : nullptr;
    if (!table || !table->isVisible())
        return false;
    QWidget* area = table->viewport();
    if (m_display->parentWidget() != area) {
        m_display->hide();
        m_display->setParent(area);
        area->installEventFilter(this);
    }
    m_display->setGeometry(area->rect());
    return true;
}

bool DemoOrders::eventFilter(QObject* watched, QEvent* event)
{
    // The preview follows the table's size. Only a resize is looked at: the
    // preview's own destruction reaches this filter too (its parent is told
    // that a child left), when it is no widget any more.
    if (event->type() == QEvent::Resize && m_display && watched == m_display->parentWidget())
        m_display->setGeometry(static_cast<QWidget*>(watched)->rect());
    return QObject::eventFilter(watched, event);
}
