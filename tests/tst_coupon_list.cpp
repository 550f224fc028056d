// The coupon screen's records, coupon list, search, channel bar and mutual
// exclusion, driven as a host and a cashier would.

#include "TestSupport.h"
#include "TestRecords.h"
#include "TestScreens.h"

#include "coupon/CouponItemDelegate.h"
#include "coupon/CouponListModel.h"
#include "coupon/CouponUsageWidget.h"
#include "coupon/CouponWidgetInfo.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TitleWidget.h"

#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace KxPosTest;

namespace {
const QString ChannelsJson = QStringLiteral(
    R"([{"ChannelName":"美团","ChannelCode":"MT"},{"ChannelName":"抖音","ChannelCode":"DY"},)"
    R"({"ChannelName":"快手","ChannelCode":"KS"}])");

QString channelsJson(int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral(R"({"ChannelName":"渠道%1","ChannelCode":"C%1"})").arg(i);
    return QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']');
}
} // namespace

class CouponListTest : public ScreenTestCase
{
    Q_OBJECT

private:
    static QListView* list(CouponUsageWidget* screen) { return child<QListView>(screen, "lvCoupon"); }
    static QList<QPushButton*> channelButtons(CouponUsageWidget* screen)
    {
        return child<QWidget>(screen, "widgetChannelButtons")->findChildren<QPushButton*>();
    }
    static void clickRowBody(CouponUsageWidget* screen, int row)
    {
        QListView* view = list(screen);
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + rect.width() / 3, rect.center().y()));
    }

private slots:
    // --- Records ---------------------------------------------------------------

    void defaultRecord()
    {
        const CouponWidgetInfo info;
        QCOMPARE(info.useCount, 1);
        QVERIFY(info.checked);
        QVERIFY(!info.confirmed);
        QVERIFY(!info.added);
        QCOMPARE(int(info.status), 0);
        QCOMPARE(info.selectCount, 0);
        QCOMPARE(info.couponAmount, 0.0);
        QVERIFY(info.childCoupons.isEmpty());
        QVERIFY(info.pluInfoList.isEmpty());
        const CouponWidgetInfo::CouponPluInfo plu;
        QVERIFY(!plu.selected);
        QCOMPARE(plu.limitWeight, 0.0);
    }

    void recordsTravelInVariantsByName()
    {
        CouponWidgetInfo::RegisterMetaTypes();
        QVERIFY(QMetaType::type("CouponWidgetInfo") != QMetaType::UnknownType);
        QVERIFY(QMetaType::type("CouponWidgetInfo::CouponPluInfo") != QMetaType::UnknownType);
        CouponWidgetInfo info = channelCoupon(QStringLiteral("A1"), QStringLiteral("MT"), 2);
        CouponWidgetInfo::CouponPluInfo plu;
        plu.pluCode = QStringLiteral("1001");
        plu.limitWeight = 1.5;
        info.pluInfoList << plu;
        const QVariant variant = QVariant::fromValue(info);
        QCOMPARE(variant.typeName(), "CouponWidgetInfo");
        const CouponWidgetInfo back = variant.value<CouponWidgetInfo>();
        QCOMPARE(back.childCoupons.size(), 2);
        QCOMPARE(back.childCoupons.at(1).couponId, QStringLiteral("A1-c1"));
        QCOMPARE(back.pluInfoList.at(0).limitWeight, 1.5);
    }

    // --- List model ------------------------------------------------------------

    void listModelRoles_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("confirmed") << 257 << QVariant(true) << "confirmed" << QVariant(true);
        QTest::newRow("status") << 258 << QVariant(2) << "status" << QVariant(2);
        QTest::newRow("child status")
            << 259 << QVariant(QVariantList{QStringLiteral("A1-c1"), 1}) << "child1" << QVariant(1);
        QTest::newRow("child status, unknown child")
            << 259 << QVariant(QVariantList{QStringLiteral("nope"), 1}) << "child1" << QVariant(0);
        QTest::newRow("added") << 260 << QVariant(true) << "added" << QVariant(true);
        QTest::newRow("use count") << 261 << QVariant(3) << "useCount" << QVariant(3);
        QTest::newRow("checked") << 262 << QVariant(false) << "checked" << QVariant(false);
        CouponWidgetInfo replacement = channelCoupon(QStringLiteral("Z9"));
        QTest::newRow("whole record") << int(Qt::EditRole) << QVariant::fromValue(replacement) << "couponId"
                                      << QVariant(QStringLiteral("Z9"));
        QTest::newRow("unknown role changes nothing") << 300 << QVariant(5) << "useCount" << QVariant(1);
    }

    void listModelRoles()
    {
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        CouponListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.AppendCoupon(channelCoupon(QStringLiteral("A0")));
        model.AppendCoupon(channelCoupon(QStringLiteral("A1"), QStringLiteral("MT"), 2));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        const QModelIndex index = model.index(1, 0);
        QVERIFY(model.setData(index, value, role));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), index);

        const CouponWidgetInfo row = model.data(index, CouponListModel::RecordRole).value<CouponWidgetInfo>();
        const QMap<QString, QVariant> fields{
            {QStringLiteral("confirmed"), row.confirmed},
            {QStringLiteral("status"), int(row.status)},
            {QStringLiteral("child1"), int(row.childCoupons.value(1).status)},
            {QStringLiteral("added"), row.added},
            {QStringLiteral("useCount"), row.useCount},
            {QStringLiteral("checked"), row.checked},
            {QStringLiteral("couponId"), row.couponId},
        };
        QCOMPARE(fields.value(field), expected);
        // The other row is untouched.
        QCOMPARE(model.GetCoupon(0).couponId, QStringLiteral("A0"));
        QCOMPARE(model.GetCoupon(0).useCount, 1);
    }

    void listModelRefusesIndexesOutsideTheList()
    {
        CouponListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.AppendCoupon(channelCoupon(QStringLiteral("A0")));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(!model.setData(QModelIndex(), true, CouponListModel::CheckedRole));
        QStandardItemModel other(5, 1);
        QVERIFY(!model.setData(other.index(3, 0), true, CouponListModel::CheckedRole));
        QCOMPARE(changed.count(), 0);
        QVERIFY(!model.data(QModelIndex(), CouponListModel::RecordRole).isValid());
        QVERIFY(!model.data(model.index(0, 0), Qt::DisplayRole).isValid());
        QVERIFY(model.data(model.index(0, 0), CouponListModel::RecordRole).isValid());
        QCOMPARE(model.GetCoupon(7).couponId, QString());
        QCOMPARE(model.GetCoupon(-1).useCount, 1);
        QVERIFY(!model.RemoveCoupon(1));
        QVERIFY(model.RemoveCoupon(0));
        QCOMPARE(model.rowCount(), 0);
        model.SetCouponList({channelCoupon(QStringLiteral("B0")), channelCoupon(QStringLiteral("B1"))});
        QCOMPARE(model.rowCount(), 2);
        model.Clear();
        QCOMPARE(model.rowCount(), 0);
    }

    // --- Modes -----------------------------------------------------------------

    void modesShapeTheScreen_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QString>("channels");
        QTest::addColumn<bool>("channelBar");
        QTest::addColumn<QString>("channel");
        QTest::newRow("deduction with channels") << true << ChannelsJson << true << "MT";
        QTest::newRow("deduction without channels") << true << QString() << false << "";
        QTest::newRow("deduction with a broken setting") << true << QStringLiteral("{not json") << false << "";
        QTest::newRow("exchange with channels") << false << ChannelsJson << false << "jh";
        QTest::newRow("exchange without channels") << false << QString() << false << "jh";
    }

    void modesShapeTheScreen()
    {
        QFETCH(bool, deduct);
        QFETCH(QString, channels);
        QFETCH(bool, channelBar);
        QFETCH(QString, channel);
        auto screen = couponScreen(deduct, channels);
        QCOMPARE(screen->IsDeductMode(), deduct);
        QCOMPARE(child<QWidget>(screen.get(), "widgetChannel")->isVisible(), channelBar);
        QCOMPARE(child<QWidget>(screen.get(), "widgetRight")->isVisible(), !deduct);
        QCOMPARE(screen->GetCurrentChannelCode(), channel);
        auto* typeButton = child<QPushButton>(screen.get(), "btnCouponType");
        QVERIFY(!typeButton->isEnabled());
        if (deduct)
            QCOMPARE(typeButton->text(), translated(5053));
        QCOMPARE(screen->findChild<TitleWidget*>()->title(), translated(2271));
        QCOMPARE(child<QPushButton>(screen.get(), "btnPre")->isVisible(), !deduct);
        QCOMPARE(child<QPushButton>(screen.get(), "btnConfirm")->isVisible(), deduct);
        QCOMPARE(screen->GetChannelList().size(), channels == ChannelsJson ? 3 : 0);
    }

    // --- Search ----------------------------------------------------------------

    void searchSendsCodeAndChannel_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("sent");
        QTest::addColumn<QString>("channel");
        QTest::newRow("return, first channel") << true << ChannelsJson << "889900" << int(Qt::Key_Return) << 1 << "MT";
        QTest::newRow("keypad enter") << true << ChannelsJson << "889900" << int(Qt::Key_Enter) << 1 << "MT";
        QTest::newRow("search button") << true << ChannelsJson << "889900" << 0 << 1 << "MT";
        QTest::newRow("no channels") << true << QString() << "5566" << int(Qt::Key_Return) << 1 << "";
        QTest::newRow("exchange sends jh") << false << ChannelsJson << "5566" << int(Qt::Key_Return) << 1 << "jh";
        QTest::newRow("empty line sends nothing") << true << ChannelsJson << "" << int(Qt::Key_Return) << 0 << "";
        QTest::newRow("blanks send nothing") << true << ChannelsJson << "   " << 0 << 0 << "";
    }

    void searchSendsCodeAndChannel()
    {
        QFETCH(bool, deduct);
        QFETCH(QString, channels);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, sent);
        QFETCH(QString, channel);
        auto screen = couponScreen(deduct, channels);
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        auto* line = child<QLineEdit>(screen.get(), "txtCouponCode");
        QTest::keyClicks(line, typed);
        if (key)
            QTest::keyClick(line, Qt::Key(key));
        else
            QTest::mouseClick(child<QPushButton>(screen.get(), "btnSearch"), Qt::LeftButton);
        QCOMPARE(search.count(), sent);
        if (sent) {
            QCOMPARE(search.at(0).at(0).toString(), typed);
            QCOMPARE(search.at(0).at(1).toString(), channel);
            QCOMPARE(line->text(), QString());
        }
        QVERIFY(MessageWidget::History().isEmpty());
    }

    void exchangeSearchWaitsForConfirmedProducts()
    {
        auto screen = couponScreen(false);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("E1"), QStringLiteral("jh")), true);
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        auto* line = child<QLineEdit>(screen.get(), "txtCouponCode");
        QTest::keyClicks(line, QStringLiteral("7788"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(search.count(), 0);
        QCOMPARE(lastMessageText(), translated(2278));
        QCOMPARE(line->text(), QStringLiteral("7788"));

        screen->SetCouponConfirmed(list(screen.get())->model()->index(0, 0));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(search.count(), 1);
    }

    // --- Adding and exclusion --------------------------------------------------

    void mutualExclusion_data()
    {
        QTest::addColumn<bool>("deduct");
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same channel") << true << ChannelsJson << "MT" << "MT" << true;
        QTest::newRow("other channel refused") << true << ChannelsJson << "MT" << "DY" << false;
        QTest::newRow("empty list takes any channel") << true << ChannelsJson << "" << "DY" << true;
        QTest::newRow("no channel bar") << true << QString() << "MT" << "DY" << true;
        QTest::newRow("exchange mode ignores channels") << false << ChannelsJson << "MT" << "DY" << true;
    }

    void mutualExclusion()
    {
        QFETCH(bool, deduct);
        QFETCH(QString, channels);
        QFETCH(QString, listed);
        QFETCH(QString, incoming);
        QFETCH(bool, accepted);
        auto screen = couponScreen(deduct, channels);
        if (!listed.isEmpty()) {
            CouponWidgetInfo first = channelCoupon(QStringLiteral("A1"), listed);
            first.confirmed = true;
            screen->AddCouponInfo(first, true);
        }
        MessageWidget::ClearHistory();
        const int before = screen->GetCouponWidgetData().size();
        const CouponWidgetInfo other = channelCoupon(QStringLiteral("B1"), incoming);
        QCOMPARE(screen->CheckCouponMutex(other), accepted);
        screen->AddCouponInfo(other, true);
        QCOMPARE(screen->GetCouponWidgetData().size(), before + (accepted ? 1 : 0));
        if (accepted) {
            QVERIFY(MessageWidget::History().isEmpty());
            QCOMPARE(screen->GetCurrentCouponInfo().couponId, QStringLiteral("B1"));
        } else {
            QCOMPARE(lastMessageText(), translated(2267).arg(QStringLiteral("抖音")));
            QCOMPARE(MessageWidget::History().last().second, translated(1969));
            QCOMPARE(screen->GetCurrentCouponInfo().couponId, QStringLiteral("A1"));
        }
    }

    void duplicates_data()
    {
        QTest::addColumn<bool>("warn");
        QTest::newRow("refresh in place") << false;
        QTest::newRow("warn and keep") << true;
    }

    void duplicates()
    {
        QFETCH(bool, warn);
        auto screen = couponScreen(true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A2")), true);
        list(screen.get())->setCurrentIndex(list(screen.get())->model()->index(0, 0));
        MessageWidget::ClearHistory();

        CouponWidgetInfo again = channelCoupon(QStringLiteral("A1"));
        again.couponName = QStringLiteral("新名称");
        again.couponAmount = 25.0;
        QVERIFY(!screen->CheckCouponAdded(again));
        screen->AddCouponInfo(again, warn);

        const QList<CouponWidgetInfo> rows = screen->GetCouponWidgetData();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).couponId, QStringLiteral("A1"));
        QCOMPARE(rows.at(0).couponName, warn ? QStringLiteral("券A1") : QStringLiteral("新名称"));
        QCOMPARE(rows.at(0).couponAmount, warn ? 10.0 : 25.0);
        QCOMPARE(lastMessageText(), warn ? translated(2268).arg(QStringLiteral("A1")) : QString());
        // Either way the last row becomes current.
        QCOMPARE(list(screen.get())->currentIndex().row(), 1);
    }

    void updateCouponInfoSelectsFirstRowSilently()
    {
        auto screen = couponScreen(false);
        QSignalSpy products(screen.get(), &CouponUsageWidget::SignGetCouponPlu);
        screen->UpdateCouponInfo({channelCoupon(QStringLiteral("E1"), QStringLiteral("jh")),
                                  channelCoupon(QStringLiteral("E2"), QStringLiteral("jh"))});
        QCOMPARE(screen->GetCouponWidgetData().size(), 2);
        QCOMPARE(screen->GetCurrentCouponInfo().couponId, QStringLiteral("E1"));
        QCOMPARE(screen->GetCurrentCouponCode(), QStringLiteral("code-E1"));
        QCOMPARE(products.count(), 0);
        screen->UpdateCouponInfo({});
        QCOMPARE(screen->GetCurrentCouponInfo().couponId, QString());
    }

    // --- Channel bar -----------------------------------------------------------

    void channelPaging_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("nextVisible");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QList<int>>("buttonsPerPress"); // buttons shown at start and after each press
        QTest::newRow("one") << 1 << false << 1 << QList<int>{1, 1};
        QTest::newRow("five fit one page") << 5 << false << 1 << QList<int>{5, 5};
        QTest::newRow("six: 4 + 2, wraps") << 6 << true << 2 << QList<int>{4, 2, 4};
        QTest::newRow("nine: 4 + 4 + 1, wraps") << 9 << true << 3 << QList<int>{4, 4, 1, 4};
    }

    void channelPaging()
    {
        QFETCH(int, channels);
        QFETCH(bool, nextVisible);
        QFETCH(int, pages);
        QFETCH(QList<int>, buttonsPerPress);
        auto screen = couponScreen(true, channelsJson(channels));
        auto* next = child<QPushButton>(screen.get(), "btnChannelNext");
        QCOMPARE(next->isVisible(), nextVisible);
        QCOMPARE(screen->ChannelPageCount(), pages);
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("C0"));
        QCOMPARE(screen->GetCurrentChannelName(), QStringLiteral("渠道0"));

        for (int press = 0; press < buttonsPerPress.size(); ++press) {
            if (press > 0) {
                if (nextVisible)
                    QTest::mouseClick(next, Qt::LeftButton);
                else
                    QMetaObject::invokeMethod(screen.get(), "SlotChannelNextPage");
            }
            const QList<QPushButton*> buttons = channelButtons(screen.get());
            QCOMPARE(buttons.size(), buttonsPerPress.at(press));
            const int page = screen->ChannelPage();
            QCOMPARE(page, nextVisible ? press % pages : 0);
            // Buttons carry their channel, in configuration order.
            const int first = channels > 5 ? page * 4 : 0;
            QCOMPARE(buttons.first()->property("channelCode").toString(), QStringLiteral("C%1").arg(first));
            QCOMPARE(buttons.first()->text(), QStringLiteral("渠道%1").arg(first));
            QVERIFY(buttons.first()->isCheckable());
            QCOMPARE(buttons.first()->focusPolicy(), Qt::NoFocus);
            QCOMPARE(buttons.first()->isChecked(), first == 0);
        }
        // Paging does not change the channel in use.
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("C0"));
    }

    void channelSwitchFollowsTheList()
    {
        auto screen = couponScreen(true, ChannelsJson);
        QSignalSpy search(screen.get(), &CouponUsageWidget::SignSearchCoupon);
        QAbstractButton* douyin = screen->GetChannelButton(QStringLiteral("DY"));
        QVERIFY(douyin);
        QVERIFY(!screen->GetChannelButton(QStringLiteral("XX")));

        // An empty list takes any channel.
        QTest::mouseClick(douyin, Qt::LeftButton);
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("DY"));
        QCOMPARE(screen->GetCurrentChannelName(), QStringLiteral("抖音"));
        auto* line = child<QLineEdit>(screen.get(), "txtCouponCode");
        QTest::keyClicks(line, QStringLiteral("123"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(search.at(0).at(1).toString(), QStringLiteral("DY"));

        // With coupons of DY listed, another channel is refused.
        screen->AddCouponInfo(channelCoupon(QStringLiteral("D1"), QStringLiteral("DY")), true);
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("MT")), Qt::LeftButton);
        QCOMPARE(lastMessageText(), translated(2267).arg(QStringLiteral("抖音")));
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("DY"));
        QVERIFY(screen->GetChannelButton(QStringLiteral("DY"))->isChecked());
        QVERIFY(!screen->GetChannelButton(QStringLiteral("MT"))->isChecked());
        // The listed coupons' own channel stays available.
        MessageWidget::ClearHistory();
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("DY")), Qt::LeftButton);
        QVERIFY(MessageWidget::History().isEmpty());

        // Once the list is empty again the bar is free.
        screen->ClearData();
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("KS")), Qt::LeftButton);
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("KS"));
    }

    void refusedSwitchOnAnotherPageLeavesNoButtonChecked()
    {
        auto screen = couponScreen(true, channelsJson(6));
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1"), QStringLiteral("C0")), true);
        QTest::mouseClick(child<QPushButton>(screen.get(), "btnChannelNext"), Qt::LeftButton);
        QVERIFY(!screen->GetChannelButton(QStringLiteral("C0")));
        QAbstractButton* c5 = screen->GetChannelButton(QStringLiteral("C5"));
        QVERIFY(c5);
        QTest::mouseClick(c5, Qt::LeftButton);
        QVERIFY(!c5->isChecked());
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("C0"));
        QCOMPARE(lastMessageText(), translated(2267).arg(QStringLiteral("C0")));
    }

    // --- Selecting rows --------------------------------------------------------

    void pendingCouponBecomesUsedWhenSelected()
    {
        auto screen = couponScreen(true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        CouponWidgetInfo pending = channelCoupon(QStringLiteral("A2"));
        pending.status = CouponWidgetInfo::StatusPending;
        screen->UpdateCouponInfo({screen->GetCouponWidgetData().at(0), pending});
        QCOMPARE(int(screen->GetCouponWidgetData().at(1).status), 3);
        clickRowBody(screen.get(), 1);
        QCOMPARE(int(screen->GetCouponWidgetData().at(1).status), 1);
        QCOMPARE(int(screen->GetCouponWidgetData().at(0).status), 0);
    }

    void exchangeRowSelection_data()
    {
        QTest::addColumn<int>("selectCount");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("asks");
        QTest::addColumn<int>("page");
        QTest::newRow("fresh, nothing to choose: ask the host") << 0 << 0 << false << 1 << 0;
        QTest::newRow("all products fixed: ask the host") << 2 << 2 << false << 1 << 0;
        QTest::newRow("a choice to make: selection page") << 1 << 3 << false << 0 << 0;
        QTest::newRow("confirmed: product list") << 1 << 3 << true << 0 << 1;
    }

    void exchangeRowSelection()
    {
        QFETCH(int, selectCount);
        QFETCH(int, entries);
        QFETCH(bool, confirmed);
        QFETCH(int, asks);
        QFETCH(int, page);
        auto screen = couponScreen(false);
        QSignalSpy products(screen.get(), &CouponUsageWidget::SignGetCouponPlu);
        CouponWidgetInfo info = channelCoupon(QStringLiteral("E1"), QStringLiteral("jh"));
        info.selectCount = selectCount;
        info.confirmed = confirmed;
        for (int i = 0; i < entries; ++i) {
            CouponWidgetInfo::CouponPluInfo plu;
            plu.pluCode = QStringLiteral("P%1").arg(i);
            plu.pluName = QStringLiteral("商品%1").arg(i);
            info.pluInfoList << plu;
        }
        screen->AddCouponInfo(info, true);
        QCOMPARE(products.count(), asks);
        if (asks)
            QCOMPARE(products.at(0).at(0).value<CouponWidgetInfo>().couponId, QStringLiteral("E1"));
        QCOMPARE(screen->CurrentPage(), page);
        QCOMPARE(child<QStackedWidget>(screen.get(), "stackedWidgetPlu")->currentIndex(), page);
    }

    void exchangeKeepsUnconfirmedCouponSelected()
    {
        auto screen = couponScreen(false);
        CouponWidgetInfo done = channelCoupon(QStringLiteral("E1"), QStringLiteral("jh"));
        done.confirmed = true;
        screen->AddCouponInfo(done, true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("E2"), QStringLiteral("jh")), true);
        QCOMPARE(list(screen.get())->currentIndex().row(), 1);
        MessageWidget::ClearHistory();
        clickRowBody(screen.get(), 0);
        QCOMPARE(lastMessageText(), translated(2278));
        QCOMPARE(list(screen.get())->currentIndex().row(), 1);
        QCOMPARE(screen->GetCurrentCouponInfo().couponId, QStringLiteral("E2"));
    }

    // --- Flags and read-outs ---------------------------------------------------

    void flagSetters()
    {
        auto screen = couponScreen(true);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        CouponWidgetInfo used = channelCoupon(QStringLiteral("A2"));
        used.status = CouponWidgetInfo::StatusUsed;
        screen->AddCouponInfo(used, true);
        CouponWidgetInfo usedUnticked = channelCoupon(QStringLiteral("A3"));
        usedUnticked.status = CouponWidgetInfo::StatusUsed;
        usedUnticked.checked = false;
        screen->AddCouponInfo(usedUnticked, true);

        screen->SetCouponChecked(QStringLiteral("A1"), false);
        screen->SetCouponChecked(QStringLiteral("unknown"), false);
        QVERIFY(!screen->GetCouponWidgetData().at(0).checked);

        screen->SetCheckedCouponAdded();
        QList<CouponWidgetInfo> rows = screen->GetCouponWidgetData();
        QCOMPARE(rows.at(0).added, false);
        QCOMPARE(rows.at(1).added, true);
        QCOMPARE(rows.at(2).added, false);

        list(screen.get())->setCurrentIndex(list(screen.get())->model()->index(0, 0));
        screen->SetCurrentCouponAdded(true);
        QVERIFY(screen->GetCouponWidgetData().at(0).added);
        screen->SetCurrentCouponAdded(false);
        QVERIFY(!screen->GetCouponWidgetData().at(0).added);
    }

    void submitCanBeRefused_data()
    {
        QTest::addColumn<bool>("refuse");
        QTest::newRow("submit allowed") << false;
        QTest::newRow("submit refused") << true;
    }

    void submitCanBeRefused()
    {
        QFETCH(bool, refuse);
        KxPosConfig::m_isCouponForDeduct = true;
        CouponUsageWidget screen(nullptr);
        screen.Show(refuse);
        screen.AddCouponInfo(channelCoupon(QStringLiteral("A1")), true);
        int finished = 0;
        int used = 0;
        connect(&screen, &CouponUsageWidget::SignUseCouponFinished, this,
                [&](CouponPluListMap&, const QList<QVariantMap>&) { ++finished; });
        connect(&screen, &CouponUsageWidget::SignUseCouponAndAddPlu, this,
                [&](CouponPluListMap&, const QList<QVariantMap>&) { ++used; });
        QTest::mouseClick(child<QPushButton>(&screen, "btnSubmit"), Qt::LeftButton);
        QCOMPARE(finished, refuse ? 0 : 1);
        QCOMPARE(lastMessageText(), refuse ? translated(2284) : QString());
        QTest::mouseClick(child<QPushButton>(&screen, "btnConfirm"), Qt::LeftButton);
        QCOMPARE(used, 1);
    }

    void clearDataEmptiesTheScreen()
    {
        auto screen = couponScreen(true, channelsJson(7));
        QTest::mouseClick(child<QPushButton>(screen.get(), "btnChannelNext"), Qt::LeftButton);
        QTest::mouseClick(screen->GetChannelButton(QStringLiteral("C5")), Qt::LeftButton);
        screen->AddCouponInfo(channelCoupon(QStringLiteral("A1"), QStringLiteral("C5")), true);
        QTest::keyClicks(child<QLineEdit>(screen.get(), "txtCouponCode"), QStringLiteral("99"));
        QCOMPARE(screen->ChannelPage(), 1);

        screen->ClearData();
        QVERIFY(screen->GetCouponWidgetData().isEmpty());
        QCOMPARE(child<QLineEdit>(screen.get(), "txtCouponCode")->text(), QString());
        QCOMPARE(child<QLabel>(screen.get(), "lblTotalAmount")->text(), QStringLiteral("0.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lblDeductAmount")->text(), QStringLiteral("0.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lblPayAmount")->text(), QStringLiteral("0.00"));
        QCOMPARE(child<QLabel>(screen.get(), "lblPluCount")->text(), translated(2277));
        QCOMPARE(screen->CurrentPage(), 0);
        QCOMPARE(screen->ChannelPage(), 0);
        QCOMPARE(screen->PackPluRow(), -1);
        // The channel chosen stays.
        QCOMPARE(screen->GetCurrentChannelCode(), QStringLiteral("C5"));
        QCOMPARE(screen->GetCurrentCouponInfo().couponId, QString());
    }

    void closeAndLanguage()
    {
        auto screen = couponScreen(false);
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->size(), KxPosConfig::GetAutoSize(1820, 985, 1000, 700));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(screen->findChild<TitleWidget*>()->title(), KxPosTranslator::GetTranslation(2271));
        QCOMPARE(child<QPushButton>(screen.get(), "btnPackConfirm")->text(), KxPosTranslator::GetTranslation(1259));
        auto* table = child<QTableView>(screen.get(), "tbvPluList");
        QCOMPARE(table->model()->headerData(0, Qt::Horizontal).toString(), KxPosTranslator::GetTranslation(1453));
        QTest::mouseClick(screen->findChild<TitleWidget*>()->closeButton(), Qt::LeftButton);
        QVERIFY(!screen->isVisible());
    }
};

QTEST_MAIN(CouponListTest)
#include "tst_coupon_list.moc"
