// Configuration files and text helpers.

#include "TestSupport.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosJson.h"
#include "contracts/KxPosModel.h"

#include <QDir>
#include <QFile>
#include <QSettings>
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

const QByteArray TareJson = R"([{"name":"盒","weight":0.05},{"name":"袋","weight":0.01}])";
const QString Key = QStringLiteral("TRADE_LenovoLength");
} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
    }

    void setValueRoundTrip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("file");
        const QString ext = QStringLiteral("configExt.ini");
        QTest::newRow("json with commas and quotes") << "TRADE_TareOptions" << QString::fromUtf8(TareJson) << QString();
        QTest::newRow("backslashes and quotes") << "SYSTEM_Path" << "D:\\pos\\new \"x\"" << QString();
        QTest::newRow("two lines") << "SYSTEM_Lines" << "line1\nline2\ttab" << QString();
        QTest::newRow("ext group") << "QuickPayBtn/FirstPayBtnColour" << "#FF0000" << ext;
    }

    void setValueRoundTrip()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, file);
        KxPosTest::ScopedConfigDir dir;
        KxPosConfig::SetValue(key, value, file);
        KxPosConfig::Reload(); // from the file itself
        QCOMPARE(KxPosConfig::GetValue(key, QStringLiteral("<default>"), file), value);
        // Overwriting replaces the line instead of adding a second one.
        KxPosConfig::SetValue(key, value + QStringLiteral("2"), file);
        KxPosConfig::Reload();
        QCOMPARE(KxPosConfig::GetValue(key, QStringLiteral("<default>"), file), value + QStringLiteral("2"));
        // The screens read the file with QSettings: it finds the same text.
        QSettings settings(KxPosConfig::FilePath(file), QSettings::IniFormat);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        settings.setIniCodec("UTF-8"); // Qt 6 writes INI files as UTF-8 always
#endif
        QCOMPARE(settings.value(key).toString(), value + QStringLiteral("2"));
        // Each file answers only for its own keys.
        QCOMPARE(KxPosConfig::GetValue(key, QStringLiteral("<default>"), file.isEmpty() ? QStringLiteral("configExt.ini")
                                                                                         : QString()),
                 QStringLiteral("<default>"));
    }

    void handWrittenFileKeptByWrites()
    {
        KxPosTest::ScopedConfigDir dir;
        const QString path = dir.path() + QStringLiteral("/config.ini");
        writeFile(path, "; installer notes\r\n[General]\r\nTRADE_TareOptions = " + TareJson
                            + "\r\n\r\n[Display]\r\nShowPluSeriNum=1\r\n");
        // JSON typed by hand comes back exactly as written, commas and quotes included.
        QCOMPARE(KxPosConfig::GetValue(QStringLiteral("TRADE_TareOptions")), QString::fromUtf8(TareJson));
        KxPosConfig::SetValue(Key, QStringLiteral("8"));
        KxPosConfig::SetValue(QStringLiteral("Display/Theme"), QStringLiteral("dark"));
        KxPosConfig::Reload();
        QCOMPARE(KxPosConfig::GetValue(Key), QStringLiteral("8"));
        QCOMPARE(KxPosConfig::GetValue(QStringLiteral("Display/ShowPluSeriNum")), QStringLiteral("1"));
        QCOMPARE(KxPosConfig::GetValue(QStringLiteral("Display/Theme")), QStringLiteral("dark"));
        const QByteArray text = readFile(path);
        QVERIFY(text.contains("; installer notes"));
        QVERIFY(text.contains("TRADE_TareOptions = " + TareJson)); // untouched, not re-quoted
        QCOMPARE(text.count("[General]"), 1);
    }

    void damagedFileGivesDefaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\x02garbage\x00\x7f", 14) << "100";
        QTest::newRow("broken header") << QByteArray("[General\nTRADE_LenovoLength=7\n") << "7";
        QTest::newRow("invalid utf8 around a good key")
            << QByteArray("\xc3\x28 noise\n[General]\nTRADE_LenovoLength=9\n\xe2\x82\n") << "9";
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf[General]\nTRADE_LenovoLength=5\n") << "5";
    }

    void damagedFileGivesDefaults()
    {
        QFETCH(QByteArray, content);
        KxPosTest::ScopedConfigDir dir;
        writeFile(dir.path() + QStringLiteral("/config.ini"), content);
        QTEST(KxPosConfig::GetValue(Key, QStringLiteral("100")), "expected");
    }

    void unreadableFileIsNotOverwritten()
    {
        KxPosTest::ScopedConfigDir dir;
        // A folder where the file should be: it can be neither read nor written.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("config.ini")));
        KxPosTest::expectWarning(QStringLiteral("kept in memory only"));
        KxPosConfig::SetValue(Key, QStringLiteral("3"));
        QCOMPARE(KxPosConfig::GetValue(Key, QStringLiteral("100")), QStringLiteral("3"));
        QVERIFY(QFileInfo(dir.path() + QStringLiteral("/config.ini")).isDir());
    }

    void desensitize_data()
    {
        QTest::addColumn<bool>("isPhone");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name three chars") << false << "张三丰" << "张**";
        QTest::newRow("name astral char") << false << "\U00020BB7野" << "\U00020BB7*";
        QTest::newRow("phone country code") << true << "+8613812345678" << "+86138****5678";
        QTest::newRow("phone one") << true << "1" << "*";
    }

    void desensitize()
    {
        QFETCH(bool, isPhone);
        QFETCH(QString, input);
        QTEST(isPhone ? KxPosConfig::desensitizePhone(input) : KxPosConfig::desensitizeName(input), "expected");
    }

    void numbersAndZero()
    {
        for (const char* n : {"0", "-1", "+1.5", "1.", ".5", "999999"})
            QVERIFY2(KxPosConfig::IsNumber(QString::fromLatin1(n)), n);
        for (const char* n : {"", ".", "+.", "1e5", " 1", "1.2.3", "12a", "1,000"})
            QVERIFY2(!KxPosConfig::IsNumber(QString::fromLatin1(n)), n);
        QVERIFY(!KxPosConfig::IsNumber(QStringLiteral("１２"))); // full-width digits
        for (double amount : {0.0, -0.001, 0.0049})
            QVERIFY2(MoneyUtils::LessOrEqualZero(amount), qPrintable(QString::number(amount)));
        for (double amount : {0.005, 0.01})
            QVERIFY2(!MoneyUtils::LessOrEqualZero(amount), qPrintable(QString::number(amount)));
    }

    // Lengths scale with the screen from the design of its class; fonts stop
    // shrinking at a readable size, radii and card lengths do not.
    void scaling_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("autoWidth"); // GetAutoWidth(40, 28)
        QTest::addColumn<int>("size1");
        QTest::addColumn<int>("size5");
        QTest::addColumn<int>("radius2");
        QTest::newRow("800x600") << QSize(800, 600) << 22 << 11 << 14 << 5;
        QTest::newRow("1024x768") << QSize(1024, 768) << 28 << 12 << 18 << 6;
        QTest::newRow("1366x768") << QSize(1366, 768) << 37 << 16 << 24 << 8;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 40 << 16 << 24 << 8;
    }

    void scaling()
    {
        QFETCH(QSize, screen);
        KxPosConfig::SetAppSize(screen.width(), screen.height());
        const auto style = [](const char* name) { return KxPosConfig::styleMap.value(QLatin1String(name)).toInt(); };
        QTEST(KxPosConfig::GetAutoWidth(40, 28), "autoWidth");
        QTEST(style("$size1"), "size1");
        QTEST(style("$size5"), "size5");
        QTEST(style("$radius2"), "radius2");
        KxPosConfig::SetAppSize(1024, 768);
    }
    void jsonNesting_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("error"); // QJsonParseError::ParseError
        const auto nested = [](int levels) { return QByteArray(levels, '[') + QByteArray(levels, ']'); };
        QTest::newRow("flat") << QByteArray("[1,2,{}]") << 2 << int(QJsonParseError::NoError);
        QTest::newRow("brackets inside strings") << QByteArray("[\"[[{\", \"}\\\"]]\"]") << 1
                                                 << int(QJsonParseError::NoError);
        QTest::newRow("escaped backslash ends the string") << QByteArray("[\"a\\\\\", [\"b\"]]") << 2
                                                           << int(QJsonParseError::NoError);
        QTest::newRow("at the limit") << nested(KxPosJson::MaxDepth) << KxPosJson::MaxDepth
                                      << int(QJsonParseError::NoError);
        QTest::newRow("one level past") << nested(KxPosJson::MaxDepth + 1) << KxPosJson::MaxDepth + 1
                                        << int(QJsonParseError::DeepNesting);
        QTest::newRow("runaway unterminated") << QByteArray(4000, '[') << KxPosJson::MaxDepth + 1
                                              << int(QJsonParseError::DeepNesting);
        QTest::newRow("shallow but malformed") << QByteArray("{\"a\":[") << 2
                                               << int(QJsonParseError::UnterminatedArray);
        QTest::newRow("stray closing brackets") << QByteArray("]]}[1]") << 1 << int(QJsonParseError::IllegalValue);
    }

    // Texts from configuration and the host are read by one reader, which
    // refuses runaway nesting before Qt's recursive parser walks into it.
    void jsonNesting()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, error);
        QTEST(KxPosJson::NestingDepth(text), "depth");
        QJsonParseError parseError{};
        const QJsonDocument document = KxPosJson::Parse(text, &parseError);
        QCOMPARE(int(parseError.error), error);
        QCOMPARE(document.isNull(), error != QJsonParseError::NoError);
        if (error == QJsonParseError::DeepNesting)
            QCOMPARE(parseError.offset, KxPosJson::MaxDepth); // where the limit was passed
    }

};

QTEST_MAIN(TestConfig)
#include "tst_config.moc"
