#include "sim/mainsmoment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kapstat::sim {

namespace {

using Measure = MainsQuantity::Measure;

// Noise streams of this file; other files draw from streams of their own.
enum Stream : quint32
{
    CrestStream = 0x100,
    DcStream,
    SequenceStream,
    NeutralStream,
    HarmonicStream,
    HarmonicAngleStream,
    LowSpreadStream,
    HighSpreadStream,
    InstantStream,
    DipStream,
};

constexpr double DipDepth = 0.70;
constexpr double OvervoltageHeight = 1.12;
constexpr double PeakPowerMargin = 1.08;

int keyOf(const MainsQuantity& q)
{
    return static_cast<int>(q.measure) * 1000 + (q.phase + 1) * 100 + q.order;
}

// How much of the THD each harmonic order carries: odd orders dominate, the 5th most.
double shareOfThd(int order)
{
    switch (order) {
    case 3:
        return 0.35;
    case 5:
        return 0.7;
    case 7:
        return 0.45;
    case 9:
        return 0.15;
    case 11:
        return 0.25;
    case 13:
        return 0.2;
    default:
        return order % 2 ? 0.08 : 0.04;
    }
}

// Quantities whose statistics spread by an amount, not by a share of their value.
bool spreadsAdditively(Measure m)
{
    return m == Measure::PowerFactor || m == Measure::HarmonicCos || m == Measure::DcVoltage ||
           m == Measure::DcCurrent;
}

bool boundedByOne(Measure m)
{
    return m == Measure::PowerFactor || m == Measure::HarmonicCos;
}

} // namespace

double MainsMoment::voltageAngle(int f)
{
    return -2 * std::numbers::pi * f / 3;
}

double MainsMoment::value(const MainsQuantity& quantity) const
{
    return statistic(quantity, average(quantity));
}

double MainsMoment::average(const MainsQuantity& q) const
{
    return q.phase == MainsQuantity::Summary ? summary(q) : phaseAverage(q, q.phase);
}

double MainsMoment::phaseAverage(const MainsQuantity& q, int f) const
{
    const double s = voltage[f] * current[f];
    switch (q.measure) {
    case Measure::Voltage:
        return voltage[f];
    case Measure::LineVoltage: {
        // Two phase voltages 120 degrees apart.
        const double a = voltage[f], b = voltage[(f + 1) % 3];
        return std::sqrt(a * a + b * b + a * b);
    }
    case Measure::Current:
        return current[f];
    case Measure::ApparentPower:
        return s;
    case Measure::ActivePower:
        return s * std::cos(lag[f]) * std::cos(distortion[f]);
    case Measure::ReactivePower:
        return s * std::sin(lag[f]) * std::cos(distortion[f]);
    case Measure::DistortionPower:
        return s * std::sin(distortion[f]);
    case Measure::PowerFactor:
        return std::cos(lag[f]) * std::cos(distortion[f]);
    case Measure::Tangent:
        return std::tan(lag[f]);
    case Measure::DistortionFactor:
        return std::sin(distortion[f]);
    case Measure::CrestFactorU:
        return std::numbers::sqrt2 + 0.01 * noise.centred(CrestStream, n, f);
    case Measure::CrestFactorI:
        return 1.45 + 0.05 * noise.centred(CrestStream, n, 3 + f);
    case Measure::DcVoltage:
        return 0.0005 * un * noise.centred(DcStream, n, f);
    case Measure::DcCurrent:
        return 0.001 * current[f] * noise.centred(DcStream, n, 3 + f);
    case Measure::ThdU:
        return thdU[f];
    case Measure::ThdI:
        return thdI[f];
    case Measure::HarmonicU:
        return q.order == 1 ? voltage[f] * std::sqrt(1 - std::pow(thdU[f] / 100, 2))
                            : harmonicPercent(q);
    case Measure::HarmonicI:
        return q.order == 1 ? current[f] * std::sqrt(1 - std::pow(thdI[f] / 100, 2))
                            : harmonicPercent(q);
    case Measure::HarmonicCos:
        return q.order == 1 ? std::cos(lag[f])
                            : std::cos(2 * std::numbers::pi *
                                       noise.unit(HarmonicAngleStream, n, 3 * q.order + f));
    case Measure::PhasorRealU:
        return voltage[f] * std::cos(voltageAngle(f));
    case Measure::PhasorImaginaryU:
        return voltage[f] * std::sin(voltageAngle(f));
    case Measure::PhasorRealI:
        return current[f] * std::cos(voltageAngle(f) - lag[f]);
    case Measure::PhasorImaginaryI:
        return current[f] * std::sin(voltageAngle(f) - lag[f]);
    default:
        return summary(q);
    }
}

double MainsMoment::summary(const MainsQuantity& q) const
{
    auto total = [this](Measure m) {
        MainsQuantity phaseQuantity{m};
        double sum = 0;
        for (int f = 0; f < 3; ++f)
            sum += phaseAverage(phaseQuantity, f);
        return sum;
    };
    const double negativeSequence = un * 0.004 * (1 + 0.3 * noise.centred(SequenceStream, n, 0));
    switch (q.measure) {
    case Measure::Voltage:
    case Measure::PositiveSequence:
        return total(Measure::Voltage) / 3;
    case Measure::Current:
        return total(Measure::Current) / 3;
    case Measure::PowerFactor:
        return total(Measure::ActivePower) / total(Measure::ApparentPower);
    case Measure::Tangent:
        return total(Measure::ReactivePower) / total(Measure::ActivePower);
    case Measure::DistortionFactor:
        return total(Measure::DistortionPower) / total(Measure::ApparentPower);
    case Measure::Frequency:
        return frequency;
    case Measure::NeutralCurrent:
        return 0.05 * total(Measure::Current) / 3 * (1 + 0.2 * noise.centred(NeutralStream, n));
    case Measure::PeakActivePower:
        return PeakPowerMargin * total(Measure::ActivePower);
    case Measure::PeakReactivePower:
        return PeakPowerMargin * total(Measure::ReactivePower);
    case Measure::PeakApparentPower:
        return PeakPowerMargin * total(Measure::ApparentPower);
    case Measure::NegativeSequence:
        return negativeSequence;
    case Measure::Unbalance:
        return 100 * negativeSequence / (total(Measure::Voltage) / 3);
    case Measure::ZeroSequence:
        return un * 0.002 * (1 + 0.3 * noise.centred(SequenceStream, n, 1));
    default:
        return total(q.measure);
    }
}

double MainsMoment::harmonicPercent(const MainsQuantity& q) const
{
    const double thd = q.measure == Measure::HarmonicU ? thdU[q.phase] : thdI[q.phase];
    return thd * shareOfThd(q.order) * (1 + 0.1 * noise.centred(HarmonicStream, n, keyOf(q)));
}

// side 0 below the average, 1 above it.
double MainsMoment::spreadOf(const MainsQuantity& q, double mean, int side) const
{
    const double share =
        0.004 + 0.012 * noise.unit(side ? HighSpreadStream : LowSpreadStream, n, keyOf(q));
    return spreadsAdditively(q.measure) ? 2 * share : share * std::abs(mean);
}

double MainsMoment::statistic(const MainsQuantity& q, double mean) const
{
    const bool voltage = q.measure == Measure::Voltage;
    double result = mean;
    switch (q.statistic) {
    case MainsQuantity::Minimum:
        result = voltage && dip ? un * DipDepth * (1 + 0.02 * noise.centred(DipStream, n, q.phase))
                                : mean - spreadOf(q, mean, 0);
        break;
    case MainsQuantity::Maximum:
        result = voltage && overvoltage
                     ? un * OvervoltageHeight * (1 + 0.01 * noise.centred(DipStream, n, q.phase))
                     : mean + spreadOf(q, mean, 1);
        break;
    case MainsQuantity::Instant:
        result = mean + 0.8 * std::min(spreadOf(q, mean, 0), spreadOf(q, mean, 1)) *
                            noise.centred(InstantStream, n, keyOf(q));
        break;
    default:
        break;
    }
    return boundedByOne(q.measure) ? std::clamp(result, -1.0, 1.0) : result;
}

} // namespace kapstat::sim
