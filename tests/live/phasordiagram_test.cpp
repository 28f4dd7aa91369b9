#include "live/phasordiagram.h"
#include "live/quantitynumbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace kapstat;
using namespace kapstat::live;
using namespace kapstat::live::quantity;
using config::MeasuringSystem;

namespace {

constexpr double Pi = std::numbers::pi;

// Voltages of peak 325 and currents of peak 14 with the given angles (degrees) of UL1..UL3 and
// IL1..IL3, as the recorder's b, c coefficients.
LiveStore storeWithAngles(const std::array<double, 6>& degrees)
{
    LiveStore store;
    for (int k = 0; k < 6; ++k) {
        const double peak = k < 3 ? 325 : 14;
        const double a = degrees[k] * Pi / 180;
        const int offset = k < 3 ? k : k + 3;
        store.recorderValues[FundamentalSine + offset] = peak * std::cos(a);
        store.recorderValues[FundamentalCosine + offset] = peak * std::sin(a);
    }
    return store;
}

double angleOf(QPointF p)
{
    return std::atan2(p.y(), p.x()) * 180 / Pi;
}

} // namespace

TEST(PhasorDiagram, UL1PointsStraightUpWhateverItsPhase)
{
    const calib::RangeScale scale;
    for (const double start : {0.0, 37.0, -120.0, 179.0}) {
        const LiveStore store = storeWithAngles(
            {start, start + 120, start + 240, start - 20, start + 100, start + 220});
        const PhasorDiagram d = phasorDiagram(store, scale, MeasuringSystem::Star);
        ASSERT_EQ(d.voltages.size(), 3);
        EXPECT_NEAR(d.voltages[0].to.x(), 0, 1e-9) << start;
        EXPECT_NEAR(d.voltages[0].to.y(), 325, 1e-9) << start;
        // The others keep their angles to UL1, and the currents theirs.
        EXPECT_NEAR(std::hypot(d.currents[0].to.x(), d.currents[0].to.y()), 14, 1e-9);
        EXPECT_NEAR(std::remainder(angleOf(d.voltages[1].to) - angleOf(d.voltages[2].to), 360),
                    std::remainder(angleOf(d.voltages[2].to) - 90, 360), 1e-6);
        EXPECT_EQ(d.voltages[1].label, QStringLiteral("UL2"));
        EXPECT_EQ(d.currents[2].colour, PhasorColour::Blue);
    }
}

TEST(PhasorDiagram, ZeroReferenceLeavesThePhasorsUnturned)
{
    LiveStore store = storeWithAngles({0, 120, 240, 0, 120, 240});
    store.recorderValues[FundamentalSine] = 0;
    store.recorderValues[FundamentalCosine] = 0;
    const PhasorDiagram d = phasorDiagram(store, calib::RangeScale(), MeasuringSystem::Star);
    EXPECT_DOUBLE_EQ(d.voltages[1].to.x(), static_cast<double>(store.recorderValues[111]));
    EXPECT_DOUBLE_EQ(d.voltages[1].to.y(), static_cast<double>(store.recorderValues[108]));
}

TEST(PhasorDiagram, DeltaLineVoltagesCloseATriangle)
{
    const LiveStore store = storeWithAngles({30, 90, 0, 0, 120, 0});
    const PhasorDiagram d = phasorDiagram(store, calib::RangeScale(), MeasuringSystem::Delta);
    ASSERT_EQ(d.voltages.size(), 3);
    EXPECT_EQ(d.voltages[0].from, QPointF());
    EXPECT_EQ(d.voltages[1].from, d.voltages[0].to);
    EXPECT_EQ(d.voltages[2].from, d.voltages[1].to);
    EXPECT_EQ(d.voltages[2].to, QPointF());
    EXPECT_EQ(d.voltages[1].label, QStringLiteral("U21"));
    EXPECT_EQ(d.voltages[1].colour, PhasorColour::Blue);
    // UL1 turned up and then by 30 degrees more; the third current closes the other two.
    EXPECT_NEAR(std::fabs(angleOf(d.voltages[0].to) - 90), 30, 1e-9);
    const QPointF sum = d.currents[0].to + d.currents[1].to + d.currents[2].to;
    EXPECT_NEAR(sum.x(), 0, 1e-9);
    EXPECT_NEAR(sum.y(), 0, 1e-9);
}

TEST(PhasorDiagram, AxesFollowTheLargestPresentRange)
{
    LiveStore store;
    store.ranges = {1, 2, 1, 3, 5, 40};
    calib::RangeScale scale;
    scale.values[0][1] = 0.25;
    scale.values[1][2] = 0.125;
    scale.values[4][5] = 0.0011;
    scale.values[3][3] = 0.0004;
    const PhasorDiagram d = phasorDiagram(store, scale, MeasuringSystem::Star);
    EXPECT_EQ(d.voltageLimit, 512);
    EXPECT_EQ(d.currentLimit, 2); // 2.2528 to the nearest whole number; range 40 has no slot
}

TEST(PhasorDiagram, LegendChangesOnlyWithTheCoefficientsThatCount)
{
    const PhasorCoefficients last = phasorCoefficients(storeWithAngles({0, 120, 240, 0, 120, 240}));
    PhasorCoefficients now = last;
    now[1] += 1; // b of UL2
    EXPECT_TRUE(phasorLegendChanged(last, now, MeasuringSystem::Star));
    EXPECT_FALSE(phasorLegendChanged(last, now, MeasuringSystem::SinglePhase));
    now[9] += 1; // c of IL1
    EXPECT_TRUE(phasorLegendChanged(last, now, MeasuringSystem::SinglePhase));
    EXPECT_FALSE(phasorLegendChanged(last, last, MeasuringSystem::Delta));

    LiveStore store;
    store.recorderValues[LineVoltage12 + 2] = 400;
    store.recorderValues[TotalVoltage] = 230;
    EXPECT_EQ(phasorLegend(store, MeasuringSystem::Delta)[0], QStringLiteral("U31 =   400V"));
    EXPECT_TRUE(phasorLegend(store, MeasuringSystem::Delta)[5].isEmpty());
    EXPECT_EQ(phasorLegend(store, MeasuringSystem::SinglePhase)[0], QStringLiteral("UL1 =   230V"));
    EXPECT_TRUE(phasorLegend(store, MeasuringSystem::SinglePhase)[1].isEmpty());
}
