// The online-order panel of the sales screen, driven as a host and a cashier
// would: the host lists orders and answers each choice with the order's
// lines; the cashier clicks cards, operation buttons and picked lines.

#include "TestSupport.h"

#include "trade/StandardDelegate.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

#include <map>
#include <memory>

using namespace KxPosTest;

namespace {
OrderDetail makeOrder(const QString& id, const QString& operState, const QString& status = QStringLiteral("0"),
                      const QString& delivery = QStringLiteral("22"), const QString& detail = QStringLiteral("人民路1号"))
{
    OrderDetail o;
    o.orderId = id;
    o.orderStatus = status;
    o.operState = operState;
    o.deliveryType = delivery;
    o.deliveryDetail = detail;
    o.orderSource = QStringLiteral("133");
    o.pickupNo = QStringLiteral("12");
    o.cardText1 = QStringLiteral("张先生 138****1234");
    o.cardText2 = QStringLiteral("12:30 送达");
    o.tagCodeA = QStringLiteral("0");
    o.tagCodeC = QStringLiteral("1");
    return o;
}

PluDetail makeLine(const QString& name, double orderQty, double pickQty, double price, bool weighed = false)
{
    PluDetail l;
    l.pluName = name;
    l.orderQty = orderQty;
    l.pickQty = pickQty;
    l.salePrice = price;
    l.lineAmount = price * orderQty;
    l.needsWeighing = weighed ? QStringLiteral("1") : QStringLiteral("0");
    l.unitText = weighed ? QStringLiteral("kg") : QStringLiteral("个");
    return l;
}
} // namespace

class TradeOrdersTest : public ScreenTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<TradeWidget> screen;
    // What the host hands back for the order being picked: the same order
    // under an id of its own, so that tests see which of the two a signal
    // carries.
    QList<PluDetail> pickingLines;
    int detailRequests = 0;

    template<typename T>
    T* child(const char* name)
    {
        T* w = screen->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no child %s", name);
        return w;
    }
    QTableView* view(const char* name) { return child<QTableView>(name); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QString cell(const char* table, int row, int column)
    {
        return view(table)->model()->index(row, column).data().toString();
    }

    // The host: answers every choice of an order with its lines.
    void openPanel(const QList<OrderDetail>& orders, int type = 1)
    {
        screen->ShowOrderWidget(orders, type);
    }
    void connectHost()
    {
        connect(screen.get(), &TradeWidget::SignalShowOrderDetail, this,
                [this](OrderDetail order, int, bool, int lineRow) {
                    ++detailRequests;
                    OrderDetail picking = order;
                    picking.orderId += QStringLiteral("-P");
                    if (!pickingLines.isEmpty())
                        picking.lines = pickingLines;
                    screen->showPluDetail(order, picking, lineRow);
                });
    }
    void clickRow(const char* table, int row)
    {
        QTableView* v = view(table);
        const QRect rect = v->visualRect(v->model()->index(row, 0));
        QVERIFY(rect.isValid());
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Opens the panel on one pick-up order whose lines are `lines`.
    void openPickUp(const QList<PluDetail>& lines, const QString& status = QStringLiteral("1"))
    {
        pickingLines = lines;
        OrderDetail order = makeOrder(QStringLiteral("P1"), QStringLiteral("1"), status);
        order.lines = lines;
        openPanel({order});
    }

private slots:
    void initTestCase()
    {
        ScreenTestCase::initTestCase();
        qRegisterMetaType<OrderDetail>();
        qRegisterMetaType<PluDetail>();
    }

    void init()
    {
        ScreenTestCase::init();
        KxPosConfig::SetWeightUpper = 15.0;
        pickingLines.clear();
        detailRequests = 0;
        screen = std::make_unique<TradeWidget>(0, nullptr);
        connectHost();
        screen->show();
    }

    void cleanup()
    {
        screen.reset();
        ScreenTestCase::cleanup();
    }

    void panelOpensAndCloses()
    {
        auto* pages = child<QStackedWidget>("stackedWidgetPlu");
        openPanel({makeOrder(QStringLiteral("A"), QStringLiteral("0"))});
        QCOMPARE(pages->currentIndex(), 1);
        QVERIFY(!child<QWidget>("widgetSum")->isVisible());
        QVERIFY(!child<QWidget>("widgetPay")->isVisible());
        QVERIFY(!child<QWidget>("widgetBtn")->isVisible());
        QVERIFY(child<QWidget>("widgetOrderPay")->isVisible());
        QVERIFY(child<QWidget>("widgetPreKey")->isVisible());
        screen->ShowOrderWidget({}, 0);
        QCOMPARE(pages->currentIndex(), 0);
        QVERIFY(child<QWidget>("widgetSum")->isVisible());
        QVERIFY(child<QWidget>("widgetBtn")->isVisible());
        QVERIFY(!child<QWidget>("widgetOrderPay")->isVisible());
    }

    void orderListCaptionsByStatus_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("delivery");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("caption"); // 0: no caption
        QTest::newRow("new") << "0" << "22" << "x" << 1131;
        QTest::newRow("picking") << "1" << "22" << "x" << 1137;
        QTest::newRow("self pick-up") << "2" << "21" << "x" << 1126;
        QTest::newRow("refund request") << "4" << "22" << "x" << 1169;
        QTest::newRow("return") << "5" << "22" << "x" << 1132;
        QTest::newRow("7 delivered") << "7" << "22" << "x" << 5002;
        QTest::newRow("7 to pick") << "7" << "21" << "" << 2378;
        QTest::newRow("7 pick-up with detail") << "7" << "21" << "x" << 0;
        QTest::newRow("9 delivered") << "9" << "22" << "x" << 1117;
        QTest::newRow("9 pick-up") << "9" << "21" << "" << 0;
        QTest::newRow("unknown") << "3" << "22" << "x" << 0;
    }

    void orderListCaptionsByStatus()
    {
        QFETCH(QString, status);
        QFETCH(QString, delivery);
        QFETCH(QString, detail);
        QFETCH(int, caption);
        OrderDetail order = makeOrder(QStringLiteral("A1"), QStringLiteral("0"), status, delivery, detail);
        order.tagCodeA = QStringLiteral("1");
        order.tagCodeC = QStringLiteral("2");
        openPanel({order, makeOrder(QStringLiteral("B"), QStringLiteral("0"))});
        QAbstractItemModel* model = view("tbvOrder")->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->columnCount(), 13);
        QCOMPARE(cell("tbvOrder", 0, 1), caption ? translated(caption) : QString());
        QCOMPARE(cell("tbvOrder", 0, 0), QStringLiteral("A1"));
        QCOMPARE(cell("tbvOrder", 0, 6), order.cardText1);
        QCOMPARE(cell("tbvOrder", 0, 9), QStringLiteral("#12"));
        QCOMPARE(cell("tbvOrder", 0, 10), order.cardText2);
        QCOMPARE(cell("tbvOrder", 0, 11), delivery == QLatin1String("22") ? QStringLiteral("1--1--2")
                                                                          : QStringLiteral("1--0--2"));
        QCOMPARE(cell("tbvOrder", 0, 12), QStringLiteral("133"));
        QCOMPARE(view("tbvOrder")->rowHeight(1), KxPosConfig::styleMap.value(QStringLiteral("$OrderTable_Height")).toInt());
    }

    void reselectionAfterRefresh_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("orderId");
        QTest::addColumn<bool>("keep");
        QTest::newRow("type 2 follows the order") << 2 << 2 << "B" << true;
        QTest::newRow("type 1 starts at the top") << 1 << 0 << "C" << false;
    }

    void reselectionAfterRefresh()
    {
        QFETCH(int, type);
        QFETCH(int, row);
        QFETCH(QString, orderId);
        QFETCH(bool, keep);
        const OrderDetail a = makeOrder(QStringLiteral("A"), QStringLiteral("0"));
        const OrderDetail b = makeOrder(QStringLiteral("B"), QStringLiteral("4"));
        const OrderDetail c = makeOrder(QStringLiteral("C"), QStringLiteral("5"));
        openPanel({a, b, c});
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        clickRow("tbvOrder", 1);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("B"));

        screen->showOrderList({c, a, b}, type);
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.at(1).at(0).value<OrderDetail>().orderId, orderId);
        QCOMPARE(shown.at(1).at(2).toBool(), keep);
        QCOMPARE(view("tbvOrder")->currentIndex().row(), row);
    }

    void emptyListClearsThePanel()
    {
        QList<PluDetail> lines{makeLine(QStringLiteral("苹果"), 2, 2, 3.0)};
        openPickUp(lines);
        QCOMPARE(view("tbvDown")->model()->rowCount(), 1);
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QSignalSpy printed(screen.get(), &TradeWidget::SignPrintOrder);

        screen->showOrderList({}, 2);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(child<QLabel>("lbRemark")->text(), translated(1154));
        QCOMPARE(view("tbvOrder")->model()->rowCount(), 0);
        QCOMPARE(view("tbvOnline")->model()->rowCount(), 0);
        QCOMPARE(view("tbvDown")->model()->rowCount(), 0);
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), QStringLiteral("0.00"));
        // Nothing is left to act on.
        QuestionMessage::QueueAnswers({1});
        QMetaObject::invokeMethod(screen.get(), "on_btnOper1_clicked");
        QTest::mouseClick(button("btnOrderPrint"), Qt::LeftButton);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(printed.count(), 0);
        QVERIFY(!button("btnOper1")->isEnabled());
        // A new list brings the buttons back.
        screen->showOrderList({makeOrder(QStringLiteral("N"), QStringLiteral("0"))}, 2);
        QVERIFY(button("btnOper1")->isEnabled());
        QCOMPARE(shown.count(), 1);
    }

    void operationModesAndCaptions_data()
    {
        QTest::addColumn<QString>("operState");
        QTest::addColumn<QString>("delivery");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("caption1");
        QTest::addColumn<int>("caption2");
        QTest::addColumn<bool>("secondVisible");
        QTest::newRow("pick-up") << "1" << "22" << "x" << 1 << 1136 << 2362 << true;
        QTest::newRow("7 to pick") << "7" << "21" << "" << 1 << 1136 << 2362 << true;
        QTest::newRow("new order") << "0" << "22" << "x" << 0 << 1110 << 1113 << true;
        QTest::newRow("self pick-up") << "2" << "21" << "x" << 2 << 2363 << 2364 << false;
        QTest::newRow("refund request") << "4" << "22" << "x" << 4 << 1111 << 1112 << true;
        QTest::newRow("return") << "5" << "22" << "x" << 5 << 1117 << 5002 << true;
        // Other states keep the mode of the order chosen before (a refund).
        QTest::newRow("7 delivered keeps") << "7" << "22" << "x" << 4 << 1111 << 1112 << true;
        QTest::newRow("unknown keeps") << "9" << "22" << "x" << 4 << 1111 << 1112 << true;
    }

    void operationModesAndCaptions()
    {
        QFETCH(QString, operState);
        QFETCH(QString, delivery);
        QFETCH(QString, detail);
        QFETCH(int, mode);
        QFETCH(int, caption1);
        QFETCH(int, caption2);
        QFETCH(bool, secondVisible);
        openPanel({makeOrder(QStringLiteral("R"), QStringLiteral("4")),
                   makeOrder(QStringLiteral("T"), operState, QStringLiteral("0"), delivery, detail)});
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        clickRow("tbvOrder", 1);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(1).toInt(), mode);
        QCOMPARE(button("btnOper1")->text(), translated(caption1));
        QCOMPARE(button("btnOper2")->text(), translated(caption2));
        QCOMPARE(button("btnOper2")->isVisible(), secondVisible);
        // Choosing another order shows the second button again.
        clickRow("tbvOrder", 0);
        QVERIFY(button("btnOper2")->isVisible());
    }

    void operationButtons_data()
    {
        QTest::addColumn<QString>("operState");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<int>("answer");    // -1: no question expected
        QTest::addColumn<int>("question");  // message of the question, 0: none
        QTest::addColumn<QString>("signal"); // empty: nothing emitted
        QTest::addColumn<QString>("orderId");
        QTest::newRow("new accept") << "0" << "btnOper1" << -1 << 0 << "SignAcceptNewOrder" << "A";
        QTest::newRow("new reject") << "0" << "btnOper2" << -1 << 0 << "SignRejectNewOrder" << "A";
        QTest::newRow("self-take accept") << "2" << "btnOper1" << -1 << 0 << "SignAcceptSelfTake" << "A";
        // The second button is hidden for a self pick-up; a host may still press it.
        QTest::newRow("self-take reject") << "2" << "on_btnOper2_clicked" << -1 << 0 << "SignRejectSelfTake" << "A";
        QTest::newRow("refund accept") << "4" << "btnOper1" << -1 << 0 << "SignAcceptRefund" << "A";
        QTest::newRow("refund reject") << "4" << "btnOper2" << -1 << 0 << "SignRejectRefund" << "A";
        QTest::newRow("return refund yes") << "5" << "btnOper1" << 1 << 1147 << "SignGetPluRefund" << "A-P";
        QTest::newRow("return refund no") << "5" << "btnOper1" << 0 << 1147 << "" << "";
        QTest::newRow("return yes") << "5" << "btnOper2" << 1 << 1161 << "SignDoReturn" << "A";
        QTest::newRow("return no") << "5" << "btnOper2" << 0 << 1161 << "" << "";
        QTest::newRow("pick finish yes") << "1" << "btnOper1" << 1 << 1146 << "SignPickUpFinish" << "A-P";
        QTest::newRow("pick finish no") << "1" << "btnOper1" << 0 << 1146 << "" << "";
        QTest::newRow("pick keep yes") << "1" << "btnOper2" << 1 << 1162 << "SignSaveTmpFinish" << "A-P";
        QTest::newRow("pick keep no") << "1" << "btnOper2" << 0 << 1162 << "" << "";
    }

    void operationButtons()
    {
        QFETCH(QString, operState);
        QFETCH(QString, buttonName);
        QFETCH(int, answer);
        QFETCH(int, question);
        QFETCH(QString, signal);
        QFETCH(QString, orderId);
        pickingLines = {makeLine(QStringLiteral("牛奶"), 2, 2, 4.5)};
        openPanel({makeOrder(QStringLiteral("A"), operState, QStringLiteral("1"))});

        const QStringList names{"SignAcceptNewOrder", "SignRejectNewOrder", "SignAcceptSelfTake",
                                "SignRejectSelfTake", "SignAcceptRefund",   "SignRejectRefund",
                                "SignGetPluRefund",   "SignDoReturn",       "SignPickUpFinish",
                                "SignSaveTmpFinish"};
        std::map<QString, std::unique_ptr<QSignalSpy>> spies;
        for (const QString& name : names) {
            const QMetaObject* mo = screen->metaObject();
            for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
                if (mo->method(i).name() == name.toLatin1()) {
                    const QByteArray sig = "2" + mo->method(i).methodSignature();
                    spies[name] = std::make_unique<QSignalSpy>(screen.get(), sig.constData());
                }
            }
            QVERIFY2(spies.count(name), qPrintable(name));
        }
        if (answer >= 0)
            QuestionMessage::QueueAnswers({answer});
        if (buttonName.startsWith(QLatin1String("on_")))
            QVERIFY(QMetaObject::invokeMethod(screen.get(), buttonName.toLatin1().constData()));
        else
            QTest::mouseClick(button(buttonName.toLatin1().constData()), Qt::LeftButton);

        QCOMPARE(QuestionMessage::History(), question ? QStringList{translated(question)} : QStringList{});
        for (const auto& [name, spy] : spies) {
            QCOMPARE(spy->count(), name == signal ? 1 : 0);
            if (name == signal) {
                QCOMPARE(spy->at(0).at(0).value<OrderDetail>().orderId, orderId);
                if (name == QLatin1String("SignSaveTmpFinish"))
                    QCOMPARE(spy->at(0).at(1).toBool(), false);
                if (name == QLatin1String("SignPickUpFinish"))
                    QCOMPARE(spy->at(0).at(0).value<OrderDetail>().pickAmount, 9.0);
            }
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void weightChecksBeforeFinishing_data()
    {
        QTest::addColumn<bool>("weighIt");
        QTest::addColumn<double>("weight");
        QTest::addColumn<double>("upper");
        QTest::addColumn<int>("refusal"); // 0: the question is asked
        QTest::newRow("not weighed") << false << 0.0 << 15.0 << 1144;
        QTest::newRow("above the limit") << true << 16.0 << 15.0 << 1145;
        QTest::newRow("at the limit") << true << 15.0 << 15.0 << 0;
        QTest::newRow("raised limit") << true << 16.0 << 20.0 << 0;
    }

    void weightChecksBeforeFinishing()
    {
        QFETCH(bool, weighIt);
        QFETCH(double, weight);
        QFETCH(double, upper);
        QFETCH(int, refusal);
        KxPosConfig::SetWeightUpper = upper;
        openPickUp({makeLine(QStringLiteral("香蕉"), 1, 0, 6.0, true), makeLine(QStringLiteral("面包"), 1, 1, 5.0)});
        if (weighIt) {
            PluDetail weighed;
            weighed.weight = weight;
            weighed.pickQty = 1;
            screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), 0);
        }
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(button("btnOper1"), Qt::LeftButton);
        if (refusal) {
            QCOMPARE(MessageWidget::History().size(), 1);
            QCOMPARE(MessageWidget::History().constFirst().first, translated(refusal));
            QCOMPARE(MessageWidget::History().constFirst().second, translated(1969));
            QVERIFY(QuestionMessage::History().isEmpty());
            QCOMPARE(finished.count(), 0);
        } else {
            QCOMPARE(QuestionMessage::History(), QStringList{translated(1146)});
            QCOMPARE(finished.count(), 1);
            const OrderDetail order = finished.at(0).at(0).value<OrderDetail>();
            QCOMPARE(order.pickAmount, 6.0 * weight + 5.0);
            QVERIFY(MessageWidget::History().isEmpty());
        }
    }

    void refusalsLeaveThePickAsItWas_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("message");
        QTest::newRow("finish with nothing picked") << "finish" << 1149;
        QTest::newRow("keep without lines") << "keep" << 1163;
        QTest::newRow("minus at one") << "minus" << 1139;
        QTest::newRow("plus at ordered") << "plus" << 1140;
    }

    void refusalsLeaveThePickAsItWas()
    {
        QFETCH(QString, action);
        QFETCH(int, message);
        QList<PluDetail> lines;
        if (action == QLatin1String("finish"))
            lines = {makeLine(QStringLiteral("水"), 2, 0, 2.0)};
        else if (action != QLatin1String("keep"))
            lines = {makeLine(QStringLiteral("水"), 2, action == QLatin1String("minus") ? 1 : 2, 2.0)};
        openPickUp(lines);
        const QString before = lines.isEmpty() ? QString() : cell("tbvDown", 0, 2);
        const QString amountBefore = child<QLabel>("lblPickAmount")->text();
        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        QSignalSpy kept(screen.get(), &TradeWidget::SignSaveTmpFinish);
        QuestionMessage::QueueAnswers({1});
        const QModelIndex index = view("tbvDown")->model()->index(0, 2);
        if (action == QLatin1String("finish"))
            QTest::mouseClick(button("btnOper1"), Qt::LeftButton);
        else if (action == QLatin1String("keep"))
            QTest::mouseClick(button("btnOper2"), Qt::LeftButton);
        else if (action == QLatin1String("minus"))
            screen->pluMinusOne(index);
        else
            screen->pluAddOne(index);
        QCOMPARE(MessageWidget::History().size(), 1);
        QCOMPARE(MessageWidget::History().constFirst(), qMakePair(translated(message), translated(1969)));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(kept.count(), 0);
        if (!lines.isEmpty())
            QCOMPARE(cell("tbvDown", 0, 2), before);
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), amountBefore);
    }

    void pickedQuantitiesAndAmounts()
    {
        openPickUp({makeLine(QStringLiteral("可乐"), 3, 1, 2.5), makeLine(QStringLiteral("西瓜"), 1, 0, 8.0, true)});
        QAbstractItemModel* model = view("tbvDown")->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("1"));
        QCOMPARE(cell("tbvDown", 1, 2), translated(1106));
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), QStringLiteral("2.50"));
        screen->pluAddOne(model->index(0, 2));
        screen->pluAddOne(model->index(0, 2));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("3"));
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), QStringLiteral("7.50"));
        screen->pluMinusOne(model->index(0, 2));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("2"));

        // The host's answer after weighing; other answers and rows are ignored.
        PluDetail weighed;
        weighed.weight = 1.25;
        weighed.pickQty = 1;
        screen->updateOrderPluDetail(weighed, QStringLiteral("price"), 1);
        screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), 2);
        screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), -1);
        QCOMPARE(cell("tbvDown", 1, 2), translated(1106));
        screen->updateOrderPluDetail(weighed, QStringLiteral("weight"), 1);
        QCOMPARE(cell("tbvDown", 1, 2), QStringLiteral("1.25kg"));
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), QStringLiteral("15.00"));

        // A line added while picking is appended and becomes the current one.
        screen->AddOneOrderPlu(makeLine(QStringLiteral("酸奶"), 2, 2, 3.0));
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(cell("tbvDown", 2, 0), QStringLiteral("3"));
        QCOMPARE(view("tbvDown")->currentIndex().row(), 2);
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), QStringLiteral("21.00"));

        QSignalSpy finished(screen.get(), &TradeWidget::SignPickUpFinish);
        screen->PickUpFinish();
        QCOMPARE(finished.count(), 1);
        const OrderDetail order = finished.at(0).at(0).value<OrderDetail>();
        QCOMPARE(order.pickAmount, 21.0);
        QCOMPARE(order.lines.size(), 3);
        QCOMPARE(order.lines.at(2).lineNo, 2);
    }

    void keepingAPickForLater_data()
    {
        QTest::addColumn<double>("picked");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<int>("emitted");
        QTest::newRow("picked, kept") << 2.0 << true << 1;
        QTest::newRow("picked, not kept") << 1.0 << false << 1;
        QTest::newRow("nothing picked") << 0.0 << true << 0;
    }

    void keepingAPickForLater()
    {
        QFETCH(double, picked);
        QFETCH(bool, flag);
        QFETCH(int, emitted);
        openPickUp({makeLine(QStringLiteral("米"), 2, picked, 10.0)});
        QSignalSpy kept(screen.get(), &TradeWidget::SignSaveTmpFinish);
        screen->SaveDataToSaleTmp(flag);
        QCOMPARE(kept.count(), emitted);
        if (emitted) {
            QCOMPARE(kept.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("P1-P"));
            QCOMPARE(kept.at(0).at(1).toBool(), flag);
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void orderWeightIsTaken_data()
    {
        QTest::addColumn<QString>("match");
        QTest::addColumn<double>("orderWeight");
        QTest::addColumn<bool>("taken");
        QTest::newRow("half a kilo") << "1" << 0.5 << true;
        QTest::newRow("below a gram") << "1" << 0.0005 << false;
        QTest::newRow("switched off") << "0" << 0.5 << false;
    }

    void orderWeightIsTaken()
    {
        QFETCH(QString, match);
        QFETCH(double, orderWeight);
        QFETCH(bool, taken);
        config().set(QStringLiteral("ORDER_IsMatchWeight"), match);
        PluDetail line = makeLine(QStringLiteral("葡萄"), 1, 1, 20.0, true);
        line.orderWeight = orderWeight;
        openPickUp({line});
        QCOMPARE(cell("tbvDown", 0, 2), taken ? QStringLiteral("0.5kg") : translated(1106));
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), taken ? QStringLiteral("10.00") : QStringLiteral("0.00"));
        // A taken weight counts as weighed when the pick-up is finished.
        QuestionMessage::QueueAnswers({0});
        QTest::mouseClick(button("btnOper1"), Qt::LeftButton);
        if (taken) {
            QCOMPARE(QuestionMessage::History(), QStringList{translated(1146)});
            QVERIFY(MessageWidget::History().isEmpty());
        } else {
            QVERIFY(QuestionMessage::History().isEmpty());
            QCOMPARE(MessageWidget::History().constFirst().first, translated(1144));
        }
    }

    void notPickingShowsOrderedQuantities()
    {
        pickingLines = {makeLine(QStringLiteral("茶"), 4, 0, 1.5), makeLine(QStringLiteral("鱼"), 1, 0, 30.0, true)};
        openPanel({makeOrder(QStringLiteral("N"), QStringLiteral("0"))});
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("4"));
        QCOMPARE(cell("tbvDown", 1, 2), QStringLiteral("1"));
        QCOMPARE(cell("tbvDown", 1, 3), QStringLiteral("1"));
        QCOMPARE(view("tbvDown")->rowHeight(0), 60);
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), QStringLiteral("36.00"));
        auto* delegate = qobject_cast<StandardDelegate*>(view("tbvDown")->itemDelegateForColumn(2));
        QVERIFY(delegate);
        QVERIFY(!delegate->ShowButtons());
    }

    void packageLinesAreTaller()
    {
        PluDetail pack = makeLine(QStringLiteral("早餐套餐"), 1, 1, 18.0);
        pack.subItems = {{QStringLiteral("豆浆(大杯加糖热饮)"), 1}, {QStringLiteral("油条"), 2}};
        OrderDetail order = makeOrder(QStringLiteral("K"), QStringLiteral("0"));
        order.lines = {makeLine(QStringLiteral("鸡蛋"), 6, 0, 1.0), pack};
        openPanel({order});
        const int base = KxPosConfig::styleMap.value(QStringLiteral("$OnTable_Height")).toInt();
        const int packHeight = KxPosConfig::styleMap.value(QStringLiteral("$pack_height")).toInt();
        QCOMPARE(view("tbvOnline")->rowHeight(0), base);
        QCOMPARE(view("tbvOnline")->rowHeight(1), base + 2 * packHeight);
        QCOMPARE(cell("tbvOnline", 1, 6), QStringLiteral("2"));
        QCOMPARE(cell("tbvOnline", 1, 1),
                 QStringLiteral("早餐套餐\r\n--豆浆(大杯加糖热饮\u00d71\r\n--油条\u00d72"));
        QCOMPARE(cell("tbvOnline", 1, 4), QStringLiteral("18.00/个"));
        QCOMPARE(cell("tbvOnline", 0, 5), QStringLiteral("6.00"));
        QCOMPARE(child<QLabel>("lbRemark")->text(), translated(5997) + QStringLiteral("  K"));
    }

    void removalRules_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("delivery");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("saleTover");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("picking, yes") << "1" << "22" << "x" << "0" << 1 << true << 1;
        QTest::newRow("picking, no") << "1" << "22" << "x" << "0" << 0 << true << 2;
        QTest::newRow("to pick, yes") << "7" << "21" << "" << "0" << 1 << true << 1;
        QTest::newRow("locked by mode 2") << "1" << "22" << "x" << "2" << 1 << false << 2;
        QTest::newRow("delivered order") << "7" << "22" << "" << "0" << 1 << false << 2;
        QTest::newRow("new order") << "0" << "22" << "x" << "0" << 1 << false << 2;
    }

    void removalRules()
    {
        QFETCH(QString, status);
        QFETCH(QString, delivery);
        QFETCH(QString, detail);
        QFETCH(QString, saleTover);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(int, rowsLeft);
        config().set(QStringLiteral("ORDER_SaleToverMode"), saleTover);
        pickingLines = {makeLine(QStringLiteral("盐"), 1, 1, 2.0), makeLine(QStringLiteral("糖"), 1, 1, 3.0)};
        openPanel({makeOrder(QStringLiteral("D"), QStringLiteral("1"), status, delivery, detail)});
        QuestionMessage::QueueAnswers({answer});
        screen->pluRemove(view("tbvDown")->model()->index(0, 0));
        QCOMPARE(QuestionMessage::History(), asked ? QStringList{translated(1141)} : QStringList{});
        QCOMPARE(view("tbvDown")->model()->rowCount(), rowsLeft);
        QCOMPARE(cell("tbvDown", rowsLeft - 1, 1), QStringLiteral("糖"));
        QCOMPARE(child<QLabel>("lblPickAmount")->text(), rowsLeft == 1 ? QStringLiteral("3.00") : QStringLiteral("5.00"));
    }

    void clicksOnPickedLinesReachThePanel()
    {
        QList<PluDetail> lines{makeLine(QStringLiteral("桃"), 3, 1, 2.5), makeLine(QStringLiteral("肉"), 1, 0, 30.0, true)};
        lines[1].lineNo = 1;
        openPickUp(lines);
        QTableView* table = view("tbvDown");
        auto* delegate = qobject_cast<StandardDelegate*>(table->itemDelegateForColumn(2));
        QVERIFY(delegate);
        QVERIFY(delegate->ShowButtons());
        QCOMPARE(table->itemDelegateForColumn(0), delegate);
        table->viewport()->repaint();
        QVERIFY(delegate->PlusPosition() != StandardDelegate::NoPosition);
        const int y0 = table->visualRect(table->model()->index(0, 2)).center().y();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(delegate->PlusPosition() - 10, y0));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("2"));

        QSignalSpy toScale(screen.get(), &TradeWidget::SignShowOrderWeight);
        const QRect weighCell = table->visualRect(table->model()->index(1, 2));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, weighCell.center());
        QCOMPARE(toScale.count(), 1);
        QCOMPARE(toScale.at(0).at(0).value<PluDetail>().pluName, QStringLiteral("肉"));
        QCOMPARE(cell("tbvDown", 0, 2), QStringLiteral("2"));

        QuestionMessage::QueueAnswers({1});
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(delegate->RemovePosition() + 20, y0));
        QCOMPARE(QuestionMessage::History(), QStringList{translated(1141)});
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(cell("tbvDown", 0, 1), QStringLiteral("肉"));
        // The remaining line moved up and is numbered by its new position.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(0, 2)).center());
        QCOMPARE(toScale.count(), 2);
        QCOMPARE(toScale.at(1).at(0).value<PluDetail>().lineNo, 0);
    }

    void moving_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("up");
        QTest::addColumn<QString>("down");
        QTest::newRow("orders") << "tbvOrder" << "btnOrderUp" << "btnOrderDown";
        QTest::newRow("order lines") << "tbvOnline" << "btnLineUp" << "btnLineDown";
        QTest::newRow("picked lines") << "tbvDown" << "btnActUp" << "btnActDown";
    }

    void moving()
    {
        QFETCH(QString, table);
        QFETCH(QString, up);
        QFETCH(QString, down);
        QList<PluDetail> lines{makeLine(QStringLiteral("一"), 1, 1, 1), makeLine(QStringLiteral("二"), 1, 1, 1),
                               makeLine(QStringLiteral("三"), 1, 1, 1)};
        pickingLines = lines;
        QList<OrderDetail> orders;
        for (const QString& id : {QStringLiteral("O1"), QStringLiteral("O2"), QStringLiteral("O3")}) {
            orders << makeOrder(id, QStringLiteral("1"), QStringLiteral("1"));
            orders.last().lines = lines;
        }
        openPanel(orders);
        QTableView* v = view(table.toLatin1().constData());
        QPushButton* upButton = button(up.toLatin1().constData());
        QPushButton* downButton = button(down.toLatin1().constData());
        const bool isOrders = table == QLatin1String("tbvOrder");
        QSignalSpy shown(screen.get(), &TradeWidget::SignalShowOrderDetail);
        const auto row = [v] { return v->selectionModel()->selectedRows().value(0).row(); };

        if (!isOrders) // the line cursors start on no line
            QTest::mouseClick(downButton, Qt::LeftButton);
        QCOMPARE(row(), 0);
        QTest::mouseClick(upButton, Qt::LeftButton);
        QCOMPARE(row(), 0);
        QTest::mouseClick(downButton, Qt::LeftButton);
        QTest::mouseClick(downButton, Qt::LeftButton);
        QCOMPARE(row(), 2);
        QTest::mouseClick(downButton, Qt::LeftButton);
        QCOMPARE(row(), 2);
        QTest::mouseClick(upButton, Qt::LeftButton);
        QCOMPARE(row(), 1);
        if (isOrders) {
            // Each move chooses the order as a click would; blocked moves do not.
            QCOMPARE(shown.count(), 3);
            QCOMPARE(shown.last().at(0).value<OrderDetail>().orderId, QStringLiteral("O2"));
        } else {
            QCOMPARE(shown.count(), 0);
        }
    }

    void printGuard()
    {
        openPanel({makeOrder(QStringLiteral("A"), QStringLiteral("0")), makeOrder(QStringLiteral("B"), QStringLiteral("4"))});
        clickRow("tbvOrder", 1);
        QSignalSpy printed(screen.get(), &TradeWidget::SignPrintOrder);
        QTest::mouseClick(button("btnOrderPrint"), Qt::LeftButton);
        QTest::mouseClick(button("btnOrderPrint"), Qt::LeftButton);
        QCOMPARE(printed.count(), 1);
        QCOMPARE(printed.at(0).at(0).value<OrderDetail>().orderId, QStringLiteral("B"));
        QTRY_COMPARE_WITH_TIMEOUT(
            (QTest::mouseClick(button("btnOrderPrint"), Qt::LeftButton), printed.count()), 2, 1000);
    }

    void orderBillButton_data()
    {
        QTest::addColumn<QString>("modeSwitch");
        QTest::addColumn<bool>("switches");
        QTest::newRow("order mode on") << "1" << true;
        QTest::newRow("order mode off") << "0" << false;
    }

    void orderBillButton()
    {
        QFETCH(QString, modeSwitch);
        QFETCH(bool, switches);
        config().set(QStringLiteral("ORDER_ModeSwitch"), modeSwitch);
        screen->getUiQDockWidget(22)->show();
        QSignalSpy selected(screen.get(), &TradeWidget::SignTrdSelectBill);
        QPushButton* orders = button("btnBillOrder");
        QTest::mouseClick(orders, Qt::LeftButton);
        QVERIFY(!screen->getUiQDockWidget(22)->isVisible());
        QVERIFY(!screen->getUiQDockWidget(23)->isVisible());
        QCOMPARE(orders->isCheckable(), switches);
        if (switches) {
            QCOMPARE(selected.count(), 1);
            QCOMPARE(selected.at(0).at(0).toString(), QStringLiteral("Order"));
            QVERIFY(MessageWidget::History().isEmpty());
        } else {
            QCOMPARE(selected.count(), 0);
            QVERIFY(!orders->isChecked());
            QCOMPARE(MessageWidget::History().constFirst(), qMakePair(translated(2383), translated(1969)));
        }
    }

    void sortChoiceAndRefresh()
    {
        openPanel({makeOrder(QStringLiteral("A"), QStringLiteral("0"))});
        auto* sort = child<QComboBox>("boxOrderSort");
        QCOMPARE(sort->count(), 3);
        QCOMPARE(sort->currentText(), translated(1164));
        QSignalSpy reload(screen.get(), &TradeWidget::SignUpdateOrderList);
        sort->setFocus();
        QTest::keyClick(sort, Qt::Key_Down);
        QCOMPARE(sort->currentText(), translated(1165));
        QCOMPARE(screen->orderSortOrder, QStringLiteral("ASC"));
        QTest::keyClick(sort, Qt::Key_Down);
        QCOMPARE(screen->orderSortOrder, QString());
        QCOMPARE(reload.count(), 2);
        QTest::mouseClick(button("btnOrderFresh"), Qt::LeftButton);
        QCOMPARE(reload.count(), 3);
    }

    void captionsFollowTheLanguage()
    {
        openPanel({makeOrder(QStringLiteral("A"), QStringLiteral("4"))});
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(button("btnOper1")->text(), KxPosTranslator::GetTranslation(1111));
        QCOMPARE(cell("tbvOrder", 0, 1), KxPosTranslator::GetTranslation(1131));
        QCOMPARE(child<QComboBox>("boxOrderSort")->itemText(1), KxPosTranslator::GetTranslation(1165));
        QVERIFY(button("btnOper1")->text() != QStringLiteral("同意退款"));
    }
};

QTEST_MAIN(TradeOrdersTest)
#include "tst_trade_orders.moc"
