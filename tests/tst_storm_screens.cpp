// Input storms: a seeded random stream of key presses, clicks on the visible
// buttons and table cells, and host calls with hostile data (empty and huge
// lists, NaN, infinite and negative numbers, very long and non-ASCII texts,
// unknown ids, out-of-range rows, malformed JSON) against every screen. The
// screens must not crash or warn, their item models must stay consistent
// throughout (the model testers report by warning, which the strict message
// handler turns into a failure, and cost far less than a QVERIFY per check),
// and each screen's invariants hold at the end.
//
// KXPOS_STORM_EVENTS sets the number of events per screen (default 1500, so
// that the suite stays quick; the full run uses 100000); KXPOS_STORM_SEED the
// seed (default 12).

#include "TestSupport.h"

#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"
#include "deposit/DepositPluWidget.h"
#include "deposit/GetDepositWidget.h"
#include "options/CustomerInfoWidget.h"
#include "options/SelectProType.h"
#include "trade/OrderDetail.h"
#include "trade/TradeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TableModel.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPointer>
#include <QRandomGenerator>
#include <QTableView>
#include <QtTest>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

using namespace KxPosTest;

namespace {

int stormEvents()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KXPOS_STORM_EVENTS", &ok);
    return ok && n > 0 ? n : 1500;
}

quint32 stormSeed()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KXPOS_STORM_SEED", &ok);
    return ok ? quint32(n) : 12u;
}

// Hostile values drawn from one seeded generator.
class Hostile
{
public:
    explicit Hostile(quint32 seed)
        : rng(seed)
    {
    }
    int below(int n) { return n > 0 ? int(rng.bounded(quint32(n))) : 0; }
    bool coin() { return below(2) == 0; }
    int anyInt()
    {
        static const int picks[] = {0, -1, 1, 2, 7, 99, 100000, -100000, std::numeric_limits<int>::max(),
                                    std::numeric_limits<int>::min()};
        return coin() ? picks[below(10)] : below(40) - 5;
    }
    double number()
    {
        switch (below(10)) {
        case 0: return std::numeric_limits<double>::quiet_NaN();
        case 1: return std::numeric_limits<double>::infinity();
        case 2: return -std::numeric_limits<double>::infinity();
        case 3: return -below(1000) / 7.0;
        case 4: return 1e300;
        case 5: return -0.0;
        case 6: return std::numeric_limits<double>::denorm_min();
        default: return below(100000) / 100.0;
        }
    }
    QString text()
    {
        switch (below(9)) {
        case 0: return QString();
        case 1: return QString(below(20000) + 1, QChar(u'码'));
        case 2: return QStringLiteral("苹果🍎\u202Eabc\u0000x").repeated(below(4) + 1);
        case 3: return QStringLiteral("%1%2%n%s\\\"'<b>");
        case 4: return QString::number(number());
        case 5: return QStringLiteral("000000");
        case 6: return QString::number(6900000000000LL + below(1000));
        case 7: return json();
        default: return QStringLiteral("id%1").arg(below(8));
        }
    }
    QString json()
    {
        switch (below(12)) {
        case 0: return QStringLiteral("[");
        case 1: return QStringLiteral("{\"weight\":");
        case 2: return QStringLiteral("[1,2,\"x\",null,{}]");
        case 3: return QStringLiteral("[{\"weight\":\"0.5\"},{\"weight\":1e999},{\"weight\":-3}]");
        case 4: return QString(below(2000) + 1, QLatin1Char('[')) ;
        case 5: return QStringLiteral("{\"channelCode\":[],\"couponId\":{},\"tradeNo\":1}");
        case 6: return QStringLiteral("[{\"name\":\"省\",\"child\":[{\"name\":\"市\",\"child\":[{\"name\":\"区\"}]}]}]");
        case 7: return QStringLiteral("[{\"name\":null,\"child\":\"x\"},{\"child\":[[[]]]}]");
        case 8: return QStringLiteral("\xEF\xBB\xBF[]");
        case 9: return QStringLiteral("[{\"ChannelName\":\"渠道\",\"ChannelCode\":\"C1\"},{\"ChannelName\":5}]");
        case 10: return QString();
        default: return QStringLiteral("{\"a\":\"%1\"}").arg(QString(below(5000), QLatin1Char('z')));
        }
    }
    KxPosPluDetail saleLine(int i)
    {
        KxPosPluDetail l;
        l.lineNo = coin() ? i + 1 : anyInt();
        l.pluCode = coin() ? QString::number(6901000 + i) : text();
        l.pluName = text();
        l.pluType = coin() ? QStringLiteral("07") : QString();
        l.isSerialLine = coin() ? QStringLiteral("1") : QString();
        l.detailText = text();
        l.saleQty = number();
        l.quantityDecimals = below(12) - 2;
        l.salePrice = number();
        l.amountA = number();
        l.lineAmount = number();
        l.unitName = below(3) == 0 ? QStringLiteral("千克") : text();
        for (int k = below(3); k > 0; --k)
            l.subItems << qMakePair(text(), number());
        l.remarkText = text();
        return l;
    }
    QList<KxPosPluDetail> saleLines()
    {
        const int sizes[] = {0, 1, 3, 20, 300};
        QList<KxPosPluDetail> lines;
        const int n = sizes[below(5)];
        for (int i = 0; i < n; ++i)
            lines << saleLine(i);
        return lines;
    }
    OrderDetail order()
    {
        OrderDetail o;
        o.orderId = text();
        o.orderStatus = QString::number(below(6) - 1);
        o.operState = QString::number(below(6) - 1);
        o.deliveryType = coin() ? QStringLiteral("21") : text();
        o.deliveryDetail = text();
        o.orderSource = text();
        o.pickupNo = text();
        o.cardText1 = text();
        o.pickAmount = number();
        for (int k = below(4); k > 0; --k) {
            PluDetail l;
            l.pluName = text();
            l.orderQty = number();
            l.pickQty = number();
            l.weight = number();
            l.salePrice = number();
            l.needsWeighing = coin() ? QStringLiteral("1") : QString();
            l.unitText = text();
            o.lines << l;
        }
        return o;
    }
    CouponWidgetInfo coupon()
    {
        CouponWidgetInfo c;
        c.couponId = below(3) == 0 ? text() : QStringLiteral("Q%1").arg(below(30));
        c.couponCode = coin() ? c.couponId : text();
        c.couponName = text();
        c.couponType = coin() ? QStringLiteral("jh") : text();
        c.channelCode = coin() ? QStringLiteral("MT") : text();
        c.channelName = text();
        c.couponAmount = number();
        c.useCount = anyInt();
        c.selectCount = anyInt();
        c.status = CouponBaseInfo::CouponStatus(below(4));
        for (int k = below(3); k > 0; --k) {
            CouponBaseInfo child;
            child.couponId = text();
            child.couponAmount = number();
            c.childCoupons << child;
        }
        for (int k = below(3); k > 0; --k) {
            CouponWidgetInfo::CouponPluInfo p;
            p.pluCode = text();
            p.pluName = text();
            p.weighFlag = coin() ? QStringLiteral("1") : QString();
            p.quantity = anyInt();
            p.limitWeight = number();
            c.pluInfoList << p;
        }
        return c;
    }

    QRandomGenerator rng;
};

// Drives one screen: keys to the focus widget, clicks on visible buttons and
// item cells of the screen's windows, host calls from `hostCall`.
class Storm
{
public:
    Storm(QWidget* screen, std::function<void()> reshow, std::function<void(Hostile&)> hostCall, quint32 seed)
        : screen(screen)
        , reshow(std::move(reshow))
        , hostCall(std::move(hostCall))
        , hostile(seed)
    {
    }

    void run(int events)
    {
        for (int i = 0; i < events && !QTest::currentTestFailed(); ++i) {
            QVERIFY2(screen, "the screen was deleted during the storm");
            if (!screen->isVisible())
                reshow();
            if (i % 16 == 0)
                collect();
            const int pick = hostile.below(100);
            if (pick < 40) {
                key();
                ++keys;
            } else if (pick < 72) {
                clicks += clickButton() ? 1 : 0;
            } else if (pick < 85) {
                cellClicks += clickCell() ? 1 : 0;
            } else {
                hostCall(hostile);
                ++hostCalls;
            }
            if (i % 128 == 0)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        std::fprintf(stderr, "  %d keys, %d button clicks, %d cell clicks, %d host calls\n", keys, clicks, cellClicks,
                     hostCalls);
        // The stream reached the screen: a storm of no events proves nothing.
        if (events >= 1000) {
            QVERIFY(keys > 0);
            QVERIFY(clicks > 0);
            QVERIFY(hostCalls > 0);
        }
    }

    Hostile& data() { return hostile; }
    int cellClicks = 0;

private:
    void collect()
    {
        buttons.clear();
        views.clear();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            for (QAbstractButton* b : top->findChildren<QAbstractButton*>()) {
                if (b->isVisible() && b->isEnabled())
                    buttons << b;
            }
            for (QAbstractItemView* v : top->findChildren<QAbstractItemView*>()) {
                if (v->isVisible())
                    views << v;
            }
        }
    }
    void key()
    {
        static const int keys[] = {Qt::Key_0, Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_Return, Qt::Key_Enter,
                                   Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down,
                                   Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                                   Qt::Key_End, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Plus, Qt::Key_Minus,
                                   Qt::Key_Asterisk, Qt::Key_Period, Qt::Key_A, Qt::Key_K, Qt::Key_Z, Qt::Key_F1,
                                   Qt::Key_F5, Qt::Key_F10, Qt::Key_F12, Qt::Key_Insert};
        const int key = keys[hostile.below(int(sizeof keys / sizeof keys[0]))];
        QString text;
        if (key >= Qt::Key_Space && key <= Qt::Key_Z)
            text = QChar(key).toLower();
        else if (key == Qt::Key_Return || key == Qt::Key_Enter)
            text = QStringLiteral("\r");
        if (hostile.below(20) == 0) // an input method committing a Chinese word
            text = QStringLiteral("苹果");
        const Qt::KeyboardModifiers modifiers =
            hostile.below(10) == 0 ? Qt::KeyboardModifiers(Qt::ControlModifier) : Qt::KeyboardModifiers();
        QWidget* target = QApplication::focusWidget();
        if (!target || !target->isVisible())
            target = screen;
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, modifiers);
    }
    bool clickButton()
    {
        if (buttons.isEmpty())
            return false;
        QAbstractButton* b = buttons.at(hostile.below(buttons.size()));
        if (!b || !b->isVisible() || !b->isEnabled())
            return false;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2));
        return true;
    }
    bool clickCell()
    {
        if (views.isEmpty())
            return false;
        QAbstractItemView* v = views.at(hostile.below(views.size()));
        if (!v || !v->isVisible() || !v->model())
            return false;
        QAbstractItemModel* m = v->model();
        const int rows = m->rowCount(v->rootIndex());
        const int columns = m->columnCount(v->rootIndex());
        if (rows <= 0 || columns <= 0)
            return false;
        const QModelIndex index = m->index(hostile.below(rows), hostile.below(columns), v->rootIndex());
        const QRect rect = v->visualRect(index);
        if (!rect.isValid() || !v->viewport()->rect().intersects(rect))
            return false;
        const QPoint at = rect.topLeft() + QPoint(hostile.below(rect.width()), hostile.below(rect.height()));
        if (hostile.below(6) == 0)
            QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, at);
        return true;
    }

    QPointer<QWidget> screen;
    std::function<void()> reshow;
    std::function<void(Hostile&)> hostCall;
    Hostile hostile;
    int keys = 0;
    int clicks = 0;
    int hostCalls = 0;
    QList<QPointer<QAbstractButton>> buttons;
    QList<QPointer<QAbstractItemView>> views;
};

void reportPace(const char* screen, int events, qint64 ms)
{
    std::fprintf(stderr, "storm %s: %d events in %lld ms\n", screen, events, ms);
}

} // namespace

class StormScreensTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScopedConfigDir> config;

private slots:
    void initTestCase()
    {
        installStrictMessageHandler();
        KxPosModel::RegisterMetaTypes();
        CouponWidgetInfo::RegisterMetaTypes();
        qRegisterMetaType<OrderDetail>();
        qRegisterMetaType<PluDetail>();
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
    }

    void init()
    {
        config = std::make_unique<ScopedConfigDir>();
        KxPosConfig::SetAppSize(1024, 768);
        MessageWidget::ClearHistory();
        QuestionMessage::ClearHistory();
    }

    void cleanup()
    {
        config.reset();
        KxPosTranslator::SetLanguage(QStringLiteral("zh_CN"));
    }

    void tradeScreen()
    {
        config->set(QStringLiteral("TRADE_TareOptions"), QStringLiteral("[{\"weight\":\"0.1\"},{\"weight\":2},7,{}]"));
        config->set(QStringLiteral("TRADE_UseSuggestPro"), QStringLiteral("1"));
        TradeWidget screen(0, nullptr);
        for (int i = 1; i <= 45; ++i) {
            dynMapButton f;
            f.funcId = QString::number(i);
            f.funcCode = QStringLiteral("F%1").arg(i);
            f.funcName = QStringLiteral("功能%1").arg(i);
            screen.gridFunctions << f;
        }
        screen.InitFuncArea();
        screen.show();
        QAbstractItemModelTester saleTester(screen.GetTable()->model(),
                                            QAbstractItemModelTester::FailureReportingMode::Warning);
        int lastRebind = 0;
        Storm storm(&screen, [&] { screen.show(); },
                    [&](Hostile& h) {
                        switch (h.below(12)) {
                        case 0:
                        case 1: {
                            QList<KxPosPluDetail> lines = h.saleLines();
                            QList<KxPosEmployeeDetail> clerks;
                            for (int k = h.below(3); k > 0; --k)
                                clerks << KxPosEmployeeDetail{h.text(), h.text(), h.coin()};
                            screen.rebindModel(lines, clerks);
                            lastRebind = lines.size();
                            // Every rebind mirrors the host's lines exactly.
                            QCOMPARE(screen.GetTable()->rowCount(), lastRebind);
                            break;
                        }
                        case 2: {
                            QList<OrderDetail> orders;
                            for (int k = h.below(2) ? h.below(4) : h.below(60); k > 0; --k)
                                orders << h.order();
                            if (h.coin())
                                screen.ShowOrderWidget(orders, h.below(4) - 1);
                            else
                                screen.showOrderList(orders, h.below(4) - 1);
                            break;
                        }
                        case 3: {
                            QMap<QString, QList<KxPosProRemarkHelper>> map;
                            for (int k = h.below(4); k > 0; --k) {
                                QList<KxPosProRemarkHelper> list;
                                for (int j = h.below(2) ? h.below(3) : h.below(80); j > 0; --j)
                                    list.append({h.text(), h.text()});
                                map.insert(h.coin() ? QStringLiteral("000000") : h.text(), list);
                            }
                            screen.SetProText(map, h.text());
                            break;
                        }
                        case 4:
                            // The scale's reading arrives through a connection by signature.
                            QVERIFY(QMetaObject::invokeMethod(&screen, "SlotShowProdWeight", Q_ARG(double, h.number()),
                                                              Q_ARG(double, h.number()), Q_ARG(bool, h.coin()),
                                                              Q_ARG(bool, h.coin()), Q_ARG(bool, h.coin()),
                                                              Q_ARG(int, h.below(4) - 2)));
                            screen.SlotUpdateWeightData(TareUpdateType(h.below(4)), h.text());
                            break;
                        case 5: {
                            QHash<int, QString> texts;
                            for (int k = h.below(4); k > 0; --k)
                                texts.insert(h.anyInt(), h.text());
                            screen.UpdatePluProInfo(texts);
                            break;
                        }
                        case 6:
                            screen.ScrollSpecifyRow(h.anyInt());
                            screen.ClickOrderList(h.anyInt(), h.coin());
                            break;
                        case 7:
                            screen.ShowChange(h.number());
                            break;
                        case 8:
                            screen.updateDynData(h.anyInt(), h.text(), h.text());
                            break;
                        case 9:
                            screen.UpdateCouponDeductAmount(h.text(), h.text());
                            screen.UpdateBtnBillNumber(h.text());
                            break;
                        case 10:
                            screen.SetQuickPay(h.text(), h.text(), h.text());
                            break;
                        default:
                            screen.SetTradeActive(h.coin());
                            screen.SetDiscountLineMode(h.coin());
                            break;
                        }
                    },
                    stormSeed());
        QElapsedTimer timer;
        timer.start();
        storm.run(stormEvents());
        reportPace("trade", stormEvents(), timer.elapsed());
        if (QTest::currentTestFailed())
            return;
        // The table holds the last rebind plus at most one placeholder line
        // (fewer when the screen started a new sale since).
        QVERIFY(screen.GetTable()->rowCount() <= lastRebind + 1);
        // A final rebind is mirrored cell by cell.
        QList<KxPosPluDetail> lines;
        for (int i = 0; i < 3; ++i) {
            KxPosPluDetail l;
            l.lineNo = i + 1;
            l.pluCode = QStringLiteral("690100%1").arg(i);
            l.pluName = QStringLiteral("商品%1").arg(i);
            l.saleQty = 1;
            l.salePrice = 2.5;
            lines << l;
        }
        screen.rebindModel(lines, {});
        QCOMPARE(screen.GetTable()->rowCount(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(screen.GetTable()->model()->index(i, 1).data().toString(), lines.at(i).pluCode);
    }

    void couponScreen()
    {
        config->set(QStringLiteral("TRADE_CertificateChannel"),
                    QStringLiteral("[{\"ChannelName\":\"美团\",\"ChannelCode\":\"MT\"},{\"x\":1},3]"));
        CouponUsageWidget screen(nullptr);
        screen.Show(false);
        auto* list = screen.findChild<QListView*>(QStringLiteral("lvCoupon"));
        QVERIFY(list && list->model());
        QAbstractItemModelTester tester(list->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        Storm storm(&screen, [&] { screen.Show(false); },
                    [&](Hostile& h) {
                        switch (h.below(5)) {
                        case 0:
                        case 1:
                            screen.AddCouponInfo(h.coupon(), h.coin());
                            break;
                        case 2: {
                            QVariantList details;
                            for (int k = h.below(4); k > 0; --k) {
                                QVariantMap d;
                                d.insert(QStringLiteral("CodeCouponTypeID"),
                                         h.coin() ? QVariant(QStringLiteral("Q%1").arg(h.below(30))) : QVariant(h.number()));
                                d.insert(QStringLiteral("SaleNo"), h.text());
                                d.insert(QStringLiteral("ChannelCode"), QVariantList{h.text()});
                                details << (h.below(5) ? QVariant(d) : QVariant(h.text()));
                            }
                            QVariantMap result;
                            result.insert(QStringLiteral("PayDetails"), h.coin() ? QVariant(details) : QVariant(h.text()));
                            screen.CacheCouponUseResult(result);
                            break;
                        }
                        case 3: {
                            KxPosPayResult pay;
                            pay.saleNo = h.text();
                            pay.extraValues.insert(QStringLiteral("UDP21"), h.json());
                            screen.CacheCouponUseResult(QStringLiteral("Q%1").arg(h.below(30)), pay);
                            break;
                        }
                        default:
                            screen.UpdateCouponStatus(h.text(), CouponWidgetInfo::CouponStatus(h.below(4)), h.text());
                            break;
                        }
                    },
                    stormSeed() + 1);
        QElapsedTimer timer;
        timer.start();
        storm.run(stormEvents());
        reportPace("coupon", stormEvents(), timer.elapsed());
        if (QTest::currentTestFailed())
            return;
        // The host's view of the list is the list shown, one row per coupon id.
        const QList<CouponWidgetInfo> data = screen.GetCouponWidgetData();
        QCOMPARE(data.size(), list->model()->rowCount());
        QSet<QString> ids;
        for (const CouponWidgetInfo& c : data)
            ids.insert(c.couponId);
        QCOMPARE(ids.size(), data.size());
    }

    void customerForm()
    {
        CustomerInfoWidget screen(0, nullptr);
        static_cast<QWidget&>(screen).show();
        auto names = [&] {
            QStringList out;
            for (const auto& p : screen.Provinces())
                out << p.name + QString::number(p.cities.size());
            return out;
        };
        QStringList lastGood = names();
        Storm storm(&screen, [&] { static_cast<QWidget&>(screen).show(); },
                    [&](Hostile& h) {
                        if (h.below(4) == 0) {
                            screen.InitView(h.text());
                            return;
                        }
                        const QString json = h.json();
                        QString error;
                        if (screen.GetAreas(json, error)) {
                            lastGood = names();
                        } else {
                            // A refused tree says why and leaves the loaded one in place.
                            QVERIFY(!error.isEmpty());
                            QCOMPARE(names(), lastGood);
                        }
                        QCOMPARE(screen.AreaJson(), json);
                    },
                    stormSeed() + 2);
        QElapsedTimer timer;
        timer.start();
        storm.run(stormEvents());
        reportPace("customer", stormEvents(), timer.elapsed());
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(names(), lastGood);
    }

    void depositScreens()
    {
        DepositPluWidget deposit(0, nullptr);
        deposit.initValue();
        deposit.show();
        Storm storm(&deposit, [&] { deposit.show(); },
                    [&](Hostile& h) {
                        switch (h.below(4)) {
                        case 0:
                            deposit.AddPlu(h.saleLine(h.below(5)));
                            break;
                        case 1:
                            deposit.setVIP(KxPosVipDetail{h.text(), h.text(), h.text(), h.text(), h.number(),
                                                          h.text(), h.text(), h.text(), {}});
                            deposit.setEmployee(KxPosEmployeeDetail{h.text(), h.text(), h.coin()});
                            deposit.refresh();
                            break;
                        case 2:
                            deposit.setSaleNo(h.coin() ? QString() : h.text(), h.text());
                            break;
                        default:
                            if (h.below(8) == 0)
                                deposit.initValue();
                            else
                                deposit.RemovePlu();
                            break;
                        }
                    },
                    stormSeed() + 3);
        storm.run(stormEvents());
        if (QTest::currentTestFailed())
            return;

        GetDepositWidget pickup(0, nullptr);
        pickup.show();
        int lastOrders = 0;
        Storm pickStorm(&pickup, [&] { pickup.show(); },
                        [&](Hostile& h) {
                            if (h.below(3) == 0) {
                                QList<KxPosDepositOrderDetail> orders;
                                for (int k = h.coin() ? h.below(3) : h.below(40); k > 0; --k) {
                                    KxPosDepositOrderDetail o;
                                    o.orderNo = h.text();
                                    for (int j = h.below(4); j > 0; --j)
                                        o.depositPlus << KxPosDepositPluDetail{h.text(), h.text(), h.text(), h.text(),
                                                                               h.number(), h.number()};
                                    orders << o;
                                }
                                pickup.initValue(KxPosVipDetail{}, orders);
                                // An empty list is no new pick-up: the orders shown stay.
                                if (!orders.isEmpty())
                                    lastOrders = orders.size();
                            } else if (h.coin()) {
                                pickup.setPluNum(h.text());
                            } else {
                                QList<KxPosDepositPluDetail> lines;
                                for (int j = h.below(5); j > 0; --j)
                                    lines << KxPosDepositPluDetail{h.text(), h.text(), h.text(), h.text(), h.number(),
                                                                   h.number()};
                                pickup.RefreshOrderParticulars(lines);
                            }
                        },
                        stormSeed() + 4);
        pickStorm.run(stormEvents());
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pickup.Orders().size(), lastOrders);
        QVERIFY(pickup.CurrentOrder() >= -1 && pickup.CurrentOrder() < qMax(1, lastOrders));
    }

    void promotionTypeDialog()
    {
        SelectProType screen(0, nullptr);
        static_cast<QWidget&>(screen).show();
        QSignalSpy chosen(&screen, &SelectProType::SignSelectProType);
        Storm storm(&screen, [&] { static_cast<QWidget&>(screen).show(); }, [](Hostile&) {}, stormSeed() + 5);
        storm.run(stormEvents());
        for (const QList<QVariant>& args : chosen)
            QVERIFY(args.at(0).toInt() >= 0);
    }
};

QTEST_MAIN(StormScreensTest)
#include "tst_storm_screens.moc"
