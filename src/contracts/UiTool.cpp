#include "contracts/UiTool.h"
#include "contracts/TextBreaks_p.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStyledItemDelegate>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QTextBoundaryFinder>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

struct DeferredUpdate {
    QPointer<QWidget> widget;
    QByteArray property;
    QVariant value;
};

QList<DeferredUpdate>& deferredUpdates()
{
    static QList<DeferredUpdate> list;
    return list;
}

void repolish(QWidget* widget)
{
    QStyle* style = widget->style();
    style->unpolish(widget);
    style->polish(widget);
    widget->update();
}

// Grapheme boundaries of `text` (so that surrogate pairs and combining marks
// are never split).
QVector<int> graphemeBounds(const QString& text)
{
    QVector<int> bounds;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (int pos = finder.toNextBoundary(); pos > 0; pos = finder.toNextBoundary())
        bounds.append(pos);
    return bounds;
}

// Breaks one paragraph (no line breaks inside) into lines that fit, stopping
// after `most` lines when `most` > 0 (a key showing two lines of a caption of
// thousands of characters measures two lines, not all of them).
QStringList feedParagraph(const QString& paragraph, int width, const QFontMetrics& metrics, int most = 0)
{
    QStringList lines;
    QVector<int> breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, paragraph);
    for (int pos = finder.toNextBoundary(); pos > 0; pos = finder.toNextBoundary())
        breaks.append(pos);

    int start = 0, next = 0; // `next`: the first break after `start`
    const int length = paragraph.size();
    while (start < length && (most <= 0 || lines.size() < most)) {
        // Furthest break opportunity whose line still fits; a blank there
        // is preferred to a break between two Chinese characters when the
        // line it ends is at least half full ("乐事薯片 / 原味", not
        // "乐事薯片 原 / 味").
        int end = -1, atBlank = -1, atBlankWidth = 0;
        while (next < breaks.size() && breaks.at(next) <= start)
            ++next;
        for (int b = next; b < breaks.size(); ++b) {
            const int pos = breaks.at(b);
            const int advance = metrics.horizontalAdvance(KxPosText::withoutTrailingBlanks(paragraph.mid(start, pos - start)));
            if (advance > width)
                break;
            end = pos;
            if (paragraph.at(pos - 1).isSpace()) {
                atBlank = pos;
                atBlankWidth = advance;
            }
        }
        if (atBlank > 0 && end < length && atBlankWidth * 2 >= width)
            end = atBlank;
        if (end < 0) {
            // No break fits: cut the first word between characters, moving
            // the cut earlier rather than start a line with a closing mark
            // or end one with an opening mark.
            const QString rest = paragraph.mid(start);
            const QVector<int> bounds = graphemeBounds(rest);
            int last = 0; // the last character that fits (at least one)
            while (last + 1 < bounds.size() && metrics.horizontalAdvance(rest.left(bounds.at(last + 1))) <= width)
                ++last;
            const auto character = [&](int i) {
                const int from = i > 0 ? bounds.at(i - 1) : 0;
                return rest.mid(from, bounds.at(i) - from);
            };
            int cut = last;
            while (cut > 0 && cut + 1 < bounds.size() && !KxPosText::mayBreakBetween(character(cut), character(cut + 1)))
                --cut;
            if (cut == 0 && last + 1 < bounds.size() && !KxPosText::mayBreakBetween(character(0), character(1)))
                cut = last; // no good place on the line: cut where it is full
            end = start + (bounds.isEmpty() ? rest.size() : bounds.at(cut));
        }
        lines.append(KxPosText::withoutTrailingBlanks(paragraph.mid(start, end - start)));
        start = end;
        while (start < length && paragraph.at(start) == QLatin1Char(' '))
            ++start;
    }
    if (lines.isEmpty())
        lines.append(QString());
    return lines;
}

QString lookUpVariable(const QString& name, bool* found)
{
    const auto& map = KxPosConfig::styleMap;
    auto it = map.constFind(name);
    if (it == map.constEnd())
        it = map.constFind(name.mid(1)); // tolerate keys stored without "$"
    *found = it != map.constEnd();
    return *found ? it.value() : QString();
}

} // namespace

void UiTool::UpdateWidgetStyle(QWidget* widget, const char* property, const QVariant& value)
{
    if (!widget || !property)
        return;
    widget->setProperty(property, value);
    repolish(widget);
}

void UiTool::UpdateWidgetStyleDeferred(QWidget* widget, const char* property, const QVariant& value)
{
    if (!widget || !property)
        return;
    auto& list = deferredUpdates();
    const QByteArray name(property);
    for (DeferredUpdate& update : list) {
        if (update.widget == widget && update.property == name) {
            update.value = value;
            return;
        }
    }
    list.append({QPointer<QWidget>(widget), name, value});
}

void UiTool::FlushDeferredStyleUpdates()
{
    // Take the list first: polishing may run code that queues new updates.
    const QList<DeferredUpdate> updates = std::move(deferredUpdates());
    deferredUpdates().clear();
    QList<QWidget*> touched;
    for (const DeferredUpdate& update : updates) {
        QWidget* widget = update.widget.data();
        if (!widget)
            continue; // destroyed since it was queued
        widget->setProperty(update.property.constData(), update.value);
        if (!touched.contains(widget))
            touched.append(widget);
    }
    for (const DeferredUpdate& update : updates) {
        // Re-check: a re-polish can delete another widget of the batch.
        QWidget* widget = update.widget.data();
        if (widget && touched.removeOne(widget))
            repolish(widget);
    }
}

int UiTool::PendingStyleUpdates()
{
    return deferredUpdates().size();
}

namespace {
// The lines of GetFeedText, at most `most` of them when `most` > 0.
QStringList feedLines(const QString& text, int width, const QFontMetrics& metrics, int most)
{
    if (width <= 0 || text.isEmpty())
        return text.split(QLatin1Char('\n'));
    QStringList lines;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        if (most > 0 && lines.size() >= most)
            break;
        lines += feedParagraph(QString(paragraph).remove(QLatin1Char('\r')), width, metrics,
                               most > 0 ? most - lines.size() : 0);
    }
    return lines;
}
} // namespace

QString UiTool::GetFeedText(const QString& text, int width, const QFontMetrics& metrics)
{
    if (width <= 0 || text.isEmpty())
        return text;
    return feedLines(text, width, metrics, 0).join(QLatin1Char('\n'));
}

QString UiTool::GetFeedElidedText(const QString& text, int width, int lines,
                                  const QFontMetrics& metrics)
{
    if (lines <= 0)
        return QString();
    // One line more than fits tells whether the text was cut.
    QStringList all = feedLines(text, width, metrics, lines + 1);
    if (all.size() <= lines)
        return all.join(QLatin1Char('\n'));
    all = all.mid(0, lines);
    const QString ellipsis(QChar(0x2026));
    QString last = all.last();
    const QVector<int> bounds = graphemeBounds(last);
    int keep = bounds.size();
    while (keep > 0 && metrics.horizontalAdvance(KxPosText::withoutTrailingBlanks(last.left(bounds.at(keep - 1))) + ellipsis) > width)
        --keep;
    last = keep > 0 ? KxPosText::withoutTrailingBlanks(last.left(bounds.at(keep - 1))) : QString();
    all.last() = last + ellipsis;
    return all.join(QLatin1Char('\n'));
}

QString UiTool::ApplyStyleVariables(const QString& sheet, QStringList* unknown)
{
    static const QRegularExpression variable(QStringLiteral("\\$[A-Za-z_][A-Za-z0-9_]*"));
    QString result;
    result.reserve(sheet.size());
    int last = 0;
    auto it = variable.globalMatch(sheet);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result.append(sheet.constData() + last, int(match.capturedStart()) - last);
        last = match.capturedEnd();
        const QString name = match.captured();
        bool found = false;
        QString value = lookUpVariable(name, &found);
        if (found) {
            result += value;
            continue;
        }
        // "$size2px" style: the longest known variable at the start wins.
        int length = name.size() - 1;
        for (; length >= 2 && !found; --length)
            value = lookUpVariable(name.left(length), &found);
        if (found) {
            result += value + name.mid(length + 1);
            continue;
        }
        result += name;
        if (unknown && !unknown->contains(name))
            unknown->append(name);
    }
    result.append(sheet.constData() + last, sheet.size() - last);
    return result;
}

QString UiTool::LoadStyleSheet()
{
    // The shared sheet first, then each screen's own sheet in name order.
    const QDir folder(QStringLiteral(":/KxPos/style"));
    QStringList names = folder.entryList({QStringLiteral("*.qss")}, QDir::Files, QDir::Name);
    if (!names.removeOne(QStringLiteral("kxpos.qss"))) {
        qDebug() << "UiTool::LoadStyleSheet: style sheet not found:" << folder.filePath(QStringLiteral("kxpos.qss"));
        return QString();
    }
    names.prepend(QStringLiteral("kxpos.qss"));
    QString raw;
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            raw += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
    }
    QStringList unknown;
    const QString sheet = ApplyStyleVariables(raw, &unknown);
    if (!unknown.isEmpty())
        qDebug() << "UiTool::LoadStyleSheet: style variables without a value:" << unknown;
    return sheet;
}

void UiTool::ApplyStyleSheet(QApplication* app)
{
    if (!app)
        app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app)
        app->setStyleSheet(LoadStyleSheet());
}

bool UiTool::IsNonInteractive()
{
    if (qEnvironmentVariable("KXPOS_NONINTERACTIVE") == QLatin1String("1"))
        return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QString UiTool::TranslateOr(int id, const QString& fallback)
{
    const QString text = KxPosTranslator::GetTranslation(id);
    // The translator marks a number it does not know with the number itself.
    if (text.isEmpty() || text.contains(QString::number(id)))
        return fallback;
    return text;
}

namespace {
// A tap beside the open suggestions closes them and still reaches the widget
// tapped: a cashier typing a code on the on-screen pad goes on typing while
// suggestions show, instead of losing every tap that closes them. Installed
// after the completer's own filter, so it sees the press first; the popup
// replays nothing itself (WA_NoMouseReplay), so a tap arrives once.
// The widget at a global point below `popup`. Platforms that keep no
// window stack (offscreen) answer widgetAt() with nothing: the active
// window, else any shown window there, is then asked.
QWidget* widgetUnder(const QPoint& global, const QWidget* popup)
{
    if (QWidget* widget = QApplication::widgetAt(global))
        return widget;
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == popup || !top->isVisible() || top->windowType() == Qt::Popup
            || !top->frameGeometry().contains(global))
            continue;
        if (!window || top == QApplication::activeWindow())
            window = top;
    }
    if (!window)
        return nullptr;
    QWidget* child = window->childAt(window->mapFromGlobal(global));
    return child ? child : window;
}

class TapThroughPopup : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        auto* popup = qobject_cast<QWidget*>(watched);
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!popup || popup->rect().contains(press->pos()))
            return false;
        const QPoint global = press->globalPos();
        popup->hide();
        QWidget* target = widgetUnder(global, popup);
        if (target && target != popup && !popup->isAncestorOf(target) && target->isEnabled()) {
            QMouseEvent replay(QEvent::MouseButtonPress, target->mapFromGlobal(global), global, press->button(),
                               press->buttons(), press->modifiers());
            QApplication::sendEvent(target, &replay);
        }
        return true;
    }
};

// The filter is the popup's child: a popup that has one taps through already.
bool hasTapThrough(const QWidget* popup)
{
    const QObjectList& children = popup->children();
    return std::any_of(children.cbegin(), children.cend(),
                       [](const QObject* child) { return dynamic_cast<const TapThroughPopup*>(child); });
}
} // namespace

void UiTool::StyleSuggestionPopup(QAbstractItemView* popup)
{
    if (!popup)
        return;
    if (!hasTapThrough(popup)) {
        popup->setAttribute(Qt::WA_NoMouseReplay);
        popup->installEventFilter(new TapThroughPopup(popup));
    }
    popup->setObjectName(QStringLiteral("mycompleter"));
    if (!qobject_cast<QStyledItemDelegate*>(popup->itemDelegate()))
        popup->setItemDelegate(new QStyledItemDelegate(popup));
}

void UiTool::EmptyLine(QLineEdit* line)
{
    // setText() starts a new history; an empty line stays empty without a
    // textChanged signal, as clear() would behave.
    if (line && (!line->text().isEmpty() || line->isUndoAvailable() || line->isRedoAvailable()))
        line->setText(QString());
}
