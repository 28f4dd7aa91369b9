#include "browse/exportrecord.h"

#include "common/datetimetext.h"

namespace kapstat::browse {

using ValueType = download::SqliteStatement::ValueType;

QDateTime ExportRecord::time() const
{
    const int position = m_columns.value(QStringLiteral("DiC"), -1);
    if (position < 0)
        return {};
    return common::DateTimeText::parseDateTime(QString::fromUtf8(m_row.columnText(position)));
}

std::optional<double> ExportRecord::value(const QString& column) const
{
    const int position = m_columns.value(column, -1);
    if (position < 0)
        return std::nullopt;
    const ValueType type = m_row.columnType(position);
    if (type != ValueType::Integer && type != ValueType::Float)
        return std::nullopt;
    return m_row.columnDouble(position);
}

} // namespace kapstat::browse
