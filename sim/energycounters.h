#pragma once

#include "sim/deterministicnoise.h"
#include "sim/mainsmodel.h"
#include "sim/scenario.h"

namespace kapstat::sim {

// The recorder's energy counters, which only grow: each station's run of records adds its
// station's power over the time the run covers. A record's counters are computed from the run
// lengths alone, never summed over the records before it.
class EnergyCounters
{
public:
    static constexpr int Count = 5; // Ep+, Ep-, Eq+, Eq-, Es

    EnergyCounters(const Scenario& scenario, const MainsModel& mains, qint64 stepSeconds);

    // kWh, kvarh or kVAh at record n.
    double value(int energy, int n) const;

private:
    // What runs of m records add, in periods, growing faster and slower with the load.
    double periods(int m) const;

    Scenario m_scenario;
    MainsModel m_mains;
    qint64 m_step;
};

} // namespace kapstat::sim
