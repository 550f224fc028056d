#include "trade/TradeFunctionKey_p.h"

#include "contracts/KxPosCom.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
const char* const StateProperty = "showType";
}

TradeFunctionKey::TradeFunctionKey(QWidget* parent)
    : QPushButton(parent)
{
}

QSize TradeFunctionKey::sizeHint() const
{
    if (!m_hint.isValid()) {
        ensurePolished();
        // What a push button asks for when it has no caption: room for four
        // letters on one line, and the style's frame and padding around it.
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        const QSize contents = fontMetrics().size(Qt::TextShowMnemonic, QStringLiteral("XXXX"));
        option.rect.setSize(contents);
        m_hint = style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, this);
    }
    return m_hint;
}

QSize TradeFunctionKey::minimumSizeHint() const
{
    return sizeHint();
}

bool TradeFunctionKey::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DynamicPropertyChange:
        if (static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == StateProperty) {
            m_state = property(StateProperty).toString();
            m_hint = QSize(); // the style sheet may pad each state its own way
        }
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::Polish:
        m_hint = QSize();
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

QString FunctionCaptionWrapper::wrapped(const QString& caption, const QFont& font, int width)
{
    if (width <= 0 || caption.isEmpty())
        return caption;
    // Fonts are compared as a whole (their key text costs more to build than
    // a caption costs to look up).
    int at = 0;
    while (at < m_widths.size() && (m_widths.at(at).width != width || m_widths.at(at).font != font))
        ++at;
    if (at == m_widths.size()) {
        if (m_widths.size() >= WidthLimit)
            m_widths.removeLast();
        m_widths.prepend(Width{font, width, {}});
        at = 0;
    } else if (at > 0) {
        m_widths.move(at, 0);
        at = 0;
    }
    QHash<QString, QString>& known = m_widths[0].wrapped;
    const auto found = known.constFind(caption);
    if (found != known.constEnd())
        return found.value();
    QString text = caption;
    KxPosCom::AutoWrap(text, font, width);
    if (known.size() >= CaptionLimit)
        known.clear();
    known.insert(caption, text);
    return text;
}
