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
    // Caption of the item's group in the picker.
    QString groupName;
    int groupPickCount = 0; // how many items the group requires (0: any number)
    // Product code of the item.
    QString pluCode;
    // Product name of the item.
    QString pluName;
    // Unit shown after the quantity.
    QString unitName;
    double qty = 0.0;       // quantity chosen (or offered, in the offer list)
    double maxQty = 0.0;    // upper limit per item (0: no limit)
    // Unit price of the item, in yuan.
    double price = 0.0;
    // "1": the item is sold by weight and its quantity comes from the scale.
    QString weighFlag;
    double weight = 0.0;    // weight taken from the scale for a weighed item
};

// A product line of the sale; also a product offered by a coupon.
struct KXPOSCONTRACTS_EXPORT KxPosPluDetail
{
    // Line key: the host's number of the line in its sale (column 0 of the sale
    // table); the position in the pick list for an online order line.
    int lineNo = 0;
    // Product code.
    QString pluCode;
    // Product name; a serial line shows "SerialNo/SeCode name".
    QString pluName;
    // "07": a package product; its subItems are listed under its name.
    QString pluType;
    // "1": the line carries a serial number and security code in extValues.
    QString isSerialLine;
    // Extra values by name; the sale table reads "SerialNo" and "SeCode".
    QMap<QString, QString> extValues;
    // Options chosen for the product (specification, tastes, add-ons), shown
    // beside its name.
    QString detailText;
    // Quantity sold: pieces, or kg for a weighed product.
    double saleQty = 0.0;
    // Decimals the quantity is shown with.
    int quantityDecimals = 0;
    // Unit price, in yuan.
    double salePrice = 0.0;
    // Amount of the line before discounts, in yuan.
    double amountA = 0.0;
    // Amount of the line to pay, in yuan.
    double lineAmount = 0.0;
    // Short tag shown with the line (for example a promotion mark).
    QString tagText;
    // Unit name; the weight units' names mark a line sold by weight for the
    // amount shown beside the weighing figures.
    QString unitName;
    // Contents of a package line ("07"): name and quantity of each item.
    QList<QPair<QString, double>> subItems;
    // Remark shown with the line.
    QString remarkText;
    // "1": sold by weight; the coupon screen asks the host to weigh it.
    QString weighFlag;
    // Weight read from the scale for the product, in kg.
    double scaleValue = 0.0;
    QString couponCode;       // the coupon this product belongs to
    // What a package product offered by a coupon may contain; the coupon screen
    // offers it in the package-content picker.
    QList<KxPosPluComDtDetail> packItems;
    // The package contents the cashier chose; empty until chosen.
    QList<KxPosPluComDtDetail> packSelection;
};

// A member (customer account).
struct KXPOSCONTRACTS_EXPORT KxPosVipDetail
{
    // Member code; shown as the name when the member has none.
    QString vipCode;
    // Member id at the host's member service; the deposit screen refuses to
    // deposit goods for a member without one.
    QString vipId;
    // Phone number (shown masked unless "SYSTEM_VIPMsgEncyShow" is "0").
    QString vipPhone;
    // Member name (shown masked unless "SYSTEM_VIPMsgEncyShow" is "0").
    QString vipName;
    // Points, shown with at most 6 significant digits.
    double vipPoints = 0.0;
    // Member level name.
    QString levelName;
    // Level text shown when levelName is empty.
    QString levelNameAlt;
    // Shown in brackets after the level name when not empty.
    QString levelRemark;
    // Extra values by name. "Balance" holds the balance, as a number or as
    // the host's own text.
    QMap<QString, QVariant> extValues;
};

// A sales clerk.
struct KXPOSCONTRACTS_EXPORT KxPosEmployeeDetail
{
    // Clerk code; SignSelectEmployee() carries it. "-1" is taken by the menu's
    // entry for adding a clerk.
    QString employeeCode;
    // Clerk name, shown in the menu and on the clerk button.
    QString employeeName;
    bool isCurrent = false;   // the clerk of the current sale
};

// The result of one coupon use as reported by the host.
struct KXPOSCONTRACTS_EXPORT KxPosPayResult
{
    // Sale number the coupon was used in.
    QString saleNo;
    // Channel the coupon came from.
    QString channelCode;
    // Card number of the coupon.
    QString cardNo;
    // The merchant's order number of the use.
    QString merchantOrderNo;
    // Id of the coupon used (a main coupon or one of its children).
    QString couponId;
    // Extra values by name: "UDP21" (JSON text), "TradeNo"; numbers stay
    // numbers when records are built from the map.
    QMap<QString, QVariant> extraValues;
};

// Customer details entered on the customer information form.
struct KXPOSCONTRACTS_EXPORT KxPosCustomerInfo
{
    // Province name, from the form's area tree.
    QString province;
    // City name, from the form's area tree.
    QString city;
    // District name, from the form's area tree.
    QString district;
    // Street address as typed.
    QString address;
    // Identity card number as typed (18 characters, checked by the form).
    QString idCardNo;
};

// A deposited product of a deposit order, and the quantity to collect of it.
struct KXPOSCONTRACTS_EXPORT KxPosDepositPluDetail
{
    // Product code.
    QString pluCode;
    // Product name.
    QString pluName;
    // Unit name.
    QString unitName;
    // Further text about the product, shown in its row.
    QString extraText;
    double depositQty = 0.0; // quantity still held
    double takeQty = 0.0;    // quantity to collect
};

// A member's deposit order: the goods deposited under one order number.
struct KXPOSCONTRACTS_EXPORT KxPosDepositOrderDetail
{
    // Deposit order number.
    QString orderNo;
    // The goods of the order.
    QList<KxPosDepositPluDetail> depositPlus;
};

// A specification (size) a food product can be sold in; one is chosen.
struct KXPOSCONTRACTS_EXPORT KxPosPluSpec
{
    // Caption of the specification.
    QString specName;
    // Code of the specification.
    QString specCode;
    // Chosen; the option dialog sets it.
    bool isSelected = false;
};

// A taste option of a food product, in a group of tastes.
struct KXPOSCONTRACTS_EXPORT KxPosPluTaste
{
    // Caption of the taste.
    QString tasteName;
    // Group the taste belongs to.
    QString groupId;
    // Caption of the group.
    QString groupName;
    // More than one taste of the group may be chosen.
    bool isMultiple = false;
    // A taste of the group must be chosen.
    bool isRequired = false;
    // Chosen; the option dialog sets it.
    bool isSelected = false;
};

// An add-on that can be ordered with a food product.
struct KXPOSCONTRACTS_EXPORT KxPosPluFood
{
    // Caption of the add-on.
    QString foodName;
    QString foodPrice; // a number as text
    // Chosen; the option dialog sets it.
    bool isSelected = false;
};

// The option set of a food product.
struct KXPOSCONTRACTS_EXPORT KxPosPluSpu
{
    // Specifications, one to choose.
    QList<KxPosPluSpec> specs;
    // Tastes, by group.
    QList<KxPosPluTaste> tastes;
    // Add-ons.
    QList<KxPosPluFood> foods;
};

// A promotion that applies to the sale, as the host's promotion engine reports
// it.
struct KXPOSCONTRACTS_EXPORT KxPosProRemarkHelper
{
    // Identifies the promotion.
    QString proId;
    // Text shown to the cashier.
    QString proRemark;
};

// Definition of one function key.
struct KXPOSCONTRACTS_EXPORT dynMapButton
{
    // The host's own id of the definition; carried unchanged.
    QString funcId;
    QString funcName;     // caption in Chinese
    QString funcNameEn;   // caption in English
    QString funcCode;     // identifies the function
    // The host's kind of function; carried unchanged.
    QString funcType;
    // Position on the shortcut bar ("" when not on it); the host's record, the
    // screen keeps the bar's order itself.
    QString funcPos;
    // The host's icon name for the function; carried unchanged.
    QString funcIcon;
    // The host's colour for the function; carried unchanged.
    QString funcColor;
    // Parameter the host runs the function with; carried unchanged.
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
