// Keys of the coupon screen: a cashier with a keyboard and a scanner uses it
// without touching it.
//
//  - Escape closes the screen without using anything, as its close key.
//  - Enter searches the typed code; with the code box empty it presses the
//    page's default key: the products' confirm on the selection and package
//    pages, else "use coupons".
//  - F12 or Ctrl+Enter presses "finish"; Page Down turns the channel page.
//  - Up and Down move in the coupon list (deduction mode, or with the focus
//    on the list) or in the product table of the page (exchange mode).
//  - Space ticks the current product on the selection page, weighs the
//    current product on the product list (as its weigh key), else ticks the
//    current coupon in the list.
//  - Deduction mode: + and - (with the code box empty) change how many
//    coupons of the current row are used; Delete presses the row's own key
//    (cancel the use, refresh, or remove).
//  - Tab and Shift+Tab move between the code box, the coupon list and the
//    product table shown.
//  - Typed text always lands in the code box, so the scanner works wherever
//    the focus is.
//
// A cashier without a keyboard opens the pad under the code box with its key
// ("键盘"): its digits type the code, its confirm key does what Enter does.

#include "coupon/CouponUsageWidget.h"
#include "ui_CouponUsageWidget.h"

#include "coupon/CouponCaptions_p.h"
#include "coupon/CouponListModel.h"
#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponPluTableModel.h"

#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {
constexpr int KeyboardCaption = 2381;
}

void CouponUsageWidget::InitKeys()
{
    for (QWidget* watched : std::initializer_list<QWidget*>{ui->txtCouponCode, ui->lvCoupon, ui->tbvPluSelection,
                                                            ui->tbvPluList})
        watched->installEventFilter(this);
    // The lists take the focus from Tab only; a tap leaves it in the code box.
    for (QWidget* view : std::initializer_list<QWidget*>{ui->lvCoupon, ui->tbvPluSelection, ui->tbvPluList})
        view->setFocusPolicy(Qt::TabFocus);
    InitCodePad();
}

void CouponUsageWidget::InitCodePad()
{
    auto* key = new QPushButton(ui->widgetSearch);
    key->setObjectName(QStringLiteral("btnCodePad"));
    key->setCheckable(true);
    // A tap leaves the keyboard focus in the code box.
    key->setFocusPolicy(Qt::NoFocus);
    key->setMinimumWidth(KxPosConfig::GetAutoWidth(120, 72));
    key->setMinimumHeight(ui->btnSearch->minimumHeight());
    key->setMaximumHeight(ui->btnSearch->maximumHeight());
    ui->horizontalLayoutSearch->addWidget(key);
    codePadKey = key;

    // The kit's numeric pad: ten digits, ".", "00", clear, backspace and
    // confirm in three rows of five, as wide as the coupon column.
    codePad = new KeyBoardWidget(ui->widgetLeft, QStringLiteral("1"), 0);
    const int gap = KxPosConfig::GetAutoWidth(8, 6);
    codePad->SetKeySpacing(gap, gap);
    codePad->SetMinimumKeyHeight(KxPosConfig::GetAutoHeight(76, 44));
    codePad->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ui->verticalLayoutLeft->insertWidget(ui->verticalLayoutLeft->indexOf(ui->widgetSearch) + 1, codePad);
    codePad->hide();

    connect(key, &QAbstractButton::toggled, this, [this](bool shown) {
        codePad->setVisible(shown);
        ui->txtCouponCode->setFocus(Qt::OtherFocusReason);
        // The coupon list gave the pad its room: keep the current coupon in view.
        if (ui->lvCoupon->currentIndex().isValid())
            ui->lvCoupon->scrollTo(ui->lvCoupon->currentIndex());
    });
    connect(codePad, &KeyBoardWidget::SignKbwKeyPress, this, &CouponUsageWidget::CodePadKey);
}

void CouponUsageWidget::CodePadKey(const QString& key)
{
    ui->txtCouponCode->setFocus(Qt::OtherFocusReason);
    if (KeyBoardWidget::ApplyKey(ui->txtCouponCode, key))
        ConfirmCode();
}

void CouponUsageWidget::ConfirmCode()
{
    if (!ui->txtCouponCode->text().trimmed().isEmpty())
        SlotButtonSearchClicked();
    else if (ui->btnPackConfirm->isVisible())
        SlotButtonPackConfirmClicked();
    else if (ui->btnConfirm->isVisible())
        SlotButtonConfirmClicked();
}

void CouponUsageWidget::ApplyKeyCaptions()
{
    using namespace CouponCaptions;
    const QString withKey = KxPosTranslator::GetTranslation(CaptionWithKey);
    const QString enter = QStringLiteral("Enter");
    ui->btnSearch->setText(withKey.arg(KxPosTranslator::GetTranslation(Search), enter));
    ui->btnPre->setText(withKey.arg(KxPosTranslator::GetTranslation(PreviousRow), QStringLiteral("↑")));
    ui->btnNext->setText(withKey.arg(KxPosTranslator::GetTranslation(NextRow), QStringLiteral("↓")));
    ui->btnPackConfirm->setText(withKey.arg(KxPosTranslator::GetTranslation(PackConfirm), enter));
    ui->btnConfirm->setText(withKey.arg(KxPosTranslator::GetTranslation(UseCoupons), enter));
    ui->btnSubmit->setText(withKey.arg(KxPosTranslator::GetTranslation(Finish), QStringLiteral("F12")));
    if (codePadKey)
        codePadKey->setText(KxPosTranslator::GetTranslation(KeyboardCaption));
    ui->lblPluKeys->setText(KxPosTranslator::GetTranslation(WeighKey));
    ui->lblListKeys->setText(KxPosTranslator::GetTranslation(deductMode ? ListKeys : ListSwitchKey));
    ui->btnChannelNext->setText(
        KxPosTranslator::GetTranslation(CaptionOverKey).arg(KxPosTranslator::GetTranslation(ChannelNextPage),
                                                             QStringLiteral("PgDn")));
    ui->widgetTitle->SetTitle(KxPosTranslator::GetTranslation(TitleWithKeys).arg(KxPosTranslator::GetTranslation(Title)));
}

bool CouponUsageWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == ui->txtCouponCode || watched == ui->lvCoupon || watched == ui->tbvPluSelection
            || watched == ui->tbvPluList)) {
        if (HandleKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return KxWidget::eventFilter(watched, event);
}

void CouponUsageWidget::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKey(event))
        KxWidget::keyPressEvent(event);
}

QTableView* CouponUsageWidget::CurrentPluView() const
{
    if (deductMode)
        return nullptr;
    switch (CurrentPage()) {
    case PluSelectionType: return ui->tbvPluSelection;
    case CouponPluListType: return ui->tbvPluList;
    default: return nullptr;
    }
}

bool CouponUsageWidget::HandleKey(QKeyEvent* event)
{
    QWidget* focus = focusWidget();
    const bool inCode = focus == ui->txtCouponCode || !focus;
    const bool codeEmpty = ui->txtCouponCode->text().trimmed().isEmpty();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QTableView* pluView = CurrentPluView();
    // Up, Down and Space act on the coupon list when it has the focus, on the
    // product table when that has it or in exchange mode, else on the list.
    const bool onProducts = pluView && (focus == pluView || (inCode && focus != ui->lvCoupon));

    switch (event->key()) {
    case Qt::Key_Escape:
        Close();
        return true;
    case Qt::Key_F12:
        if (ui->btnSubmit->isVisible())
            SlotButtonSubmitClicked();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!ctrl)
            ConfirmCode();
        else if (ui->btnSubmit->isVisible())
            SlotButtonSubmitClicked();
        return true;
    case Qt::Key_PageDown:
        if (ui->btnChannelNext->isVisible())
            SlotChannelNextPage();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool down = event->key() == Qt::Key_Down;
        if (onProducts) {
            DoPluAreaRowChange(pluView, down);
        } else if (couponModel->rowCount() > 0) {
            const int current = ui->lvCoupon->currentIndex().row();
            const int row = current < 0 ? 0 : qBound(0, current + (down ? 1 : -1), couponModel->rowCount() - 1);
            if (row != current)
                SelectCouponRow(row, true);
        }
        return true;
    }
    case Qt::Key_Space:
        if (inCode && !codeEmpty)
            return false; // part of what is typed
        if (onProducts && CurrentPage() == PluSelectionType)
            SlotSelectCouponPlu(ui->tbvPluSelection->currentIndex());
        else if (onProducts && CurrentPage() == CouponPluListType)
            WeighCurrentPlu();
        else if (!onProducts)
            ToggleCurrentCoupon();
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!deductMode || !codeEmpty || !ui->lvCoupon->currentIndex().isValid())
            break;
        if (event->key() == Qt::Key_Plus)
            SlotCouponPlusButtonClicked(ui->lvCoupon->currentIndex());
        else
            SlotCouponMinusButtonClicked(ui->lvCoupon->currentIndex());
        return true;
    case Qt::Key_Delete:
        if (deductMode)
            PressCurrentRowKey();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        QList<QWidget*> chain{ui->txtCouponCode, ui->lvCoupon};
        if (pluView)
            chain << pluView;
        const bool back = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        const int at = qMax(0, chain.indexOf(focus));
        chain.at((at + (back ? chain.size() - 1 : 1)) % chain.size())->setFocus(Qt::TabFocusReason);
        return true;
    }
    default:
        break;
    }
    // Typed or scanned text goes to the code box wherever the focus is.
    if (!inCode && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        ui->txtCouponCode->setFocus(Qt::OtherFocusReason);
        ui->txtCouponCode->insert(event->text());
        return true;
    }
    return false;
}

void CouponUsageWidget::PressCurrentRowKey()
{
    const QModelIndex current = ui->lvCoupon->currentIndex();
    if (!current.isValid())
        return;
    // The row's key follows its state, as the row paints it.
    switch (couponModel->GetCoupon(current.row()).status) {
    case CouponWidgetInfo::StatusUsed: SlotCouponUnuseButtonClicked(current); break;
    case CouponWidgetInfo::StatusInDoubt: SlotCouponRefreshButtonClicked(current); break;
    case CouponWidgetInfo::StatusUnused: SlotCouponRemoveButtonClicked(current); break;
    default: break;
    }
}

void CouponUsageWidget::ToggleCurrentCoupon()
{
    const QModelIndex current = ui->lvCoupon->currentIndex();
    if (!current.isValid())
        return;
    CouponWidgetInfo coupon = couponModel->GetCoupon(current.row());
    // As a tap on the tick: a coupon handed over or used stays ticked.
    if (coupon.added || coupon.status == CouponWidgetInfo::StatusUsed)
        return;
    couponModel->setData(current, !coupon.checked, CouponListModel::CheckedRole);
}

void CouponUsageWidget::WeighCurrentPlu()
{
    const QModelIndex current = ui->tbvPluList->currentIndex();
    if (!current.isValid())
        return;
    // Only a weighed product has a weigh key; the others have nothing to weigh.
    const KxPosPluDetail product = pluTableModel->PluList().value(current.row());
    if (product.weighFlag == QLatin1String("1"))
        SlotPluWeightButtonClicked(pluTableModel->index(current.row(), 1));
}
