#include "norm/normlimits.h"

#include "browse/normparameterset.h"

namespace kapstat::norm {

namespace {

constexpr double MainsFrequency = 50;

} // namespace

NormLimits NormLimits::from(const browse::NormParameterSet& norm, double nominalVoltage)
{
    NormLimits limits;
    limits.un = nominalVoltage;
    limits.f1Low = MainsFrequency * (100 - norm.freqBand1Minus) / 100;
    limits.f1High = MainsFrequency * (100 + norm.freqBand1Plus) / 100;
    limits.f2Low = MainsFrequency * (100 - norm.freqBand2Minus) / 100;
    limits.f2High = MainsFrequency * (100 + norm.freqBand2Plus) / 100;
    limits.uLow = nominalVoltage * (100 - norm.voltageMinus) / 100;
    limits.uHigh = nominalVoltage * (100 + norm.voltagePlus) / 100;
    limits.uInt = nominalVoltage * norm.interruptionThreshold / 100;
    return limits;
}

} // namespace kapstat::norm
