#include "sim/energycounters.h"

#include <algorithm>
#include <cmath>

namespace kapstat::sim {

namespace {

constexpr quint32 StartStream = 0x300;
constexpr double SecondsPerHour = 3600;
constexpr double WattsPerKilowatt = 1000;
// Each counter's share of the active power imported.
constexpr double ShareOfActivePower[EnergyCounters::Count] = {1, 0.01, 0.31, 0.005, 1.05};

} // namespace

EnergyCounters::EnergyCounters(const Scenario& scenario, const MainsModel& mains,
                               qint64 stepSeconds)
    : m_scenario(scenario), m_mains(mains), m_step(stepSeconds)
{
}

double EnergyCounters::periods(int m) const
{
    // The slope stays above 1 - 3/8, so the counter never stands still or runs back.
    return m + 3 * std::sin(m / 8.0);
}

double EnergyCounters::value(int energy, int n) const
{
    const int count = std::max(m_scenario.records, n);
    const DeterministicNoise noise(m_scenario.seed);
    double total = 1000 * (1 + 9 * noise.unit(StartStream, 0, energy));
    const qsizetype runs = std::max<qsizetype>(m_scenario.stations.size(), 1);
    for (qsizetype k = 0; k < runs; ++k) {
        const int first = m_scenario.firstOfRun(static_cast<int>(k), count);
        if (first > n)
            break;
        const int last = std::min(n, m_scenario.firstOfRun(static_cast<int>(k + 1), count) - 1);
        const double kilowatts = m_mains.typicalPower(m_scenario.stationIndex(first, count)) *
                                 ShareOfActivePower[energy] / WattsPerKilowatt;
        total += kilowatts * m_step / SecondsPerHour * periods(last - first + 1);
    }
    return total;
}

} // namespace kapstat::sim
