// Product entry line: the code box, its suggestion popup, the docked keyboard
// line, the screen's key map and the quantity key.

#include "trade/TradeWidget.h"
#include "ui_TradeWidget.h"

#include "trade/TradeAccessibility_p.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/TableModel.h"
#include "contracts/UiTool.h"
#include "contracts/WindowPlacement.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

namespace {
constexpr int PopupSettleMs = 30;
constexpr int PopupEdgeGap = 21;
constexpr int PopupBottomGap = 9;
constexpr double MaxQuantity = 999999;

bool isLetter(QChar c)
{
    const ushort u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    return u > 0x7F && c.isLetter();
}

bool isNumeral(QChar c)
{
    return c.isDigit() || c.isNumber();
}

// QLineEdit reports insert() and backspace() as edits (textEdited), the same
// as the cashier's own typing. The screen's own edits run inside this scope so
// that only typing by hand takes the suggestion path of textEdited.
class ProgramEditScope
{
public:
    explicit ProgramEditScope(bool& flag)
        : m_flag(flag)
        , m_previous(flag)
    {
        m_flag = true;
    }
    ~ProgramEditScope() { m_flag = m_previous; }
    ProgramEditScope(const ProgramEditScope&) = delete;
    ProgramEditScope& operator=(const ProgramEditScope&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

// A placeholder line: it carries a quantity (or a discount) typed before
// the product it applies to.
QStringList placeholderRow(const QString& quantity, const QString& column7)
{
    QStringList row;
    row << QStringLiteral("-1") << QStringLiteral("0") << QString() << QString() << quantity
        << QStringLiteral("0") << QStringLiteral("0") << column7 << QStringLiteral("0")
        << QStringLiteral("X") << QString() << QString() << QString() << QString() << QString();
    return row;
}
} // namespace

void TradeWidget::SetTradeActive(bool active)
{
    tradeActive = active;
    ShowTradeState();
}

void TradeWidget::ShowNotice(int messageId)
{
    messageWidget->showMessage(KxPosTranslator::GetTranslation(messageId), KxPosTranslator::GetTranslation(1969),
                               3, false);
}

void TradeWidget::StartTradeFromIdle()
{
    RemoveAllSaleRows();
    startTradePending = false;
    emit SignTrdStartTrade();
}

int TradeWidget::LenovoLength() const
{
    bool ok = false;
    const int length = KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100")).toInt(&ok);
    return ok ? length : 100;
}

QAbstractItemView* TradeWidget::Popup() const
{
    return completer ? completer->popup() : nullptr;
}

// --- Key map -----------------------------------------------------------------

void TradeWidget::keyPressEvent(QKeyEvent* event)
{
    if (ui->stackedWidgetPlu->currentIndex() == 1 && OrderPanelKey(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    const QString text = event->text();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period) {
        SlotTrdKeyPress(text);
    } else if (key == Qt::Key_Backspace) {
        SlotTrdBackspace();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        on_btnOK_released();
    } else if (IsQuantityKey(event)) {
        // "3*" or "3x": the number typed is the quantity of the next product.
        on_btnUpdNum_released();
    } else if (text.size() == 1 && (text.at(0).isDigit() || text.at(0) == QLatin1Char('.'))
               && text.at(0).unicode() < 0x80) {
        SlotTrdKeyPress(text);
    } else if (screenType == 2 && !text.isEmpty()) {
        SlotTrdKeyPress(text);
    } else {
        lastKeyText = text;
        emit SignTrdKeyPressed(QStringLiteral("trade"), key);
    }
    event->accept();
}

bool TradeWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (!ui) // the screen is being destroyed
        return false;
    const QEvent::Type type = event->type();
    if (watched == ui->label_ProSuggest && type == QEvent::MouseButtonPress) {
        QString text = ui->label_ProSuggest->property("allText").toString();
        text.replace(QLatin1Char('\n'), QStringLiteral("   "));
        emit SignShowProSuggest(text);
        return true;
    }
    QAbstractItemView* popup = Popup();
    if (popup && watched == popup && type == QEvent::KeyPress)
        return PopupKeyPress(static_cast<QKeyEvent*>(event));
    if (watched == ui->widgetback && type == QEvent::KeyPress && popup && popup->isVisible()) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    if (type == QEvent::KeyPress
        && (watched == saleTable.view() || watched == ui->txtcode || watched == ui->tbvOrder
            || watched == ui->tbvOnline || watched == ui->tbvDown)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    // The sort box keeps its own keys, except those of the order panel.
    if (watched == ui->boxOrderSort && type == QEvent::KeyPress && ui->stackedWidgetPlu->currentIndex() == 1
        && OrderPanelKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == ui->lblVipPhone && type == QEvent::MouseButtonPress) {
        clickOnVipName();
        return true;
    }
    if (watched == ui->lineEdit && type == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        switch (keyEvent->key()) {
        case Qt::Key_Backspace: SlotKeyBoardClick(KeyBoardWidget::BackspaceKey); break;
        case Qt::Key_Return:
        case Qt::Key_Enter: SlotKeyBoardClick(KeyBoardWidget::OkKey); break;
        default: SlotKeyBoardClick(keyEvent->text()); break;
        }
        return true;
    }
    return KxWidget::eventFilter(watched, event);
}

// While the suggestion popup is open it holds the keyboard. Characters reach
// the line through the completer and arrows move in the list; Return, Enter
// and the other special keys must still work as on the code box, or the
// cashier's Enter would be lost whenever no suggestion is highlighted.
bool TradeWidget::PopupKeyPress(QKeyEvent* event)
{
    QAbstractItemView* popup = Popup();
    const int key = event->key();
    const bool special = key >= Qt::Key_Escape && key <= Qt::Key_F12;
    if (!special || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown)
        return false;
    const bool confirm = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (completer->widget() == ui->lineEdit) {
        // The keyboard line: a highlighted suggestion is taken by the
        // completer's activation; without one the line's own text is used.
        if (key == Qt::Key_Backspace) {
            popup->hide();
            SlotKeyBoardClick(KeyBoardWidget::BackspaceKey);
            return true;
        }
        if (!confirm || popup->currentIndex().isValid())
            return false;
        popup->hide();
        SlotKeyBoardClick(KeyBoardWidget::OkKey);
        return true;
    }
    if (!confirm)
        popup->hide();
    keyPressEvent(event);
    return true;
}

// --- OK and characters ------------------------------------------------------------

void TradeWidget::crHandler()
{
    on_btnOK_released();
}

void TradeWidget::on_btnOK_released()
{
    if (!tradeActive) {
        StartTradeFromIdle();
        return;
    }
    QString text = ui->txtcode->text();
    QAbstractItemView* popup = Popup();
    if (popup && popup->isVisible()) {
        // The completed tail is selected; what the cashier typed is before it.
        QString typed = text;
        if (ui->txtcode->hasSelectedText()
            && ui->txtcode->selectionStart() + ui->txtcode->selectedText().size() == text.size())
            typed = text.left(ui->txtcode->selectionStart());
        if (typed.isEmpty() || highlightedText.contains(typed, Qt::CaseInsensitive))
            text = highlightedText;
        popup->hide();
    }
    highlightedText.clear();
    ui->txtcode->setFocus();
    UiTool::EmptyLine(ui->txtcode);
    charInputOnce = false;
    saleTable.view()->setFocus();

    if (!text.trimmed().isEmpty()) {
        emit SignTrdAddProduct(text);
        return;
    }
    if (IsLastRowOver() == 0) {
        const int last = SaleRowCount() - 1;
        emit SignTrdSetProdWeight(SaleCell(last, 0).toInt(), SaleCell(last, 1), currentWeight);
    }
}

void TradeWidget::SlotTrdAddProduct()
{
    emit SignTrdAddProduct(ui->txtcode->text());
}

void TradeWidget::SlotTrdKeyPress(QString key, int)
{
    if (!tradeActive) {
        if (KxPosConfig::GetValue(QStringLiteral("TRADE_IsUseEmployee"), QStringLiteral("0")) == QLatin1String("1")) {
            ShowToBeginMessage();
            return;
        }
        StartTradeFromIdle();
    }
    ui->txtcode->setFocus();
    {
        ProgramEditScope scope(programEdit);
        ui->txtcode->insert(key);
    }
    CompletionStep(ui->txtcode, ui->txtcode->text(), false);
}

void TradeWidget::SlotNumMousePress(QString key)
{
    if (!tradeActive)
        StartTradeFromIdle();
    ui->txtcode->setFocus();
    {
        ProgramEditScope scope(programEdit);
        ui->txtcode->insert(key);
    }
    if (QAbstractItemView* popup = Popup())
        popup->hide();
}

void TradeWidget::SlotNumMouseRelease(QString)
{
    CompletionStep(ui->txtcode, ui->txtcode->text(), false);
}

void TradeWidget::SlotTrdBackspace()
{
    ProgramEditScope scope(programEdit);
    if (wholeTextSelected)
        UiTool::EmptyLine(ui->txtcode);
    else
        ui->txtcode->backspace();
    wholeTextSelected = false;
}

void TradeWidget::SlotTxtSelected()
{
    const QString text = ui->txtcode->text();
    wholeTextSelected = !text.isEmpty() && ui->txtcode->selectedText() == text;
}

void TradeWidget::UseCharInput()
{
    charInputOnce = true;
}

bool TradeWidget::HandleCharInput()
{
    if (!charInputOnce && !charInputMode)
        return false;
    SlotTrdKeyPress(lastKeyText);
    return true;
}

void TradeWidget::delPreChar()
{
    ProgramEditScope scope(programEdit);
    ui->txtcode->backspace();
}

void TradeWidget::delAllChars()
{
    UiTool::EmptyLine(ui->txtcode);
}

void TradeWidget::insertMinus()
{
    ui->txtcode->setFocus();
    ProgramEditScope scope(programEdit);
    ui->txtcode->insert(QStringLiteral("-"));
}

void TradeWidget::nonNumberHandler(char c)
{
    int code = -1;
    if (c >= 'A' && c <= 'Z')
        code = c;
    else if (c >= 'a' && c <= 'z')
        code = c - 0x20;
    else if (c == '(' || c == ')')
        code = 0x28;
    else if (c == '+' || c == '=')
        code = 0x2B;
    else if (c == ',')
        code = 0x2C;
    else if (c == '-' || c == '_')
        code = 0x2D;
    else if (c == '<' || c == '>')
        code = 0x3C;
    else if (c == '[' || c == ']' || c == '{' || c == '}')
        code = 0x7B;
    emit SignTrdKeyPressed(QStringLiteral("trade"), code);
}

void TradeWidget::on_txtcode_textChanged(const QString& text)
{
    if (text.isEmpty()) {
        if (QAbstractItemView* popup = Popup(); popup && popup->isVisible())
            popup->hide();
        ui->txtcode->setPlaceholderText(KxPosTranslator::GetTranslation(1587));
        return;
    }
    // Removing a diverted character changes the text again; that nested
    // change must not divert anything a second time.
    if (inTextChanged)
        return;
    const bool lettersAllowed = charInputOnce || charInputMode || screenType == 2;
    if (lettersAllowed)
        return;

    if (text.size() >= 2) {
        for (int i = 0; i < text.size() - 1; ++i) {
            if (isLetter(text.at(i))) {
                // A scanned or typed word is not a product code.
                UiTool::EmptyLine(ui->txtcode);
                return;
            }
        }
    }
    inTextChanged = true;
    ProgramEditScope scope(programEdit);
    for (const QChar c : text) {
        if (isNumeral(c) || c == QLatin1Char('.') || c == QLatin1Char('-'))
            continue;
        ui->txtcode->backspace();
        if (QAbstractItemView* popup = Popup())
            popup->hide();
        nonNumberHandler(c.unicode() > 0xFF ? char(0) : char(c.unicode()));
    }
    inTextChanged = false;
}

void TradeWidget::on_txtcode_textEdited(const QString& text)
{
    if (programEdit)
        return;
    if (text.isEmpty() || !completer || !isNumeral(text.back()))
        return;
    completer->setCompletionPrefix(text);
    QAbstractItemView* popup = completer->popup();
    if (completer->completionCount() == 0 || text.size() < LenovoLength()) {
        popup->hide();
        return;
    }
    if (!popupPending)
        ShowCompleter(getCmpPtLocationX(), getCmpPtLocationY());
}

// --- Suggestions -----------------------------------------------------------------

void TradeWidget::SlotTrdBackCompleterModel(QCompleter* c)
{
    if (!c)
        return;
    if (completer && completer != c) {
        // A replaced completer must not feed this screen any more.
        disconnect(completer, nullptr, this, nullptr);
        if (QAbstractItemView* old = completer->popup())
            old->removeEventFilter(this);
    }
    completer = c;
    const QString style = KxPosConfig::GetValue(QStringLiteral("SYSTEM_Style"), QStringLiteral("small"));
    popupWidth = KxPosConfig::GetAutoWidth(440, 480);
    QAbstractItemView* popup = c->popup();
    popup->setFixedWidth(popupWidth);
    UiTool::StyleSuggestionPopup(popup);
    AccessibleNames::Set(popup, TradeAccessibility::CompleterName);
    UiTool::UpdateWidgetStyle(popup, "showType", style);
    popup->installEventFilter(this);
    // The completer works for the line without QLineEdit::setCompleter():
    // that would open the popup on every edit, at its own place and below the
    // length threshold. The screen decides when and where it opens.
    c->setWidget(ui->txtcode);
    connect(c, SIGNAL(highlighted(QString)), this, SLOT(SlotCompleterHighlighted(QString)), Qt::UniqueConnection);
    connect(c, SIGNAL(activated(QString)), this, SLOT(SlotCompleterActivated(QString)), Qt::UniqueConnection);
}

void TradeWidget::SlotCompleterHighlighted(QString text)
{
    highlightedText = text;
}

void TradeWidget::SlotCompleterActivated(QString text)
{
    if (ui->lineEdit->hasFocus()) {
        if (!ui->lineEdit->text().isEmpty()) {
            ui->lineEdit->setText(text);
            SlotKeyBoardClick(KeyBoardWidget::OkKey);
        }
        return;
    }
    if (!ui->txtcode->text().isEmpty()) {
        ui->txtcode->setText(text);
        on_btnOK_released();
    }
}

void TradeWidget::CompletionStep(QLineEdit* line, const QString& text, bool placeAtKeyboard)
{
    if (!completer)
        return;
    QAbstractItemView* popup = completer->popup();
    if (text.size() < LenovoLength()) {
        popup->hide();
        return;
    }
    if (completer->widget() != line)
        completer->setWidget(line);
    if (popup->isVisible())
        return;
    completer->setCompletionPrefix(text);
    if (completer->completionCount() <= 0 || popupPending)
        return;
    if (placeAtKeyboard) {
        const QPoint at = line->mapToGlobal(QPoint(0, 0));
        PlacePopup(line, at.x() - popupWidth, at.y(), height() - at.y() - PopupBottomGap);
    } else {
        ShowCompleter(getCmpPtLocationX(), getCmpPtLocationY());
    }
}

int TradeWidget::getCmpPtLocationX()
{
    return ui->txtcode->mapToGlobal(QPoint(ui->txtcode->width(), 0)).x() + PopupEdgeGap;
}

int TradeWidget::getCmpPtLocationY()
{
    return ui->txtcode->mapToGlobal(QPoint(0, 0)).y();
}

void TradeWidget::ShowCompleter(int x, int y, int popupHeight)
{
    if (!completer || popupPending)
        return;
    if (popupHeight < 0)
        popupHeight = height() - y - PopupBottomGap;
    PlacePopup(ui->txtcode, x, y, popupHeight);
}

void TradeWidget::PlacePopup(QLineEdit* line, int x, int y, int popupHeight)
{
    QAbstractItemView* popup = Popup();
    if (!popup)
        return;
    popupPending = true;
    // The design place (beside the line, down to the screen's foot) stays
    // while it lies on the display; otherwise the list opens above the line,
    // with the completer's visible rows or as many as there is room for.
    const QRect place = WindowPlacement::PopupRect(
        QRect(x, y, popupWidth, popupHeight), QRect(line->mapToGlobal(QPoint(0, 0)), line->size()),
        qMax(popup->sizeHintForRow(0), popup->fontMetrics().height()), 2 * popup->frameWidth(),
        qMin(completer->completionCount(), completer->maxVisibleItems()), WindowPlacement::DisplayArea(this));
    const QPoint at = place.topLeft();
    const int fixedHeight = qMax(place.height(), 0);
    popup->move(at);
    popup->setFixedHeight(fixedHeight);
    QPointer<QLineEdit> owner(line);
    QTimer::singleShot(PopupSettleMs, this, [this, owner, at] {
        popupPending = false;
        QAbstractItemView* p = Popup();
        if (!p)
            return;
        if (owner && !owner->text().isEmpty()) {
            // The line edit's own completion may have moved the popup under
            // itself in the meantime; the placement wins.
            p->move(at);
            p->scrollToTop();
            if (QScrollBar* bar = p->horizontalScrollBar())
                bar->setValue(bar->minimum());
            p->show();
            // Some platforms shift a window by its frame when it first shows.
            if (p->pos() != at)
                p->move(at);
        } else {
            p->hide();
        }
    });
}

// --- Docked keyboard -----------------------------------------------------------------

void TradeWidget::SlotKeyBoardClick(QString key)
{
    QLineEdit* line = ui->lineEdit;
    if (KeyBoardWidget::ApplyKey(line, key)) {
        // Confirm: a number typed on the pad is entered as if typed in the code box.
        const QString text = line->text();
        UiTool::EmptyLine(line);
        if (KxPosConfig::IsNumber(text)) {
            ui->txtcode->setText(text);
            on_btnOK_released();
        }
    } else if (key != QLatin1String(KeyBoardWidget::ClearKey)
               && key != QLatin1String(KeyBoardWidget::BackspaceKey)) {
        // A character: the line takes the focus so the keyboard goes on typing there.
        line->setFocus();
    }
    if (KxPosConfig::IsNumber(line->text()))
        CompletionStep(line, line->text(), true);
    emit SignTrdPreGroupMN(line->text());
}

// --- Quantity key ----------------------------------------------------------------

bool TradeWidget::IsQuantityKey(const QKeyEvent* event) const
{
    // Only after a number: an empty box leaves "*" to the host's key map.
    if (!KxPosConfig::IsNumber(ui->txtcode->text().trimmed()))
        return false;
    if (event->key() == Qt::Key_Asterisk || event->key() == Qt::Key_multiply || event->text() == QLatin1String("*"))
        return true;
    // The letter x, as in "3 x product", where codes hold no letters.
    const bool lettersAllowed = charInputOnce || charInputMode || screenType == 2;
    return !lettersAllowed && event->key() == Qt::Key_X
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

int TradeWidget::IsLastRowOver()
{
    const int rows = SaleRowCount();
    if (rows == 0)
        return 1;
    const bool placeholder = SaleCell(rows - 1, 1) == QLatin1String("0");
    const bool zeroQuantity = qAbs(SaleCell(rows - 1, 4).toDouble()) < 1e-9;
    if (!placeholder && !zeroQuantity)
        return 1;
    if (placeholder && zeroQuantity)
        return 2;
    return 0;
}

void TradeWidget::on_btnUpdNum_released()
{
    const QString text = ui->txtcode->text().trimmed();
    const double value = text.toDouble();
    if (text.isEmpty() || value == 0.0) {
        ShowNotice(1903);
        return;
    }
    const int lastState = IsLastRowOver();
    if (lastState == 0) {
        ShowNotice(1904);
        return;
    }
    if (czFunction) {
        ShowNotice(2372);
        return;
    }
    if (value > MaxQuantity) {
        ShowNotice(604);
        UiTool::EmptyLine(ui->txtcode);
        return;
    }
    amountTyped = true;
    const QString quantity = QString::number(value, 'g', 6);
    if (lastState == 1) {
        saleTable.InsertRow(placeholderRow(quantity, QStringLiteral("0")));
    } else {
        const int last = SaleRowCount() - 1;
        const QString carried = SaleCell(last, 7);
        saleTable.RemoveRow(last);
        saleTable.InsertRow(placeholderRow(quantity, carried));
        SlotSetrowHeight();
    }
    UiTool::EmptyLine(ui->txtcode);
}
