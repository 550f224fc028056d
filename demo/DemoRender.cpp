#include "DemoRender.h"

#include "contracts/KxPosConfig.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace DemoRender {

namespace {
// A render waits this long first: the screens refocus 500 ms after an action.
constexpr int SettleMs = 600;

// The desktop of a till where no window covers it.
const QColor DesktopColour(0x2F, 0x3A, 0x45);

bool isEnglish(const QString& language)
{
    return language.startsWith(QLatin1String("en"));
}
} // namespace

void Settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(const QPixmap& pixmap, const QString& path)
{
    if (!pixmap.save(path)) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("  %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return true;
}

QString Variant(const QSize& size, const QString& language)
{
    const QString base = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    return isEnglish(language) ? base + QStringLiteral("-en") : base;
}

Display::Display(const QString& dir, const QSize& size)
    : m_dir(dir)
    , m_variant(Variant(size, KxPosConfig::sLanguage))
    , m_rect(QPoint(0, 0), size)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry().size() == size) {
        m_rect = screen->geometry();
        m_isScreen = true;
    }
    if (!dir.isEmpty())
        QDir().mkpath(dir);
}

QString Display::Path(const QString& screen) const
{
    return QDir(m_dir).filePath(screen + QLatin1Char('-') + m_variant + QStringLiteral(".png"));
}

QPixmap Display::Grab(const QList<QWidget*>& onTop) const
{
    // What the window system still has to tell first: windows mapped, focus
    // and activation given (on a real X server both take a round trip each,
    // and an active window draws its focus frame and caret).
    for (int trip = 0; trip < 3; ++trip)
        QGuiApplication::sync();
    QList<QWidget*> windows;
    if (m_desktop && m_desktop->isVisible())
        windows << m_desktop;
    // Every other shown window, in the order their native windows were made
    // (a stable order: Qt keeps no stacking order of its own): what the
    // display shows is not up to the render.
    for (QWindow* handle : QGuiApplication::topLevelWindows()) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowHandle() == handle && w->isVisible() && w->windowType() != Qt::Desktop && w != m_desktop
                && !onTop.contains(w))
                windows << w;
        }
    }
    for (QWidget* w : onTop) {
        if (w && w->isVisible() && !windows.contains(w->window()))
            windows << w->window();
    }

    QPixmap shot(m_rect.size());
    shot.fill(DesktopColour);
    QPainter painter(&shot);
    // At the window's outer corner: a till has no window manager and so no
    // frames (the offscreen platform makes up a frame of 2 pixels).
    for (QWidget* w : qAsConst(windows))
        painter.drawPixmap(w->frameGeometry().topLeft() - m_rect.topLeft(), w->grab());
    return shot;
}

bool Display::Save(const QString& screen, const QList<QWidget*>& onTop)
{
    // Whatever the steps before started has happened: the screens' delayed
    // refocus (500 ms) above all, which activates a window.
    Settle(SettleMs);
    const bool written = DemoRender::Save(Grab(onTop), Path(screen));
    m_ok &= written;
    return written;
}

} // namespace DemoRender
