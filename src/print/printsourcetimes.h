#pragma once

#include <QDateTime>
#include <optional>

namespace kapstat::browse {
class BrowseState;
}

namespace kapstat::print {

struct RecordTimes
{
    QDateTime first;
    QDateTime last;
};

// The times (DiC) of the first and the last record of the print source, in the table's order
// under the record filter; nullopt when the source is not open or shows no record.
std::optional<RecordTimes> printSourceTimes(const browse::BrowseState& state);

} // namespace kapstat::print
