#include "DemoRender.h"

#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace DemoRender {

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

QPixmap GrabWithFloating(QWidget* screen, const QList<QWidget*>& floating)
{
    QPixmap shot = screen->grab();
    QPainter painter(&shot);
    for (QWidget* w : floating) {
        if (w && w->isVisible())
            painter.drawPixmap(screen->mapFromGlobal(w->mapToGlobal(QPoint(0, 0))), w->grab());
    }
    return shot;
}

} // namespace DemoRender
