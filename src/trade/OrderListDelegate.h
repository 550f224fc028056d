#pragma once
// Draws one online order as a card in the order list of the sales screen.
//
// The card reads the cells of its row: the status caption (column 1), the
// two card texts (columns 6 and 10), the pick-up number (column 9), the
// colour-tag codes (column 11, "A--B--C") and the channel code (column 12).
// Top strip: status caption at the left, channel tag at the right; below:
// the card texts at the left, the pick-up number in red and the colour tag at
// the right.

#include "kxpostradeui_export.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>

class KXPOSTRADEUI_EXPORT OrderListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // A delegate for the order cards, its style values loaded (LoadStyle()).
    explicit OrderListDelegate(QObject* parent = nullptr);

    // Fills the table of style values and the fonts for the current screen
    // (KxPosConfig::iAppWidth): each value is read from KxPosConfig::styleMap;
    // a value missing there takes the design value of the large or the small
    // layout, scaled to the screen.
    void LoadStyle();
    // A value of the table by name ("$listX"); 0 when unknown.
    int StyleValue(const QString& name) const { return m_style.value(name, 0); }
    // Names of the style values the card uses.
    static QStringList StyleNames();

    // Caption of a channel code ("133" -> message 32, ...; unknown -> 708).
    static QString ChannelText(const QString& code);

    // Caption and colour of an order card's tag.
    struct ColourTag
    {
        // Caption of the tag.
        QString text;
        // Background of the tag.
        QColor colour;
    };
    // The colour tag of a column-11 text "A--B--C": A "1" scheduled (red),
    // else B "1" delivery (orange), else C "2" pick-up (green), else instant
    // (blue). Fewer than three parts give the last case.
    static ColourTag ColourTagFor(const QString& codes);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QMap<QString, int> m_style;
    QFont m_titleFont; // status caption and pick-up number
    QFont m_bodyFont;  // first card text
    QFont m_smallFont; // second card text; tags use it at "$fontTypeSize"
};
