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
    // main file; otherwise the INI file of that name in the configuration folder.
    static QString GetValue(const QString& key, const QString& defaultValue = QString(),
                            const QString& file = QString());
    // Sets a value that the next GetValue() returns (and writes it to the file).
    static void SetValue(const QString& key, const QString& value, const QString& file = QString());

    static void SetConfigDir(const QString& dir);
    static QString ConfigDir();
    // Full path of a configuration file in the configuration folder
    // ("" gives config.ini).
    static QString FilePath(const QString& file = QString());
    // Drops cached file contents so that the next read sees the files again.
    static void Reload();

    // Pixel length for the current screen from the design length of the
    // large (1920x1080) and the small (1024x768) layout.
    static int GetAutoWidth(int large, int small);
    static int GetAutoHeight(int large, int small);
    static QSize GetAutoSize(int largeW, int largeH, int smallW, int smallH);
    // Sets iAppWidth/iAppHeight and derives iRatioType.
    static void SetAppSize(int width, int height);

    static QString desensitizeName(const QString& name);
    static QString desensitizePhone(const QString& phone);
    static bool IsNumber(const QString& text);

    static int iAppWidth;
    static int iAppHeight;
    static int iRatioType;
    static int iShowTasker;
    static int m_iWidgetType;
    static QString sProjectCode;
    static QString sLanguage;
    static QString sPosNo;
    static QString sCshCode;
    static QString sCshName;
    static QString sOrgCode;
    static QString sOrgName;
    static QString sOfficialFileVersion;
    static double dRate;
    static double SetWeightUpper;
    static bool m_isCouponForDeduct;
    static bool bIsEnableSCRMOffline;
    // Style variables ("$color2", "$size2", ...) to colours and pixel values.
    static QMap<QString, QString> styleMap;
};

class KXPOSCONTRACTS_EXPORT MoneyUtils
{
public:
    // True when the amount counts as zero or negative money (below half a cent).
    static bool LessOrEqualZero(double amount);
};
