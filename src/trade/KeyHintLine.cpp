#include "trade/KeyHintLine_p.h"

#include <QEvent>
#include <QFontMetrics>
#include <QRegularExpression>

namespace {
const QString Separator = QStringLiteral("  ");

int textWidth(const QFontMetrics& metrics, const QString& text)
{
    return metrics.horizontalAdvance(text);
}
} // namespace

KeyHintLine::KeyHintLine(QWidget* parent)
    : QLabel(parent)
{
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void KeyHintLine::SetHints(const QString& text)
{
    m_hints = text.split(QRegularExpression(QStringLiteral("\\s{2,}|\\n")), Qt::SkipEmptyParts);
    for (QString& hint : m_hints)
        hint = hint.trimmed();
    m_hints.removeAll(QString());
    setAccessibleName(m_hints.join(QLatin1Char(' ')));
    updateGeometry();
    relayout();
}

QStringList KeyHintLine::LinesFor(int width) const
{
    const QFontMetrics metrics = fontMetrics();
    QStringList lines;
    QString line;
    for (const QString& hint : m_hints) {
        const QString longer = line.isEmpty() ? hint : line + Separator + hint;
        if (line.isEmpty() || textWidth(metrics, longer) <= width) {
            line = longer;
            continue;
        }
        lines << line;
        line = hint;
    }
    if (!line.isEmpty())
        lines << line;
    // A hint alone wider than the label is shortened.
    for (QString& l : lines) {
        if (textWidth(metrics, l) > width)
            l = metrics.elidedText(l, Qt::ElideRight, qMax(0, width));
    }
    return lines;
}

QSize KeyHintLine::sizeHint() const
{
    // All hints on one line when there is room for it.
    const QMargins m = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    return QSize(textWidth(metrics, m_hints.join(Separator)) + m.left() + m.right() + 2 * margin(),
                 metrics.height() + m.top() + m.bottom() + 2 * margin());
}

QSize KeyHintLine::minimumSizeHint() const
{
    // Never narrower than the widest hint: hints stay whole.
    const QMargins m = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString& hint : m_hints)
        widest = qMax(widest, textWidth(metrics, hint));
    return QSize(widest + m.left() + m.right() + 2 * margin(), metrics.height() + m.top() + m.bottom() + 2 * margin());
}

bool KeyHintLine::hasHeightForWidth() const
{
    return true;
}

int KeyHintLine::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    const int inner = width - m.left() - m.right() - 2 * margin();
    const int lines = qMax(1, LinesFor(inner).size());
    const QFontMetrics metrics = fontMetrics();
    return lines * metrics.lineSpacing() - metrics.leading() + m.top() + m.bottom() + 2 * margin();
}

void KeyHintLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    relayout();
}

void KeyHintLine::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        relayout();
    }
}

void KeyHintLine::relayout()
{
    const QStringList lines = LinesFor(contentsRect().width() - 2 * margin());
    const QString shown = lines.join(QLatin1Char('\n'));
    bool elided = false;
    for (const QString& line : lines)
        elided = elided || line.endsWith(QChar(0x2026));
    setToolTip(elided ? m_hints.join(Separator) : QString());
    if (shown != text())
        setText(shown);
}
