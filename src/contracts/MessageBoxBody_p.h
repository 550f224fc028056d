#pragma once
// The body shared by the message boxes (MessageWidget, QuestionMessage).

class QDialog;
class QHBoxLayout;
class QLabel;
class QSize;

namespace MessageBoxBody {

// Makes `box` a frameless modal dialog that stays on top and lays out in it
// the frame "messageFrame" holding the title `title` ("messageTitle"), the
// centred, word-wrapped plain text `text` ("messageText") and, below them, the
// returned row for the buttons; the row is empty, the caller adds its buttons.
// Margins, spacing and the box's least size follow the application size.
QHBoxLayout* Build(QDialog* box, QLabel* title, QLabel* text);

// The least size of a message box button.
QSize ButtonSize();

} // namespace MessageBoxBody
