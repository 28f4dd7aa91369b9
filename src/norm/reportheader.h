#pragma once

#include "browse/normparameterset.h"

#include <QString>

namespace kapstat::browse {
class BrowseState;
}

namespace kapstat::norm {

// What the head of the compliance report prints about the open database.
struct ReportHeader
{
    int phaseCount = 3; // 1 single phase, 2 delta, 3 star
    QString serialNumber;
    QString received;
    QString place;
    double nominalVoltage = 0;
    browse::StationRatios ratios; // of the station named by the selection file's digit
    QString firstMeasurement;
    QString lastMeasurement;
    double averagingMinutes = 0;
    qint64 recordCount = 0; // the RMS table's shown records

    static ReportHeader of(const browse::BrowseState& state, qint64 recordCount);
};

} // namespace kapstat::norm
