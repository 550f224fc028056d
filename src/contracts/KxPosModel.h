#pragma once
// Business records handed between the host and the screens. Plain value types:
// default-constructible, copyable, and registered as meta-types so they can
// travel in queued signals and QVariants.

#include "contracts/kxposcontracts_export.h"

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QVariantMap>

// One item that a package product may contain (package-content picker).
struct KXPOSCONTRACTS_EXPORT KxPosPluComDtDetail
{
    QString groupId;      // items of one group are chosen together
    QString groupName;
    int groupPickCount = 0; // how many items the group requires (0: any number)
    QString pluCode;
    QString pluName;
    QString unitName;
    double qty = 0.0;       // quantity chosen (or offered, in the offer list)
    double maxQty = 0.0;    // upper limit per item (0: no limit)
    double price = 0.0;
    QString weighFlag;      // "1": sold by weight
    double weight = 0.0;    // weight taken from the scale for a weighed item
};

// A product line of the sale; also a product offered by a coupon.
struct KXPOSCONTRACTS_EXPORT KxPosPluDetail
{
    int lineNo = 0;
    QString pluCode;
    QString pluName;
    QString pluType;          // "07": package product with sub-items
    QString isSerialLine;     // "1": the line carries a serial number
    QMap<QString, QString> extValues; // extra values by name ("SerialNo", "SeCode")
    QString detailText;
    double saleQty = 0.0;
    int quantityDecimals = 0;
    double salePrice = 0.0;
    double amountA = 0.0;
    double lineAmount = 0.0;
    QString tagText;
    QString unitName;
    QList<QPair<QString, double>> subItems;
    QString remarkText;
    QString weighFlag;        // "1": sold by weight
    double scaleValue = 0.0;
    QString couponCode;       // the coupon this product belongs to
    QList<KxPosPluComDtDetail> packItems;
    QList<KxPosPluComDtDetail> packSelection;
};

// A member (customer account).
struct KXPOSCONTRACTS_EXPORT KxPosVipDetail
{
    QString vipCode;
    QString vipId;
    QString vipPhone;
    QString vipName;
    double vipPoints = 0.0;
    QString levelName;
    QString levelNameAlt;
    QString levelRemark;
    // Extra values by name. "Balance" holds the balance, as a number or as
    // the host's own text.
    QMap<QString, QVariant> extValues;
};

// A sales clerk.
struct KXPOSCONTRACTS_EXPORT KxPosEmployeeDetail
{
    QString employeeCode;
    QString employeeName;
    bool isCurrent = false;   // the clerk of the current sale
};

// The result of one coupon use as reported by the host.
struct KXPOSCONTRACTS_EXPORT KxPosPayResult
{
    QString saleNo;
    QString channelCode;
    QString cardNo;
    QString merchantOrderNo;
    QString couponId;
    // Extra values by name: "UDP21" (JSON text), "TradeNo"; numbers stay
    // numbers when records are built from the map.
    QMap<QString, QVariant> extraValues;
};

struct KXPOSCONTRACTS_EXPORT KxPosCustomerInfo
{
    QString province;
    QString city;
    QString district;
    QString address;
    QString idCardNo;
};

struct KXPOSCONTRACTS_EXPORT KxPosDepositPluDetail
{
    QString pluCode;
    QString pluName;
    QString unitName;
    QString extraText;
    double depositQty = 0.0; // quantity still held
    double takeQty = 0.0;    // quantity to collect
};

struct KXPOSCONTRACTS_EXPORT KxPosDepositOrderDetail
{
    QString orderNo;
    QList<KxPosDepositPluDetail> depositPlus;
};

struct KXPOSCONTRACTS_EXPORT KxPosPluSpec
{
    QString specName;
    QString specCode;
    bool isSelected = false;
};

struct KXPOSCONTRACTS_EXPORT KxPosPluTaste
{
    QString tasteName;
    QString groupId;
    QString groupName;
    bool isMultiple = false;
    bool isRequired = false;
    bool isSelected = false;
};

struct KXPOSCONTRACTS_EXPORT KxPosPluFood
{
    QString foodName;
    QString foodPrice; // a number as text
    bool isSelected = false;
};

// The option set of a food product.
struct KXPOSCONTRACTS_EXPORT KxPosPluSpu
{
    QList<KxPosPluSpec> specs;
    QList<KxPosPluTaste> tastes;
    QList<KxPosPluFood> foods;
};

struct KXPOSCONTRACTS_EXPORT KxPosProRemarkHelper
{
    QString proId;
    QString proRemark;
};

// Definition of one function key.
struct KXPOSCONTRACTS_EXPORT dynMapButton
{
    QString funcId;
    QString funcName;     // caption in Chinese
    QString funcNameEn;   // caption in English
    QString funcCode;     // identifies the function
    QString funcType;
    QString funcPos;      // position on the shortcut bar ("" when not on it)
    QString funcIcon;
    QString funcColor;
    QString funcParam;

    // Caption in the given language ("zh_CN", "en", ...); falls back to the
    // Chinese caption when there is no English one.
    QString GetCaption(const QString& language) const;
};

Q_DECLARE_METATYPE(KxPosPluComDtDetail)
Q_DECLARE_METATYPE(KxPosPluDetail)
Q_DECLARE_METATYPE(KxPosVipDetail)
Q_DECLARE_METATYPE(KxPosEmployeeDetail)
Q_DECLARE_METATYPE(KxPosPayResult)
Q_DECLARE_METATYPE(KxPosCustomerInfo)
Q_DECLARE_METATYPE(KxPosDepositPluDetail)
Q_DECLARE_METATYPE(KxPosDepositOrderDetail)
Q_DECLARE_METATYPE(KxPosPluSpu)
Q_DECLARE_METATYPE(KxPosProRemarkHelper)
Q_DECLARE_METATYPE(dynMapButton)

namespace KxPosModel {
// Registers the records with Qt's meta-type system (idempotent).
KXPOSCONTRACTS_EXPORT void RegisterMetaTypes();
}
