#pragma once

#include "download/sqlitedatabase.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>

namespace kapstat::browse {

// One record as the text export walks it, for the time chart's range and limit test. Valid only
// while the export stands on the record.
class ExportRecord
{
public:
    // columns: the exported column names with their positions in the row.
    ExportRecord(const download::SqliteStatement& row, const QHash<QString, int>& columns)
        : m_row(row), m_columns(columns)
    {
    }

    QDateTime time() const; // DiC
    // nullopt when the column is not exported or the record holds no number in it.
    std::optional<double> value(const QString& column) const;

private:
    const download::SqliteStatement& m_row;
    const QHash<QString, int>& m_columns;
};

} // namespace kapstat::browse
