#pragma once
// The frame every deposit, pick-up and option screen shares: the screen type,
// the owned message and question boxes (title message 1969), static captions
// looked up by form object name, the project-code logo variant, the status
// bar's clock and store / terminal / cashier texts, and placeholder-safe
// indexed access to form widgets.
//
// A screen keeps one ScreenFrame (by value or behind a pointer) and calls it
// from its constructor, Retranslate() and status-bar slots. The boxes are
// children of the screen and go away with it.

#include "contracts/KxPosTranslator.h"

#include <QLabel>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <initializer_list>

class MessageWidget;
class QTableView;
class QuestionMessage;
class QWidget;

class ScreenFrame
{
public:
    // Title of every message and question the screens show.
    static constexpr TransMsgId MessageTitleId = 1969;

    // A static caption: the form object `objectName` shows message `messageId`.
    struct Caption {
        const char* objectName;
        TransMsgId messageId;
    };

    ScreenFrame(int screenType, QWidget* screen);
    ScreenFrame(const ScreenFrame&) = delete;
    ScreenFrame& operator=(const ScreenFrame&) = delete;

    int screenType() const { return m_screenType; }
    QWidget* screen() const { return m_screen; }

    // The owned boxes, created on first use with the screen as parent.
    MessageWidget* messageBox();
    QuestionMessage* questionBox();

    // Shows message `messageId` (or `text`) under the title message, as an
    // information box that waits for the cashier.
    void showMessage(TransMsgId messageId);
    void showText(const QString& text);
    // Asks message `messageId` as a yes/no question; true when answered yes.
    bool ask(TransMsgId messageId);

    // Sets the caption of every listed object found below `root` (buttons
    // and labels; other widgets are skipped).
    static void applyCaptions(QWidget* root, const Caption* captions, std::size_t count);
    template <std::size_t N>
    static void applyCaptions(QWidget* root, const Caption (&captions)[N])
    {
        applyCaptions(root, captions, N);
    }
    // Message number of `objectName` in `captions`, 0 when it has none.
    static TransMsgId captionFor(const char* objectName, const Caption* captions, std::size_t count);

    // Project-code variant of the logo: code "1" shows "STD7.0"; code "2"
    // empties the logo, sizes it to the branded logo and marks its frame
    // with the style variant "KRVA". Null-safe.
    static void applyProjectCode(QLabel* logo, QWidget* logoFrame);

    // Clock text from the host ("yyyy-MM-dd ddd hh:mm:ss"): `time` shows
    // "hh:mm:ss", `date` "yyyy-MM-dd ddd" ("yyyy-MM-dd" on narrow screens).
    // An unreadable text empties both. Null-safe.
    static void showClock(QLabel* time, QLabel* date, const QString& text);
    // Store, terminal and cashier texts of the status bar. The store text is
    // prefixed by the store name when "TRADE_ShowOrgPosType" is "2"; the
    // terminal is written as message 1247 + "-" + terminal. Null-safe.
    static void showStatus(QLabel* store, QLabel* terminal, QLabel* cashier, const QString& orgcode,
                           const QString& wgtcode, const QString& username);

    // showClock() and showStatus() for this screen's status bar, keeping
    // the host's texts so that refreshStatusBar() can write them again in
    // another language (the weekday, the terminal caption).
    void setClock(QLabel* time, QLabel* date, const QString& text);
    void setStatus(QLabel* store, QLabel* terminal, QLabel* cashier, const QString& orgcode, const QString& wgtcode,
                   const QString& username);
    void refreshStatusBar();

    // Breaks every column head of `view` that is wider than its column into
    // lines (at spaces where it can), so that the whole head shows; the
    // header grows to the lines. Null-safe.
    static void wrapColumnHeads(QTableView* view);

    // A bar (title, status) of `height` pixels, or taller when what it
    // holds needs more: its contents are never squeezed. Null-safe.
    static void setBarHeight(QWidget* bar, int height);

    // Sets the style sheet's "fontsize" property ("10" ... "38"). Null-safe.
    static void setFontSize(QWidget* widget, const char* size);

    // The widget at `index` of `widgets`, or `placeholder` for an index that
    // names none (or a widget that is gone), so callers never receive null.
    template <typename T>
    static T* pick(std::initializer_list<T*> widgets, int index, T* placeholder)
    {
        if (index < 0 || index >= static_cast<int>(widgets.size()))
            return placeholder;
        T* widget = *(widgets.begin() + index);
        return widget ? widget : placeholder;
    }

    // True for a key event whose text is one digit "0" to "9".
    static bool isDigitText(const QString& text);

private:
    int m_screenType;
    QPointer<QWidget> m_screen;
    QPointer<QLabel> m_time, m_date, m_store, m_terminal, m_cashier;
    QString m_clockText;
    QString m_status[3];
    bool m_clockSet = false;
    bool m_statusSet = false;
    QPointer<MessageWidget> m_messageBox;
    QPointer<QuestionMessage> m_questionBox;
};
