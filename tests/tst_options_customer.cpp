// Customer information form: the area tree and its errors, the cascading
// lists, ID-number rules with the preset number, keys, the on-screen keyboard
// and the modal run through the form's own event loop.

#include "TestSupport.h"

#include "options/CustomerInfoWidget.h"

#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {
const char* const SmallTree = R"([
  {"name": "广东省", "child": [
    {"name": "广州市", "child": [{"name": "天河区"}, {"name": "越秀区"}]},
    {"name": "深圳市", "child": [{"name": "南山区"}, {"name": "福田区"}, {"name": "宝安区"}]}
  ]},
  {"name": "北京市", "child": [
    {"name": "北京市", "child": [{"name": "东城区"}, {"name": "海淀区"}]}
  ]},
  {"name": "西藏自治区", "child": []}
])";

QStringList items(QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

// Chooses `text` in a list as the cashier does: open it, move to the entry,
// confirm with Enter. False when the list has no such entry.
bool choose(QComboBox* combo, const QString& text)
{
    const int row = combo->findText(text);
    if (row < 0)
        return false;
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(row, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    return combo->currentText() == text && !combo->view()->isVisible();
}

// Runs the form; `during` acts once it runs. A form still open afterwards
// is closed with F7; a watchdog ends a form that would never close.
int runForm(CustomerInfoWidget& form, const std::function<void()>& during)
{
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        ran = true;
        during();
        if (form.isRunning())
            QTest::keyClick(&form, Qt::Key_F7);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &form, [&] { form.CloseCustomerInfoWidget(); });
    watchdog.start(10000);
    const int result = form.exec();
    if (!ran)
        QTest::qFail("the form did not run", __FILE__, __LINE__);
    return result;
}

void clickKey(CustomerInfoWidget& form, const QString& key)
{
    QPushButton* button = form.KeyBoard()->key(key);
    if (!button)
        QTest::qFail(qPrintable(QStringLiteral("no key ") + key), __FILE__, __LINE__);
    else
        QTest::mouseClick(button, Qt::LeftButton);
}
} // namespace

class OptionsCustomerTest : public KxPosTest::ScreenTestCase
{
    Q_OBJECT

private slots:
    void areaErrors_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty text") << "" << KxPosTest::translated(2285);
        QTest::newRow("not JSON") << "省市区" << KxPosTest::translated(2287);
        QTest::newRow("broken JSON") << "[{\"name\": \"广东省\"" << KxPosTest::translated(2287);
        QTest::newRow("an object, not a list") << "{}" << KxPosTest::translated(2286);
        QTest::newRow("object with provinces inside") << "{\"child\": []}" << KxPosTest::translated(2286);
        QTest::newRow("province without a name") << "[{}]" << KxPosTest::translated(2288) + "0";
        QTest::newRow("second province without a name")
            << "[{\"name\": \"广东省\", \"child\": []}, {\"child\": []}]" << KxPosTest::translated(2288) + "1";
        QTest::newRow("province that is no object") << "[{\"name\": \"广东省\"}, 5]" << KxPosTest::translated(2288) + "1";
        QTest::newRow("name that is no text") << "[{\"name\": 11}]" << KxPosTest::translated(2288) + "0";
    }

    void areaErrors()
    {
        QFETCH(QString, json);
        QFETCH(QString, error);
        CustomerInfoWidget form(1, nullptr);
        QString message;
        QVERIFY(form.GetAreas(QString::fromUtf8(SmallTree), message));
        QVERIFY(message.isEmpty());
        SlotChooseProvince(form, 0);

        message = QStringLiteral("stale");
        QVERIFY(!form.GetAreas(json, message));
        QCOMPARE(message, error);
        QCOMPARE(form.AreaJson(), json);
        // The tree and the lists loaded before stay as they were.
        QCOMPARE(form.Provinces().size(), 3);
        QCOMPARE(items(form.getUiQComboBox(0)), (QStringList{"广东省", "北京市", "西藏自治区"}));
        QCOMPARE(items(form.getUiQComboBox(1)), (QStringList{"广州市", "深圳市"}));
    }

    void cascade()
    {
        CustomerInfoWidget form(1, nullptr);
        QString error;
        QVERIFY(form.GetAreas(QString::fromUtf8(SmallTree), error));
        QComboBox* province = form.getUiQComboBox(0);
        QComboBox* city = form.getUiQComboBox(1);
        QComboBox* district = form.getUiQComboBox(2);
        QCOMPARE(province->currentIndex(), -1); // nothing preselected
        QVERIFY(items(city).isEmpty());

        runForm(form, [&] {
            QVERIFY(choose(province, QStringLiteral("广东省")));
            QCOMPARE(items(city), (QStringList{"广州市", "深圳市"}));
            QVERIFY(items(district).isEmpty());
            QVERIFY(choose(city, QStringLiteral("深圳市")));
            QCOMPARE(items(district), (QStringList{"南山区", "福田区", "宝安区"}));

            // Another province empties the districts as well as the cities.
            QVERIFY(choose(province, QStringLiteral("北京市")));
            QCOMPARE(items(city), QStringList{"北京市"});
            QCOMPARE(city->currentIndex(), -1);
            QVERIFY(items(district).isEmpty());
            QCOMPARE(form.CurrentCities().size(), 1);

            // A district sends the typing to the address box.
            QVERIFY(choose(city, QStringLiteral("北京市")));
            QTest::keyClick(&form, Qt::Key_F5);
            QVERIFY(choose(district, QStringLiteral("海淀区")));
            clickKey(form, QStringLiteral("7"));
            QCOMPARE(form.getUiQLineEdit(1)->text(), QStringLiteral("7"));
            QVERIFY(form.getUiQLineEdit(0)->text().isEmpty());

            // A province without cities leaves both lists empty.
            QVERIFY(choose(province, QStringLiteral("西藏自治区")));
            QVERIFY(items(city).isEmpty());
            QVERIFY(items(district).isEmpty());
        });
    }

    void shippedAreaData()
    {
        const QString path = QFINDTESTDATA("../resources/data/areas.json");
        QVERIFY2(!path.isEmpty(), "areas.json not found");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        CustomerInfoWidget form(1, nullptr);
        QString error;
        QVERIFY2(form.GetAreas(QString::fromUtf8(file.readAll()), error), qPrintable(error));
        QCOMPARE(form.Provinces().size(), 34);
        int cities = 0;
        for (const CustomerInfoWidget::Province& p : form.Provinces()) {
            QVERIFY2(!p.name.isEmpty() && !p.cities.isEmpty(), qPrintable(p.name));
            for (const CustomerInfoWidget::City& c : p.cities) {
                QVERIFY2(!c.name.isEmpty() && !c.districts.isEmpty(), qPrintable(p.name + c.name));
                ++cities;
            }
        }
        QVERIFY(cities >= 340);
        const QStringList provinces = items(form.getUiQComboBox(0));
        for (const char* name : {"北京市", "广东省", "新疆维吾尔自治区", "台湾省", "香港特别行政区", "澳门特别行政区"})
            QVERIFY2(provinces.contains(QString::fromUtf8(name)), name);
        form.SlotComboBoxProvOK(provinces.indexOf(QStringLiteral("广东省")));
        QVERIFY(items(form.getUiQComboBox(1)).contains(QStringLiteral("深圳市")));
        form.SlotComboBoxCityOK(QStringLiteral("深圳市"));
        QVERIFY(items(form.getUiQComboBox(2)).contains(QStringLiteral("南山区")));
    }

    // The form is filled and finished; a refusal names its message.
    void finishRules_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("district");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("storedId");
        const QString id18 = QStringLiteral("440305199001011234");
        const QString idX = QStringLiteral("11010519491231002X");
        const QString mismatch = KxPosTest::translated(2290) + idX + KxPosTest::translated(2291);
        QTest::newRow("empty ID accepted") << "" << "" << "深圳市" << "" << "科技园路1号" << "" << "";
        QTest::newRow("18 characters accepted") << "" << id18 << "深圳市" << "南山区" << "科技园路1号" << "" << id18;
        QTest::newRow("17 characters refused") << "" << id18.left(17) << "深圳市" << "" << "科技园路1号" << KxPosTest::translated(2289) << "";
        QTest::newRow("19 characters refused") << "" << id18 + "5" << "深圳市" << "" << "科技园路1号" << KxPosTest::translated(2289) << "";
        QTest::newRow("preset matched") << idX << idX << "深圳市" << "" << "科技园路1号" << "" << idX;
        QTest::newRow("preset matched with small x")
            << idX << idX.left(17) + "x" << "深圳市" << "" << "科技园路1号" << "" << idX;
        QTest::newRow("preset not matched") << idX << id18 << "深圳市" << "" << "科技园路1号" << mismatch << "";
        QTest::newRow("length before preset") << idX << idX.left(17) << "深圳市" << "" << "科技园路1号" << KxPosTest::translated(2289) << "";
        QTest::newRow("preset, ID box emptied") << idX << "" << "深圳市" << "" << "科技园路1号" << "" << "";
        QTest::newRow("address missing") << "" << id18 << "深圳市" << "" << "" << KxPosTest::translated(2292) << "";
        QTest::newRow("address only blanks") << "" << id18 << "深圳市" << "" << "   " << KxPosTest::translated(2292) << "";
        QTest::newRow("city missing") << "" << id18 << "" << "" << "科技园路1号" << KxPosTest::translated(2292) << "";
    }

    void finishRules()
    {
        QFETCH(QString, preset);
        QFETCH(QString, id);
        QFETCH(QString, city);
        QFETCH(QString, district);
        QFETCH(QString, address);
        QFETCH(QString, refusal);
        QFETCH(QString, storedId);
        CustomerInfoWidget form(1, nullptr);
        QString error;
        QVERIFY(form.GetAreas(QString::fromUtf8(SmallTree), error));
        if (!preset.isEmpty())
            form.InitView(preset);
        QLineEdit* idBox = form.getUiQLineEdit(0);
        QLineEdit* addressBox = form.getUiQLineEdit(1);
        QCOMPARE(idBox->text(), preset);

        bool openAfterFinish = false;
        QString idAfter, addressAfter;
        const int code = runForm(form, [&] {
            idBox->setText(id);
            addressBox->setText(address);
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("广东省")));
            if (!city.isEmpty())
                QVERIFY(choose(form.getUiQComboBox(1), city));
            if (!district.isEmpty())
                QVERIFY(choose(form.getUiQComboBox(2), district));
            QTest::mouseClick(form.getUiQPushButton(0), Qt::LeftButton);
            openAfterFinish = form.isVisible();
            idAfter = idBox->text();
            addressAfter = addressBox->text();
        });
        const auto history = MessageWidget::History();
        if (refusal.isEmpty()) {
            QCOMPARE(code, 1);
            QVERIFY(!openAfterFinish);
            QVERIFY(history.isEmpty());
            QCOMPARE(form.customerInfo.idCardNo, storedId);
            QCOMPARE(form.customerInfo.province, QStringLiteral("广东省"));
            QCOMPARE(form.customerInfo.city, city);
            QCOMPARE(form.customerInfo.district, district);
            QCOMPARE(form.customerInfo.address, address.trimmed());
            // Both boxes are emptied for the next customer.
            QVERIFY(idAfter.isEmpty());
            QVERIFY(addressAfter.isEmpty());
        } else {
            QCOMPARE(code, 0);
            QVERIFY(openAfterFinish);
            QCOMPARE(history.size(), 1);
            QCOMPARE(history.at(0).first, refusal);
            QCOMPARE(history.at(0).second, KxPosTest::translated(1969));
            // A refusal leaves the input in place.
            QCOMPARE(idAfter, id);
            QCOMPARE(addressAfter, address);
        }
    }

    void functionKeys()
    {
        CustomerInfoWidget form(1, nullptr);
        QString error;
        QVERIFY(form.GetAreas(QString::fromUtf8(SmallTree), error));
        QSignalSpy forwarded(&form, &CustomerInfoWidget::SignCustomerInfoWidgetKeyPressed);
        bool provinceListOpen = false, cityListOpen = false;
        QString idText, addressText;
        const int code = runForm(form, [&] {
            QTest::keyClick(&form, Qt::Key_F1);
            provinceListOpen = form.getUiQComboBox(0)->view()->isVisible();
            QTest::keyClick(form.getUiQComboBox(0)->view(), Qt::Key_Escape);
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("广东省")));
            QTest::keyClick(&form, Qt::Key_F2);
            cityListOpen = form.getUiQComboBox(1)->view()->isVisible();
            QTest::keyClick(form.getUiQComboBox(1)->view(), Qt::Key_Escape);
            QVERIFY(choose(form.getUiQComboBox(1), QStringLiteral("广州市")));

            QTest::keyClick(&form, Qt::Key_F5);
            for (Qt::Key key : {Qt::Key_4, Qt::Key_4, Qt::Key_0, Qt::Key_1})
                QTest::keyClick(&form, key);
            QTest::keyClick(&form, Qt::Key_F4);
            QTest::keyClick(&form, Qt::Key_1);
            QTest::keyClick(&form, Qt::Key_Space);
            QTest::keyClick(&form, Qt::Key_2);
            idText = form.getUiQLineEdit(0)->text();
            addressText = form.getUiQLineEdit(1)->text();

            QTest::keyClick(&form, Qt::Key_Escape);
            QTest::keyClick(&form, Qt::Key_A);
            form.getUiQLineEdit(0)->clear();
            QTest::keyClick(&form, Qt::Key_F6); // empty ID, address "1 2": finishes
        });
        QVERIFY(provinceListOpen);
        QVERIFY(cityListOpen);
        QCOMPARE(idText, QStringLiteral("4401"));
        QCOMPARE(addressText, QStringLiteral("1 2"));
        QCOMPARE(forwarded.count(), 2);
        QCOMPARE(forwarded.at(0).at(0).toString(), QStringLiteral("CustomerInfoWidget"));
        QCOMPARE(forwarded.at(0).at(1).toInt(), int(Qt::Key_Escape));
        QCOMPARE(forwarded.at(1).at(1).toInt(), int(Qt::Key_A));
        QCOMPARE(code, 1);
        QCOMPARE(form.customerInfo.city, QStringLiteral("广州市"));
        QCOMPARE(form.customerInfo.address, QStringLiteral("1 2"));
    }

    void closeKeyClearsAndReturnsZero()
    {
        CustomerInfoWidget form(1, nullptr);
        form.InitView(QStringLiteral("440305199001011234"));
        QString addressBefore = QStringLiteral("stale");
        const int code = runForm(form, [&] {
            addressBefore = form.getUiQLineEdit(1)->text();
            QTest::keyClicks(form.getUiQLineEdit(1), QStringLiteral("abc"));
            QTest::keyClick(&form, Qt::Key_F7);
        });
        QCOMPARE(code, 0);
        QVERIFY(addressBefore.isEmpty()); // exec() starts with an empty address
        QVERIFY(form.getUiQLineEdit(0)->text().isEmpty());
        QVERIFY(form.getUiQLineEdit(1)->text().isEmpty());
        QVERIFY(!form.isVisible());
    }

    void enterMovesThenFinishes()
    {
        CustomerInfoWidget form(1, nullptr);
        QString error;
        QVERIFY(form.GetAreas(QString::fromUtf8(SmallTree), error));
        QString idAfterFirstOk = QStringLiteral("stale");
        bool openAfterFirstOk = false;
        const int code = runForm(form, [&] {
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("广东省")));
            QVERIFY(choose(form.getUiQComboBox(1), QStringLiteral("深圳市")));
            // The on-screen keyboard types into the address box first.
            for (const char* key : {"B", "2", "space", "X", "backspace", "7"})
                clickKey(form, QString::fromLatin1(key) == QLatin1String("space") ? QStringLiteral(" ")
                                                                                   : QString::fromLatin1(key));
            clickKey(form, QStringLiteral("ok")); // address -> ID box
            openAfterFirstOk = form.isVisible();
            for (const char* key : {"9", "9", "clear", "4", "4"})
                clickKey(form, QString::fromLatin1(key));
            idAfterFirstOk = form.getUiQLineEdit(0)->text();
            form.getUiQLineEdit(0)->clear();
            form.OtkKeyBoardKeyPressed(QStringLiteral("space"));
            form.OtkKeyBoardKeyPressed(QStringLiteral("input"));
            form.getUiQLineEdit(0)->clear();
            QTest::keyClick(&form, Qt::Key_Return); // from the ID box: finish
        });
        QVERIFY(openAfterFirstOk);
        QCOMPARE(idAfterFirstOk, QStringLiteral("44"));
        QCOMPARE(code, 1);
        QCOMPARE(form.customerInfo.address, QStringLiteral("B2 7"));
        QCOMPARE(form.customerInfo.idCardNo, QString());
    }

    void runEndsHowever()
    {
        // Hidden by the host: exec() returns 0.
        {
            CustomerInfoWidget form(1, nullptr);
            QCOMPARE(runForm(form, [&] { form.hide(); }), 0);
            QVERIFY(!form.isRunning());
        }
        // A second exec() while running returns at once.
        {
            CustomerInfoWidget form(1, nullptr);
            int nested = -1;
            runForm(form, [&] { nested = form.exec(); });
            QCOMPARE(nested, 0);
        }
        // Deleted while running: exec() returns 0 and touches nothing.
        {
            QPointer<CustomerInfoWidget> form = new CustomerInfoWidget(1, nullptr);
            QTimer::singleShot(0, [form] { delete form.data(); });
            QCOMPARE(form->exec(), 0);
            QVERIFY(form.isNull());
        }
    }

    void frame()
    {
        KxPosConfig::SetAppSize(800, 600);
        CustomerInfoWidget strip(0, nullptr);
        QVERIFY(strip.getUiQWidget(2)->isHidden());
        QCOMPARE(strip.KeyBoard()->type(), QStringLiteral("0"));
        QCOMPARE(strip.KeyBoard()->variant(), 0);
        auto* grid = qobject_cast<QGridLayout*>(strip.getUiQWidget(1)->layout());
        QVERIFY(grid);
        QCOMPARE(grid->objectName(), QStringLiteral("keygrid"));
        QCOMPARE(grid->contentsMargins(), QMargins(5, 5, 5, 5));
        QVERIFY(grid->indexOf(strip.KeyBoard()) >= 0);
        QVERIFY(strip.windowModality() == Qt::ApplicationModal);
        QVERIFY(strip.getUiQLineEdit(7) != nullptr);
        KxPosConfig::SetAppSize(1024, 768);

        CustomerInfoWidget form(1, nullptr);
        QVERIFY(!form.getUiQWidget(2)->isHidden());
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("en")));
        QCOMPARE(form.getUiQLable(1)->text(), KxPosTest::translated(7426));
        QVERIFY(KxPosTranslator::SetLanguage(QStringLiteral("zh_CN")));
        QCOMPARE(form.getUiQLable(1)->text(), KxPosTest::translated(7426));
    }

private:
    static void SlotChooseProvince(CustomerInfoWidget& form, int index) { form.SlotComboBoxProvOK(index); }
};

QTEST_MAIN(OptionsCustomerTest)
#include "tst_options_customer.moc"
