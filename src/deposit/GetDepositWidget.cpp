#include "deposit/GetDepositWidget.h"
#include "ui_GetDepositWidget.h"

#include "deposit/GetDepositDelegate.h"
#include "deposit/ScreenFrame_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStringListModel>

#include <cmath>

namespace {
// Accessible names of the widgets without a readable caption: the order
// list, the goods table and the tick box of each line.
constexpr TransMsgId CheckName = 7753;
constexpr AccessibleNames::Entry accessibleNames[] = {
    {"OrderListView", 7751},
    {"tbvOrderParticulars", 7752},
    {"check", CheckName},
};

constexpr ScreenFrame::Caption captions[] = {
    {"lblTitle", 7303},
    {"lblOrdersTitle", 7312},
    {"lblGoodsTitle", 7320},
    {"lblPhoneTitle", 7309},
    {"lblNameTitle", 7310},
    {"lblOrderNoTitle", 7311},
    {"btnDeskTop", 7011},
    {"btnReturn", 7300},
    {"btnEditNum", 7313},
    {"btnPreOrder", 7314},
    {"btnNextOrder", 7315},
    {"btnPreRow", 7316},
    {"btnNextRow", 7317},
    {"btnCheck", 7318},
    {"btnGet", 2308},
    {"btnEditNum2", 1916},
    {"btnGet2", 2308},
};

constexpr int ColumnCount = 7;
constexpr int TakeColumn = 6;
// Width the order panel and the gaps around the goods table take together.
constexpr int OrderPanelWidth = 274;
constexpr int ContentMargin = 4;
constexpr int PanelGap = 8;
} // namespace

GetDepositWidget::GetDepositWidget(int screenType, QWidget* parent)
    : KxWidget(parent)
    , ui(new Ui::GetDepositWidget)
    , frame(std::make_unique<ScreenFrame>(screenType, this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("GetDepositWidget"));
    // A window of its own over the sales screen (its parent, when the host
    // gives one), modal to it while the pick-up screen is open.
    MakeSecondaryWindow();
    // It covers the sales screen edge to edge: a window frame would push it
    // past the display.
    setWindowFlag(Qt::FramelessWindowHint);
    headerIds = {0, 402, 1181, 1182, 1456, 2310, 2309};

    orderModel = new QStringListModel(this);
    ui->OrderListView->setModel(orderModel);
    ui->OrderListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->OrderListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    InitOrderTableWidget();

    // The goods table takes the width less the order panel.
    ui->layout_widgetContent->setContentsMargins(ContentMargin, ContentMargin, ContentMargin, ContentMargin);
    ui->layout_widgetContent->setSpacing(PanelGap);
    ui->widgetOrders->setFixedWidth(OrderPanelWidth - 2 * ContentMargin - PanelGap);

    // Title and status bars keep their design heights unless their fonts need more.
    ScreenFrame::setBarHeight(ui->widgetTop, KxPosConfig::GetAutoHeight(60, 40));
    ScreenFrame::setBarHeight(ui->widgetBottom, KxPosConfig::GetAutoHeight(36, 26));
    const int keyHeight = KxPosConfig::GetAutoHeight(64, 44);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button != ui->btnDeskTop)
            button->setMinimumHeight(keyHeight);
    }
    ui->btnDeskTop->setMinimumWidth(KxPosConfig::GetAutoWidth(100, 70));
    ui->widgetGroup2->setVisible(screenType == 1);
    // On narrow screens the captions shrink, and the keys take the width
    // the bar gives them rather than widening the screen.
    const bool narrow = KxPosConfig::iAppWidth < 1024;
    for (QPushButton* key : ui->widgetKeys->findChildren<QPushButton*>()) {
        key->setSizePolicy(QSizePolicy::Ignored, key->sizePolicy().verticalPolicy());
        if (narrow && key != ui->btnGet)
            ScreenFrame::setFontSize(key, "12");
    }
    for (QPushButton* key : {ui->btnPreOrder, ui->btnNextOrder}) {
        key->setSizePolicy(QSizePolicy::Ignored, key->sizePolicy().verticalPolicy());
        if (narrow)
            ScreenFrame::setFontSize(key, "12");
    }
    if (narrow) {
        ScreenFrame::setFontSize(ui->tbvOrderParticulars, "12");
        ScreenFrame::setFontSize(ui->OrderListView, "14");
        for (QLabel* label : {ui->lblPhoneTitle, ui->lblPhone, ui->lblNameTitle, ui->lblName, ui->lblOrderNoTitle,
                              ui->lblOrderNo})
            ScreenFrame::setFontSize(label, "14");
    }

    connect(ui->btnPreOrder, &QPushButton::clicked, this, &GetDepositWidget::previousAccount);
    connect(ui->btnNextOrder, &QPushButton::clicked, this, &GetDepositWidget::nextAccount);
    connect(ui->btnCheck, &QPushButton::clicked, this, &GetDepositWidget::changestate);
    connect(ui->btnEditNum2, &QPushButton::clicked, this, &GetDepositWidget::on_btnEditNum_clicked);
    connect(ui->btnGet2, &QPushButton::clicked, this, &GetDepositWidget::on_btnGet_clicked);

    // Keys typed on the goods panel, the table or the order list go through
    // the screen's key map.
    for (QObject* watched : std::initializer_list<QObject*>{getUiQWidget(3), ui->tbvOrderParticulars,
                                                            ui->OrderListView})
        watched->installEventFilter(this);

    ScreenFrame::applyProjectCode(ui->lblLogo, ui->widgetLogo);
    Retranslate();
}

GetDepositWidget::~GetDepositWidget()
{
    delete ui;
}

int GetDepositWidget::ScreenType() const
{
    return frame->screenType();
}

int GetDepositWidget::CurrentRow() const
{
    const int row = ui->tbvOrderParticulars->currentRow();
    return row >= 0 && row < ui->tbvOrderParticulars->rowCount() ? row : -1;
}

// --- Accessors -------------------------------------------------------------------

QWidget* GetDepositWidget::getUiQWidget(int id)
{
    return ScreenFrame::pick<QWidget>({ui->widgetTop, ui->widgetContent, ui->widgetOrders, ui->widgetGoods,
                                       ui->widgetKeys, ui->widgetGroup2, ui->widgetBottom, ui->widgetLogo},
                                      id, UIComponentGapFiller::getQWidget());
}

QListView* GetDepositWidget::getUiQListView(int id)
{
    return ScreenFrame::pick<QListView>({ui->OrderListView}, id, UIComponentGapFiller::getQListView());
}

QTableWidget* GetDepositWidget::getUiQTableWidget(int id)
{
    return ScreenFrame::pick<QTableWidget>({ui->tbvOrderParticulars}, id, UIComponentGapFiller::getQTableWidget());
}

QLabel* GetDepositWidget::getUiQLable(int id)
{
    return ScreenFrame::pick<QLabel>({ui->lblTitle, ui->lblLogo, ui->lblpostime, ui->lblposdate, ui->lblOrdersTitle,
                                      ui->lblGoodsTitle, ui->lblPhoneTitle, ui->lblNameTitle, ui->lblOrderNoTitle,
                                      ui->lblPhone, ui->lblName, ui->lblOrderNo, ui->lblOrgCode, ui->lblPosNo,
                                      ui->lblCashier},
                                     id, UIComponentGapFiller::getQLabel());
}

QPushButton* GetDepositWidget::getUiQPushButton(int id)
{
    return ScreenFrame::pick<QPushButton>({ui->btnEditNum, ui->btnPreOrder, ui->btnNextOrder, ui->btnPreRow,
                                           ui->btnNextRow, ui->btnCheck, ui->btnGet, ui->btnReturn, ui->btnDeskTop,
                                           ui->btnEditNum2, ui->btnGet2},
                                          id, UIComponentGapFiller::getQPushButton());
}

// --- Goods table ---------------------------------------------------------------------

void GetDepositWidget::InitOrderTableWidget()
{
    QTableWidget* table = ui->tbvOrderParticulars;
    table->setColumnCount(ColumnCount);
    KxWidget::SetTableHeader(table, headerIds);

    const int width = KxPosConfig::iAppWidth;
    const int u = (width - 266) / 10;
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setColumnWidth(0, u / 2);
    table->setColumnWidth(1, width - OrderPanelWidth - 7 * u);
    table->setColumnWidth(2, static_cast<int>(std::lround(1.5 * u)));
    table->setColumnWidth(3, 2 * u);
    for (int c = 4; c < ColumnCount; ++c)
        table->setColumnWidth(c, u);

    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    // No frame: the columns fill the table exactly.
    table->setFrameShape(QFrame::NoFrame);
}

void GetDepositWidget::RefreshOrderParticulars(QList<KxPosDepositPluDetail> lines)
{
    QTableWidget* table = ui->tbvOrderParticulars;
    shownLines = lines;
    shownOrder = -1;
    table->clearContents();
    table->setRowCount(lines.size());
    const int rowHeight = KxPosConfig::GetAutoHeight(44, 30);
    for (int row = 0; row < lines.size(); ++row) {
        const KxPosDepositPluDetail& line = lines.at(row);
        table->setRowHeight(row, rowHeight);

        auto* holder = new QWidget(table);
        auto* layout = new QHBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setAlignment(Qt::AlignCenter);
        auto* check = new QCheckBox(holder);
        check->setObjectName(QStringLiteral("check"));
        AccessibleNames::Set(check, CheckName);
        check->setFocusPolicy(Qt::NoFocus);
        check->setChecked(false);
        layout->addWidget(check);
        table->setCellWidget(row, 0, holder);

        const QString texts[] = {line.pluName, line.pluCode, line.extraText, line.unitName,
                                 KxWidget::formatNumber(line.depositQty, 2), KxWidget::formatNumber(line.takeQty, 2)};
        for (int c = 1; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c - 1]);
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            table->setItem(row, c, item);
        }

        if (rowDelegates.size() <= row)
            rowDelegates.append(nullptr);
        if (!rowDelegates.at(row))
            rowDelegates[row] = new GetDepositDelegate(this);
        table->setItemDelegateForRow(row, rowDelegates.at(row));
    }
    while (rowDelegates.size() > lines.size()) {
        table->setItemDelegateForRow(rowDelegates.size() - 1, nullptr);
        delete rowDelegates.takeLast().data();
    }
    if (!lines.isEmpty())
        selectGoodsRow(0);
}

QCheckBox* GetDepositWidget::getCheckBox(int row)
{
    QTableWidget* table = ui->tbvOrderParticulars;
    if (row < 0 || row >= table->rowCount())
        return nullptr;
    QWidget* holder = table->cellWidget(row, 0);
    return holder ? holder->findChild<QCheckBox*>(QStringLiteral("check")) : nullptr;
}

void GetDepositWidget::selectGoodsRow(int row)
{
    QTableWidget* table = ui->tbvOrderParticulars;
    if (row < 0 || row >= table->rowCount())
        return;
    const QModelIndex index = table->model()->index(row, 1);
    table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->scrollTo(index);
}

void GetDepositWidget::on_btnPreRow_clicked()
{
    const int row = CurrentRow();
    selectGoodsRow(row < 0 ? 0 : qMax(row - 1, 0));
}

void GetDepositWidget::on_btnNextRow_clicked()
{
    const int row = CurrentRow();
    selectGoodsRow(row < 0 ? 0 : qMin(row + 1, ui->tbvOrderParticulars->rowCount() - 1));
}

void GetDepositWidget::changestate()
{
    if (QCheckBox* check = getCheckBox(CurrentRow()))
        check->setChecked(!check->isChecked());
}

void GetDepositWidget::on_btnEditNum_clicked()
{
    const int row = CurrentRow();
    if (row < 0 || row >= shownLines.size())
        return;
    emit SignDepositEditNum(shownLines.at(row).depositQty, shownLines.at(row).takeQty);
}

void GetDepositWidget::setPluNum(QString num)
{
    const int row = CurrentRow();
    if (row < 0 || row >= shownLines.size())
        return;
    bool ok = false;
    const double quantity = num.trimmed().toDouble(&ok);
    if (!ok) {
        qDebug() << "GetDepositWidget::setPluNum: not a quantity, ignored:" << num;
        return;
    }
    QTableWidgetItem* item = ui->tbvOrderParticulars->item(row, TakeColumn);
    if (item) {
        item->setText(num);
        item->setTextAlignment(Qt::AlignCenter);
    }
    shownLines[row].takeQty = quantity;
    // The quantities edited here stay with the order while the cashier
    // looks at other orders.
    if (shownOrder >= 0 && shownOrder < orderList.size() && row < orderList.at(shownOrder).depositPlus.size())
        orderList[shownOrder].depositPlus[row].takeQty = quantity;
    if (QCheckBox* check = getCheckBox(row))
        check->setChecked(num != QLatin1String("0.00"));
}

// --- Orders ----------------------------------------------------------------------------

void GetDepositWidget::initValue(KxPosVipDetail member, QList<KxPosDepositOrderDetail> orders)
{
    if (orders.isEmpty())
        return;
    vipDetail = member;
    orderList = orders;
    orderNumbers.clear();
    for (const KxPosDepositOrderDetail& order : orderList)
        orderNumbers << order.orderNo;
    orderModel->setStringList(orderNumbers);
    ui->lblPhone->setText(vipDetail.vipPhone);
    ui->lblName->setText(vipDetail.vipName);
    currentOrder = -1;
    selectOrder(0);
}

void GetDepositWidget::selectOrder(int row)
{
    if (row < 0 || row >= orderModel->rowCount())
        return;
    const QModelIndex index = orderModel->index(row);
    ui->OrderListView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    ui->OrderListView->scrollTo(index);
    on_OrderListView_clicked(index);
}

void GetDepositWidget::on_OrderListView_clicked(const QModelIndex& index)
{
    Q_UNUSED(index)
    const int row = ui->OrderListView->currentIndex().row();
    if (row < 0 || row >= orderList.size())
        return;
    currentOrder = row;
    RefreshOrderParticulars(orderList.at(row).depositPlus);
    shownOrder = row;
    ui->lblOrderNo->setText(orderList.at(row).orderNo);
}

void GetDepositWidget::previousAccount()
{
    if (currentOrder > 0)
        selectOrder(currentOrder - 1);
}

void GetDepositWidget::nextAccount()
{
    if (currentOrder >= 0 && currentOrder + 1 < orderList.size())
        selectOrder(currentOrder + 1);
}

// --- Confirm and leave -------------------------------------------------------------------

void GetDepositWidget::on_btnGet_clicked()
{
    KxPosDepositOrderDetail order;
    if (currentOrder >= 0 && currentOrder < orderList.size())
        order = orderList.at(currentOrder);
    QList<KxPosDepositPluDetail> picked;
    const int rows = qMin(ui->tbvOrderParticulars->rowCount(), shownLines.size());
    for (int row = 0; row < rows; ++row) {
        QCheckBox* check = getCheckBox(row);
        if (!check || !check->isChecked())
            continue;
        const KxPosDepositPluDetail& line = shownLines.at(row);
        if (!(line.takeQty > 0) || KxWidget::formatNumber(line.takeQty, 2) == QLatin1String("0.00")) {
            frame->showMessage(2311);
            return;
        }
        picked << line;
    }
    if (picked.isEmpty()) {
        frame->showMessage(2312);
        return;
    }
    order.depositPlus = picked;
    emit SignGetDepositPlus(vipDetail, order);
}

void GetDepositWidget::leave()
{
    close();
    emit SignGetDepositReturn();
}

void GetDepositWidget::on_btnReturn_clicked()
{
    leave();
}

void GetDepositWidget::on_btnDeskTop_clicked()
{
    leave();
}

// --- Frame ---------------------------------------------------------------------------------

void GetDepositWidget::show()
{
    KxWidget::show();
    activateWindow();
}

void GetDepositWidget::SlotTimeUpd(QString s)
{
    frame->setClock(ui->lblpostime, ui->lblposdate, s);
}

void GetDepositWidget::SlotTrdSetStatusValue(QString orgcode, QString wgtcode, QString username)
{
    frame->setStatus(ui->lblOrgCode, ui->lblPosNo, ui->lblCashier, orgcode, wgtcode, username);
}

void GetDepositWidget::Retranslate()
{
    ui->retranslateUi(this);
    ScreenFrame::applyCaptions(this, captions);
    setWindowTitle(ui->lblTitle->text());
    ScreenFrame::applyProjectCode(ui->lblLogo, ui->widgetLogo);
    // The weekday and the terminal caption of the status bar are in the language too.
    frame->refreshStatusBar();
    UpdateTranslation();
    AccessibleNames::NameButtonsByCaption(this);
    AccessibleNames::Apply(this, accessibleNames);
}

void GetDepositWidget::UpdateTranslation()
{
    KxWidget::SetTableHeader(ui->tbvOrderParticulars, headerIds);
    // The columns have fixed widths; a longer head (English) takes two lines.
    ScreenFrame::wrapColumnHeads(ui->tbvOrderParticulars);
}

void GetDepositWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    event->accept();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return;
    emit SignDepositGetKeyPressed(QStringLiteral("GetDepositPluWidget"), key);
}

bool GetDepositWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == ui->widgetGoods || watched == ui->tbvOrderParticulars || watched == ui->OrderListView)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return KxWidget::eventFilter(watched, event);
}
