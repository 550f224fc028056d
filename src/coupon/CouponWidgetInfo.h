#pragma once
// Coupon records exchanged between the coupon screen and its host.
//
// A coupon row of the screen is one CouponWidgetInfo: the coupon itself (the
// fields of CouponBaseInfo) plus further coupons of the same code that may be
// used with it (childCoupons), the products an exchange coupon grants
// (pluInfoList) and the row's flags.

#include "kxpostradeui_export.h"

#include <QList>
#include <QMetaType>
#include <QString>

// The fields every coupon has, main coupon or child.
struct KXPOSTRADEUI_EXPORT CouponBaseInfo
{
    // State of a coupon (a row's main coupon or a child) as the screen uses it.
    enum CouponStatus {
        StatusUnused = 0,  // not used; in deduction mode the row button removes it
        StatusUsed = 1,    // the host reported it used
        StatusInDoubt = 2, // the last request left its state unknown
        StatusPending = 3  // becomes StatusUsed when the cashier selects the row
    };

    QString couponId;    // identity: key of every look-up by coupon
    // Card number the coupon belongs to; sent as "CardNo".
    QString cardNo;
    // Display name; sent as "CouponName".
    QString couponName;
    // Coupon type; sent as "CouponType".
    QString couponType;
    QString couponCode;  // the code entered or scanned; key of the product lists
    QString channelCode; // issuing channel; coupons of one list share it
    // Display name of the issuing channel (named when a coupon of another
    // channel is refused).
    QString channelName;
    QString couponJson;  // the host's full description, handed back unchanged
    // Money the coupon deducts, in yuan.
    double couponAmount = 0.0;
    // A further text of the host's, carried unchanged.
    QString extraText;
    // State of the coupon.
    CouponStatus status = StatusUnused;

    // Copies the coupon's own ten data fields (identity to extraText) of
    // `other`; the status stays.
    void AssignCouponData(const CouponBaseInfo& other);
};

struct KXPOSTRADEUI_EXPORT CouponWidgetInfo : public CouponBaseInfo
{
    // One product an exchange coupon can be exchanged for.
    struct KXPOSTRADEUI_EXPORT CouponPluInfo
    {
        // A text of the host's, carried unchanged.
        QString text1;
        // Product code; matched when the weight granted for a product is looked
        // up.
        QString pluCode;
        // Product name shown in the choice.
        QString pluName;
        // A text of the host's, carried unchanged.
        QString text4;
        QString weighFlag;        // "1": sold by weight
        // A value of the host's, carried unchanged.
        double value1 = 0.0;
        // Quantity granted, shown as a whole number.
        int quantity = 0;
        double limitWeight = 0.0; // largest weight granted, in kilograms
        // A value of the host's, carried unchanged.
        double value2 = 0.0;
        // The customer chose this product.
        bool selected = false;
    };

    QList<CouponBaseInfo> childCoupons; // further coupons of the same code
    int useCount = 1;        // this coupon plus useCount - 1 children
    int selectCount = 0;     // products the customer may choose (exchange mode)
    bool confirmed = false;  // products shown and accepted (exchange mode)
    bool checked = true;     // ticked for use
    bool added = false;      // already handed to the host in this sale
    // A further text of the host's, carried unchanged.
    QString extraText2;
    // Products the coupon can be exchanged for (exchange mode), of which
    // selectCount may be chosen.
    QList<CouponPluInfo> pluInfoList;

    // Registers the coupon records with Qt's meta-type system (idempotent).
    static void RegisterMetaTypes();
};

Q_DECLARE_METATYPE(CouponBaseInfo)
Q_DECLARE_METATYPE(CouponWidgetInfo)
Q_DECLARE_METATYPE(CouponWidgetInfo::CouponPluInfo)
