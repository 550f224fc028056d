#include "contracts/MessageWidget.h"

#include "contracts/MessageBoxBody_p.h"
#include "contracts/AccessibleNames.h"
#include "contracts/UiTool.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int OkMessageId = 1259; // "OK": a message is acknowledged, not answered
constexpr int MaxHistory = 500;
constexpr int AutoCloseMs = 3000;

QList<QPair<QString, QString>>& history()
{
    static QList<QPair<QString, QString>> list;
    return list;
}

QString kindName(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("error");
    case 2:
        return QStringLiteral("warning");
    default:
        return QStringLiteral("info");
    }
}

} // namespace

MessageWidget::MessageWidget(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , m_titleLabel(new QLabel)
    , m_textLabel(new QLabel)
    , m_okButton(new QPushButton)
    , m_autoCloseTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("MessageWidget"));
    QHBoxLayout* buttons = MessageBoxBody::Build(this, m_titleLabel, m_textLabel);

    m_okButton->setObjectName(QStringLiteral("messageOk"));
    m_okButton->setDefault(true);
    m_okButton->setFocusPolicy(Qt::NoFocus);
    m_okButton->setMinimumSize(MessageBoxBody::ButtonSize());
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addStretch(1);

    m_autoCloseTimer->setSingleShot(true);
    connect(m_autoCloseTimer, &QTimer::timeout, this, &QDialog::accept);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    Retranslate();
}

MessageWidget::~MessageWidget() = default;

QString MessageWidget::text() const
{
    return m_textLabel->text();
}

QString MessageWidget::title() const
{
    return m_titleLabel->text();
}

void MessageWidget::showMessage(QString text, QString title, int kind, bool autoClose)
{
    auto& list = history();
    list.append(qMakePair(text, title));
    while (list.size() > MaxHistory)
        list.removeFirst();

    m_titleLabel->setText(title);
    m_textLabel->setText(text);
    UiTool::UpdateWidgetStyle(this, "showType", kindName(kind));

    if (UiTool::IsNonInteractive())
        return;

    if (autoClose)
        m_autoCloseTimer->start(AutoCloseMs);
    else
        m_autoCloseTimer->stop();
    // Sized to the new text; KxDialog centres the box over the screen that
    // raised it and brings it to the front when it shows.
    adjustSize();
    // A message shown while the box is already open only changes its texts
    // (KxDialog::exec refuses to nest).
    exec();
    m_autoCloseTimer->stop();
}

void MessageWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
        accept();
        return;
    default:
        KxDialog::keyPressEvent(event);
    }
}

void MessageWidget::Retranslate()
{
    m_okButton->setText(UiTool::TranslateOr(OkMessageId, QStringLiteral("确定")));
    AccessibleNames::NameByCaption(m_okButton);
}

void MessageWidget::UpdateTranslation() {}

QList<QPair<QString, QString>> MessageWidget::History()
{
    return history();
}

void MessageWidget::ClearHistory()
{
    history().clear();
}
