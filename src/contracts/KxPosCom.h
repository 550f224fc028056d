#pragma once
// Text helpers shared by the screens.

#include "contracts/kxposcontracts_export.h"

#include <QFont>
#include <QString>

class KXPOSCONTRACTS_EXPORT KxPosCom
{
public:
    // Inserts line breaks ("\n") into `text` so that no line is wider than
    // `width` pixels in `font`. Latin words are broken at spaces where
    // possible (the space at a break is dropped); Chinese, Japanese and
    // Korean text may break between any two characters; a word longer than a
    // line is cut between its characters. A single character wider than
    // `width` stands alone on its line. Existing line breaks are kept. A
    // width of 0 or less leaves the text unchanged.
    static void AutoWrap(QString& text, QFont font, int width);
};
