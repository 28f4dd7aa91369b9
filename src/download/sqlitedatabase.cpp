#include "download/sqlitedatabase.h"

#include <sqlite3.h>

namespace kapstat::download {

bool SqliteDatabase::open(const QString& path, bool create)
{
    close();
    // Every connection lives on the one thread that opened it: no per-call locking needed.
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        rememberError();
        close();
        return false;
    }
    m_error.clear();
    return true;
}

void SqliteDatabase::close()
{
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void SqliteDatabase::rememberError()
{
    m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
}

QString SqliteDatabase::quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

bool SqliteDatabase::exec(const QString& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    return false;
}

std::unique_ptr<SqliteStatement> SqliteDatabase::prepare(const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        rememberError();
        sqlite3_finalize(statement);
        return nullptr;
    }
    return std::make_unique<SqliteStatement>(*this, statement);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int parameter, const QVariant& value)
{
    if (value.isNull()) {
        sqlite3_bind_null(m_statement, parameter);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        sqlite3_bind_int64(m_statement, parameter, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(m_statement, parameter, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(m_statement, parameter, bytes.constData(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(m_statement, parameter, text.constData(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    }
}

bool SqliteStatement::step()
{
    const int result = sqlite3_step(m_statement);
    m_done = result == SQLITE_DONE;
    m_failed = result != SQLITE_ROW && result != SQLITE_DONE;
    if (m_failed)
        m_db.rememberError();
    return result == SQLITE_ROW;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_done = m_failed = false;
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QVariant SqliteStatement::column(int index) const
{
    switch (sqlite3_column_type(m_statement, index)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(m_statement, index));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_statement, index);
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, index));
        return QByteArray(data, sqlite3_column_bytes(m_statement, index));
    }
    case SQLITE_TEXT:
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index)),
            sqlite3_column_bytes(m_statement, index));
    default:
        return {};
    }
}

qint64 SqliteStatement::columnInt(int index) const
{
    return sqlite3_column_int64(m_statement, index);
}

SqliteStatement::ValueType SqliteStatement::columnType(int index) const
{
    switch (sqlite3_column_type(m_statement, index)) {
    case SQLITE_INTEGER:
        return ValueType::Integer;
    case SQLITE_FLOAT:
        return ValueType::Float;
    case SQLITE_TEXT:
        return ValueType::Text;
    case SQLITE_BLOB:
        return ValueType::Blob;
    default:
        return ValueType::Null;
    }
}

double SqliteStatement::columnDouble(int index) const
{
    return sqlite3_column_double(m_statement, index);
}

QByteArrayView SqliteStatement::columnText(int index) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, index));
}

bool SqliteStatement::columnIsNull(int index) const
{
    return sqlite3_column_type(m_statement, index) == SQLITE_NULL;
}

} // namespace kapstat::download
