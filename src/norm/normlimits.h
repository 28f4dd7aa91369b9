#pragma once

namespace kapstat::browse {
struct NormParameterSet;
}

namespace kapstat::norm {

// The bounds the compliance statistics compare with, derived once from the norm parameters and
// the nominal voltage.
struct NormLimits
{
    double un = 0;
    double f1Low = 0;
    double f1High = 0;
    double f2Low = 0;
    double f2High = 0;
    double uLow = 0;  // also the dip threshold
    double uHigh = 0; // also the over-voltage threshold
    double uInt = 0;  // the interruption threshold

    static NormLimits from(const browse::NormParameterSet& norm, double nominalVoltage);
    // The deviation of a voltage from Un in percent of Un; Un is never 0 when this is called.
    double deviation(double voltage) const { return (voltage - un) / un * 100; }
};

} // namespace kapstat::norm
