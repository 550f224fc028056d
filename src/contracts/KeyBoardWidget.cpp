#include "contracts/KeyBoardWidget.h"

#include "contracts/AccessibleNames.h"
#include "contracts/KxPosTranslator.h"
#include "contracts/UiTool.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int ClearCaptionId = 9110;
constexpr int BackspaceCaptionId = 9111;
constexpr int OkCaptionId = 1259; // "OK": the pad confirms, it answers no question

// Accessible names of the keys whose caption is a sign.
constexpr TransMsgId DecimalPointName = 7702;
constexpr TransMsgId SpaceName = 7703;
constexpr TransMsgId HyphenName = 7734;

const QLatin1String Clear(KeyBoardWidget::ClearKey);
const QLatin1String Backspace(KeyBoardWidget::BackspaceKey);
const QLatin1String Ok(KeyBoardWidget::OkKey);

bool isSpecial(const QString& text)
{
    return text == Clear || text == Backspace || text == Ok;
}

// Captions of the translated keys and the names of all keys, in the current
// language.
void retranslateKeys(const QList<QPushButton*>& keys)
{
    for (QPushButton* button : keys) {
        const QString text = button->property("keyText").toString();
        if (text == Clear)
            button->setText(UiTool::TranslateOr(ClearCaptionId, QStringLiteral("清空")));
        else if (text == Backspace)
            button->setText(UiTool::TranslateOr(BackspaceCaptionId, QStringLiteral("退格")));
        else if (text == Ok)
            button->setText(UiTool::TranslateOr(OkCaptionId, QStringLiteral("确定")));
        if (text == QLatin1String("."))
            AccessibleNames::Set(button, DecimalPointName);
        else if (text == QLatin1String(" "))
            AccessibleNames::Set(button, SpaceName);
        else if (text == QLatin1String("-"))
            AccessibleNames::Set(button, HyphenName);
        else
            AccessibleNames::NameByCaption(button);
    }
}
} // namespace

KeyBoardWidget::KeyBoardWidget(QWidget* parent, QString type, int variant)
    : QWidget(parent)
    , m_type(type)
    , m_variant(variant)
    , m_grid(new QGridLayout(this))
{
    setObjectName(QStringLiteral("KeyBoardWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    // The keyboard types into another widget: it must never take the focus.
    setFocusPolicy(Qt::NoFocus);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(6);
    if (m_type == QLatin1String("1"))
        buildNumericPad();
    else
        buildFullKeyboard();
    retranslateKeys(m_keys);
    connect(KxPosTranslator::Instance(), &KxPosTranslator::LanguageChanged, this,
            [this] { retranslateKeys(m_keys); });
}

KeyBoardWidget::~KeyBoardWidget() = default;

void KeyBoardWidget::buildNumericPad()
{
    // Five keys a row: the sales screen sizes each key to a fifth of the dock.
    const QString digits = QStringLiteral("1234567890");
    for (int i = 0; i < digits.size(); ++i)
        addKey(digits.mid(i, 1), digits.mid(i, 1), i / 5, i % 5);
    addKey(QStringLiteral("."), QStringLiteral("."), 2, 0);
    addKey(QStringLiteral("00"), QStringLiteral("00"), 2, 1);
    addKey(Clear, QString(), 2, 2);
    addKey(Backspace, QString(), 2, 3);
    addKey(Ok, QString(), 2, 4);
}

void KeyBoardWidget::buildFullKeyboard()
{
    const QStringList rows = {QStringLiteral("1234567890"), QStringLiteral("QWERTYUIOP"),
                              QStringLiteral("ASDFGHJKL-"), QStringLiteral("ZXCVBNM.")};
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QString key = rows.at(r).mid(c, 1);
            addKey(key, key, r, c);
        }
    }
    addKey(Backspace, QString(), 0, 10);
    addKey(Clear, QString(), 1, 10);
    addKey(Ok, QString(), 2, 10, 2, 1);
    addKey(QStringLiteral(" "), QStringLiteral("␣"), 3, 8, 1, 2); // space bar
}

QPushButton* KeyBoardWidget::addKey(const QString& text, const QString& caption, int row,
                                    int column, int rowSpan, int columnSpan)
{
    auto* button = new QPushButton(this);
    const bool special = isSpecial(text);
    button->setObjectName(QStringLiteral("kbKey_")
                          + (text == QLatin1String(" ") ? QStringLiteral("space") : text));
    button->setProperty("keyText", text);
    button->setProperty("showType", special ? QStringLiteral("funckey") : QStringLiteral("key"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setAutoRepeat(text == Backspace);
    // The translated captions come from retranslateKeys().
    if (!special)
        button->setText(caption);
    connect(button, &QPushButton::clicked, this, [this, button] {
        QString key = button->property("keyText").toString();
        if (!m_upper && key.size() == 1 && key.at(0).isLetter())
            key = key.toLower();
        emit SignKbwKeyPress(key);
    });
    m_grid->addWidget(button, row, column, rowSpan, columnSpan);
    m_keys.append(button);
    return button;
}

QPushButton* KeyBoardWidget::key(const QString& text) const
{
    for (QPushButton* button : m_keys) {
        if (button->property("keyText").toString().compare(text, Qt::CaseInsensitive) == 0)
            return button;
    }
    return nullptr;
}

void KeyBoardWidget::SetKeyWidth(int width)
{
    m_keyWidth = width;
    applyKeySizes();
}

void KeyBoardWidget::SetKeyHeight(int height)
{
    m_keyHeight = height;
    applyKeySizes();
}

void KeyBoardWidget::SetMinimumKeyHeight(int height)
{
    m_minimumKeyHeight = height;
    applyKeySizes();
}

void KeyBoardWidget::SetKeySpacing(int spacing, int margin)
{
    m_grid->setSpacing(spacing);
    m_grid->setContentsMargins(margin, margin, margin, margin);
    // Keys spanning cells cover the spacing between them: their sizes follow.
    applyKeySizes();
}

int KeyBoardWidget::keySpacing() const
{
    return m_grid->spacing();
}

void KeyBoardWidget::applyKeySizes()
{
    // A key spanning several cells also covers the spacing between them.
    for (QPushButton* button : m_keys) {
        int r = 0, c = 0, rs = 1, cs = 1;
        m_grid->getItemPosition(m_grid->indexOf(button), &r, &c, &rs, &cs);
        if (m_keyWidth > 0)
            button->setFixedWidth(m_keyWidth * cs + m_grid->horizontalSpacing() * (cs - 1));
        if (m_keyHeight > 0) {
            button->setFixedHeight(m_keyHeight * rs + m_grid->verticalSpacing() * (rs - 1));
        } else if (m_minimumKeyHeight > 0) {
            button->setMinimumHeight(m_minimumKeyHeight * rs + m_grid->verticalSpacing() * (rs - 1));
        }
    }
}

bool KeyBoardWidget::ApplyKey(QLineEdit* line, const QString& key)
{
    if (key == Ok)
        return true;
    if (!line)
        return false;
    if (key == Clear)
        UiTool::EmptyLine(line);
    else if (key == Backspace)
        line->backspace();
    else
        line->insert(key);
    return false;
}

void KeyBoardWidget::SetUpperCase(bool upper)
{
    m_upper = upper;
    for (QPushButton* button : m_keys) {
        const QString key = button->property("keyText").toString();
        if (key.size() == 1 && key.at(0).isLetter())
            button->setText(upper ? key.toUpper() : key.toLower());
    }
}
