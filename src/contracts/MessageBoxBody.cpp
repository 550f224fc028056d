#include "contracts/MessageBoxBody_p.h"

#include "contracts/KxPosConfig.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace MessageBoxBody {

QHBoxLayout* Build(QDialog* box, QLabel* title, QLabel* text)
{
    box->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    box->setModal(true);

    auto* frame = new QFrame(box);
    frame->setObjectName(QStringLiteral("messageFrame"));
    auto* outer = new QVBoxLayout(box);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    title->setObjectName(QStringLiteral("messageTitle"));
    title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text->setObjectName(QStringLiteral("messageText"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(KxPosConfig::GetAutoWidth(24, 16), KxPosConfig::GetAutoHeight(16, 10),
                               KxPosConfig::GetAutoWidth(24, 16), KxPosConfig::GetAutoHeight(20, 12));
    layout->setSpacing(KxPosConfig::GetAutoHeight(16, 10));
    layout->addWidget(title);
    layout->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);

    box->setMinimumSize(KxPosConfig::GetAutoSize(560, 320, 400, 230));
    return buttons;
}

QSize ButtonSize()
{
    return KxPosConfig::GetAutoSize(200, 64, 140, 44);
}

} // namespace MessageBoxBody
