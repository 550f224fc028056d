// The sales screen's frame: variants, window states, accessors, clock and
// retranslation, driven as a host and a cashier would.

#include "TestRecords.h"
#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UIComponentGapFiller.h"

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace KxPosTest;

class TradeFrameTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void restoreFromMinimisedEmitsOnce()
    {
        TradeWidget screen(0, nullptr);
        screen.show();
        QSignalSpy restored(&screen, &TradeWidget::SignTradeNormaled);
        screen.setWindowState(Qt::WindowMaximized);
        screen.setWindowState(Qt::WindowNoState);
        screen.setWindowState(Qt::WindowMinimized);
        QCOMPARE(restored.count(), 0);
        screen.setWindowState(Qt::WindowNoState);
        QCOMPARE(restored.count(), 1);
        screen.setWindowState(Qt::WindowMaximized);
        QCOMPARE(restored.count(), 1);
    }

    void showStartsFreshSaleAfter200ms()
    {
        TradeWidget screen(0, nullptr);
        const QList<KxPosPluDetail> lines = tradeLines(1);
        bindTradeLines(&screen, lines);
        QSignalSpy started(&screen, &TradeWidget::SignTrdStartTrade);
        screen.show();
        QCOMPARE(screen.GetTable()->rowCount(), 0);
        QCOMPARE(started.count(), 0);
        // A line the host pushes in the meantime belongs to the old sale.
        bindTradeLines(&screen, lines);
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 1000);
        QCOMPARE(screen.GetTable()->rowCount(), 0);
        QCOMPARE(screen.getUiQLineEdit(26)->placeholderText(), translated(2377));
    }

    void languageSwitchRetranslatesWithoutLosingData()
    {
        TradeWidget screen(0, nullptr);
        screen.show();
        screen.updateDynData(3, QStringLiteral("88.50"));
        const QString zhTitle = screen.windowTitle();
        QCOMPARE(zhTitle, translated(2358));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(screen.windowTitle(), translated(2358));
        QVERIFY(screen.windowTitle() != zhTitle);
        QCOMPARE(screen.getUiQLable(53)->text(), QStringLiteral("88.50"));
        QCOMPARE(screen.getUiQLineEdit(26)->placeholderText(), translated(2377));
    }
};

QTEST_MAIN(TradeFrameTest)
#include "tst_tradeframe.moc"
