// kxpos-demo: a checkout simulator around the sales screen.
//
//   kxpos-demo [--size WxH] [--lang zh_CN|en] [--config DIR] [--quit-after MS]
//     (--quit-after: quits by itself after MS milliseconds, exit code 0 only
//      when the sales screen was showing then; for checks of an install)
//   kxpos-demo --screenshot DIR [--size WxH] [--lang zh_CN|en]
//     (the renders show the clock at KXPOS_SCREENSHOT_CLOCK, yyyy-MM-ddThh:mm:ss, else a fixed morning)

#include "DemoHost.h"
#include "Screenshots.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

namespace {
// The demo keeps its configuration in a folder of its own, seeded with the
// shipped samples the first time, so a cashier's changes survive restarts.
QString prepareConfigDir(const QString& requested)
{
    QString dir = requested;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        if (dir.isEmpty())
            dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kxpos-demo-config"));
    }
    SeedDemoConfig(dir);
    return dir;
}

QList<QSize> parseSizes(const QString& text)
{
    QList<QSize> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList wh = part.toLower().split(QLatin1Char('x'));
        if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0)
            sizes << QSize(wh[0].toInt(), wh[1].toInt());
    }
    return sizes;
}
} // namespace

int main(int argc, char* argv[])
{
    Q_INIT_RESOURCE(demo);
    // The screens scale their layout to the application size themselves; the
    // display's pixels stay the till's pixels.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
#else
    // Qt 6 always scales by the display's pixel ratio unless told otherwise
    // before the application exists.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kxpos-demo"));
    QApplication::setOrganizationName(QStringLiteral("KxPos"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Checkout simulator for the KxPosTradeUI screens."));
    parser.addHelpOption();
    QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Screen size WxH (800x600, 1024x768, 1920x1080)."),
                                  QStringLiteral("WxH"));
    QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language: zh_CN or en."), QStringLiteral("code"),
                                  QStringLiteral("zh_CN"));
    QCommandLineOption configOption(QStringLiteral("config"), QStringLiteral("Configuration folder."),
                                    QStringLiteral("dir"));
    QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                  QStringLiteral("Render the screens to PNG files in DIR and exit."), QStringLiteral("dir"));
    QCommandLineOption quitOption(QStringLiteral("quit-after"),
                                  QStringLiteral("Quit after MS milliseconds; exit code 0 only if the sales screen was showing."),
                                  QStringLiteral("ms"));
    parser.addOptions({sizeOption, langOption, configOption, shotOption, quitOption});
    parser.process(app);

    KxPosModel::RegisterMetaTypes();
    const bool screenshots = parser.isSet(shotOption);
    // Screenshots always start from the shipped samples.
    const QString configDir = screenshots ? QDir::temp().filePath(QStringLiteral("kxpos-demo-shots-config"))
                                          : prepareConfigDir(parser.value(configOption));
    if (screenshots) {
        QDir(configDir).removeRecursively();
        prepareConfigDir(configDir);
    }
    KxPosConfig::SetConfigDir(configDir);
    if (!KxPosTranslator::SetLanguage(parser.value(langOption)))
        std::fprintf(stderr, "Unknown language '%s', using zh_CN\n", qPrintable(parser.value(langOption)));

    ApplyDemoStore();

    QList<QSize> sizes = parseSizes(parser.value(sizeOption));
    if (screenshots) {
        if (sizes.isEmpty())
            sizes = {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)};
        return RenderScreenshots(parser.value(shotOption), sizes) ? 0 : 1;
    }

    QSize size = sizes.value(0);
    bool kiosk = false;
    if (!size.isValid()) {
        const QSize available = app.primaryScreen() ? app.primaryScreen()->availableSize() : QSize(1024, 768);
        size = available.width() >= 1920 && available.height() >= 1080 ? QSize(1920, 1080)
               : available.width() >= 1024                             ? QSize(1024, 768)
                                                                       : QSize(800, 600);
        // On a display of exactly a supported size the demo runs as a till
        // does: frameless, over the whole display.
        const QSize display = app.primaryScreen() ? app.primaryScreen()->size() : QSize();
        kiosk = display == size;
    }
    KxPosConfig::SetAppSize(size.width(), size.height());
    UiTool::ApplyStyleSheet(&app);

    DemoHost host;
    host.Show(kiosk);
    if (parser.isSet(quitOption)) {
        bool valid = false;
        const int ms = parser.value(quitOption).toInt(&valid);
        if (!valid || ms < 0) {
            std::fprintf(stderr, "--quit-after needs a number of milliseconds\n");
            return 2;
        }
        QTimer::singleShot(ms, &app, [&host]() {
            const bool shown = host.Screen() && host.Screen()->isVisible();
            std::fprintf(stdout, "kxpos-demo: sales screen %s\n", shown ? "shown" : "not shown");
            QCoreApplication::exit(shown ? 0 : 1);
        });
    }
    return app.exec();
}
