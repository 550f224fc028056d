#pragma once
// Style values and painting helpers shared by the order delegates
// (OrderListDelegate, PluOrderDelegate).

#include <QColor>
#include <QFont>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstddef>

class QModelIndex;
class QStyleOptionViewItem;

namespace OrderStyle {

// One style value of a delegate: its name in the style map ("$listX") and its
// design value at 1920 x 1080 and at 1024 x 768.
struct DesignValue
{
    const char* name;
    int large;
    int small;
};

// The names of the values, in table order.
QStringList Names(const DesignValue* values, std::size_t count);

// Every value: the style map's number when it has one, else the design value
// scaled to the application width.
QMap<QString, int> Load(const DesignValue* values, std::size_t count);

template<std::size_t N>
QStringList Names(const DesignValue (&values)[N])
{
    return Names(values, N);
}

template<std::size_t N>
QMap<QString, int> Load(const DesignValue (&values)[N])
{
    return Load(values, N);
}

// Whether the row is the selected or the view's current one.
bool IsCurrentRow(const QStyleOptionViewItem& option, const QModelIndex& index);

// A row's background: the style's highlight ($colorD) for the current row,
// white for the others.
QColor RowBackground(const QStyleOptionViewItem& option, const QModelIndex& index);

// The application font at `size` pixels (8 at the least).
QFont PixelFont(int size, bool bold = false);

} // namespace OrderStyle
