#include "browse/browsetable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace kapstat::browse {

namespace {

using download::TableKind;

QString tableName()
{
    return QLatin1String(download::TableStore::TableName);
}

void bindAll(download::SqliteStatement& statement, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        statement.bind(i + 1, values[i]);
}

QString whereText(const QString& conditions)
{
    return conditions.isEmpty() ? QString() : QStringLiteral("WHERE ") + conditions;
}

} // namespace

BrowseTable::BrowseTable(TableKind kind, QList<DisplayColumn> columns)
    : m_kind(kind), m_columns(std::move(columns))
{
}

std::unique_ptr<BrowseTable> BrowseTable::open(TableKind kind, const QString& path, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QCoreApplication::translate(
                         "BrowseTable", "Plik %1 nie jest tabelą pomiarów programu Kapstat: %2.")
                         .arg(QFileInfo(path).fileName(), reason);
        return nullptr;
    };
    std::unique_ptr<BrowseTable> table(new BrowseTable(kind, {}));
    QString reason;
    if (!table->m_store.open(path, &reason))
        return fail(reason);
    auto columns = displayColumns(kind, table->m_store.fields(), &reason);
    if (!columns)
        return fail(reason);
    table->m_columns = std::move(*columns);
    // A file that opens but whose pages are damaged fails here, not later in a grid.
    if (!table->database().exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tableName())))
        return fail(table->m_store.errorText());
    return table;
}

QString BrowseTable::keyColumns() const
{
    return m_kind == TableKind::Zanik ? QStringLiteral("0, rowid")
                                      : QStringLiteral("\"NrSt\", rowid");
}

QString BrowseTable::keyOrder(const QString& direction) const
{
    return m_kind == TableKind::Zanik ? QStringLiteral("rowid %1").arg(direction)
                                      : QStringLiteral("\"NrSt\" %1, rowid %1").arg(direction);
}

QString BrowseTable::selectList() const
{
    QStringList names;
    for (const DisplayColumn& column : m_columns)
        names << download::SqliteDatabase::quoted(column.name);
    return keyColumns() + QLatin1Char(',') + names.join(QLatin1Char(','));
}

qint64 BrowseTable::count(const RecordFilter& filter)
{
    QVariantList binds;
    const QString where = filter.whereClause(m_kind, binds);
    auto statement = database().prepare(
        QStringLiteral("SELECT COUNT(*) FROM %1 %2").arg(tableName(), whereText(where)));
    if (!statement)
        return 0;
    bindAll(*statement, binds);
    return statement->step() ? statement->columnInt(0) : 0;
}

QVector<TableRow> BrowseTable::rows(const RecordFilter& filter, Direction direction,
                                    std::optional<RowKey> from, qint64 skip, int limit)
{
    QVariantList binds;
    QStringList conditions;
    const QString where = filter.whereClause(m_kind, binds);
    if (!where.isEmpty())
        conditions << where;
    const bool forward = direction == Direction::Forward;
    const QString order = forward ? QStringLiteral("ASC") : QStringLiteral("DESC");
    if (from) {
        const QString comparison = forward ? QStringLiteral(">") : QStringLiteral("<");
        if (m_kind == TableKind::Zanik) {
            conditions << QStringLiteral("rowid %1 ?").arg(comparison);
            binds << from->rowId;
        } else {
            conditions << QStringLiteral("(\"NrSt\", rowid) %1 (?, ?)").arg(comparison);
            binds << from->station << from->rowId;
        }
    }
    auto statement = database().prepare(
        QStringLiteral("SELECT %1 FROM %2 %3 ORDER BY %4 LIMIT ? OFFSET ?")
            .arg(selectList(), tableName(), whereText(conditions.join(" AND ")), keyOrder(order)));
    QVector<TableRow> result;
    if (!statement)
        return result;
    binds << limit << skip;
    bindAll(*statement, binds);
    const int valueCount = static_cast<int>(m_columns.size());
    while (statement->step()) {
        TableRow row{{statement->columnInt(0), statement->columnInt(1)}, {}};
        row.values.reserve(valueCount);
        for (int i = 0; i < valueCount; ++i)
            row.values << statement->column(i + 2);
        result << std::move(row);
    }
    if (!forward)
        std::reverse(result.begin(), result.end());
    return result;
}

std::optional<TableRow> BrowseTable::firstRow(const RecordFilter& filter)
{
    auto found = rows(filter, Direction::Forward, std::nullopt, 0, 1);
    return found.isEmpty() ? std::nullopt : std::optional<TableRow>(found.first());
}

std::optional<TableRow> BrowseTable::lastRow(const RecordFilter& filter)
{
    auto found = rows(filter, Direction::Backward, std::nullopt, 0, 1);
    return found.isEmpty() ? std::nullopt : std::optional<TableRow>(found.first());
}

bool BrowseTable::forEachRow(const RecordFilter& filter, const QStringList& columnNames,
                             const std::function<bool(const download::SqliteStatement&)>& visit,
                             qint64 offset)
{
    QVariantList binds;
    const QString where = filter.whereClause(m_kind, binds);
    QStringList names;
    for (const QString& name : columnNames)
        names << download::SqliteDatabase::quoted(name);
    auto statement = database().prepare(
        QStringLiteral("SELECT %1 FROM %2 %3 ORDER BY %4 LIMIT -1 OFFSET ?")
            .arg(names.isEmpty() ? QStringLiteral("rowid") : names.join(QLatin1Char(',')),
                 tableName(), whereText(where), keyOrder(QStringLiteral("ASC"))));
    if (!statement)
        return false;
    binds << offset;
    bindAll(*statement, binds);
    while (statement->step())
        if (!visit(*statement))
            return true;
    return !statement->failed();
}

} // namespace kapstat::browse
