// Coupon screen: the coupon list, the search, adding and refreshing coupons,
// the rule that keeps coupons of different channels apart, the channel bar
// with its paging, and what selecting a row does.

#include "coupon/CouponUsageWidget.h"
#include "ui_CouponUsageWidget.h"

#include "coupon/CouponListModel.h"
#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponPluTableModel.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QButtonGroup>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>

namespace {
// Channels shown at once without paging, and per page with it.
constexpr int ChannelsWithoutPaging = 5;
constexpr int ChannelsPerPage = 4;
const char* const ChannelCodeProperty = "channelCode";
// What a channel key's padding and border take from its caption's room.
constexpr int ChannelKeyPadding = 12;

// In exchange mode one coupon's products are settled before another coupon
// is taken up: whether the row `index` has to wait for the coupon at `last`.
bool waitsForSettling(bool deductMode, const QPersistentModelIndex& last, const CouponListModel& model,
                      const QModelIndex& index)
{
    return !deductMode && last.isValid() && last != index && !model.GetCoupon(last.row()).confirmed;
}
} // namespace

// --- Search and adding -------------------------------------------------------

void CouponUsageWidget::SlotButtonSearchClicked()
{
    if (!CheckCouponConfirmed())
        return;
    const QString code = ui->txtCouponCode->text().trimmed();
    if (code.isEmpty())
        return;
    emit SignSearchCoupon(code, currentChannelCode);
    UiTool::EmptyLine(ui->txtCouponCode);
}

void CouponUsageWidget::AddCouponInfo(const CouponWidgetInfo& info, bool warnIfAdded)
{
    UiTool::EmptyLine(ui->txtCouponCode);
    if (!CheckCouponMutex(info)) {
        ShowMessage(KxPosTranslator::GetTranslation(2267).arg(info.channelName));
        return;
    }
    if (!CheckCouponAdded(info)) {
        if (warnIfAdded) {
            ShowMessage(KxPosTranslator::GetTranslation(2268).arg(info.couponId));
        } else {
            // A repeated search brings the coupon's latest data, but a row
            // this sale has used (or may have) stays as it is: replacing it
            // would make a used coupon look unused, to be used again or
            // removed without its cancellation.
            const int row = GetRowByCouponId(info.couponId, false);
            if (!HoldsSaleState(couponModel->GetCoupon(row)))
                couponModel->setData(couponModel->index(row), QVariant::fromValue(info), Qt::EditRole);
        }
    } else {
        couponModel->AppendCoupon(info);
    }
    SelectCouponRow(couponModel->rowCount() - 1, true);
}

void CouponUsageWidget::UpdateCouponInfo(const QList<CouponWidgetInfo>& list)
{
    couponModel->SetCouponList(list);
    SelectCouponRow(0, false);
}

void CouponUsageWidget::SelectCouponRow(int row, bool emitClicked)
{
    const QModelIndex index = couponModel->index(row);
    if (!index.isValid())
        return;
    // A row that has to wait is refused here, without making it current and
    // the unsettled one current again (each of which lays the whole list out
    // again: a long list would make every added coupon slower).
    if (emitClicked && waitsForSettling(deductMode, lastCouponIndex, *couponModel, index)) {
        ShowMessage(KxPosTranslator::GetTranslation(2278));
        return;
    }
    ui->lvCoupon->setCurrentIndex(index);
    if (emitClicked)
        emit ui->lvCoupon->clicked(index);
}

bool CouponUsageWidget::CheckCouponMutex(const CouponWidgetInfo& info)
{
    // Without a channel bar coupons are not told apart by channel.
    if (!ui->widgetChannel->isVisibleTo(this))
        return true;
    for (const CouponWidgetInfo& coupon : couponModel->Coupons()) {
        if (coupon.channelCode != info.channelCode)
            return false;
    }
    return true;
}

bool CouponUsageWidget::CheckCouponAdded(const CouponWidgetInfo& info)
{
    return GetRowByCouponId(info.couponId, false) < 0;
}

// --- Selecting a row ---------------------------------------------------------

void CouponUsageWidget::SlotCouponListClicked(const QModelIndex& index)
{
    if (!index.isValid() || index.model() != couponModel.get())
        return;
    CouponWidgetInfo coupon = couponModel->GetCoupon(index.row());

    // In exchange mode one coupon's products are settled before the next.
    if (waitsForSettling(deductMode, lastCouponIndex, *couponModel, index)) {
        ui->lvCoupon->setCurrentIndex(lastCouponIndex);
        ShowMessage(KxPosTranslator::GetTranslation(2278));
        return;
    }
    lastCouponIndex = index;

    if (coupon.status == CouponWidgetInfo::StatusPending) {
        couponModel->setData(index, int(CouponWidgetInfo::StatusUsed), CouponListModel::StatusRole);
        coupon.status = CouponWidgetInfo::StatusUsed;
    } else if (coupon.confirmed) {
        UpdateUIData(CouponPluListType);
        return;
    }
    // Products fixed by the coupon come from the host; otherwise the
    // customer chooses among them first.
    if (!deductMode && coupon.selectCount == coupon.pluInfoList.size())
        emit SignGetCouponPlu(coupon);
    else
        UpdateUIData(PluSelectionType);
}

// --- Flags and read-outs -----------------------------------------------------

void CouponUsageWidget::SetCouponChecked(const QString& couponId, bool checked)
{
    const int row = GetRowByCouponId(couponId, false);
    if (row >= 0)
        couponModel->setData(couponModel->index(row), checked, CouponListModel::CheckedRole);
}

void CouponUsageWidget::SetCurrentCouponAdded(bool added)
{
    const QModelIndex current = ui->lvCoupon->currentIndex();
    if (!current.isValid() || couponModel->GetCoupon(current.row()).couponId.isEmpty())
        return;
    couponModel->setData(current, added, CouponListModel::AddedRole);
}

void CouponUsageWidget::SetCheckedCouponAdded()
{
    for (int row = 0; row < couponModel->rowCount(); ++row) {
        const CouponWidgetInfo& coupon = couponModel->Coupons().at(row);
        if (coupon.checked && coupon.status == CouponWidgetInfo::StatusUsed)
            couponModel->setData(couponModel->index(row), true, CouponListModel::AddedRole);
    }
}

void CouponUsageWidget::SetCouponConfirmed(const QModelIndex& index)
{
    if (index.isValid() && index.model() == couponModel.get())
        couponModel->setData(index, true, CouponListModel::ConfirmedRole);
}

QList<CouponWidgetInfo> CouponUsageWidget::GetCouponWidgetData()
{
    return couponModel->Coupons();
}

CouponWidgetInfo CouponUsageWidget::GetCurrentCouponInfo()
{
    const QModelIndex current = ui->lvCoupon->currentIndex();
    return current.isValid() ? couponModel->GetCoupon(current.row()) : CouponWidgetInfo();
}

QString CouponUsageWidget::GetCurrentCouponCode()
{
    return GetCurrentCouponInfo().couponCode;
}

QString CouponUsageWidget::GetCurrentChannelName()
{
    // Exchange coupons come without a channel bar: no channel is chosen, even
    // though the configured channels are known.
    if (!channelGroup || !deductMode || !ui->widgetChannel->isVisibleTo(this))
        return QString();
    for (const CouponChannelEntry& channel : qAsConst(channelList)) {
        if (channel.second == currentChannelCode)
            return channel.first; // the whole name, not the key's shortened caption
    }
    return QString();
}

QList<CouponChannelEntry> CouponUsageWidget::GetChannelList() const
{
    return channelList;
}

// --- Channel bar -------------------------------------------------------------

void CouponUsageWidget::InitCouponChannel()
{
    if (channelGroup) {
        // Built again: the old buttons and group go first.
        channelList.clear();
        RefreshChannelWidget();
        delete channelGroup;
        channelGroup = nullptr;
    }
    channelList.clear();
    const QString text = KxPosConfig::GetValue(QStringLiteral("TRADE_CertificateChannel"), QString(), QString());
    const QJsonDocument document = KxPosJson::Parse(text.toUtf8());
    const QJsonArray channels = document.array();
    for (const QJsonValue& value : channels) {
        if (!value.isObject())
            continue;
        const QJsonObject channel = value.toObject();
        channelList.append({channel.value(QStringLiteral("ChannelName")).toString(),
                            channel.value(QStringLiteral("ChannelCode")).toString()});
    }
    if (channelList.isEmpty()) {
        ui->widgetChannel->hide();
        return;
    }
    if (deductMode)
        ui->widgetChannel->show();
    channelGroup = new QButtonGroup(this);
    channelGroup->setExclusive(true);
    connect(channelGroup, QOverload<QAbstractButton*>::of(&QButtonGroup::buttonClicked), this,
            &CouponUsageWidget::SlotChannelButtonClicked);
    ui->btnChannelNext->setVisible(channelList.size() > ChannelsWithoutPaging);
    RefreshChannelWidget();
    if (QAbstractButton* first = channelGroup->button(0))
        first->click();
}

void CouponUsageWidget::RefreshChannelWidget()
{
    if (!channelGroup)
        return;
    channelGroup->setExclusive(false);
    while (QLayoutItem* item = ui->layoutChannelButtons->takeAt(0)) {
        if (auto* button = qobject_cast<QAbstractButton*>(item->widget())) {
            channelGroup->removeButton(button);
            delete button;
        }
        delete item;
    }
    channelGroup->setExclusive(true);

    const int count = channelList.size();
    int first = 0;
    int last = count;
    if (count > ChannelsWithoutPaging) {
        first = channelPage * ChannelsPerPage;
        last = qMin(count, first + ChannelsPerPage);
    }
    // The keys share the coupon column: at most their design width, less
    // when the keys of a page and the page key would not fit beside it.
    const QSize design = KxPosConfig::GetAutoSize(158, 80, 100, 60);
    const QMargins margins = ui->verticalLayoutLeft->contentsMargins();
    int row = ui->widgetLeft->maximumWidth() - margins.left() - margins.right();
    if (count > ChannelsWithoutPaging)
        row -= ui->btnChannelNext->minimumWidth() + ui->horizontalLayoutChannel->spacing();
    const int keys = qMax(1, last - first);
    const int spacing = ui->layoutChannelButtons->spacing();
    const QSize size(qMin(design.width(), (row - (keys - 1) * spacing) / keys), design.height());
    for (int i = first; i < last; ++i) {
        const CouponChannelEntry& channel = channelList.at(i);
        auto* button = new QPushButton(ui->widgetChannelButtons);
        button->setObjectName(QStringLiteral("btnChannel_%1").arg(i));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(true);
        button->setProperty(ChannelCodeProperty, channel.second);
        // The design height, or what the style needs when that is more; a
        // fixed height below the style's minimum would spill out of the bar.
        button->ensurePolished();
        button->setFixedSize(size.width(), qMax(size.height(), button->minimumHeight()));
        // The host names its channels: a name longer than the key is cut
        // with an ellipsis and shown whole in the tooltip and the name that
        // screen readers speak.
        const int room = size.width() - ChannelKeyPadding;
        const QString caption = button->fontMetrics().elidedText(channel.first, Qt::ElideRight, room);
        button->setText(caption);
        button->setToolTip(caption == channel.first ? QString() : channel.first);
        button->setAccessibleName(channel.first);
        channelGroup->addButton(button, i);
        ui->layoutChannelButtons->addWidget(button);
        button->setChecked(channel.second == currentChannelCode);
    }
}

int CouponUsageWidget::ChannelPageCount()
{
    const int count = channelList.size();
    return count <= ChannelsWithoutPaging ? 1 : (count + ChannelsPerPage - 1) / ChannelsPerPage;
}

void CouponUsageWidget::SlotChannelNextPage()
{
    const int pages = ChannelPageCount();
    if (channelList.size() <= ChannelsWithoutPaging || pages < 2)
        return;
    channelPage = (channelPage + 1) % pages;
    RefreshChannelWidget();
}

void CouponUsageWidget::SlotChannelButtonClicked(QAbstractButton* button)
{
    if (!button)
        return;
    const QString code = button->property(ChannelCodeProperty).toString();
    const QList<CouponWidgetInfo>& coupons = couponModel->Coupons();
    if (!code.isEmpty() && !coupons.isEmpty() && coupons.first().channelCode != code) {
        // The listed coupons fix the channel until they are gone.
        if (QAbstractButton* current = GetChannelButton(currentChannelCode)) {
            current->setChecked(true);
        } else if (channelGroup) {
            channelGroup->setExclusive(false);
            button->setChecked(false);
            channelGroup->setExclusive(true);
        }
        ShowMessage(KxPosTranslator::GetTranslation(2267).arg(coupons.first().channelName));
        return;
    }
    currentChannelCode = code;
}

QAbstractButton* CouponUsageWidget::GetChannelButton(const QString& channelCode)
{
    if (!channelGroup)
        return nullptr;
    const QList<QAbstractButton*> buttons = channelGroup->buttons();
    for (QAbstractButton* button : buttons) {
        if (button->property(ChannelCodeProperty).toString() == channelCode)
            return button;
    }
    return nullptr;
}

// --- Emptying ----------------------------------------------------------------

void CouponUsageWidget::ClearData()
{
    couponModel->Clear();
    pluSelectionModel->Clear();
    pluTableModel->Clear();
    packPluRow = -1;
    channelPage = 0;
    pluMap.clear();
    weighedRows.clear();
    useCache.clear();
    lastCouponIndex = QPersistentModelIndex();
    ui->stackedWidgetPlu->setCurrentIndex(PluSelectionType);
    UiTool::EmptyLine(ui->txtCouponCode);
    ui->lblSelectTitle->clear();
    ui->lblSelectCount->clear();
    ui->lblPackTitle->clear();
    const QString zero = QStringLiteral("0.00");
    ui->lblTotalAmount->setText(zero);
    ui->lblDeductAmount->setText(zero);
    ui->lblPayAmount->setText(zero);
    ui->lblPluCount->setText(KxPosTranslator::GetTranslation(2277));
    UpdateBottomArea();
}

// --- Held bills ----------------------------------------------------------------

CouponUsageWidget::SaleState CouponUsageWidget::TakeSaleState()
{
    SaleState state;
    state.coupons = couponModel->Coupons();
    state.useResults = useCache;
    state.pluMap = pluMap;
    state.weighedRows = weighedRows;
    state.channelCode = currentChannelCode;
    ClearData();
    return state;
}

bool CouponUsageWidget::RestoreSaleState(const SaleState& state)
{
    if (couponModel->rowCount() > 0 || !useCache.isEmpty())
        return false;
    ClearData();
    if (state.IsEmpty())
        return true;
    couponModel->SetCouponList(state.coupons);
    useCache = state.useResults;
    pluMap = state.pluMap;
    weighedRows = state.weighedRows;
    if (!state.channelCode.isEmpty()) {
        currentChannelCode = state.channelCode;
        RefreshChannelWidget();
    }
    SelectCouponRow(0, false);
    return true;
}
