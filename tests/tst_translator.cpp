// Translator: languages and their switch, the texts every screen shows in
// both languages, and fallbacks.

#include "TestSupport.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {
// Every message number that the screens of this library show.
const TransMsgId ScreenMessages[] = {
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
} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
        qunsetenv("KXPOS_LANG"); // the first use below decides the starting language
    }

    void cleanup() { QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN"))); }

    void switchEmitsOnceAndChangesTexts()
    {
        QCOMPARE(KxPosTranslator::Language(), QStringLiteral("zh_CN"));
        QSignalSpy spy(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged);
        QCOMPARE(KxPosTranslator::GetTranslation(1969), QStringLiteral("提示"));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en_US"))); // codes are normalised
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("en"));
        QCOMPARE(KxPosConfig::sLanguage, QStringLiteral("en"));
        QCOMPARE(KxPosTranslator::GetTranslation(1969), QStringLiteral("Notice"));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("EN"))); // already current
        for (const char* refused : {"fr", "zh_TW", ""})
            QVERIFY2(!KxPosTranslator::SetLanguage(QString::fromLatin1(refused)), refused);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(KxPosTranslator::Language(), QStringLiteral("en"));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh-CN")));
        QCOMPARE(spy.count(), 2);
        QVERIFY(KxPosTranslator::GetTranslation(99999).contains(QStringLiteral("99999"))); // unknown: named
    }

    void fallsBackToOtherLanguage()
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

    // Every screen message exists in Chinese; every Chinese text has an
    // English one without Chinese characters and with the same placeholders.
    void everyTextInBothLanguages()
    {
        for (const TransMsgId id : ScreenMessages)
            QVERIFY2(KxPosTranslator::HasTranslation(id, QStringLiteral("zh_CN")), qPrintable(QString::number(id)));
        const QList<TransMsgId> ids = KxPosTranslator::MessageIds(QStringLiteral("zh_CN"));
        QHash<TransMsgId, QString> chinese;
        for (const TransMsgId id : ids)
            chinese.insert(id, KxPosTranslator::GetTranslation(id));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        const QRegularExpression cjk(QStringLiteral("[\\x{2E80}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
        for (const TransMsgId id : ids) {
            const QString english = KxPosTranslator::GetTranslation(id);
            const QByteArray where = QByteArray::number(id) + ": " + english.toUtf8();
            QVERIFY2(KxPosTranslator::HasTranslation(id), where.constData());
            QVERIFY2(!cjk.match(english).hasMatch(), where.constData());
            QVERIFY2(placeholders(english) == placeholders(chinese.value(id)), where.constData());
        }
    }
};

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
