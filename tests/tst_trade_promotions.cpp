// Promotion display of the sales screen: the numbered whole-bill list, the
// main promotion, per-line texts, the two-line suggestion and the
// customer-display advertisement request.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosModel.h"
#include "contracts/TableModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using namespace KxPosTest;

// The idle timer is the screen's own; tests look at it through the screen's
// test seam instead of waiting out real idle times.
class TradeWidgetTestAccess
{
public:
    static const QTimer& adTimer(const TradeWidget& screen) { return screen.customerAdTimer; }
};

namespace {
using Promotions = QMap<QString, QList<KxPosProRemarkHelper>>;

QList<KxPosProRemarkHelper> promotions(int count)
{
    QList<KxPosProRemarkHelper> list;
    for (int i = 1; i <= count; ++i)
        list.append({QStringLiteral("P%1").arg(i), QStringLiteral("满%1减%2").arg(i * 50).arg(i * 5)});
    return list;
}
} // namespace

class TradePromotionsTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<TradeWidget> screen;

    QComboBox* list() { return screen->getUiQComboBox(69); }
    const QTimer& adTimer() { return TradeWidgetTestAccess::adTimer(*screen); }

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

    void numberedWholeBillList_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("key");
        QTest::newRow("three") << 3 << "000000";
        QTest::newRow("only line promotions") << 2 << "1001";
    }

    void numberedWholeBillList()
    {
        QFETCH(int, count);
        QFETCH(QString, key);
        screen = startedTradeScreen();
        QSignalSpy reload(screen.get(), &TradeWidget::SignUpdateOrderList);
        Promotions map;
        map.insert(key, promotions(count));
        map.insert(QStringLiteral("2002"), promotions(1));
        screen->SetProText(map, QString());
        const int shown = key == QLatin1String("000000") ? count : 0;
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->itemText(i);
        QStringList expected;
        for (int i = 1; i <= shown; ++i)
            expected << QStringLiteral("%1/%2 满%3减%4").arg(i).arg(shown).arg(i * 50).arg(i * 5);
        QCOMPARE(texts, expected);
        QCOMPARE(list()->isVisible(), shown > 0);
        QCOMPARE(list()->currentIndex(), -1);
        // Refilling the list is not a choice of the cashier.
        QCOMPARE(reload.count(), 0);
        // A later map without the whole-bill key empties and hides the list.
        screen->SetProText(Promotions{}, QString());
        QCOMPARE(list()->count(), 0);
        QVERIFY(!list()->isVisible());
    }

    void perLineTexts()
    {
        screen = startedTradeScreen();
        bindTradeLines(screen.get(), tradeLines(3));
        TableModel* model = screen->GetTable()->model();
        QTableView* table = screen->GetTable()->view();
        QVERIFY(table->isColumnHidden(14));
        screen->UpdatePluProInfo({{0, QStringLiteral("第二件半价")},
                                  {2, QStringLiteral("满10减2")},
                                  {3, QStringLiteral("row count")},
                                  {-1, QStringLiteral("negative")}});
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE((QStringList{model->data(0, 14), model->data(1, 14), model->data(2, 14)}),
                 (QStringList{"第二件半价", "", "满10减2"}));
        QVERIFY(!table->isColumnHidden(14));
        // Clearing the texts gives the room back.
        screen->UpdatePluProInfo({{0, QString()}, {2, QString()}});
        QVERIFY(table->isColumnHidden(14));
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
        bindTradeLines(screen.get(), {});
        QTest::qWait(500);
        QCOMPARE(ad.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ad.count(), 1, 1500);
        QCOMPARE(ad.at(0).at(0).toBool(), true);
        // Fired once, not again.
        QVERIFY(!adTimer().isActive());
        QTest::qWait(1200);
        QCOMPARE(ad.count(), 1);
    }

    void hiddenScreenRequestsNothing()
    {
        config().set(QStringLiteral("DISPLAY_IdleTimeout"), QStringLiteral("1"));
        screen = startedTradeScreen();
        bindTradeLines(screen.get(), {});
        QVERIFY(adTimer().isActive());
        screen->SlotHideTrade();
        QSignalSpy ad(screen.get(), &TradeWidget::SignShowFullScreenAd);
        // The idle time passes while the screen is hidden.
        QTRY_VERIFY_WITH_TIMEOUT(!adTimer().isActive(), 5000);
        QCOMPARE(ad.count(), 0);
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotCusAdTimerTimeout"));
        QCOMPARE(ad.count(), 0);
    }
};

QTEST_MAIN(TradePromotionsTest)
#include "tst_trade_promotions.moc"
