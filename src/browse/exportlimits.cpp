#include "browse/exportlimits.h"

namespace kapstat::browse {

bool ExportLimits::admits(const ExportRecord& record) const
{
    const QDateTime time = record.time();
    if (!time.isValid() || time < from || time > to)
        return false;
    return !passes || passes(record);
}

} // namespace kapstat::browse
