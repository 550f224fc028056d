// Floating return button: dragging within the clamp, the swallowed click
// after a drag, restore and close.

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
    void initTestCase() { KxPosTest::installStrictMessageHandler(); }
    void init() { KxPosConfig::SetAppSize(1920, 1080); }

    // Start position, drag and the position where the form stops (form
    // 380 x 100 on 1920 x 1080).
    void clamp_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("free move") << QPoint(500, 400) << QPoint(120, -80) << QPoint(620, 320);
        QTest::newRow("far left stops at 0") << QPoint(300, 400) << QPoint(-900, 0) << QPoint(0, 400);
        QTest::newRow("far right hangs half off") << QPoint(300, 400) << QPoint(4000, 0) << QPoint(1730, 400);
    }

    void clamp()
    {
        QFETCH(QPoint, start);
        QFETCH(QPoint, delta);
        PosFloatForm form;
        form.showWidget();
        form.move(start);
        drag(&form, delta);
        QTEST(form.pos(), "end");
    }

    // A click restores the sales screen unless it ends a drag; showing again
    // arms the click; the restored sales screen closes the button.
    void clickRestoresUnlessDragged()
    {
        PosFloatForm form;
        QSignalSpy restore(&form, &PosFloatForm::SignTradeNormal);
        QPushButton* button = form.getUiQPushButton(0);
        form.showWidget();
        form.move(600, 500);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 1);
        // A drag that starts and ends on the button moves the form and ends
        // in a click, which is swallowed.
        drag(button, QPoint(-200, 150));
        QCOMPARE(form.pos(), QPoint(400, 650));
        QCOMPARE(restore.count(), 1);
        // A shaky tap (1 pixel) still counts as a click.
        drag(button, QPoint(1, 0), 1);
        QCOMPARE(form.pos(), QPoint(400, 650));
        QCOMPARE(restore.count(), 2);
        // Dragged past the left edge the pointer leaves the button: no click
        // ends that drag, so the next click counts.
        drag(button, QPoint(-1000, 0));
        QCOMPARE(form.pos(), QPoint(0, 650));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 3);
        // A drag of the form itself swallows the next click only until shown again.
        drag(&form, QPoint(40, 30));
        form.showWidget();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 4);
        drag(&form, QPoint(40, 30));
        QTest::mouseClick(button, Qt::LeftButton); // swallowed: only re-arms
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(restore.count(), 5);
        form.SlotTradeNormaled();
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(PresetKeysFloatTest)
#include "tst_presetkeys_float.moc"
