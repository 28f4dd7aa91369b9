#pragma once

#include "norm/reportdocument.h"

#include <QString>
#include <optional>

namespace kapstat::browse {
class BrowseState;
}

namespace kapstat::norm {

class PcCounterSlots;

// Which windows the report finds shown, and whether the service mode is on.
struct ReportConditions
{
    bool serviceMode = false;
    bool rmsWindowShown = true;
    bool eventsWindowShown = true;
};

// The compliance report of the open database: its print title, the main report and the
// additional statistics.
struct ComplianceReport
{
    QString title;
    ReportDocument main;
    ReportDocument additional;

    // Why no report was made: the gate stayed shut, or the statistics could not be computed.
    struct Failure
    {
        bool gateClosed = false;
        QString message;
    };

    // Checks every enabled phase item of the harmonics window (so the statistics see every phase
    // the database has), computes the statistics into the slots and writes both texts.
    static std::optional<ComplianceReport> make(browse::BrowseState& state,
                                                const ReportConditions& conditions,
                                                PcCounterSlots& slots, Failure* failure);

    static bool passesGate(bool normTest, const ReportConditions& conditions, qint64 rmsRecords);
    static QString gateMessage();
    static QString titleFor(bool defaultNorm);

    static constexpr qint64 MinimumRecords = 100;
};

} // namespace kapstat::norm
