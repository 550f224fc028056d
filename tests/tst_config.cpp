// Configuration files, scaling, text helpers, records and loggers.

#include "TestSupport.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosLog.h"
#include "contracts/KxPosModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Restores an environment variable when the returned guard goes.
auto restoreEnvLater(const char* name)
{
    return qScopeGuard([name, had = qEnvironmentVariableIsSet(name), value = qgetenv(name)] {
        had ? qputenv(name, value) : qunsetenv(name);
    });
}

const QString kTareJson = QStringLiteral(
    "[{\"name\":\"盒\",\"weight\":0.05},{\"name\":\"袋\",\"weight\":0.01}]");

} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void configFolderPrecedence();
    void mainAndExtFiles();
    void setValueRoundTrip_data();
    void setValueRoundTrip();
    void handWrittenFileKeptByWrites();
    void damagedFileGivesDefaults_data();
    void damagedFileGivesDefaults();
    void unreadableFileIsNotOverwritten();

    void scaling_data();
    void scaling();

    void desensitize_data();
    void desensitize();
    void isNumber_data();
    void isNumber();
    void lessOrEqualZero_data();
    void lessOrEqualZero();

    void recordsRegisteredAtLoad_data();
    void recordsRegisteredAtLoad();

    void loggerPerChannel();
    void loggerWithoutLogFolder();

private:
    QTemporaryDir m_logDir;
};

void TestConfig::initTestCase()
{
    KxPosTest::installStrictMessageHandler();
    QVERIFY(m_logDir.isValid());
    qputenv("KXPOS_LOG_DIR", QFile::encodeName(m_logDir.path()));
}

void TestConfig::cleanup()
{
    KxPosConfig::SetAppSize(1024, 768);
}

void TestConfig::configFolderPrecedence()
{
    const auto restoreEnv = restoreEnvLater("KXPOS_CONFIG_DIR");
    const QString previous = KxPosConfig::ConfigDir();
    QTemporaryDir fromEnv;
    QTemporaryDir fromCall;
    writeFile(fromEnv.filePath(QStringLiteral("config.ini")), "[General]\nSYSTEM_Where=env\n");
    writeFile(fromCall.filePath(QStringLiteral("config.ini")), "[General]\nSYSTEM_Where=call\n");

    qunsetenv("KXPOS_CONFIG_DIR");
    KxPosConfig::SetConfigDir(QString());
    QCOMPARE(KxPosConfig::ConfigDir(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("SYSTEM_Where"), QStringLiteral("none")), QStringLiteral("none"));

    qputenv("KXPOS_CONFIG_DIR", QFile::encodeName(fromEnv.path()));
    QCOMPARE(KxPosConfig::ConfigDir(), QDir::cleanPath(fromEnv.path()));
    QCOMPARE(KxPosConfig::FilePath(), QDir::cleanPath(fromEnv.filePath(QStringLiteral("config.ini"))));
    QCOMPARE(KxPosConfig::FilePath(QStringLiteral("configExt")),
             QDir::cleanPath(fromEnv.filePath(QStringLiteral("configExt.ini"))));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("SYSTEM_Where")), QStringLiteral("env"));

    KxPosConfig::SetConfigDir(fromCall.path()); // the call wins over the environment
    QCOMPARE(KxPosConfig::ConfigDir(), QDir::cleanPath(fromCall.path()));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("SYSTEM_Where")), QStringLiteral("call"));

    KxPosConfig::SetConfigDir(QString()); // back to the environment
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("SYSTEM_Where")), QStringLiteral("env"));

    KxPosConfig::SetConfigDir(previous);
}

void TestConfig::mainAndExtFiles()
{
    KxPosTest::ScopedConfigDir dir;
    writeFile(dir.path() + QStringLiteral("/config.ini"), "[General]\nTRADE_LenovoLength=12\n");
    writeFile(dir.path() + QStringLiteral("/configExt.ini"),
              "[QuickPayBtn]\nFirstPayBtnColour=#FF0000\n[Display]\nShowPluSeriNum=1\n");

    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100"), QString()),
             QStringLiteral("12"));
    const QString ext = QStringLiteral("configExt.ini");
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("QuickPayBtn/FirstPayBtnColour"), QStringLiteral("#23BAFA"), ext),
             QStringLiteral("#FF0000"));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("Display/ShowPluSeriNum"), QStringLiteral("0"), ext),
             QStringLiteral("1"));
    // Each file answers only for its own keys.
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100"), ext),
             QStringLiteral("100"));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("QuickPayBtn/FirstPayBtnColour"), QStringLiteral("x")),
             QStringLiteral("x"));

    // Ext values set through the API are read back by a plain QSettings
    // reader, as the screens read that file.
    KxPosConfig::SetValue(QStringLiteral("QuickPayBtn/SecondPayBtnColour"), QStringLiteral("#00FF00"), ext);
    QSettings settings(KxPosConfig::FilePath(ext), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("QuickPayBtn/SecondPayBtnColour")).toString(), QStringLiteral("#00FF00"));
    QCOMPARE(settings.value(QStringLiteral("QuickPayBtn/FirstPayBtnColour")).toString(), QStringLiteral("#FF0000"));
}

void TestConfig::setValueRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("file");

    const QString ext = QStringLiteral("configExt.ini");
    QTest::newRow("plain") << "TRADE_LenovoLength" << "15" << QString();
    QTest::newRow("empty") << "TRADE_Empty" << "" << QString();
    QTest::newRow("json with commas and quotes") << "TRADE_TareOptions" << kTareJson << QString();
    QTest::newRow("json object") << "TRADE_CertificateChannel"
                                 << "{\"jh\":\"兑换\",\"list\":[1,2,3]}" << QString();
    QTest::newRow("separators") << "SYSTEM_List" << "a,b;c=d" << QString();
    QTest::newRow("backslashes and quotes") << "SYSTEM_Path" << "D:\\pos\\new \"x\"" << QString();
    QTest::newRow("outer blanks") << "SYSTEM_Padded" << "  padded  " << QString();
    QTest::newRow("two lines") << "SYSTEM_Lines" << "line1\nline2\ttab" << QString();
    QTest::newRow("leading at") << "SYSTEM_At" << "@@x" << QString();
    QTest::newRow("chinese") << "WEIGHT_DrvType" << "无" << QString();
    QTest::newRow("ext group") << "VIP/IsShowAllInfo" << "1" << ext;
    QTest::newRow("ext json") << "Biz/Channels" << kTareJson << ext;
    QTest::newRow("ext odd group name") << "My Group/Key 1" << "v" << ext;
}

void TestConfig::setValueRoundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, file);
    KxPosTest::ScopedConfigDir dir;

    KxPosConfig::SetValue(key, value, file);
    QCOMPARE(KxPosConfig::GetValue(key, QStringLiteral("<default>"), file), value);

    KxPosConfig::Reload(); // now from the file itself
    QCOMPARE(KxPosConfig::GetValue(key, QStringLiteral("<default>"), file), value);

    // Overwriting replaces the line instead of adding a second one.
    KxPosConfig::SetValue(key, value + QStringLiteral("2"), file);
    KxPosConfig::Reload();
    QCOMPARE(KxPosConfig::GetValue(key, QStringLiteral("<default>"), file), value + QStringLiteral("2"));

    // The file stays readable by QSettings with the same text.
    QSettings settings(KxPosConfig::FilePath(file), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    QCOMPARE(settings.value(key).toString(), value + QStringLiteral("2"));
}

void TestConfig::handWrittenFileKeptByWrites()
{
    KxPosTest::ScopedConfigDir dir;
    const QString path = dir.path() + QStringLiteral("/config.ini");
    writeFile(path, "; installer notes\r\n[General]\r\nTRADE_TareOptions = " + kTareJson.toUtf8()
                        + "\r\nTRADE_CertificateChannel={\"a\": \"x, y\"}\r\n\r\n[Display]\r\nShowPluSeriNum=1\r\n");

    // JSON typed by hand comes back exactly as written, commas and quotes included.
    const QString tare = KxPosConfig::GetValue(QStringLiteral("TRADE_TareOptions"));
    QCOMPARE(tare, kTareJson);
    QCOMPARE(QJsonDocument::fromJson(tare.toUtf8()).array().size(), 2);
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_CertificateChannel")), QStringLiteral("{\"a\": \"x, y\"}"));

    KxPosConfig::SetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("8"));
    KxPosConfig::SetValue(QStringLiteral("Display/Theme"), QStringLiteral("dark"));
    KxPosConfig::Reload();
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_TareOptions")), kTareJson);
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength")), QStringLiteral("8"));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("Display/ShowPluSeriNum")), QStringLiteral("1"));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("Display/Theme")), QStringLiteral("dark"));
    const QByteArray text = readFile(path);
    QVERIFY(text.contains("; installer notes"));
    QVERIFY(text.contains("TRADE_TareOptions = " + kTareJson.toUtf8())); // untouched, not re-quoted
    QCOMPARE(text.count("[General]"), 1);
}

void TestConfig::damagedFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no file") << QByteArray() << "100";
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\x02garbage\x00\x7f", 14) << "100";
    QTest::newRow("no equals") << QByteArray("TRADE_LenovoLength 12\njust words\n") << "100";
    QTest::newRow("broken header") << QByteArray("[General\nTRADE_LenovoLength=7\n") << "7";
    QTest::newRow("value without key") << QByteArray("[General]\n=12\n") << "100";
    QTest::newRow("invalid utf8 around a good key")
        << QByteArray("\xc3\x28 noise\n[General]\nTRADE_LenovoLength=9\n\xe2\x82\n") << "9";
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf[General]\nTRADE_LenovoLength=5\n") << "5";
    QTest::newRow("other case") << QByteArray("[general]\ntrade_lenovolength=6\n") << "6";
}

void TestConfig::damagedFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    KxPosTest::ScopedConfigDir dir;
    if (!content.isNull())
        writeFile(dir.path() + QStringLiteral("/config.ini"), content);
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100")), expected);
}

void TestConfig::unreadableFileIsNotOverwritten()
{
    KxPosTest::ScopedConfigDir dir;
    // A folder where the file should be: it can be neither read nor written.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("config.ini")));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100")), QStringLiteral("100"));

    KxPosTest::expectWarning(QStringLiteral("kept in memory only"));
    KxPosConfig::SetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("3"));
    QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_LenovoLength"), QStringLiteral("100")), QStringLiteral("3"));
    QVERIFY(QFileInfo(dir.path() + QStringLiteral("/config.ini")).isDir());
}

void TestConfig::scaling_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("autoWidth");  // GetAutoWidth(40, 28)
    QTest::addColumn<int>("autoHeight"); // GetAutoHeight(60, 44)
    QTest::addColumn<QSize>("autoSize"); // GetAutoSize(80, 60, 50, 44)
    QTest::addColumn<int>("ratioType");
    QTest::addColumn<QString>("size2");  // styleMap "$size2"

    QTest::newRow("800x600") << 800 << 600 << 22 << 34 << QSize(39, 34) << 1 << "10";
    QTest::newRow("1024x768") << 1024 << 768 << 28 << 44 << QSize(50, 44) << 1 << "13";
    QTest::newRow("1280x1024") << 1280 << 1024 << 35 << 59 << QSize(63, 59) << 1 << "16";
    QTest::newRow("1366x768") << 1366 << 768 << 37 << 44 << QSize(67, 44) << 0 << "17";
    QTest::newRow("1600x900") << 1600 << 900 << 33 << 50 << QSize(67, 50) << 0 << "15";
    QTest::newRow("1920x1080") << 1920 << 1080 << 40 << 60 << QSize(80, 60) << 0 << "18";
}

void TestConfig::scaling()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, autoWidth);
    QFETCH(int, autoHeight);
    QFETCH(QSize, autoSize);
    QFETCH(int, ratioType);
    QFETCH(QString, size2);

    KxPosConfig::SetAppSize(width, height);
    QCOMPARE(KxPosConfig::iAppWidth, width);
    QCOMPARE(KxPosConfig::iAppHeight, height);
    QCOMPARE(KxPosConfig::GetAutoWidth(40, 28), autoWidth);
    QCOMPARE(KxPosConfig::GetAutoHeight(60, 44), autoHeight);
    QCOMPARE(KxPosConfig::GetAutoSize(80, 60, 50, 44), autoSize);
    QCOMPARE(KxPosConfig::iRatioType, ratioType);
    QCOMPARE(KxPosConfig::styleMap.value(QStringLiteral("$size2")), size2);
    QCOMPARE(KxPosConfig::styleMap.value(QStringLiteral("$color2")), QStringLiteral("#23BAFA"));
}

void TestConfig::desensitize_data()
{
    QTest::addColumn<bool>("isPhone");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name empty") << false << "" << "";
    QTest::newRow("name one char") << false << "张" << "张";
    QTest::newRow("name two chars") << false << "张三" << "张*";
    QTest::newRow("name three chars") << false << "张三丰" << "张**";
    QTest::newRow("name compound surname") << false << "欧阳娜娜" << "欧***";
    QTest::newRow("name latin") << false << "Tom" << "T**";
    QTest::newRow("name astral char") << false << QString::fromUtf8("\xf0\xa0\xae\xb7野") << QString::fromUtf8("\xf0\xa0\xae\xb7*");
    QTest::newRow("phone mobile") << true << "13812345678" << "138****5678";
    QTest::newRow("phone country code") << true << "+8613812345678" << "+86138****5678";
    QTest::newRow("phone landline") << true << "12345678" << "12****78";
    QTest::newRow("phone short") << true << "1234" << "1**4";
    QTest::newRow("phone two") << true << "12" << "1*";
    QTest::newRow("phone one") << true << "1" << "*";
    QTest::newRow("phone empty") << true << "" << "";
}

void TestConfig::desensitize()
{
    QFETCH(bool, isPhone);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(isPhone ? KxPosConfig::desensitizePhone(input) : KxPosConfig::desensitizeName(input), expected);
}

void TestConfig::isNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    const char* const numbers[] = {"0", "123", "-1", "+1.5", "1.", ".5", "0.005", "999999"};
    for (const char* n : numbers)
        QTest::newRow(n) << QString::fromLatin1(n) << true;
    const char* const others[] = {"", ".", "-", "+.", "1e5", " 1", "1 ", "1.2.3", "abc", "12a", "1,000", "--1"};
    for (const char* n : others)
        QTest::newRow(qPrintable(QStringLiteral("'%1'").arg(QLatin1String(n)))) << QString::fromLatin1(n) << false;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << false;
}

void TestConfig::isNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(KxPosConfig::IsNumber(text), expected);
}

void TestConfig::lessOrEqualZero_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("expected");
    const std::pair<double, bool> rows[] = {{0.0, true},    {-1.0, true},  {-0.001, true}, {0.0049, true},
                                            {0.005, false}, {0.01, false}, {100.0, false}};
    for (const auto& row : rows)
        QTest::newRow(qPrintable(QString::number(row.first))) << row.first << row.second;
}

void TestConfig::lessOrEqualZero()
{
    QFETCH(double, amount);
    QFETCH(bool, expected);
    QCOMPARE(MoneyUtils::LessOrEqualZero(amount), expected);
}

void TestConfig::recordsRegisteredAtLoad_data()
{
    QTest::addColumn<QByteArray>("typeName");
    const char* const names[] = {"KxPosPluDetail", "KxPosVipDetail", "KxPosEmployeeDetail", "dynMapButton",
                                 "KxPosDepositOrderDetail", "QList<KxPosPluDetail>",
                                 "QList<KxPosEmployeeDetail>", "QList<dynMapButton>",
                                 "QList<KxPosDepositOrderDetail>", "QList<KxPosDepositPluDetail>"};
    for (const char* name : names)
        QTest::newRow(name) << QByteArray(name);
}

void TestConfig::recordsRegisteredAtLoad()
{
    QFETCH(QByteArray, typeName);
    // Not calling RegisterMetaTypes(): loading the library must be enough for
    // queued signals, which look the types up by name.
    const int id = QMetaType::type(typeName.constData());
    QVERIFY2(id != QMetaType::UnknownType, typeName.constData());
    void* copy = QMetaType::create(id);
    QVERIFY(copy);
    QMetaType::destroy(id, copy);
}

void TestConfig::loggerPerChannel()
{
    const auto trade = KxPosLog::GetSpdLogger(LogTypeTrade);
    QVERIFY(trade);
    QCOMPARE(trade.get(), KxPosLog::GetSpdLogger(LogTypeTrade).get());
    QCOMPARE(trade.get(), spdlog::get("kxpos.trade").get());
    const auto coupon = KxPosLog::GetSpdLogger(LogTypeCoupon);
    QVERIFY(coupon && coupon.get() != trade.get());
    QCOMPARE(KxPosLog::GetSpdLogger(static_cast<LogType>(42)).get(), trade.get());

    trade->info("checkout line {} of {}", 3, "kxpos-test");
    trade->flush();
    const QByteArray file = readFile(m_logDir.filePath(QStringLiteral("kxpos_trade.log")));
    QVERIFY2(file.contains("checkout line 3 of kxpos-test"), file.constData());
}

void TestConfig::loggerWithoutLogFolder()
{
    const auto restoreEnv = restoreEnvLater("KXPOS_LOG_DIR");
    // A file where the folder should be: the folder cannot be created.
    const QString blocker = m_logDir.filePath(QStringLiteral("not-a-folder"));
    writeFile(blocker, "x");
    qputenv("KXPOS_LOG_DIR", QFile::encodeName(blocker + QStringLiteral("/log")));

    std::shared_ptr<spdlog::logger> order;
    try {
        order = KxPosLog::GetSpdLogger(LogTypeOrder);
        order->debug("still usable");
    } catch (...) {
        QFAIL("GetSpdLogger threw");
    }
    QVERIFY(order);
    QCOMPARE(order.get(), KxPosLog::GetSpdLogger(LogTypeOrder).get());
    QVERIFY(!QFileInfo::exists(blocker + QStringLiteral("/log")));
}

QTEST_MAIN(TestConfig)
#include "tst_config.moc"
