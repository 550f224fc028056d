// The sales screen's weighing panel driven as a host's scale driver (readings
// through SlotShowProdWeight, tare states through SlotUpdateWeightData) and a
// cashier (zero, tare and preset buttons) would.

#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
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

KxPosPluDetail line(int lineNo, const QString& code, double qty, const QString& unit, double price)
{
    KxPosPluDetail l;
    l.lineNo = lineNo;
    l.pluCode = code;
    l.pluName = QStringLiteral("商品") + code;
    l.saleQty = qty;
    l.quantityDecimals = 3;
    l.salePrice = price;
    l.lineAmount = qty * price;
    l.unitName = unit;
    return l;
}

const char* const TwoPresets = R"([{"weight":"0.05"},{"weight":"0.1","caption":"盒"}])";
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

    std::unique_ptr<TradeWidget> makeScreen()
    {
        auto screen = std::make_unique<TradeWidget>(0, nullptr);
        TradeWidget* s = screen.get();
        connect(s, &TradeWidget::SignSendZero, this, [this](const QString& w, bool zero) {
            events << QStringLiteral("zero %1 %2").arg(w, zero ? QStringLiteral("true") : QStringLiteral("false"));
        });
        connect(s, &TradeWidget::SignSendTare, this, [this](const QString& text, bool isTare) {
            events << QStringLiteral("tare %1 %2").arg(text, isTare ? QStringLiteral("true") : QStringLiteral("false"));
        });
        connect(s, &TradeWidget::SignUpdateWeighWidget, this, [this](TareUpdateType type, const QVariant& data) {
            events << QStringLiteral("update %1 %2").arg(int(type)).arg(data.toString());
        });
        return screen;
    }
    static void read(TradeWidget* screen, const Reading& r)
    {
        QVERIFY(QMetaObject::invokeMethod(screen, "SlotShowProdWeight", Q_ARG(double, r.weight),
                                          Q_ARG(double, r.tare), Q_ARG(bool, r.stable), Q_ARG(bool, r.tareSet),
                                          Q_ARG(bool, r.atZero), Q_ARG(int, r.status)));
    }
    static QLabel* label(TradeWidget* screen, const char* name)
    {
        return screen->findChild<QLabel*>(QLatin1String(name));
    }
    static QPushButton* button(TradeWidget* screen, const char* name)
    {
        return screen->findChild<QPushButton*>(QLatin1String(name));
    }
    static QList<QPushButton*> presets(TradeWidget* screen)
    {
        return screen->findChildren<QPushButton*>(QStringLiteral("buttonTare"));
    }
    static QStringList presetTexts(TradeWidget* screen)
    {
        QStringList texts;
        for (QPushButton* b : presets(screen))
            texts << b->text();
        return texts;
    }
    // "c" checked, "-" unchecked, "x" disabled, one letter per preset.
    static QString presetState(TradeWidget* screen)
    {
        QString state;
        for (QPushButton* b : presets(screen))
            state += !b->isEnabled() ? QLatin1Char('x') : b->isChecked() ? QLatin1Char('c') : QLatin1Char('-');
        return state;
    }

private slots:
    void init()
    {
        ScreenTestCase::init();
        events.clear();
    }

    // --- Preset tares from the configuration -------------------------------------------

    void presetButtons_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("not configured") << QString() << QStringList{};
        QTest::newRow("two presets") << QString::fromUtf8(TwoPresets) << QStringList{"0.05", "0.1"};
        QTest::newRow("order kept") << R"([{"weight":"0.3"},{"weight":"0.02"},{"weight":"0.1"}])"
                                    << QStringList{"0.3", "0.02", "0.1"};
        QTest::newRow("non-objects skipped") << R"([1, {"weight":"0.2"}, "0.4", null, [], {"weight":"0.5"}])"
                                             << QStringList{"0.2", "0.5"};
        QTest::newRow("object instead of array") << R"({"weight":"0.1"})" << QStringList{};
        QTest::newRow("broken JSON") << R"([{"weight":"0.1"})" << QStringList{};
        QTest::newRow("not JSON at all") << "0.1,0.2" << QStringList{};
        QTest::newRow("empty array") << "[]" << QStringList{};
        QTest::newRow("number instead of text") << R"([{"weight":0.25}])" << QStringList{"0.25"};
        QTest::newRow("member missing") << R"([{"caption":"盒"}])" << QStringList{""};
    }

    void presetButtons()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, texts);
        if (!options.isNull())
            config().set(QStringLiteral("TRADE_TareOptions"), options);
        auto screen = makeScreen();
        QCOMPARE(presetTexts(screen.get()), texts);
        QWidget* strip = screen->findChild<QWidget*>(QStringLiteral("widgetTare"));
        QVERIFY(strip);
        for (QPushButton* b : presets(screen.get())) {
            QCOMPARE(b->parentWidget(), strip);
            QVERIFY(b->isCheckable());
            QVERIFY(!b->isChecked());
            QVERIFY(b->isEnabled());
            QCOMPARE(b->size(), KxPosConfig::GetAutoSize(80, 60, 50, 44));
        }
        QCOMPARE(screen->GetPresetTare(), 0.0);
        QVERIFY(!screen->UsePresetTare());
    }

    // --- Readings -----------------------------------------------------------------

    void reading_data()
    {
        QTest::addColumn<Reading>("reading");
        QTest::addColumn<QString>("unit"); // empty: no sale line
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("tare");
        QTest::addColumn<QString>("amount");

        const QString kg = KxPosTranslator::GetTranslation(673);
        QTest::newRow("three decimals, kilogram") << Reading{1.23456, 0.05, true} << kg << 10.0 << "1.235"
                                                  << "0.050" << "12.35";
        QTest::newRow("kilo") << Reading{0.5, 0, true} << KxPosTranslator::GetTranslation(2373) << 3.99 << "0.500"
                              << "0.000" << "2.00";
        QTest::newRow("gram") << Reading{250, 0, true} << KxPosTranslator::GetTranslation(672) << 0.02 << "250.000"
                              << "0.000" << "5.00";
        QTest::newRow("jin") << Reading{1.2, 0, false} << KxPosTranslator::GetTranslation(1610) << 8.0 << "1.200"
                             << "0.000" << "9.60";
        QTest::newRow("piece keeps the line amount") << Reading{1.23456, 0, true} << "个" << 10.0 << "1.235"
                                                     << "0.000" << "20.00";
        QTest::newRow("no sale line") << Reading{0.7, 0.01, true} << QString() << 0.0 << "0.700" << "0.010"
                                      << "0.00";
        QTest::newRow("negative weight") << Reading{-0.0123, 0, false} << kg << 10.0 << "-0.012" << "0.000"
                                         << "-0.12";
        QTest::newRow("overload") << Reading{35.2, 0.1, false, true, false, -1} << kg << 10.0
                                  << KxPosTranslator::GetTranslation(1731) << "0.100" << "352.00";
        QTest::newRow("underload keeps the tare") << Reading{-0.5, 0.2, false, true, false, -2} << kg << 10.0
                                                  << KxPosTranslator::GetTranslation(1732) << "0.200" << "-5.00";
        QTest::newRow("other status") << Reading{0.3, 0, true, false, false, 3} << kg << 10.0 << "0.300" << "0.000"
                                      << "3.00";
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
        if (!unit.isEmpty()) {
            // The current line: a weighed product, or a packaged one bought twice.
            QList<KxPosPluDetail> lines{line(1, QStringLiteral("6901"), 2, QStringLiteral("个"), 1.0),
                                        line(2, QStringLiteral("2001"), 2, unit, price)};
            screen->rebindModel(lines, {});
        }
        label(screen.get(), "lalMoney")->setText(QStringLiteral("9.99"));
        read(screen.get(), reading);
        QCOMPARE(label(screen.get(), "lblWeight")->text(), weight);
        QCOMPARE(screen->GetlblWeightContent(), weight);
        QCOMPARE(label(screen.get(), "lblWeightP")->text(), tare);
        QCOMPARE(label(screen.get(), "lalMoney")->text(), amount);
        QCOMPARE(button(screen.get(), "btnStable")->isChecked(), reading.stable);
        QCOMPARE(button(screen.get(), "btnSetZero")->isChecked(), reading.atZero);
        QCOMPARE(button(screen.get(), "btnCutP")->isChecked(), reading.tareSet);
    }

    void lampsFollowTheScale()
    {
        auto screen = makeScreen();
        read(screen.get(), Reading{0, 0, true, false, true});
        QVERIFY(button(screen.get(), "btnStable")->isChecked());
        QVERIFY(button(screen.get(), "btnSetZero")->isChecked());
        QVERIFY(!button(screen.get(), "btnCutP")->isChecked());
        read(screen.get(), Reading{0.2, 0.1, false, true, false});
        QVERIFY(!button(screen.get(), "btnStable")->isChecked());
        QVERIFY(!button(screen.get(), "btnSetZero")->isChecked());
        QVERIFY(button(screen.get(), "btnCutP")->isChecked());
    }

    void stableWeightRule_data()
    {
        QTest::addColumn<QList<Reading>>("readings");
        QTest::addColumn<double>("sent");
        QTest::newRow("stable") << QList<Reading>{{0.755, 0, true}} << 0.755;
        QTest::newRow("rounded to grams") << QList<Reading>{{1.23456, 0, true}} << 1.235;
        QTest::newRow("rounded down") << QList<Reading>{{0.12349, 0, true}} << 0.123;
        QTest::newRow("unstable") << QList<Reading>{{0.755, 0, false}} << 0.0;
        QTest::newRow("unstable after stable") << QList<Reading>{{0.755, 0, true}, {0.8, 0, false}} << 0.0;
        QTest::newRow("stable again") << QList<Reading>{{0.755, 0, true}, {0.8, 0, false}, {0.81, 0, true}} << 0.81;
        QTest::newRow("no reading") << QList<Reading>{} << 0.0;
    }

    void stableWeightRule()
    {
        QFETCH(QList<Reading>, readings);
        QFETCH(double, sent);
        auto screen = makeScreen();
        QList<KxPosPluDetail> lines{line(9, QStringLiteral("2001"), 0, KxPosTranslator::GetTranslation(673), 10)};
        screen->rebindModel(lines, {});
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
        QTest::addColumn<QList<Reading>>("readings");
        QTest::addColumn<QString>("state");
        QTest::newRow("no tare") << QList<Reading>{{0.3, 0, true}} << "--";
        QTest::newRow("weighed tare, stable") << QList<Reading>{{0.3, 0.08, true, true}} << "xx";
        QTest::newRow("weighed tare, unstable") << QList<Reading>{{0.3, 0.08, false, true}} << "--";
        QTest::newRow("tare taken off again") << QList<Reading>{{0.3, 0.08, true, true}, {0.3, 0, true}} << "--";
        QTest::newRow("tare still on while unstable") << QList<Reading>{{0.3, 0.08, true, true}, {0.3, 0.08, false, true}}
                                                      << "xx";
    }

    void weighedTareLocksPresets()
    {
        QFETCH(QList<Reading>, readings);
        QFETCH(QString, state);
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        auto screen = makeScreen();
        for (const Reading& r : readings)
            read(screen.get(), r);
        QCOMPARE(presetState(screen.get()), state);
        for (QPushButton* b : presets(screen.get()))
            QCOMPARE(b->isCheckable(), state.at(0) != QLatin1Char('x'));
    }

    // --- Zero ---------------------------------------------------------------------

    void zero_data()
    {
        QTest::addColumn<QString>("zeroAndClear");
        QTest::addColumn<bool>("presetChosen");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("state");
        QTest::newRow("zero only") << "0" << false << QStringList{"zero 0.000 true"} << "--";
        QTest::newRow("zero only, preset kept") << "0" << true << QStringList{"zero 0.000 true"} << "c-";
        QTest::newRow("clear weighed tare first") << "1" << false
                                                  << QStringList{"clear", "zero 0.000 true"} << "--";
        QTest::newRow("release preset first") << "1" << true << QStringList{"update 2 true", "zero 0.000 true"}
                                              << "--";
    }

    void zero()
    {
        QFETCH(QString, zeroAndClear);
        QFETCH(bool, presetChosen);
        QFETCH(QStringList, sent);
        QFETCH(QString, state);
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        config().set(QStringLiteral("WEIGHT_ZeroAndClearTare"), zeroAndClear);
        auto screen = makeScreen();
        read(screen.get(), Reading{0.0004, 0, true, false, true});
        if (presetChosen)
            QTest::mouseClick(presets(screen.get()).at(0), Qt::LeftButton);
        events.clear();
        QTest::mouseClick(button(screen.get(), "btnZero"), Qt::LeftButton);
        sent.replaceInStrings(QStringLiteral("clear"),
                              QStringLiteral("tare %1 false").arg(button(screen.get(), "btnClearTare")->text()));
        QCOMPARE(events, sent);
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(button(screen.get(), "btnCutTare")->isEnabled(), !state.contains(QLatin1Char('c')));
        // The host's own zero key behaves the same.
        events.clear();
        screen->WeightZero();
        QCOMPARE(events.last(), QStringLiteral("zero 0.000 true"));
    }

    void lampButtonsSendRequests()
    {
        auto screen = makeScreen();
        read(screen.get(), Reading{0.42, 0, true, false, false});
        QTest::mouseClick(button(screen.get(), "btnSetZero"), Qt::LeftButton);
        QTest::mouseClick(button(screen.get(), "btnCutP"), Qt::LeftButton);
        screen->SendZero();
        screen->SendTare();
        QCOMPARE(events, (QStringList{"zero 0.420 true", "tare 去皮 true", "zero 0.420 true", "tare 去皮 true"}));
        // A click does not light a lamp; only the scale does.
        QVERIFY(!button(screen.get(), "btnSetZero")->isChecked());
        QVERIFY(!button(screen.get(), "btnCutP")->isChecked());
        read(screen.get(), Reading{0, 0.42, true, true, true});
        QTest::mouseClick(button(screen.get(), "btnCutP"), Qt::LeftButton);
        QVERIFY(button(screen.get(), "btnCutP")->isChecked());
    }

    // --- Tare ---------------------------------------------------------------------

    void cutTare_data()
    {
        QTest::addColumn<Reading>("reading");
        QTest::addColumn<bool>("presetChosen");
        QTest::addColumn<QString>("sent"); // "cut": the cut-tare request; "taken": preset kept with the weight
        QTest::addColumn<QString>("state");
        QTest::newRow("positive weight") << Reading{0.35, 0, true} << false << "cut" << "--";
        QTest::newRow("no weight") << Reading{0, 0, true} << false << "" << "--";
        QTest::newRow("negative weight") << Reading{-0.02, 0, true} << false << "" << "--";
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
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        auto screen = makeScreen();
        if (presetChosen)
            QTest::mouseClick(presets(screen.get()).at(0), Qt::LeftButton);
        read(screen.get(), reading);
        events.clear();
        QPushButton* cut = button(screen.get(), "btnCutTare");
        if (presetChosen) {
            // The button is locked while a preset is chosen; the host's key still works.
            QVERIFY(!cut->isEnabled());
            QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotBtnCutTareClicked"));
        } else {
            QVERIFY(cut->isEnabled());
            QTest::mouseClick(cut, Qt::LeftButton);
        }
        if (sent.isEmpty()) {
            QCOMPARE(events, QStringList{});
            QCOMPARE(MessageWidget::History(), (QList<QPair<QString, QString>>{notice(1724)}));
        } else {
            QVERIFY(MessageWidget::History().isEmpty());
            QCOMPARE(events, QStringList{sent == QLatin1String("cut")
                                             ? QStringLiteral("tare %1 false").arg(cut->text())
                                             : QStringLiteral("update 3 true")});
        }
        QCOMPARE(presetState(screen.get()), state);
    }

    void clearTare_data()
    {
        QTest::addColumn<bool>("presetChosen");
        QTest::addColumn<QString>("sent");
        QTest::newRow("weighed tare") << false << "clear";
        QTest::newRow("preset") << true << "update 2 true";
    }

    void clearTare()
    {
        QFETCH(bool, presetChosen);
        QFETCH(QString, sent);
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        auto screen = makeScreen();
        if (presetChosen)
            QTest::mouseClick(presets(screen.get()).at(1), Qt::LeftButton);
        events.clear();
        QTest::mouseClick(button(screen.get(), "btnClearTare"), Qt::LeftButton);
        if (sent == QLatin1String("clear"))
            sent = QStringLiteral("tare %1 false").arg(button(screen.get(), "btnClearTare")->text());
        QCOMPARE(events, QStringList{sent});
        QCOMPARE(presetState(screen.get()), QStringLiteral("--"));
        QVERIFY(button(screen.get(), "btnCutTare")->isEnabled());
        QVERIFY(!screen->UsePresetTare());
    }

    // --- Presets chosen by the cashier ---------------------------------------------

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
        QTest::newRow("switch and release")
            << QList<int>{0, 1, 1} << QStringList{"update 0 0.05", "update 0 0.1", "update 1 0.1"} << "--" << 0.0;
        QTest::newRow("select again after release")
            << QList<int>{1, 1, 1} << QStringList{"update 0 0.1", "update 1 0.1", "update 0 0.1"} << "-c" << 0.1;
    }

    void presetPresses()
    {
        QFETCH(QList<int>, presses);
        QFETCH(QStringList, sent);
        QFETCH(QString, state);
        QFETCH(double, tare);
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        auto screen = makeScreen();
        QSignalSpy updates(screen.get(), &TradeWidget::SignUpdateWeighWidget);
        for (int i : presses)
            QTest::mouseClick(presets(screen.get()).at(i), Qt::LeftButton);
        QCOMPARE(events, sent);
        QCOMPARE(updates.count(), sent.size());
        QCOMPARE(updates.at(0).at(0).value<TareUpdateType>(), PresetTareSelected);
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(screen->GetPresetTare(), tare);
        QCOMPARE(screen->UsePresetTare(), tare > 0);
        QCOMPARE(button(screen.get(), "btnCutTare")->isEnabled(), tare == 0.0);
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void invalidPresetIsRefused_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<bool>("chooseFirst");
        QTest::addColumn<QString>("state");
        QTest::newRow("zero") << R"([{"weight":"0.05"},{"weight":"0"}])" << false << "--";
        QTest::newRow("negative") << R"([{"weight":"0.05"},{"weight":"-0.1"}])" << false << "--";
        QTest::newRow("not a number") << R"([{"weight":"0.05"},{"weight":"box"}])" << false << "--";
        QTest::newRow("empty text") << R"([{"weight":"0.05"},{"caption":"盒"}])" << false << "--";
        QTest::newRow("previous choice stays") << R"([{"weight":"0.05"},{"weight":"0"}])" << true << "c-";
    }

    void invalidPresetIsRefused()
    {
        QFETCH(QString, options);
        QFETCH(bool, chooseFirst);
        QFETCH(QString, state);
        config().set(QStringLiteral("TRADE_TareOptions"), options);
        auto screen = makeScreen();
        if (chooseFirst)
            QTest::mouseClick(presets(screen.get()).at(0), Qt::LeftButton);
        events.clear();
        QTest::mouseClick(presets(screen.get()).at(1), Qt::LeftButton);
        QCOMPARE(events, QStringList{});
        QCOMPARE(MessageWidget::History(), (QList<QPair<QString, QString>>{notice(1723)}));
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(button(screen.get(), "btnCutTare")->isEnabled(), !chooseFirst);
        // The refused press leaves the choice as it was: pressing the first
        // preset now releases it (when chosen) or chooses it.
        QTest::mouseClick(presets(screen.get()).at(0), Qt::LeftButton);
        QCOMPARE(events, QStringList{chooseFirst ? QStringLiteral("update 1 0.05") : QStringLiteral("update 0 0.05")});
    }

    // --- Tare state pushed by the host ------------------------------------------------

    void hostTareState_data()
    {
        QTest::addColumn<QString>("before"); // "chosen": first preset chosen; "locked": weighed tare on
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("data");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("cutEnabled");
        QTest::newRow("select") << "" << int(PresetTareSelected) << QVariant(QStringLiteral("0.1")) << "-c" << false;
        QTest::newRow("select unknown weight") << "" << int(PresetTareSelected) << QVariant(QStringLiteral("0.10"))
                                               << "--" << true;
        QTest::newRow("select another") << "chosen" << int(PresetTareSelected) << QVariant(QStringLiteral("0.1"))
                                        << "-c" << false;
        QTest::newRow("release") << "chosen" << int(PresetTareReleased) << QVariant(QStringLiteral("0.05")) << "--"
                                 << true;
        QTest::newRow("release unknown unlocks") << "locked" << int(PresetTareReleased)
                                                 << QVariant(QStringLiteral("9")) << "--" << true;
        QTest::newRow("cleared") << "locked" << int(TareCleared) << QVariant(true) << "--" << true;
        QTest::newRow("cleared a preset") << "chosen" << int(TareCleared) << QVariant(true) << "--" << true;
        QTest::newRow("taken changes nothing") << "chosen" << int(TareTaken) << QVariant(true) << "c-" << false;
    }

    void hostTareState()
    {
        QFETCH(QString, before);
        QFETCH(int, type);
        QFETCH(QVariant, data);
        QFETCH(QString, state);
        QFETCH(bool, cutEnabled);
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        auto screen = makeScreen();
        if (before == QLatin1String("chosen"))
            QTest::mouseClick(presets(screen.get()).at(0), Qt::LeftButton);
        else if (before == QLatin1String("locked"))
            read(screen.get(), Reading{0.2, 0.05, true, true});
        events.clear();
        screen->SlotUpdateWeightData(TareUpdateType(type), data);
        QCOMPARE(presetState(screen.get()), state);
        QCOMPARE(button(screen.get(), "btnCutTare")->isEnabled(), cutEnabled);
        // The host's own state changes are not echoed back to it.
        QCOMPARE(events, QStringList{});
    }

    void buttonByWeight_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<int>("index");
        QTest::newRow("first") << "0.05" << 0;
        QTest::newRow("second") << "0.1" << 1;
        QTest::newRow("same number, other text") << "0.10" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void buttonByWeight()
    {
        QFETCH(QString, weight);
        QFETCH(int, index);
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
        auto screen = makeScreen();
        QAbstractButton* expected = index < 0 ? nullptr : presets(screen.get()).at(index);
        QCOMPARE(screen->GetButtonByWeight(weight), expected);
    }

    void noPresetsNoCrash()
    {
        auto screen = makeScreen();
        QVERIFY(!screen->GetButtonByWeight(QStringLiteral("0.1")));
        screen->SelectPreTare(nullptr);
        screen->DeselectPreTare(nullptr);
        screen->SetTareButtonEnable(false);
        screen->SlotUpdateWeightData(PresetTareSelected, QStringLiteral("0.1"));
        screen->SlotUpdateWeightData(PresetTareReleased, QVariant());
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTareButtonClicked",
                                          Q_ARG(QAbstractButton*, nullptr)));
        QCOMPARE(screen->GetPresetTare(), 0.0);
        QVERIFY(button(screen.get(), "btnCutTare")->isEnabled());
        QCOMPARE(events, QStringList{});
    }

    void tareStateCrossesThreads()
    {
        // A host whose scale driver runs in another thread queues the tare
        // state, connected by signature.
        config().set(QStringLiteral("TRADE_TareOptions"), QString::fromUtf8(TwoPresets));
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
