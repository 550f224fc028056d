#pragma once
// A key of the function grid, and the wrapping of its captions.
//
// The grid gives every key the same share of its area whatever the caption
// asks for, and the captions are wrapped to that share before they are set.
// A plain push button would still measure its caption again for its size
// hint after every new caption, so that each page turn measured all keys
// once more for a layout whose outcome the captions do not decide. The key's
// size hint is therefore that of an empty key (a line of text in the key's
// font, with the style's frame and padding), kept until the font or the
// style changes.

#include <QFont>
#include <QHash>
#include <QPushButton>
#include <QString>
#include <QVector>

class TradeFunctionKey : public QPushButton
{
public:
    explicit TradeFunctionKey(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The state the style sheet keys on (dynamic property "showType"), kept
    // as it is set so that a page turn reads it without a property look-up.
    QString state() const { return m_state; }

protected:
    bool event(QEvent* event) override;

private:
    mutable QSize m_hint;
    QString m_state;
};

// Captions wrapped to a key width, remembered per font and width: the grid
// shows the same few hundred captions page after page, and a caption is
// measured only the first time it is shown at a width in a font.
class FunctionCaptionWrapper
{
public:
    // `caption` broken into lines that fit `width` pixels in `font`
    // (KxPosCom::AutoWrap); a width of 0 or less leaves it as it is.
    QString wrapped(const QString& caption, const QFont& font, int width);

    // At most this many captions are kept per font and width, and at most
    // this many fonts and widths (the keys' states and the screen sizes of a
    // session); past either the oldest are forgotten.
    static constexpr int CaptionLimit = 4096;
    static constexpr int WidthLimit = 8;

private:
    struct Width
    {
        QFont font;
        int width = 0;
        QHash<QString, QString> wrapped;
    };
    QVector<Width> m_widths; // the one used last first
};
