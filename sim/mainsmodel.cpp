#include "sim/mainsmodel.h"

#include <cmath>
#include <numbers>

namespace kapstat::sim {

namespace {

enum Stream : quint32
{
    VoltageStream = 0x200,
    LoadStream,
    FrequencyStream,
    DistortionStream,
    DipStream,
    OvervoltageStream,
};

constexpr int SecondsPerDay = 86400;
// When the scenario names none, about one record in a hundred has each.
constexpr int DipOdds = 97;
constexpr int OvervoltageOdds = 113;
constexpr double TypicalLoad = 0.4; // of the CT primary
constexpr double TypicalLag = 0.3;  // radians, a power factor near 0.95

} // namespace

MainsModel::MainsModel(const Scenario& scenario, const ImageSettings& settings)
    : m_settings(settings), m_noise(scenario.seed),
      m_dips(scenario.dips.begin(), scenario.dips.end()),
      m_overvoltages(scenario.overvoltages.begin(), scenario.overvoltages.end())
{
}

bool MainsModel::hasDip(int n) const
{
    return m_dips.isEmpty() ? m_noise.oneIn(DipOdds, DipStream, n) : m_dips.contains(n);
}

bool MainsModel::hasOvervoltage(int n) const
{
    if (!m_overvoltages.isEmpty())
        return m_overvoltages.contains(n);
    return !hasDip(n) && m_noise.oneIn(OvervoltageOdds, OvervoltageStream, n);
}

double MainsModel::typicalPower(int station) const
{
    return 3 * m_settings.un[station] * TypicalLoad * m_settings.ctPrimary[station] *
           std::cos(TypicalLag);
}

double MainsModel::dayAngle(int n) const
{
    const qint64 seconds = qint64(n - 1) * m_settings.storagePeriodSeconds;
    return 2 * std::numbers::pi * double(seconds % SecondsPerDay) / SecondsPerDay;
}

MainsMoment MainsModel::at(int n, int station) const
{
    MainsMoment m;
    m.n = n;
    m.noise = m_noise;
    m.un = m_settings.un[station];
    const double day = dayAngle(n) + station;
    m.frequency = 50 + 0.03 * std::sin(7 * day) + 0.02 * m_noise.centred(FrequencyStream, n);
    for (int f = 0; f < 3; ++f) {
        m.voltage[f] =
            m.un * (1 + 0.015 * std::sin(day + f) + 0.005 * m_noise.centred(VoltageStream, n, f));
        const double load = TypicalLoad + 0.15 * std::sin(day - 1 + 0.2 * f) +
                            0.03 * m_noise.centred(LoadStream, n, f);
        m.current[f] = m_settings.ctPrimary[station] * load;
        m.lag[f] = TypicalLag + 0.1 * std::sin(day / 2 + f);
        m.distortion[f] = 0.05 + 0.02 * m_noise.unit(DistortionStream, n, f);
        m.thdU[f] = 2.5 + std::sin(day + f) + 0.3 * m_noise.centred(DistortionStream, n, 3 + f);
        m.thdI[f] = 8 + 3 * std::sin(day) + m_noise.centred(DistortionStream, n, 6 + f);
    }
    m.dip = hasDip(n);
    m.overvoltage = hasOvervoltage(n);
    return m;
}

} // namespace kapstat::sim
