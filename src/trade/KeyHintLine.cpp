#include "trade/KeyHintLine_p.h"

#include <QEvent>
#include <QFontMetrics>
#include <QRegularExpression>

namespace {
const QString Separator = QStringLiteral("  ");

// The hints on as few lines `width` pixels wide as they go, broken only
// between two hints; a hint alone wider than `width` is a line of its own,
// not yet shortened.
QStringList wholeLines(const QStringList& hints, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString line;
    for (const QString& hint : hints) {
        const QString longer = line.isEmpty() ? hint : line + Separator + hint;
        if (line.isEmpty() || metrics.horizontalAdvance(longer) <= width) {
            line = longer;
            continue;
        }
        lines << line;
        line = hint;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// The lines with each one wider than `width` shortened.
QStringList shortened(QStringList lines, const QFontMetrics& metrics, int width)
{
    for (QString& line : lines) {
        if (metrics.horizontalAdvance(line) > width)
            line = metrics.elidedText(line, Qt::ElideRight, qMax(0, width));
    }
    return lines;
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
    return shortened(wholeLines(m_hints, metrics, width), metrics, width);
}

QSize KeyHintLine::sizeHint() const
{
    // All hints on one line when there is room for it.
    const QMargins m = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    return QSize(metrics.horizontalAdvance(m_hints.join(Separator)) + m.left() + m.right() + 2 * margin(),
                 metrics.height() + m.top() + m.bottom() + 2 * margin());
}

QSize KeyHintLine::minimumSizeHint() const
{
    // Never narrower than the widest hint: hints stay whole.
    const QMargins m = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const QString& hint : m_hints)
        widest = qMax(widest, metrics.horizontalAdvance(hint));
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
    const int width = contentsRect().width() - 2 * margin();
    const QFontMetrics metrics = fontMetrics();
    const QStringList whole = wholeLines(m_hints, metrics, width);
    const QStringList lines = shortened(whole, metrics, width);
    const QString shown = lines.join(QLatin1Char('\n'));
    // Shortened lines differ from the whole ones (a hint of its own ending
    // in "…" is not a shortened one).
    setToolTip(lines != whole ? m_hints.join(Separator) : QString());
    if (shown != text())
        setText(shown);
}
