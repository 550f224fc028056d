#include "Screenshots.h"

#include "DemoHost.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace {
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(const QPixmap& pixmap, const QString& path)
{
    if (!pixmap.save(path)) {
        std::fprintf(stderr, "Could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("  %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return true;
}

// The screen with its floating docks painted where they float.
QPixmap grabWithDocks(TradeWidget* screen)
{
    QPixmap shot = screen->grab();
    QPainter painter(&shot);
    for (QDockWidget* dock : screen->findChildren<QDockWidget*>()) {
        if (dock->isVisible())
            painter.drawPixmap(screen->mapFromGlobal(dock->mapToGlobal(QPoint(0, 0))), dock->grab());
    }
    return shot;
}
} // namespace

bool RenderScreenshots(const QString& dir, const QList<QSize>& sizes)
{
    QDir().mkpath(dir);
    std::printf("Screenshots in %s:\n", qPrintable(QDir::toNativeSeparators(QDir(dir).absolutePath())));
    bool ok = true;
    for (const QSize& size : sizes) {
        KxPosConfig::SetAppSize(size.width(), size.height());
        UiTool::ApplyStyleSheet(qApp);
        const QString suffix = QStringLiteral("%1x%2.png").arg(size.width()).arg(size.height());

        DemoHost host;
        TradeWidget* screen = host.Screen();
        screen->setFixedSize(size);
        host.Show();
        settle(400); // the screen clears the previous sale 200 ms after showing

        ok &= save(screen->grab(), QDir(dir).filePath(QStringLiteral("sales-empty-") + suffix));

        host.Scale().PlaceItem(0.862);
        settle(800);
        for (const QString& code : {QStringLiteral("6901234567892"), QStringLiteral("6920202888883"),
                                    QStringLiteral("6920202888883"), QStringLiteral("1001"),
                                    QStringLiteral("6903148042441")})
            host.Scan(code);
        QMetaObject::invokeMethod(screen, "SlotTrdSetMemberInfo",
                                  Q_ARG(KxPosVipDetail*, const_cast<KxPosVipDetail*>(&host.Member())));
        settle(300);
        ok &= save(screen->grab(), QDir(dir).filePath(QStringLiteral("sales-") + suffix));

        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        settle(200);
        ok &= save(grabWithDocks(screen), QDir(dir).filePath(QStringLiteral("functions-") + suffix));
        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");

        ok &= host.Deposits().SaveScreenshots(dir, suffix);
        ok &= DemoCoupons::RenderScreenshots(dir, size);
        screen->close();
    }
    return ok;
}
