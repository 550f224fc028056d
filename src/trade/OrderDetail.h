#pragma once
// Records of the online-order panel: an order of an online channel and its lines.

#include "kxpostradeui_export.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

// One line of an online order.
struct KXPOSTRADEUI_EXPORT PluDetail
{
    QString weighDone;       // "1": the line has been weighed
    int lineNo = 0;          // position in the pick list
    // Product name.
    QString pluName;
    double orderQty = 0.0;   // quantity ordered
    double weight = 0.0;     // weighed quantity
    double pickQty = 0.0;    // quantity picked so far
    // Amount of the line in yuan; while picking, price times weight (weighed
    // line) or times pickQty.
    double lineAmount = 0.0;
    QString needsWeighing;   // "1": sold by weight
    // The host's key of the line, carried unchanged.
    QString lineKey;
    // Unit price in yuan.
    double salePrice = 0.0;
    // Second unit price in yuan.
    double secondPrice = 0.0;
    // secondPrice times weight or pickQty, computed while picking.
    double secondAmount = 0.0;
    // Unit shown after the price ("price/unit").
    QString unitText;
    double orderWeight = 0.0; // weight given with the order
    QList<QPair<QString, double>> subItems; // package contents
};

// An order placed through an online channel.
struct KXPOSTRADEUI_EXPORT OrderDetail
{
    // Identifies the order; the chosen order is found again by it after a
    // refresh.
    QString orderId;
    // A text of the order card.
    QString cardText2;
    // Status code: "0", "1", "2", "4", "5", "7" or "9" give the card's status
    // caption.
    QString orderStatus;
    QString orderSource;     // channel code
    // A text of the order card.
    QString cardText1;
    // Pick-up number, shown as "#" and the number.
    QString pickupNo;
    // Third part of the card's colour tag: "2" a pick-up order.
    QString tagCodeC;
    QString deliveryType;    // "21" or "22"
    // Delivery details; an order of delivery type "21" without them is picked
    // like a pick-up order.
    QString deliveryDetail;
    // Amount picked, in yuan, set just before SignPickUpFinish().
    double pickAmount = 0.0;
    QString operState;       // decides the operation buttons
    // First part of the card's colour tag: "1" a scheduled order.
    QString tagCodeA;
    // The order's lines.
    QList<PluDetail> lines;
};

Q_DECLARE_METATYPE(PluDetail)
Q_DECLARE_METATYPE(OrderDetail)
