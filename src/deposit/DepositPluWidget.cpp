// Frame of the deposit list: construction, accessors, the list of goods and
// its table, member, clerk and sale, status bar and retranslation. Code
// entry, the keypad, suggestions, keys and buttons are in DepositPluEntry.cpp.

#include "deposit/DepositPluWidget.h"
#include "ui_DepositPluWidget.h"

#include "deposit/DepositPluTableDelegate.h"
#include "deposit/ScreenFrame_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"
#include "contracts/UiTool.h"

#include <QCompleter>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalMapper>
#include <QStandardItemModel>

namespace {
constexpr ScreenFrame::Caption captions[] = {
    {"lblTitle", 7302},
    {"lblSaleNoTitle", 7304},
    {"btnDeskTop", 7011},
    {"btnReturn", 7300},
    {"btnPreRow", 7305},
    {"btnNextRow", 7306},
    {"btnClearRow", 7307},
    {"btnClearAll", 7308},
    {"btnbackspace", 9111},
    {"btnCount", 5012},
    {"btnOK", 1259},
    {"btnDeposit", 2306},
    {"btnImport", 1248},
    {"btnMembLogin", 2298},
    {"btnEmployee", 2299},
    {"btnImportPlu", 1248},
    {"btnclearall", 9110},
};

constexpr int ColumnCount = 4;
// Gap between the list and the right-hand panel, shared by the layout and
// the column widths so that the columns fill the list exactly.
constexpr int ListGap = 10;
} // namespace

DepositPluWidget::DepositPluWidget(int screenType, QWidget* parent)
    : KxWidget(parent)
    , ui(new Ui::DepositPluWidget)
    , frame(std::make_unique<ScreenFrame>(screenType, this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("DepositPluWidget"));
    // A window of its own over the sales screen (its parent, when the host
    // gives one), modal to it while the deposit entry is open.
    MakeSecondaryWindow();
    // It covers the sales screen edge to edge: a window frame would push it
    // past the display.
    setWindowFlag(Qt::FramelessWindowHint);
    headerIds = {402, 1181, 5012, 1456};

    model = new QStandardItemModel(0, ColumnCount, this);
    ui->tbvDeposit->setModel(model);
    QPalette palette = ui->tbvDeposit->palette();
    palette.setColor(QPalette::Base, QColor(245, 252, 255));
    ui->tbvDeposit->setPalette(palette);

    initKeypad();
    initView();

    // The list and the right-hand panel share the width 11:5.
    const int rightWidth = KxPosConfig::iAppWidth / 16 * 5;
    ui->widgetRight->setFixedWidth(rightWidth);
    ui->layout_widgetContent->setContentsMargins(ListGap / 2, ListGap / 2, 0, ListGap / 2);
    ui->layout_widgetContent->setSpacing(ListGap / 2);
    ui->layout_widgetRight->setContentsMargins(0, 0, ListGap / 2, 0);

    // Title and status bars keep their design heights unless their fonts need more.
    ScreenFrame::setBarHeight(ui->widgetTop, KxPosConfig::GetAutoHeight(60, 40));
    ScreenFrame::setBarHeight(ui->widgetBottom, KxPosConfig::GetAutoHeight(36, 26));
    ui->txtcode->setMinimumHeight(KxPosConfig::GetAutoHeight(60, 44));
    const int keyHeight = KxPosConfig::GetAutoHeight(72, 48);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button != ui->btnDeskTop)
            button->setMinimumHeight(keyHeight);
    }
    ui->btnDeposit->setMinimumHeight(KxPosConfig::GetAutoHeight(88, 60));
    // The keypad keys share the height the panel has left.
    for (QPushButton* key : ui->widgetKeypad->findChildren<QPushButton*>())
        key->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    ui->btnDeskTop->setMinimumWidth(KxPosConfig::GetAutoWidth(100, 70));
    ui->widgetGroup2->setVisible(screenType == 1);

    connect(ui->tbvDeposit, &QTableView::clicked, this, &DepositPluWidget::billTableViewDetailClicked);
    // The large keys of the second group do what the member, clerk and import keys do.
    connect(ui->btnMembLogin, &QPushButton::clicked, this, &DepositPluWidget::on_btncard_clicked);
    connect(ui->btnEmployee, &QPushButton::clicked, this, &DepositPluWidget::on_btnphone_clicked);
    connect(ui->btnImportPlu, &QPushButton::clicked, this, &DepositPluWidget::on_btnImport_clicked);

    // Keys typed in the code box, and on the entry panel while suggestions
    // are open, go through the screen's own key map.
    ui->txtcode->installEventFilter(this);
    ui->widgetInput->installEventFilter(this);

    ScreenFrame::applyProjectCode(ui->lblLogo, ui->widgetLogo);
    Retranslate();
    refresh();
}

DepositPluWidget::~DepositPluWidget()
{
    delete ui;
}

int DepositPluWidget::ScreenType() const
{
    return frame->screenType();
}

bool DepositPluWidget::IsWholeSale() const
{
    return !saleNo.isEmpty() || !saleSerial.isEmpty();
}

QCompleter* DepositPluWidget::Completer() const
{
    return completer;
}

// --- Accessors -----------------------------------------------------------------

QWidget* DepositPluWidget::getUiQWidget(int id)
{
    return ScreenFrame::pick<QWidget>({ui->widgetTop, ui->widgetContent, ui->widgetLeft, ui->widgetRight,
                                       ui->widgetInput, ui->widgetKeypad, ui->widgetGroup2, ui->widgetBottom,
                                       ui->widgetLogo},
                                      id, UIComponentGapFiller::getQWidget());
}

QLineEdit* DepositPluWidget::getUiQLineEdit(int id)
{
    return ScreenFrame::pick<QLineEdit>({ui->txtcode}, id, UIComponentGapFiller::getQLineEdit());
}

QTableView* DepositPluWidget::getUiQTableView(int id)
{
    return ScreenFrame::pick<QTableView>({ui->tbvDeposit}, id, UIComponentGapFiller::getQTableView());
}

QLabel* DepositPluWidget::getUiQLable(int id)
{
    return ScreenFrame::pick<QLabel>({ui->lblTitle, ui->lblLogo, ui->lblSaleNoTitle, ui->lblSaleNo, ui->lblpostime,
                                      ui->lblposdate, ui->lblOrgCode, ui->lblPosNo, ui->lblCashier},
                                     id, UIComponentGapFiller::getQLabel());
}

QPushButton* DepositPluWidget::getUiQPushButton(int id)
{
    return ScreenFrame::pick<QPushButton>(
        {ui->btnOK,        ui->btnCount,   ui->btnbackspace, ui->btnClearRow, ui->btnClearAll, ui->btnclearall,
         ui->btnDeposit,   ui->btnImport,  ui->btncard,      ui->btnphone,    ui->btnDeskTop,  ui->btnReturn,
         ui->btnPreRow,    ui->btnNextRow, ui->btn0,         ui->btn1,        ui->btn2,        ui->btn3,
         ui->btn4,         ui->btn5,       ui->btn6,         ui->btn7,        ui->btn8,        ui->btn9,
         ui->btnDot,       ui->btnMembLogin, ui->btnEmployee, ui->btnImportPlu},
        id, UIComponentGapFiller::getQPushButton());
}

// --- Table ---------------------------------------------------------------------

void DepositPluWidget::initView()
{
    QTableView* view = ui->tbvDeposit;
    model->setColumnCount(ColumnCount);
    KxWidget::SetTableHeader(model, headerIds);

    const int listWidth = KxPosConfig::iAppWidth / 16 * 11;
    const int inner = listWidth - ListGap;
    const int column = inner / ColumnCount;
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setStretchLastSection(false);
    view->setColumnWidth(0, inner - 3 * column);
    for (int c = 1; c < ColumnCount; ++c)
        view->setColumnWidth(c, column);

    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setFocusPolicy(Qt::NoFocus);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(KxPosConfig::GetAutoHeight(56, 40));
    view->setShowGrid(false);
    // No frame: the columns fill the list exactly.
    view->setFrameShape(QFrame::NoFrame);
}

void DepositPluWidget::RefreshDepositPluWidget()
{
    QTableView* view = ui->tbvDeposit;
    model->removeRows(0, model->rowCount());
    for (int i = 0; i < pluList.size(); ++i) {
        const KxPosPluDetail& line = pluList.at(i);
        QList<QStandardItem*> cells;
        for (const QString& text : {line.pluName, line.pluCode, QString::number(line.saleQty, 'f', 3), line.unitName}) {
            auto* cell = new QStandardItem(text);
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setEditable(false);
            cells << cell;
        }
        model->appendRow(cells);
        if (rowDelegates.size() <= i)
            rowDelegates.append(nullptr);
        if (!rowDelegates.at(i))
            rowDelegates[i] = new DepositPluTableDelegate(this);
        view->setItemDelegateForRow(i, rowDelegates.at(i));
    }
    // Rows that no longer exist give their outline back.
    while (rowDelegates.size() > pluList.size()) {
        view->setItemDelegateForRow(rowDelegates.size() - 1, nullptr);
        delete rowDelegates.takeLast().data();
    }
    selectRow(model->rowCount() - 1);
}

void DepositPluWidget::selectRow(int row)
{
    QTableView* view = ui->tbvDeposit;
    if (row < 0 || row >= model->rowCount()) {
        currentRow = model->rowCount() > 0 ? currentRow : -1;
        if (model->rowCount() == 0)
            view->clearSelection();
        return;
    }
    currentRow = row;
    const QModelIndex index = model->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

void DepositPluWidget::previous()
{
    if (model->rowCount() == 0)
        return;
    selectRow(qBound(0, currentRow - 1, model->rowCount() - 1));
}

void DepositPluWidget::next()
{
    if (model->rowCount() == 0)
        return;
    selectRow(qBound(0, currentRow + 1, model->rowCount() - 1));
}

void DepositPluWidget::setTableDefaultLine()
{
    selectRow(0);
}

void DepositPluWidget::billTableViewDetailClicked(const QModelIndex& index)
{
    if (index.isValid() && index.model() == model)
        selectRow(index.row());
}

// --- The list --------------------------------------------------------------------

void DepositPluWidget::AddPlu(KxPosPluDetail line)
{
    line.lineNo = pluList.size();
    pluList.append(line);
    RefreshDepositPluWidget();
}

void DepositPluWidget::RemovePlu()
{
    const QModelIndex index = ui->tbvDeposit->currentIndex();
    if (index.isValid()) {
        const int row = index.row();
        if (row < pluList.size())
            pluList.removeAt(row);
        else
            nextQuantity = 0; // the quantity placeholder row: the preset is withdrawn
    }
    for (int i = 0; i < pluList.size(); ++i)
        pluList[i].lineNo = i;
    RefreshDepositPluWidget();
}

void DepositPluWidget::Clear()
{
    pluList.clear();
    nextQuantity = 0;
    RefreshDepositPluWidget();
    vipDetail = KxPosVipDetail();
    employeeDetail = KxPosEmployeeDetail();
    saleNo.clear();
    saleSerial.clear();
    refresh();
    emit SignDepositClearAll();
}

void DepositPluWidget::initValue()
{
    Clear();
    refresh();
    ui->txtcode->setEnabled(!useSaleNo());
    UiTool::EmptyLine(ui->txtcode);
    ui->txtcode->setFocus();
}

void DepositPluWidget::initNextValue()
{
    nextQuantity = 0;
}

void DepositPluWidget::setVIP(KxPosVipDetail member)
{
    vipDetail = member;
}

void DepositPluWidget::setEmployee(KxPosEmployeeDetail clerk)
{
    employeeDetail = clerk;
}

void DepositPluWidget::setSaleNo(QString number, QString serial)
{
    saleNo = number;
    saleSerial = serial;
    refresh();
}

void DepositPluWidget::refresh()
{
    ui->btncard->setText(vipDetail.vipPhone.isEmpty() ? KxPosTranslator::GetTranslation(1912) : vipDetail.vipPhone);
    ui->btnphone->setText(employeeDetail.employeeName.isEmpty() ? KxPosTranslator::GetTranslation(1913)
                                                                : employeeDetail.employeeName);
    ui->lblSaleNo->setText(saleSerial);
    ui->lblSaleNoTitle->setVisible(!saleSerial.isEmpty());
    ui->lblSaleNo->setVisible(!saleSerial.isEmpty());
}

// --- Frame -------------------------------------------------------------------------

void DepositPluWidget::show()
{
    KxWidget::show();
    activateWindow();
}

void DepositPluWidget::SlotTimeUpd(QString s)
{
    frame->setClock(ui->lblpostime, ui->lblposdate, s);
}

void DepositPluWidget::SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username)
{
    frame->setStatus(ui->lblOrgCode, ui->lblPosNo, ui->lblCashier, orgcode, wgtcode, username);
}

void DepositPluWidget::Retranslate()
{
    ui->retranslateUi(this);
    ScreenFrame::applyCaptions(this, captions);
    setWindowTitle(ui->lblTitle->text());
    ScreenFrame::applyProjectCode(ui->lblLogo, ui->widgetLogo);
    // The weekday and the terminal caption of the status bar are in the language too.
    frame->refreshStatusBar();
    refresh();
    UpdateTranslation();
    // Keys by their captions; the member and clerk keys (which show the
    // member's phone and the clerk's name) by what they are for.
    static constexpr AccessibleNames::Entry names[] = {
        {"tbvDeposit", 7750},
        {"txtcode", 7710},
        {"btnDot", 7702},
        {"btncard", 1912},
        {"btnphone", 1913},
    };
    AccessibleNames::NameButtonsByCaption(this);
    AccessibleNames::Apply(this, names);
}

void DepositPluWidget::UpdateTranslation()
{
    ui->txtcode->setPlaceholderText(KxPosTranslator::GetTranslation(1587));
    KxWidget::SetTableHeader(model, headerIds);
    ScreenFrame::wrapColumnHeads(ui->tbvDeposit);
}

bool DepositPluWidget::useSaleNo()
{
    return KxPosConfig::GetValue(QStringLiteral("TRADE_IsDepositUseSaleNo"), QStringLiteral("0")) == QLatin1String("1");
}

int DepositPluWidget::suggestLength()
{
    bool ok = false;
    const int length = KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100")).toInt(&ok);
    return ok ? length : 100;
}
