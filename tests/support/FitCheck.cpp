#include "FitCheck.h"

#include <QAbstractButton>
#include <QDir>
#include <QRegularExpression>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QtMath>

#include <cstdio>

namespace KxPosTest {

namespace {
// What a border of a pixel on each side may take from a caption's room.
constexpr int BorderAllowance = 2;

bool isElided(const QString& text)
{
    return text.endsWith(QChar(0x2026)) || text.endsWith(QLatin1String("···")) || text.endsWith(QLatin1String("..."));
}

// The shown lines of a caption: mnemonic ampersands removed, one entry per line.
QStringList captionLines(QString text)
{
    text.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0xE000), QLatin1Char('&'));
    return text.split(QLatin1Char('\n'));
}

int widestLine(const QFontMetrics& fm, const QStringList& lines)
{
    int widest = 0;
    for (const QString& line : lines)
        widest = qMax(widest, fm.horizontalAdvance(line));
    return widest;
}

// Whether the widget sits in the scrolled contents of a scroll area or item
// view, where being partly outside is what scrolling is for.
bool inScrolledContents(const QWidget* w, const QWidget* window)
{
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()); area && area->viewport() == p)
            return true;
    }
    return false;
}

// Whether all of the widget is scrolled out of its ancestors' view: its text
// is then not shown, so it cannot be cut.
bool hiddenByScrolling(const QWidget* w, const QWidget* window)
{
    const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        const QRect parentRect(p->mapTo(window, QPoint(0, 0)), p->size());
        if (!parentRect.intersects(inWindow))
            return true;
    }
    return false;
}

// The width a button's caption has: inside the frame and padding the style
// (and its style sheet) draws around it.
int captionRoom(const QAbstractButton* button)
{
    if (auto* push = qobject_cast<const QPushButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(push);
        option.text = push->text();
        return push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push).width();
    }
    QStyleOptionToolButton option;
    option.initFrom(button);
    const int box = button->style()->sizeFromContents(QStyle::CT_ToolButton, &option, QSize(500, 10), button).width() - 500;
    return button->width() - qMax(0, box);
}

QString captionProblem(const QWidget* w)
{
    if (auto* check = qobject_cast<const QCheckBox*>(w); check || qobject_cast<const QRadioButton*>(w)) {
        auto* button = static_cast<const QAbstractButton*>(w);
        if (!button->text().isEmpty() && button->sizeHint().width() > w->width() + BorderAllowance)
            return QStringLiteral("caption \"%1\" needs %2 px, has %3").arg(button->text()).arg(button->sizeHint().width()).arg(w->width());
        return {};
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        const QString text = button->text();
        if (text.isEmpty())
            return {};
        int needed = widestLine(button->fontMetrics(), captionLines(text));
        auto* tool = qobject_cast<const QToolButton*>(w);
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !tool->icon().isNull())
            needed += tool->iconSize().width() + 4;
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return {};
        const int room = captionRoom(button);
        if (needed > room + BorderAllowance)
            return QStringLiteral("caption \"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(room);
        const int lineCount = captionLines(text).size();
        const int neededHeight = lineCount * button->fontMetrics().height();
        if (neededHeight > w->height() + BorderAllowance)
            return QStringLiteral("caption \"%1\" needs %2 px of height, has %3").arg(text).arg(neededHeight).arg(w->height());
        if (isElided(text) && button->toolTip().isEmpty())
            return QStringLiteral("caption \"%1\" is elided without a tooltip").arg(text);
        return {};
    }
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        const QString text = label->text();
        if (text.isEmpty() || !label->pixmap(Qt::ReturnByValue).isNull())
            return {};
        // A label that draws its text shortened on purpose carries the whole
        // text in its tooltip.
        if (label->inherits("ElidedLabel")) {
            const QString whole = QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
            if (label->property("elided").toBool() && label->toolTip() != whole)
                return QStringLiteral("text \"%1\" is elided without its tooltip").arg(text);
            return {};
        }
        const QRect room = label->contentsRect().adjusted(label->indent() > 0 ? label->indent() : 0, 0, 0, 0);
        const bool rich = label->textFormat() == Qt::RichText
                          || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height() + BorderAllowance)
                return QStringLiteral("wrapped text \"%1\" needs %2 px of height, has %3").arg(text).arg(needed).arg(label->height());
        } else if (rich) {
            QTextDocument doc;
            doc.setDefaultFont(label->font());
            doc.setDocumentMargin(0);
            doc.setHtml(text);
            const int needed = qCeil(doc.idealWidth());
            if (needed > room.width() + BorderAllowance)
                return QStringLiteral("text \"%1\" needs %2 px, has %3").arg(doc.toPlainText()).arg(needed).arg(room.width());
        } else {
            const int needed = widestLine(label->fontMetrics(), text.split(QLatin1Char('\n')));
            if (needed > room.width() + BorderAllowance)
                return QStringLiteral("text \"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(room.width());
            const int neededHeight = text.count(QLatin1Char('\n')) * label->fontMetrics().lineSpacing()
                                     + label->fontMetrics().height();
            if (neededHeight > room.height() + BorderAllowance)
                return QStringLiteral("text \"%1\" needs %2 px of height, has %3").arg(text).arg(neededHeight).arg(room.height());
        }
        if (isElided(text) && label->toolTip().isEmpty())
            return QStringLiteral("text \"%1\" is elided without a tooltip").arg(text);
        return {};
    }
    if (auto* header = qobject_cast<const QHeaderView*>(w); header && header->orientation() == Qt::Horizontal && header->model()) {
        for (int logical = 0; logical < header->count(); ++logical) {
            if (header->isSectionHidden(logical) || header->sectionSize(logical) <= 0)
                continue;
            const QString text = header->model()->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
            // A head may be broken into lines on purpose: its widest line counts.
            const int needed = widestLine(header->fontMetrics(), text.trimmed().split(QLatin1Char('\n')));
            if (needed > header->sectionSize(logical) + BorderAllowance)
                return QStringLiteral("column head \"%1\" needs %2 px, has %3").arg(text).arg(needed).arg(header->sectionSize(logical));
        }
    }
    return {};
}
} // namespace

QList<QSize> fitSizes()
{
    QList<QSize> sizes;
    const QString requested = qEnvironmentVariable("KXPOS_FIT_SIZES", QStringLiteral("800x600,1024x768,1920x1080"));
    for (const QString& part : requested.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList wh = part.split(QLatin1Char('x'));
        if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0)
            sizes << QSize(wh[0].toInt(), wh[1].toInt());
    }
    return sizes;
}

void sizeAndLanguageRows()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("language");
    for (const QSize& size : fitSizes()) {
        for (const QString& language : {QStringLiteral("zh_CN"), QStringLiteral("en")}) {
            const QByteArray name = QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(language).toUtf8();
            QTest::newRow(name.constData()) << size << language;
        }
    }
}

void saveFitShot(const QString& state)
{
    const QString folder = qEnvironmentVariable("KXPOS_FIT_SHOTS");
    QScreen* screen = QGuiApplication::primaryScreen();
    if (folder.isEmpty() || !screen)
        return;
    QString name = QStringLiteral("%1 %2 %3").arg(QLatin1String(QTest::currentTestFunction()),
                                                  QLatin1String(QTest::currentDataTag()), state);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]+")), QStringLiteral("-"));
    QDir().mkpath(folder);
    screen->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void verifyNoFitProblems(QStringList problems)
{
    problems.removeDuplicates();
    for (const QString& p : qAsConst(problems))
        std::fprintf(stderr, "  %s\n", qPrintable(p));
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 fit problems, listed above").arg(problems.size())));
}

QString widgetPath(const QWidget* widget)
{
    QStringList parts;
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            parts.prepend(name);
        else if (w == widget || w->isWindow())
            parts.prepend(QString::fromLatin1(w->metaObject()->className()));
    }
    return parts.join(QLatin1Char('/'));
}

QRect displayRect(const QSize& size)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().size() == size)
        return screen->geometry();
    return QRect(QPoint(0, 0), size);
}

QStringList fitProblems(const QWidget* window, const QRect& display)
{
    QStringList problems;
    if (!window || !window->isVisible())
        return problems;
    // The offscreen platform draws no frame but reports a made-up one.
    const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
    const QRect frame = offscreen ? QRect(window->frameGeometry().topLeft(), window->size()) : window->frameGeometry();
    if (!display.contains(frame))
        problems << QStringLiteral("%1: window %2,%3 %4x%5 is not on the display %6x%7")
                        .arg(widgetPath(window))
                        .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                        .arg(display.width()).arg(display.height());
    const QRect windowRect = window->rect();
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || w->window() != window || !w->isVisible())
            continue;
        const bool scrolled = inScrolledContents(w, window);
        if (!scrolled) {
            const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
            if (!windowRect.contains(inWindow)) {
                problems << QStringLiteral("%1: %2,%3 %4x%5 lies past the window's edge (%6x%7)")
                                .arg(widgetPath(w)).arg(inWindow.x()).arg(inWindow.y())
                                .arg(inWindow.width()).arg(inWindow.height())
                                .arg(windowRect.width()).arg(windowRect.height());
                continue;
            }
            if (w->parentWidget() && !w->parentWidget()->rect().contains(w->geometry())) {
                problems << QStringLiteral("%1: lies past its parent's edge").arg(widgetPath(w));
                continue;
            }
        } else if (hiddenByScrolling(w, window)) {
            continue;
        }
        const QString caption = captionProblem(w);
        if (!caption.isEmpty())
            problems << widgetPath(w) + QStringLiteral(": ") + caption;
    }
    return problems;
}

QStringList fitProblemsOfAllWindows(const QRect& display)
{
    QStringList problems;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->inherits("QTipLabel"))
            problems << fitProblems(w, display);
    }
    return problems;
}

} // namespace KxPosTest
