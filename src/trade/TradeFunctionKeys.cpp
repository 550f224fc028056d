// Function keys (shortcut bar and paged grid with its edit mode), the preset
// product keys and their group keyboard, and the quick-pay gate.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/TradeAccessibility_p.h"
#include "trade/TradeFunctionKey_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KeyBoardWidget.h"
#include "contracts/CaptionFit.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/PrePluGroupShowWidget.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QDockWidget>
#include <QGridLayout>
#include <QLayout>
#include <QPushButton>
#include <QSignalMapper>
#include <QToolButton>

namespace {
constexpr int GridSpacing = 10;
// Room a function key's caption loses on both sides: the style sheet's
// padding of the keys (4 px, funcs.qss), the border and a pixel of air.
constexpr int KeyTextInset = 2 * (4 + 1 + 1);

bool sameFunction(const dynMapButton& a, const dynMapButton& b)
{
    return a.funcCode == b.funcCode;
}

bool holdsFunction(const QList<dynMapButton>& list, const dynMapButton& f)
{
    for (const dynMapButton& e : list) {
        if (sameFunction(e, f))
            return true;
    }
    return false;
}

QString shortcutCancelStyle()
{
    return KxPosConfig::iRatioType == 0 ? QStringLiteral("cancel") : QStringLiteral("cancel1024");
}

// The grid's wrapped captions, shared by every sales screen of the process.
FunctionCaptionWrapper& captionWrapper()
{
    static FunctionCaptionWrapper wrapper;
    return wrapper;
}

// Queues a new style state for a key; a key already in that state keeps its
// polish (a re-polish per key and page turn would style all keys again).
void setKeyState(QPushButton* key, const QString& state)
{
    const auto* own = dynamic_cast<const TradeFunctionKey*>(key);
    if (!own || own->state() != state)
        UiTool::UpdateWidgetStyleDeferred(key, "showType", state);
}

bool laidOut(const QWidget* w)
{
    return w->isVisible() && w->width() > 0 && w->height() > 0;
}

// Global rectangle of the function grid's dock: over the preset-key area,
// inside the screen. Without preset keys on screen the grid takes the place
// they would have: the right-hand part of the content, ending where the
// shortcut bar begins, so the bar stays usable while its keys are edited.
QRect gridDockArea(const Ui::TradeWidget* ui, const QWidget* screen, int gap)
{
    QWidget* area = nullptr;
    if (laidOut(ui->widgetPreKey))
        area = ui->widgetPreKey;
    else if (laidOut(ui->widgetPrePlu))
        area = ui->widgetPrePlu;

    int width = area ? area->width() : KxPosConfig::GetAutoWidth(902, 428);
    int height = area ? area->height() : ui->widgetCenter->height();
    if (ui->widgetOrderPay->isVisible())
        height -= ui->widgetOrderPay->height();
    if (height <= 0)
        height = KxPosConfig::GetAutoHeight(900, 620);

    QPoint topLeft;
    if (laidOut(ui->widgetPrePlu)) {
        topLeft = ui->widgetPrePlu->mapToGlobal(QPoint(0, 0));
    } else {
        const QWidget* content = ui->widgetContent;
        const int right = ui->widgetBtn->isVisible() ? ui->widgetBtn->mapToGlobal(QPoint(0, 0)).x() - gap
                                                    : content->mapToGlobal(QPoint(content->width(), 0)).x();
        topLeft = QPoint(right - width, ui->widgetCenter->mapToGlobal(QPoint(0, 0)).y());
    }

    const QRect bounds(screen->mapToGlobal(QPoint(0, 0)), screen->size());
    width = qBound(1, width, qMax(1, bounds.width()));
    height = qBound(1, height, qMax(1, bounds.height()));
    topLeft.setX(qBound(bounds.left(), topLeft.x(), bounds.left() + bounds.width() - width));
    topLeft.setY(qBound(bounds.top(), topLeft.y(), bounds.top() + bounds.height() - height));
    return QRect(topLeft, QSize(width, height));
}
} // namespace

QList<QAbstractButton*> TradeWidget::ShortcutButtons() const
{
    QList<QAbstractButton*> buttons;
    QLayout* layout = ui->widgetBtn->layout();
    for (int i = 0; layout && i < shortcutCapacity && i < layout->count(); ++i) {
        if (auto* b = qobject_cast<QAbstractButton*>(layout->itemAt(i)->widget()))
            buttons << b;
    }
    return buttons;
}

QList<QPushButton*> TradeWidget::GridButtons() const
{
    QList<QPushButton*> buttons;
    auto* grid = qobject_cast<QGridLayout*>(ui->widgetFunc->layout());
    if (!grid)
        return buttons;
    for (int r = 0; r < funcRows; ++r) {
        for (int c = 0; c < funcColumns; ++c) {
            QLayoutItem* item = grid->itemAtPosition(r, c);
            if (auto* b = item ? qobject_cast<QPushButton*>(item->widget()) : nullptr)
                buttons << b;
        }
    }
    return buttons;
}

// --- Building ------------------------------------------------------------------

void TradeWidget::InitFuncArea()
{
    allFunctions = gridFunctions;
    if (shortcutsGiven == 0) {
        for (int moved = 0; moved < shortcutCapacity && !gridFunctions.isEmpty(); ++moved)
            shortcutFunctions.append(gridFunctions.takeFirst());
    }

    // Shortcut bar: the form's buttons, mapped to their bar index.
    delete shortcutMapper;
    shortcutMapper = new QSignalMapper(this);
    const QList<QAbstractButton*> shortcuts = ShortcutButtons();
    for (int i = 0; i < shortcuts.size(); ++i) {
        QAbstractButton* b = shortcuts.at(i);
        connect(b, &QAbstractButton::clicked, shortcutMapper, qOverload<>(&QSignalMapper::map));
        shortcutMapper->setMapping(b, QString::number(i));
        UiTool::UpdateWidgetStyle(b, "showType", QStringLiteral("normal"));
    }
    connect(shortcutMapper, &QSignalMapper::mappedString, this, &TradeWidget::SlotTrdCheckStart);

    // Grid: rows x columns cells, mapped to their cell number (row by row).
    delete gridMapper;
    gridMapper = new QSignalMapper(this);
    if (QLayout* old = ui->widgetFunc->layout()) {
        for (QPushButton* b : ui->widgetFunc->findChildren<QPushButton*>(QStringLiteral("funcButton"),
                                                                          Qt::FindDirectChildrenOnly))
            delete b;
        delete old;
    }
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(GridSpacing);
    int cell = 0;
    for (int r = 0; r < funcRows; ++r) {
        for (int c = 0; c < funcColumns; ++c, ++cell) {
            auto* b = new TradeFunctionKey(ui->widgetFunc);
            b->setObjectName(QStringLiteral("funcButton"));
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QAbstractButton::clicked, gridMapper, qOverload<>(&QSignalMapper::map));
            gridMapper->setMapping(b, QString::number(cell));
            UiTool::UpdateWidgetStyle(b, "showType", QStringLiteral("init"));
            grid->addWidget(b, r, c);
        }
    }
    // Cells share the grid evenly, whatever their captions ask for; captions
    // are wrapped to that share.
    for (int r = 0; r < funcRows; ++r)
        grid->setRowStretch(r, 1);
    for (int c = 0; c < funcColumns; ++c)
        grid->setColumnStretch(c, 1);
    connect(gridMapper, &QSignalMapper::mappedString, this, &TradeWidget::SlotFuncCheck);
    ui->widgetFunc->setLayout(grid);

    UpdateCutBtnInit();

    // The screen's number pad: press inserts, release offers suggestions.
    if (!keypadPressMapper) {
        keypadPressMapper = new QSignalMapper(this);
        keypadReleaseMapper = new QSignalMapper(this);
        for (QPushButton* b : ui->widgetKeypad->findChildren<QPushButton*>()) {
            const QString key = b->property("keyText").toString();
            if (key.isEmpty())
                continue;
            connect(b, &QAbstractButton::pressed, keypadPressMapper, qOverload<>(&QSignalMapper::map));
            connect(b, &QAbstractButton::released, keypadReleaseMapper, qOverload<>(&QSignalMapper::map));
            keypadPressMapper->setMapping(b, key);
            keypadReleaseMapper->setMapping(b, key);
        }
        connect(keypadPressMapper, &QSignalMapper::mappedString, this, &TradeWidget::SlotNumMousePress);
        connect(keypadReleaseMapper, &QSignalMapper::mappedString, this, &TradeWidget::SlotNumMouseRelease);
    }
}

void TradeWidget::UpdateFuncShow()
{
    gridFunctions = allFunctions;
    UpdateFuncPage();
    UpdateCutBtnInit();
}

void TradeWidget::UpdateCutBtnInit()
{
    gridFunctions = allFunctions;
    const QList<QAbstractButton*> shortcuts = ShortcutButtons();
    for (int i = 0; i < shortcuts.size(); ++i) {
        QAbstractButton* b = shortcuts.at(i);
        b->setEnabled(false);
        if (i < shortcutFunctions.size()) {
            const dynMapButton& f = shortcutFunctions.at(i);
            const QString caption = f.GetCaption(KxPosConfig::sLanguage);
            CaptionFit::SetCaption(b, caption);
            b->setEnabled(true);
            b->show();
            for (int j = gridFunctions.size() - 1; j >= 0; --j) {
                if (sameFunction(gridFunctions.at(j), f))
                    gridFunctions.removeAt(j);
            }
        } else {
            CaptionFit::SetCaption(b, QString());
        }
    }
    AccessibleNames::NameButtonsByCaption(ui->widgetBtn, TradeAccessibility::UnusedKey);
    if (!funcEditMode) {
        funcPage = 1;
        funcPageCount = GetPageCount(gridFunctions.size(), funcColumns, funcRows, 0);
        UpdateFuncPage();
    }
}

void TradeWidget::UpdateFuncPage()
{
    const QList<QPushButton*> cells = GridButtons();
    if (cells.isEmpty())
        return;
    const int perPage = funcRows * funcColumns;
    const int gridWidth = ui->widgetFunc->width();
    const int wrapWidth = (gridWidth + (1 - funcColumns) * GridSpacing) / funcColumns - KeyTextInset;
    for (int k = 0; k < cells.size() && k < perPage; ++k) {
        QPushButton* b = cells.at(k);
        const int j = (funcPage - 1) * perPage + k;
        if (j >= 0 && j < gridFunctions.size()) {
            const dynMapButton& f = gridFunctions.at(j);
            b->setEnabled(true);
            setKeyState(b, holdsFunction(shortcutFunctions, f) ? QStringLiteral("choose") : QStringLiteral("normal"));
        } else {
            b->setText(QString());
            b->setEnabled(false);
            b->setIconSize(QSize(0, 0));
            setKeyState(b, QStringLiteral("init"));
        }
    }
    UiTool::FlushDeferredStyleUpdates();
    // Captions wrap in the key's own font, which the style sheet sizes per
    // state, so that a long caption takes two lines instead of being cut.
    for (int k = 0; k < cells.size() && k < perPage; ++k) {
        const int j = (funcPage - 1) * perPage + k;
        if (j < 0 || j >= gridFunctions.size())
            continue;
        QPushButton* b = cells.at(k);
        b->setText(captionWrapper().wrapped(gridFunctions.at(j).GetCaption(KxPosConfig::sLanguage), b->font(),
                                            wrapWidth));
    }
    AccessibleNames::NameButtonsByCaption(ui->widgetFunc, TradeAccessibility::UnusedKey);
    ui->widgetFunc->update();
}

// --- Paging and presses ---------------------------------------------------------

void TradeWidget::on_btnPreFunc_clicked()
{
    // In edit mode the grid offers every function, even after the bar was
    // refilled in between.
    if (funcEditMode)
        gridFunctions = allFunctions;
    funcPage = funcPage > 1 ? funcPage - 1 : funcPageCount;
    UpdateFuncPage();
}

void TradeWidget::on_btnNextFunc_clicked()
{
    if (funcEditMode)
        gridFunctions = allFunctions;
    funcPage = funcPage >= funcPageCount ? 1 : funcPage + 1;
    UpdateFuncPage();
}

void TradeWidget::SlotTrdCheckStart(QString sNo)
{
    if (!tradeActive) {
        ShowToBeginMessage();
        return;
    }
    bool ok = false;
    const int index = sNo.toInt(&ok);
    if (!ok || index < 0 || index >= shortcutFunctions.size())
        return;
    if (!funcEditMode) {
        ui->dockWidget->hide();
        emit SignTrdDynFunc(shortcutFunctions.at(index).funcCode);
        return;
    }
    shortcutFunctions.removeAt(index);
    emit SignSaveBtnEdit(shortcutFunctions);
}

void TradeWidget::SlotFuncCheck(QString sNo)
{
    if (!tradeActive) {
        ShowToBeginMessage();
        return;
    }
    bool ok = false;
    const int cell = sNo.toInt(&ok);
    if (!ok)
        return;
    const int j = cell + funcRows * funcColumns * (funcPage - 1);
    if (funcEditMode) {
        if (j < 0 || j >= allFunctions.size() || shortcutFunctions.size() >= shortcutCapacity)
            return;
        const dynMapButton& f = allFunctions.at(j);
        if (holdsFunction(shortcutFunctions, f))
            return;
        shortcutFunctions.append(f);
        emit SignSaveBtnEdit(shortcutFunctions);
        return;
    }
    if (j < 0 || j >= gridFunctions.size())
        return;
    ui->dockWidget->hide();
    emit SignTrdDynFunc(gridFunctions.at(j).funcCode);
}

// --- Edit mode -------------------------------------------------------------------

void TradeWidget::SetFuncEditMode(bool edit)
{
    if (edit) {
        ui->btnEditFun->setText(KxPosTranslator::GetTranslation(1492));
        AccessibleNames::NameByCaption(ui->btnEditFun);
        ui->btnEditCancel->show();
        funcEditMode = true;
        gridFunctions = allFunctions;
        funcPage = 1;
        funcPageCount = GetPageCount(gridFunctions.size(), funcColumns, funcRows, 0);
        UpdateFuncPage();
        for (QAbstractButton* b : ShortcutButtons())
            UiTool::UpdateWidgetStyle(b, "showType", shortcutCancelStyle());
    } else {
        ui->btnEditFun->setText(KxPosTranslator::GetTranslation(2382));
        AccessibleNames::NameByCaption(ui->btnEditFun);
        ui->btnEditCancel->hide();
        funcEditMode = false;
        UpdateCutBtnInit();
        for (QAbstractButton* b : ShortcutButtons())
            UiTool::UpdateWidgetStyle(b, "showType", QStringLiteral("normal"));
    }
}

void TradeWidget::on_btnEditFun_clicked()
{
    SetFuncEditMode(!funcEditMode);
}

void TradeWidget::on_btnEditCancel_clicked()
{
    SetFuncEditMode(!funcEditMode);
}

// --- The grid dock -----------------------------------------------------------------

void TradeWidget::on_toolButtonKeyMore_clicked()
{
    if (funcEditMode)
        return;
    QDockWidget* dock = ui->dockWidget;
    if (!dock->isHidden()) {
        dock->hide();
        return;
    }
    const QRect area = gridDockArea(ui, this, spacing);
    dock->setFloating(true);
    dock->setFixedSize(area.size());
    dock->move(area.topLeft());
    dock->show();
    dock->raise();
    UpdateFuncPage();
}

void TradeWidget::SlotTrdExtendxy()
{
    const QPoint at = ui->toolButtonKeyMore->mapToGlobal(QPoint(0, 0));
    emit SignTrdShowExtend(at.x(), at.y());
}

void TradeWidget::SlotTrdShowHideRightMenu()
{
    on_toolButtonKeyMore_clicked();
}

// --- Key button and preset keys ------------------------------------------------------

void TradeWidget::on_btnKey_clicked()
{
    if (!KxPosConfig::GetValue(QStringLiteral("SYSTEM_TradeKey_PayCode"), QString()).isEmpty())
        AmountTotal(QStringLiteral("CashPay"));
    else if (KxPosConfig::GetValue(QStringLiteral("TRADE_TradeKeyShowType"), QStringLiteral("0")) == QLatin1String("1"))
        emit SignShowKeyEntryWidget();
    else
        ShowPreKeyBoard();
}

void TradeWidget::ShowPreKeyBoard()
{
    if (!presetKeyboard) {
        if (!presetKeysShown) {
            ShowNotice(2366);
            return;
        }
        const int h = KxPosConfig::iAppHeight;
        const bool large = KxPosConfig::iAppWidth == 1920;
        const int keyHeight = qRound(h * (large ? 0.056 : 0.053));
        const int boardHeight = qRound(h * (large ? 0.399 : 0.351));
        const int width = ui->widgetPreKey->width() - 1;
        presetKeyboard = new KeyBoardWidget(ui->widgetKeyBoardKeys, QStringLiteral("1"), 0);
        presetKeyboard->setFixedSize(width - 2 * spacing, boardHeight - keyHeight - 3 * spacing);
        presetKeyboard->SetKeySpacing(spacing, spacing);
        presetKeyboard->SetKeyWidth((width - 6 * spacing) / 5);
        ui->widgetKeyBoardKeys->layout()->addWidget(presetKeyboard);
        connect(presetKeyboard, SIGNAL(SignKbwKeyPress(QString)), this, SLOT(SlotKeyBoardClick(QString)));
        ui->dockWidgetKeyBoard->setFixedSize(width, boardHeight);
        const QPoint bottomLeft = ui->widgetPreKey->mapToGlobal(QPoint(0, ui->widgetPreKey->height()));
        ui->dockWidgetKeyBoard->move(bottomLeft.x(), bottomLeft.y() - boardHeight);
    }
    ui->dockWidgetKeyBoard->setVisible(ui->dockWidgetKeyBoard->isHidden());
    setFocus();
}

void TradeWidget::showFastPluKey(PrePluGroupShowWidget* group, bool toggle)
{
    if (ui->widgetPreKey->isVisible() && toggle && presetKeysShown) {
        presetKeysShown = false;
        // The group keyboard belongs to the preset keys and leaves with them.
        ui->dockWidgetKeyBoard->hide();
        InitWidget(0);
        return;
    }
    if (group && group->productCount() > 0) {
        InitWidget(1);
        ui->widgetPreKey->show();
        QLayout* keys = ui->widgetPrePlu->layout();
        if (presetGroup && presetGroup != group) {
            // Another panel was shown before: it steps aside for this one.
            keys->removeWidget(presetGroup);
            presetGroup->hide();
        }
        presetGroup = group;
        if (keys->indexOf(group) < 0) {
            group->setParent(ui->widgetPrePlu);
            keys->addWidget(group);
        }
        group->show();
        group->showProd();
        presetKeysShown = true;
        return;
    }
    // A group without products: the screen's own message box says so (it
    // records the notice instead of blocking when nobody is at the till).
    ShowNotice(1970);
}

// --- Quick pay -------------------------------------------------------------------

void TradeWidget::SetQuickPay(QString first, QString second, QString third)
{
    ui->toolButtonpayfirst->setText(first);
    ui->toolButtonpaysecond->setText(second);
    ui->toolButtonpaythird->setText(third);
    if (!KxPosConfig::GetValue(QStringLiteral("SYSTEM_TradeKey_PayCode"), QString()).isEmpty()) {
        ui->btnKey->setText(third);
        ui->btnKey->setProperty(TradeAccessibility::CaptionIdProperty, 0);
    } else {
        ui->btnKey->setText(KxPosTranslator::GetTranslation(2381));
        ui->btnKey->setProperty(TradeAccessibility::CaptionIdProperty, 2381);
    }
    for (QAbstractButton* key : {static_cast<QAbstractButton*>(ui->toolButtonpayfirst),
                                 static_cast<QAbstractButton*>(ui->toolButtonpaysecond),
                                 static_cast<QAbstractButton*>(ui->toolButtonpaythird),
                                 static_cast<QAbstractButton*>(ui->btnKey)})
        AccessibleNames::NameByCaption(key);
}

void TradeWidget::pay(QString payCode)
{
    AmountTotal(payCode);
}

void TradeWidget::AmountTotal(QString p_sPayType)
{
    if (payGuard)
        return;
    payGuard = true;
    payGuardTimer.start(500);

    if (ui->dockWidget->isVisible() && funcEditMode)
        SetFuncEditMode(false);
    amountTyped = false;
    saleModeFlag1 = false;

    if (!tradeActive) {
        RemoveAllSaleRows();
        startTradePending = false;
        emit SignTrdStartTrade();
        if (!QApplication::activeWindow()) {
            activateWindow();
            setFocus();
        }
    } else if (IsLastRowOver() == 0) {
        ShowNotice(1904);
    } else {
        emit SignTrdGotoPay(0, p_sPayType);
        ui->dockWidget->hide();
    }
    ui->toolButtonpayother->setDown(false);
}

void TradeWidget::on_toolButtonpayfirst_clicked()
{
    AmountTotal(QStringLiteral("WxPay"));
}

void TradeWidget::on_toolButtonpaysecond_clicked()
{
    AmountTotal(QStringLiteral("ZfbPay"));
}

void TradeWidget::on_toolButtonpaythird_clicked()
{
    AmountTotal(QStringLiteral("CashPay"));
}

void TradeWidget::on_toolButtonpayother_clicked()
{
    AmountTotal(QString());
}

void TradeWidget::on_btnPay_released()
{
    ui->txtcode->backspace();
}

void TradeWidget::SlotTrdSwitchKey(bool)
{
    // Accepted for hosts that still call it; the key layout no longer switches.
}
