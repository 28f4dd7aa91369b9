#include "sim/liveframe.h"

#include "live/instantframe.h"
#include "live/quantitynumbers.h"
#include "sim/instantframewriter.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace kapstat::sim::liveframe {

namespace {

using namespace live::quantity;
using config::MeasuringSystem;
using Phasor = std::complex<double>;
using Values = std::array<double, live::RecorderValueCount>;

constexpr double FullScaleCounts = 2048;
constexpr double RangeMargin = 0.9;
constexpr double Sqrt2 = std::numbers::sqrt2;
constexpr double Sqrt3 = std::numbers::sqrt3;
constexpr double PeakPowerMargin = 1.08;
constexpr int LoopFirstSlot = calib::NormalSlotCount;

double quotientOrZero(double a, double b)
{
    return b == 0 ? 0 : a / b;
}

double signedRoot(double v)
{
    return v < 0 ? -std::sqrt(-v) : std::sqrt(v);
}

double withSignOf(double reactive, double x)
{
    return reactive >= 0 ? std::fabs(x) : -std::fabs(x);
}

bool isDelta(const LiveSignal& s)
{
    return s.system == MeasuringSystem::Delta;
}

// The fundamental as the recorder's peak coefficients b + jc.
Phasor peakFundamental(const ChannelWave& w)
{
    return Sqrt2 * w.harmonics[1];
}

void channelValues(const LiveSignal& s, Values& v)
{
    for (int c = 0; c < live::ChannelCount; ++c) {
        const ChannelWave& w = s.channels[c];
        const double rms = w.rms();
        v[Rms + c] = rms;
        v[Mean + c] = w.dc;
        v[CrestFactor + c] = quotientOrZero(w.peak(), rms) / Sqrt2 * 100;
        v[Thd + c] = w.thd();
        const Phasor b = peakFundamental(isDelta(s) && c == 2 ? s.channels[1] - s.channels[0] : w);
        const int offset = c < 3 ? c : c + 3;
        v[FundamentalSine + offset] = b.real();
        v[FundamentalCosine + offset] = b.imag();
    }
}

void phaseValues(const LiveSignal& s, Values& v)
{
    for (int p = 0; p < 3; ++p) {
        const ChannelWave& u = s.channels[p];
        const ChannelWave& i = s.channels[p + 3];
        const double active = activePower(u, i), reactive = reactivePower(u, i);
        const double apparent = u.rms() * i.rms();
        const double d = signedRoot(apparent * apparent - active * active - reactive * reactive);
        const double pf = quotientOrZero(active, apparent);
        v[ActivePower + p] = active;
        v[ReactivePower + p] = reactive;
        v[ApparentPower + p] = apparent;
        v[DistortionPower + p] = d;
        v[PowerFactor + p] = isDelta(s) ? pf : withSignOf(reactive, pf);
        v[Tangent + p] = quotientOrZero(reactive, active);
        v[DistortionFactor + p] = quotientOrZero(d, apparent);
    }
}

// U12, U23, U31; under delta the inputs are U31 and U23 themselves.
void lineVoltages(const LiveSignal& s, Values& v)
{
    const auto& ch = s.channels;
    if (isDelta(s)) {
        v[LineVoltage12] = (ch[0] - ch[1]).rms();
        v[LineVoltage12 + 1] = ch[1].rms();
        v[LineVoltage12 + 2] = ch[0].rms();
        return;
    }
    for (int p = 0; p < 3; ++p)
        v[LineVoltage12 + p] = (ch[p] - ch[(p + 1) % 3]).rms();
}

double totalVoltage(const LiveSignal& s, const Values& v)
{
    switch (s.system) {
    case MeasuringSystem::Delta:
        return (v[Rms] + v[Rms + 1] + v[LineVoltage12]) / 3;
    case MeasuringSystem::SinglePhase:
        return v[Rms];
    case MeasuringSystem::Star:
        break;
    }
    return (v[Rms] + v[Rms + 1] + v[Rms + 2]) / Sqrt3;
}

void totals(const LiveSignal& s, Values& v)
{
    const int phases = isDelta(s) ? 2 : 3;
    double p = 0, q = 0, d = 0;
    for (int phase = 0; phase < phases; ++phase) {
        p += v[ActivePower + phase];
        q += v[ReactivePower + phase];
        d += v[DistortionPower + phase];
    }
    const double apparent = std::hypot(p, q);
    const double withD = std::sqrt(p * p + q * q + d * d);
    const double u = totalVoltage(s, v);
    v[TotalVoltage] = u;
    v[TotalCurrent] = quotientOrZero(apparent, u);
    v[TotalActivePower] = p;
    v[TotalReactivePower] = q;
    v[TotalApparentPower] = apparent;
    v[TotalDistortionPower] = d;
    v[TotalPowerFactor] =
        isDelta(s) ? quotientOrZero(p, apparent) : withSignOf(q, quotientOrZero(p, withD));
    v[TotalTangent] = quotientOrZero(q, p);
    v[TotalDistortionFactor] = quotientOrZero(d, withD);
    v[PeakMeanActivePower] = PeakPowerMargin * p;
    v[PeakMeanActivePower + 1] = PeakPowerMargin * q;
    v[PeakMeanActivePower + 2] = PeakPowerMargin * apparent;
}

void symmetricalComponents(const LiveSignal& s, Values& v)
{
    const auto& ch = s.channels;
    Phasor v0 = peakFundamental(ch[0]), v1 = peakFundamental(ch[1]), v2 = peakFundamental(ch[2]);
    if (isDelta(s)) {
        v1 = peakFundamental(ch[1] - ch[0]);
        v2 = -peakFundamental(ch[1]);
    }
    const Phasor turn120 = std::polar(1.0, 2 * std::numbers::pi / 3);
    const Phasor turn240 = turn120 * turn120;
    const double divisor = 3 * Sqrt2;
    const double positive = std::abs(v0 + turn240 * v1 + turn120 * v2) / divisor;
    const double negative = std::abs(v0 + turn120 * v1 + turn240 * v2) / divisor;
    v[PositiveSequenceVoltage] = positive;
    v[NegativeSequenceVoltage] = negative;
    v[Unbalance] = positive == 0 || negative == 0
                       ? 0
                       : 100 * std::min(positive, negative) / std::max(positive, negative);
    v[ZeroSequenceVoltage] = std::abs(v0 + v1 + v2) / divisor;
    v[ZeroSequenceCurrent] = (ch[3] + ch[4] + ch[5]).rms();
}

void energies(double hours, Values& v)
{
    v[EnergyActivePlus] = 1234.5 + v[TotalActivePower] * hours;
    v[EnergyActivePlus + 1] = 12.5;
    v[EnergyActivePlus + 2] = 456.7 + std::fabs(v[TotalReactivePower]) * hours;
    v[EnergyActivePlus + 3] = 3.25;
    v[EnergyActivePlus + 4] = 1500 + v[TotalApparentPower] * hours;
}

using Slots = std::array<int, live::ChannelCount>;

constexpr int CountLimit = 0x7FFF; // the largest magnitude of a sign-and-magnitude sample

Slots rangeSlots(const LiveSignal& signal, const FrontEnd& frontEnd)
{
    Slots slots{};
    for (int c = 0; c < live::ChannelCount; ++c)
        slots[c] = frontEnd.fixedRangeEntry
                       ? fixedRangeSlot(c, *frontEnd.fixedRangeEntry)
                       : rangeSlotFor(c, signal.channels[c].peak(), frontEnd.hardware);
    return slots;
}

// The counts' offset from the converter's zero that the DC coefficient leaves.
int offsetError(const FrontEnd& frontEnd, int channel, int slot)
{
    return frontEnd.hardware.dcOffset[channel][slot] -
           frontEnd.coefficients.dcOffset[channel][slot];
}

// The signal as the recorder measures it: its counts scaled by the coefficients in force.
LiveSignal measuredSignal(const LiveSignal& signal, const FrontEnd& frontEnd, const Slots& slots)
{
    LiveSignal measured = signal;
    for (int c = 0; c < live::ChannelCount; ++c) {
        const double coefficient = frontEnd.coefficients.coefficient(c, slots[c]);
        const double gain = frontEnd.hardware.coefficient(c, slots[c]);
        const double ratio = quotientOrZero(coefficient, gain);
        ChannelWave& w = measured.channels[c];
        for (auto& harmonic : w.harmonics)
            harmonic *= ratio;
        w.dc = w.dc * ratio + offsetError(frontEnd, c, slots[c]) * coefficient;
    }
    return measured;
}

void writeSamples(InstantFrameWriter& writer, const LiveSignal& signal, const FrontEnd& frontEnd,
                  const Slots& slots)
{
    for (int c = 0; c < live::ChannelCount; ++c) {
        const int slot = slots[c];
        const double gain = frontEnd.hardware.coefficient(c, slot);
        writer.setRangeByte(c, rangeByte(slot));
        writer.setScale(c, frontEnd.coefficients.coefficient(c, slot));
        for (int a = 0; a < live::SampleCount; ++a) {
            const double counts =
                gain > 0 ? signal.sample(c, a) / gain + offsetError(frontEnd, c, slot) : 0;
            const long clipped = std::clamp<long>(std::lround(counts), -CountLimit, CountLimit);
            writer.setSample(a, c, static_cast<int>(clipped));
        }
    }
}

void writeHarmonics(InstantFrameWriter& writer, const LiveSignal& signal)
{
    const live::HarmonicTable<double> table = recorderHarmonics(signal);
    for (int h = 1; h <= live::HighestHarmonic; ++h)
        for (int p = 1; p <= 3; ++p)
            for (int kind = 0; kind < 3; ++kind)
                writer.setHarmonic(h, p, kind, table[p - 1 + 3 * kind][h]);
}

// A nibble above 9 in the field's lowest digits, as a damaged transfer would leave it.
void damage(InstantFrameWriter& writer, int number)
{
    for (const live::frame::ValueField& field : live::frame::valueFields()) {
        if (field.number != number)
            continue;
        const int index = field.position - 5;
        const quint8 byte = static_cast<quint8>(writer.data().at(index));
        writer.setBytes(field.position, QByteArray(1, static_cast<char>((byte & 0xF0) | 0x0A)));
    }
}

} // namespace

int rangeSlotFor(int channel, double peak, const calib::CalibrationSet& hardware)
{
    const int first = channel == LoopChannel ? LoopFirstSlot : 0;
    const int last = channel == LoopChannel ? calib::RangeSlotCount - 1 : LoopFirstSlot - 1;
    for (int slot = last; slot > first; --slot)
        if (peak <= RangeMargin * FullScaleCounts * hardware.coefficient(channel, slot))
            return slot;
    return first;
}

int fixedRangeSlot(int channel, int entry)
{
    return channel == LoopChannel ? LoopFirstSlot + entry : std::min(entry, LoopFirstSlot - 1);
}

quint8 rangeByte(int slot)
{
    return static_cast<quint8>(slot < LoopFirstSlot ? slot : slot + 124);
}

std::array<double, live::RecorderValueCount> recorderValues(const LiveSignal& signal, double hours)
{
    Values v{};
    channelValues(signal, v);
    phaseValues(signal, v);
    lineVoltages(signal, v);
    totals(signal, v);
    symmetricalComponents(signal, v);
    energies(hours, v);
    v[Frequency] = double(live::frame::TicksPerSecond) / signal.licznik;
    return v;
}

live::HarmonicTable<double> recorderHarmonics(const LiveSignal& signal)
{
    live::HarmonicTable<double> table{};
    for (int p = 0; p < 3; ++p) {
        const ChannelWave& u = signal.channels[p];
        const ChannelWave& i = signal.channels[p + 3];
        for (int h = 1; h <= live::HighestHarmonic; ++h) {
            const bool base = h == 1;
            table[p][h] =
                base ? u.harmonicRms(1) : 100 * quotientOrZero(u.harmonicRms(h), u.harmonicRms(1));
            table[p + 3][h] =
                base ? i.harmonicRms(1) : 100 * quotientOrZero(i.harmonicRms(h), i.harmonicRms(1));
            const Phasor product = u.harmonics[h] * std::conj(i.harmonics[h]);
            table[p + 6][h] = quotientOrZero(product.real(), std::abs(product));
        }
    }
    return table;
}

QByteArray frameData(const LiveSignal& signal, const FrontEnd& frontEnd, double hours,
                     std::optional<int> damagedValue)
{
    InstantFrameWriter writer;
    const Slots slots = rangeSlots(signal, frontEnd);
    writeSamples(writer, signal, frontEnd, slots);
    writer.setLicznik(signal.licznik);
    writer.setImax(signal.imax);
    const LiveSignal measured = measuredSignal(signal, frontEnd, slots);
    const Values values = recorderValues(measured, hours);
    for (int number = 0; number < live::RecorderValueCount; ++number)
        writer.setValue(number, values[number]);
    writeHarmonics(writer, measured);
    if (damagedValue)
        damage(writer, *damagedValue);
    return writer.data();
}

QByteArray frameData(const LiveSignal& signal, const calib::CalibrationSet& calibration,
                     double hours, std::optional<int> damagedValue)
{
    return frameData(signal, FrontEnd{calibration, calibration, std::nullopt}, hours, damagedValue);
}

} // namespace kapstat::sim::liveframe
