#pragma once

#include "download/sqlitedatabase.h"
#include "download/tabledefinition.h"

#include <QHash>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>

namespace kapstat::download {

// One measurement table in one file: append and edit rows, walk them in index order, restrict
// them to one station and copy what is visible into another table.
class TableStore
{
public:
    TableStore() = default;
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    static bool create(const QString& path, const TableDefinition& definition,
                       QString* error = nullptr);

    bool open(const QString& path, QString* error = nullptr);
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    QString path() const { return m_path; }
    QString errorText() const { return m_db.errorText(); }
    const QList<FieldDefinition>& fields() const { return m_fields; }
    int fieldIndex(const QString& name) const; // names are not case-sensitive; -1 when absent

    // Writing: append() or edit() fills the row buffer, setField changes it, post() stores it.
    void append();
    bool edit();
    bool setField(const QString& name, const QVariant& value);
    bool setField(int position, const QVariant& value);
    bool post();

    // The rows visible under the station restriction, in the order of the primary index.
    bool first();
    bool next();
    bool last();
    bool prior();
    bool isEof() const { return m_eof; }
    bool isBof() const { return m_bof; }
    bool hasRow() const { return m_rowId.has_value(); }
    QVariant value(const QString& name) const;
    QVariant value(int position) const;
    qint64 recordCount();

    // "NrSt = i"; nullopt shows every row again.
    void setStationFilter(std::optional<int> station);
    // Appends every visible row to the other open table, which has the same fields. This table's
    // pending transaction is committed first.
    bool copyVisibleRowsTo(TableStore& target);

    bool beginTransaction();
    bool commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    SqliteDatabase& database() { return m_db; }
    static constexpr auto TableName = "tabela";

private:
    bool readDefinition();
    bool move(const QString& condition, const QString& order, bool forward);
    QString stationCondition(const QString& joiner) const;
    QVariant stored(int position, const QVariant& value) const;
    bool insertBuffer();
    bool updateBuffer();

    SqliteDatabase m_db;
    QString m_path;
    QList<FieldDefinition> m_fields;
    QHash<QString, int> m_positions; // lower-case name → position
    std::unique_ptr<SqliteStatement> m_insert;

    QVector<QVariant> m_row;    // the current row
    QVector<QVariant> m_buffer; // the row being appended or edited
    std::optional<qint64> m_rowId;
    std::optional<qint64> m_editedRowId;
    bool m_writing = false;
    bool m_eof = true;
    bool m_bof = true;
    std::optional<int> m_station;
    bool m_inTransaction = false;
};

} // namespace kapstat::download
