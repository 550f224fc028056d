#include "contracts/AccessibleNames.h"

#include <QAbstractButton>
#include <QWidget>

namespace {
bool isHan(QChar c)
{
    return c.script() == QChar::Script_Han;
}

bool hasLetterOrDigit(const QString& text)
{
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return true;
    }
    return false;
}

void nameWidget(QWidget* widget, const QString& name)
{
    if (widget && widget->accessibleName() != name)
        widget->setAccessibleName(name);
}
} // namespace

void AccessibleNames::Apply(QWidget* root, const Entry* entries, std::size_t count)
{
    if (!root || !entries)
        return;
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (std::size_t i = 0; i < count; ++i) {
        const QLatin1String wanted(entries[i].objectName);
        const QString name = KxPosTranslator::GetTranslation(entries[i].messageId);
        if (root->objectName() == wanted)
            nameWidget(root, name);
        for (QWidget* w : children) {
            if (w->objectName() == wanted)
                nameWidget(w, name);
        }
    }
}

void AccessibleNames::Set(QWidget* widget, TransMsgId messageId)
{
    if (widget)
        nameWidget(widget, KxPosTranslator::GetTranslation(messageId));
}

void AccessibleNames::NameByCaption(QAbstractButton* button, TransMsgId emptyId)
{
    if (!button)
        return;
    const QString name = FromCaption(button->text());
    if (name.isEmpty()) {
        if (emptyId != 0)
            Set(button, emptyId);
        return;
    }
    if (hasLetterOrDigit(name))
        nameWidget(button, name);
}

void AccessibleNames::NameButtonsByCaption(QWidget* root, TransMsgId emptyId)
{
    if (!root)
        return;
    NameByCaption(qobject_cast<QAbstractButton*>(root), emptyId);
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        NameByCaption(button, emptyId);
}

QString AccessibleNames::FromCaption(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == QLatin1Char('&')) {
            // "&&" is a literal ampersand; a single one marks the mnemonic.
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&')) {
                out += c;
                ++i;
            }
            continue;
        }
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            const QChar before = out.isEmpty() ? QChar() : out.at(out.size() - 1);
            const QChar after = i + 1 < caption.size() ? caption.at(i + 1) : QChar();
            if (!(isHan(before) && isHan(after)) && !out.endsWith(QLatin1Char(' ')))
                out += QLatin1Char(' ');
            continue;
        }
        out += c;
    }
    return out.trimmed();
}
