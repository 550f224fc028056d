#pragma once
// The demo's online-order desk and promotion engine.
//
// Online orders: a sample feed of orders from several channels in every
// state (new, scheduled, being picked with weighed and package lines, to be
// picked, awaiting self pick-up, refund request, return). Every decision the
// cashier takes on the sales screen's order panel is answered as a host
// would: accepting moves an order on to picking, a pick-up is finished or
// kept for later, weighed lines are weighed, refunds and returns close the
// order, and the list is sent back with showOrderList(…, 2) so the chosen
// order stays chosen.
//
// Promotions: whenever the sale's lines change, whole-bill promotions
// (SetProText), per-line texts (UpdatePluProInfo) and a "buy a little more"
// suggestion (SlotUpdateProSuggest) are computed from the sale and pushed in.
// The customer display shows the advertisement while the screen asks for it
// (SignShowFullScreenAd): full screen on a display other than the cashier's
// (SetCustomerDisplayScreen, by default the first other screen), or, on a
// till with one display, over the empty sale table where no key lies. It
// never takes the cashier's clicks or the keyboard.

#include "trade/OrderDetail.h"

#include "contracts/KxPosModel.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DemoSale;
class QLabel;
class QScreen;
class TradeWidget;

class DemoOrders : public QObject
{
    Q_OBJECT
public:
    // Wires itself to the order, promotion and advertisement signals of
    // `screen`; `sale` is the host's sale the promotions are computed from.
    // Both must outlive this object.
    DemoOrders(TradeWidget* screen, const DemoSale* sale, QObject* parent = nullptr);
    ~DemoOrders() override;

    // Opens the order panel on the current orders; Close() returns to the sale.
    void Open();
    void Close();
    bool IsOpen() const { return m_open; }

    // Where weights come from (kilograms). Without a reader, or when it gives
    // nothing above zero, the weight given with the order is used (or a
    // simulated one when the order has none).
    void SetWeightReader(std::function<double()> reader);

    // The orders on the desk, in the order the panel lists them.
    QList<OrderDetail> Orders() const;
    // Number of orders in the given status ("0" new, "1" picking, ...).
    int CountInStatus(const QString& status) const;
    QStringList Log() const { return m_log; }
    // The customer display (null until the screen first asked for the
    // advertisement).
    QLabel* CustomerDisplay() const { return m_display.get(); }
    // The screen the advertisement fills; null restores the default (the
    // first screen that is not the sales screen's, else the sale table).
    void SetCustomerDisplayScreen(QScreen* screen);

    // Recomputes the promotions of the current sale and pushes them to the
    // screen. Runs by itself when the sale-line table changes.
    void UpdatePromotions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Wire();
    void Seed();
    void Refresh();
    void Record(const QString& entry);
    QString Text(const char* zh, const char* en) const;
    OrderDetail* Find(const QString& orderId);
    void SetState(const QString& orderId, const QString& status, const QString& operState);
    void Remove(const QString& orderId, const QString& why);
    OrderDetail PickingOf(const OrderDetail& order) const;
    void SchedulePromotions();

    void OnShowDetail(const OrderDetail& order, int mode, bool keep, int lineRow);
    void OnWeigh(const PluDetail& line);
    void OnPickUpFinished(const OrderDetail& order);
    void OnKeptForLater(const OrderDetail& order, bool keep);
    void OnAdvertisement(bool show);
    QScreen* CustomerScreen() const;
    // Puts the advertisement where it goes; false when there is no place.
    bool PlaceAdvertisement();

    TradeWidget* m_screen;
    const DemoSale* m_sale;
    std::function<double()> m_weightReader;
    QList<OrderDetail> m_orders;
    QMap<QString, QDateTime> m_placedAt;
    QMap<QString, OrderDetail> m_picking; // pick progress kept by the host, by order id
    QString m_pickingId;                  // order whose lines the panel picks
    bool m_open = false;
    bool m_promotionsPending = false;
    std::unique_ptr<QLabel> m_display;
    QPointer<QScreen> m_displayScreen;
    QStringList m_log;
};
