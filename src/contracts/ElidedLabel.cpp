#include "contracts/ElidedLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

ElidedLabel::ElidedLabel(QWidget* parent)
    : QLabel(parent)
{
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Room for a character and the ellipsis; the height of all lines.
    const QSize whole = QLabel::minimumSizeHint();
    const QMargins m = contentsMargins();
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("M…")) + m.left() + m.right() + 2 * margin();
    return QSize(qMin(whole.width(), width), whole.height());
}

QStringList ElidedLabel::shownLines() const
{
    const int width = contentsRect().width() - 2 * margin() - qMax(0, indent());
    QStringList lines = text().split(QLatin1Char('\n'));
    const QFontMetrics metrics = fontMetrics();
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, qMax(0, width));
    return lines;
}

bool ElidedLabel::IsElided() const
{
    if (textFormat() == Qt::RichText || wordWrap())
        return false;
    return shownLines() != text().split(QLatin1Char('\n'));
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    // A text set since the last paint may now fit, or no longer.
    updateToolTip();
    if (!IsElided()) {
        QLabel::paintEvent(event);
        return;
    }
    // The frame and background as QLabel draws them, then the shortened text.
    QPainter painter(this);
    drawFrame(&painter);
    QStyleOption option;
    option.initFrom(this);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), option.palette,
                          isEnabled(), shownLines().join(QLatin1Char('\n')), foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateToolTip();
}

bool ElidedLabel::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange
        || event->type() == QEvent::Polish || event->type() == QEvent::UpdateLater)
        updateToolTip();
    return handled;
}

void ElidedLabel::updateToolTip()
{
    // A tooltip of the host's own is left alone.
    if (IsElided()) {
        if (toolTip().isEmpty() || m_ownToolTip) {
            setToolTip(QString(text()).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            m_ownToolTip = true;
        }
    } else if (m_ownToolTip) {
        setToolTip(QString());
        m_ownToolTip = false;
    }
}
