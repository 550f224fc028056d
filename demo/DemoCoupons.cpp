#include "DemoCoupons.h"

#include "DemoNotice.h"

#include "DemoCatalogue.h"
#include "DemoClock.h"
#include "DemoRender.h"

#include "coupon/CouponUsageWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/PackContentWidget.h"

#include <QAbstractItemModel>
#include <QDebug>
#include <QEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>

#include <cstdio>

namespace {
const QString WeighedFlag = QStringLiteral("1");
const QString PackageCode = QStringLiteral("9001");

// The demo's products, loaded once.
const DemoCatalogue& catalogue()
{
    static const DemoCatalogue products;
    return products;
}

CouponWidgetInfo::CouponPluInfo entry(const QString& code, const QString& name, bool weighed, double limit)
{
    CouponWidgetInfo::CouponPluInfo e;
    e.pluCode = code;
    e.pluName = name;
    e.weighFlag = weighed ? WeighedFlag : QStringLiteral("0");
    e.limitWeight = limit;
    e.quantity = 1;
    return e;
}

KxPosPluComDtDetail packItem(const QString& group, const QString& groupName, const QString& code,
                             const QString& name, double price, bool weighed)
{
    KxPosPluComDtDetail item;
    item.groupId = group;
    item.groupName = groupName;
    item.groupPickCount = 1;
    item.pluCode = code;
    item.pluName = name;
    item.unitName = weighed ? DemoNotice::Text(QStringLiteral("千克"), QStringLiteral("kg")) : DemoNotice::Text(QStringLiteral("份"), QStringLiteral("pc"));
    item.price = price;
    item.maxQty = 1.0;
    item.weighFlag = weighed ? WeighedFlag : QStringLiteral("0");
    return item;
}
} // namespace

DemoCoupons::DemoCoupons(CouponUsageWidget* screen, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_samples(Samples())
{
    if (!m_screen)
        return;
    m_screen->installEventFilter(this);
    connect(m_screen, &CouponUsageWidget::SignSearchCoupon, this, &DemoCoupons::OnSearch);
    connect(m_screen, &CouponUsageWidget::SignGetCouponPlu, this, &DemoCoupons::OnGetProducts);
    connect(m_screen, &CouponUsageWidget::SignGetCouponPluWeight, this, &DemoCoupons::OnGetWeight);
    connect(m_screen, &CouponUsageWidget::SignGetPackPluWeight, this, &DemoCoupons::OnGetPackWeight);
    // The product map is handed by reference: these receivers must be direct.
    connect(m_screen, &CouponUsageWidget::SignUseCouponAndAddPlu, this,
            [this](CouponPluListMap& map, const QList<QVariantMap>& requests) { OnUse(map, requests, false); },
            Qt::DirectConnection);
    connect(m_screen, &CouponUsageWidget::SignUseCouponFinished, this,
            [this](CouponPluListMap& map, const QList<QVariantMap>& requests) { OnUse(map, requests, true); },
            Qt::DirectConnection);
    connect(m_screen, &CouponUsageWidget::SignButtonUnuseClicked, this, &DemoCoupons::OnUnuse);
    connect(m_screen, &CouponUsageWidget::SignButtonRefreshClicked, this, &DemoCoupons::OnRefresh);
    connect(m_screen, &CouponUsageWidget::SignUnuseCouponList, this, &DemoCoupons::OnUnuseAll);
    connect(m_screen, &CouponUsageWidget::SignRemovePayRecord, this, [this](const QStringList& ids) {
        Record(QStringLiteral("pay records dropped: %1").arg(ids.join(QLatin1Char(','))));
    });
}

DemoCoupons::~DemoCoupons() = default;

bool DemoCoupons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_screen && event->type() == QEvent::Hide)
        emit Closed();
    return QObject::eventFilter(watched, event);
}

QString DemoCoupons::ChannelConfig()
{
    return QStringLiteral(R"([{"ChannelName":"美团","ChannelCode":"MT"},)"
                          R"({"ChannelName":"抖音","ChannelCode":"DY"},)"
                          R"({"ChannelName":"快手","ChannelCode":"KS"}])");
}

void DemoCoupons::PrepareConfig()
{
    if (KxPosConfig::GetValue(QStringLiteral("TRADE_CertificateChannel")).isEmpty())
        KxPosConfig::SetValue(QStringLiteral("TRADE_CertificateChannel"), ChannelConfig());
}

QList<DemoCoupons::Sample> DemoCoupons::Samples()
{
    const QString mt = QStringLiteral("美团");
    QList<Sample> samples;
    const auto deduction = [&](const QString& code, const QString& channel, const QString& channelName,
                               const QString& name, const QString& nameEn, double amount, int coupons,
                               const QString& behaviour, double threshold = 0.0) {
        Sample s;
        s.code = code;
        s.channelCode = channel;
        s.channelName = channelName;
        s.name = name;
        s.nameEn = nameEn;
        s.amount = amount;
        s.coupons = coupons;
        s.behaviour = behaviour;
        s.threshold = threshold;
        samples << s;
    };
    deduction(QStringLiteral("1001"), QStringLiteral("MT"), mt, QStringLiteral("10元代金券"),
              QStringLiteral("10 yuan voucher"), 10.0, 3, QString());
    deduction(QStringLiteral("1002"), QStringLiteral("MT"), mt, QStringLiteral("20元代金券"),
              QStringLiteral("20 yuan voucher"), 20.0, 1, QStringLiteral("doubt"));
    deduction(QStringLiteral("1003"), QStringLiteral("MT"), mt, QStringLiteral("5元饮品券"),
              QStringLiteral("5 yuan drinks voucher"), 5.0, 3, QStringLiteral("partial"));
    deduction(QStringLiteral("2001"), QStringLiteral("DY"), QStringLiteral("抖音"), QStringLiteral("15元团购券"),
              QStringLiteral("15 yuan group deal"), 15.0, 2, QString());
    deduction(QStringLiteral("1004"), QStringLiteral("MT"), mt, QStringLiteral("满50减10代金券"),
              QStringLiteral("10 off from 50"), 10.0, 2, QString(), 50.0);
    deduction(QStringLiteral("3001"), QStringLiteral("KS"), QStringLiteral("快手"), QStringLiteral("8元优惠券"),
              QStringLiteral("8 yuan coupon"), 8.0, 1, QString());
    samples.last().campaign = true;

    const auto exchange = [&](const QString& code, const QString& name, const QString& nameEn, double amount,
                              int selectCount, const QList<CouponWidgetInfo::CouponPluInfo>& entries) {
        Sample s;
        s.code = code;
        s.channelCode = QStringLiteral("jh");
        s.name = name;
        s.nameEn = nameEn;
        s.amount = amount;
        s.selectCount = selectCount;
        s.entries = entries;
        samples << s;
    };
    exchange(QStringLiteral("8001"), QStringLiteral("水果饮品兑换券"), QStringLiteral("Fruit and drinks"), 10.0, 2,
             {entry(QStringLiteral("1001"), QStringLiteral("红富士苹果"), true, 1.0),
              entry(QStringLiteral("1002"), QStringLiteral("香蕉"), true, 1.5),
              entry(QStringLiteral("6903148042441"), QStringLiteral("伊利纯牛奶 250ml"), false, 0.0),
              entry(QStringLiteral("6901234567892"), QStringLiteral("农夫山泉 550ml"), false, 0.0)});
    exchange(QStringLiteral("8002"), QStringLiteral("双拼套餐兑换券"), QStringLiteral("Combo meal"), 25.0, 1,
             {entry(PackageCode, QStringLiteral("双拼套餐"), false, 0.0)});
    exchange(QStringLiteral("8003"), QStringLiteral("早餐兑换券"), QStringLiteral("Breakfast"), 8.0, 2,
             {entry(QStringLiteral("6903148042441"), QStringLiteral("伊利纯牛奶 250ml"), false, 0.0),
              entry(QStringLiteral("6920202888883"), QStringLiteral("康师傅红烧牛肉面"), false, 0.0)});
    return samples;
}

const DemoCoupons::Sample* DemoCoupons::FindSample(const QString& code) const
{
    for (const Sample& sample : m_samples) {
        if (sample.code == code.trimmed())
            return &sample;
    }
    return nullptr;
}

void DemoCoupons::SetWeightReader(std::function<double()> reader)
{
    m_weightReader = std::move(reader);
}

void DemoCoupons::SetSaleValueReader(std::function<double()> reader)
{
    m_saleValueReader = std::move(reader);
}

void DemoCoupons::Record(const QString& entry)
{
    m_log << entry;
    qDebug().noquote() << "demo coupons:" << entry;
}

void DemoCoupons::Open()
{
    if (m_screen)
        m_screen->Show(false);
}

// --- Search and products -------------------------------------------------------

void DemoCoupons::OnSearch(const QString& code, const QString& channelCode)
{
    const Sample* sample = FindSample(code);
    if (!sample || (m_screen->IsDeductMode() != (sample->channelCode != QLatin1String("jh")))) {
        Record(QStringLiteral("no coupon %1 in channel %2").arg(code, channelCode));
        DemoNotice::Show(m_screen, DemoNotice::Text(QStringLiteral("未找到券：%1"), QStringLiteral("No coupon with code %1")).arg(code));
        return;
    }
    CouponWidgetInfo info;
    const auto fill = [&](CouponBaseInfo& coupon, int index) {
        coupon.couponId = QStringLiteral("%1%2-%3").arg(sample->channelCode.toUpper(), sample->code).arg(index + 1, 2, 10, QLatin1Char('0'));
        coupon.cardNo = QStringLiteral("6200%1%2").arg(sample->code).arg(index + 1, 4, 10, QLatin1Char('0'));
        coupon.couponName = DemoNotice::Text(sample->name, sample->nameEn);
        coupon.couponType = sample->entries.isEmpty() ? QStringLiteral("DK") : QStringLiteral("DH");
        coupon.couponCode = sample->code;
        coupon.channelCode = sample->channelCode;
        coupon.channelName = sample->channelName;
        coupon.couponAmount = sample->amount;
        coupon.couponJson = QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("id"), coupon.couponId}, {QStringLiteral("code"), sample->code},
                                      {QStringLiteral("amount"), sample->amount}})
                .toJson(QJsonDocument::Compact));
    };
    // The service offers the coupons of the code that no paid sale spent; a
    // campaign code offers its next unspent ones, however many were spent.
    QList<int> free;
    const int numbers = sample->campaign ? sample->coupons + m_spent.size() : sample->coupons;
    for (int i = 0; i < numbers && free.size() < sample->coupons; ++i) {
        CouponBaseInfo probe;
        fill(probe, i);
        if (!m_spent.contains(probe.couponId))
            free << i;
    }
    if (free.isEmpty()) {
        Record(QStringLiteral("coupon %1 is spent").arg(code));
        DemoNotice::Show(m_screen, DemoNotice::Text(QStringLiteral("券 %1 已全部用完"), QStringLiteral("The coupons of code %1 are all used")).arg(code));
        return;
    }
    fill(info, free.first());
    for (int i = 1; i < free.size(); ++i) {
        CouponBaseInfo child;
        fill(child, free.at(i));
        info.childCoupons << child;
    }
    info.selectCount = sample->selectCount;
    info.pluInfoList = sample->entries;
    // The coupon's products are named as the catalogue names them, in the
    // checkout's language.
    for (CouponWidgetInfo::CouponPluInfo& entry : info.pluInfoList) {
        if (const DemoProduct* product = catalogue().Find(entry.pluCode))
            entry.pluName = DemoNotice::Text(product->name, product->nameEn);
        else if (entry.pluCode == PackageCode)
            entry.pluName = DemoNotice::Text(QStringLiteral("双拼套餐"), QStringLiteral("Combo meal"));
    }
    Record(QStringLiteral("found %1: %2 coupon(s) of %3").arg(code).arg(free.size()).arg(info.channelCode));
    m_screen->AddCouponInfo(info, false);
}

KxPosPluDetail DemoCoupons::ProductFor(const QString& code, int lineNo, const QString& couponCode) const
{
    KxPosPluDetail plu;
    plu.lineNo = lineNo;
    plu.pluCode = code;
    plu.couponCode = couponCode;
    plu.saleQty = 1.0;
    if (const DemoProduct* product = catalogue().Find(code)) {
        plu.pluName = DemoNotice::Text(product->name, product->nameEn);
        plu.salePrice = product->price;
        plu.unitName = DemoNotice::Text(product->unit, product->unitEn);
        plu.weighFlag = product->weighed ? WeighedFlag : QStringLiteral("0");
        plu.quantityDecimals = product->weighed ? 3 : 0;
        if (product->weighed)
            plu.saleQty = 0.0; // until weighed
    } else if (code == PackageCode) {
        plu.pluName = DemoNotice::Text(QStringLiteral("双拼套餐"), QStringLiteral("Combo meal"));
        plu.pluType = QStringLiteral("07");
        plu.salePrice = 28.0;
        plu.unitName = DemoNotice::Text(QStringLiteral("份"), QStringLiteral("set"));
        plu.weighFlag = QStringLiteral("0");
        const QString staple = DemoNotice::Text(QStringLiteral("主食"), QStringLiteral("Staple"));
        const QString side = DemoNotice::Text(QStringLiteral("配菜"), QStringLiteral("Side"));
        plu.packItems = {
            packItem(QStringLiteral("g1"), staple, QStringLiteral("9101"), DemoNotice::Text(QStringLiteral("米饭"), QStringLiteral("Rice")), 2.0, false),
            packItem(QStringLiteral("g1"), staple, QStringLiteral("9102"), DemoNotice::Text(QStringLiteral("面条"), QStringLiteral("Noodles")), 3.0, false),
            packItem(QStringLiteral("g2"), side, QStringLiteral("9103"), DemoNotice::Text(QStringLiteral("凉拌黄瓜"), QStringLiteral("Cucumber salad")), 6.0, false),
            packItem(QStringLiteral("g2"), side, QStringLiteral("9104"), DemoNotice::Text(QStringLiteral("卤牛肉"), QStringLiteral("Braised beef")), 88.0, true),
        };
    }
    plu.lineAmount = plu.salePrice * plu.saleQty;
    plu.amountA = plu.lineAmount;
    return plu;
}

void DemoCoupons::OnGetProducts(const CouponWidgetInfo& coupon)
{
    // Fixed products (as many as may be chosen) come all; otherwise the ones
    // the customer chose.
    const bool fixed = coupon.selectCount == coupon.pluInfoList.size();
    QList<KxPosPluDetail> products;
    bool packages = false;
    for (const CouponWidgetInfo::CouponPluInfo& e : coupon.pluInfoList) {
        if (!fixed && !e.selected)
            continue;
        // The product's line number is its row in the coupon's product list.
        KxPosPluDetail plu = ProductFor(e.pluCode, products.size(), coupon.couponCode);
        packages = packages || !plu.packItems.isEmpty();
        products << plu;
    }
    Record(QStringLiteral("coupon %1 delivers %2 product(s)").arg(coupon.couponCode).arg(products.size()));
    m_screen->AddPluList(coupon.couponCode, products, packages);
}

double DemoCoupons::ReadWeight(double fallbackLimit)
{
    // With a scale the reading is what it is, nothing on it included: the
    // screen refuses a weighing of nothing.
    if (m_weightReader)
        return m_weightReader();
    // A simulated item: mostly within the limit, now and then a little over.
    const double limit = fallbackLimit > 0.0 ? fallbackLimit : 1.0;
    return qRound(limit * (0.4 + DemoClock::Random().bounded(700) / 1000.0) * 1000.0) / 1000.0;
}

void DemoCoupons::OnGetWeight(const KxPosPluDetail& product, int row)
{
    const double weight = ReadWeight(m_screen->GetCurCouponPluLimitWeight(product.pluCode));
    Record(QStringLiteral("weighed %1: %2 kg").arg(product.pluCode).arg(weight, 0, 'f', 3));
    m_screen->UpdatePluWeight(weight, weight * product.salePrice, row);
}

void DemoCoupons::OnGetPackWeight(const KxPosPluDetail& item, int row, int pageType, int count, int group)
{
    const double weight = ReadWeight(0.5);
    Record(QStringLiteral("weighed package item %1: %2 kg").arg(item.pluCode).arg(weight, 0, 'f', 3));
    m_screen->UpdatePackPluWeight(QString::number(weight, 'f', 3), row, pageType, count, group);
}

// --- Use -----------------------------------------------------------------------

QString DemoCoupons::CouponCodeOf(const QString& couponId) const
{
    for (const CouponWidgetInfo& coupon : m_screen->GetCouponWidgetData()) {
        if (coupon.couponId == couponId)
            return coupon.couponCode;
    }
    return QString();
}

void DemoCoupons::OnUse(const QMap<QString, QList<KxPosPluDetail>>& pluMap, const QList<QVariantMap>& requests,
                        bool finished)
{
    QList<KxPosPluDetail> toSale;
    for (const QVariantMap& request : requests) {
        const QString mainId = request.value(QStringLiteral("CouponID")).toString();
        const QString code = CouponCodeOf(mainId);
        const Sample* sample = FindSample(code);
        const QString saleNo = QStringLiteral("S%1").arg(++m_saleCounter, 6, 10, QLatin1Char('0'));

        if (sample && sample->behaviour == QLatin1String("doubt") && !m_doubtDone.contains(mainId)) {
            // The service did not answer in time: the sale keeps a pending
            // pay record and the coupon's state is unknown until refreshed.
            m_doubtDone.insert(mainId);
            m_inUse.insert(mainId); // the service may well have used it
            KxPosPayResult pending;
            pending.saleNo = saleNo;
            pending.merchantOrderNo = QStringLiteral("M") + saleNo;
            pending.couponId = mainId;
            pending.extraValues.insert(
                QStringLiteral("UDP21"),
                QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("channelCode"), sample->channelCode},
                                                            {QStringLiteral("couponId"), mainId},
                                                            {QStringLiteral("couponCode"), code},
                                                            {QStringLiteral("tradeNo"), QStringLiteral("T") + saleNo}})
                                      .toJson(QJsonDocument::Compact)));
            m_screen->CacheCouponUseResult(mainId, pending);
            m_screen->UpdateCouponStatus(mainId, CouponWidgetInfo::StatusInDoubt, QString());
            Record(QStringLiteral("use of %1 left in doubt").arg(mainId));
            continue;
        }

        QStringList ids{mainId};
        for (const QVariant& other : request.value(QStringLiteral("OtherCouponList")).toList())
            ids << other.toMap().value(QStringLiteral("CouponID")).toString();
        // A careful service: a coupon used once is not used again, whatever
        // a screen asks.
        bool again = m_spent.contains(mainId) || m_inUse.contains(mainId);
        for (const QString& id : qAsConst(ids))
            again = again || m_spent.contains(id) || m_inUse.contains(id);
        // A coupon with a threshold needs that much of goods per coupon used.
        const double needed = sample ? sample->threshold * ids.size() : 0.0;
        const double goods = m_saleValueReader ? m_saleValueReader() : 0.0;
        if (needed > 0.0 && goods + 1e-9 < needed) {
            Record(QStringLiteral("refused %1: goods %2 below %3").arg(mainId).arg(goods, 0, 'f', 2).arg(needed, 0, 'f', 2));
            DemoNotice::Show(m_screen, DemoNotice::Text(QStringLiteral("券 %1 需消费满 %2 元才能使用"),
                                            QStringLiteral("Coupon %1 needs goods of at least %2"))
                                           .arg(mainId, QString::number(needed, 'f', 2)));
            continue;
        }
        if (again) {
            Record(QStringLiteral("refused to use %1 again").arg(ids.join(QLatin1Char(','))));
            DemoNotice::Show(m_screen, DemoNotice::Text(QStringLiteral("券 %1 已使用过"), QStringLiteral("Coupon %1 was used already")).arg(mainId));
            continue;
        }
        for (const QString& id : qAsConst(ids))
            m_inUse.insert(id);
        QVariantList details;
        for (const QString& id : ids) {
            details << QVariantMap{{QStringLiteral("SaleNo"), saleNo},
                                   {QStringLiteral("ChannelCode"), request.value(QStringLiteral("ChannelCode"))},
                                   {QStringLiteral("CodeCouponTypeID"), id},
                                   {QStringLiteral("CardNo"), code},
                                   {QStringLiteral("MchOrderNo"), QStringLiteral("M%1-%2").arg(saleNo, id)},
                                   {QStringLiteral("TradeNo"), QStringLiteral("T%1-%2").arg(saleNo, id)}};
        }
        m_screen->CacheCouponUseResult(QVariantMap{{QStringLiteral("PayDetails"), details}});
        Record(QStringLiteral("used %1").arg(ids.join(QLatin1Char(','))));

        // Exchange coupons bring their products into the sale.
        for (KxPosPluDetail plu : pluMap.value(code)) {
            plu.lineAmount = plu.salePrice * plu.saleQty;
            plu.amountA = plu.lineAmount;
            m_exchanged[code] += plu.lineAmount;
            for (const KxPosPluComDtDetail& item : plu.packSelection)
                plu.subItems << qMakePair(item.pluName, item.weighFlag == WeighedFlag ? item.weight : item.qty);
            toSale << plu;
        }
    }
    m_screen->SetCheckedCouponAdded();
    Report(toSale);
    if (finished)
        m_screen->Close();
}

void DemoCoupons::Report(const QList<KxPosPluDetail>& products)
{
    m_deducted = m_screen->GetUsedCouponAmount();
    if (!m_screen->IsDeductMode()) {
        // An exchange coupon pays for the goods it brought into the sale and
        // for no more: what its face value leaves over is no money off the
        // customer's other goods.
        m_deducted = 0.0;
        for (const CouponWidgetInfo& coupon : m_screen->GetCouponWidgetData()) {
            if (coupon.status == CouponWidgetInfo::StatusUsed)
                m_deducted += qMin(coupon.couponAmount, m_exchanged.value(coupon.couponCode));
        }
    }
    emit SignCouponSaleUpdate(products, m_deducted);
}

// --- Cancellation and refresh --------------------------------------------------

void DemoCoupons::OnUnuse(const QList<QVariantMap>& records)
{
    if (records.isEmpty())
        return;
    const QString mainId = records.first().value(QStringLiteral("MainCouponID")).toString();
    const Sample* sample = FindSample(CouponCodeOf(mainId));
    if (sample && sample->behaviour == QLatin1String("partial") && records.size() > 1) {
        // The main coupon is cancelled; the service refuses its children.
        m_inUse.remove(mainId);
        m_screen->ProcessCouponUnuseReqResult(mainId, mainId, CouponWidgetInfo::StatusUnused);
        const QString newMain = m_screen->ProcessMultiCouponUnuseFailed(mainId);
        Record(QStringLiteral("cancelled %1 only; %2 carries the row").arg(mainId, newMain));
        Report({});
        return;
    }
    // Everything cancelled: the sale drops the pay records, the coupon is free.
    for (const QVariantMap& record : records)
        m_inUse.remove(record.value(QStringLiteral("CouponID")).toString());
    m_screen->DeselectCouponAfterUnuse(mainId);
    m_screen->UpdateCouponStatus(mainId, CouponWidgetInfo::StatusUnused, QString());
    for (const QVariantMap& record : records) {
        const QString id = record.value(QStringLiteral("CouponID")).toString();
        if (id != mainId)
            m_screen->UpdateCouponStatus(mainId, CouponWidgetInfo::StatusUnused, id);
    }
    if (m_screen->GetCurrentCouponInfo().couponId == mainId)
        m_screen->SetCurrentCouponAdded(false);
    Record(QStringLiteral("cancelled %1 coupon(s) of %2").arg(records.size()).arg(mainId));
    Report({});
}

void DemoCoupons::OnRefresh(const QList<QVariantMap>& records)
{
    if (records.isEmpty()) {
        Record(QStringLiteral("refresh: nothing known about this coupon"));
        return;
    }
    // The service has meanwhile confirmed the use.
    const QString mainId = records.first().value(QStringLiteral("MainCouponID")).toString();
    m_screen->UpdateCouponStatus(mainId, CouponWidgetInfo::StatusUsed, QString());
    m_screen->SetCheckedCouponAdded();
    Record(QStringLiteral("refresh: %1 is used").arg(mainId));
    Report({});
}

void DemoCoupons::OnUnuseAll(const QList<QVariantMap>& records, bool needHint)
{
    for (const QVariantMap& record : records)
        m_inUse.remove(record.value(QStringLiteral("CouponID")).toString());
    Record(QStringLiteral("cancelled all %1 coupon(s)%2").arg(records.size()).arg(needHint ? QStringLiteral(" (hint)") : QString()));
    Report({});
}

bool DemoCoupons::CancelMainCouponPayRecord()
{
    if (!m_screen)
        return false;
    QString chosen;
    for (const CouponWidgetInfo& coupon : m_screen->GetCouponWidgetData()) {
        if (coupon.status != CouponWidgetInfo::StatusUsed || m_screen->GetCouponUsedData(coupon.couponId).size() == 0)
            continue;
        if (chosen.isEmpty() || m_screen->GetCouponUsedData(coupon.couponId).size() > 1)
            chosen = coupon.couponId;
        if (m_screen->GetCouponUsedData(coupon.couponId).size() > 1)
            break;
    }
    if (chosen.isEmpty())
        return false;
    m_screen->HandleCancelPayResult(chosen);
    Record(QStringLiteral("pay record of %1 cancelled in the sale").arg(chosen));
    Report({});
    return true;
}

void DemoCoupons::NewSale(bool previousPaid)
{
    if (m_screen) {
        if (previousPaid) {
            // The coupons paid for goods that left the store: they are spent.
            for (const QString& id : m_screen->GetUsedCouponIdList()) {
                m_spent.insert(id);
                m_inUse.remove(id);
            }
            m_screen->ClearData();
        } else {
            m_screen->UnuseAndClearData(false);
        }
    }
    m_exchanged.clear();
    m_deducted = 0.0;
}

DemoCoupons::HeldSale DemoCoupons::HoldSale()
{
    HeldSale held;
    if (!m_screen)
        return held;
    held.screen = m_screen->TakeSaleState();
    held.exchanged = m_exchanged;
    held.deducted = m_deducted;
    m_exchanged.clear();
    m_deducted = 0.0;
    return held;
}

void DemoCoupons::RecallSale(const HeldSale& held)
{
    if (!m_screen || !m_screen->RestoreSaleState(held.screen))
        return;
    m_exchanged = held.exchanged;
    m_deducted = held.deducted;
}

// --- Screenshots ---------------------------------------------------------------

namespace {
void search(CouponUsageWidget* screen, const QString& code)
{
    screen->findChild<QLineEdit*>(QStringLiteral("txtCouponCode"))->setText(code);
    screen->findChild<QPushButton*>(QStringLiteral("btnSearch"))->click();
}
} // namespace

bool DemoCoupons::SaveScreenshots(DemoRender::Display& display)
{
    if (!m_screen)
        return false;
    CouponUsageWidget& screen = *m_screen;
    bool ok = true;
    const auto save = [&](const QString& name) { ok &= display.Save(QStringLiteral("coupon-") + name, {m_screen}); };
    Open();
    if (screen.IsDeductMode()) {
        // Deduction: coupons of one channel, one used with two children, one in doubt.
        search(&screen, QStringLiteral("1001"));
        search(&screen, QStringLiteral("1002"));
        const auto* coupons = screen.findChild<QAbstractItemView*>(QStringLiteral("lvCoupon"));
        QMetaObject::invokeMethod(&screen, "SlotCouponPlusButtonClicked", Q_ARG(QModelIndex, coupons->model()->index(0, 0)));
        QMetaObject::invokeMethod(&screen, "SlotCouponPlusButtonClicked", Q_ARG(QModelIndex, coupons->model()->index(0, 0)));
        screen.findChild<QPushButton*>(QStringLiteral("btnConfirm"))->click();
        search(&screen, QStringLiteral("1003"));
        save(QStringLiteral("deduction"));
    } else {
        // Exchange: choose, weigh (the host's scale), fill a package.
        search(&screen, QStringLiteral("8001"));
        auto* selection = screen.findChild<QTableView*>(QStringLiteral("tbvPluSelection"));
        QMetaObject::invokeMethod(&screen, "SlotSelectCouponPlu", Q_ARG(QModelIndex, selection->model()->index(0, 1)));
        QMetaObject::invokeMethod(&screen, "SlotSelectCouponPlu", Q_ARG(QModelIndex, selection->model()->index(2, 1)));
        // The code pad open beside the choice, as a touch-only cashier has it.
        auto* padKey = screen.findChild<QPushButton*>(QStringLiteral("btnCodePad"));
        padKey->click();
        save(QStringLiteral("select"));
        padKey->click();
        screen.findChild<QPushButton*>(QStringLiteral("btnPackConfirm"))->click();
        QMetaObject::invokeMethod(&screen, "SlotPluWeightButtonClicked",
                                  Q_ARG(QModelIndex, screen.findChild<QTableView*>(QStringLiteral("tbvPluList"))->model()->index(0, 1)));
        save(QStringLiteral("products"));
        search(&screen, QStringLiteral("8002"));
        if (auto* picker = screen.findChild<PackContentWidget*>())
            picker->increase(1);
        save(QStringLiteral("pack"));
    }
    screen.Close();
    return ok;
}
