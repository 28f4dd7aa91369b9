#include "sim/livesignal.h"

#include "live/instantframe.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kapstat::sim {

namespace {

using Phasor = std::complex<double>;
using config::MeasuringSystem;

constexpr double Pi = std::numbers::pi;
constexpr int PeakGridPoints = 2000;
// A loaded clamp's secondary: the model's load of 0.4 of the CT primary gives 0.6 A.
constexpr double AmperesPerLoad = 1.5;

// The recorder sees its positive sequence with L2 120 degrees ahead of L1.
double phaseAngle(int phase)
{
    return 2 * Pi * phase / 3;
}

// A voltage with the THD of the moment in its 3rd and 5th harmonic, and a little DC.
ChannelWave voltageWave(const MainsMoment& m, int phase)
{
    ChannelWave w;
    const double angle = phaseAngle(phase);
    const double h1 = m.voltage[phase];
    const double thd = m.thdU[phase] / 100;
    w.harmonics[1] = std::polar(h1, angle);
    w.harmonics[3] = std::polar(h1 * thd * 0.5, 3 * angle + 0.3);
    w.harmonics[5] = std::polar(h1 * thd * std::sqrt(0.75), 5 * angle + 0.5);
    w.dc = 0.4 + 0.1 * phase;
    return w;
}

// The current lags its voltage by the moment's angle; its THD lies in the 7th and 11th
// harmonic, which the voltage does not carry.
ChannelWave currentWave(const MainsMoment& m, int phase, double ctPrimary)
{
    ChannelWave w;
    const double angle = phaseAngle(phase) - m.lag[phase];
    const double h1 = ctPrimary > 0 ? AmperesPerLoad * m.current[phase] / ctPrimary : 0;
    const double thd = m.thdI[phase] / 100;
    w.harmonics[1] = std::polar(h1, angle);
    w.harmonics[7] = std::polar(h1 * thd * 0.6, 7 * angle + 0.2);
    w.harmonics[11] = std::polar(h1 * thd * 0.8, 11 * angle - 0.4);
    w.dc = 0.004;
    return w;
}

ChannelWave combine(const ChannelWave& a, const ChannelWave& b, double sign)
{
    ChannelWave w;
    w.dc = a.dc + sign * b.dc;
    for (int h = 1; h < live::HarmonicColumnCount; ++h)
        w.harmonics[h] = a.harmonics[h] + sign * b.harmonics[h];
    return w;
}

// The most whole periods that fit into the frame, to the nearest sample set.
int wholePeriodSets(int licznik)
{
    const double setsPerPeriod = double(licznik) / live::frame::TicksPerSample;
    const int periods = static_cast<int>((live::SampleCount + 0.5) / setsPerPeriod);
    const int sets = static_cast<int>(std::lround(periods * setsPerPeriod));
    return std::clamp(sets, 1, live::SampleCount);
}

} // namespace

double ChannelWave::at(double phi) const
{
    double v = dc;
    for (int h = 1; h < live::HarmonicColumnCount; ++h)
        if (harmonics[h] != Phasor())
            v += std::numbers::sqrt2 * std::abs(harmonics[h]) *
                 std::sin(h * phi + std::arg(harmonics[h]));
    return v;
}

double ChannelWave::rms() const
{
    double squares = dc * dc;
    for (int h = 1; h < live::HarmonicColumnCount; ++h)
        squares += std::norm(harmonics[h]);
    return std::sqrt(squares);
}

double ChannelWave::thd() const
{
    double squares = 0;
    for (int h = 2; h < live::HarmonicColumnCount; ++h)
        squares += std::norm(harmonics[h]);
    const double h1 = harmonicRms(1);
    return h1 == 0 ? 0 : 100 * std::sqrt(squares) / h1;
}

double ChannelWave::peak() const
{
    double peak = 0;
    for (int k = 0; k < PeakGridPoints; ++k)
        peak = std::max(peak, std::fabs(at(2 * Pi * k / PeakGridPoints)));
    return peak;
}

ChannelWave ChannelWave::operator+(const ChannelWave& other) const
{
    return combine(*this, other, 1);
}

ChannelWave ChannelWave::operator-(const ChannelWave& other) const
{
    return combine(*this, other, -1);
}

ChannelWave ChannelWave::operator-() const
{
    return combine(ChannelWave(), *this, -1);
}

double activePower(const ChannelWave& u, const ChannelWave& i)
{
    double p = u.dc * i.dc;
    for (int h = 1; h < live::HarmonicColumnCount; ++h)
        p += std::real(u.harmonics[h] * std::conj(i.harmonics[h]));
    return p;
}

double reactivePower(const ChannelWave& u, const ChannelWave& i)
{
    double q = 0;
    for (int h = 1; h < live::HarmonicColumnCount; ++h)
        q += std::imag(u.harmonics[h] * std::conj(i.harmonics[h]));
    return q;
}

double LiveSignal::sample(int channel, int sampleSet) const
{
    // Sample set a is the recorder's sample n = a + 1.
    const double phi = 2 * Pi * live::frame::TicksPerSample * (sampleSet + 1) / licznik;
    return channels[channel].at(phi);
}

LiveSignal LiveSignal::of(const MainsMoment& m, MeasuringSystem system, double ctPrimary)
{
    LiveSignal s;
    s.system = system;
    s.licznik = static_cast<int>(std::lround(live::frame::TicksPerSecond / m.frequency));
    s.imax = wholePeriodSets(s.licznik);
    std::array<ChannelWave, 3> u, i;
    for (int p = 0; p < 3; ++p) {
        u[p] = voltageWave(m, p);
        i[p] = currentWave(m, p, ctPrimary);
    }
    switch (system) {
    case MeasuringSystem::Star:
        s.channels = {u[0], u[1], u[2], i[0], i[1], i[2]};
        break;
    case MeasuringSystem::Delta:
        // Two line voltages against L3 and two line currents; the third follows from them.
        s.channels = {u[0] - u[2], u[1] - u[2], ChannelWave(), i[0], i[1], -(i[0] + i[1])};
        break;
    case MeasuringSystem::SinglePhase:
        s.channels = {u[0], {}, {}, i[0], {}, {}};
        break;
    }
    return s;
}

LiveSignal LiveSignal::calibrator(MeasuringSystem system, double volts, double amperes)
{
    LiveSignal s;
    s.system = system;
    s.imax = wholePeriodSets(s.licznik);
    for (int p = 0; p < 3; ++p) {
        s.channels[p].harmonics[1] = std::polar(volts, phaseAngle(p));
        s.channels[p + 3].harmonics[1] = std::polar(amperes, phaseAngle(p));
    }
    return s;
}

} // namespace kapstat::sim
