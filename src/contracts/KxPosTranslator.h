#pragma once
// Visible texts by message number, in Simplified Chinese ("zh_CN", default)
// and English ("en"). Switching the language notifies every screen, which
// then sets its texts again.

#include "contracts/kxposcontracts_export.h"

#include <QObject>
#include <QString>
#include <QStringList>

using TransMsgId = int;

class KXPOSCONTRACTS_EXPORT KxPosTranslator : public QObject
{
    Q_OBJECT
public:
    // The shared translator, created on first use and never destroyed.
    static KxPosTranslator* Instance();

    // Text of message `id` in the current language. An unknown number gives a
    // visible text that contains the number.
    static QString GetTranslation(TransMsgId id);

    // Switches the language ("zh_CN" or "en"); emits LanguageChanged and keeps
    // KxPosConfig::sLanguage in step. Unknown codes are refused (returns false).
    static bool SetLanguage(const QString& language);
    static QString Language();
    static QStringList AvailableLanguages();

signals:
    void LanguageChanged(const QString& language);

private:
    KxPosTranslator();
};
