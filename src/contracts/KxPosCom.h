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
    // line is cut between its characters. No line starts with a closing
    // mark (。，、）】！？：；”’》 . , ; : ! ? ) ] and the like) and none ends
    // with an opening one (（【《“‘ ( [ and the like): the break moves
    // earlier instead, taking the character before the mark along, so that
    // every line still keeps to `width` (a caption drawn on a key of fixed
    // width would otherwise be cut at the key's edge). A single character
    // wider than `width` stands alone on its line. Existing line breaks are
    // kept. A width of 0 or less leaves the text unchanged.
    static void AutoWrap(QString& text, QFont font, int width);
};
