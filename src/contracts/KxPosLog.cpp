#include "contracts/KxPosLog.h"

#include "contracts/KxPosConfig.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/sinks/stdout_sinks.h>

#include <array>
#include <exception>
#include <string>

namespace {

constexpr std::size_t kMaxFileSize = 5 * 1024 * 1024; // per file
constexpr std::size_t kMaxFiles = 3;                  // rotated copies kept
const char* const kPattern = "[%Y-%m-%d %H:%M:%S.%e] [%n] [%l] [%@ %!] %v";

const char* const kChannelNames[LogTypeCount] = {"trade", "coupon", "deposit", "order", "ui"};

struct LogState
{
    QMutex mutex;
    std::array<std::shared_ptr<spdlog::logger>, LogTypeCount> loggers;
    std::shared_ptr<spdlog::sinks::stderr_sink_mt> stderrSink;
};

LogState& logState()
{
    static LogState state;
    return state;
}

LogType validType(LogType type)
{
    const int value = static_cast<int>(type);
    return (value >= 0 && value < LogTypeCount) ? type : LogTypeTrade;
}

spdlog::filename_t toFileName(const QString& path)
{
#ifdef SPDLOG_WCHAR_FILENAMES
    return QDir::toNativeSeparators(path).toStdWString();
#else
    return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
#endif
}

// Warnings and errors of every channel also go to stderr, through one
// shared sink so that lines of different channels do not interleave.
std::shared_ptr<spdlog::sinks::stderr_sink_mt> stderrSinkLocked(LogState& state)
{
    if (!state.stderrSink) {
        state.stderrSink = std::make_shared<spdlog::sinks::stderr_sink_mt>();
        state.stderrSink->set_level(spdlog::level::warn);
    }
    return state.stderrSink;
}

std::shared_ptr<spdlog::logger> createLogger(LogState& state, LogType type)
{
    const std::string name = std::string("kxpos.") + kChannelNames[type];
    // A host that registered a logger of that name keeps its own.
    if (auto existing = spdlog::get(name))
        return existing;

    std::shared_ptr<spdlog::logger> logger;
    try {
        const QString dir = KxPosLog::LogDir();
        if (!QDir().mkpath(dir))
            throw spdlog::spdlog_ex("cannot create log folder " + dir.toStdString());
        const QString file = dir + QStringLiteral("/kxpos_") + QLatin1String(kChannelNames[type])
            + QStringLiteral(".log");
        auto fileSink =
            std::make_shared<spdlog::sinks::rotating_file_sink_mt>(toFileName(file), kMaxFileSize, kMaxFiles);
        fileSink->set_level(spdlog::level::debug);
        logger = std::make_shared<spdlog::logger>(
            name, spdlog::sinks_init_list{fileSink, stderrSinkLocked(state)});
    } catch (const std::exception& e) {
        // No file: the channel still works, on stderr only.
        logger = std::make_shared<spdlog::logger>(name, stderrSinkLocked(state));
        logger->set_pattern(kPattern);
        logger->warn("log file unavailable, logging to stderr only: {}", e.what());
    }
    logger->set_pattern(kPattern);
    logger->set_level(spdlog::level::debug);
    logger->flush_on(spdlog::level::warn);
    try {
        spdlog::register_logger(logger);
    } catch (const std::exception&) {
        // Registered meanwhile under the same name by someone else: use theirs.
        if (auto existing = spdlog::get(name))
            return existing;
    }
    return logger;
}

} // namespace

std::shared_ptr<spdlog::logger> KxPosLog::GetSpdLogger(LogType type)
{
    const LogType channel = validType(type);
    LogState& state = logState();
    QMutexLocker lock(&state.mutex);
    std::shared_ptr<spdlog::logger>& slot = state.loggers[channel];
    if (!slot)
        slot = createLogger(state, channel);
    return slot;
}

QString KxPosLog::LogDir()
{
    const QString fromEnv = qEnvironmentVariable("KXPOS_LOG_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(QDir(fromEnv).absolutePath());
    return QDir::cleanPath(KxPosConfig::ConfigDir() + QStringLiteral("/log"));
}

const char* KxPosLog::ChannelName(LogType type)
{
    return kChannelNames[validType(type)];
}
