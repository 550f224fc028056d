// Coupon screen: the product area of exchange coupons. Page 0 lets the
// customer choose among a coupon's products, page 1 lists the products the
// host delivered with their weighing and totals, page 2 fills in the contents
// of package products one after the other.

#include "coupon/CouponUsageWidget.h"
#include "ui_CouponUsageWidget.h"

#include "coupon/CouponListModel.h"
#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponPluTableModel.h"

#include "contracts/KxPosLog.h"
#include "contracts/KxPosTranslator.h"

#include <QTableView>

namespace {
const QString WeighedFlag = QStringLiteral("1");
// Weights are compared with this tolerance, so that a weight equal to the
// limit is not refused for a rounding difference.
constexpr double WeightTolerance = 1e-9;
} // namespace

// --- Host input ----------------------------------------------------------------

void CouponUsageWidget::AddPlu(const KxPosPluDetail& plu)
{
    pluMap[plu.couponCode].append(plu);
}

void CouponUsageWidget::AddPluList(const QString& couponCode, const QList<KxPosPluDetail>& list, bool isExchange)
{
    // A new delivery of the coupon's goods: weighings of an earlier one do
    // not count for it. Every product is filed under the code it is listed
    // under, so that weighing and the check before use look at one place.
    QList<KxPosPluDetail>& products = pluMap[couponCode];
    products = list;
    for (KxPosPluDetail& product : products)
        product.couponCode = couponCode;
    weighedRows.remove(couponCode);
    UpdateUIData(isExchange ? ExchangePluListType : CouponPluListType);
}

// --- Pages ---------------------------------------------------------------------

int CouponUsageWidget::CurrentPage() const
{
    return ui->stackedWidgetPlu->currentIndex();
}

void CouponUsageWidget::UpdateUIData(CouponUsageWidget::CouponUsageType type)
{
    switch (type) {
    case CouponPluListType:
        UpdatePluListData();
        break;
    case ExchangePluListType:
        UpdateExchangePluListData();
        break;
    case PluSelectionType:
        UpdatePluSelectionData();
        break;
    default:
        KxPosLog::GetSpdLogger(LogTypeTrade)
            ->log(spdlog::source_loc{__FILE__, __LINE__, "UpdateUIData"}, spdlog::level::warn,
                  "CouponUsageWidget::UpdateUIData: 未知类型");
        break;
    }
}

void CouponUsageWidget::UpdatePluSelectionData()
{
    const CouponWidgetInfo coupon = GetCurrentCouponInfo();
    if (coupon.pluInfoList.isEmpty()) {
        ClearSelectionPluData();
        return;
    }
    ui->lblSelectTitle->setText(KxPosTranslator::GetTranslation(2272).arg(coupon.couponId));
    UpdateSelectionCounter(GetSelectedPluCount(coupon.pluInfoList));
    pluSelectionModel->SetPluList(coupon.pluInfoList);
    ui->tbvPluSelection->resizeRowsToContents();
    SelectPluAreaRow(ui->tbvPluSelection, 0);
    ui->stackedWidgetPlu->setCurrentIndex(PluSelectionType);
    UpdateBottomArea();
}

void CouponUsageWidget::UpdateSelectionCounter(int selected)
{
    ui->lblSelectCount->setText(
        KxPosTranslator::GetTranslation(5054).arg(GetCurrentCouponInfo().selectCount).arg(selected));
}

void CouponUsageWidget::ClearSelectionPluData()
{
    pluSelectionModel->Clear();
    ui->lblSelectTitle->clear();
    ui->lblSelectCount->clear();
    ui->stackedWidgetPlu->setCurrentIndex(PluSelectionType);
    UpdateBottomArea();
}

int CouponUsageWidget::GetSelectedPluCount(const QList<CouponWidgetInfo::CouponPluInfo>& list)
{
    int count = 0;
    for (const CouponWidgetInfo::CouponPluInfo& entry : list) {
        if (entry.selected)
            ++count;
    }
    return count;
}

void CouponUsageWidget::SlotSelectCouponPlu(const QModelIndex& index)
{
    if (!index.isValid() || index.model() != pluSelectionModel.get())
        return;
    const CouponWidgetInfo::CouponPluInfo entry = pluSelectionModel->PluList().value(index.row());
    const int selected = GetSelectedPluCount(pluSelectionModel->PluList());
    if (selected >= GetCurrentCouponInfo().selectCount && !entry.selected) {
        ShowMessage(KxPosTranslator::GetTranslation(1411));
        return;
    }
    pluSelectionModel->setData(pluSelectionModel->index(index.row(), 0), !entry.selected, Qt::EditRole);
    UpdateSelectionCounter(GetSelectedPluCount(pluSelectionModel->PluList()));
}

void CouponUsageWidget::SlotButtonPackConfirmClicked()
{
    switch (CurrentPage()) {
    case PluSelectionType:
        HandlePluSelectionConfirm();
        break;
    case ExchangePluListType:
        HandleExchangePluConfirm();
        break;
    default:
        break;
    }
}

void CouponUsageWidget::HandlePluSelectionConfirm()
{
    const QList<CouponWidgetInfo::CouponPluInfo> entries = pluSelectionModel->PluList();
    if (GetSelectedPluCount(entries) == 0) {
        ShowMessage(KxPosTranslator::GetTranslation(2276));
        return;
    }
    const QModelIndex current = ui->lvCoupon->currentIndex();
    if (!current.isValid())
        return;
    CouponWidgetInfo coupon = couponModel->GetCoupon(current.row());
    coupon.pluInfoList = entries;
    couponModel->setData(current, QVariant::fromValue(coupon), Qt::EditRole);
    emit SignGetCouponPlu(coupon);
}

void CouponUsageWidget::UpdatePluListData()
{
    SetCouponConfirmed(ui->lvCoupon->currentIndex());
    pluTableModel->SetPluList(GetCurCouponPluDetailList());
    ui->tbvPluList->resizeRowsToContents();
    UpdateAmountLabels();
    ui->lblPluCount->setText(KxPosTranslator::GetTranslation(2274).arg(pluTableModel->rowCount()));
    SelectPluAreaRow(ui->tbvPluList, 0);
    ui->stackedWidgetPlu->setCurrentIndex(CouponPluListType);
    UpdateBottomArea();
}

void CouponUsageWidget::UpdateAmountLabels()
{
    const CouponWidgetInfo coupon = GetCurrentCouponInfo();
    const double total = GetCurCouponTotalValue();
    double deduction = coupon.couponAmount * coupon.useCount;
    // An exchange coupon pays for the goods it brings and for no more: what
    // its face value leaves over is not money off the rest of the sale.
    if (!deductMode)
        deduction = qMin(deduction, total);
    ui->lblTotalAmount->setText(QString::number(total, 'f', 2));
    ui->lblDeductAmount->setText(QString::number(deduction, 'f', 2));
    ui->lblPayAmount->setText(QString::number(qMax(0.0, total - deduction), 'f', 2));
}

void CouponUsageWidget::UpdateExchangePluListData()
{
    ui->stackedWidgetPlu->setCurrentIndex(ExchangePluListType);
    const QList<KxPosPluDetail>& products = GetCurCouponPluDetailList();
    for (int row = 0; row < products.size(); ++row) {
        const KxPosPluDetail& product = products.at(row);
        if (!product.packItems.isEmpty() && product.packSelection.isEmpty()) {
            packPluRow = row;
            ui->packContentWidget->Init(product.packItems, product.pluName);
            ui->lblPackTitle->setText(KxPosTranslator::GetTranslation(2275).arg(product.pluName));
            UpdateBottomArea();
            return;
        }
    }
    // Every package is filled: on to the product list.
    UpdateUIData(CouponPluListType);
    UpdateBottomArea();
}

void CouponUsageWidget::HandleExchangePluConfirm()
{
    if (packPluRow < 0)
        return;
    QString errorText;
    if (!ui->packContentWidget->Confirm(errorText)) {
        ShowMessage(errorText);
        return;
    }
    QList<KxPosPluDetail>& products = GetCurCouponPluDetailList();
    if (packPluRow >= products.size())
        return;
    products[packPluRow].packSelection = ui->packContentWidget->GetListInPut();
    UpdateUIData(ExchangePluListType);
}

void CouponUsageWidget::SlotPluDetailButtonClicked(const QModelIndex&)
{
    // Package contents are shown under the product; there is no detail page.
}

// --- Bottom bar and language ---------------------------------------------------

void CouponUsageWidget::UpdateBottomArea()
{
    if (deductMode) {
        ui->btnPre->hide();
        ui->btnNext->hide();
        ui->btnPackConfirm->hide();
        ui->btnConfirm->show();
        ui->btnSubmit->show();
        return;
    }
    const int page = CurrentPage();
    // Page 0: row keys and the choice's confirm; page 1: row keys and the
    // use buttons; page 2: the package confirm only.
    ui->btnPre->setVisible(page != ExchangePluListType);
    ui->btnNext->setVisible(page != ExchangePluListType);
    ui->btnConfirm->setVisible(page == CouponPluListType);
    ui->btnSubmit->setVisible(page == CouponPluListType);
    ui->btnPackConfirm->setVisible(page == PluSelectionType || page == ExchangePluListType);
}

void CouponUsageWidget::RefreshPageTexts()
{
    const CouponWidgetInfo coupon = GetCurrentCouponInfo();
    if (pluSelectionModel->rowCount() > 0) {
        ui->lblSelectTitle->setText(KxPosTranslator::GetTranslation(2272).arg(coupon.couponId));
        UpdateSelectionCounter(GetSelectedPluCount(pluSelectionModel->PluList()));
    }
    if (pluTableModel->rowCount() > 0 || CurrentPage() == CouponPluListType)
        ui->lblPluCount->setText(KxPosTranslator::GetTranslation(2274).arg(pluTableModel->rowCount()));
    else
        ui->lblPluCount->setText(KxPosTranslator::GetTranslation(2277));
    if (!ui->lblPackTitle->text().isEmpty())
        ui->lblPackTitle->setText(KxPosTranslator::GetTranslation(2275).arg(ui->packContentWidget->packageName()));
}

// --- Weighing ------------------------------------------------------------------

void CouponUsageWidget::SlotPluWeightButtonClicked(const QModelIndex& index)
{
    if (CurrentPage() != CouponPluListType || !index.isValid() || index.model() != pluTableModel.get())
        return;
    emit SignGetCouponPluWeight(pluTableModel->PluList().at(index.row()), index.row());
}

void CouponUsageWidget::UpdatePluWeight(double weight, double value, int row)
{
    if (CurrentPage() != CouponPluListType || row < 0 || row >= pluTableModel->rowCount())
        return;
    if (!CheckCurrentCouponOpen())
        return;
    KxPosPluDetail product = pluTableModel->PluList().at(row);
    // Nothing on the scale (or a scale below zero) is no weighing.
    if (!(weight > WeightTolerance)) {
        ShowMessage(KxPosTranslator::GetTranslation(7204));
        return;
    }
    const double limit = GetCurCouponPluLimitWeight(product.pluCode);
    if (weight > limit + WeightTolerance) {
        ShowMessage(KxPosTranslator::GetTranslation(2269).arg(QString::number(limit, 'f', 2)));
        return;
    }
    const QString couponCode = GetCurrentCouponCode();
    product.saleQty = weight;
    product.scaleValue = value;
    product.lineAmount = product.salePrice * weight;
    product.couponCode = couponCode;
    QList<KxPosPluDetail>& products = pluMap[couponCode];
    if (row < products.size())
        products[row] = product;
    pluTableModel->setData(pluTableModel->index(row, 0), QVariant::fromValue(product), Qt::EditRole);
    QList<int>& rows = weighedRows[couponCode];
    if (!rows.contains(row))
        rows.append(row);
    UpdateAmountLabels();
}

void CouponUsageWidget::UpdatePackPluWeight(const QString& weightText, int itemIndex, int pageType, int count,
                                            int groupIndex)
{
    bool ok = false;
    const double weight = weightText.trimmed().toDouble(&ok);
    if (!ok || !(weight > WeightTolerance)) {
        ShowMessage(KxPosTranslator::GetTranslation(7204));
        return;
    }
    if (!CheckCurrentCouponOpen())
        return;
    ui->packContentWidget->UpdateWeight(weightText, itemIndex, pageType, count, groupIndex);
}

bool CouponUsageWidget::CheckCurrentCouponOpen()
{
    const CouponWidgetInfo coupon = GetCurrentCouponInfo();
    if (coupon.couponId.isEmpty() || !HoldsSaleState(coupon))
        return true;
    ShowMessage(KxPosTranslator::GetTranslation(7205).arg(coupon.couponId));
    return false;
}

QList<KxPosPluDetail>& CouponUsageWidget::GetCurCouponPluDetailList()
{
    return pluMap[GetCurrentCouponCode()];
}

double CouponUsageWidget::GetCurCouponTotalValue()
{
    double total = 0.0;
    for (const KxPosPluDetail& product : GetCurCouponPluDetailList())
        total += product.salePrice * product.saleQty;
    return total;
}

double CouponUsageWidget::GetCurCouponPluLimitWeight(const QString& pluCode)
{
    const CouponWidgetInfo coupon = GetCurrentCouponInfo();
    for (const CouponWidgetInfo::CouponPluInfo& entry : coupon.pluInfoList) {
        if (entry.pluCode == pluCode && entry.weighFlag == WeighedFlag)
            return entry.limitWeight;
    }
    return 0.0;
}

bool CouponUsageWidget::CheckUnWeightPlu(const QList<KxPosPluDetail>& list)
{
    if (deductMode)
        return true;
    // A product is weighed when a weight was accepted at its row of its
    // coupon's list; the row is its place in the list, whatever line number
    // the host gave it.
    for (int row = 0; row < list.size(); ++row) {
        const KxPosPluDetail& product = list.at(row);
        if (product.weighFlag == WeighedFlag && !weighedRows.value(product.couponCode).contains(row))
            return false;
    }
    return true;
}

// --- Row navigation ------------------------------------------------------------

void CouponUsageWidget::SlotButtonPreClicked()
{
    if (CurrentPage() == PluSelectionType)
        DoPluAreaRowChange(ui->tbvPluSelection, false);
    else if (CurrentPage() == CouponPluListType)
        DoPluAreaRowChange(ui->tbvPluList, false);
}

void CouponUsageWidget::SlotButtonNextClicked()
{
    if (CurrentPage() == PluSelectionType)
        DoPluAreaRowChange(ui->tbvPluSelection, true);
    else if (CurrentPage() == CouponPluListType)
        DoPluAreaRowChange(ui->tbvPluList, true);
}

void CouponUsageWidget::DoPluAreaRowChange(QTableView* view, bool down)
{
    if (!view || !view->model())
        return;
    const int rows = view->model()->rowCount();
    if (rows == 0)
        return;
    const QModelIndex current = view->currentIndex();
    int row = 0;
    if (down)
        row = current.isValid() ? (current.row() + 1) % rows : 0;
    else
        row = (!current.isValid() || current.row() == 0) ? rows - 1 : current.row() - 1;
    SelectPluAreaRow(view, row);
}

void CouponUsageWidget::SelectPluAreaRow(QTableView* view, int row)
{
    if (!view || !view->model() || row < 0 || row >= view->model()->rowCount())
        return;
    const QModelIndex index = view->model()->index(row, 0);
    view->setCurrentIndex(index);
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}
