#include "contracts/QuestionMessage.h"

#include "contracts/KxPosConfig.h"
#include "contracts/MessageBoxBody_p.h"
#include "contracts/AccessibleNames.h"
#include "contracts/UiTool.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QQueue>

namespace {

constexpr int MaxHistory = 500;

QStringList& history()
{
    static QStringList list;
    return list;
}

QQueue<int>& answers()
{
    static QQueue<int> queue;
    return queue;
}

QString defaultYes()
{
    return UiTool::TranslateOr(QuestionMessage::YesMessageId, QStringLiteral("确定"));
}

QString defaultNo()
{
    return UiTool::TranslateOr(QuestionMessage::NoMessageId, QStringLiteral("取消"));
}

} // namespace

QuestionMessage::QuestionMessage(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , m_titleLabel(new QLabel)
    , m_textLabel(new QLabel)
    , m_yesButton(new QPushButton)
    , m_noButton(new QPushButton)
{
    setObjectName(QStringLiteral("QuestionMessage"));
    QHBoxLayout* buttons = MessageBoxBody::Build(this, m_titleLabel, m_textLabel);

    m_yesButton->setObjectName(QStringLiteral("questionYes"));
    m_noButton->setObjectName(QStringLiteral("questionNo"));
    // Touch buttons must not take the focus from the keyboard handling below.
    m_yesButton->setFocusPolicy(Qt::NoFocus);
    m_noButton->setFocusPolicy(Qt::NoFocus);

    buttons->setSpacing(KxPosConfig::GetAutoWidth(24, 16));
    buttons->addStretch(1);
    buttons->addWidget(m_noButton);
    buttons->addWidget(m_yesButton);
    buttons->addStretch(1);
    m_yesButton->setMinimumSize(MessageBoxBody::ButtonSize());
    m_noButton->setMinimumSize(MessageBoxBody::ButtonSize());

    connect(m_yesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_noButton, &QPushButton::clicked, this, &QDialog::reject);
    Retranslate();
}

QuestionMessage::~QuestionMessage() = default;

int QuestionMessage::ShowMessage(QString title, QString text)
{
    m_customCaptions = false;
    return ask(text, title, defaultYes(), defaultNo());
}

int QuestionMessage::ShowDialog(const QString& text, const QString& title,
                                const QString& yesCaption, const QString& noCaption)
{
    m_customCaptions = true;
    return ask(text, title, yesCaption, noCaption);
}

int QuestionMessage::ask(const QString& text, const QString& title, const QString& yesCaption,
                         const QString& noCaption)
{
    auto& list = history();
    list.append(text);
    while (list.size() > MaxHistory)
        list.removeFirst();

    m_titleLabel->setText(title);
    m_textLabel->setText(text);
    m_yesButton->setText(yesCaption);
    m_noButton->setText(noCaption);
    AccessibleNames::NameByCaption(m_yesButton);
    AccessibleNames::NameByCaption(m_noButton);

    if (UiTool::IsNonInteractive()) {
        auto& queue = answers();
        return (!queue.isEmpty() && queue.dequeue() == 1) ? 1 : 0;
    }
    if (isExecuting())
        return 0; // a question cannot be asked while this box is open
    // Sized to the new text; KxDialog centres the box over the screen that
    // raised it and brings it to the front when it shows.
    adjustSize();
    return exec() == QDialog::Accepted ? 1 : 0;
}

void QuestionMessage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    default:
        KxDialog::keyPressEvent(event);
    }
}

void QuestionMessage::Retranslate()
{
    if (m_customCaptions)
        return; // captions given by the caller stay
    m_yesButton->setText(defaultYes());
    m_noButton->setText(defaultNo());
    AccessibleNames::NameByCaption(m_yesButton);
    AccessibleNames::NameByCaption(m_noButton);
}

void QuestionMessage::UpdateTranslation() {}

void QuestionMessage::QueueAnswers(const QList<int>& list)
{
    for (int answer : list)
        answers().enqueue(answer);
}

QStringList QuestionMessage::History()
{
    return history();
}

void QuestionMessage::ClearHistory()
{
    history().clear();
    answers().clear();
}
