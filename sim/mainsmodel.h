#pragma once

#include "sim/deterministicnoise.h"
#include "sim/imagesettings.h"
#include "sim/mainsmoment.h"
#include "sim/scenario.h"

#include <QSet>

namespace kapstat::sim {

// The mains each station measured, period by period: voltages near the station's Un that drift
// slowly over the day, a load that follows the day, frequency near 50 Hz, a few per cent of
// distortion, and the dips and over-voltages of the scenario.
class MainsModel
{
public:
    MainsModel(const Scenario& scenario, const ImageSettings& settings);

    MainsMoment at(int n, int station) const;

    bool hasDip(int n) const;
    bool hasOvervoltage(int n) const;
    // The station's typical total active power, watts.
    double typicalPower(int station) const;

private:
    // The record's place in the day, radians.
    double dayAngle(int n) const;

    ImageSettings m_settings;
    DeterministicNoise m_noise;
    QSet<int> m_dips;
    QSet<int> m_overvoltages;
};

} // namespace kapstat::sim
