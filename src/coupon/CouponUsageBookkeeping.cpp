// Coupon screen: handing ticked coupons to the host for use, the cache of
// use results per main coupon, the coupon states, and the requests that
// cancel a use or ask for a coupon's state.
//
// A row stands for a main coupon and possibly children of the same code used
// with it. Every use result is cached under the row's main coupon id, so a
// cancellation names all coupons used together, and when the main coupon
// alone is cancelled one of its children becomes the row's main coupon.

#include "coupon/CouponUsageWidget.h"
#include "ui_CouponUsageWidget.h"

#include "coupon/CouponListModel.h"

#include "contracts/KxPosJson.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/QuestionMessage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantList>

namespace {
// Record type the host's coupon service expects in cancellation requests.
const QString UsedCouponType = QStringLiteral("CCSDHQ");

QVariantMap useRequest(const CouponBaseInfo& coupon)
{
    QVariantMap request;
    request.insert(QStringLiteral("CouponType"), coupon.couponType);
    request.insert(QStringLiteral("CardNo"), coupon.cardNo);
    request.insert(QStringLiteral("CouponID"), coupon.couponId);
    request.insert(QStringLiteral("CouponJson"), coupon.couponJson);
    request.insert(QStringLiteral("ChannelCode"), coupon.channelCode);
    request.insert(QStringLiteral("CouponName"), coupon.couponName);
    return request;
}
} // namespace

// --- Handing coupons over --------------------------------------------------------

bool CouponUsageWidget::CheckUnCheckedCoupon()
{
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        if (coupon.checked)
            return true;
    }
    ShowMessage(KxPosTranslator::GetTranslation(2279));
    return false;
}

bool CouponUsageWidget::CheckCouponConfirmed()
{
    if (deductMode)
        return true;
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        if (!coupon.confirmed) {
            ShowMessage(KxPosTranslator::GetTranslation(2278));
            return false;
        }
    }
    return true;
}

bool CouponUsageWidget::PrepareForCouponUse(QList<QVariantMap>& couponInfoList)
{
    if (!CheckUnCheckedCoupon())
        return false;
    if (!deductMode) {
        if (!CheckCouponConfirmed())
            return false;
        for (auto it = pluMap.cbegin(); it != pluMap.cend(); ++it) {
            if (!CheckUnWeightPlu(it.value())) {
                ShowMessage(KxPosTranslator::GetTranslation(2280).arg(it.key()));
                return false;
            }
        }
    }
    // A ticked coupon whose last use left its state unknown is neither sent
    // again nor passed over in silence: the cashier refreshes it first.
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        if (!coupon.checked)
            continue;
        bool inDoubt = coupon.status == CouponWidgetInfo::StatusInDoubt;
        for (const CouponBaseInfo& child : coupon.childCoupons)
            inDoubt = inDoubt || child.status == CouponWidgetInfo::StatusInDoubt;
        if (inDoubt) {
            ShowMessage(KxPosTranslator::GetTranslation(7206).arg(coupon.couponId));
            return false;
        }
    }
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        // Only a coupon this sale has not used yet is handed over: a used,
        // pending or added row, or an id with a use result, never again.
        if (!coupon.checked || coupon.added || coupon.status != CouponWidgetInfo::StatusUnused
            || HasUseResult(coupon.couponId))
            continue;
        QVariantMap request = useRequest(coupon);
        if (coupon.useCount > 1) {
            QVariantList others;
            const int children = qMin(coupon.useCount - 1, coupon.childCoupons.size());
            for (int i = 0; i < children; ++i) {
                const CouponBaseInfo& child = coupon.childCoupons.at(i);
                if (child.status == CouponWidgetInfo::StatusUnused && !HasUseResult(child.couponId))
                    others.append(useRequest(child));
            }
            request.insert(QStringLiteral("OtherCouponList"), others);
        }
        couponInfoList.append(request);
    }
    return true;
}

bool CouponUsageWidget::HoldsSaleState(const CouponWidgetInfo& coupon)
{
    if (coupon.added || coupon.status != CouponWidgetInfo::StatusUnused)
        return true;
    for (const CouponBaseInfo& child : coupon.childCoupons) {
        if (child.status != CouponWidgetInfo::StatusUnused)
            return true;
    }
    return false;
}

bool CouponUsageWidget::HasUseResult(const QString& couponId) const
{
    for (auto it = useCache.cbegin(); it != useCache.cend(); ++it) {
        if (it.key() == couponId || it.value().couponId == couponId)
            return true;
    }
    return false;
}

void CouponUsageWidget::SlotButtonConfirmClicked()
{
    QList<QVariantMap> couponInfoList;
    if (PrepareForCouponUse(couponInfoList))
        emit SignUseCouponAndAddPlu(pluMap, couponInfoList);
}

void CouponUsageWidget::SlotButtonSubmitClicked()
{
    if (submitRefused) {
        ShowMessage(KxPosTranslator::GetTranslation(2284));
        return;
    }
    QList<QVariantMap> couponInfoList;
    if (PrepareForCouponUse(couponInfoList))
        emit SignUseCouponFinished(pluMap, couponInfoList);
}

// --- Use results -----------------------------------------------------------------

void CouponUsageWidget::CacheCouponUseResult(const QVariantMap& result)
{
    const QVariantList details = result.value(QStringLiteral("PayDetails")).toList();
    if (details.isEmpty())
        return;
    const QString mainId = details.first().toMap().value(QStringLiteral("CodeCouponTypeID")).toString();
    for (const QVariant& element : details) {
        const QVariantMap detail = element.toMap();
        KxPosPayResult payResult;
        payResult.saleNo = detail.value(QStringLiteral("SaleNo")).toString();
        payResult.channelCode = detail.value(QStringLiteral("ChannelCode")).toString();
        payResult.couponId = detail.value(QStringLiteral("CodeCouponTypeID")).toString();
        payResult.cardNo = detail.value(QStringLiteral("CardNo")).toString();
        payResult.merchantOrderNo = detail.value(QStringLiteral("MchOrderNo")).toString();
        payResult.extraValues.insert(QStringLiteral("TradeNo"), detail.value(QStringLiteral("TradeNo")).toString());
        useCache.insert(mainId, payResult);
        UpdateCouponStatus(mainId, CouponWidgetInfo::StatusUsed,
                           payResult.couponId == mainId ? QString() : payResult.couponId);
    }
    // Children that were offered but not used leave the row.
    ClearUnuseChildCoupon(mainId);
}

void CouponUsageWidget::CacheCouponUseResult(const QString& couponId, const KxPosPayResult& payResult)
{
    if (useCache.contains(couponId))
        return;
    QJsonParseError error{};
    const QJsonDocument document =
        KxPosJson::Parse(payResult.extraValues.value(QStringLiteral("UDP21")).toString().toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return;
    const QJsonObject data = document.object();
    KxPosPayResult cached;
    cached.saleNo = payResult.saleNo;
    cached.merchantOrderNo = payResult.merchantOrderNo;
    cached.channelCode = data.value(QStringLiteral("channelCode")).toString();
    cached.couponId = data.value(QStringLiteral("couponId")).toString();
    cached.cardNo = data.value(QStringLiteral("couponCode")).toString();
    // The channel may send the trade number as a JSON number or as text.
    cached.extraValues.insert(QStringLiteral("TradeNo"), data.value(QStringLiteral("tradeNo")).toVariant().toString());
    useCache.insert(couponId, cached);
}

QVariantMap CouponUsageWidget::UsedCouponRecord(const QString& mainCouponId, const KxPosPayResult& result) const
{
    QVariantMap record;
    record.insert(QStringLiteral("CouponType"), UsedCouponType);
    record.insert(QStringLiteral("extranno"), result.merchantOrderNo);
    record.insert(QStringLiteral("tradeNo"), result.extraValues.value(QStringLiteral("TradeNo")));
    record.insert(QStringLiteral("saleNo"), result.saleNo);
    record.insert(QStringLiteral("ChannelCode"), result.channelCode);
    record.insert(QStringLiteral("MainCouponID"), mainCouponId);
    record.insert(QStringLiteral("CouponID"), result.couponId);
    record.insert(QStringLiteral("CardNo"), result.cardNo);
    return record;
}

QList<QVariantMap> CouponUsageWidget::GetCouponUsedData(const QString& mainCouponId)
{
    QList<QVariantMap> records;
    const QList<KxPosPayResult> results = useCache.values(mainCouponId);
    for (const KxPosPayResult& result : results) {
        if (result.couponId == mainCouponId)
            records.prepend(UsedCouponRecord(mainCouponId, result));
        else
            records.append(UsedCouponRecord(mainCouponId, result));
    }
    return records;
}

void CouponUsageWidget::ClearUnuseChildCoupon(const QString& mainCouponId)
{
    const int row = GetRowByCouponId(mainCouponId, false);
    if (row < 0)
        return;
    CouponWidgetInfo coupon = couponModel->GetCoupon(row);
    bool removed = false;
    for (int i = coupon.childCoupons.size() - 1; i >= 0; --i) {
        if (coupon.childCoupons.at(i).status != CouponWidgetInfo::StatusUsed) {
            coupon.childCoupons.removeAt(i);
            removed = true;
        }
    }
    if (removed)
        couponModel->setData(couponModel->index(row), QVariant::fromValue(coupon), Qt::EditRole);
}

void CouponUsageWidget::RemoveCacheCouponUseResult(const QString& mainCouponId, const QString& subCouponId)
{
    if (!useCache.contains(mainCouponId))
        return;
    if (subCouponId.isEmpty()) {
        useCache.remove(mainCouponId);
        return;
    }
    for (auto it = useCache.find(mainCouponId); it != useCache.end() && it.key() == mainCouponId; ++it) {
        if (it.value().couponId == subCouponId) {
            useCache.erase(it);
            return;
        }
    }
}

void CouponUsageWidget::MoveCacheEntries(const QString& oldId, const QString& newId, const QString& skipCouponId)
{
    // values() lists the newest first; inserting oldest first keeps the order.
    const QList<KxPosPayResult> results = useCache.values(oldId);
    useCache.remove(oldId);
    for (auto it = results.crbegin(); it != results.crend(); ++it) {
        if (skipCouponId.isEmpty() || it->couponId != skipCouponId)
            useCache.insert(newId, *it);
    }
}

// --- States ----------------------------------------------------------------------

void CouponUsageWidget::UpdateCouponStatus(const QString& couponId, CouponWidgetInfo::CouponStatus status,
                                           const QString& subCouponId)
{
    const int row = GetRowByCouponId(couponId, false);
    if (row >= 0)
        UpdateCouponItemStatus(row, status, subCouponId);
}

void CouponUsageWidget::UpdateCouponItemStatus(int row, CouponWidgetInfo::CouponStatus status,
                                               const QString& subCouponId)
{
    const QModelIndex index = couponModel->index(row);
    if (!index.isValid())
        return;
    if (subCouponId.isEmpty())
        couponModel->setData(index, int(status), CouponListModel::StatusRole);
    else
        couponModel->setData(index, QVariantList{subCouponId, int(status)}, CouponListModel::ChildStatusRole);
}

int CouponUsageWidget::GetRowByCouponId(const QString& couponId, bool withChildren)
{
    const QList<CouponWidgetInfo>& coupons = couponModel->Coupons();
    for (int row = 0; row < coupons.size(); ++row) {
        if (coupons.at(row).couponId == couponId)
            return row;
        if (withChildren) {
            for (const CouponBaseInfo& child : coupons.at(row).childCoupons) {
                if (child.couponId == couponId)
                    return row;
            }
        }
    }
    return -1;
}

// --- Cancellation results --------------------------------------------------------

void CouponUsageWidget::ProcessCouponUnuseReqResult(const QString& mainCouponId, const QString& subCouponId,
                                                    CouponWidgetInfo::CouponStatus status)
{
    if (status == CouponWidgetInfo::StatusUnused)
        RemoveCacheCouponUseResult(mainCouponId, subCouponId);
    if (subCouponId != mainCouponId)
        UpdateCouponStatus(mainCouponId, status, subCouponId);
}

QString CouponUsageWidget::ProcessMultiCouponUnuseFailed(const QString& mainCouponId)
{
    if (!useCache.contains(mainCouponId))
        return mainCouponId;
    const QList<KxPosPayResult> results = useCache.values(mainCouponId);
    bool mainStillUsed = false;
    for (const KxPosPayResult& result : results)
        mainStillUsed = mainStillUsed || result.couponId == mainCouponId;
    const int row = GetRowByCouponId(mainCouponId, false);
    if (row < 0)
        return mainCouponId;
    QString newMainId = mainCouponId;
    if (!mainStillUsed) {
        // The main coupon's use is gone: a child still used carries the row.
        newMainId = results.first().couponId;
        MoveCacheEntries(mainCouponId, newMainId, QString());
        ReplaceMainCouponData(row, newMainId);
    }
    couponModel->setData(couponModel->index(row), useCache.count(newMainId), CouponListModel::UseCountRole);
    return newMainId;
}

void CouponUsageWidget::HandleCancelPayResult(const QString& couponId)
{
    const int row = GetRowByCouponId(couponId, true);
    if (row >= 0 && !ProcessMainCouponCancel(couponId, row))
        ProcessSubCouponCancel(couponId, row);
}

bool CouponUsageWidget::ProcessMainCouponCancel(const QString& couponId, int row)
{
    if (!useCache.contains(couponId))
        return false;
    const QList<KxPosPayResult> results = useCache.values(couponId);
    if (results.size() == 1) {
        RemoveCoupon(couponId);
        return true;
    }
    if (results.isEmpty())
        return true;
    // The child used last takes the row over, with the others used with it.
    QString newMainId;
    for (const KxPosPayResult& result : results) {
        if (result.couponId != couponId) {
            newMainId = result.couponId;
            break;
        }
    }
    if (newMainId.isEmpty()) {
        RemoveCoupon(couponId);
        return true;
    }
    MoveCacheEntries(couponId, newMainId, couponId);
    ReplaceMainCouponData(row, newMainId);
    couponModel->setData(couponModel->index(row), results.size() - 1, CouponListModel::UseCountRole);
    return true;
}

void CouponUsageWidget::ProcessSubCouponCancel(const QString& couponId, int row)
{
    const QStringList keys = useCache.uniqueKeys();
    for (const QString& key : keys) {
        bool found = false;
        for (auto it = useCache.constFind(key); it != useCache.cend() && it.key() == key; ++it) {
            if (it.value().couponId == couponId) {
                found = true;
                break;
            }
        }
        if (!found)
            continue;
        RemoveCacheCouponUseResult(key, couponId);
        UpdateCouponItemStatus(row, CouponWidgetInfo::StatusUnused, couponId);
        couponModel->setData(couponModel->index(row), useCache.count(key), CouponListModel::UseCountRole);
    }
}

void CouponUsageWidget::ReplaceMainCouponData(int row, const QString& newMainCouponId)
{
    const QModelIndex index = couponModel->index(row);
    if (!index.isValid())
        return;
    CouponWidgetInfo coupon = couponModel->GetCoupon(row);
    for (int i = 0; i < coupon.childCoupons.size(); ++i) {
        if (coupon.childCoupons.at(i).couponId == newMainCouponId) {
            const CouponBaseInfo child = coupon.childCoupons.takeAt(i);
            coupon.AssignCouponData(child);
            couponModel->setData(index, QVariant::fromValue(coupon), Qt::EditRole);
            return;
        }
    }
}

void CouponUsageWidget::DeselectCouponAfterUnuse(const QString& couponId)
{
    const QList<KxPosPayResult> results = useCache.values(couponId);
    useCache.remove(couponId);
    SetCouponChecked(couponId, false);
    if (results.isEmpty())
        return;
    QStringList ids;
    for (const KxPosPayResult& result : results)
        ids.append(result.couponId);
    emit SignRemovePayRecord(ids);
}

void CouponUsageWidget::UnuseAndClearData(bool needHint)
{
    QList<QVariantMap> records;
    const QStringList keys = useCache.uniqueKeys();
    for (const QString& key : keys)
        records.append(GetCouponUsedData(key));
    ClearData();
    if (!records.isEmpty())
        emit SignUnuseCouponList(records, needHint);
}

void CouponUsageWidget::RemoveCoupon(const QString& couponId)
{
    const int row = GetRowByCouponId(couponId, false);
    if (row < 0)
        return;
    couponModel->RemoveCoupon(row);
    useCache.remove(couponId);
    if (couponModel->rowCount() == 0)
        ClearData();
    else
        SelectCouponRow(0, true);
}

// --- Row buttons -----------------------------------------------------------------

void CouponUsageWidget::SlotCouponUnuseButtonClicked(const QModelIndex& index)
{
    if (!index.isValid() || index.model() != couponModel.get())
        return;
    const int answer = questionMessage->ShowDialog(
        KxPosTranslator::GetTranslation(2283), KxPosTranslator::GetTranslation(1969),
        KxPosTranslator::GetTranslation(2270), KxPosTranslator::GetTranslation(1496));
    if (answer != 1)
        return;
    const QList<QVariantMap> used = GetCouponUsedData(couponModel->GetCoupon(index.row()).couponId);
    if (!used.isEmpty())
        emit SignButtonUnuseClicked(used);
}

void CouponUsageWidget::RetryCurrentCouponUnuse()
{
    SlotCouponUnuseButtonClicked(lastCouponIndex);
}

void CouponUsageWidget::SlotCouponRefreshButtonClicked(const QModelIndex& index)
{
    if (!index.isValid() || index.model() != couponModel.get())
        return;
    emit SignButtonRefreshClicked(GetCouponUsedData(couponModel->GetCoupon(index.row()).couponId));
}

void CouponUsageWidget::RefreshCurrentCouponStatus()
{
    SlotCouponRefreshButtonClicked(lastCouponIndex);
}

void CouponUsageWidget::SlotCouponRemoveButtonClicked(const QModelIndex& index)
{
    if (!index.isValid() || index.model() != couponModel.get())
        return;
    const QString couponId = couponModel->GetCoupon(index.row()).couponId;
    const int answer = questionMessage->ShowDialog(
        KxPosTranslator::GetTranslation(5055), KxPosTranslator::GetTranslation(1969),
        KxPosTranslator::GetTranslation(2270), KxPosTranslator::GetTranslation(1496));
    if (answer == 1)
        RemoveCoupon(couponId);
}

bool CouponUsageWidget::CheckCouponUseNumModify(const QModelIndex& index, CouponWidgetInfo& out)
{
    if (!index.isValid() || index.model() != couponModel.get())
        return false;
    out = couponModel->GetCoupon(index.row());
    if (out.status == CouponWidgetInfo::StatusUsed) {
        ShowMessage(KxPosTranslator::GetTranslation(2281));
        return false;
    }
    return true;
}

void CouponUsageWidget::SlotCouponMinusButtonClicked(const QModelIndex& index)
{
    CouponWidgetInfo coupon;
    if (!CheckCouponUseNumModify(index, coupon) || coupon.useCount <= 1)
        return;
    couponModel->setData(index, coupon.useCount - 1, CouponListModel::UseCountRole);
    if (index == ui->lvCoupon->currentIndex())
        UpdateAmountLabels();
}

void CouponUsageWidget::SlotCouponPlusButtonClicked(const QModelIndex& index)
{
    CouponWidgetInfo coupon;
    if (!CheckCouponUseNumModify(index, coupon))
        return;
    if (coupon.useCount > coupon.childCoupons.size()) {
        ShowMessage(KxPosTranslator::GetTranslation(2282));
        return;
    }
    couponModel->setData(index, coupon.useCount + 1, CouponListModel::UseCountRole);
    if (index == ui->lvCoupon->currentIndex())
        UpdateAmountLabels();
}

// --- Read-outs -------------------------------------------------------------------

bool CouponUsageWidget::HasUsedCoupon()
{
    return !useCache.isEmpty();
}

double CouponUsageWidget::GetUsedCouponAmount()
{
    double amount = 0.0;
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        if (coupon.status == CouponWidgetInfo::StatusUsed)
            amount += coupon.couponAmount;
        for (const CouponBaseInfo& child : coupon.childCoupons) {
            if (child.status == CouponWidgetInfo::StatusUsed)
                amount += child.couponAmount;
        }
    }
    return amount;
}

QStringList CouponUsageWidget::GetUsedCouponIdList()
{
    QStringList ids;
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        if (coupon.status != CouponWidgetInfo::StatusUsed)
            continue;
        ids.append(coupon.couponId);
        for (const CouponBaseInfo& child : coupon.childCoupons) {
            if (child.status == CouponWidgetInfo::StatusUsed)
                ids.append(child.couponId);
        }
    }
    return ids;
}
