// Which window gets the keyboard when the sales screen takes it back half a
// second after the host's dialogs closed, while the cashier may already have
// opened another window over it. A key typed afterwards must land in the
// window in front, never in the screen beneath it.

#include "TestSupport.h"

#include "trade/TradeWidget.h"

#include "contracts/KxWidget.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QtTest>

using namespace KxPosTest;

namespace {

// A window of the application with a line to type into.
template <class Base>
struct TypingWindow : Base {
    explicit TypingWindow(QWidget* parent, const char* name)
        : Base(parent)
    {
        this->setWindowFlag(Qt::Window);
        this->setObjectName(QLatin1String(name));
        line = new QLineEdit(this);
        (new QVBoxLayout(this))->addWidget(line);
        this->resize(300, 200);
    }
    QLineEdit* line = nullptr;
};
using KxWindow = TypingWindow<KxWidget>;

// Every window activated while it lives.
class ActivationLog : public QObject
{
public:
    ActivationLog() { qApp->installEventFilter(this); }
    QList<QPointer<QWidget>> activated;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow())
            activated << static_cast<QWidget*>(watched);
        return false;
    }
};

// What happens over the sales screen within the half second of its timer.
enum class Meanwhile { ModalOpened, WindowOpened, HostDialogClosed };

} // namespace

Q_DECLARE_METATYPE(Meanwhile)

class WindowFocusTest : public ScreenTestCase
{
    Q_OBJECT

private slots:
    // The host starts the screen's focus timer (a member logged in, a
    // deposit stored) and the cashier goes on at once; half a second later
    // the screen takes the keyboard only when nothing else has it.
    void screenTakesKeyboardBackOnlyWhenFree_data()
    {
        QTest::addColumn<Meanwhile>("meanwhile");
        QTest::addColumn<bool>("screenGetsIt");
        QTest::newRow("modal window opened over the screen") << Meanwhile::ModalOpened << false;
        QTest::newRow("window opened over the screen") << Meanwhile::WindowOpened << false;
        QTest::newRow("host dialog closed") << Meanwhile::HostDialogClosed << true;
    }
    void screenTakesKeyboardBackOnlyWhenFree()
    {
        QFETCH(Meanwhile, meanwhile);
        QFETCH(bool, screenGetsIt);

        TradeWidget screen(0, nullptr);
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QLineEdit* code = screen.getUiQLineEdit(26);
        // The host's own dialog, open while the timer starts.
        TypingWindow<QDialog> hostDialog(&screen, "host dialog");
        hostDialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&hostDialog));

        screen.StartTimerFocus();
        KxWindow over(&screen, "over");
        if (meanwhile == Meanwhile::ModalOpened)
            over.setWindowModality(Qt::WindowModal);
        hostDialog.hide();
        if (meanwhile != Meanwhile::HostDialogClosed) {
            over.show();
            QVERIFY(QTest::qWaitForWindowActive(&over));
        }
        ActivationLog log;
        QTest::qWait(800); // past the timer's half second

        QWidget* front = screenGetsIt ? static_cast<QWidget*>(&screen) : &over;
        QCOMPARE(QApplication::activeWindow(), front);
        if (!screenGetsIt)
            QVERIFY2(!log.activated.contains(&screen), "the screen took the keyboard from the window over it");
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("6"));
        QCOMPARE(code->text(), screenGetsIt ? QStringLiteral("6") : QString());
        QCOMPARE(over.line->text(), screenGetsIt ? QString() : QStringLiteral("6"));
        QVERIFY(hostDialog.line->text().isEmpty());
    }
};

QTEST_MAIN(WindowFocusTest)
#include "tst_window_focus.moc"
