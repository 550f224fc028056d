// The sales screen's weighing panel driven as a host's scale driver (readings
// through SlotShowProdWeight, tare states through SlotUpdateWeightData) and a
// cashier (zero, tare and preset buttons) would.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosModel.h"
#include "contracts/MessageWidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
struct Reading {
    double weight = 0;
    double tare = 0;
    bool stable = true;
    bool tareSet = false;
    bool atZero = false;
    int status = 0;
};
using Readings = QList<Reading>;

struct TareCase {
    QString zeroAndClear;
    Readings readings;
    QStringList actions, events;
    QString presets;
};

const char* const TwoPresets = R"([{"weight":"0.05"},{"weight":"0.1","caption":"盒"}])";

void read(TradeWidget* screen, const Reading& r)
{
    QVERIFY(QMetaObject::invokeMethod(screen, "SlotShowProdWeight", Q_ARG(double, r.weight), Q_ARG(double, r.tare),
                                      Q_ARG(bool, r.stable), Q_ARG(bool, r.tareSet), Q_ARG(bool, r.atZero),
                                      Q_ARG(int, r.status)));
}
QString text(TradeWidget* screen, const char* label) { return child<QLabel>(screen, label)->text(); }
bool checked(TradeWidget* screen, const char* button) { return child<QPushButton>(screen, button)->isChecked(); }
bool cutEnabled(TradeWidget* screen) { return child<QPushButton>(screen, "btnCutTare")->isEnabled(); }
QList<QPushButton*> presets(TradeWidget* screen) { return screen->findChildren<QPushButton*>(QStringLiteral("buttonTare")); }
void press(TradeWidget* screen, int preset) { QTest::mouseClick(presets(screen).at(preset), Qt::LeftButton); }

// "c" checked, "-" unchecked, "x" disabled, one letter per preset.
QString presetState(TradeWidget* screen)
{
    QString state;
    for (QPushButton* b : presets(screen))
        state += !b->isEnabled() ? QLatin1Char('x') : b->isChecked() ? QLatin1Char('c') : QLatin1Char('-');
    return state;
}
} // namespace

Q_DECLARE_METATYPE(Reading)
Q_DECLARE_METATYPE(TareCase)

// Stands for a host's scale driver that reports the tare state by signal.
class ScaleDriver : public QObject
{
    Q_OBJECT
signals:
    void tareState(TareUpdateType type, QVariant data);
};

class TradeWeighingTest : public ScreenTestCase
{
    Q_OBJECT

private:
    QStringList events; // requests to the host, in order

    // A screen with the two presets unless `options` says otherwise.
    std::unique_ptr<TradeWidget> makeScreen(const QString& options = QString::fromUtf8(TwoPresets))
    {
        if (!options.isNull())
            config().set(QStringLiteral("TRADE_TareOptions"), options);
        auto screen = std::make_unique<TradeWidget>(0, nullptr);
        connect(screen.get(), &TradeWidget::SignSendZero, this, [this](const QString& w, bool zero) {
            events << QStringLiteral("zero %1 %2").arg(w, zero ? QStringLiteral("true") : QStringLiteral("false"));
        });
        connect(screen.get(), &TradeWidget::SignSendTare, this, [this](const QString& caption, bool isTare) {
            events << QStringLiteral("tare %1 %2").arg(caption, isTare ? QStringLiteral("true") : QStringLiteral("false"));
        });
        connect(screen.get(), &TradeWidget::SignUpdateWeighWidget, this, [this](TareUpdateType type, const QVariant& data) {
            events << QStringLiteral("update %1 %2").arg(int(type)).arg(data.toString());
        });
        return screen;
    }

private slots:
    void init()
    {
        ScreenTestCase::init();
        events.clear();
    }

    // Presets in the configured order; entries that are no objects are skipped.
    void presetButtons()
    {
        auto screen = makeScreen(R"([1, {"weight":"0.3"}, "0.4", null, [], {"weight":0.02}])");
        QStringList shown;
        for (QPushButton* b : presets(screen.get()))
            shown << b->text();
        QCOMPARE(shown, (QStringList{"0.3", "0.02"}));
        QCOMPARE(presetState(screen.get()), QStringLiteral("--"));
        QCOMPARE(screen->GetPresetTare(), 0.0);
        QVERIFY(!screen->UsePresetTare());
    }

    void reading_data()
    {
        QTest::addColumn<Reading>("reading");
        QTest::addColumn<QString>("unit"); // empty: no sale line
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("tare");
        QTest::addColumn<QString>("amount");
        const QString kg = translated(673);
        QTest::newRow("three decimals, kilogram") << Reading{1.23456, 0.05} << kg << 10.0 << "1.235" << "0.050" << "12.35";
        QTest::newRow("gram") << Reading{250, 0} << translated(672) << 0.02 << "250.000" << "0.000" << "5.00";
        QTest::newRow("piece keeps the line amount") << Reading{1.23456, 0} << "个" << 10.0 << "1.235" << "0.000"
                                                     << "20.00";
        QTest::newRow("no sale line, at zero") << Reading{0.7, 0.01, true, false, true} << QString() << 0.0 << "0.700"
                                               << "0.010" << "0.00";
        QTest::newRow("negative weight") << Reading{-0.0123, 0, false} << kg << 10.0 << "-0.012" << "0.000" << "-0.12";
        QTest::newRow("overload") << Reading{35.2, 0.1, false, true, false, -1} << kg << 10.0 << translated(1731)
                                  << "0.100" << "352.00";
        QTest::newRow("underload keeps the tare") << Reading{-0.5, 0.2, false, true, false, -2} << kg << 10.0
                                                  << translated(1732) << "0.200" << "-5.00";
    }

    void reading()
    {
        QFETCH(Reading, reading);
        QFETCH(QString, unit);
        QFETCH(double, price);
        QFETCH(QString, weight);
        QFETCH(QString, tare);
        QFETCH(QString, amount);
        auto screen = makeScreen();
        if (!unit.isEmpty()) // the current line: a weighed product, or a packaged one bought twice
            bindTradeLines(screen.get(), {tradeLine(1, QStringLiteral("6901"), 2, QStringLiteral("个"), 1.0, 3),
                                          tradeLine(2, QStringLiteral("2001"), 2, unit, price, 3)});
        child<QLabel>(screen.get(), "lalMoney")->setText(QStringLiteral("9.99"));
        read(screen.get(), reading);
        QCOMPARE(text(screen.get(), "lblWeight"), weight);
        QCOMPARE(screen->GetlblWeightContent(), weight);
        QCOMPARE(text(screen.get(), "lblWeightP"), tare);
        QCOMPARE(text(screen.get(), "lalMoney"), amount);
        // The lamps follow the scale.
        QCOMPARE(checked(screen.get(), "btnStable"), reading.stable);
        QCOMPARE(checked(screen.get(), "btnSetZero"), reading.atZero);
        QCOMPARE(checked(screen.get(), "btnCutP"), reading.tareSet);
    }

    void stableWeightRule_data()
    {
        QTest::addColumn<Readings>("readings");
        QTest::addColumn<double>("sent");
        QTest::newRow("rounded to grams") << Readings{{1.23456, 0, true}} << 1.235;
        QTest::newRow("unstable after stable") << Readings{{0.755, 0, true}, {0.8, 0, false}} << 0.0;
        QTest::newRow("stable again") << Readings{{0.755, 0, true}, {0.8, 0, false}, {0.81, 0, true}} << 0.81;
    }

    void stableWeightRule()
    {
        QFETCH(Readings, readings);
        QFETCH(double, sent);
        auto screen = makeScreen();
        bindTradeLines(screen.get(), {tradeLine(9, QStringLiteral("2001"), 0, translated(673), 10, 3)});
        for (const Reading& r : readings)
            read(screen.get(), r);
        QSignalSpy asked(screen.get(), &TradeWidget::SignSetPludWeight);
        QSignalSpy weighed(screen.get(), &TradeWidget::SignTrdSetProdWeight);
        screen->SlotGetWeight();
        QTest::keyClick(screen->getUiQLineEdit(26), Qt::Key_Return);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(asked.at(0).at(0).toDouble(), sent);
        QCOMPARE(weighed.count(), 1);
        QCOMPARE(weighed.at(0), (QList<QVariant>{9, QStringLiteral("2001"), sent}));
    }

    // Zero, tare and preset tares as the cashier and the host's scale driver
    // work them: "read" takes the row's next reading, "p0"/"p1" press a preset,
    // "zero", "cut" and "clear" press those buttons, "cut key" is the host's
    // cut-tare key, "host T D" the tare state T with data D pushed by the host.
    // Then: the requests sent to the host ("CUT"/"CLEAR": the cut and clear
    // buttons' tare requests) and the presets ("c" chosen, "-" free, "x"
    // locked). The refusals are walked by tst_refusals.
    void tare_data()
    {
        QTest::addColumn<TareCase>("c");
        const Readings atZero{{0.0004, 0, true, false, true}};
        const Readings weighedTare{{0.2, 0.05, true, true}};
        QTest::newRow("zero only") << TareCase{"0", atZero, {"read", "zero"}, {"zero 0.000 true"}, "--"};
        QTest::newRow("zero only, preset kept")
            << TareCase{"0", atZero, {"read", "p0", "zero"}, {"update 0 0.05", "zero 0.000 true"}, "c-"};
        QTest::newRow("zero clears the weighed tare first")
            << TareCase{"1", atZero, {"read", "zero"}, {"CLEAR", "zero 0.000 true"}, "--"};
        QTest::newRow("zero releases the preset first")
            << TareCase{"1", atZero, {"read", "p0", "zero"}, {"update 0 0.05", "update 2 true", "zero 0.000 true"}, "--"};
        QTest::newRow("cut a positive weight") << TareCase{"", {{0.35, 0}}, {"read", "cut"}, {"CUT"}, "--"};
        QTest::newRow("cut keeps a preset with the weight")
            << TareCase{"", {{0.35, 0.05}}, {"p0", "read", "cut key"}, {"update 0 0.05", "update 3 true"}, "xx"};
        QTest::newRow("clear the weighed tare") << TareCase{"", {}, {"clear"}, {"CLEAR"}, "--"};
        QTest::newRow("clear after a preset tare was taken frees the keys")
            << TareCase{"", {{0.35, 0.05}}, {"p0", "read", "cut key", "clear"}, {"update 0 0.05", "update 3 true", "CLEAR"}, "--"};
        QTest::newRow("clear releases a preset") << TareCase{"", {}, {"p1", "clear"}, {"update 0 0.1", "update 2 true"}, "--"};
        QTest::newRow("select then release") << TareCase{"", {}, {"p0", "p0"}, {"update 0 0.05", "update 1 0.05"}, "--"};
        QTest::newRow("switch") << TareCase{"", {}, {"p0", "p1"}, {"update 0 0.05", "update 0 0.1"}, "-c"};
        // A weighed tare locks the presets while it is on the scale.
        QTest::newRow("weighed tare, stable") << TareCase{"", {{0.3, 0.08, true, true}}, {"read"}, {}, "xx"};
        QTest::newRow("weighed tare, unstable") << TareCase{"", {{0.3, 0.08, false, true}}, {"read"}, {}, "--"};
        QTest::newRow("tare taken off again")
            << TareCase{"", {{0.3, 0.08, true, true}, {0.3, 0, true}}, {"read", "read"}, {}, "--"};
        // The host's own state changes are not echoed back to it.
        QTest::newRow("host selects") << TareCase{"", {}, {"host 0 0.1"}, {}, "-c"};
        QTest::newRow("host selects an unknown weight") << TareCase{"", {}, {"host 0 0.10"}, {}, "--"};
        QTest::newRow("host releases") << TareCase{"", {}, {"p0", "host 1 0.05"}, {"update 0 0.05"}, "--"};
        QTest::newRow("host release unlocks") << TareCase{"", weighedTare, {"read", "host 1 9"}, {}, "--"};
        QTest::newRow("host taken changes nothing") << TareCase{"", {}, {"p0", "host 3 true"}, {"update 0 0.05"}, "c-"};
    }

    void tare()
    {
        QFETCH(TareCase, c);
        if (!c.zeroAndClear.isEmpty())
            config().set(QStringLiteral("WEIGHT_ZeroAndClearTare"), c.zeroAndClear);
        auto screen = makeScreen();
        Readings readings = c.readings;
        for (const QString& action : c.actions) {
            if (action == QLatin1String("read"))
                read(screen.get(), readings.takeFirst());
            else if (action.startsWith(QLatin1Char('p')))
                press(screen.get(), action.mid(1).toInt());
            else if (action == QLatin1String("cut key"))
                QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotBtnCutTareClicked"));
            else if (action.startsWith(QLatin1String("host ")))
                screen->SlotUpdateWeightData(TareUpdateType(action.section(QLatin1Char(' '), 1, 1).toInt()),
                                             action.endsWith(QLatin1String("true")) ? QVariant(true)
                                                                                    : QVariant(action.section(QLatin1Char(' '), 2)));
            else
                clickChild(screen.get(), action == QLatin1String("zero") ? "btnZero"
                                         : action == QLatin1String("cut") ? "btnCutTare"
                                                                          : "btnClearTare");
        }
        // The host tells the keys apart by their whole captions.
        QStringList expected = c.events;
        expected.replaceInStrings(QStringLiteral("CUT"), QStringLiteral("tare %1 false").arg(translated(7009)));
        expected.replaceInStrings(QStringLiteral("CLEAR"), QStringLiteral("tare %1 false").arg(translated(7008)));
        QCOMPARE(events, expected);
        QCOMPARE(presetState(screen.get()), c.presets);
        QVERIFY(MessageWidget::History().isEmpty());
        const int chosen = c.presets.indexOf(QLatin1Char('c'));
        QCOMPARE(screen->UsePresetTare(), chosen >= 0);
        QCOMPARE(screen->GetPresetTare(), chosen >= 0 ? presets(screen.get()).at(chosen)->text().toDouble() : 0.0);
        if (!c.presets.contains(QLatin1Char('x'))) // the cut button is locked while a preset is chosen
            QCOMPARE(cutEnabled(screen.get()), chosen < 0);
    }

    void tareStateCrossesThreads()
    {
        // A host whose scale driver runs in another thread queues the tare
        // state, connected by signature.
        auto screen = makeScreen();
        ScaleDriver driver;
        QVERIFY(connect(&driver, SIGNAL(tareState(TareUpdateType,QVariant)), screen.get(),
                        SLOT(SlotUpdateWeightData(TareUpdateType,QVariant)), Qt::QueuedConnection));
        emit driver.tareState(PresetTareSelected, QStringLiteral("0.05"));
        QCOMPARE(presetState(screen.get()), QStringLiteral("--"));
        QTRY_COMPARE(presetState(screen.get()), QStringLiteral("c-"));
    }
};

QTEST_MAIN(TradeWeighingTest)
#include "tst_trade_weighing.moc"
