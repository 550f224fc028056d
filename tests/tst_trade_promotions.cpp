// Promotion display of the sales screen: the numbered whole-bill list, the
// main promotion, per-line texts, the two-line suggestion and the
// customer-display advertisement request.

#include "TestRecords.h"
#include "TestScreens.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/TableModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace KxPosTest;

class TradePromotionsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<TradeWidget> screen;

    QComboBox* list() { return screen->getUiQComboBox(69); }
    const QTimer& adTimer() { return TradeWidgetTestAccess::idleAd(*screen); }

private slots:
    void init()
    {
        ScreenTestCase::init();
        config().set(QStringLiteral("TRADE_UseSuggestPro"), QStringLiteral("1"));
    }

    void cleanup()
    {
        screen.reset();
        ScreenTestCase::cleanup();
    }

    void suggestionShowsTwoLines_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown"); // empty: wrapped to the label's width
        QTest::newRow("two parts") << QStringLiteral("再买1件享8折\n满99包邮") << QStringLiteral("再买1件享8折\n满99包邮");
        QTest::newRow("three parts") << QStringLiteral("再买1件享8折\n满99包邮\n会员积分翻倍")
                                     << QStringLiteral("再买1件享8折\n满99包邮...");
        QTest::newRow("long") << QString(QStringLiteral("再买一件同款商品即可享受第二件半价优惠")).repeated(6) << QString();
    }

    void suggestionShowsTwoLines()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        screen = startedTradeScreen();
        auto* label = child<QLabel>(screen.get(), "label_ProSuggest");
        QString text = message;
        screen->SlotUpdateProSuggest(text);
        if (shown.isEmpty()) { // two lines that fit the label, cut short
            const QStringList lines = label->text().split(QLatin1Char('\n'));
            QCOMPARE(lines.size(), 2);
            QVERIFY(label->text().endsWith(QLatin1String("...")));
            QVERIFY(message.startsWith(lines.at(0)));
            for (const QString& line : lines)
                QVERIFY(label->fontMetrics().horizontalAdvance(line.chopped(line.endsWith(QLatin1String("...")) ? 3 : 0))
                        <= label->contentsRect().width());
        } else {
            QCOMPARE(label->text(), shown);
        }
        QCOMPARE(label->property("allText").toString(), message);
        // A press opens the whole suggestion on one line.
        QStringList opened;
        connect(screen.get(), &TradeWidget::SignShowProSuggest, this, [&opened](QString& msg) { opened << msg; });
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(opened, QStringList{QString(message).replace(QLatin1Char('\n'), QStringLiteral("   "))});
    }

    // --- The whole-bill promotion list -------------------------------------------

    void billPromotionList_data()
    {
        QTest::addColumn<QStringList>("remarks");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("one") << QStringList{"满50减5"} << QStringList{"1/1 满50减5"};
        QTest::newRow("three") << QStringList{"满50减5", "第二件半价", "会员9折"}
                               << QStringList{"1/3 满50减5", "2/3 第二件半价", "3/3 会员9折"};
    }

    // The host's whole-bill promotions fill the list, numbered; none is chosen
    // for the cashier, and the box names the promotions behind it in the
    // cashier's language instead of showing an empty box.
    void billPromotionList()
    {
        QFETCH(QStringList, remarks);
        QFETCH(QStringList, items);
        screen = startedTradeScreen();
        QList<KxPosProRemarkHelper> promotions;
        for (const QString& remark : remarks)
            promotions << KxPosProRemarkHelper{QStringLiteral("P%1").arg(promotions.size()), remark};
        QSignalSpy chosen(list(), &QComboBox::currentTextChanged);
        screen->SetProText({{QStringLiteral("000000"), promotions}, {QStringLiteral("000001"), promotions}}, QString());
        QCOMPARE(list()->isVisibleTo(screen.get()), !remarks.isEmpty());
        QStringList shown;
        for (int i = 0; i < list()->count(); ++i)
            shown << list()->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(list()->currentIndex(), -1);
        QCOMPARE(chosen.count(), 0);
        if (remarks.isEmpty())
            return;
        QCOMPARE(list()->placeholderText(), QStringLiteral("整单促销 (%1)").arg(remarks.size()));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QTRY_COMPARE(list()->placeholderText(), QStringLiteral("Bill promotions (%1)").arg(remarks.size()));
        QCOMPARE(list()->currentIndex(), -1);
    }

    // --- Customer-display advertisement after an idle time ------------------------

    void advertisementTimer_data()
    {
        QTest::addColumn<QString>("idle");
        QTest::addColumn<int>("interval"); // 0: no timer
        QTest::newRow("30 seconds") << "30" << 30000;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("decimal") << "2.5" << 0;
    }

    void advertisementTimer()
    {
        QFETCH(QString, idle);
        QFETCH(int, interval);
        config().set(QStringLiteral("DISPLAY_IdleTimeout"), idle);
        screen = startedTradeScreen();
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);
        bindTradeLines(screen.get(), {});
        QCOMPARE(adTimer().isActive(), interval > 0);
        if (interval)
            QCOMPARE(adTimer().interval(), interval);
        QCOMPARE(ad.count(), 0);
        // Lines withdraw the request, once per rebind, and stop the timer.
        bindTradeLines(screen.get(), tradeLines(3));
        QVERIFY(!adTimer().isActive());
        QCOMPARE(ad.count(), 1);
        QCOMPARE(ad.at(0).at(0).toBool(), false);
        // So does a quantity typed before the next product.
        bindTradeLines(screen.get(), {});
        screen->getUiQLineEdit(26)->setText(QStringLiteral("2"));
        clickChild(screen.get(), "btnUpdNum");
        QVERIFY(!adTimer().isActive());
        QCOMPARE(ad.count(), 2);
        QCOMPARE(ad.last().at(0).toBool(), false);
    }

    void advertisementAfterIdleTime()
    {
        config().set(QStringLiteral("DISPLAY_IdleTimeout"), QStringLiteral("1"));
        screen = startedTradeScreen();
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);
        QElapsedTimer idle;
        bindTradeLines(screen.get(), {});
        idle.start();
        QTRY_COMPARE_WITH_TIMEOUT(ad.count(), 1, 10000);
        // Not before the idle second (a coarse timer may end 5 % early).
        QVERIFY2(idle.elapsed() >= 950, qPrintable(QString::number(idle.elapsed())));
        QCOMPARE(ad.at(0).at(0).toBool(), true);
        // Fired once: nothing is left to fire again.
        QVERIFY(!adTimer().isActive());
        QCoreApplication::processEvents();
        QCOMPARE(ad.count(), 1);
    }

};

QTEST_MAIN(TradePromotionsTest)
#include "tst_trade_promotions.moc"
