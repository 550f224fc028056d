#pragma once
// Accessible names of the screens' widgets: what a screen reader speaks and
// what UI automation tools find a widget by. Every name is a translator text
// (or the host's own caption of a key), set again whenever the screen sets
// its texts, so that it follows the language.
//
// A screen names its keys by their captions (NameButtonsByCaption) and then
// the widgets that show no readable caption (inputs, lists and tables,
// symbol and icon keys) from a table of message numbers (Apply).

#include "contracts/KxPosTranslator.h"
#include "contracts/kxposcontracts_export.h"

#include <QString>

#include <cstddef>

class QAbstractButton;
class QWidget;

class KXPOSCONTRACTS_EXPORT AccessibleNames
{
public:
    // The widget(s) named `objectName` get the text of message `messageId`.
    struct Entry {
        // Object name of the widget(s) to name.
        const char* objectName;
        // Message whose text becomes the accessible name.
        TransMsgId messageId;
    };

    // Names every widget below `root` (and `root` itself) whose object name
    // is listed; several widgets of one name (keys of a grid) all get it.
    // Names not found are skipped. Null-safe.
    //@{
    static void Apply(QWidget* root, const Entry* entries, std::size_t count);
    template <std::size_t N>
    static void Apply(QWidget* root, const Entry (&entries)[N])
    {
        Apply(root, entries, N);
    }
    //@}

    // Names `widget` by the text of message `messageId`. Null-safe.
    static void Set(QWidget* widget, TransMsgId messageId);

    // Names `button` by its caption (see FromCaption). A caption without a
    // letter or digit (an arrow, "×", ".") names nothing: such keys need a
    // message. A button without caption gets message `emptyId` when one is
    // given (a key of a grid that has nothing on it), else keeps its name.
    static void NameByCaption(QAbstractButton* button, TransMsgId emptyId = 0);
    // The same for every button below `root` (and `root` itself).
    static void NameButtonsByCaption(QWidget* root, TransMsgId emptyId = 0);

    // A caption as a name: line breaks become spaces (or nothing between two
    // Chinese characters), "&" mnemonic marks go, the ends are trimmed.
    static QString FromCaption(const QString& caption);
};
