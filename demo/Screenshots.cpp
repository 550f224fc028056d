#include "Screenshots.h"

#include "DemoHost.h"
#include "DemoMemberLogin.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
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

// The screen with the windows that float over it (docks, dialogs) painted
// where they float.
QPixmap grabWithFloating(QWidget* screen, const QList<QWidget*>& floating)
{
    QPixmap shot = screen->grab();
    QPainter painter(&shot);
    for (QWidget* w : floating) {
        if (w && w->isVisible())
            painter.drawPixmap(screen->mapFromGlobal(w->mapToGlobal(QPoint(0, 0))), w->grab());
    }
    return shot;
}

QList<QWidget*> docksOf(QWidget* screen)
{
    QList<QWidget*> docks;
    for (QDockWidget* dock : screen->findChildren<QDockWidget*>())
        docks << dock;
    return docks;
}

// A sale typed key by key: two packaged products, a weighed one at a stable
// weight, a quantity raised on one line and a line removed.
void typeSampleSale(DemoHost& host)
{
    host.Scale().PlaceItem(0.862);
    settle(900); // the simulated scale settles after a few readings
    host.Scan(QStringLiteral("6901234567892"));
    host.Scan(QStringLiteral("6920202888883"));
    host.Scan(QStringLiteral("6902083881405"));
    host.Scan(QStringLiteral("1001"));
    host.Screen()->ScrollSpecifyRow(1);
    host.PressKey(Qt::Key_Plus, QStringLiteral("+"));
    host.Screen()->ScrollSpecifyRow(2);
    host.PressKey(Qt::Key_Delete);
    host.Scan(QStringLiteral("6903148042441"));
    settle(100);
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
        const auto file = [&dir, &suffix](const char* name) {
            return QDir(dir).filePath(QLatin1String(name) + QLatin1Char('-') + suffix);
        };

        DemoHost host;
        TradeWidget* screen = host.Screen();
        screen->setFixedSize(size);
        host.Show();
        settle(400); // the screen clears the previous sale 200 ms after showing
        ok &= save(screen->grab(), file("sales-empty"));

        // Member log-in box, then the member on the sale.
        host.PressKey(Qt::Key_F2);
        settle(50);
        host.MemberLogin()->CodeLine()->setText(QStringLiteral("13812345678"));
        ok &= save(grabWithFloating(screen, {host.MemberLogin()}), file("member-login"));
        emit host.MemberLogin()->CodeLine()->returnPressed();
        typeSampleSale(host);
        ok &= save(screen->grab(), file("sales"));

        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        settle(100);
        ok &= save(grabWithFloating(screen, docksOf(screen)), file("functions"));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        settle(50);
        ok &= save(grabWithFloating(screen, docksOf(screen)), file("functions-edit"));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");

        host.Orders().Open();
        settle(200);
        ok &= save(screen->grab(), file("orders"));
        host.Orders().Close();
        settle(50);

        ok &= host.Deposits().SaveScreenshots(dir, suffix);
        ok &= DemoCoupons::RenderScreenshots(dir, size);
        ok &= DemoOptions::RenderScreenshots(dir, size);
        screen->close();
    }
    return ok;
}
