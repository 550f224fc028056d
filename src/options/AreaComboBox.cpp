#include "options/AreaComboBox_p.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>

AreaComboBox::AreaComboBox(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentTextChanged, this, &AreaComboBox::updateToolTip);
}

QString AreaComboBox::wholeText() const
{
    return currentIndex() < 0 ? placeholderText() : currentText();
}

QString AreaComboBox::shownText() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().elidedText(wholeText(), Qt::ElideRight, field.width());
}

void AreaComboBox::showPopup()
{
    // The list is at least as wide as its longest name.
    QAbstractItemView* list = view();
    const int scrollBar = list->verticalScrollBar() ? list->verticalScrollBar()->sizeHint().width() : 0;
    list->setMinimumWidth(list->sizeHintForColumn(0) + scrollBar + 2 * list->frameWidth());
    QComboBox::showPopup();
}

void AreaComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0 && !placeholderText().isEmpty())
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
    option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void AreaComboBox::resizeEvent(QResizeEvent* event)
{
    QComboBox::resizeEvent(event);
    updateToolTip();
}

void AreaComboBox::updateToolTip()
{
    const QString whole = wholeText();
    setToolTip(shownText() == whole ? QString() : whole);
}
