#pragma once
// A label that gives up room: when its text is wider than the label, each
// line is drawn elided ("…") and the whole text is its tooltip. text() stays
// the whole text. Its layouts may shrink it to a few characters, so a long
// member name or store name never widens its screen.

#include "contracts/kxposcontracts_export.h"

#include <QLabel>

class KXPOSCONTRACTS_EXPORT ElidedLabel : public QLabel
{
    Q_OBJECT
    // Whether the text is drawn shortened at the label's current size.
    Q_PROPERTY(bool elided READ IsElided)
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // True while the text is drawn shortened at the label's current size.
    bool IsElided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    QStringList shownLines() const;
    void updateToolTip();

    bool m_ownToolTip = false;
};
