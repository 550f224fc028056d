// Customer information form: the area tree and its errors, the cascading
// lists, ID-number rules with the preset number, function keys, the
// on-screen keyboard and the modal run through the form's own event loop.

#include "TestAccess.h"
#include "TestSupport.h"

#include "options/CustomerInfoWidget.h"

#include "contracts/KeyBoardWidget.h"
#include "contracts/KxPosJson.h"
#include "contracts/MessageWidget.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace KxPosTest;

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

// Runs the form with the small area tree; `during` acts once it runs. A form
// still open afterwards is closed with F7; a watchdog ends a form that would
// never close.
int runForm(CustomerInfoWidget& form, const std::function<void()>& during)
{
    QString error;
    if (KxPosTestAccess::Provinces(form).isEmpty() && !form.GetAreas(QString::fromUtf8(SmallTree), error))
        QTest::qFail(qPrintable(error), __FILE__, __LINE__);
    QTimer::singleShot(0, &form, [&] {
        during();
        if (KxPosTestAccess::IsRunning(form))
            QTest::keyClick(&form, Qt::Key_F7);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &form, [&] { form.CloseCustomerInfoWidget(); });
    watchdog.start(10000);
    return form.exec();
}

void clickKeys(CustomerInfoWidget& form, const QStringList& keys)
{
    for (const QString& key : keys) {
        QPushButton* button = KxPosTestAccess::KeyBoard(form)->key(key);
        QVERIFY2(button, qPrintable(key));
        QTest::mouseClick(button, Qt::LeftButton);
    }
}
} // namespace

class OptionsCustomerTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    void areaErrors_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty text") << "" << translated(2285);
        QTest::newRow("not JSON") << "省市区" << translated(2287);
        QTest::newRow("an object, not a list") << "{}" << translated(2286);
        QTest::newRow("nested past the reader's limit")
            << QStringLiteral("[").repeated(KxPosJson::MaxDepth + 1) + QStringLiteral("]").repeated(KxPosJson::MaxDepth + 1)
            << translated(2287);
        QTest::newRow("second province without a name")
            << "[{\"name\": \"广东省\", \"child\": []}, {\"child\": []}]" << translated(2288) + "1";
    }

    // What a refused area tree says (that it leaves the loaded tree in place
    // is the input storm's invariant).
    void areaErrors()
    {
        QFETCH(QString, json);
        CustomerInfoWidget form(1, nullptr);
        QString message;
        QVERIFY(!form.GetAreas(json, message));
        QTEST(message, "error");
    }

    void cascade()
    {
        CustomerInfoWidget form(1, nullptr);
        QComboBox* province = form.getUiQComboBox(0);
        QComboBox* city = form.getUiQComboBox(1);
        QComboBox* district = form.getUiQComboBox(2);
        runForm(form, [&] {
            QCOMPARE(province->currentIndex(), -1); // nothing preselected
            QVERIFY(choose(province, QStringLiteral("广东省")));
            QCOMPARE(items(city), (QStringList{"广州市", "深圳市"}));
            QVERIFY(choose(city, QStringLiteral("深圳市")));
            QCOMPARE(items(district), (QStringList{"南山区", "福田区", "宝安区"}));
            // Another province empties the districts as well as the cities.
            QVERIFY(choose(province, QStringLiteral("北京市")));
            QCOMPARE(items(city), QStringList{"北京市"});
            QCOMPARE(city->currentIndex(), -1);
            QVERIFY(items(district).isEmpty());
            // A province without cities leaves both lists empty.
            QVERIFY(choose(province, QStringLiteral("西藏自治区")));
            QVERIFY(items(city).isEmpty());
        });
    }

    // The form is filled and finished (its refusals are walked by
    // tst_refusals): what the host reads afterwards.
    void finishedForm_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("storedId");
        const QString id18 = QStringLiteral("440305199001011234");
        const QString idX = QStringLiteral("11010519491231002X");
        QTest::newRow("18 characters, address trimmed") << "" << id18 << " 科技园路1号 " << id18;
        QTest::newRow("preset matched with small x") << idX << idX.left(17) + "x" << "科技园路1号" << idX;
        QTest::newRow("preset, ID box emptied") << idX << "" << "科技园路1号" << "";
    }

    void finishedForm()
    {
        QFETCH(QString, preset);
        QFETCH(QString, id);
        QFETCH(QString, address);
        const QString city = QStringLiteral("深圳市");
        CustomerInfoWidget form(1, nullptr);
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
            QVERIFY(choose(form.getUiQComboBox(1), city));
            QTest::mouseClick(form.getUiQPushButton(0), Qt::LeftButton);
            openAfterFinish = form.isVisible();
            idAfter = idBox->text();
            addressAfter = addressBox->text();
        });
        QCOMPARE(code, 1);
        QVERIFY(!openAfterFinish);
        QVERIFY(MessageWidget::History().isEmpty());
        QTEST(form.customerInfo.idCardNo, "storedId");
        QCOMPARE(form.customerInfo.province, QStringLiteral("广东省"));
        QCOMPARE(form.customerInfo.city, city);
        QCOMPARE(form.customerInfo.address, address.trimmed());
        // Both boxes are emptied for the next customer.
        QVERIFY(idAfter.isEmpty() && addressAfter.isEmpty());
    }

    void functionKeys()
    {
        CustomerInfoWidget form(1, nullptr);
        QSignalSpy forwarded(&form, &CustomerInfoWidget::SignCustomerInfoWidgetKeyPressed);
        bool provinceListOpen = false;
        QString idText, addressText;
        const int code = runForm(form, [&] {
            QTest::keyClick(&form, Qt::Key_F1);
            provinceListOpen = form.getUiQComboBox(0)->view()->isVisible();
            QTest::keyClick(form.getUiQComboBox(0)->view(), Qt::Key_Escape);
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("广东省")));
            QVERIFY(choose(form.getUiQComboBox(1), QStringLiteral("广州市")));
            QTest::keyClick(&form, Qt::Key_F5);
            QTest::keyClicks(&form, QStringLiteral("4401"));
            QTest::keyClick(&form, Qt::Key_F4);
            QTest::keyClicks(&form, QStringLiteral("1 2"));
            idText = form.getUiQLineEdit(0)->text();
            addressText = form.getUiQLineEdit(1)->text();
            QTest::keyClick(&form, Qt::Key_Escape);
            QTest::keyClick(&form, Qt::Key_A);
            form.getUiQLineEdit(0)->clear();
            QTest::keyClick(&form, Qt::Key_F6); // empty ID, address "1 2": finishes
        });
        QVERIFY(provinceListOpen);
        QCOMPARE(idText, QStringLiteral("4401"));
        QCOMPARE(addressText, QStringLiteral("1 2"));
        QCOMPARE(forwarded.count(), 2);
        QCOMPARE(forwarded.at(0), (QList<QVariant>{QStringLiteral("CustomerInfoWidget"), int(Qt::Key_Escape)}));
        QCOMPARE(forwarded.at(1).at(1).toInt(), int(Qt::Key_A));
        QCOMPARE(code, 1);
        QCOMPARE(form.customerInfo.city, QStringLiteral("广州市"));
    }

    void onScreenKeyboardMovesThenFinishes()
    {
        CustomerInfoWidget form(1, nullptr);
        form.InitView(QStringLiteral("440305199001011234"));
        QString idAfterFirstOk = QStringLiteral("stale");
        bool openAfterFirstOk = false;
        const int code = runForm(form, [&] {
            QVERIFY(form.getUiQLineEdit(1)->text().isEmpty()); // each run starts with an empty address
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("广东省")));
            QVERIFY(choose(form.getUiQComboBox(1), QStringLiteral("深圳市")));
            // The keyboard types into the address box first; ok moves to the ID box.
            clickKeys(form, {"B", "2", " ", "X", "backspace", "7", "ok"});
            openAfterFirstOk = form.isVisible();
            clickKeys(form, {"clear", "4", "4"});
            idAfterFirstOk = form.getUiQLineEdit(0)->text();
            form.getUiQLineEdit(0)->clear();
            QTest::keyClick(&form, Qt::Key_Return); // from the ID box: finish
        });
        QVERIFY(openAfterFirstOk);
        QCOMPARE(idAfterFirstOk, QStringLiteral("44"));
        QCOMPARE(code, 1);
        QCOMPARE(form.customerInfo.address, QStringLiteral("B2 7"));
        QCOMPARE(form.customerInfo.idCardNo, QString());
    }

    // A preset number belongs to one customer: however that run ends, the
    // next customer's own number is taken without a new preset.
    void presetForgottenAfterRun_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("firstCode");
        QTest::newRow("finished with the preset number") << "finish" << 1;
        QTest::newRow("closed with the return key") << "close" << 0;
        QTest::newRow("closed with F7") << "F7" << 0;
        QTest::newRow("hidden by the host") << "hide" << 0;
    }

    void presetForgottenAfterRun()
    {
        QFETCH(QString, end);
        const QString first = QStringLiteral("440305199001011234");
        const QString second = QStringLiteral("11010519491231002X");
        CustomerInfoWidget form(1, nullptr);
        form.InitView(first);
        const int firstCode = runForm(form, [&] {
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("广东省")));
            QVERIFY(choose(form.getUiQComboBox(1), QStringLiteral("深圳市")));
            form.getUiQLineEdit(1)->setText(QStringLiteral("科技园路1号"));
            if (end == QLatin1String("finish"))
                QTest::mouseClick(form.getUiQPushButton(0), Qt::LeftButton);
            else if (end == QLatin1String("close"))
                QTest::mouseClick(form.getUiQPushButton(1), Qt::LeftButton);
            else if (end == QLatin1String("F7"))
                QTest::keyClick(&form, Qt::Key_F7);
            else
                form.hide();
        });
        QTEST(firstCode, "firstCode");
        // The next customer, no preset: their own number passes.
        const int secondCode = runForm(form, [&] {
            QVERIFY(form.getUiQLineEdit(0)->text().isEmpty());
            QVERIFY(choose(form.getUiQComboBox(0), QStringLiteral("北京市")));
            QVERIFY(choose(form.getUiQComboBox(1), QStringLiteral("北京市")));
            form.getUiQLineEdit(0)->setText(second);
            form.getUiQLineEdit(1)->setText(QStringLiteral("长安街1号"));
            QTest::keyClick(&form, Qt::Key_F6);
        });
        QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join(QLatin1Char('|'))));
        QCOMPARE(secondCode, 1);
        QCOMPARE(form.customerInfo.idCardNo, second);
        // A new preset is checked again.
        form.InitView(first);
        const int thirdCode = runForm(form, [&] {
            form.getUiQLineEdit(0)->setText(second);
            form.getUiQLineEdit(1)->setText(QStringLiteral("长安街1号"));
            QTest::keyClick(&form, Qt::Key_F6);
        });
        QCOMPARE(thirdCode, 0);
        QCOMPARE(messageTexts().size(), 1);
        QVERIFY(messageTexts().first().contains(first));
    }

    // Deleted while running: exec() returns 0 and touches nothing.
    void deletedWhileRunning()
    {
        QPointer<CustomerInfoWidget> form = new CustomerInfoWidget(1, nullptr);
        QTimer::singleShot(0, [form] { delete form.data(); });
        QCOMPARE(form->exec(), 0);
        QVERIFY(form.isNull());
    }
};

QTEST_MAIN(OptionsCustomerTest)
#include "tst_options_customer.moc"
