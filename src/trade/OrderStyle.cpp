#include "trade/OrderStyle_p.h"

#include "contracts/KxPosConfig.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStyleOptionViewItem>

namespace OrderStyle {

QStringList Names(const DesignValue* values, std::size_t count)
{
    QStringList names;
    for (std::size_t i = 0; i < count; ++i)
        names << QLatin1String(values[i].name);
    return names;
}

QMap<QString, int> Load(const DesignValue* values, std::size_t count)
{
    QMap<QString, int> style;
    for (std::size_t i = 0; i < count; ++i) {
        const DesignValue& v = values[i];
        bool ok = false;
        const int value = KxPosConfig::styleMap.value(QLatin1String(v.name)).toInt(&ok);
        style.insert(QLatin1String(v.name), ok ? value : KxPosConfig::GetAutoWidth(v.large, v.small));
    }
    return style;
}

bool IsCurrentRow(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (option.state & QStyle::State_Selected)
        return true;
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    return view && view->currentIndex().isValid() && view->currentIndex().row() == index.row();
}

QColor RowBackground(const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!IsCurrentRow(option, index))
        return QColor(QStringLiteral("#FFFFFF"));
    const QColor highlight(KxPosConfig::styleMap.value(QStringLiteral("$colorD")));
    return highlight.isValid() ? highlight : QColor(QStringLiteral("#E6F6FE"));
}

QFont PixelFont(int size, bool bold)
{
    QFont font = QApplication::font();
    font.setPixelSize(qMax(8, size));
    font.setBold(bold);
    return font;
}

} // namespace OrderStyle
