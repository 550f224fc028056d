#pragma once
// What the end-to-end scenarios share: the demo checkout as a newcomer runs
// it (its shipped configuration, 1024x768, Chinese), and a cashier's hands on
// it. Every step goes through real key events on the focused widget and mouse
// clicks on visible buttons; what the scenarios check is what the screens
// show and what the demo host recorded.

#include "TestSupport.h"

#include "DemoHost.h"

#include "trade/TradeWidget.h"

#include "contracts/ChangeWidget.h"
#include "contracts/KxPosConfig.h"
#include "contracts/KxPosModel.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/MessageWidget.h"
#include "contracts/QuestionMessage.h"
#include "contracts/TableModel.h"
#include "contracts/UiTool.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

// The demo's shipped configuration is a resource of the demo library.
inline void e2eInitDemoResources()
{
    Q_INIT_RESOURCE(demo);
}

namespace E2e {

inline QString msg(int id)
{
    return KxPosTranslator::GetTranslation(id);
}

// A caption without the line breaks that key captions are wrapped with.
inline QString flat(QString text)
{
    return text.remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
}

// The widget that takes the next key, as the window system delivers it: the
// focused widget, else the active window itself (a screen whose widgets take
// no focus), else `fallback`.
inline QWidget* keyTarget(QWidget* fallback)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->isVisible())
        return focus;
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : fallback;
}

// Waits until the keyboard is in `screen`: its window was activated.
inline bool keyboardIn(QWidget* screen)
{
    return QTest::qWaitFor([screen] { return QApplication::activeWindow() == screen->window(); });
}

// Visible buttons of `root` whose caption (line breaks removed) is `caption`.
inline QList<QAbstractButton*> buttonsCaptioned(QWidget* root, const QString& caption)
{
    QList<QAbstractButton*> found;
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && flat(b->text()) == caption)
            found << b;
    }
    return found;
}

// Clicks the visible, enabled button of `root` with that object name.
inline bool clickNamed(QWidget* root, const QString& name)
{
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>(name)) {
        if (b->isVisible() && b->isEnabled()) {
            QTest::mouseClick(b, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

// Clicks the first visible, enabled button of `root` captioned `caption`.
inline bool clickCaptioned(QWidget* root, const QString& caption)
{
    for (QAbstractButton* b : buttonsCaptioned(root, caption)) {
        if (b->isEnabled()) {
            QTest::mouseClick(b, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

// The open modal dialog, if any.
inline QWidget* modal()
{
    return QApplication::activeModalWidget();
}

// Runs `answer` once a modal dialog is open (polled on the event loop, so it
// runs inside the dialog's exec()). Gives up after `timeoutMs`, or when
// `context` (the screen the dialog is opened from) goes.
inline void whenModal(QObject* context, std::function<void(QWidget*)> answer, int timeoutMs = 5000)
{
    auto* timer = new QTimer(context);
    timer->setInterval(10);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, answer, started, timeoutMs] {
        QWidget* dialog = modal();
        if (!dialog && started->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            answer(dialog);
    });
    timer->start();
}

// The demo checkout on a fresh copy of its shipped configuration.
class Checkout
{
public:
    Checkout()
    {
        e2eInitDemoResources();
        for (const QString& name : {QStringLiteral("config.ini"), QStringLiteral("configExt.ini")}) {
            const QString target = QDir(m_config.path()).filePath(name);
            QFile::copy(QStringLiteral(":/demo/") + name, target);
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        }
        KxPosConfig::SetConfigDir(m_config.path());
        KxPosConfig::sOrgCode = QStringLiteral("0101");
        KxPosConfig::sPosNo = QStringLiteral("03");
        KxPosConfig::sCshName = QStringLiteral("刘洋");
        KxPosConfig::SetAppSize(1024, 768);
        UiTool::ApplyStyleSheet(qApp);
        MessageWidget::ClearHistory();
        QuestionMessage::ClearHistory();
        host = std::make_unique<DemoHost>();
        screen = host->Screen();
        // Every change the host makes to the sale lines is checked as it happens.
        m_saleLinesTester = std::make_unique<QAbstractItemModelTester>(
            screen->GetTable()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        screen->resize(1024, 768);
        host->Show();
        screen->activateWindow();
    }

    ~Checkout()
    {
        m_saleLinesTester.reset();
        host.reset();
    }

    // Waits for the sale the screen starts 200 ms after showing.
    bool WaitForSale(int sales = 1) const
    {
        return QTest::qWaitFor([this, sales] { return host->Log().count(QStringLiteral("new sale")) >= sales; }, 2000);
    }

    // Waits until the weighing panel shows `weight` as a stable reading (the
    // simulated scale settles after a few readings, 200 ms apart).
    bool WaitForStableWeight(const QString& weight) const
    {
        auto* stable = screen->findChild<QAbstractButton*>(QStringLiteral("btnStable"));
        return QTest::qWaitFor([&] { return stable->isChecked() && Label("lblWeight") == weight; }, 3000);
    }

    // --- Keys ------------------------------------------------------------------------

    void Key(Qt::Key key) { QTest::keyClick(keyTarget(screen), key); }
    void Type(const QString& text) { QTest::keyClicks(keyTarget(screen), text); }
    // A code typed (or scanned) and confirmed.
    void Enter(const QString& code)
    {
        Type(code);
        Key(Qt::Key_Return);
    }

    // --- Buttons of the sales screen ---------------------------------------------------

    bool Click(const char* objectName) { return clickNamed(screen, QLatin1String(objectName)); }

    // Presses the function key with this caption: on the shortcut bar when it
    // is there, else in the function grid (paging through it).
    bool Function(const QString& caption)
    {
        for (int n = 1; n <= 10; ++n) {
            auto* bar = screen->findChild<QToolButton*>(QStringLiteral("toolButtonKey%1").arg(n));
            if (bar && bar->isVisible() && bar->isEnabled() && flat(bar->property("caption").toString()) == caption) {
                QTest::mouseClick(bar, Qt::LeftButton);
                return true;
            }
        }
        QDockWidget* grid = screen->getUiQDockWidget(22);
        if (grid->isHidden())
            Click("toolButtonKeyMore");
        for (int page = 0; page < 5 && grid->isVisible(); ++page) {
            QWidget* cells = screen->findChild<QWidget*>(QStringLiteral("widgetFunc"));
            if (clickCaptioned(cells, caption))
                return true;
            Click("btnNextFunc");
        }
        return false;
    }

    // --- What the screen shows ---------------------------------------------------------

    TableModel* Table() const { return screen->GetTable()->model(); }
    int Rows() const { return Table()->rowCount(); }
    QString Cell(int row, int column) const { return Table()->data(row, column); }
    // Code, quantity and amount of a sale line, as the table shows them.
    QStringList Line(int row) const
    {
        return {Cell(row, 1), Cell(row, 4), Cell(row, 8)};
    }
    QString Label(const char* objectName) const
    {
        auto* label = screen->findChild<QLabel*>(QLatin1String(objectName));
        return label ? label->text() : QString();
    }
    // The change-due popup, while it shows.
    ChangeWidget* ChangePopup() const
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* change = qobject_cast<ChangeWidget*>(w); change && change->isVisible())
                return change;
        }
        return nullptr;
    }
    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& m : MessageWidget::History())
            texts << m.first;
        return texts;
    }

    KxPosTest::ScopedConfigDir m_config;
    std::unique_ptr<QAbstractItemModelTester> m_saleLinesTester;
    std::unique_ptr<DemoHost> host;
    TradeWidget* screen = nullptr;
};

} // namespace E2e
