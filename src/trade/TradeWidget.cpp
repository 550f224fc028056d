// Frame of the sales screen: construction, configuration, showing and closing,
// timers, clock, component accessors and retranslation. The feature areas live
// in their own TradeWidget*.cpp files.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/TradeAccessibility_p.h"

#include "trade/TradeCaptions_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/ChangeWidget.h"
#include "contracts/CaptionFit.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TableModel.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/UiTool.h"
#include "contracts/WindowPlacement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QDateTime>
#include <QDockWidget>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QWindowStateChangeEvent>

namespace {
constexpr int FocusDelayMs = 500;
constexpr int StartTradeDelayMs = 200;
const char* const NoScaleDriver = "无";
} // namespace

TradeWidget::TradeWidget(int screenType, QWidget* parent)
    : KxWidget(parent)
    , screenType(screenType)
{
    // 1. Owned helpers, then the form. The sale table and the timers are
    //    by-value members built before this body runs.
    // The boxes are windows of their own over this screen: centred over it,
    // in front of it and modal to it while they run.
    messageWidget = new MessageWidget(screenType, this);
    questionMessage = new QuestionMessage(0, this);
    changeWidget = new ChangeWidget(screenType, this);
    ui = new Ui::TradeWidget;
    ui->setupUi(this);
    ui->produwidget->layout()->addWidget(saleTable.view());
    saleTable.view()->setObjectName(QStringLiteral("tbvSale"));

    // 2. Title and name.
    setWindowTitle(KxPosTranslator::GetTranslation(2358));
    setObjectName(QStringLiteral("TradeWidget"));

    // 3. Initial member values.
    currentRow = -1;
    tradeActive = true;
    payGuard = false;
    printGuard = false;
    layoutMode = 0;
    funcRows = 7;
    funcColumns = KxPosConfig::iAppWidth > 1599 ? 5 : 4;
    spacing = KxPosConfig::GetAutoWidth(10, 6);

    // 4. Docks leave the layout and float over the screen, hidden.
    for (QDockWidget* dock : {ui->dockWidget, ui->dockWidgetKeyBoard}) {
        ui->widgetback->layout()->removeWidget(dock);
        dock->setParent(this);
        dock->setTitleBarWidget(new QWidget(dock));
        dock->setFloating(true);
        dock->hide();
    }
    ui->lableDeduct->hide();

    // 5. Connections. The sibling kit's signals are connected by signature
    //    text so that a replacement kit only needs the same signatures.
    connect(changeWidget, SIGNAL(SignTradeChgClosed(int,QString)), this, SLOT(SlotChgClosed(int,QString)));
    const struct {
        QTimer* timer;
        const char* slot;
    } guards[] = {
        {&payGuardTimer, SLOT(SlotTimeout())},
        {&printGuardTimer, SLOT(SlotTimeoutPrint())},
        {&focusTimer, SLOT(SlotTimeoutF())},
        {&startTradeTimer, SLOT(SlotTimeoutPay())},
    };
    for (const auto& g : guards) {
        // A guard of 500 ms must end at 500 ms, not up to 5 % later.
        g.timer->setTimerType(Qt::PreciseTimer);
        connect(g.timer, SIGNAL(timeout()), this, g.slot, Qt::UniqueConnection);
        connect(g.timer, SIGNAL(timeout()), g.timer, SLOT(stop()), Qt::UniqueConnection);
    }
    connect(&customerAdTimer, SIGNAL(timeout()), this, SLOT(SlotCusAdTimerTimeout()));
    connect(ui->txtcode, SIGNAL(selectionChanged()), this, SLOT(SlotTxtSelected()));
    connect(&saleTable, SIGNAL(RowAdded()), this, SLOT(SlotSetrowHeight()));
    connect(&saleTable, SIGNAL(SignAddOne(QModelIndex)), this, SLOT(SlotAddOne(QModelIndex)));
    connect(&saleTable, SIGNAL(SignMinusOne(QModelIndex)), this, SLOT(SlotMinusOne(QModelIndex)));
    connect(&saleTable, SIGNAL(clicked(const QModelIndex&)), this, SLOT(TableViewClicked(const QModelIndex&)));
    // currentTextChanged: the QString overload of currentIndexChanged is gone in Qt 6.
    connect(ui->boxCxTitle, &QComboBox::currentTextChanged, this, &TradeWidget::SlotComboBoxIndexChanged);
    employeeMenu = new QMenu(this);
    employeeMenu->setObjectName(QStringLiteral("employeeMenu"));
    connect(employeeMenu, SIGNAL(triggered(QAction*)), this, SLOT(SlotEmployeeSelected(QAction*)));
    if (TableModel* model = saleTable.model()) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &TradeWidget::SlotTableDataChanged);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &TradeWidget::SlotTableDataChanged);
        connect(model, &QAbstractItemModel::modelReset, this, &TradeWidget::SlotTableDataChanged);
    }
    if (QItemSelectionModel* selection = saleTable.selectionModel())
        connect(selection, &QItemSelectionModel::currentRowChanged, this, &TradeWidget::CurrentRowChanged);

    // Keys typed while the code box, the table, an order list or the
    // keyboard line has the focus go through the screen's own key map.
    for (QObject* watched : std::initializer_list<QObject*>{ui->widgetback, ui->txtcode, saleTable.view(), ui->lineEdit,
                                                            ui->label_ProSuggest, ui->lblVipPhone, ui->tbvOrder,
                                                            ui->tbvOnline, ui->tbvDown, ui->boxOrderSort})
        watched->installEventFilter(this);

    // 6. Configuration.
    ReadConfiguration();

    // 7. Initial state of every area.
    initValue(false);
    InitWidgetSize();
    InitWeightWidget();
    SlotTrdMemberLogOut();
    UpdateBtnBillNumber(QStringLiteral("01"));
    InitTableUI();
    ui->stackedWidgetPlu->setCurrentIndex(0);
    ui->btnInform->hide();
    ui->btnWIFI->hide();
    ui->widgetBillNo->hide();
    ui->btnEditCancel->hide();
    // Captions too long for their keys (English ones on small screens) wrap
    // or elide instead of running past the key's edges: in the areas whose
    // keys get their widths from the layout, not from their captions.
    for (QWidget* area : {ui->widgetTop, ui->widgetBtn, ui->widgetSide, ui->widgetBill, ui->widgetVipLeft,
                          ui->widgetFuncBar})
        CaptionFit::WatchAll(area);
    ui->lblNetwork->hide();
    ui->widgetOrderPay->hide();
    ui->widgetPreKey->hide();
    ui->msgnotice->hide();
    ui->btnReturn->hide();
    ui->toolButtonpaythird->hide();
    ui->boxCxTitle->hide();

    // 8. Status-bar captions; the pay and clerk keys start with their idle
    // captions (the state of the screen chooses them later).
    ui->toolButtonpayother->setProperty(TradeAccessibility::CaptionIdProperty, screenType == 1 ? 2374 : 2345);
    ui->btnphone->setProperty(TradeAccessibility::CaptionIdProperty, 1913);
    Retranslate();
    UiTool::UpdateWidgetStyle(ui->widgetVipLeft, "showType", QStringLiteral("normal"));

    // 9. Variants by configuration and screen type.
    ApplyVariants();
}

TradeWidget::~TradeWidget()
{
    // The boxes go before the form whose widgets their closing may touch.
    delete messageWidget;
    delete questionMessage;
    delete changeWidget;
    delete ui;
    // The sale table is a member and goes after this body; its view still
    // passes events through eventFilter() while it is destroyed.
    ui = nullptr;
}

void TradeWidget::ReadConfiguration()
{
    if (KxPosConfig::GetValue(QStringLiteral("SYSTEM_IsUseSSPOS"), QStringLiteral("0")) == QLatin1String("1")) {
        setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint
                       | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnBottomHint);
    }
    // Look-and-feel values are read once, straight from the extension file.
    QSettings ext(KxPosConfig::FilePath(QStringLiteral("configExt.ini")), QSettings::IniFormat);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    ext.setIniCodec("UTF-8"); // Qt 6 reads INI files as UTF-8 always
#endif
    const auto extValue = [&ext](const char* key, const char* fallback) {
        return ext.value(QLatin1String(key), QString::fromUtf8(fallback)).toString();
    };
    quickPayColour1 = extValue("QuickPayBtn/FirstPayBtnColour", "#23BAFA");
    quickPayColour2 = extValue("QuickPayBtn/SecondPayBtnColour", "#23BAFA");
    quickPayColour3 = extValue("QuickPayBtn/ThirdPayBtnColour", "#23BAFA");
    showLineSerial = extValue("Display/ShowPluSeriNum", "0") == QLatin1String("1");
    charInputMode = extValue("Biz/IsCharInput", "0") == QLatin1String("1");

    const QString payStyle = QStringLiteral("QToolButton { background-color: %1; }");
    ui->toolButtonpayfirst->setStyleSheet(payStyle.arg(quickPayColour1));
    ui->toolButtonpaysecond->setStyleSheet(payStyle.arg(quickPayColour2));
    ui->toolButtonpaythird->setStyleSheet(payStyle.arg(quickPayColour3));
}

void TradeWidget::ApplyVariants()
{
    if (KxPosConfig::GetValue(QStringLiteral("SYSTEM_IsCheckNetwork"), QStringLiteral("0")) == QLatin1String("1"))
        ui->lblNetwork->show();

    if (screenType == 1
        || KxPosConfig::GetValue(QStringLiteral("TRADE_IsHideBillNumber"), QStringLiteral("0")) == QLatin1String("1")) {
        ui->widgetBill->hide();
        UiTool::UpdateWidgetStyle(ui->widgetVipLeft, "showType", QStringLiteral("top"));
    } else {
        ui->widgetBill->show();
        for (QPushButton* b : {ui->btnBill01, ui->btnBill02, ui->btnBill03, ui->btnBill04, ui->btnBillOrder})
            b->setCheckable(true);
    }

    if (KxPosConfig::sProjectCode == QLatin1String("1")) {
        ui->labelTitle->setText(QStringLiteral("STD7.0"));
    } else if (KxPosConfig::sProjectCode == QLatin1String("2")) {
        ui->labelTitle->clear();
        ui->labelTitle->setFixedSize(KxPosConfig::GetAutoSize(120, 40, 75, 25));
        UiTool::UpdateWidgetStyle(ui->labelTitle, "showType", QStringLiteral("KRVA"));
    }

    if (KxPosConfig::GetValue(QStringLiteral("TRADE_UseSuggestPro"), QStringLiteral("0")) == QLatin1String("0")) {
        ui->widget_suggest->hide();
        for (QWidget* w : {static_cast<QWidget*>(ui->lblprodtotal), ui->widgetSum, ui->widgetSide})
            UiTool::UpdateWidgetStyle(w, "showType", QStringLiteral("normal"));
    } else {
        ui->widget_suggest->show();
        for (QWidget* w : {static_cast<QWidget*>(ui->lblprodtotal), ui->widgetSum, ui->widgetSide,
                           static_cast<QWidget*>(ui->label_ProSuggest)})
            UiTool::UpdateWidgetStyle(w, "showType", QStringLiteral("showprosuggest"));
    }
}

void TradeWidget::initValue(bool mode)
{
    ui->lblOrgCodeValue->setText(KxPosConfig::sOrgCode + QLatin1Char('-') + KxPosConfig::sOrgName);
    ui->lblCashierCodeValue->setText(KxPosConfig::sCshCode + QLatin1Char('-') + KxPosConfig::sCshName);
    ui->lblOfficialFileVersion->setText(QStringLiteral("Ver:") + KxPosConfig::sOfficialFileVersion);
    ui->lblPosNo->setText(KxPosTranslator::GetTranslation(2232) + QLatin1Char(':') + KxPosConfig::sPosNo);

    weighingEnabled = KxPosConfig::GetValue(QStringLiteral("WEIGHT_DrvType"), QString::fromUtf8(NoScaleDriver))
                      != QString::fromUtf8(NoScaleDriver);

    switch (KxWidget::DesignHeight()) {
    case 600: rowsPerPage = 6; break;
    case 768: rowsPerPage = 10; break;
    default: rowsPerPage = 11; break;
    }

    currentRow = -1;
    currentPageRow = -1;
    discountLineMode = false;
    saleModeFlag1 = false;
    saleModeFlag2 = false;
    groupSaleMode = false;
    proIndex = 0;
    initNextValue();

    ui->lblprodtotal->setText(QStringLiteral("0.00"));
    ui->lbldiscount->setText(QStringLiteral("0.00"));
    ui->lblshould->setText(QStringLiteral("0.00"));
    ui->lblprodcount->setText(QStringLiteral("0"));
    UiTool::EmptyLine(ui->txtcode);
    ui->label_ProSuggest->clear();
    ui->label_ProSuggest->setProperty("allText", QString());

    modeFlag = mode;
    ui->labelModeName->setText(KxPosTranslator::GetTranslation(mode ? 2359 : 2358));
}

void TradeWidget::ShowTradeState()
{
    // During a sale the key pays; while idle it starts the next sale.
    int payCaption = screenType == 1 ? 2374 : 2345;
    if (tradeActive)
        payCaption = screenType != 1 ? 2376 : (KxPosConfig::iAppWidth == 800 ? 2336 : 2375);
    ui->toolButtonpayother->setText(KxPosTranslator::GetTranslation(payCaption));
    ui->toolButtonpayother->setProperty(TradeAccessibility::CaptionIdProperty, payCaption);
    ui->labelModeName->setText(KxPosTranslator::GetTranslation(!tradeActive ? 2346 : (modeFlag ? 2359 : 2358)));
    AccessibleNames::NameByCaption(ui->toolButtonpayother);
}

void TradeWidget::show()
{
    ShowTradeState();

    RemoveAllSaleRows();
    startTradePending = true;
    startTradeTimer.start(StartTradeDelayMs);

    UiTool::EmptyLine(ui->txtcode);
    ui->txtcode->setPlaceholderText(KxPosTranslator::GetTranslation(2377));

    if (!weighingEnabled) {
        ui->widgetWeight->hide();
        ui->widgetWeightOp->hide();
        ui->labelModeName->show();
    } else {
        ui->widgetWeight->show();
        ui->widgetWeightOp->show();
    }

    if (!isVisible()) {
        KxWidget::show();
        activateWindow();
    }
    InitWidget(layoutMode);
    ui->txtcode->setFocus();
}

void TradeWidget::RemoveAllSaleRows()
{
    if (!saleTable.model())
        return;
    const int rows = saleTable.rowCount();
    if (rows > 0)
        saleTable.RemoveRows(0, rows);
}

int TradeWidget::SaleRowCount() const
{
    return saleTable.model() ? saleTable.rowCount() : 0;
}

QString TradeWidget::SaleCell(int row, int column) const
{
    return saleTable.model() ? saleTable.model()->data(row, column) : QString();
}

TableView* TradeWidget::GetTable(int)
{
    return &saleTable;
}

void TradeWidget::setIsCZFunction(const bool& flag)
{
    czFunction = flag;
}

void TradeWidget::SlotHideTrade()
{
    hide();
}

// --- Timers -----------------------------------------------------------------

void TradeWidget::SlotTimeoutPay()
{
    RemoveAllSaleRows();
    startTradePending = false;
    emit SignTrdStartTrade();
}

void TradeWidget::SlotTimeout()
{
    payGuard = false;
}

void TradeWidget::SlotTimeoutPrint()
{
    printGuard = false;
}

void TradeWidget::StartTimerFocus()
{
    WindowPlacement::ReclaimKeyboard(this);
    setFocus();
    focusTimer.start(FocusDelayMs);
}

void TradeWidget::SlotTimeoutF()
{
    if (!isVisible())
        return;
    // Within the half second the cashier may have opened a window over the
    // screen (the deposit list after a member log-in): it keeps the keyboard,
    // and the code box gets it when the screen is active again.
    WindowPlacement::ReclaimKeyboard(this);
    ui->txtcode->setFocus();
}

void TradeWidget::timerEvent(QTimerEvent*)
{
    // The screen runs no raw timers of its own; everything uses QTimer.
}

// --- Clock ------------------------------------------------------------------

void TradeWidget::SlotTimeUpd(QString s)
{
    static const QString format = QStringLiteral("yyyy-MM-dd ddd hh:mm:ss");
    // The host may write the weekday in any of our languages or the C locale.
    QDateTime time = QLocale::c().toDateTime(s, format);
    for (const QString& name : {QStringLiteral("zh_CN"), QStringLiteral("en_US")}) {
        if (time.isValid())
            break;
        time = QLocale(name).toDateTime(s, format);
    }
    if (!time.isValid())
        time = QLocale::system().toDateTime(s, format);

    const QLocale locale(KxPosConfig::sLanguage);
    ui->lblpostime->setText(time.isValid() ? locale.toString(time, QStringLiteral("hh:mm:ss")) : QString());
    const QString dateFormat = KxPosConfig::iRatioType == 1 ? QStringLiteral("yyyy-MM-dd")
                                                            : QStringLiteral("yyyy-MM-dd ddd");
    ui->lblposdate->setText(time.isValid() ? locale.toString(time, dateFormat) : QString());
}

// --- Events -----------------------------------------------------------------

void TradeWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized)) {
            emit SignTradeNormaled();
            setAttribute(Qt::WA_Mapped);
            update();
            repaint();
        }
    }
    KxWidget::changeEvent(event);
}

void TradeWidget::closeEvent(QCloseEvent* event)
{
    UiTool::EmptyLine(ui->txtcode);
    const int rows = SaleRowCount();
    if (rows > 0)
        saleTable.ClearGridStyle(0, rows - 1);
    if (completer)
        completer->setWidget(ui->txtcode);
    KxWidget::closeEvent(event);
    event->accept();
}

void TradeWidget::resizeEvent(QResizeEvent* event)
{
    KxWidget::resizeEvent(event);
    // Grown past the display size by a layout that needed the room for a
    // moment: back to the display size once the change has settled.
    const QSize app(KxPosConfig::iAppWidth, KxPosConfig::iAppHeight);
    if (isWindow() && !app.isEmpty() && (width() > app.width() || height() > app.height()))
        QMetaObject::invokeMethod(this, &TradeWidget::KeepAppSize, Qt::QueuedConnection);
}

// --- Component accessors ----------------------------------------------------

QWidget* TradeWidget::getUiQWidget(int id)
{
    QWidget* w = nullptr;
    switch (id) {
    case 0: w = ui->produwidget; break;
    case 1: w = ui->widgetFunc; break;
    case 5: w = ui->widgetWeight; break;
    case 6: w = ui->widgetWeightOp; break;
    case 10: w = ui->widgetback; break;
    case 11: w = ui->widgetTop; break;
    case 12: w = ui->widgetPlu; break;
    case 13: w = ui->widgetPreKey; break;
    case 14: w = ui->widgetSum; break;
    case 15: w = ui->widgetPay; break;
    case 16: w = ui->widgetBtn; break;
    case 17: w = ui->widgetBillNo; break;
    case 18: w = ui->widgetVipLeft; break;
    case 20: w = ui->widgetPrePlu; break;
    default: break;
    }
    return w ? w : UIComponentGapFiller::getQWidget();
}

QDockWidget* TradeWidget::getUiQDockWidget(int id)
{
    if (id == 22)
        return ui->dockWidget;
    if (id == 23)
        return ui->dockWidgetKeyBoard;
    auto* dock = new QDockWidget(this);
    dock->setWindowTitle(QStringLiteral("Dock Widget"));
    return dock;
}

QStackedWidget* TradeWidget::getUiQStackedWidget(int id)
{
    return id == 24 ? ui->stackedWidgetCx : UIComponentGapFiller::getQStackedWidget();
}

QLineEdit* TradeWidget::getUiQLineEdit(int id)
{
    return id == 26 ? ui->txtcode : UIComponentGapFiller::getQLineEdit();
}

QPushButton* TradeWidget::getUiQPushButton(int id)
{
    QPushButton* b = nullptr;
    switch (id) {
    case 28: b = ui->btnPreRow; break;
    case 29: b = ui->btnNextRow; break;
    case 42: b = ui->btnphone; break;
    case 43: b = ui->btnVipName; break;
    case 45: b = ui->btnWIFI; break;
    case 46: b = ui->btnInform; break;
    default: break;
    }
    return b ? b : UIComponentGapFiller::getQPushButton();
}

QToolButton* TradeWidget::getUiQToolButton(int id)
{
    QToolButton* b = nullptr;
    switch (id) {
    case 47: b = ui->toolButtonpayfirst; break;
    case 48: b = ui->toolButtonpaysecond; break;
    case 49: b = ui->toolButtonpayother; break;
    default: break;
    }
    return b ? b : UIComponentGapFiller::getQToolButton();
}

QLabel* TradeWidget::getUiQLable(int id)
{
    QLabel* l = nullptr;
    switch (id) {
    case 50: l = ui->lblprodtotal; break;
    case 51: l = ui->lableDeduct; break;
    case 52: l = ui->lblprodcount; break;
    case 53: l = ui->lblshould; break;
    case 54: l = ui->lbldiscount; break;
    case 56: l = ui->lblbillno; break;
    case 60: l = ui->lblpostime; break;
    case 61: l = ui->lblposdate; break;
    case 62: l = ui->lblGrpText; break;
    case 63: l = ui->lblPrintStatus; break;
    case 64: l = ui->lblOffline; break;
    case 65: l = ui->lblVipPhone; break;
    case 66: l = ui->lblVipIntegral; break;
    case 67: l = ui->lblVipMoney; break;
    case 68: l = ui->labelModeName; break;
    default: break;
    }
    return l ? l : UIComponentGapFiller::getQLabel();
}

QComboBox* TradeWidget::getUiQComboBox(int id)
{
    return id == 69 ? ui->boxCxTitle : nullptr;
}

// --- Translation --------------------------------------------------------------

void TradeWidget::Retranslate()
{
    ui->retranslateUi(this);
    setWindowTitle(KxPosTranslator::GetTranslation(2358));
    TradeCaptions::Apply(this);
    ShowMsgNoticeCaption();
    // Keys whose caption is a message chosen by the state of the screen.
    for (QAbstractButton* key : {static_cast<QAbstractButton*>(ui->toolButtonpayother),
                                 static_cast<QAbstractButton*>(ui->btnKey),
                                 static_cast<QAbstractButton*>(ui->btnphone)}) {
        const int captionId = key->property(TradeAccessibility::CaptionIdProperty).toInt();
        if (captionId > 0)
            key->setText(KxPosTranslator::GetTranslation(captionId));
    }
    // The grid's edit key reads "edit" or "done" by the mode it is in.
    ui->btnEditFun->setText(KxPosTranslator::GetTranslation(funcEditMode ? 1492 : 2382));
    ShowProPlaceholder();
    TradeAccessibility::Apply(this);
}

void TradeWidget::UpdateTranslation()
{
    ui->lblOrgCodeTitle->setText(KxPosTranslator::GetTranslation(2140) + QLatin1Char(':'));
    ui->lblCashierCodeTitle->setText(KxPosTranslator::GetTranslation(4673) + QLatin1Char(':'));
    ui->lblPosNo->setText(KxPosTranslator::GetTranslation(2232) + QLatin1Char(':') + KxPosConfig::sPosNo);
    ui->labelModeName->setText(KxPosTranslator::GetTranslation(!tradeActive ? 2346 : (modeFlag ? 2359 : 2358)));
    ui->txtcode->setPlaceholderText(KxPosTranslator::GetTranslation(2377));
    ui->btnEditFun->setText(KxPosTranslator::GetTranslation(funcEditMode ? 1492 : 2382));
    if (memberCode.isEmpty() || ui->lblVipPhone->text().isEmpty())
        ui->btnVipName->setText(KxPosTranslator::GetTranslation(1951));
    saleTable.retranslateHeaders();
    UpdateCutBtnInit();
    if (!funcEditMode)
        UpdateFuncShow();
    if (onlineModel)
        KxWidget::SetTableHeader(onlineModel, {0, 1453, 5012, 0, 0, 5057});
    if (pickModel)
        KxWidget::SetTableHeader(pickModel, {0, 5058, 2361});
    if (completer && completer->popup())
        AccessibleNames::Set(completer->popup(), TradeAccessibility::CompleterName);
    // The captions set above are the keys' names.
    TradeAccessibility::Apply(this);
}
