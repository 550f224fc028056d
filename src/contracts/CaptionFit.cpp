#include "contracts/CaptionFit.h"

#include "contracts/UiTool.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

namespace {
// Dynamic properties on the button: the caption its owner set and the text
// last shown for it. A text that differs from the last one shown was set by
// the owner since and is the new caption.
const char* const CaptionProperty = "caption";
const char* const ShownProperty = "captionShown";
const char* const NamedProperty = "captionNamed";
const char* const FitKeyProperty = "captionFitKey";
// Air between a caption and its key's padding, on each side.
constexpr int SideRoom = 1;

// What the key's frame and padding (of the style sheet, where one applies)
// take from its width: the style's size for a wide probe of contents, less
// the probe.
int boxWidth(const QAbstractButton* button)
{
    constexpr int Probe = 1000;
    QStyle* style = button->style();
    if (auto* tool = qobject_cast<const QToolButton*>(button)) {
        QStyleOptionToolButton option;
        option.initFrom(tool);
        option.toolButtonStyle = Qt::ToolButtonTextOnly;
        option.features = QStyleOptionToolButton::None;
        return style->sizeFromContents(QStyle::CT_ToolButton, &option, QSize(Probe, 10), tool).width() - Probe;
    }
    QStyleOptionButton option;
    option.initFrom(button);
    return style->sizeFromContents(QStyle::CT_PushButton, &option, QSize(Probe, 10), button).width() - Probe;
}

class Watcher : public QObject
{
public:
    using QObject::QObject;

    static Watcher* instance()
    {
        static Watcher* watcher = new Watcher;
        return watcher;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::Polish:
        case QEvent::Show:
            if (auto* button = qobject_cast<QAbstractButton*>(watched))
                CaptionFit::Refit(button);
            break;
        case QEvent::Paint:
            // The owner set a new caption since the last fit.
            if (auto* button = qobject_cast<QAbstractButton*>(watched);
                button && button->text() != button->property(ShownProperty).toString())
                CaptionFit::Refit(button);
            break;
        default:
            break;
        }
        return false;
    }
};

QString flat(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}
} // namespace

void CaptionFit::Watch(QAbstractButton* button)
{
    if (!button || button->property("captionFitWatched").toBool())
        return;
    button->setProperty("captionFitWatched", true);
    button->installEventFilter(Watcher::instance());
    Refit(button);
}

void CaptionFit::WatchAll(QWidget* root)
{
    if (!root)
        return;
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        Watch(button);
}

QString CaptionFit::Caption(const QAbstractButton* button)
{
    if (!button)
        return QString();
    if (button->text() != button->property(ShownProperty).toString())
        return button->text();
    return button->property(CaptionProperty).toString();
}

void CaptionFit::SetCaption(QAbstractButton* button, const QString& caption)
{
    if (!button)
        return;
    button->setProperty(CaptionProperty, caption);
    button->setProperty(ShownProperty, QString());
    button->setText(caption);
    button->setProperty(CaptionProperty, caption);
    Refit(button);
}

void CaptionFit::Refit(QAbstractButton* button)
{
    if (!button)
        return;
    const QString caption = Caption(button);
    // Polish, show and style events come often and mostly change nothing
    // that the fit depends on: the same caption, size, font and style state
    // keep the text already shown.
    const QString fitKey = QStringLiteral("%1x%2|%3|%4|%5")
                               .arg(button->width())
                               .arg(button->height())
                               .arg(button->font().key(), button->property("showType").toString(), caption);
    if (button->property(FitKeyProperty).toString() == fitKey && button->text() == button->property(ShownProperty).toString())
        return;
    button->setProperty(FitKeyProperty, fitKey);
    button->setProperty(CaptionProperty, caption);
    int width = button->width() - qMax(0, boxWidth(button)) - 2 * SideRoom;
    auto* tool = qobject_cast<QToolButton*>(button);
    if (tool && tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !tool->icon().isNull())
        width -= tool->iconSize().width() + SideRoom;
    const QFontMetrics metrics = button->fontMetrics();
    QString shown = caption;
    // A key not laid out yet keeps its caption as it is.
    if (!caption.isEmpty() && width > 0 && button->height() > 0) {
        const int lines = qMax(1, button->height() / qMax(1, metrics.lineSpacing()));
        shown = UiTool::GetFeedElidedText(caption, width, lines, metrics);
    }
    const bool elided = shown.endsWith(QChar(0x2026)) && !caption.endsWith(QChar(0x2026));
    if (elided) {
        button->setToolTip(flat(caption));
        if (button->accessibleName().isEmpty() || button->property(NamedProperty).toBool()) {
            button->setAccessibleName(flat(caption));
            button->setProperty(NamedProperty, true);
        }
    } else if (button->property(NamedProperty).toBool()) {
        button->setToolTip(QString());
        button->setProperty(NamedProperty, false);
    }
    button->setProperty(ShownProperty, shown);
    if (button->text() != shown)
        button->setText(shown);
}
