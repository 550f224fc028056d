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
using Messages = QList<QPair<QString, QString>>;

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

    void presetButtons_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("not configured") << QString() << QStringList{};
        QTest::newRow("in the configured order") << R"([{"weight":"0.3"},{"weight":"0.02"}])" << QStringList{"0.3", "0.02"};
        QTest::newRow("non-objects skipped") << R"([1, {"weight":"0.2"}, "0.4", null, []])" << QStringList{"0.2"};
        QTest::newRow("broken JSON") << R"([{"weight":"0.1"})" << QStringList{};
        QTest::newRow("number instead of text") << R"([{"weight":0.25}])" << QStringList{"0.25"};
        QTest::newRow("member missing") << R"([{"caption":"盒"}])" << QStringList{""};
    }

    void presetButtons()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, texts);
        auto screen = makeScreen(options);
        QStringList shown;
        for (QPushButton* b : presets(screen.get()))
            shown << b->text();
        QCOMPARE(shown, texts);
        QCOMPARE(presetState(screen.get()), QString(texts.size(), QLatin1Char('-')));
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
        QTest::newRow("rounded down") << Readings{{0.12349, 0, true}} << 0.123;
        QTest::newRow("unstable after stable") << Readings{{0.755, 0, true}, {0.8, 0, false}} << 0.0;
        QTest::newRow("stable again") << Readings{{0.755, 0, true}, {0.8, 0, false}, {0.81, 0, true}} << 0.81;
        QTest::newRow("no reading") << Readings{} << 0.0;
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

    void weighedTareLocksPresets_data()
    {
        QTest::addColumn<Readings>("readings");
        QTest::addColumn<QString>("state");
        QTest::newRow("weighed tare, stable") << Readings{{0.3, 0.08, true, true}} << "xx";
        QTest::newRow("weighed tare, unstable") << Readings{{0.3, 0.08, false, true}} << "--";
        QTest::newRow("tare taken off again") << Readings{{0.3, 0.08, true, true}, {0.3, 0, true}} << "--";
        QTest::newRow("tare still on while unstable") << Readings{{0.3, 0.08, true, true}, {0.3, 0.08, false, true}}
                                                      << "xx";
    }

    void weighedTareLocksPresets()
    {
        QFETCH(Readings, readings);
        QFETCH(QString, state);
        auto screen = makeScreen();
        for (const Reading& r : readings)
            read(screen.get(), r);
        QCOMPARE(presetState(screen.get()), state);
    }

    void zero_data()
    {
        QTest::addColumn<QString>("zeroAndClear");
        QTest::addColumn<bool>("presetChosen");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("state");
        QTest::newRow("zero only") << "0" << false << QStringList{"zero 0.000 true"} << "--";
        QTest::newRow("zero only, preset kept") << "0" << true << QStringList{"zero 0.000 true"} << "c-";
        QTest::newRow("clear weighed tare first") << "1" << false << QStringList{"clear", "zero 0.000 true"} << "--";
        QTest::newRow("release preset first") << "1" << true << QStringList{"update 2 true", "zero 0.000 true"} << "--";
    }

    void zero()
    {
        QFETCH(QString, zeroAndClear);
        QFETCH(bool, presetChosen);
        QFETCH(QStringList, sent);
        QFETCH(QString, state);
        config().set(QStringLiteral("WEIGHT_ZeroAndClearTare"), zeroAndClear);
        auto screen = makeScreen();
        read(screen.get(), Reading{0.0004, 0, true, false, true});
        if (presetChosen)
            press(screen.get(), 0);
        events.clear();
        clickChild(screen.get(), "btnZero");
        const QString clear = child<QPushButton>(screen.get(), "btnClearTare")->text();
        QCOMPARE(events, sent.replaceInStrings(QStringLiteral("clear"), QStringLiteral("tare %1 false").arg(clear)));
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(cutEnabled(screen.get()), !state.contains(QLatin1Char('c')));
        // The host's own zero key behaves the same.
        events.clear();
        screen->WeightZero();
        QCOMPARE(events.last(), QStringLiteral("zero 0.000 true"));
    }

    void lampButtonsSendRequests()
    {
        auto screen = makeScreen();
        read(screen.get(), Reading{0.42, 0, true, false, false});
        clickChild(screen.get(), "btnSetZero");
        clickChild(screen.get(), "btnCutP");
        screen->SendZero(); // the host's own keys
        screen->SendTare();
        QCOMPARE(events, (QStringList{"zero 0.420 true", "tare 去皮 true", "zero 0.420 true", "tare 去皮 true"}));
        // A click does not light a lamp; only the scale does.
        QVERIFY(!checked(screen.get(), "btnSetZero"));
        QVERIFY(!checked(screen.get(), "btnCutP"));
        read(screen.get(), Reading{0, 0.42, true, true, true});
        clickChild(screen.get(), "btnCutP");
        QVERIFY(checked(screen.get(), "btnCutP"));
    }

    void cutTare_data()
    {
        QTest::addColumn<Reading>("reading");
        QTest::addColumn<bool>("presetChosen");
        QTest::addColumn<QString>("sent"); // "cut": the cut-tare request; "taken": preset kept with the weight
        QTest::addColumn<QString>("state");
        QTest::newRow("positive weight") << Reading{0.35, 0, true} << false << "cut" << "--";
        QTest::newRow("no weight") << Reading{0, 0, true} << false << "" << "--";
        QTest::newRow("overload text") << Reading{31, 0, false, false, false, -1} << false << "" << "--";
        QTest::newRow("with a preset") << Reading{0.35, 0.05, true} << true << "taken" << "xx";
        QTest::newRow("with a preset, no weight") << Reading{0, 0.05, true} << true << "" << "c-";
    }

    void cutTare()
    {
        QFETCH(Reading, reading);
        QFETCH(bool, presetChosen);
        QFETCH(QString, sent);
        QFETCH(QString, state);
        auto screen = makeScreen();
        if (presetChosen)
            press(screen.get(), 0);
        read(screen.get(), reading);
        events.clear();
        // The button is locked while a preset is chosen; the host's key still works.
        QCOMPARE(cutEnabled(screen.get()), !presetChosen);
        if (presetChosen)
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotBtnCutTareClicked"));
        else
            clickChild(screen.get(), "btnCutTare");
        const QString cut = QStringLiteral("tare %1 false").arg(child<QPushButton>(screen.get(), "btnCutTare")->text());
        QCOMPARE(MessageWidget::History(), sent.isEmpty() ? Messages{notice(1724)} : Messages{});
        QCOMPARE(events, sent.isEmpty()            ? QStringList{}
                         : sent == QLatin1String("cut") ? QStringList{cut}
                                                        : QStringList{"update 3 true"});
        QCOMPARE(presetState(screen.get()), state);
    }

    void clearTare_data()
    {
        QTest::addColumn<bool>("presetChosen");
        QTest::newRow("weighed tare") << false;
        QTest::newRow("preset") << true;
    }

    void clearTare()
    {
        QFETCH(bool, presetChosen);
        auto screen = makeScreen();
        if (presetChosen)
            press(screen.get(), 1);
        events.clear();
        clickChild(screen.get(), "btnClearTare");
        const QString clear = QStringLiteral("tare %1 false").arg(child<QPushButton>(screen.get(), "btnClearTare")->text());
        QCOMPARE(events, QStringList{presetChosen ? QStringLiteral("update 2 true") : clear});
        QCOMPARE(presetState(screen.get()), QStringLiteral("--"));
        QVERIFY(cutEnabled(screen.get()));
        QVERIFY(!screen->UsePresetTare());
    }

    void presetPresses_data()
    {
        QTest::addColumn<QList<int>>("presses");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("state");
        QTest::addColumn<double>("tare");
        QTest::newRow("select") << QList<int>{0} << QStringList{"update 0 0.05"} << "c-" << 0.05;
        QTest::newRow("select then release") << QList<int>{0, 0} << QStringList{"update 0 0.05", "update 1 0.05"}
                                             << "--" << 0.0;
        QTest::newRow("switch") << QList<int>{0, 1} << QStringList{"update 0 0.05", "update 0 0.1"} << "-c" << 0.1;
        QTest::newRow("select again after release")
            << QList<int>{1, 1, 1} << QStringList{"update 0 0.1", "update 1 0.1", "update 0 0.1"} << "-c" << 0.1;
    }

    void presetPresses()
    {
        QFETCH(QList<int>, presses);
        QFETCH(QStringList, sent);
        QFETCH(QString, state);
        QFETCH(double, tare);
        auto screen = makeScreen();
        QSignalSpy updates(screen.get(), &TradeWidget::SignUpdateWeighWidget);
        for (int i : presses)
            press(screen.get(), i);
        QCOMPARE(events, sent);
        QCOMPARE(updates.count(), sent.size());
        QCOMPARE(updates.at(0).at(0).value<TareUpdateType>(), PresetTareSelected);
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(screen->GetPresetTare(), tare);
        QCOMPARE(screen->UsePresetTare(), tare > 0);
        QCOMPARE(cutEnabled(screen.get()), tare == 0.0);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void invalidPresetIsRefused_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<bool>("chooseFirst");
        QTest::newRow("zero") << R"([{"weight":"0.05"},{"weight":"0"}])" << false;
        QTest::newRow("not a number") << R"([{"weight":"0.05"},{"weight":"box"}])" << false;
        QTest::newRow("previous choice stays") << R"([{"weight":"0.05"},{"weight":"0"}])" << true;
    }

    void invalidPresetIsRefused()
    {
        QFETCH(QString, options);
        QFETCH(bool, chooseFirst);
        auto screen = makeScreen(options);
        if (chooseFirst)
            press(screen.get(), 0);
        events.clear();
        press(screen.get(), 1);
        QCOMPARE(events, QStringList{});
        QCOMPARE(MessageWidget::History(), Messages{notice(1723)});
        QCOMPARE(presetState(screen.get()), chooseFirst ? QStringLiteral("c-") : QStringLiteral("--"));
        QCOMPARE(cutEnabled(screen.get()), !chooseFirst);
        // The refused press leaves the choice as it was: pressing the first
        // preset now releases it (when chosen) or chooses it.
        press(screen.get(), 0);
        QCOMPARE(events, QStringList{chooseFirst ? QStringLiteral("update 1 0.05") : QStringLiteral("update 0 0.05")});
    }

    void hostTareState_data()
    {
        QTest::addColumn<QString>("before"); // "chosen": first preset chosen; "locked": weighed tare on
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("data");
        QTest::addColumn<QString>("state");
        QTest::newRow("select") << "" << int(PresetTareSelected) << QVariant(QStringLiteral("0.1")) << "-c";
        QTest::newRow("select unknown weight") << "" << int(PresetTareSelected) << QVariant(QStringLiteral("0.10")) << "--";
        QTest::newRow("release") << "chosen" << int(PresetTareReleased) << QVariant(QStringLiteral("0.05")) << "--";
        QTest::newRow("release unknown unlocks") << "locked" << int(PresetTareReleased) << QVariant(QStringLiteral("9"))
                                                 << "--";
        QTest::newRow("cleared") << "locked" << int(TareCleared) << QVariant(true) << "--";
        QTest::newRow("taken changes nothing") << "chosen" << int(TareTaken) << QVariant(true) << "c-";
    }

    void hostTareState()
    {
        QFETCH(QString, before);
        QFETCH(int, type);
        QFETCH(QVariant, data);
        QFETCH(QString, state);
        auto screen = makeScreen();
        if (before == QLatin1String("chosen"))
            press(screen.get(), 0);
        else if (before == QLatin1String("locked"))
            read(screen.get(), Reading{0.2, 0.05, true, true});
        events.clear();
        screen->SlotUpdateWeightData(TareUpdateType(type), data);
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(cutEnabled(screen.get()), !state.contains(QLatin1Char('c')));
        // The host's own state changes are not echoed back to it.
        QCOMPARE(events, QStringList{});
    }

    void noPresetsLeaveTheTareAlone()
    {
        auto screen = makeScreen(QString());
        QVERIFY(!screen->GetButtonByWeight(QStringLiteral("0.1")));
        screen->SelectPreTare(nullptr);
        screen->SlotUpdateWeightData(PresetTareSelected, QStringLiteral("0.1"));
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTareButtonClicked", Q_ARG(QAbstractButton*, nullptr)));
        QCOMPARE(screen->GetPresetTare(), 0.0);
        QVERIFY(cutEnabled(screen.get()));
        QCOMPARE(events, QStringList{});
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
