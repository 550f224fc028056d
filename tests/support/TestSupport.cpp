#include "TestSupport.h"

#include "contracts/KxPosConfig.h"

#include <QtGlobal>
#include <QtTest>

namespace KxPosTest {

namespace {
QStringList g_debugMessages;
QStringList g_expectedWarnings;
QtMessageHandler g_previousHandler = nullptr;

void strictHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg) {
        g_debugMessages.append(message);
        return;
    }
    // The offscreen platform reports window features it lacks; that is not
    // a fault of the code under test.
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    for (int i = 0; i < g_expectedWarnings.size(); ++i) {
        if (message.contains(g_expectedWarnings.at(i))) {
            g_expectedWarnings.removeAt(i);
            return;
        }
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    if (type == QtWarningMsg || type == QtCriticalMsg)
        QTest::qFail(qPrintable(QStringLiteral("Unexpected Qt message: ") + message),
                     context.file ? context.file : "", context.line);
}
} // namespace

void installStrictMessageHandler()
{
    g_previousHandler = qInstallMessageHandler(strictHandler);
}

void expectWarning(const QString& fragment)
{
    g_expectedWarnings.append(fragment);
}

QStringList takeDebugMessages()
{
    QStringList out;
    out.swap(g_debugMessages);
    return out;
}

ScopedConfigDir::ScopedConfigDir()
    : m_dir(std::make_unique<QTemporaryDir>())
    , m_previous(KxPosConfig::ConfigDir())
{
    KxPosConfig::SetConfigDir(m_dir->path());
}

ScopedConfigDir::~ScopedConfigDir()
{
    KxPosConfig::SetConfigDir(m_previous);
}

QString ScopedConfigDir::path() const
{
    return m_dir->path();
}

void ScopedConfigDir::set(const QString& key, const QString& value, const QString& file)
{
    KxPosConfig::SetValue(key, value, file);
}

} // namespace KxPosTest
