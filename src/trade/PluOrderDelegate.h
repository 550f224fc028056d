#pragma once
// Draws the lines of the shown online order (the upper line table of the
// order panel): line number, product name with the contents of a package
// line on lines of their own, ordered quantity and amount.
//
// Columns of the row: 0 number, 1 name (package contents follow after
// "\r\n"), 2 quantity, 3 line key, 4 unit price, 5 amount, 6 number of
// package contents.

#include "kxpostradeui_export.h"

#include <QFont>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>

class KXPOSTRADEUI_EXPORT PluOrderDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // A delegate for the lines of the order shown, its style values loaded
    // (LoadStyle()).
    explicit PluOrderDelegate(QObject* parent = nullptr);

    // Fills the table of style values and the fonts for the current screen,
    // from KxPosConfig::styleMap, with the design value of the large or the
    // small layout for a value missing there.
    void LoadStyle();
    // A value of the table by name ("$listUpY"); 0 when unknown.
    int StyleValue(const QString& name) const { return m_style.value(name, 0); }
    // Names of the style values the line uses.
    static QStringList StyleNames();

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QMap<QString, int> m_style;
    QFont m_nameFont;
    QFont m_packFont;
    QFont m_numberFont;
};
