#pragma once

#include "browse/normparameterset.h"
#include "browse/recordfilter.h"

#include <QString>
#include <array>
#include <optional>

namespace kapstat::browse {
class BrowseState;
class BrowseTable;
} // namespace kapstat::browse

namespace kapstat::norm {

class PcCounterSlots;

// What the statistics read: the tables as they are shown, the filters in force and the norm.
struct ComplianceSource
{
    browse::BrowseTable* rms = nullptr;
    browse::BrowseTable* harmonics = nullptr;
    browse::BrowseTable* events = nullptr; // nullptr unless the events window is shown
    browse::RecordFilter filter;
    browse::NormParameterSet norm;
    double nominalVoltage = 0;
    int phaseCount = 3; // 1 single phase, 2 delta, 3 star

    static ComplianceSource of(const browse::BrowseState& state, bool eventsWindowShown);
};

// How many shown records keep the norm's limits, and the extra counts of interruptions, dips and
// over-voltages. Arrays run over the voltage columns or event phases 0..2, harmonic orders 2..24.
struct ComplianceStatistics
{
    using Triple = std::array<double, 3>;

    double recordCount = 0;         // N
    double harmonicRecordCount = 0; // NH, the shown "L1" harmonics records
    double freqNarrowCount = 0;
    double freqNarrowPct = 0;
    double freqWideCount = 0;
    double freqWidePct = 0;
    Triple voltageInTolCount{};
    Triple voltageInTolPct{};
    Triple usrInterruptions{};
    Triple uminInterruptions{};
    Triple usrDips{};
    Triple uminDips{};
    Triple usrDeepestDip{};
    Triple uminDeepestDip{};
    Triple usrOvervoltages{};
    Triple umaxOvervoltages{};
    Triple usrHighestOvervoltage{};
    Triple umaxHighestOvervoltage{};
    double unbalanceCount = 0;
    double unbalancePct = 0;
    std::array<Triple, 25> harmonicCount{};
    std::array<Triple, 25> harmonicPct{};
    Triple thdCount{};
    Triple thdPct{};
    Triple microInterruptions{};
    Triple shortInterruptions{};
    Triple longInterruptions{};
    Triple transientSeconds{};
    Triple transientLongestTime{};
    Triple transientMaxAmplitude{};

    static constexpr double MicroInterruptionCap = 60000;

    // Walks the shown records once and writes the program's counts into the slots. nullopt, with
    // the reason and the slots untouched, when a table or a divisor is missing.
    static std::optional<ComplianceStatistics> compute(const ComplianceSource& source,
                                                       PcCounterSlots& slots, QString* error);
    void copyTo(PcCounterSlots& slots) const;
};

} // namespace kapstat::norm
