// Input of the deposit list: code entry with suggestions, the keypad, the
// quantity key and its placeholder row, the buttons and the key map.

#include "deposit/DepositPluWidget.h"
#include "ui_DepositPluWidget.h"

#include "deposit/ScreenFrame_p.h"

#include "contracts/KxPosConfig.h"
#include "contracts/UiTool.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QSignalMapper>
#include <QStandardItemModel>

namespace {
constexpr double MaxQuantity = 999999.0;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

void DepositPluWidget::initKeypad()
{
    keyMapper = new QSignalMapper(this);
    for (QPushButton* key : {ui->btn0, ui->btn1, ui->btn2, ui->btn3, ui->btn4, ui->btn5, ui->btn6, ui->btn7, ui->btn8,
                             ui->btn9, ui->btnDot}) {
        connect(key, &QPushButton::clicked, keyMapper, qOverload<>(&QSignalMapper::map));
        keyMapper->setMapping(key, key->text());
    }
    connect(keyMapper, &QSignalMapper::mappedString, this, &DepositPluWidget::SlotKeyPressed);
}

// --- Suggestions ---------------------------------------------------------------

bool DepositPluWidget::popupVisible() const
{
    return completer && completer->popup() && completer->popup()->isVisible();
}

void DepositPluWidget::placePopup()
{
    if (!completer)
        return;
    QAbstractItemView* popup = completer->popup();
    const QPoint at = ui->txtcode->mapToGlobal(QPoint(0, 0));
    popup->move(at.x() - popup->width(), at.y());
}

void DepositPluWidget::SlotTrdBackCompleterModel(QCompleter* c)
{
    if (!c)
        return;
    if (completer && completer != c)
        disconnect(completer, nullptr, this, nullptr);
    completer = c;
    c->setObjectName(QStringLiteral("mycompleter"));
    QAbstractItemView* popup = c->popup();
    UiTool::StyleSuggestionPopup(popup);
    popup->setFixedWidth(KxPosConfig::GetAutoWidth(440, 320));
    // Attached as the code box's completer, but shown only by this screen,
    // which applies the minimum code length before suggesting.
    c->setWidget(ui->txtcode);
    // Member-function connections, so that Qt::UniqueConnection holds: a
    // completer handed over again must not enter a chosen suggestion twice.
    connect(c, qOverload<const QString&>(&QCompleter::highlighted), this,
            &DepositPluWidget::SlotCompleterHighlighted, Qt::UniqueConnection);
    connect(c, qOverload<const QString&>(&QCompleter::activated), this,
            &DepositPluWidget::SlotCompleterActivated, Qt::UniqueConnection);
}

void DepositPluWidget::SlotCompleterActivated(const QString& text)
{
    // A completer shared with another screen reports that screen's choices
    // too: only a choice made in this list's own code box, while the list is
    // shown, enters a product.
    if (!completer || completer->widget() != ui->txtcode || !isVisible())
        return;
    // Choosing a suggestion enters it as the code.
    ui->txtcode->setText(text);
    highlighted = text;
    on_btnOK_clicked();
}

void DepositPluWidget::SlotCompleterHighlighted(QString text)
{
    highlighted = text;
}

// --- Digit input -------------------------------------------------------------------

void DepositPluWidget::SlotKeyPressed(QString p_sKey)
{
    if (useSaleNo())
        return;
    ui->txtcode->setFocus();
    ui->txtcode->insert(p_sKey);
    if (!completer)
        return;
    const QString text = ui->txtcode->text();
    if (text.size() < suggestLength()) {
        completer->popup()->hide();
        return;
    }
    if (popupVisible())
        return;
    if (completer->widget() != ui->txtcode)
        completer->setWidget(ui->txtcode);
    completer->setCompletionPrefix(text);
    if (completer->completionCount() > 0) {
        completer->complete();
        placePopup();
    }
}

void DepositPluWidget::on_txtcode_textEdited(const QString& text)
{
    if (text.isEmpty() || !completer || !isDigit(text.back()))
        return;
    completer->setCompletionPrefix(text);
    if (completer->completionCount() != 0 && text.size() >= suggestLength()) {
        if (completer->widget() != ui->txtcode)
            completer->setWidget(ui->txtcode);
        completer->complete();
        placePopup();
    } else {
        completer->popup()->hide();
    }
}

void DepositPluWidget::on_txtcode_textChanged(const QString& text)
{
    if (text.isEmpty() && popupVisible())
        completer->popup()->hide();
}

// --- Code entry and quantity ----------------------------------------------------------

void DepositPluWidget::on_btnOK_clicked()
{
    if (useSaleNo())
        return;
    QString code = ui->txtcode->text();
    if (popupVisible()) {
        // What the cashier typed, without the tail a suggestion filled in.
        QString typed = code;
        if (ui->txtcode->hasSelectedText())
            typed = typed.left(ui->txtcode->selectionStart());
        if (!highlighted.isEmpty() && highlighted.contains(typed))
            code = highlighted;
        completer->popup()->hide();
    }
    highlighted.clear();
    code = code.trimmed();
    if (code.isEmpty()) {
        frame->showMessage(1901);
        return;
    }
    UiTool::EmptyLine(ui->txtcode);
    if (IsWholeSale()) {
        frame->showMessage(2300);
        return;
    }
    emit SignDepositAddPlu(code);
}

void DepositPluWidget::on_btnCount_clicked()
{
    if (IsWholeSale()) {
        frame->showMessage(2300);
        return;
    }
    const QString text = ui->txtcode->text().trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    // The range is checked on the number as typed, before any rounding: a
    // long row of digits does not fit a 64-bit integer.
    if (text.isEmpty() || !ok || qIsNaN(value)) {
        frame->showMessage(1903);
        return;
    }
    if (value > MaxQuantity) {
        frame->showMessage(604);
        UiTool::EmptyLine(ui->txtcode);
        return;
    }
    // A quantity that rounds to no whole piece is no quantity (negative
    // values included).
    if (!(value >= 0.5)) {
        frame->showMessage(1903);
        return;
    }
    const int rows = model->rowCount();
    if (rows > 0 && model->index(rows - 1, 1).data().toString().isEmpty()) {
        frame->showMessage(1904);
        return;
    }
    nextQuantity = static_cast<int>(qRound64(value));
    // Placeholder row showing the preset; the next rebuild of the table
    // replaces it by the product it applies to.
    QList<QStandardItem*> cells;
    for (const QString& cellText : {QString(), QString(), KxWidget::formatNumber(nextQuantity, 2), QString()}) {
        auto* cell = new QStandardItem(cellText);
        cell->setTextAlignment(Qt::AlignCenter);
        cell->setEditable(false);
        cells << cell;
    }
    model->appendRow(cells);
    UiTool::EmptyLine(ui->txtcode);
}

void DepositPluWidget::on_btnbackspace_clicked()
{
    ui->txtcode->setFocus();
    ui->txtcode->backspace();
}

// --- List keys ---------------------------------------------------------------------

void DepositPluWidget::on_btnClearRow_clicked()
{
    if (IsWholeSale()) {
        frame->showMessage(2300);
        return;
    }
    if (!frame->ask(1908))
        return;
    if (model->rowCount() > 0)
        RemovePlu();
    else
        frame->showMessage(1909);
}

void DepositPluWidget::on_btnClearAll_clicked()
{
    if (frame->ask(1910))
        Clear();
}

void DepositPluWidget::on_btnclearall_clicked()
{
    Clear();
}

void DepositPluWidget::on_btnDeposit_clicked()
{
    if (vipDetail.vipId.trimmed().isEmpty()) {
        frame->showMessage(2302);
        return;
    }
    if (employeeDetail.employeeCode.trimmed().isEmpty()) {
        frame->showMessage(1905);
        return;
    }
    if (pluList.isEmpty()) {
        frame->showMessage(2303);
        return;
    }
    emit SignDepositPlus(pluList);
}

void DepositPluWidget::on_btnImport_clicked()
{
    if (IsWholeSale()) {
        frame->showMessage(2300);
        return;
    }
    if (pluList.isEmpty())
        emit SignDepositPluImport();
    else
        frame->showMessage(2305);
}

void DepositPluWidget::on_btncard_clicked()
{
    if (useSaleNo()) {
        frame->showMessage(2304);
        return;
    }
    emit SignMembLogin();
}

void DepositPluWidget::on_btnphone_clicked()
{
    emit SignEmployeeLogin();
}

void DepositPluWidget::leave()
{
    if (!pluList.isEmpty()) {
        frame->showMessage(2301);
        return;
    }
    // A quantity preset without a product does not outlive the screen.
    if (nextQuantity != 0 || model->rowCount() > 0) {
        nextQuantity = 0;
        RefreshDepositPluWidget();
    }
    close();
    emit SignDepositReturn();
}

void DepositPluWidget::on_btnDeskTop_clicked()
{
    leave();
}

void DepositPluWidget::on_btnReturn_clicked()
{
    leave();
}

void DepositPluWidget::on_btnPreRow_clicked()
{
    previous();
}

void DepositPluWidget::on_btnNextRow_clicked()
{
    next();
}

// --- Keys ----------------------------------------------------------------------------

void DepositPluWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const QString text = event->text();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        SlotKeyPressed(text.isEmpty() ? QString(QChar(key)) : text);
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        on_btnOK_clicked();
    else if (ScreenFrame::isDigitText(text))
        SlotKeyPressed(text);
    else
        emit SignDepositPluKeyPressed(QStringLiteral("DepositPluWidget"), key);
    event->accept();
}

bool DepositPluWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (watched == ui->txtcode || (watched == ui->widgetInput && popupVisible())) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return KxWidget::eventFilter(watched, event);
}
