#include "contracts/ChangeWidget.h"

#include "contracts/KxPosConfig.h"
#include "contracts/AccessibleNames.h"
#include "contracts/UiTool.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int ChangeCaptionId = 9102;
constexpr int OkMessageId = 1259; // "OK": a message is acknowledged, not answered
} // namespace

ChangeWidget::ChangeWidget(int screenType, QWidget* parent)
    : KxDialog(parent)
    , m_screenType(screenType)
    , m_captionLabel(new QLabel)
    , m_amountLabel(new QLabel)
    , m_okButton(new QPushButton)
{
    setObjectName(QStringLiteral("ChangeWidget"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    setFocusPolicy(Qt::StrongFocus);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("changeFrame"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    m_captionLabel->setObjectName(QStringLiteral("changeCaption"));
    m_captionLabel->setAlignment(Qt::AlignCenter);
    m_amountLabel->setObjectName(QStringLiteral("changeAmount"));
    m_amountLabel->setAlignment(Qt::AlignCenter);
    m_okButton->setObjectName(QStringLiteral("changeOk"));
    m_okButton->setFocusPolicy(Qt::NoFocus); // keys go to the popup itself

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(KxPosConfig::GetAutoWidth(32, 20), KxPosConfig::GetAutoHeight(24, 16),
                               KxPosConfig::GetAutoWidth(32, 20), KxPosConfig::GetAutoHeight(24, 16));
    layout->setSpacing(KxPosConfig::GetAutoHeight(16, 10));
    layout->addWidget(m_captionLabel);
    layout->addWidget(m_amountLabel, 1);
    layout->addWidget(m_okButton, 0, Qt::AlignHCenter);
    m_okButton->setMinimumSize(KxPosConfig::GetAutoSize(240, 72, 160, 48));
    setMinimumSize(KxPosConfig::GetAutoSize(600, 360, 420, 260));

    connect(m_okButton, &QPushButton::clicked, this, [this] { closeWith(0, QString()); });
    Retranslate();
}

ChangeWidget::~ChangeWidget() = default;

QString ChangeWidget::amount() const
{
    return m_amountLabel->text();
}

void ChangeWidget::showMessage(QString amount, int kind)
{
    m_amountLabel->setText(amount);
    UiTool::UpdateWidgetStyle(this, "showType",
                              kind == 0 ? QStringLiteral("change")
                                        : QStringLiteral("change%1").arg(kind));
    m_open = true;
    adjustSize();
    if (QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr)
        move(anchor->geometry().center() - rect().center());
    else if (KxPosConfig::iAppWidth > 0 && KxPosConfig::iAppHeight > 0)
        move((KxPosConfig::iAppWidth - width()) / 2, (KxPosConfig::iAppHeight - height()) / 2);
    show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void ChangeWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        // A modifier alone is part of a key still being typed.
        KxDialog::keyPressEvent(event);
        return;
    default:
        break;
    }
    event->accept();
    closeWith(event->key(), event->text());
}

void ChangeWidget::closeEvent(QCloseEvent* event)
{
    event->accept();
    closeWith(0, QString());
}

void ChangeWidget::closeWith(int key, const QString& text)
{
    if (!m_open)
        return;
    m_open = false;
    hide();
    emit SignTradeChgClosed(key, text);
}

void ChangeWidget::Retranslate()
{
    m_captionLabel->setText(UiTool::TranslateOr(ChangeCaptionId, QStringLiteral("找零")));
    m_okButton->setText(UiTool::TranslateOr(OkMessageId, QStringLiteral("确定")));
    AccessibleNames::NameByCaption(m_okButton);
}

void ChangeWidget::UpdateTranslation() {}
