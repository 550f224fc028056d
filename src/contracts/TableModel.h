#pragma once
// Table model over rows of texts, the model behind TableView.
//
// Cells are addressed by row and column; a cell outside the table reads as an
// empty text and ignores writes. The column count is the larger of the header
// count and the widest row inserted so far. Each row may carry a background
// colour (its "grid style"), shown through Qt::BackgroundRole.

#include "contracts/KxPosTranslator.h"
#include "contracts/kxposcontracts_export.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVector>

class KXPOSCONTRACTS_EXPORT TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // An empty model without columns.
    explicit TableModel(QObject* parent = nullptr);
    ~TableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The cell's text (display and edit roles), its column's alignment, its
    // row's background.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Sets a horizontal header text.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Inserts `count` empty rows at `row`.
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    // Removes `count` rows from `row`; false when they are not all in the
    // table.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Text of a cell; "" outside the table.
    QString data(int row, int column) const;
    // Sets the text of a cell; ignored outside the table.
    void setData(int row, int column, QString text);

    // Whole rows.
    QStringList rowData(int row) const;
    // Appends a row of texts.
    void appendRow(const QStringList& texts);
    // Appends several rows with one insertion (one notice to the views).
    void appendRows(const QList<QStringList>& rows);
    // Replaces the texts of an existing row; only the changed span of cells
    // is reported. Answers whether anything changed.
    bool setRowData(int row, const QStringList& texts);
    // Inserts at `row` (clamped to 0..rowCount()).
    void insertRow(int row, const QStringList& texts);
    // Removes `row`; a row outside the table is ignored.
    void removeRow(int row);
    // Removes every row.
    void clear();

    // Columns shown even when rows are narrower (grows only).
    void setColumnCount(int count);

    // Horizontal header texts, or message numbers translated now and again by
    // retranslateHeaders() (numbers of 0 or less give empty headers).
    void setHeaderTexts(const QStringList& texts);
    // Header texts by message number, translated now and by
    // retranslateHeaders().
    void setHeaderIds(const QVector<TransMsgId>& ids);
    // The message numbers of setHeaderIds().
    QVector<TransMsgId> headerIds() const { return m_headerIds; }
    // Translates the header numbers again (after a language change).
    void retranslateHeaders();

    // Text alignment of a column's cells (default left and vertically centred).
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // Grid style: background of a row; an invalid colour clears it.
    void setRowBackground(int row, const QColor& colour);
    // The background of `row`; an invalid colour when it has none.
    QColor rowBackground(int row) const;
    // Clears the backgrounds of rows first..last (clamped to the table).
    void clearRowBackground(int first, int last);

signals:
    // The last row went away (removal or clear of a non-empty model).
    void SignDataCleard();
    // A row was added to an empty model.
    void SignFirstRowAdded();

private:
    void ensureColumns(int count);
    bool isCell(const QModelIndex& index) const;

    QList<QStringList> m_rows;
    QList<QColor> m_backgrounds; // one per row, invalid when none
    int m_marked = 0;            // rows with a valid background
    QStringList m_headers;
    QVector<TransMsgId> m_headerIds;
    QHash<int, Qt::Alignment> m_alignments;
    int m_columns = 0;
};
