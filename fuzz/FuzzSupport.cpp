#include "FuzzSupport.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "coupon/CouponWidgetInfo.h"

#include <QApplication>
#include <QTemporaryDir>

namespace KxPosFuzz {

void ensureApplication()
{
    static QApplication* app = nullptr;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KXPOS_NONINTERACTIVE", "1");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            fprintf(stderr, "fatal: %s\n", qUtf8Printable(message));
            abort();
        }
    });
    static int argc = 1;
    static char name[] = "kxpos_fuzz";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    static QTemporaryDir configDir;
    KxPosConfig::SetConfigDir(configDir.path());
    KxPosConfig::SetAppSize(1024, 768);
    KxPosModel::RegisterMetaTypes();
    CouponWidgetInfo::RegisterMetaTypes();
    KxPosTranslator::SetLanguage(QStringLiteral("zh_CN"));
}

QString text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
}

} // namespace KxPosFuzz
