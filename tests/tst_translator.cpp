// Translator, function-key captions and text wrapping.

#include "TestSupport.h"

#include "contracts/KxPosCom.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QFont>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Every message number that the screens of this library show.
const TransMsgId kScreenMessages[] = {
    31,   32,   34,   402,  604,  608,  672,  673,  708,  1106, 1107, 1110, 1111, 1112, 1113, 1117, 1123, 1126,
    1131, 1132, 1136, 1137, 1139, 1140, 1141, 1144, 1145, 1146, 1147, 1149, 1153, 1154, 1155, 1156, 1157, 1158,
    1159, 1161, 1162, 1163, 1164, 1165, 1166, 1169, 1181, 1182, 1217, 1247, 1248, 1259, 1411, 1420, 1453, 1455,
    1456, 1492, 1496, 1500, 1515, 1548, 1587, 1610, 1723, 1724, 1731, 1732, 1901, 1903, 1904, 1905, 1908, 1909,
    1910, 1912, 1913, 1916, 1950, 1951, 1968, 1969, 1970, 1972, 2109, 2139, 2140, 2232, 2265, 2266, 2267, 2268,
    2269, 2270, 2271, 2272, 2274, 2275, 2276, 2277, 2278, 2279, 2280, 2281, 2282, 2283, 2284, 2285, 2286, 2287,
    2288, 2289, 2290, 2291, 2292, 2295, 2296, 2297, 2298, 2299, 2300, 2301, 2302, 2303, 2304, 2305, 2306, 2307,
    2308, 2309, 2310, 2311, 2312, 2336, 2340, 2341, 2342, 2343, 2345, 2346, 2347, 2348, 2349, 2350, 2351, 2352,
    2353, 2354, 2355, 2356, 2357, 2358, 2359, 2361, 2362, 2363, 2364, 2365, 2366, 2367, 2368, 2369, 2370, 2371,
    2372, 2373, 2374, 2375, 2376, 2377, 2378, 2379, 2380, 2381, 2382, 2383, 4673, 5002, 5012, 5053, 5054, 5055,
    5056, 5057, 5058, 5059, 5060, 5970, 5977, 5978, 5997, 6285};

bool hasCjk(const QString& text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{2E80}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return cjk.match(text).hasMatch();
}

// Placeholders (%1, %2, ...) that a text carries, in ascending order.
QStringList placeholders(const QString& text)
{
    static const QRegularExpression arg(QStringLiteral("%[1-9]"));
    QStringList out;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        out << it.next().captured();
    out.sort();
    return out;
}

QFont testFont()
{
    QFont font;
    font.setPixelSize(16);
    return font;
}

} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void singleInstanceStartsInChinese();
    void knownTexts_data();
    void knownTexts();
    void unknownNumberNamesIt_data();
    void unknownNumberNamesIt();
    void fallsBackToOtherLanguage();
    void switchEmitsOnceAndChangesTexts();
    void languageCodes_data();
    void languageCodes();
    void everyScreenMessageHasBothTexts();
    void everyChineseTextHasEnglish();

    void autoWrap_data();
    void autoWrap();
};

void TestTranslator::initTestCase()
{
    KxPosTest::installStrictMessageHandler();
    qunsetenv("KXPOS_LANG"); // the first use below decides the starting language
}

void TestTranslator::cleanup()
{
    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
}

void TestTranslator::singleInstanceStartsInChinese()
{
    KxPosTranslator* first = KxPosTranslator::Instance();
    QVERIFY(first);
    QCOMPARE(KxPosTranslator::Instance(), first);
    QCOMPARE(KxPosTranslator::Language(), QStringLiteral("zh_CN"));
    QCOMPARE(KxPosConfig::sLanguage, QStringLiteral("zh_CN"));
    QCOMPARE(KxPosTranslator::AvailableLanguages(), QStringList({QStringLiteral("en"), QStringLiteral("zh_CN")}));
}

void TestTranslator::knownTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("chinese");
    QTest::addColumn<QString>("english");
    QTest::newRow("message box title") << 1969 << "提示" << "Notice";
    QTest::newRow("sale mode") << 2358 << "销售" << "Sale";
    // The picked-lines delegate recognises the weigh caption by this text.
    QTest::newRow("weigh caption") << 1106 << "去称重" << "Weigh";
}

void TestTranslator::knownTexts()
{
    QFETCH(int, id);
    QFETCH(QString, chinese);
    QFETCH(QString, english);
    QCOMPARE(KxPosTranslator::GetTranslation(id), chinese);
    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
    QCOMPARE(KxPosTranslator::GetTranslation(id), english);
}

void TestTranslator::unknownNumberNamesIt_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("language");
    QTest::newRow("zero") << 0 << "zh_CN";
    QTest::newRow("negative") << -5 << "zh_CN";
    QTest::newRow("large in English") << 99999 << "en";
}

void TestTranslator::unknownNumberNamesIt()
{
    QFETCH(int, id);
    QFETCH(QString, language);
    QVERIFY(KxPosTranslator::SetLanguage(language));
    const QString text = KxPosTranslator::GetTranslation(id);
    QVERIFY2(!text.isEmpty() && text.contains(QString::number(id)), qPrintable(text));
}

void TestTranslator::fallsBackToOtherLanguage()
{
    KxPosTranslator::AddTexts(QStringLiteral("en"), {{90001, QStringLiteral("English only")}});
    QCOMPARE(KxPosTranslator::GetTranslation(90001), QStringLiteral("English only"));
    QVERIFY(!KxPosTranslator::HasTranslation(90001));

    // A language added by the host with a few texts: the rest comes from
    // the complete Chinese set first, then from English.
    KxPosTranslator::AddTexts(QStringLiteral("xx_TEST"), {{90003, QStringLiteral("own text")}});
    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("xx_TEST")));
    QCOMPARE(KxPosTranslator::GetTranslation(90003), QStringLiteral("own text"));
    QCOMPARE(KxPosTranslator::GetTranslation(2358), QStringLiteral("销售"));
    QCOMPARE(KxPosTranslator::GetTranslation(90001), QStringLiteral("English only"));
}

void TestTranslator::switchEmitsOnceAndChangesTexts()
{
    QSignalSpy spy(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged);
    const QString chinese = KxPosTranslator::GetTranslation(2347);

    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("en"));
    QCOMPARE(KxPosTranslator::Language(), QStringLiteral("en"));
    QCOMPARE(KxPosConfig::sLanguage, QStringLiteral("en"));
    QVERIFY(KxPosTranslator::GetTranslation(2347) != chinese);

    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en"))); // already current
    QCOMPARE(spy.count(), 1);

    QVERIFY(!KxPosTranslator::SetLanguage(QStringLiteral("fr"))); // unknown: refused
    QCOMPARE(spy.count(), 1);
    QCOMPARE(KxPosTranslator::Language(), QStringLiteral("en"));
    QCOMPARE(KxPosConfig::sLanguage, QStringLiteral("en"));

    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(KxPosTranslator::GetTranslation(2347), chinese);
}

void TestTranslator::languageCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("resolved"); // empty: refused
    QTest::newRow("en_US") << "en_US" << "en";
    QTest::newRow("EN") << "EN" << "en";
    QTest::newRow("zh-CN") << "zh-CN" << "zh_CN";
    QTest::newRow("zh_cn") << "zh_cn" << "zh_CN";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("fr") << "fr" << "";
    QTest::newRow("zh_TW") << "zh_TW" << "";
    QTest::newRow("english") << "english" << "";
}

void TestTranslator::languageCodes()
{
    QFETCH(QString, code);
    QFETCH(QString, resolved);
    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
    QCOMPARE(KxPosTranslator::SetLanguage(code), !resolved.isEmpty());
    QCOMPARE(KxPosTranslator::Language(), resolved.isEmpty() ? QStringLiteral("en") : resolved);
}

void TestTranslator::everyScreenMessageHasBothTexts()
{
    for (const TransMsgId id : kScreenMessages) {
        QVERIFY2(KxPosTranslator::HasTranslation(id, QStringLiteral("zh_CN")), qPrintable(QString::number(id)));
        QVERIFY2(KxPosTranslator::HasTranslation(id, QStringLiteral("en")), qPrintable(QString::number(id)));
    }
}

void TestTranslator::everyChineseTextHasEnglish()
{
    const QList<TransMsgId> ids = KxPosTranslator::MessageIds(QStringLiteral("zh_CN"));
    QVERIFY(ids.size() >= int(sizeof(kScreenMessages) / sizeof(kScreenMessages[0])));
    QHash<TransMsgId, QString> chinese;
    for (const TransMsgId id : ids)
        chinese.insert(id, KxPosTranslator::GetTranslation(id));

    QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
    for (const TransMsgId id : ids) {
        const QString english = KxPosTranslator::GetTranslation(id);
        const QByteArray where = QByteArray::number(id) + ": " + english.toUtf8();
        QVERIFY2(KxPosTranslator::HasTranslation(id), where.constData());
        QVERIFY2(!hasCjk(english), where.constData());
        // A text with %1 is filled in by the screens: both languages need the
        // same placeholders.
        QVERIFY2(placeholders(english) == placeholders(chinese.value(id)), where.constData());
    }
}

void TestTranslator::autoWrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("latin"); // words kept whole, lines filled

    QTest::newRow("latin sentence") << "The quick brown fox jumps over the lazy dog" << 90 << true;
    QTest::newRow("chinese") << "请先确认当前券的商品再提交订单，谢谢惠顾" << 70 << false;
    QTest::newRow("mixed") << "会员 Member 积分 Points 12345 余额 Balance" << 80 << false;
    QTest::newRow("long word") << "Supercalifragilisticexpialidocious" << 50 << false;
    QTest::newRow("kept newline") << "第一行\n第二行很长很长很长很长很长" << 60 << false;
    QTest::newRow("narrower than a char") << "AB 中文" << 1 << false;
    QTest::newRow("fits already") << "提示\nOK" << 500 << false;
    QTest::newRow("no width known") << "提示 OK 很长很长很长很长" << 0 << false;
}

void TestTranslator::autoWrap()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, latin);
    const QFont font = testFont();
    const QFontMetrics metrics(font);
    QString wrapped = text;
    KxPosCom::AutoWrap(wrapped, font, width);
    if (width <= 0 || metrics.horizontalAdvance(text) <= width) {
        QCOMPARE(wrapped, text);
        return;
    }

    const QStringList lines = wrapped.split(QLatin1Char('\n'));
    QVERIFY(lines.size() > text.count(QLatin1Char('\n')) + 1);
    // Only line breaks and blanks at breaks are added or removed.
    const QRegularExpression blanks(QStringLiteral("\\s"));
    QCOMPARE(QString(wrapped).remove(blanks), QString(text).remove(blanks));

    const QStringList words = text.split(QLatin1Char(' '));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const QByteArray where = QByteArray::number(i) + ": " + line.toUtf8();
        QVERIFY2(!line.isEmpty() && !line.startsWith(QLatin1Char(' ')), where.constData());
        QVERIFY2(metrics.horizontalAdvance(line) <= width || line.size() == 1, where.constData());
        if (!latin)
            continue;
        for (const QString& word : line.split(QLatin1Char(' ')))
            QVERIFY2(words.contains(word), where.constData());
        // Lines are filled: the next line's first word did not fit here.
        if (i + 1 < lines.size()) {
            const QString next = lines.at(i + 1).section(QLatin1Char(' '), 0, 0);
            QVERIFY2(metrics.horizontalAdvance(line + QLatin1Char(' ') + next) > width, where.constData());
        }
    }
}

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
