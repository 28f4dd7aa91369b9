#pragma once

#include "config/measuringsystem.h"
#include "live/livestore.h"

namespace kapstat::live {

// The program's own evaluation of the scaled samples: a discrete Fourier analysis up to the
// 24th harmonic and the time-domain sums over the first sampleCount sample sets, written to the
// computed values and harmonics under the recorder's quantity numbers.
//
// A period of 0 ticks or no samples leaves nothing to analyse: every result is 0 (the frequency
// too when the period is 0). More than 300 sample sets count as the 300 the frame holds. Where
// the voltage a quarter period later lies past the last sample, the samples are taken as
// repeating every sampleCount sets, as they do when the count covers whole periods.
void analyseSamples(LiveStore& store, config::MeasuringSystem system, int periodTicks,
                    int sampleCount);

// Whole samples and fraction of the quarter-period shift: (12, 0.5) at 25 000 ticks.
struct QuarterPeriodShift
{
    int samples = 0;
    Real fraction = 0;
};
QuarterPeriodShift quarterPeriodShift(int periodTicks);

} // namespace kapstat::live
