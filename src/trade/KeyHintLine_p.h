#pragma once
// A line of key hints ("【↑↓】订单  【Esc】返回"): the hints, separated by two
// or more spaces in the translated text, are laid out right-aligned on as
// many lines as the label's width needs, breaking only between two hints so
// that no hint is ever split. A hint wider than the whole label is drawn
// elided; the whole text is then the tooltip. The accessible name is always
// the whole text.

#include <QLabel>
#include <QStringList>

class KeyHintLine : public QLabel
{
    Q_OBJECT
public:
    explicit KeyHintLine(QWidget* parent = nullptr);

    // Sets the hints from a translated text (hints separated by two or more
    // spaces) and lays them out at the present width.
    void SetHints(const QString& text);
    // The hints, in order.
    QStringList Hints() const { return m_hints; }
    // The hints laid out for a label `width` pixels wide (contents width),
    // one string per line, hints of a line joined by two spaces.
    QStringList LinesFor(int width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void relayout();

    QStringList m_hints;
};
