#pragma once
// Configuration values and screen scaling.
//
// The main configuration is "config.ini" in the configuration folder, with
// "configExt.ini" beside it for look-and-feel groups. The folder is the
// executable's folder unless KXPOS_CONFIG_DIR or SetConfigDir() names another.

#include "contracts/kxposcontracts_export.h"

#include <QMap>
#include <QSize>
#include <QString>

class KXPOSCONTRACTS_EXPORT KxPosConfig
{
public:
    // Value of `key`, or `defaultValue` when absent. An empty `file` means the
    // main file; otherwise the INI file of that name in the configuration folder
    // ("configExt" and "configExt.ini" name the same file). Main-file keys are
    // plain ("TRADE_LenovoLength", in the [General] section); "Group/Key" names
    // key Key of section [Group]. Values are texts, JSON included: a value
    // typed into the file by hand is returned as written (no splitting at
    // commas). A missing or damaged file gives the defaults.
    static QString GetValue(const QString& key, const QString& defaultValue = QString(),
                            const QString& file = QString());
    // Sets a value that the next GetValue() returns and writes it to the file,
    // leaving the file's other lines as they were. Written files stay
    // readable by QSettings (IniFormat; set the UTF-8 codec for non-ASCII
    // values). When the file cannot be written the value is kept in memory.
    static void SetValue(const QString& key, const QString& value, const QString& file = QString());

    // The configuration folder: the one given to SetConfigDir(), else the
    // environment variable KXPOS_CONFIG_DIR, else the executable's folder
    // (the current folder before a QCoreApplication exists).
    // SetConfigDir("") returns to that default.
    //@{
    static void SetConfigDir(const QString& dir);
    static QString ConfigDir();
    //@}
    // Full path of a configuration file in the configuration folder
    // ("" gives config.ini).
    static QString FilePath(const QString& file = QString());
    // Drops cached file contents so that the next read sees the files again.
    static void Reload();

    // Pixel length for the current screen from the design length of the
    // large (1920x1080) and the small (1024x768) layout. Screens wider than
    // 1366 pixels use the large design, scaled by iAppWidth/1920 and
    // iAppHeight/1080; all others the small one, scaled by iAppWidth/1024
    // and iAppHeight/768. Results are rounded to the nearest pixel.
    //@{
    static int GetAutoWidth(int large, int small);
    static int GetAutoHeight(int large, int small);
    static QSize GetAutoSize(int largeW, int largeH, int smallW, int smallH);
    //@}
    // Sets iAppWidth/iAppHeight, derives iRatioType (1 for screens narrower
    // than 3:2, such as 800x600, 1024x768 and 1280x1024; 0 for 16:10 and
    // 16:9) and rescales the pixel values of styleMap. Sizes of 0 or less
    // are ignored.
    static void SetAppSize(int width, int height);
    // Recomputes the built-in entries of styleMap for the current
    // iAppWidth/iAppHeight (entries added by the host are kept).
    static void RefreshStyleMap();

    // First character kept, the rest masked: "张三" -> "张*", "张三丰" -> "张**".
    static QString desensitizeName(const QString& name);
    // Numbers of 11 characters or more hide the four before the last four
    // ("13812345678" -> "138****5678"); shorter ones keep a quarter at each end.
    static QString desensitizePhone(const QString& phone);
    // Optional sign, ASCII digits, at most one decimal point, at least one
    // digit ("-1", "1.", ".5"); no blanks, no exponent.
    static bool IsNumber(const QString& text);

    // Width of the application window in pixels (SetAppSize()).
    static int iAppWidth;
    // Height of the application window in pixels (SetAppSize()).
    static int iAppHeight;
    // Screen-ratio class: 1 for screens narrower than 3:2 (narrow layouts and
    // date formats), 0 otherwise.
    static int iRatioType;
    // Project code: "1" and "2" select the two branded variants of the title
    // and logo labels.
    static QString sProjectCode;
    // Current language code ("zh_CN" or "en"), kept in step by
    // KxPosTranslator::SetLanguage().
    static QString sLanguage;
    // Till number, shown in the status bar.
    static QString sPosNo;
    // Cashier code, shown in the status bar.
    static QString sCshCode;
    // Cashier name, shown in the status bar.
    static QString sCshName;
    // Store code, shown in the status bar.
    static QString sOrgCode;
    // Store name, shown in the status bar (and before the store text when
    // "TRADE_ShowOrgPosType" is "2").
    static QString sOrgName;
    // Program version, shown in the status bar as "Ver:" and the version.
    static QString sOfficialFileVersion;
    // Display scale of the online-order pick table's pictures and captions.
    static double dRate;
    // Upper weight limit of a weighed online-order line, in kg; a heavier line
    // refuses the pick-up.
    static double SetWeightUpper;
    // Mode of the coupon screen built next: true deduction, false exchange.
    static bool m_isCouponForDeduct;
    // Style variables ("$color2", "$size2", ...) to colours ("#23BAFA") and
    // pixel values (plain integers such as "18", scaled to the screen by
    // SetAppSize(); a style sheet writes "$size2px").
    static QMap<QString, QString> styleMap;
};

// Money comparisons shared by the screens.
class KXPOSCONTRACTS_EXPORT MoneyUtils
{
public:
    // True when the amount counts as zero or negative money (below half a cent).
    static bool LessOrEqualZero(double amount);
};
