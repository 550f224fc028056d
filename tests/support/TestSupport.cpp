#include "TestSupport.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QAbstractButton>
#include <QtTest>

namespace KxPosTest {

namespace {
QStringList g_expectedWarnings;
QtMessageHandler g_previousHandler = nullptr;

void strictHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // Debug lines pass; the offscreen platform reports window features it
    // lacks, which is not a fault of the code under test. On a real X server
    // Qt's own deferred focus request fails with BadMatch when a window is
    // closed before the server mapped it, as when a test answers a dialog in
    // the same event-loop pass that showed it (faster than any cashier).
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (message.startsWith(QLatin1String("QXcbConnection: XCB error: 8 (BadMatch)"))
        && message.contains(QLatin1String("(SetInputFocus)")))
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

// The host's switches that live outside the configuration files.
void resetHostSwitches()
{
    KxPosConfig::sProjectCode.clear();
    KxPosConfig::m_isCouponForDeduct = false;
}
} // namespace

void installStrictMessageHandler() { g_previousHandler = qInstallMessageHandler(strictHandler); }

void answerNoMessageBoxes()
{
    // A program run by hand on an X server (DISPLAY=... QT_QPA_PLATFORM=xcb)
    // gets the same recording boxes as under CTest, instead of a notice that
    // waits for a click no step gives. KXPOS_NONINTERACTIVE=0 keeps real boxes
    // for the cases that answer them themselves.
    if (!qEnvironmentVariableIsSet("KXPOS_NONINTERACTIVE"))
        qputenv("KXPOS_NONINTERACTIVE", "1");
}
void expectWarning(const QString& fragment) { g_expectedWarnings.append(fragment); }

ScopedConfigDir::ScopedConfigDir()
    : m_dir(std::make_unique<QTemporaryDir>())
    , m_previous(KxPosConfig::ConfigDir())
{
    KxPosConfig::SetConfigDir(m_dir->path());
}

ScopedConfigDir::~ScopedConfigDir() { KxPosConfig::SetConfigDir(m_previous); }
QString ScopedConfigDir::path() const { return m_dir->path(); }
void ScopedConfigDir::set(const QString& key, const QString& value, const QString& file) { KxPosConfig::SetValue(key, value, file); }

void resetMessageSeams()
{
    MessageWidget::ClearHistory();
    QuestionMessage::ClearHistory(); // also drops answers left in the queue
}

ScopedConfigDir& ScreenTestCase::config()
{
    if (!m_config)
        qFatal("ScreenTestCase::config() used outside a test function");
    return *m_config;
}

void ScreenTestCase::initTestCase()
{
    installStrictMessageHandler();
    answerNoMessageBoxes();
    KxPosModel::RegisterMetaTypes();
    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
}

void ScreenTestCase::init()
{
    m_config = std::make_unique<ScopedConfigDir>();
    KxPosConfig::SetAppSize(1024, 768);
    resetHostSwitches();
    resetMessageSeams();
}

void ScreenTestCase::cleanup()
{
    resetHostSwitches();
    KxPosTranslator::SetLanguage(QStringLiteral("zh_CN"));
    m_config.reset();
}

void failMissingChild(const char* name, const char* type)
{
    const QByteArray message = QByteArray("form object ") + name + " (" + type + ") missing";
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    qFatal("%s", message.constData());
}

void clickChild(const QObject* parent, const char* name) { QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton); }
QString translated(int id) { return KxPosTranslator::GetTranslation(id); }
QString showType(const QWidget* widget) { return widget->property("showType").toString(); }

QStringList messageTexts()
{
    QStringList texts;
    for (const auto& entry : MessageWidget::History())
        texts << entry.first;
    return texts;
}

QString lastMessageText()
{
    const QStringList texts = messageTexts();
    return texts.isEmpty() ? QString() : texts.last();
}

QPair<QString, QString> notice(int id) { return qMakePair(translated(id), translated(1969)); }

} // namespace KxPosTest
