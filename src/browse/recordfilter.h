#pragma once

#include "download/measurementtables.h"

#include <QDateTime>
#include <QString>
#include <QVariantList>
#include <array>
#include <optional>

namespace kapstat::browse {

// Which records of the RMS and harmonics tables are shown; the table windows, the export, the
// statistics, the chart and the printout all read the same value. The events table is never
// filtered.
struct RecordFilter
{
    bool conditionOnly = false;                       // only records with War > 0
    std::array<bool, 3> phaseShown{true, true, true}; // harmonics records of L1, L2, L3
    std::optional<QDateTime> dayStart; // the computing day: start <= DiC < start + 1 day

    // The SQL condition ("" when every row passes) with its values appended to binds.
    QString whereClause(download::TableKind kind, QVariantList& binds) const;

    bool operator==(const RecordFilter&) const = default;
};

} // namespace kapstat::browse
