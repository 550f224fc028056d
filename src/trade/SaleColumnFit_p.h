#pragma once
// Widths of the sale-line table's columns. Every column but the product name
// has a design width; the name takes what is left. Where the table is too
// narrow for the design widths (small screens, the promotion column shown,
// the order panel's narrower table), the other columns give up room down to
// what their header and their texts need, so that the name keeps a readable
// share instead of shrinking to a few characters.

#include <QHash>
#include <QList>
#include <QSet>

class QTableView;

namespace SaleColumnFit {
// Remembers `designWidths` (column -> pixels), the stretching `nameColumn`
// and the columns whose texts may wrap onto a second line (`wrapping`) of
// `view`, and fits the columns now and whenever the view changes its width.
// A column whose texts need more than its design width gets what they need.
// Where the narrowest widths of the other columns still leave the name less
// than its share, the `droppable` columns are hidden, in their order, until
// the name has it; they show again when the table widens.
// Calling it again replaces what was remembered.
void Apply(QTableView* view, const QHash<int, int>& designWidths, int nameColumn, const QSet<int>& wrapping = {},
           const QList<int>& droppable = {});
// Fits again, for example after a column was shown or hidden or the texts
// changed. Does nothing for a view that Apply() has not seen.
void Refit(QTableView* view);
// Share of the table's width that the name column keeps at least, as far as
// the other columns can give it up.
constexpr double NameShare = 0.32;
} // namespace SaleColumnFit
