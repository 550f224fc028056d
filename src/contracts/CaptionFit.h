#pragma once
// Keeps a key's caption inside the key. A caption wider than its key is
// wrapped onto as many lines as the key's height holds and elided beyond
// that; a shortened caption keeps the whole text in the key's tooltip and
// accessible name. The key is fitted again whenever it changes size, font or
// style, and whenever its owner sets a new caption with setText().
//
// Watch only keys whose width the layout decides (a fixed width, a share of a
// column or grid, a minimum width): a key that takes the width of its own
// caption would narrow with every shortening.

#include "contracts/kxposcontracts_export.h"

#include <QString>

class QAbstractButton;
class QWidget;

class KXPOSCONTRACTS_EXPORT CaptionFit
{
public:
    // Watches `button` (null-safe; watching twice is harmless).
    static void Watch(QAbstractButton* button);
    // Watches every button below `root` that shows text.
    static void WatchAll(QWidget* root);
    // The caption of `button` as its owner set it: unwrapped and whole.
    static QString Caption(const QAbstractButton* button);
    // Sets the caption and fits it at once.
    static void SetCaption(QAbstractButton* button, const QString& caption);
    // Fits the caption to the button's size now.
    static void Refit(QAbstractButton* button);
};
