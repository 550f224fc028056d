#include "Screenshots.h"

#include "DemoClock.h"
#include "DemoHost.h"
#include "DemoMemberLogin.h"
#include "DemoRender.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QEventLoop>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {
// The sales screen puts the focus back on its code box 500 ms after an
// action; its renders wait until that has happened.
constexpr int FocusSettleMs = 600;

using DemoRender::GrabWithFloating;
using DemoRender::Save;
using DemoRender::Settle;

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
    // The simulated scale settles after a few readings; a busy machine may
    // take longer than their interval.
    for (int waited = 0; !host.Scale().IsStable() && waited < 5000; waited += 50)
        Settle(50);
    host.Scan(QStringLiteral("6901234567892"));
    host.Scan(QStringLiteral("6920202888883"));
    host.Scan(QStringLiteral("6902083881405"));
    host.Scan(QStringLiteral("1001"));
    host.Screen()->ScrollSpecifyRow(1);
    host.PressKey(Qt::Key_Plus, QStringLiteral("+"));
    host.Screen()->ScrollSpecifyRow(2);
    host.PressKey(Qt::Key_Delete);
    host.Scan(QStringLiteral("6903148042441"));
    Settle(100);
}

// Pins the demo's clock and random source and the caret while rendering.
class PinnedClock
{
public:
    explicit PinnedClock(const QDateTime& moment)
        : m_flashTime(QApplication::cursorFlashTime())
    {
        DemoClock::Pin(moment);
        QApplication::setCursorFlashTime(0); // a caret that is always drawn
    }
    ~PinnedClock()
    {
        DemoClock::Unpin();
        QApplication::setCursorFlashTime(m_flashTime);
    }
    PinnedClock(const PinnedClock&) = delete;
    PinnedClock& operator=(const PinnedClock&) = delete;

private:
    int m_flashTime;
};
} // namespace

QDateTime ScreenshotClock()
{
    const QString requested = qEnvironmentVariable("KXPOS_SCREENSHOT_CLOCK");
    const QDateTime parsed = QDateTime::fromString(requested, Qt::ISODate);
    if (!requested.isEmpty() && !parsed.isValid())
        std::fprintf(stderr, "KXPOS_SCREENSHOT_CLOCK '%s' is not yyyy-MM-ddThh:mm:ss, using the default\n",
                     qPrintable(requested));
    return parsed.isValid() ? parsed : QDateTime(QDate(2024, 6, 18), QTime(9, 30, 0));
}

void SeedDemoConfig(const QString& dir)
{
    Q_INIT_RESOURCE(demo);
    QDir().mkpath(dir);
    for (const QString& name : {QStringLiteral("config.ini"), QStringLiteral("configExt.ini")}) {
        const QString target = QDir(dir).filePath(name);
        if (!QFile::exists(target)) {
            QFile::copy(QStringLiteral(":/demo/") + name, target);
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        }
    }
}

void ApplyDemoStore()
{
    KxPosConfig::sOrgCode = QStringLiteral("0101");
    KxPosConfig::sOrgName = QStringLiteral("人民路店");
    KxPosConfig::sPosNo = QStringLiteral("03");
    KxPosConfig::sCshCode = QStringLiteral("1024");
    KxPosConfig::sCshName = QStringLiteral("刘洋");
    KxPosConfig::sOfficialFileVersion = QStringLiteral("1.0.0");
}

bool RenderScreenshots(const QString& dir, const QList<QSize>& sizes, const QDateTime& clock)
{
    const PinnedClock pinned(clock);
    ApplyDemoStore();
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
        Settle(FocusSettleMs); // the screen also clears the previous sale 200 ms after showing
        ok &= Save(screen->grab(), file("sales-empty"));

        // Member log-in box, then the member on the sale.
        host.PressKey(Qt::Key_F2);
        Settle(50);
        host.MemberLogin()->CodeLine()->setText(QStringLiteral("13812345678"));
        Settle(FocusSettleMs);
        ok &= Save(GrabWithFloating(screen, {host.MemberLogin()}), file("member-login"));
        emit host.MemberLogin()->CodeLine()->returnPressed();
        Settle(FocusSettleMs); // the code box has the focus again when the sale is typed
        typeSampleSale(host);
        Settle(FocusSettleMs);
        ok &= Save(screen->grab(), file("sales"));

        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        Settle(FocusSettleMs);
        ok &= Save(GrabWithFloating(screen, docksOf(screen)), file("functions"));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        Settle(FocusSettleMs);
        ok &= Save(GrabWithFloating(screen, docksOf(screen)), file("functions-edit"));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        screen->activateWindow(); // the floating keys had it
        Settle(FocusSettleMs);

        // The online-order function key, as the grid sends it.
        emit screen->SignTrdDynFunc(QStringLiteral("F015"));
        Settle(FocusSettleMs);
        ok &= Save(screen->grab(), file("orders"));
        host.Orders().Close();
        Settle(50);

        ok &= host.Deposits().SaveScreenshots(dir, suffix);
        ok &= DemoCoupons::RenderScreenshots(dir, size);
        ok &= DemoOptions::RenderScreenshots(dir, size);
        screen->close();
    }
    return ok;
}
