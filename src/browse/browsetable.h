#pragma once

#include "browse/displaycolumn.h"
#include "browse/recordfilter.h"
#include "download/tablestore.h"

#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

namespace kapstat::browse {

// Where a row stands in the table's order: by station, ties by the primary key (the events table
// by its primary key alone).
struct RowKey
{
    qint64 station = 0;
    qint64 rowId = 0;

    bool operator==(const RowKey&) const = default;
};

struct TableRow
{
    RowKey key;
    QVector<QVariant> values; // one per display column
};

// One table of an open database, read in its browsing order under a record filter. Rows are
// fetched by position relative to a known row, so no query walks the table from its start.
class BrowseTable
{
public:
    enum class Direction
    {
        Forward,
        Backward
    };

    // nullptr with a message naming the file when it is not a table of this program.
    static std::unique_ptr<BrowseTable> open(download::TableKind kind, const QString& path,
                                             QString* error);

    download::TableKind kind() const { return m_kind; }
    QString path() const { return m_store.path(); }
    const QList<DisplayColumn>& columns() const { return m_columns; }
    int columnIndex(const QString& name) const { return m_store.fieldIndex(name); }
    bool hasColumn(const QString& name) const { return columnIndex(name) >= 0; }

    qint64 count(const RecordFilter& filter);
    // Up to limit rows after (Forward) or before (Backward) the row `from` — the table's start or
    // end when none — leaving out the first `skip` of them; always returned in table order.
    QVector<TableRow> rows(const RecordFilter& filter, Direction direction,
                           std::optional<RowKey> from, qint64 skip, int limit);
    std::optional<TableRow> firstRow(const RecordFilter& filter);
    std::optional<TableRow> lastRow(const RecordFilter& filter);

    // Streams the rows that pass the filter, in table order, from the row at `offset` (0 = the
    // first), until visit returns false. Returns false when the query failed.
    bool forEachRow(const RecordFilter& filter, const QStringList& columnNames,
                    const std::function<bool(const download::SqliteStatement&)>& visit,
                    qint64 offset = 0);

    download::SqliteDatabase& database() { return m_store.database(); }

private:
    BrowseTable(download::TableKind kind, QList<DisplayColumn> columns);
    QString keyColumns() const;
    // The browsing order, each key column sorted in direction ("ASC" or "DESC").
    QString keyOrder(const QString& direction) const;
    QString selectList() const;

    download::TableKind m_kind;
    QList<DisplayColumn> m_columns;
    download::TableStore m_store;
};

} // namespace kapstat::browse
