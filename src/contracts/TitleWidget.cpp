#include "contracts/TitleWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosConfig.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr TransMsgId CloseName = 7701;
} // namespace

TitleWidget::TitleWidget(QWidget* parent)
    : QWidget(parent)
    , m_titleLabel(new QLabel(this))
    , m_closeButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("TitleWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_closeButton->setObjectName(QStringLiteral("titleClose"));
    m_closeButton->setText(QStringLiteral("×"));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    // The design size, or the height the style needs when that is more
    // (small screens): a key held below the style's minimum would spill out
    // of the bar.
    const QSize closeSize = KxPosConfig::GetAutoSize(64, 64, 44, 44);
    m_closeButton->ensurePolished();
    m_closeButton->setFixedSize(closeSize.width(), qMax(closeSize.height(), m_closeButton->minimumHeight()));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(KxPosConfig::GetAutoWidth(24, 16), 0, KxPosConfig::GetAutoWidth(8, 4), 0);
    layout->addWidget(m_titleLabel, 1);
    layout->addWidget(m_closeButton);
    setFixedHeight(KxPosConfig::GetAutoHeight(80, 56));

    connect(m_closeButton, &QPushButton::clicked, this, &TitleWidget::SignButtonCloseClicked);
    // The close key shows a sign; its name says what it does.
    AccessibleNames::Set(m_closeButton, CloseName);
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, m_closeButton,
            [this] { AccessibleNames::Set(m_closeButton, CloseName); });
}

TitleWidget::~TitleWidget() = default;

void TitleWidget::SetTitle(const QString& title)
{
    m_titleLabel->setText(title);
}

QString TitleWidget::title() const
{
    return m_titleLabel->text();
}

void TitleWidget::SetCloseButtonVisible(bool visible)
{
    m_closeButton->setVisible(visible);
}
