#include "live/quantitynumbers.h"
#include "live/sampleanalysis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace kapstat::live;
using namespace kapstat::live::quantity;
using kapstat::config::MeasuringSystem;

namespace {

constexpr int Ticks50Hz = 25000;
constexpr double Pi = std::numbers::pi;
const double Root2 = std::sqrt(2.0);

// Sample n (1-based) of a 50 Hz sinusoid of RMS value rms and phase angle (radians) against
// the analysis' sine, plus a harmonic of the given order and share of the RMS.
void fillChannel(LiveStore& store, int channel, double rms, double angle, int order = 0,
                 double share = 0)
{
    for (int n = 1; n <= SampleCount; ++n) {
        const double phi = 2 * Pi * n / 50;
        double v = Root2 * rms * std::sin(phi + angle);
        if (order)
            v += Root2 * rms * share * std::sin(order * phi);
        store.scaled[channel][n - 1] = v;
    }
}

// The angle of phase p in the analysis' convention, in which the recorder's positive sequence
// has L2 120 degrees ahead of L1.
double phaseAngle(int p)
{
    return 2 * Pi * p / 3;
}

// Three phases of 230 V and 10 A in positive sequence, the currents lagging by `lag`.
LiveStore balancedStar(double lag)
{
    LiveStore store;
    for (int p = 0; p < 3; ++p) {
        fillChannel(store, p, 230, phaseAngle(p));
        fillChannel(store, p + 3, 10, phaseAngle(p) - lag);
    }
    return store;
}

double computed(const LiveStore& store, int number)
{
    return static_cast<double>(store.computedValues[number]);
}

} // namespace

TEST(SampleAnalysis, QuarterPeriodShiftAndFrequencyAt50Hz)
{
    const QuarterPeriodShift shift = quarterPeriodShift(Ticks50Hz);
    EXPECT_EQ(shift.samples, 12);
    EXPECT_DOUBLE_EQ(static_cast<double>(shift.fraction), 0.5);
    LiveStore store;
    analyseSamples(store, MeasuringSystem::Star, Ticks50Hz, 250);
    EXPECT_DOUBLE_EQ(computed(store, Frequency), 50);
}

TEST(SampleAnalysis, PureCosineOverFivePeriods)
{
    const double a = 325;
    LiveStore store;
    for (int n = 1; n <= SampleCount; ++n)
        store.scaled[0][n - 1] = a * std::cos(2 * Pi * n / 50);
    analyseSamples(store, MeasuringSystem::Star, Ticks50Hz, 250);
    EXPECT_NEAR(computed(store, FundamentalSine), 0, 1e-9);
    EXPECT_NEAR(computed(store, FundamentalCosine), a, 1e-9);
    EXPECT_NEAR(static_cast<double>(store.computedHarmonics[0][1]), a / Root2, 1e-9);
    EXPECT_NEAR(computed(store, Rms), a / Root2, 1e-9);
    EXPECT_NEAR(computed(store, CrestFactor), 100, 1e-9);
    EXPECT_NEAR(computed(store, Thd), 0, 1e-9);
    EXPECT_NEAR(computed(store, ThdFromRms), 0, 1e-6);
    EXPECT_NEAR(computed(store, Mean), 0, 1e-9);
}

TEST(SampleAnalysis, HarmonicDcAndThdTwoWays)
{
    LiveStore store;
    fillChannel(store, 3, 10, 0.3, 5, 0.2);
    for (auto& v : store.scaled[3])
        v += 1.5;
    analyseSamples(store, MeasuringSystem::Star, Ticks50Hz, 250);
    EXPECT_NEAR(static_cast<double>(store.computedHarmonics[3][1]), 10, 1e-9);
    EXPECT_NEAR(static_cast<double>(store.computedHarmonics[3][5]), 2, 1e-9);
    EXPECT_NEAR(static_cast<double>(store.computedHarmonics[3][0]), 1.5, 1e-9);
    EXPECT_NEAR(computed(store, Mean + 3), 1.5, 1e-9);
    EXPECT_NEAR(computed(store, Thd + 3), 20, 1e-9);
    // The DC counts into the RMS but is no harmonic.
    const double rms = std::sqrt(100 + 4 + 1.5 * 1.5);
    EXPECT_NEAR(computed(store, Rms + 3), rms, 1e-9);
    EXPECT_NEAR(computed(store, ThdFromRms + 3), std::sqrt(rms * rms - 100) / 10 * 100, 1e-6);
}

TEST(SampleAnalysis, BalancedStarPowersAndComponents)
{
    const double lag = 0.5;
    LiveStore store = balancedStar(lag);
    analyseSamples(store, MeasuringSystem::Star, Ticks50Hz, 250);
    const double s = 2300;
    // The quarter-period shift interpolates half a sample: a sine loses cos(pi/50) of it.
    const double interpolation = std::cos(Pi / 50);
    for (int p = 0; p < 3; ++p) {
        EXPECT_NEAR(computed(store, Rms + p), 230, 1e-9);
        EXPECT_NEAR(computed(store, ActivePower + p), s * std::cos(lag), 1e-6);
        EXPECT_NEAR(computed(store, ReactivePower + p), s * std::sin(lag) * interpolation, 1e-6);
        EXPECT_NEAR(computed(store, ApparentPower + p), s, 1e-6);
        EXPECT_NEAR(computed(store, PowerFactor + p), std::cos(lag), 1e-9);
        EXPECT_NEAR(computed(store, NonActivePower + p), s * std::sin(lag), 1e-6);
        EXPECT_NEAR(computed(store, LineVoltage12 + p), 230 * std::sqrt(3.0), 1e-6);
        EXPECT_NEAR(static_cast<double>(store.computedHarmonics[6 + p][1]), std::cos(lag), 1e-9);
    }
    EXPECT_NEAR(computed(store, TotalVoltage), 3 * 230 / std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(computed(store, TotalActivePower), 3 * s * std::cos(lag), 1e-6);
    EXPECT_NEAR(computed(store, PositiveSequenceVoltage), 230, 1e-9);
    EXPECT_NEAR(computed(store, NegativeSequenceVoltage), 0, 1e-9);
    EXPECT_NEAR(computed(store, ZeroSequenceVoltage), 0, 1e-9);
    EXPECT_NEAR(computed(store, ZeroSequenceCurrent), 0, 1e-9);
    EXPECT_NEAR(computed(store, Unbalance), 0, 1e-6);
    EXPECT_GT(computed(store, TotalPowerFactor), 0.8);
}

TEST(SampleAnalysis, PowerFactorTakesTheSignOfQExceptInDelta)
{
    struct Case
    {
        MeasuringSystem system;
        double lag;
        bool negative;
    };
    const Case cases[] = {{MeasuringSystem::Star, 0.5, false},
                          {MeasuringSystem::Star, -0.5, true},
                          {MeasuringSystem::SinglePhase, -0.5, true},
                          {MeasuringSystem::Delta, -0.5, false}};
    for (const Case& c : cases) {
        LiveStore store = balancedStar(c.lag);
        analyseSamples(store, c.system, Ticks50Hz, 250);
        EXPECT_EQ(computed(store, PowerFactor) < 0, c.negative) << int(c.system) << c.lag;
        EXPECT_EQ(computed(store, TotalPowerFactor) < 0, c.negative) << int(c.system) << c.lag;
        EXPECT_EQ(computed(store, ReactivePower) < 0, c.lag < 0);
    }
}

TEST(SampleAnalysis, UnbalancedStarGivesNegativeAndZeroSequence)
{
    LiveStore store = balancedStar(0);
    fillChannel(store, 1, 200, phaseAngle(1));
    analyseSamples(store, MeasuringSystem::Star, Ticks50Hz, 250);
    // One phase 30 V short: each sequence component carries a third of the difference.
    EXPECT_NEAR(computed(store, PositiveSequenceVoltage), 220, 1e-9);
    EXPECT_NEAR(computed(store, NegativeSequenceVoltage), 10, 1e-9);
    EXPECT_NEAR(computed(store, ZeroSequenceVoltage), 10, 1e-9);
    EXPECT_NEAR(computed(store, Unbalance), 100 * 10.0 / 220, 1e-9);
}

TEST(SampleAnalysis, RecorderCoefficientsGiveComponentsWithFixedConstants)
{
    LiveStore store;
    // b, c of a balanced 230 V system.
    for (int p = 0; p < 3; ++p) {
        store.recorderValues[FundamentalSine + p] = 230 * Root2 * std::cos(phaseAngle(p));
        store.recorderValues[FundamentalCosine + p] = 230 * Root2 * std::sin(phaseAngle(p));
    }
    analyseSamples(store, MeasuringSystem::Star, Ticks50Hz, 250);
    EXPECT_NEAR(computed(store, RecorderPositiveSequence), 230, 0.01);
    EXPECT_NEAR(computed(store, RecorderNegativeSequence), 0, 0.01);
    EXPECT_NEAR(computed(store, RecorderZeroSequence), 0, 1e-9);
}

TEST(SampleAnalysis, DeltaTakesTheThirdLineVoltageAndCurrentFromTheOtherTwo)
{
    LiveStore store;
    // Two line voltages of 400 V, 60 degrees apart as the recorder's inputs see them.
    fillChannel(store, 0, 400, 0);
    fillChannel(store, 1, 400, Pi / 3);
    fillChannel(store, 3, 10, -0.2);
    fillChannel(store, 4, 10, Pi / 3 - 0.2);
    for (int n = 0; n < SampleCount; ++n)
        store.scaled[5][n] = -(store.scaled[3][n] + store.scaled[4][n]);
    analyseSamples(store, MeasuringSystem::Delta, Ticks50Hz, 250);
    EXPECT_NEAR(computed(store, Rms + 2), 400, 1e-6);
    EXPECT_NEAR(computed(store, Rms + 5), 10 * std::sqrt(3.0), 1e-6);
    EXPECT_NEAR(computed(store, TotalVoltage), 400, 1e-6);
    EXPECT_NEAR(computed(store, TotalActivePower),
                computed(store, ActivePower) + computed(store, ActivePower + 1), 1e-9);
    for (const int number :
         {ZeroSequenceVoltage, ZeroSequenceCurrent, RecorderZeroSequence, Unbalance})
        EXPECT_EQ(computed(store, number), 0) << number;
    EXPECT_GT(computed(store, PositiveSequenceVoltage) + computed(store, NegativeSequenceVoltage),
              0);
    // The third line voltage's coefficients are channel 1 minus channel 0.
    EXPECT_NEAR(computed(store, FundamentalSine + 2),
                computed(store, FundamentalSine + 1) - computed(store, FundamentalSine), 1e-9);
    for (const int number : {LineVoltage12, LineVoltage12 + 1, LineVoltage12 + 2})
        EXPECT_FALSE(store.computedProduced.test(number));
}

TEST(SampleAnalysis, SinglePhaseTotalsAreThePhaseItself)
{
    LiveStore store;
    fillChannel(store, 0, 230, 0);
    fillChannel(store, 3, 5, -0.4);
    analyseSamples(store, MeasuringSystem::SinglePhase, Ticks50Hz, 250);
    EXPECT_NEAR(computed(store, TotalVoltage), 230, 1e-9);
    EXPECT_NEAR(computed(store, TotalCurrent), 5, 0.01);
}

TEST(SampleAnalysis, DegeneratePeriodAndCountsGiveDefinedResults)
{
    const LiveStore signal = balancedStar(0.5);
    auto run = [&](int ticks, int count) {
        LiveStore store = signal;
        analyseSamples(store, MeasuringSystem::Star, ticks, count);
        return store;
    };
    for (const auto& [ticks, count] : {std::pair{0, 250}, std::pair{Ticks50Hz, 0}}) {
        const LiveStore store = run(ticks, count);
        for (int number = 0; number < ComputedValueCount; ++number) {
            if (number != Frequency) {
                EXPECT_EQ(computed(store, number), 0) << number;
            }
        }
        EXPECT_EQ(computed(store, Frequency), ticks ? 50 : 0);
    }
    // More sets than the frame holds count as all 300.
    const LiveStore clamped = run(Ticks50Hz, 400), full = run(Ticks50Hz, 300);
    EXPECT_EQ(clamped.computedValues, full.computedValues);
    // 300 sets at 50 Hz need the voltage beyond the last sample: the six periods repeat.
    const LiveStore fivePeriods = run(Ticks50Hz, 250);
    EXPECT_NEAR(computed(full, ReactivePower), computed(fivePeriods, ReactivePower), 1e-6);
    // A very long period (k = 32) with a single sample stays inside the frame.
    EXPECT_TRUE(std::isfinite(computed(run(65535, 1), ReactivePower)));
}
