#include "contracts/TableModel.h"

TableModel::TableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

TableModel::~TableModel() = default;

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

bool TableModel::isCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && !index.parent().isValid()
        && index.row() < m_rows.size() && index.column() < m_columns;
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!isCell(index))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_rows.at(index.row()).value(index.column());
    case Qt::BackgroundRole: {
        const QColor colour = m_backgrounds.at(index.row());
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return static_cast<int>(m_alignments.value(index.column(), Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return QVariant();
    }
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!isCell(index))
        return false;
    if (role == Qt::BackgroundRole) {
        setRowBackground(index.row(), value.value<QColor>());
        return true;
    }
    if (role != Qt::EditRole && role != Qt::DisplayRole)
        return false;
    QStringList& row = m_rows[index.row()];
    while (row.size() <= index.column())
        row.append(QString());
    const QString text = value.toString();
    if (row.at(index.column()) == text)
        return true;
    row[index.column()] = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0)
        return QVariant();
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section < m_rows.size())
            return section + 1;
        return QVariant();
    }
    if (section >= m_columns)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_headers.value(section);
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(m_alignments.value(section, Qt::AlignLeft | Qt::AlignVCenter));
    return QVariant();
}

bool TableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                               int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return false;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return false;
    while (m_headers.size() <= section)
        m_headers.append(QString());
    m_headers[section] = value.toString();
    // A text set by hand is not replaced by a later retranslation.
    if (section < m_headerIds.size())
        m_headerIds[section] = 0;
    emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool TableModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || row > m_rows.size() || count <= 0)
        return false;
    const bool wasEmpty = m_rows.isEmpty();
    beginInsertRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        m_rows.insert(row, QStringList());
        m_backgrounds.insert(row, QColor());
    }
    endInsertRows();
    if (wasEmpty)
        emit SignFirstRowAdded();
    return true;
}

bool TableModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > m_rows.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        m_rows.removeAt(row);
        if (m_backgrounds.at(row).isValid())
            --m_marked;
        m_backgrounds.removeAt(row);
    }
    endRemoveRows();
    if (m_rows.isEmpty())
        emit SignDataCleard();
    return true;
}

QString TableModel::data(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0)
        return QString();
    return m_rows.at(row).value(column);
}

void TableModel::setData(int row, int column, QString text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    setData(index(row, column), text, Qt::EditRole);
}

QStringList TableModel::rowData(int row) const
{
    return m_rows.value(row);
}

bool TableModel::setRowData(int row, const QStringList& texts)
{
    if (row < 0 || row >= m_rows.size())
        return false;
    QStringList& current = m_rows[row];
    const int width = qMax(current.size(), texts.size());
    int first = -1;
    int last = -1;
    for (int c = 0; c < width; ++c) {
        if (current.value(c) != texts.value(c)) {
            if (first < 0)
                first = c;
            last = c;
        }
    }
    if (first < 0)
        return false;
    ensureColumns(texts.size());
    current = texts;
    emit dataChanged(index(row, first), index(row, qMin(last, m_columns - 1)), {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void TableModel::appendRows(const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return;
    int widest = 0;
    for (const QStringList& texts : rows)
        widest = qMax(widest, texts.size());
    ensureColumns(widest);
    const bool wasEmpty = m_rows.isEmpty();
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + rows.size() - 1);
    m_rows.append(rows);
    for (int i = 0; i < rows.size(); ++i)
        m_backgrounds.append(QColor());
    endInsertRows();
    if (wasEmpty)
        emit SignFirstRowAdded();
}

void TableModel::appendRow(const QStringList& texts)
{
    insertRow(m_rows.size(), texts);
}

void TableModel::insertRow(int row, const QStringList& texts)
{
    row = qBound(0, row, m_rows.size());
    ensureColumns(texts.size());
    const bool wasEmpty = m_rows.isEmpty();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(row, texts);
    m_backgrounds.insert(row, QColor());
    endInsertRows();
    if (wasEmpty)
        emit SignFirstRowAdded();
}

void TableModel::removeRow(int row)
{
    removeRows(row, 1);
}

void TableModel::clear()
{
    removeRows(0, m_rows.size());
}

void TableModel::setColumnCount(int count)
{
    ensureColumns(count);
}

void TableModel::ensureColumns(int count)
{
    if (count <= m_columns)
        return;
    beginInsertColumns(QModelIndex(), m_columns, count - 1);
    m_columns = count;
    endInsertColumns();
}

void TableModel::setHeaderTexts(const QStringList& texts)
{
    ensureColumns(texts.size());
    m_headers = texts;
    m_headerIds.clear();
    if (m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void TableModel::setHeaderIds(const QVector<TransMsgId>& ids)
{
    ensureColumns(ids.size());
    m_headerIds = ids;
    m_headers.clear();
    for (TransMsgId id : ids)
        m_headers.append(id > 0 ? KxPosTranslator::GetTranslation(id) : QString());
    if (m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void TableModel::retranslateHeaders()
{
    bool changed = false;
    for (int i = 0; i < m_headerIds.size() && i < m_headers.size(); ++i) {
        if (m_headerIds.at(i) > 0) {
            m_headers[i] = KxPosTranslator::GetTranslation(m_headerIds.at(i));
            changed = true;
        }
    }
    if (changed && m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void TableModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column < 0)
        return;
    m_alignments.insert(column, alignment);
    if (!m_rows.isEmpty() && column < m_columns)
        emit dataChanged(index(0, column), index(m_rows.size() - 1, column),
                         {Qt::TextAlignmentRole});
}

void TableModel::setRowBackground(int row, const QColor& colour)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_backgrounds.at(row) == colour)
        return;
    m_marked += (colour.isValid() ? 1 : 0) - (m_backgrounds.at(row).isValid() ? 1 : 0);
    m_backgrounds[row] = colour;
    if (m_columns > 0)
        emit dataChanged(index(row, 0), index(row, m_columns - 1), {Qt::BackgroundRole});
}

QColor TableModel::rowBackground(int row) const
{
    return m_backgrounds.value(row);
}

void TableModel::clearRowBackground(int first, int last)
{
    // Nothing to walk through when no row is marked (every rebind of a sale
    // clears the marks).
    if (m_rows.isEmpty() || m_marked == 0)
        return;
    first = qMax(first, 0);
    last = qMin(last, m_rows.size() - 1);
    for (int row = first; row <= last; ++row)
        setRowBackground(row, QColor());
}
