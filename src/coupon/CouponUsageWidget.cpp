// Frame of the coupon screen: construction, sizes, models and delegates,
// wiring, showing and closing, keys and texts. The list and channels, the
// product pages and the use bookkeeping live in their own CouponUsage*.cpp
// files.

#include "coupon/CouponUsageWidget.h"
#include "ui_CouponUsageWidget.h"

#include "coupon/CouponCaptions_p.h"
#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponListModel.h"
#include "coupon/CouponPluSelectionItemDelegate.h"
#include "coupon/CouponPluSelectionModel.h"
#include "coupon/CouponPluTableItemDelegate.h"
#include "coupon/CouponPluTableModel.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/UiTool.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {
// Holds `widget` at `height`, or at the height its style sheet needs when
// that is more (small screens). The style's own minimum takes over when the
// widget is polished: a fixed height below it would let the widget spill
// out of its bar.
void setDesignHeight(QWidget* widget, int height)
{
    widget->ensurePolished();
    widget->setFixedHeight(qMax(height, qMax(widget->minimumHeight(), widget->sizeHint().height())));
}

QString styleColour(const char* variable, const char* fallback)
{
    const QString value = KxPosConfig::styleMap.value(QLatin1String(variable));
    return value.isEmpty() ? QLatin1String(fallback) : value;
}
} // namespace

CouponUsageWidget::CouponUsageWidget(QWidget* parent)
    : KxWidget(parent)
    , ui(new Ui::CouponUsageWidget)
    , deductMode(KxPosConfig::m_isCouponForDeduct)
    , messageWidget(new MessageWidget(0, this))
    , questionMessage(new QuestionMessage(0, this))
{
    CouponWidgetInfo::RegisterMetaTypes();
    // Opened over the sales screen (its parent, when the host gives one) and
    // modal to it; its message boxes open over the coupon screen itself.
    MakeSecondaryWindow();
    ui->setupUi(this);
    setObjectName(QStringLiteral("CouponUsageWidget"));
    // The kit's title bar keeps the name its style rules use.
    ui->widgetTitle->setObjectName(QStringLiteral("TitleWidget"));
    InitUI();
}

CouponUsageWidget::~CouponUsageWidget()
{
    // The views go with the form before the models and delegates they use.
    delete ui;
    delete messageWidget;
    delete questionMessage;
}

void CouponUsageWidget::InitUI()
{
    InitWidgetSize();
    InitListView();
    InitPluTableView();
    InitCouponChannel();
    InitConnections();
    InitKeys();
    InitDefaultData();
    ClearData();
}

void CouponUsageWidget::InitWidgetSize()
{
    setFixedSize(KxPosConfig::GetAutoSize(1820, 985, 1000, 700));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#CouponUsageWidget, #widgetBody { background-color: #EDEEF0; }"
                                 "#widgetLeft, #widgetRight, #widgetBottom { background-color: #FFFFFF; }"
                                 "#btnCouponType { color: %1; border: none; border-bottom: 3px solid %1;"
                                 " background-color: transparent; border-radius: 0; }")
                      .arg(styleColour("$color2", "#23BAFA")));

    const int outer = KxPosConfig::GetAutoWidth(20, 12);
    const int inner = KxPosConfig::GetAutoWidth(16, 10);
    ui->horizontalLayoutBody->setContentsMargins(outer, KxPosConfig::GetAutoHeight(16, 10), outer,
                                                 KxPosConfig::GetAutoHeight(16, 10));
    ui->horizontalLayoutBody->setSpacing(outer);
    ui->verticalLayoutLeft->setContentsMargins(inner, inner, inner, inner);
    ui->verticalLayoutLeft->setSpacing(KxPosConfig::GetAutoHeight(12, 8));
    ui->verticalLayoutRight->setContentsMargins(inner, inner, inner, inner);
    ui->horizontalLayoutSearch->setSpacing(inner);
    ui->horizontalLayoutChannel->setSpacing(inner);
    ui->layoutChannelButtons->setSpacing(KxPosConfig::GetAutoWidth(12, 8));
    ui->layoutChannelButtons->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui->horizontalLayoutSelectHead->setSpacing(inner);
    ui->horizontalLayoutAmount->setSpacing(KxPosConfig::GetAutoWidth(12, 8));
    ui->horizontalLayoutBottom->setContentsMargins(outer, 0, outer, 0);
    ui->horizontalLayoutBottom->setSpacing(inner);

    // The coupon column fits one painted row and its margins.
    ui->widgetLeft->setFixedWidth(KxPosConfig::GetAutoWidth(828, 516) + 2 * inner + KxPosConfig::GetAutoWidth(12, 8));
    // Bars and keys get their design heights as minimums: where the style's
    // padding and font need more (small screens), they grow and the lists
    // between them give up the room.
    ui->widgetModeBar->setMinimumHeight(KxPosConfig::GetAutoHeight(70, 44));
    ui->widgetSearch->setMinimumHeight(KxPosConfig::GetAutoHeight(80, 50));
    ui->widgetChannel->setMinimumHeight(KxPosConfig::GetAutoHeight(96, 66));
    ui->widgetSelectHead->setMinimumHeight(KxPosConfig::GetAutoHeight(70, 44));
    ui->widgetPluHead->setMinimumHeight(KxPosConfig::GetAutoHeight(70, 44));
    ui->widgetAmount->setMinimumHeight(KxPosConfig::GetAutoHeight(80, 50));
    ui->widgetBottom->setMinimumHeight(KxPosConfig::GetAutoHeight(110, 70));
    for (QWidget* bar : {ui->widgetModeBar, ui->widgetSearch, ui->widgetChannel, ui->widgetSelectHead,
                         ui->widgetPluHead, ui->widgetAmount, ui->widgetBottom})
        bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    setDesignHeight(ui->btnCouponType, KxPosConfig::GetAutoHeight(60, 40));
    setDesignHeight(ui->txtCouponCode, KxPosConfig::GetAutoHeight(70, 44));
    ui->btnSearch->setMinimumWidth(KxPosConfig::GetAutoWidth(160, 96));
    setDesignHeight(ui->btnSearch, KxPosConfig::GetAutoHeight(70, 44));
    ui->btnChannelNext->setFixedWidth(KxPosConfig::GetAutoWidth(120, 76));
    setDesignHeight(ui->btnChannelNext, KxPosConfig::GetAutoHeight(80, 60));
    const QSize bottomButton = KxPosConfig::GetAutoSize(200, 76, 120, 48);
    // Longer captions (other languages) widen a button rather than being cut.
    for (QPushButton* button : {ui->btnPre, ui->btnNext, ui->btnPackConfirm, ui->btnConfirm, ui->btnSubmit}) {
        button->setMinimumWidth(bottomButton.width());
        setDesignHeight(button, bottomButton.height());
    }
    UiTool::UpdateWidgetStyle(ui->btnConfirm, "showType", QStringLiteral("choose"));
    UiTool::UpdateWidgetStyle(ui->btnSubmit, "showType", QStringLiteral("choose"));
    UiTool::UpdateWidgetStyle(ui->btnPackConfirm, "showType", QStringLiteral("choose"));

    ui->packContentWidget->SetBtnSize(KxPosConfig::GetAutoSize(60, 60, 40, 40));
    ui->packContentWidget->SetRowHeight(KxPosConfig::GetAutoHeight(80, 52));
    ui->packContentWidget->SetHeaderHeight(KxPosConfig::GetAutoHeight(50, 34));
    ui->packContentWidget->SetRowBackgroundColor(QColor(QStringLiteral("#FFFFFF")), QColor(QStringLiteral("#F7F8FA")));
}

void CouponUsageWidget::InitListView()
{
    couponModel = std::make_shared<CouponListModel>();
    couponDelegate = std::make_shared<CouponItemDelegate>(deductMode);
    ui->lvCoupon->setModel(couponModel.get());
    ui->lvCoupon->setItemDelegate(couponDelegate.get());
    // Every row has the delegate's one size: the view then places rows
    // without asking each one, so a long list stays quick to add to.
    ui->lvCoupon->setUniformItemSizes(true);
    ui->lvCoupon->setMouseTracking(false);
}

void CouponUsageWidget::InitPluTableView()
{
    pluSelectionModel = std::make_shared<CouponPluSelectionModel>();
    pluSelectionDelegate = std::make_shared<CouponPluSelectionItemDelegate>();
    pluTableModel = std::make_shared<CouponPluTableModel>();
    pluTableDelegate = std::make_shared<CouponPluTableItemDelegate>();

    ui->tbvPluSelection->setModel(pluSelectionModel.get());
    ui->tbvPluSelection->setItemDelegate(pluSelectionDelegate.get());
    ui->tbvPluList->setModel(pluTableModel.get());
    ui->tbvPluList->setItemDelegate(pluTableDelegate.get());

    for (QTableView* view : {ui->tbvPluSelection, ui->tbvPluList}) {
        view->verticalHeader()->hide();
        view->horizontalHeader()->setHighlightSections(false);
        view->horizontalHeader()->setSectionsClickable(false);
        view->horizontalHeader()->setFixedHeight(KxPosConfig::GetAutoHeight(80, 48));
    }
    ui->tbvPluSelection->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView* selectionHeader = ui->tbvPluSelection->horizontalHeader();
    selectionHeader->setSectionResizeMode(0, QHeaderView::Fixed);
    selectionHeader->resizeSection(0, KxPosConfig::GetAutoWidth(90, 56));
    selectionHeader->setSectionResizeMode(1, QHeaderView::Stretch);
    selectionHeader->setSectionResizeMode(2, QHeaderView::Fixed);
    selectionHeader->resizeSection(2, KxPosConfig::GetAutoWidth(160, 90));

    QHeaderView* listHeader = ui->tbvPluList->horizontalHeader();
    listHeader->setSectionResizeMode(0, QHeaderView::Stretch);
    // Quantity holds the weigh button; price and amount hold money values.
    const int widths[] = {0, KxPosConfig::GetAutoWidth(180, 100), KxPosConfig::GetAutoWidth(130, 76),
                          KxPosConfig::GetAutoWidth(160, 90)};
    for (int column = 1; column < 4; ++column) {
        listHeader->setSectionResizeMode(column, QHeaderView::Fixed);
        listHeader->resizeSection(column, widths[column]);
    }
}

void CouponUsageWidget::InitConnections()
{
    connect(ui->widgetTitle, &TitleWidget::SignButtonCloseClicked, this, &CouponUsageWidget::SlotButtonCloseClicked);
    connect(ui->btnSearch, &QPushButton::clicked, this, &CouponUsageWidget::SlotButtonSearchClicked);
    connect(ui->btnConfirm, &QPushButton::clicked, this, &CouponUsageWidget::SlotButtonConfirmClicked);
    connect(ui->btnSubmit, &QPushButton::clicked, this, &CouponUsageWidget::SlotButtonSubmitClicked);
    connect(ui->btnPackConfirm, &QPushButton::clicked, this, &CouponUsageWidget::SlotButtonPackConfirmClicked);
    connect(ui->btnPre, &QPushButton::clicked, this, &CouponUsageWidget::SlotButtonPreClicked);
    connect(ui->btnNext, &QPushButton::clicked, this, &CouponUsageWidget::SlotButtonNextClicked);
    connect(ui->lvCoupon, &QListView::clicked, this, &CouponUsageWidget::SlotCouponListClicked);
    connect(ui->tbvPluSelection, &QTableView::clicked, this, &CouponUsageWidget::SlotSelectCouponPlu);
    connect(pluTableDelegate.get(), &CouponPluTableItemDelegate::SignButtonWeightClicked, this,
            &CouponUsageWidget::SlotPluWeightButtonClicked);
    connect(pluTableDelegate.get(), &CouponPluTableItemDelegate::SignButtonDetailClicked, this,
            &CouponUsageWidget::SlotPluDetailButtonClicked);
    connect(couponDelegate.get(), &CouponItemDelegate::SignButtonUnuseClicked, this,
            &CouponUsageWidget::SlotCouponUnuseButtonClicked);
    connect(couponDelegate.get(), &CouponItemDelegate::SignButtonRefreshClicked, this,
            &CouponUsageWidget::SlotCouponRefreshButtonClicked);
    connect(couponDelegate.get(), &CouponItemDelegate::SignButtonRemoveClicked, this,
            &CouponUsageWidget::SlotCouponRemoveButtonClicked);
    connect(couponDelegate.get(), &CouponItemDelegate::SignButtonMinusClicked, this,
            &CouponUsageWidget::SlotCouponMinusButtonClicked);
    connect(couponDelegate.get(), &CouponItemDelegate::SignButtonPlusClicked, this,
            &CouponUsageWidget::SlotCouponPlusButtonClicked);
    // The picker's weight request goes straight on to the host.
    connect(ui->packContentWidget, &PackContentWidget::SignalsGetWeight, this,
            &CouponUsageWidget::SignGetPackPluWeight);
}

void CouponUsageWidget::InitDefaultData()
{
    if (!deductMode) {
        // Exchange coupons come from one channel; the bar is not offered.
        currentChannelCode = QStringLiteral("jh");
        ui->widgetChannel->hide();
    } else {
        ui->widgetRight->hide();
        ui->btnPre->hide();
        ui->btnNext->hide();
    }
    ui->btnCouponType->setEnabled(false);
    ApplyCaptions();
}

void CouponUsageWidget::ApplyCaptions()
{
    using namespace CouponCaptions;
    ui->widgetTitle->SetTitle(KxPosTranslator::GetTranslation(Title));
    setWindowTitle(KxPosTranslator::GetTranslation(Title));
    ui->btnCouponType->setText(KxPosTranslator::GetTranslation(deductMode ? DeductionCoupons : ExchangeCoupons));
    ui->txtCouponCode->setPlaceholderText(KxPosTranslator::GetTranslation(CodePlaceholder));
    ui->btnSearch->setText(KxPosTranslator::GetTranslation(Search));
    ui->btnChannelNext->setText(KxPosTranslator::GetTranslation(ChannelNextPage));
    ui->btnPre->setText(KxPosTranslator::GetTranslation(PreviousRow));
    ui->btnNext->setText(KxPosTranslator::GetTranslation(NextRow));
    ui->btnPackConfirm->setText(KxPosTranslator::GetTranslation(PackConfirm));
    ui->btnConfirm->setText(KxPosTranslator::GetTranslation(UseCoupons));
    ui->btnSubmit->setText(KxPosTranslator::GetTranslation(Finish));
    ui->lblTotalCaption->setText(KxPosTranslator::GetTranslation(Total));
    ui->lblDeductCaption->setText(KxPosTranslator::GetTranslation(Deduction));
    ui->lblPayCaption->setText(KxPosTranslator::GetTranslation(Payable));
    ApplyKeyCaptions();
    // Keys are named by their captions; the code box, the coupon list and
    // the product tables by their own messages.
    static constexpr AccessibleNames::Entry names[] = {
        {"txtCouponCode", 7740},
        {"lvCoupon", 7741},
        {"tbvPluList", 7742},
        {"tbvPluSelection", 7743},
    };
    AccessibleNames::NameButtonsByCaption(this);
    AccessibleNames::Apply(this, names);
}

void CouponUsageWidget::Retranslate()
{
    ui->retranslateUi(this);
    ApplyCaptions();
}

void CouponUsageWidget::UpdateTranslation()
{
    pluSelectionModel->RetranslateHeaders();
    pluTableModel->RetranslateHeaders();
    RefreshPageTexts();
    ui->lvCoupon->viewport()->update();
}

void CouponUsageWidget::ShowMessage(const QString& text)
{
    messageWidget->showMessage(text, KxPosTranslator::GetTranslation(CouponCaptions::MessageTitle), 3, false);
}

void CouponUsageWidget::Show(bool refuseSubmit)
{
    submitRefused = refuseSubmit;
    KxWidget::show();
    raise();
    activateWindow();
    setFocus();
    ui->txtCouponCode->setFocus();
}

void CouponUsageWidget::Close()
{
    close();
}

void CouponUsageWidget::SlotButtonCloseClicked()
{
    Close();
}
