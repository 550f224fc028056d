#pragma once
// The demo's coupon service: answers the coupon screen's searches with sample
// coupons of three channels, delivers the products of exchange coupons, reads
// weights, uses and cancels coupons and reports every result back to the
// screen, as a host's coupon service would.
//
// Sample codes (type them into the coupon screen and press Enter):
//   deduction mode (channels 美团 MT, 抖音 DY, 快手 KS)
//     1001  MT  10.00 x 3 coupons of one code (main + two children)
//     1002  MT  20.00, its first use is left in doubt; the refresh button
//               resolves it
//     1003  MT   5.00 x 3; cancelling it cancels the main coupon only, a
//               child takes the row over
//     2001  DY  15.00 x 2
//     3001  KS   8.00
//   exchange mode
//     8001  fruit and drinks: choose 2 of 4, apples and bananas are weighed
//     8002  a package product whose contents are chosen (one item weighed)
//     8003  breakfast: milk and noodles, fixed

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"

#include "contracts/KxPosModel.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>


namespace DemoRender {
class Display;
}

class DemoCoupons : public QObject
{
    Q_OBJECT
public:
    // Wires itself to `screen` (which must outlive this object or be null).
    explicit DemoCoupons(CouponUsageWidget* screen, QObject* parent = nullptr);
    ~DemoCoupons() override;

    // The channel setting of the samples ("TRADE_CertificateChannel").
    static QString ChannelConfig();
    // Writes the channel setting into the configuration when it has none.
    // Call before the coupon screen is built: the screen reads its channels
    // once, at construction.
    static void PrepareConfig();

    // Where weights come from (kilograms); without a reader, or when it gives
    // nothing above zero, a simulated item is weighed.
    void SetWeightReader(std::function<double()> reader);
    // The value of the goods in the sale, for coupons with a threshold.
    void SetSaleValueReader(std::function<double()> reader);

    // Opens the coupon screen.
    void Open();
    // The sale's pay record of a used main coupon is cancelled (preferably
    // one used with children, so that a child takes the row over). False
    // when no coupon is in use.
    bool CancelMainCouponPayRecord();
    // A new sale. After a paid sale its coupons are spent: the screen is
    // emptied and nothing is cancelled. After an abandoned sale every coupon
    // in use is cancelled at the service first.
    void NewSale(bool previousPaid);

    // What a held bill keeps of this service: the coupon screen's state and
    // what the coupons deduct.
    struct HeldSale
    {
        CouponUsageWidget::SaleState screen;
        QMap<QString, double> exchanged;
        double deducted = 0.0;
        bool IsEmpty() const { return screen.IsEmpty(); }
    };
    // Parks the current sale's coupons (nothing is cancelled) ...
    HeldSale HoldSale();
    // ... and brings a held sale's coupons back.
    void RecallSale(const HeldSale& held);

    double DeductedAmount() const { return m_deducted; }
    QStringList Log() const { return m_log; }

    // Opens this service's coupon screen as the host does and renders it
    // with sample coupons on `display`: coupon-deduction in deduction mode;
    // coupon-select, coupon-products (weighed on the host's scale) and
    // coupon-pack in exchange mode. The coupons stay in use (they change the
    // host's sale); the screen is closed afterwards.
    bool SaveScreenshots(DemoRender::Display& display);

signals:
    // Products to add to the sale now (exchange coupons just used; empty
    // otherwise) and the amount all coupons in use deduct from the sale.
    void SignCouponSaleUpdate(const QList<KxPosPluDetail>& products, double deductedAmount);
    // The coupon screen was closed; the host takes the keyboard back.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One sample code of the coupon service.
    struct Sample
    {
        QString code;
        QString channelCode;
        QString channelName;
        QString name;
        QString nameEn;
        double amount = 0.0;
        int coupons = 1;         // coupons the code stands for (offered at once, for a campaign)
        bool campaign = false;   // a campaign code: each search offers its next unspent coupons, without end
        double threshold = 0.0;  // goods each coupon needs in the sale ("满50减10": 50)
        QString behaviour;       // "doubt": first use in doubt; "partial": cancel fails part-way
        int selectCount = 0;     // exchange coupons: products to choose
        QList<CouponWidgetInfo::CouponPluInfo> entries;
    };

    static QList<Sample> Samples();
    const Sample* FindSample(const QString& code) const;

    void OnSearch(const QString& code, const QString& channelCode);
    void OnGetProducts(const CouponWidgetInfo& coupon);
    void OnGetWeight(const KxPosPluDetail& product, int row);
    void OnGetPackWeight(const KxPosPluDetail& item, int row, int pageType, int count, int group);
    void OnUse(const QMap<QString, QList<KxPosPluDetail>>& pluMap, const QList<QVariantMap>& requests, bool finished);
    void OnUnuse(const QList<QVariantMap>& records);
    void OnRefresh(const QList<QVariantMap>& records);
    void OnUnuseAll(const QList<QVariantMap>& records, bool needHint);
    void Report(const QList<KxPosPluDetail>& products);
    void Record(const QString& entry);
    double ReadWeight(double fallbackLimit);
    KxPosPluDetail ProductFor(const QString& code, int lineNo, const QString& couponCode) const;
    QString CouponCodeOf(const QString& couponId) const;

    CouponUsageWidget* m_screen;
    QList<Sample> m_samples;
    std::function<double()> m_weightReader;
    std::function<double()> m_saleValueReader;
    QSet<QString> m_doubtDone; // coupon ids whose in-doubt first use was shown
    QSet<QString> m_inUse;     // coupon ids used at the service in an open sale
    QSet<QString> m_spent;     // coupon ids used by a paid sale: never offered again
    QMap<QString, double> m_exchanged; // value of the goods each exchange coupon code brought
    int m_saleCounter = 0;
    double m_deducted = 0.0;
    QStringList m_log;
};
