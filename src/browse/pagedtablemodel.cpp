#include "browse/pagedtablemodel.h"

#include "common/decimaltext.h"

namespace kapstat::browse {

namespace {

// A way to reach a page: from a known row (or an end of the table), skipping some rows.
struct Approach
{
    BrowseTable::Direction direction;
    std::optional<RowKey> from;
    qint64 skip;
};

} // namespace

PagedTableModel::PagedTableModel(BrowseTable& table, const RecordFilter& filter, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_filter(filter), m_count(table.count(filter))
{
}

int PagedTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_count);
}

int PagedTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.columns().size());
}

QVariant PagedTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() ||
        (role != Qt::DisplayRole && role != ValueRole && role != Qt::TextAlignmentRole))
        return {};
    const DisplayColumn& shown = column(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            (shown.type == DisplayType::Text || shown.type == DisplayType::DateTime
                 ? Qt::AlignLeft
                 : Qt::AlignRight) |
            Qt::AlignVCenter);
    const TableRow* row = rowAt(index.row());
    if (!row)
        return {};
    const QVariant& value = row->values[index.column()];
    return role == ValueRole ? value : displayText(shown, value);
}

QVariant PagedTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();
    return section >= 0 && section < columnCount() ? column(section).title : QString();
}

QVariant PagedTableModel::value(int row, const QString& name) const
{
    const int position = columnOf(name);
    const TableRow* found = rowAt(row);
    return found && position >= 0 ? found->values[position] : QVariant();
}

RecordValues PagedTableModel::recordValues(int row) const
{
    RecordValues values;
    const TableRow* found = rowAt(row);
    if (!found)
        return values;
    for (int i = 0; i < columnCount(); ++i)
        values.insert(column(i).name, found->values[i]);
    return values;
}

void PagedTableModel::setFilter(const RecordFilter& filter)
{
    beginResetModel();
    m_filter = filter;
    m_pages.clear();
    m_recent.clear();
    m_pageFirst.clear();
    m_pageLast.clear();
    m_count = m_table.count(filter);
    endResetModel();
}

QString PagedTableModel::displayText(const DisplayColumn& column, const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (column.type) {
    case DisplayType::Integer:
    case DisplayType::AutoInc:
        return QString::number(value.toLongLong());
    case DisplayType::Float:
        return common::DecimalText::general(value.toDouble());
    case DisplayType::DateTime: {
        // Stored "yyyy-MM-dd hh:mm:ss", shown "yy-MM-dd hh:mm:ss".
        const QString text = value.toString();
        return text.size() == 19 ? text.mid(2) : text;
    }
    case DisplayType::Samples:
        return tr("(próbki)");
    case DisplayType::Text:
        break;
    }
    return value.toString();
}

const TableRow* PagedTableModel::rowAt(int row) const
{
    if (row < 0 || row >= m_count)
        return nullptr;
    const QVector<TableRow>& rows = page(row / PageSize);
    const int offset = row % PageSize;
    return offset < rows.size() ? &rows[offset] : nullptr;
}

const QVector<TableRow>& PagedTableModel::page(int index) const
{
    m_recent.removeOne(index);
    m_recent.append(index);
    auto found = m_pages.find(index);
    if (found != m_pages.end())
        return *found;
    if (m_pages.size() >= CachedPages)
        m_pages.remove(m_recent.takeFirst());
    QVector<TableRow> rows = fetchPage(index);
    remember(index, rows);
    return *m_pages.insert(index, std::move(rows));
}

QVector<TableRow> PagedTableModel::fetchPage(int index) const
{
    const qint64 start = qint64(index) * PageSize;
    const int limit = static_cast<int>(std::min<qint64>(PageSize, m_count - start));
    using Direction = BrowseTable::Direction;
    // From the table's start or end, or from the nearest page whose bounds are known.
    Approach best{Direction::Forward, std::nullopt, start};
    auto consider = [&best](const Approach& approach) {
        if (approach.skip < best.skip)
            best = approach;
    };
    consider({Direction::Backward, std::nullopt, m_count - start - limit});
    auto below = m_pageLast.lowerBound(index);
    if (below != m_pageLast.begin()) {
        --below;
        consider({Direction::Forward, below.value(), start - qint64(below.key() + 1) * PageSize});
    }
    auto above = m_pageFirst.upperBound(index);
    if (above != m_pageFirst.end())
        consider(
            {Direction::Backward, above.value(), qint64(above.key()) * PageSize - start - limit});
    return m_table.rows(m_filter, best.direction, best.from, best.skip, limit);
}

void PagedTableModel::remember(int index, const QVector<TableRow>& rows) const
{
    if (rows.isEmpty())
        return;
    m_pageFirst.insert(index, rows.first().key);
    m_pageLast.insert(index, rows.last().key);
}

} // namespace kapstat::browse
