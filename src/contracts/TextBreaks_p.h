#pragma once
// Where a line of text may break: shared by the kit's two wrappers
// (KxPosCom::AutoWrap for keys and captions, UiTool::GetFeedText for panels).

#include <QString>

namespace KxPosText {

// Closing marks (。，、）】 . , ) and the like): a line never starts with one.
bool closesPhrase(QChar ch);

// Opening marks (（【“ ( and the like): a line never ends with one.
bool opensPhrase(QChar ch);

// Whether a line may end after `before` and go on with `after`.
bool mayBreakBetween(const QString& before, const QString& after);

// `text` without the blanks at its end.
QString withoutTrailingBlanks(const QString& text);

} // namespace KxPosText
