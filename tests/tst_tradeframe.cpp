// The sales screen's frame: guards, variants, window states, accessors,
// clock and retranslation, driven as a host and a cashier would.

#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/UIComponentGapFiller.h"

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

class TradeFrameTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<TradeWidget> makeScreen(int screenType = 0)
    {
        return std::make_unique<TradeWidget>(screenType, nullptr);
    }
    static KxPosPluDetail line(int lineNo, const QString& code, double qty)
    {
        KxPosPluDetail l;
        l.lineNo = lineNo;
        l.pluCode = code;
        l.pluName = QStringLiteral("商品") + code;
        l.saleQty = qty;
        l.salePrice = 2.5;
        l.lineAmount = qty * 2.5;
        l.unitName = QStringLiteral("个");
        return l;
    }

private slots:
    void payGuardDropsSecondPressWithin500ms()
    {
        auto screen = makeScreen();
        screen->show();
        QSignalSpy pay(screen.get(), &TradeWidget::SignTrdGotoPay);
        QToolButton* first = screen->getUiQToolButton(47);
        QTest::mouseClick(first, Qt::LeftButton);
        QTest::qWait(100);
        QTest::mouseClick(first, Qt::LeftButton);
        QCOMPARE(pay.count(), 1);
        QCOMPARE(pay.at(0).at(0).toInt(), 0);
        QCOMPARE(pay.at(0).at(1).toString(), QStringLiteral("WxPay"));

        QTest::qWait(520);
        QTest::mouseClick(screen->getUiQToolButton(49), Qt::LeftButton);
        QCOMPARE(pay.count(), 2);
        QCOMPARE(pay.at(1).at(1).toString(), QString());
    }

    void printGuardDropsSecondPress()
    {
        auto screen = makeScreen();
        OrderDetail order;
        order.orderId = QStringLiteral("A1");
        order.orderStatus = QStringLiteral("0");
        order.operState = QStringLiteral("0");
        screen->ShowOrderWidget({order}, 1);
        QSignalSpy print(screen.get(), &TradeWidget::SignPrintOrder);
        auto* button = screen->findChild<QPushButton*>(QStringLiteral("btnOrderPrint"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(print.count(), 1);
        QTest::qWait(520);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(print.count(), 2);
    }

    void weighingStripFollowsDriver_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<bool>("visible");
        QTest::newRow("default") << QString() << false;
        QTest::newRow("none") << QStringLiteral("无") << false;
        QTest::newRow("serial scale") << QStringLiteral("TS-15") << true;
    }

    void weighingStripFollowsDriver()
    {
        QFETCH(QString, driver);
        QFETCH(bool, visible);
        if (!driver.isNull())
            config().set(QStringLiteral("WEIGHT_DrvType"), driver);
        auto screen = makeScreen();
        for (int round = 0; round < 2; ++round) {
            screen->show();
            QCOMPARE(screen->getUiQWidget(5)->isVisible(), visible);
            QCOMPARE(screen->getUiQWidget(6)->isVisible(), visible);
            QVERIFY(screen->getUiQLable(68)->isVisible());
        }
    }

    void billRowVariants_data()
    {
        QTest::addColumn<int>("screenType");
        QTest::addColumn<QString>("hideBills");
        QTest::addColumn<bool>("visible");
        QTest::newRow("standard") << 0 << QStringLiteral("0") << true;
        QTest::newRow("type 1 ignores the key") << 1 << QStringLiteral("0") << false;
        QTest::newRow("hidden by configuration") << 0 << QStringLiteral("1") << false;
        QTest::newRow("type 2") << 2 << QStringLiteral("0") << true;
    }

    void billRowVariants()
    {
        QFETCH(int, screenType);
        QFETCH(QString, hideBills);
        QFETCH(bool, visible);
        config().set(QStringLiteral("TRADE_IsHideBillNumber"), hideBills);
        auto screen = makeScreen(screenType);
        screen->show();
        auto* bills = screen->findChild<QWidget*>(QStringLiteral("widgetBill"));
        QVERIFY(bills);
        QCOMPARE(bills->isVisible(), visible);
        QCOMPARE(screen->getUiQWidget(18)->property("showType").toString(),
                 visible ? QStringLiteral("normal") : QStringLiteral("top"));
    }

    void restoreFromMinimisedEmitsOnce()
    {
        auto screen = makeScreen();
        screen->show();
        QSignalSpy restored(screen.get(), &TradeWidget::SignTradeNormaled);
        screen->setWindowState(Qt::WindowMaximized);
        screen->setWindowState(Qt::WindowNoState);
        QCOMPARE(restored.count(), 0);
        screen->setWindowState(Qt::WindowMinimized);
        QCOMPARE(restored.count(), 0);
        screen->setWindowState(Qt::WindowNoState);
        QCOMPARE(restored.count(), 1);
        screen->setWindowState(Qt::WindowMaximized);
        QCOMPARE(restored.count(), 1);
    }

    void showStartsFreshSaleAfter200ms()
    {
        auto screen = makeScreen();
        QList<KxPosPluDetail> lines{line(1, QStringLiteral("1001"), 2)};
        screen->rebindModel(lines, {});
        QCOMPARE(screen->GetTable()->rowCount(), 1);
        QSignalSpy started(screen.get(), &TradeWidget::SignTrdStartTrade);
        screen->show();
        QCOMPARE(screen->GetTable()->rowCount(), 0);
        QCOMPARE(started.count(), 0);
        // A line the host pushes in the meantime belongs to the old sale.
        screen->rebindModel(lines, {});
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 1000);
        QCOMPARE(screen->GetTable()->rowCount(), 0);
        QCOMPARE(screen->getUiQLineEdit(26)->placeholderText(), KxPosTranslator::GetTranslation(2377));
    }

    void accessorsNameTheirWidgets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("objectName");
        QTest::newRow("widget 0") << "widget" << 0 << "produwidget";
        QTest::newRow("widget 13") << "widget" << 13 << "widgetPreKey";
        QTest::newRow("widget 20") << "widget" << 20 << "widgetPrePlu";
        QTest::newRow("widget 2") << "widget" << 2 << QString();
        QTest::newRow("widget 19") << "widget" << 19 << QString();
        QTest::newRow("dock 23") << "dock" << 23 << "dockWidgetKeyBoard";
        QTest::newRow("stack 24") << "stack" << 24 << "stackedWidgetCx";
        QTest::newRow("stack 25") << "stack" << 25 << QString();
        QTest::newRow("line 26") << "line" << 26 << "txtcode";
        QTest::newRow("line 27") << "line" << 27 << QString();
        QTest::newRow("push 43") << "push" << 43 << "btnVipName";
        QTest::newRow("push 44") << "push" << 44 << QString();
        QTest::newRow("tool 48") << "tool" << 48 << "toolButtonpaysecond";
        QTest::newRow("tool 50") << "tool" << 50 << QString();
        QTest::newRow("label 53") << "label" << 53 << "lblshould";
        QTest::newRow("label 55") << "label" << 55 << QString();
        QTest::newRow("label 68") << "label" << 68 << "labelModeName";
        QTest::newRow("label -1") << "label" << -1 << QString();
    }

    void accessorsNameTheirWidgets()
    {
        QFETCH(QString, kind);
        QFETCH(int, id);
        QFETCH(QString, objectName);
        auto screen = makeScreen();
        QWidget* got = nullptr;
        QWidget* placeholder = nullptr;
        if (kind == QLatin1String("widget")) {
            got = screen->getUiQWidget(id);
            placeholder = UIComponentGapFiller::getQWidget();
        } else if (kind == QLatin1String("dock")) {
            got = screen->getUiQDockWidget(id);
        } else if (kind == QLatin1String("stack")) {
            got = screen->getUiQStackedWidget(id);
            placeholder = UIComponentGapFiller::getQStackedWidget();
        } else if (kind == QLatin1String("line")) {
            got = screen->getUiQLineEdit(id);
            placeholder = UIComponentGapFiller::getQLineEdit();
        } else if (kind == QLatin1String("push")) {
            got = screen->getUiQPushButton(id);
            placeholder = UIComponentGapFiller::getQPushButton();
        } else if (kind == QLatin1String("tool")) {
            got = screen->getUiQToolButton(id);
            placeholder = UIComponentGapFiller::getQToolButton();
        } else {
            got = screen->getUiQLable(id);
            placeholder = UIComponentGapFiller::getQLabel();
        }
        QVERIFY(got);
        if (objectName.isEmpty()) {
            QCOMPARE(got, placeholder);
        } else {
            QCOMPARE(got->objectName(), objectName);
            // Docks float as windows of their own but stay the screen's children.
            QVERIFY(screen->isAncestorOf(got) || got->parentWidget() == screen.get());
        }
    }

    void comboAndDockExceptions()
    {
        auto screen = makeScreen();
        QCOMPARE(screen->getUiQComboBox(69)->objectName(), QStringLiteral("boxCxTitle"));
        QVERIFY(!screen->getUiQComboBox(70));
        QDockWidget* extra = screen->getUiQDockWidget(7);
        QVERIFY(extra);
        QCOMPARE(extra->windowTitle(), QStringLiteral("Dock Widget"));
        QCOMPARE(extra->parentWidget(), screen.get());
        QVERIFY(extra != screen->getUiQDockWidget(22));
    }

    void clockFormats_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("ratioType");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        QTest::newRow("c locale weekday") << "2026-12-05 Sat 08:09:10" << 0 << "08:09:10" << "2026-12-05 周六";
        QTest::newRow("chinese weekday") << "2026-12-07 周一 23:59:59" << 0 << "23:59:59" << "2026-12-07 周一";
        QTest::newRow("narrow screen") << "2026-12-05 Sat 08:09:10" << 1 << "08:09:10" << "2026-12-05";
        QTest::newRow("garbage") << "yesterday noon" << 0 << QString() << QString();
        QTest::newRow("empty") << QString() << 0 << QString() << QString();
    }

    void clockFormats()
    {
        QFETCH(QString, input);
        QFETCH(int, ratioType);
        QFETCH(QString, time);
        QFETCH(QString, date);
        auto screen = makeScreen();
        const int saved = KxPosConfig::iRatioType;
        KxPosConfig::iRatioType = ratioType;
        QVERIFY(QMetaObject::invokeMethod(screen.get(), "SlotTimeUpd", Q_ARG(QString, input)));
        KxPosConfig::iRatioType = saved;
        QCOMPARE(screen->getUiQLable(60)->text(), time);
        QCOMPARE(screen->getUiQLable(61)->text(), date);
    }

    void languageSwitchRetranslatesWithoutLosingData()
    {
        auto screen = makeScreen();
        screen->show();
        screen->updateDynData(3, QStringLiteral("88.50"));
        const QString zhTitle = KxPosTranslator::GetTranslation(2358);
        QCOMPARE(screen->windowTitle(), zhTitle);
        auto* total = screen->findChild<QLabel*>(QStringLiteral("lblshouldTitle"));
        QVERIFY(total);
        const QString zhCaption = total->text();

        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(screen->windowTitle(), KxPosTranslator::GetTranslation(2358));
        QVERIFY(screen->windowTitle() != zhTitle);
        QVERIFY(total->text() != zhCaption);
        QCOMPARE(screen->getUiQLable(53)->text(), QStringLiteral("88.50"));
        QCOMPARE(screen->getUiQLineEdit(26)->placeholderText(), KxPosTranslator::GetTranslation(2377));
    }

    void sizesScaleWithScreen_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }

    void sizesScaleWithScreen()
    {
        QFETCH(QSize, size);
        KxPosConfig::SetAppSize(size.width(), size.height());
        auto screen = makeScreen();
        screen->show();
        QCOMPARE(screen->size(), size);
        // Nothing on the screen may stick out of it.
        for (QWidget* area : {screen->getUiQWidget(11), screen->getUiQWidget(12), screen->getUiQWidget(15),
                              screen->getUiQWidget(16)}) {
            const QRect inScreen(area->mapTo(screen.get(), QPoint(0, 0)), area->size());
            QVERIFY2(screen->rect().contains(inScreen), qPrintable(area->objectName()));
        }
        const int heightTop = screen->getUiQWidget(11)->height();
        QCOMPARE(heightTop, KxPosConfig::GetAutoHeight(90, 60));
    }
};

QTEST_MAIN(TradeFrameTest)
#include "tst_tradeframe.moc"
