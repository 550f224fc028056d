#include "Screenshots.h"

#include "DemoClock.h"
#include "DemoHost.h"
#include "DemoMemberLogin.h"
#include "DemoOptions.h"
#include "DemoRender.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace {
// The sales screen puts the focus back on its code box 500 ms after an
// action; its renders wait until that has happened.
constexpr int FocusSettleMs = 600;

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
        // The screens size themselves from the application size.
        KxPosConfig::SetAppSize(size.width(), size.height());
        UiTool::ApplyStyleSheet(qApp);
        DemoRender::Display display(dir, size);
        if (!display.IsScreen())
            std::fprintf(stderr, "Note: the screen is not %dx%d; windows that place themselves on the screen stand "
                                 "elsewhere than on a till of that size (render on an X server of that size)\n",
                         size.width(), size.height());

        DemoHost host;
        TradeWidget* screen = host.Screen();
        display.SetDesktop(screen);
        host.Show();
        display.Save(QStringLiteral("sales-empty"));

        // Member log-in box, then the member on the sale.
        host.PressKey(Qt::Key_F2);
        Settle(50);
        host.MemberLogin()->CodeLine()->setText(QStringLiteral("13812345678"));
        display.Save(QStringLiteral("member-login"), {host.MemberLogin()});
        emit host.MemberLogin()->CodeLine()->returnPressed();
        Settle(FocusSettleMs); // the code box has the focus again when the sale is typed
        typeSampleSale(host);
        display.Save(QStringLiteral("sales"));

        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        display.Save(QStringLiteral("functions"), docksOf(screen));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        display.Save(QStringLiteral("functions-edit"), docksOf(screen));
        QMetaObject::invokeMethod(screen, "on_btnEditFun_clicked");
        QMetaObject::invokeMethod(screen, "on_toolButtonKeyMore_clicked");
        screen->activateWindow(); // the floating keys had it
        Settle(FocusSettleMs);

        // The preset keys on the sales screen, then off again.
        emit screen->SignTrdDynFunc(DemoOptions::FnPresetKeys);
        display.Save(QStringLiteral("presetkeys-shown"));
        emit screen->SignTrdDynFunc(DemoOptions::FnPresetKeys);
        Settle(FocusSettleMs);

        // The online-order function key, as the grid sends it: the orders
        // with the preset keys beside them; left with bill 01, the sale page
        // as it was before, without the preset keys the orders brought.
        emit screen->SignTrdDynFunc(QStringLiteral("F015"));
        display.Save(QStringLiteral("orders"));
        screen->findChild<QPushButton*>(QStringLiteral("btnBill01"))->click();
        display.Save(QStringLiteral("orders-closed"));

        // The other screens, each opened as the host opens it and closed
        // again; the cashier takes longer than the sales screen's refocus
        // between them.
        host.Deposits().SaveScreenshots(display);
        Settle(FocusSettleMs);
        host.Options().SaveScreenshots(display);
        Settle(FocusSettleMs);

        // The sale after the member logged out.
        host.PressKey(Qt::Key_F3);
        display.Save(QStringLiteral("sales-member-out"));

        // The coupon screens last: coupons used there change the sale.
        host.DeductCoupons().SaveScreenshots(display);
        Settle(FocusSettleMs);
        host.ExchangeCoupons().SaveScreenshots(display);
        screen->close();
        ok &= display.Ok();
    }
    return ok;
}
