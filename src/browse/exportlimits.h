#pragma once

#include "browse/exportrecord.h"

#include <QDateTime>
#include <functional>

namespace kapstat::browse {

// How the time chart narrows a text export: to its visible time range and to the records that
// pass its limit test.
struct ExportLimits
{
    QDateTime from; // both ends inclusive
    QDateTime to;
    std::function<bool(const ExportRecord&)> passes; // empty: every record passes

    bool admits(const ExportRecord& record) const;
};

} // namespace kapstat::browse
