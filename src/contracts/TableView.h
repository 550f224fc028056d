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
    explicit TableView(QWidget* parent = nullptr);
    ~TableView() override;

    QTableView* view() const;
    TableModel* model() const;
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
    void RemoveRow(int row);
    void RemoveRows(int first, int count);
    void RemoveAllRows();
    int rowCount() const;

    // Grid style of rows: a background colour per row. ClearGridStyle resets
    // rows first..last (clamped; nothing when the table is empty).
    void SetGridStyle(int row, const QColor& colour);
    void ClearGridStyle(int first, int last);

    // Current row (-1 when none), selection and scrolling.
    int currentRow() const;
    void selectRow(int row);
    void scrollTo(int row);
    void scrollToBottom();
    void scrollToTop();

    // Standard row height (applied to every row now and to later rows).
    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int row, int height);
    void applyRowHeights();
    void setColumnWidth(int column, int width);
    void setColumnWidths(const QVector<int>& widths);
    void setColumnHidden(int column, bool hidden);
    void setHeaderHeight(int height);
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // Columns whose clicks ask for one more / one less (-1: none).
    void setAddMinusColumns(int addColumn, int minusColumn);

    // Dynamic "showType" property of the view, re-polished at once.
    void setShowType(const QString& showType);

signals:
    void RowAdded();
    void SignAddOne(QModelIndex index);
    void SignMinusOne(QModelIndex index);
    void clicked(const QModelIndex& index);
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
