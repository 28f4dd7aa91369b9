#pragma once

#include "config/measuringsystem.h"
#include "live/livestore.h"
#include "sim/mainsmoment.h"

#include <array>
#include <complex>

namespace kapstat::sim {

// One input channel's waveform: a DC part and the RMS phasors of harmonics 1..24, in the
// recorder's convention x = dc + sum of sqrt(2) |Z_h| sin(h phi + arg Z_h), where phi is the
// fundamental's angle.
struct ChannelWave
{
    double dc = 0;
    std::array<std::complex<double>, live::HarmonicColumnCount> harmonics{};

    double at(double phi) const;
    double rms() const;
    double harmonicRms(int order) const { return std::abs(harmonics[order]); }
    // Per cent of the fundamental; 0 without one.
    double thd() const;
    // The largest |x| over one period, read on a fine grid.
    double peak() const;

    ChannelWave operator+(const ChannelWave& other) const;
    ChannelWave operator-(const ChannelWave& other) const;
    ChannelWave operator-() const;
};

// Mean of u x i over a period.
double activePower(const ChannelWave& u, const ChannelWave& i);
// Sum over the harmonics of U I sin(angle of u - angle of i): positive for a lagging current.
double reactivePower(const ChannelWave& u, const ChannelWave& i);

// What the emulated recorder's inputs carry at one moment: the six channels as the recorder's
// measuring system connects them, the period length in 0.8 us ticks and the sample sets that
// cover whole periods.
struct LiveSignal
{
    config::MeasuringSystem system = config::MeasuringSystem::Star;
    std::array<ChannelWave, live::ChannelCount> channels{};
    int licznik = 25000;
    int imax = 250;

    // Sample set a (0..299) of a channel.
    double sample(int channel, int sampleSet) const;

    // The mains of the moment at the recorder's inputs: the voltages as they are (no VT), the
    // currents as a clamp or loop transducer delivers them from a CT of the given primary
    // (under an ampere).
    static LiveSignal of(const MainsMoment& moment, config::MeasuringSystem system,
                         double ctPrimary);
    // A calibration generator on every input: clean 50 Hz sines of the given RMS, the three
    // phases 120 degrees apart, each current in phase with its voltage, no DC.
    static LiveSignal calibrator(config::MeasuringSystem system, double volts, double amperes);
};

} // namespace kapstat::sim
