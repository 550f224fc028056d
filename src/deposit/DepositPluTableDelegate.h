#pragma once
// Row outline of the deposit list: a selected cell is filled with a light
// blue and edged by a 1-pixel blue line along its top and bottom, plus the
// left edge in the first outlined column and the right edge in the last, so
// the whole selected row reads as one framed band. The text is drawn centred.

#include "kxpostradeui_export.h"

#include <QColor>
#include <QItemDelegate>

class KXPOSTRADEUI_EXPORT DepositPluTableDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Outlines columns 0 to 3 (the deposit list).
    explicit DepositPluTableDelegate(QObject* parent = nullptr);
    ~DepositPluTableDelegate() override;

    // Fill of a selected cell.
    static QColor FillColor() { return QColor(245, 252, 255); }
    // Outline of the selected row.
    static QColor LineColor() { return QColor(58, 187, 253); }

    // First outlined column (its left edge is drawn).
    int FirstColumn() const { return m_firstColumn; }
    // Last outlined column (its right edge is drawn).
    int LastColumn() const { return m_lastColumn; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    // Outlines columns `firstColumn` to `lastColumn`.
    DepositPluTableDelegate(int firstColumn, int lastColumn, QObject* parent);
    // Fills and edges a selected cell, then draws its text centred.
    void paintOutlined(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    int m_firstColumn;
    int m_lastColumn;
};
