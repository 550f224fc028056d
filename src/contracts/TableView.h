#pragma once
// Grid of text rows used by the screens' tables.
//
// TableView is a QObject that owns a QTableView (view()) over a TableModel
// (model()). It can be a by-value member built without a parent: the screen
// puts view() into its layout, and the wrapper deletes the view when it is
// destroyed, unless the view's parent deleted it first (tracked with a
// QPointer, so there is never a double delete).
//
// Signals (usable with old-style SIGNAL() texts):
//   RowAdded()                     after InsertRow() added a row
//   SignAddOne(QModelIndex)        click in the "add" column, or key "+"
//   SignMinusOne(QModelIndex)      click in the "minus" column, or key "-"
//   clicked(const QModelIndex&)    any click on a cell (forwarded from the view)
//   currentRowChanged(int)         the current row of the view changed

#include "contracts/KxPosTranslator.h"
#include "contracts/kxposcontracts_export.h"

#include <QColor>
#include <QModelIndex>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>

class QItemSelectionModel;
class QTableView;
class QWidget;
class TableModel;

class KXPOSCONTRACTS_EXPORT TableView : public QObject
{
    Q_OBJECT
public:
    // Creates the view (child of `parent` when given) and its model.
    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    // The table view, for the screen's layout.
    QTableView* view() const;
    // The model of the rows.
    TableModel* model() const;
    // The view's selection model.
    QItemSelectionModel* selectionModel() const;

    // Headers by message number (one column each), header visibility and the
    // standard row height (0 or less keeps the current one). Whole-row single
    // selection, no editing, no grid lines, no vertical header.
    void iniHeadData(const QVector<TransMsgId>& headers, bool showHeader, int rowHeight);
    // Translates the header ids again (after a language change).
    void retranslateHeaders();

    // Appends a row, gives it the standard height, emits RowAdded().
    void InsertRow(QStringList texts);
    // Appends several rows at once (one insertion for the views), gives them
    // the standard height, emits RowAdded() once.
    void InsertRows(const QList<QStringList>& rows);
    // Removes `row`; a row outside the table is ignored.
    void RemoveRow(int row);
    // Removes `count` rows from `first`, clamped to the table.
    void RemoveRows(int first, int count);
    // Removes every row.
    void RemoveAllRows();
    int rowCount() const;

    // Grid style of rows: a background colour per row. ClearGridStyle resets
    // rows first..last (clamped; nothing when the table is empty).
    void SetGridStyle(int row, const QColor& colour);
    // Resets the grid style of rows `first` to `last` (see SetGridStyle()).
    void ClearGridStyle(int first, int last);

    // Current row (-1 when none), selection and scrolling.
    int currentRow() const;
    // Makes `row` current and selects it; a row outside the table is ignored.
    void selectRow(int row);
    // Scrolls `row` into view.
    void scrollTo(int row);
    // Scrolls to the last row.
    void scrollToBottom();
    // Scrolls to the first row.
    void scrollToTop();

    // Standard row height (applied to every row now and to later rows).
    void setRowHeight(int height);
    // The standard row height; 0 until one is set.
    int rowHeight() const { return m_rowHeight; }
    // Height of one row.
    void setRowHeight(int row, int height);
    // Gives every row the standard height again.
    void applyRowHeights();
    // Width of one column in pixels.
    void setColumnWidth(int column, int width);
    // Widths of the columns from the first, in pixels.
    void setColumnWidths(const QVector<int>& widths);
    // Hides or shows a column.
    void setColumnHidden(int column, bool hidden);
    // Height of the header row in pixels.
    void setHeaderHeight(int height);
    // Text alignment of a column's cells.
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // Columns whose clicks ask for one more / one less (-1: none).
    void setAddMinusColumns(int addColumn, int minusColumn);

    // Dynamic "showType" property of the view, re-polished at once.
    void setShowType(const QString& showType);

signals:
    // Rows were appended (InsertRow(), InsertRows()).
    void RowAdded();
    // One more of the row at `index`: a click in the add column or the key "+".
    void SignAddOne(QModelIndex index);
    // One less of the row at `index`: a click in the minus column or the key
    // "-".
    void SignMinusOne(QModelIndex index);
    // A click on a cell.
    void clicked(const QModelIndex& index);
    // The view's current row changed (-1 when none).
    void currentRowChanged(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onViewClicked(const QModelIndex& index);

    QPointer<QTableView> m_view;
    TableModel* m_model; // child of this object
    int m_rowHeight = 0;
    bool m_rowsUniform = false; // every row has m_rowHeight as the header's default height
    int m_addColumn = -1;
    int m_minusColumn = -1;
};
