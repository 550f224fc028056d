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
    QString pluName;
    double orderQty = 0.0;   // quantity ordered
    double weight = 0.0;     // weighed quantity
    double pickQty = 0.0;    // quantity picked so far
    double lineAmount = 0.0;
    QString needsWeighing;   // "1": sold by weight
    QString lineKey;
    double salePrice = 0.0;
    double secondPrice = 0.0;
    double secondAmount = 0.0;
    QString unitText;
    double orderWeight = 0.0; // weight given with the order
    QList<QPair<QString, double>> subItems; // package contents
};

// An order placed through an online channel.
struct KXPOSTRADEUI_EXPORT OrderDetail
{
    QString orderId;
    QString cardText2;
    QString orderStatus;
    QString orderSource;     // channel code
    QString cardText1;
    QString pickupNo;
    QString tagCodeC;
    QString deliveryType;    // "21" or "22"
    QString deliveryDetail;
    double pickAmount = 0.0;
    QString operState;       // decides the operation buttons
    QString tagCodeA;
    QList<PluDetail> lines;
};

Q_DECLARE_METATYPE(PluDetail)
Q_DECLARE_METATYPE(OrderDetail)
