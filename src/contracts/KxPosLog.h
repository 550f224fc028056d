#pragma once
// Loggers of the checkout screens, one spdlog logger per channel.
//
// Each channel writes to a rotating file "kxpos_<channel>.log" in the log
// folder (environment variable KXPOS_LOG_DIR, else "log" inside the
// configuration folder) and copies warnings and errors to stderr. When the
// folder cannot be used the channel logs to stderr only; asking for a logger
// never throws.

#include "contracts/kxposcontracts_export.h"

#include <QString>

#include <spdlog/spdlog.h>

#include <memory>

enum LogType {
    LogTypeTrade = 0, // sales screen, coupons (the screens' default channel)
    LogTypeCoupon,
    LogTypeDeposit,
    LogTypeOrder,     // online orders
    LogTypeUi,        // widget kit, configuration, translation
    LogTypeCount
};

class KXPOSCONTRACTS_EXPORT KxPosLog
{
public:
    // The logger of `type`, created on first use and registered with spdlog
    // as "kxpos.<channel>". The same channel always gives the same logger.
    // Values outside the enumeration give the LogTypeTrade logger.
    static std::shared_ptr<spdlog::logger> GetSpdLogger(LogType type);

    // The folder the channel files are written to.
    static QString LogDir();
    // Name of a channel ("trade", "coupon", ...).
    static const char* ChannelName(LogType type);
};
