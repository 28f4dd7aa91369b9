#pragma once

#include "sim/deterministicnoise.h"
#include "sim/mainsquantity.h"

#include <array>

namespace kapstat::sim {

// The state of the mains at one station over one storage period: the mean values each phase
// had, from which every recorded quantity and its statistics follow.
struct MainsMoment
{
    int n = 1; // the record
    double un = 230;
    double frequency = 50;
    std::array<double, 3> voltage{};
    std::array<double, 3> current{};
    std::array<double, 3> lag{};        // of the current behind the voltage, radians
    std::array<double, 3> distortion{}; // angle of the distortion power in S, radians
    std::array<double, 3> thdU{};       // per cent
    std::array<double, 3> thdI{};
    bool dip = false;         // a voltage fell to about 70 % of Un within the period
    bool overvoltage = false; // and here rose to about 112 %
    DeterministicNoise noise;

    double value(const MainsQuantity& quantity) const;
    // The phase angle of phase f's voltage: L2 lags L1 by 120 degrees, L3 by 240.
    static double voltageAngle(int f);

private:
    double average(const MainsQuantity& q) const;
    double phaseAverage(const MainsQuantity& q, int f) const;
    double summary(const MainsQuantity& q) const;
    double harmonicPercent(const MainsQuantity& q) const;
    double spreadOf(const MainsQuantity& q, double mean, int side) const;
    double statistic(const MainsQuantity& q, double mean) const;
};

} // namespace kapstat::sim
