#include "download/tablestore.h"

#include "common/datetimetext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <sqlite3.h>

namespace kapstat::download {

namespace {

QString columnSql(const FieldDefinition& field, bool primary)
{
    QString sql = SqliteDatabase::quoted(field.name) + QLatin1Char(' ');
    switch (field.type) {
    case FieldType::Integer:
        sql += QStringLiteral("INTEGER");
        break;
    case FieldType::Float:
        sql += QStringLiteral("REAL");
        break;
    case FieldType::DateTime:
        sql += QStringLiteral("DATETIME");
        break;
    case FieldType::String:
        sql += QStringLiteral("VARCHAR(%1) CHECK(length(%2) <= %1)")
                   .arg(field.size)
                   .arg(SqliteDatabase::quoted(field.name));
        break;
    case FieldType::AutoInc:
        return sql + QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Bytes:
        sql += QStringLiteral("BLOB");
        break;
    }
    if (field.required)
        sql += QStringLiteral(" NOT NULL");
    if (primary)
        sql += QStringLiteral(" PRIMARY KEY");
    return sql;
}

std::optional<FieldDefinition> fieldFromDeclaration(const QString& name, QString type, bool notNull,
                                                    bool autoInc)
{
    type = type.toUpper();
    FieldDefinition field{name, FieldType::Float, notNull, 0};
    if (autoInc)
        field.type = FieldType::AutoInc;
    else if (type == QLatin1String("INTEGER"))
        field.type = FieldType::Integer;
    else if (type == QLatin1String("REAL"))
        field.type = FieldType::Float;
    else if (type == QLatin1String("DATETIME"))
        field.type = FieldType::DateTime;
    else if (type == QLatin1String("BLOB"))
        field.type = FieldType::Bytes;
    else if (type.startsWith(QLatin1String("VARCHAR("))) {
        field.type = FieldType::String;
        field.size = type.mid(8).chopped(1).toInt();
    } else
        return std::nullopt;
    return field;
}

QString allColumns(const QList<FieldDefinition>& fields)
{
    QStringList names;
    for (const FieldDefinition& field : fields)
        names << SqliteDatabase::quoted(field.name);
    return names.join(QLatin1Char(','));
}

} // namespace

bool TableStore::create(const QString& path, const TableDefinition& definition, QString* error)
{
    QFile::remove(path);
    SqliteDatabase db;
    QStringList columns;
    for (const FieldDefinition& field : definition.fields)
        columns << columnSql(field, field.name == definition.primaryField &&
                                        field.type != FieldType::AutoInc);
    const QString table = SqliteDatabase::quoted(QLatin1String(TableName));
    const bool ok =
        db.open(path, true) &&
        db.exec(
            QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QLatin1Char(',')))) &&
        db.exec(QStringLiteral("CREATE INDEX %1 ON %2(%3)")
                    .arg(SqliteDatabase::quoted(QLatin1String(TableDefinition::SecondaryIndex)),
                         table,
                         SqliteDatabase::quoted(QLatin1String(TableDefinition::StationField))));
    if (!ok && error)
        *error = db.errorText();
    return ok;
}

bool TableStore::open(const QString& path, QString* error)
{
    close();
    m_path = path;
    const bool ok = QFile::exists(path) && m_db.open(path, false) && readDefinition();
    if (!ok) {
        if (error)
            *error = m_db.errorText().isEmpty()
                         ? QCoreApplication::translate("TableStore", "Brak tabeli %1").arg(path)
                         : m_db.errorText();
        m_db.close();
        return false;
    }
    m_insert = m_db.prepare(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(QLatin1String(TableName), allColumns(m_fields),
                 QStringList(m_fields.size(), QStringLiteral("?")).join(QLatin1Char(','))));
    first();
    return m_insert != nullptr;
}

bool TableStore::readDefinition()
{
    auto sqlOf =
        m_db.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND name=?"));
    if (!sqlOf)
        return false;
    sqlOf->bind(1, QLatin1String(TableName));
    if (!sqlOf->step())
        return false;
    const bool autoIncrement = sqlOf->column(0).toString().contains(QLatin1String("AUTOINCREMENT"));
    auto info = m_db.prepare(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(TableName)));
    m_fields.clear();
    m_positions.clear();
    while (info && info->step()) {
        const QString name = info->column(1).toString();
        const auto field =
            fieldFromDeclaration(name, info->column(2).toString(), info->columnInt(3) != 0,
                                 autoIncrement && info->columnInt(5) != 0);
        if (!field)
            return false;
        m_positions.insert(name.toLower(), static_cast<int>(m_fields.size()));
        m_fields.append(*field);
    }
    return !m_fields.isEmpty();
}

void TableStore::close()
{
    if (m_inTransaction)
        commit();
    m_insert.reset();
    m_db.close();
    m_fields.clear();
    m_positions.clear();
    m_rowId.reset();
    m_row.clear();
    m_writing = false;
    m_station.reset();
}

int TableStore::fieldIndex(const QString& name) const
{
    return m_positions.value(name.toLower(), -1);
}

void TableStore::append()
{
    m_buffer = QVector<QVariant>(m_fields.size());
    m_editedRowId.reset();
    m_writing = true;
}

bool TableStore::edit()
{
    if (!m_rowId)
        return false;
    m_buffer = m_row;
    m_editedRowId = m_rowId;
    m_writing = true;
    return true;
}

bool TableStore::setField(const QString& name, const QVariant& value)
{
    return setField(fieldIndex(name), value);
}

bool TableStore::setField(int position, const QVariant& value)
{
    if (!m_writing || position < 0 || position >= m_buffer.size())
        return false;
    m_buffer[position] = stored(position, value);
    return true;
}

QVariant TableStore::stored(int position, const QVariant& value) const
{
    if (value.isNull())
        return {};
    switch (m_fields[position].type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
        return QVariant::fromValue<qint64>(value.toLongLong());
    case FieldType::Float:
        return value.toDouble();
    case FieldType::DateTime:
        return value.typeId() == QMetaType::QDateTime
                   ? common::DateTimeText::dateTime(value.toDateTime())
                   : value.toString();
    case FieldType::String:
        return value.toString();
    case FieldType::Bytes:
        return value.toByteArray();
    }
    return value;
}

bool TableStore::post()
{
    if (!m_writing)
        return false;
    const bool ok = m_editedRowId ? updateBuffer() : insertBuffer();
    if (ok)
        m_writing = false;
    return ok;
}

bool TableStore::insertBuffer()
{
    for (int i = 0; i < m_buffer.size(); ++i)
        m_insert->bind(i + 1, m_buffer[i]);
    m_insert->step();
    const bool ok = m_insert->done();
    m_insert->reset();
    if (ok) {
        m_row = m_buffer;
        m_rowId = sqlite3_last_insert_rowid(m_db.handle());
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_fields[i].type == FieldType::AutoInc)
                m_row[i] = *m_rowId;
    }
    return ok;
}

bool TableStore::updateBuffer()
{
    QStringList assignments;
    for (const FieldDefinition& field : m_fields)
        assignments << SqliteDatabase::quoted(field.name) + QStringLiteral("=?");
    auto update =
        m_db.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                         .arg(QLatin1String(TableName), assignments.join(QLatin1Char(','))));
    if (!update)
        return false;
    for (int i = 0; i < m_buffer.size(); ++i)
        update->bind(i + 1, m_buffer[i]);
    update->bind(static_cast<int>(m_buffer.size()) + 1, *m_editedRowId);
    update->step();
    if (!update->done())
        return false;
    m_row = m_buffer;
    return true;
}

QString TableStore::stationCondition(const QString& joiner) const
{
    return m_station ? joiner + QStringLiteral(" \"NrSt\" = %1").arg(*m_station) : QString();
}

bool TableStore::move(const QString& condition, const QString& order, bool forward)
{
    QString where = condition;
    const QString station =
        stationCondition(where.isEmpty() ? QStringLiteral("WHERE") : QStringLiteral("AND"));
    auto select = m_db.prepare(
        QStringLiteral("SELECT rowid,%1 FROM %2 %3 %4 ORDER BY rowid %5 LIMIT 1")
            .arg(allColumns(m_fields), QLatin1String(TableName), where, station, order));
    if (!select)
        return false;
    if (!select->step()) {
        (forward ? m_eof : m_bof) = true;
        return false;
    }
    m_rowId = select->columnInt(0);
    m_row = QVector<QVariant>(m_fields.size());
    for (int i = 0; i < m_row.size(); ++i)
        m_row[i] = select->column(i + 1);
    m_eof = m_bof = false;
    return true;
}

bool TableStore::first()
{
    m_rowId.reset();
    m_eof = m_bof = true;
    return move({}, QStringLiteral("ASC"), true);
}

bool TableStore::last()
{
    m_rowId.reset();
    m_eof = m_bof = true;
    return move({}, QStringLiteral("DESC"), false);
}

bool TableStore::next()
{
    if (!m_rowId)
        return false;
    return move(QStringLiteral("WHERE rowid > %1").arg(*m_rowId), QStringLiteral("ASC"), true);
}

bool TableStore::prior()
{
    if (!m_rowId)
        return false;
    return move(QStringLiteral("WHERE rowid < %1").arg(*m_rowId), QStringLiteral("DESC"), false);
}

QVariant TableStore::value(const QString& name) const
{
    return value(fieldIndex(name));
}

QVariant TableStore::value(int position) const
{
    return m_rowId && position >= 0 && position < m_row.size() ? m_row[position] : QVariant();
}

qint64 TableStore::recordCount()
{
    auto count =
        m_db.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 %2")
                         .arg(QLatin1String(TableName), stationCondition(QStringLiteral("WHERE"))));
    return count && count->step() ? count->columnInt(0) : 0;
}

void TableStore::setStationFilter(std::optional<int> station)
{
    m_station = station;
    first();
}

bool TableStore::copyVisibleRowsTo(TableStore& target)
{
    if (m_inTransaction && !commit())
        return false;
    SqliteDatabase& db = target.m_db;
    auto attach = db.prepare(QStringLiteral("ATTACH DATABASE ? AS source"));
    if (!attach)
        return false;
    attach->bind(1, m_path);
    attach->step();
    if (!attach->done())
        return false;
    const QString columns = allColumns(target.m_fields);
    const bool copied = db.exec(
        QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM source.%1 %3 ORDER BY rowid")
            .arg(QLatin1String(TableName), columns, stationCondition(QStringLiteral("WHERE"))));
    db.exec(QStringLiteral("DETACH DATABASE source"));
    target.first();
    return copied;
}

bool TableStore::beginTransaction()
{
    m_inTransaction = m_db.exec(QStringLiteral("BEGIN"));
    return m_inTransaction;
}

bool TableStore::commit()
{
    m_inTransaction = false;
    return m_db.exec(QStringLiteral("COMMIT"));
}

void TableStore::rollback()
{
    m_inTransaction = false;
    m_db.exec(QStringLiteral("ROLLBACK"));
}

} // namespace kapstat::download
