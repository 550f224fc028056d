#include "DemoMemberLogin.h"

#include "DemoNotice.h"

#include "contracts/KxPosConfig.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DemoMemberLogin::DemoMemberLogin(QWidget* parent)
    : KxDialog(parent)
    , m_hint(new QLabel(this))
    , m_code(new QLineEdit(this))
{
    setObjectName(QStringLiteral("DemoMemberLogin"));
    // Window-modal to the sales screen (the kit's dialogs are, given a
    // parent): the keys around it wait for the member.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    m_code->setObjectName(QStringLiteral("memberCode"));
    m_code->setMinimumHeight(KxPosConfig::GetAutoHeight(64, 44));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("memberOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("memberCancel"));
    layout->addWidget(m_hint);
    layout->addWidget(m_code);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &DemoMemberLogin::Confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_code, &QLineEdit::returnPressed, this, &DemoMemberLogin::Confirm);
    // A long hint (a refused code, another language) takes a second line.
    m_hint->setWordWrap(true);
    resize(KxPosConfig::GetAutoSize(640, 300, 420, 220));
    Retranslate();
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this, &DemoMemberLogin::Retranslate);
}

void DemoMemberLogin::Retranslate()
{
    const QString title = DemoNotice::Text(QStringLiteral("会员登录"), QStringLiteral("Member log-in"));
    setWindowTitle(title);
    setAccessibleName(title);
    m_hint->setText(m_refused.isEmpty()
                        ? DemoNotice::Text(QStringLiteral("请刷会员卡或输入手机号"), QStringLiteral("Scan the member card or type the phone number"))
                        : DemoNotice::Text(QStringLiteral("查无此会员：%1"), QStringLiteral("No member with %1")).arg(m_refused));
    const QString codeCaption = DemoNotice::Text(QStringLiteral("会员卡号 / 手机号"), QStringLiteral("Card no. / phone"));
    m_code->setPlaceholderText(codeCaption);
    m_code->setAccessibleName(codeCaption);
    // The box's keys speak the checkout's language, not Qt's default English;
    // screen readers and UI automation find them by the same captions.
    const auto caption = [this](const char* name, const QString& caption) {
        if (auto* key = findChild<QPushButton*>(QLatin1String(name))) {
            key->setText(caption);
            key->setAccessibleName(caption);
        }
    };
    caption("memberOk", DemoNotice::Text(QStringLiteral("确定"), QStringLiteral("OK")));
    caption("memberCancel", DemoNotice::Text(QStringLiteral("取消"), QStringLiteral("Cancel")));
}

void DemoMemberLogin::Ask()
{
    m_refused.clear();
    UiTool::EmptyLine(m_code);
    Retranslate();
    show();
    raise();
    activateWindow();
    m_code->setFocus();
}

void DemoMemberLogin::Refuse(const QString& code)
{
    m_refused = code;
    Retranslate();
    m_code->selectAll();
    m_code->setFocus();
}

void DemoMemberLogin::keyPressEvent(QKeyEvent* event)
{
    // Enter in the code line confirms through the line itself; the box's
    // default button must not confirm the same code a second time.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_code->hasFocus()) {
        event->accept();
        return;
    }
    KxDialog::keyPressEvent(event);
}

void DemoMemberLogin::Confirm()
{
    const QString code = m_code->text().trimmed();
    if (!code.isEmpty())
        emit CodeEntered(code);
}
