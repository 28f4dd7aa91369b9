#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kapstat::download {

class SqliteStatement;

// One SQLite connection, closed with its owner.
class SqliteDatabase
{
public:
    SqliteDatabase() = default;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase() { close(); }

    // Opens the file, creating it only when asked to.
    bool open(const QString& path, bool create);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString errorText() const { return m_error; }

    bool exec(const QString& sql);
    // A column or table name as SQL text, whatever characters it holds.
    static QString quoted(const QString& name);
    // nullptr with errorText() set when the statement does not compile.
    std::unique_ptr<SqliteStatement> prepare(const QString& sql);
    sqlite3* handle() const { return m_db; }
    void rememberError();

private:
    sqlite3* m_db = nullptr;
    QString m_error;
};

// A prepared statement; values are always bound, never pasted into the text.
class SqliteStatement
{
public:
    SqliteStatement(SqliteDatabase& db, sqlite3_stmt* statement) : m_db(db), m_statement(statement)
    {
    }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    // Binds a value to the 1-based parameter; a null QVariant binds NULL.
    void bind(int parameter, const QVariant& value);
    // Steps once: true while a row is there; done() tells a clean end from an error.
    bool step();
    bool done() const { return m_done; }
    bool failed() const { return m_failed; }
    void reset();

    enum class ValueType
    {
        Null,
        Integer,
        Float,
        Text,
        Blob
    };

    int columnCount() const;
    QVariant column(int index) const;
    qint64 columnInt(int index) const;
    // Without a QVariant, for readers of whole tables.
    ValueType columnType(int index) const;
    double columnDouble(int index) const;
    QByteArrayView columnText(int index) const; // UTF-8; valid until the next step
    bool columnIsNull(int index) const;

private:
    SqliteDatabase& m_db;
    sqlite3_stmt* m_statement;
    bool m_done = false;
    bool m_failed = false;
};

} // namespace kapstat::download
