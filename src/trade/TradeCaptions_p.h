#pragma once
// Static captions of the sales screen's form, by object name and message
// number. The form's own texts are design-time previews only.

class QWidget;

namespace TradeCaptions {
// Sets every static caption of the screen from the translator.
void Apply(QWidget* screen);
// Message number of the static caption of a form object, 0 when it has none.
int MessageFor(const char* objectName);
}
