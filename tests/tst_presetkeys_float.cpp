// Floating return button: sizes by screen ratio, dragging within the clamp,
// the swallowed first click after a drag, restore and close.

#include "TestSupport.h"

#include "presetkeys/PosFloatForm.h"

#include "contracts/KxPosConfig.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Sends a mouse event with an exact global position, as a pointer would.
void sendMouse(QWidget* target, QEvent::Type type, const QPoint& global)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags by `delta` from a point of `target` (the form or the button) in
// `steps` moves, then releases.
void drag(QWidget* target, const QPoint& delta, int steps = 4)
{
    const QPoint start = target->mapToGlobal(QPoint(2, 2));
    sendMouse(target, QEvent::MouseButtonPress, start);
    for (int i = 1; i <= steps; ++i)
        sendMouse(target, QEvent::MouseMove, start + delta * i / steps);
    sendMouse(target, QEvent::MouseButtonRelease, start + delta);
}

} // namespace

class PresetKeysFloatTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KxPosTest::installStrictMessageHandler();
    }

    void init()
    {
        KxPosConfig::SetAppSize(1920, 1080);
    }

    void sizes_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("button");
        QTest::addColumn<QSize>("back");
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(360, 80) << QSize(380, 100);
        QTest::newRow("1366x768 (wide)") << QSize(1366, 768) << QSize(256, 56) << QSize(270, 71);
        QTest::newRow("1024x768 (4:3)") << QSize(1024, 768) << QSize(180, 40) << QSize(190, 50);
        QTest::newRow("800x600 (4:3)") << QSize(800, 600) << QSize(140, 31) << QSize(148, 39);
        QTest::newRow("1280x1024 (5:4)") << QSize(1280, 1024) << QSize(225, 53) << QSize(237, 66);
        // r = w * 1000 / h: near-square is 1233 < r <= 1432.
        QTest::newRow("r = 1233 is not near-square") << QSize(1233, 1000) << QSize(231, 74) << QSize(244, 92);
        QTest::newRow("r = 1234 is near-square") << QSize(1234, 1000) << QSize(216, 52) << QSize(228, 65);
        QTest::newRow("r = 1432 is near-square") << QSize(1432, 1000) << QSize(251, 52) << QSize(265, 65);
        QTest::newRow("r = 1433 is not") << QSize(1433, 1000) << QSize(268, 74) << QSize(283, 92);
    }

    void sizes()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, button);
        QFETCH(QSize, back);
        KxPosConfig::SetAppSize(screen.width(), screen.height());
        PosFloatForm form;
        QCOMPARE(form.size(), back);
        QCOMPARE(form.getUiQPushButton(0)->size(), button);
        QCOMPARE(form.getUiQPushButton(0)->iconSize(), button);
        const QMap<QString, int> vars = form.SizeVariables();
        QCOMPARE(vars.value("$btnWidth"), button.width());
        QCOMPARE(vars.value("$btnHeight"), button.height());
        QCOMPARE(vars.value("$backWidth"), back.width());
        QCOMPARE(vars.value("$backHeight"), back.height());
    }

    void frame()
    {
        PosFloatForm form;
        QCOMPARE(form.pos(), QPoint(0, 0));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(form.testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(form.testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(form.focusPolicy(), Qt::NoFocus);
        QVERIFY(form.getUiQPushButton(0)->text().isEmpty());
        QCOMPARE(PosFloatForm::calcWidth(380, 1920), 380);
        KxPosConfig::SetAppSize(1366, 768);
        QCOMPARE(PosFloatForm::calcWidth(380, 1920), 270);  // 270.3 truncated
        QCOMPARE(PosFloatForm::calcHeight(100, 1080), 71); // 71.1 truncated
    }

    // Start position, drag and the position where the form stops (form
    // 380 x 100 on 1920 x 1080).
    void clamp_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("free move") << QPoint(500, 400) << QPoint(120, -80) << QPoint(620, 320);
        QTest::newRow("far left stops at 0") << QPoint(300, 400) << QPoint(-900, 0) << QPoint(0, 400);
        QTest::newRow("far up stops at 20 - h") << QPoint(300, 400) << QPoint(0, -2000) << QPoint(300, -80);
        QTest::newRow("far right hangs half off") << QPoint(300, 400) << QPoint(4000, 0) << QPoint(1730, 400);
        QTest::newRow("far down hangs half off") << QPoint(300, 400) << QPoint(0, 4000) << QPoint(300, 1030);
        QTest::newRow("corner") << QPoint(300, 400) << QPoint(-3000, -3000) << QPoint(0, -80);
    }

    void clamp()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, delta);
        QFETCH(QPoint, end);
        PosFloatForm form;
        form.showWidget();
        form.move(start);
        QCOMPARE(form.pos(), start);
        drag(&form, delta);
        QCOMPARE(form.pos(), end);
        QCOMPARE(form.TargetPosition(), end);
        QCOMPARE(form.CheckAndChange(end), end);
    }

    void clickRestoresUnlessDragged()
    {
        PosFloatForm form;
        QSignalSpy restore(&form, &PosFloatForm::SignTradeNormal);
        QPushButton* button = form.getUiQPushButton(0);
        form.showWidget();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 1);

        drag(&form, QPoint(40, 30));
        QVERIFY(!form.IsClickArmed());
        QTest::mouseClick(button, Qt::LeftButton); // swallowed: only re-arms
        QCOMPARE(restore.count(), 1);
        QVERIFY(form.IsClickArmed());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 2);

        // Showing again arms the click even after a drag.
        drag(&form, QPoint(-10, 0));
        form.showWidget();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 3);
    }

    void dragByTheButton()
    {
        PosFloatForm form;
        QSignalSpy restore(&form, &PosFloatForm::SignTradeNormal);
        QPushButton* button = form.getUiQPushButton(0);
        form.showWidget();
        form.move(600, 500);
        // A drag that starts and ends on the button moves the form and ends
        // in a click, which is swallowed.
        drag(button, QPoint(-200, 150));
        QCOMPARE(form.pos(), QPoint(400, 650));
        QCOMPARE(restore.count(), 0);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 1);

        // A shaky tap (1 pixel) still counts as a click.
        drag(button, QPoint(1, 0), 1);
        QCOMPARE(form.pos(), QPoint(400, 650));
        QCOMPARE(restore.count(), 2);

        // Dragged past the left edge, the pointer leaves the button: no
        // click ends that drag, and the next click counts.
        drag(button, QPoint(-1000, 0));
        QCOMPARE(form.pos(), QPoint(0, 650));
        QCOMPARE(restore.count(), 2);
        QVERIFY(form.IsClickArmed());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 3);
    }

    void restoredScreenClosesTheButton()
    {
        PosFloatForm form;
        form.showWidget();
        QVERIFY(form.isVisible());
        form.SlotTradeNormaled();
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(PresetKeysFloatTest)
#include "tst_presetkeys_float.moc"
