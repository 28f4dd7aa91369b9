#include "live/harmonicsview.h"
#include "live/quantitynumbers.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::live;
using namespace kapstat::live::quantity;
using config::MeasuringSystem;
using config::ThdBase;

namespace {

// UL1 of 230 V with an H1 of 229.5 V and a 5th harmonic of 6.5 %, IL1 of 10 A with 9.8 A H1.
LiveStore storeWithHarmonics()
{
    LiveStore store;
    store.recorderValues[Rms] = 230;
    store.recorderValues[Rms + 3] = 10;
    store.recorderValues[TotalVoltage] = 230;
    store.recorderValues[TotalCurrent] = 10;
    store.recorderValues[LineVoltage12 + 2] = 400;
    store.recorderValues[Frequency] = 49.98L;
    store.recorderHarmonics[0][1] = 229.5L;
    store.recorderHarmonics[0][5] = 6.5L;
    store.recorderHarmonics[0][7] = 5.9L;
    store.recorderHarmonics[3][1] = 9.8L;
    store.recorderHarmonics[3][5] = 12.25L;
    store.recorderHarmonics[6][1] = 0.95L;
    store.recorderHarmonicsRaw[6][2] = QStringLiteral("2A0100");
    return store;
}

HarmonicsSettings settings(MeasuringSystem system, ThdBase base, bool normShown)
{
    HarmonicsSettings s;
    s.system = system;
    s.base = base;
    s.normShown = normShown;
    s.limits.fill(6);
    s.limits[0] = 0;
    return s;
}

HarmonicsView viewOf(const LiveStore& store, int tab, const HarmonicsSettings& s)
{
    return harmonicsView(store, showLiveValues(store.recorderValues, s.system), tab, s);
}

} // namespace

TEST(HarmonicsView, FundamentalReadsAgainstTheConfiguredBase)
{
    const LiveStore store = storeWithHarmonics();
    const HarmonicsView h1 = viewOf(store, 0, settings(MeasuringSystem::Star, ThdBase::H1, false));
    EXPECT_EQ(h1.rows[0][0], QStringLiteral("100,00"));
    EXPECT_EQ(h1.rows[0][1], QStringLiteral("100,00"));
    const HarmonicsView rms =
        viewOf(store, 0, settings(MeasuringSystem::Star, ThdBase::Rms, false));
    EXPECT_EQ(rms.rows[0][0], QStringLiteral("99,78"));
    EXPECT_EQ(rms.rows[0][1], QStringLiteral("98,00"));
    EXPECT_DOUBLE_EQ(rms.voltageBars[0], 99.78);
    // Under delta the base is the line voltage; under "1 faza" the totals carry the phase.
    EXPECT_EQ(viewOf(store, 0, settings(MeasuringSystem::Delta, ThdBase::Rms, false)).rows[0][0],
              QStringLiteral("57,38"));
    EXPECT_EQ(
        viewOf(store, 0, settings(MeasuringSystem::SinglePhase, ThdBase::Rms, false)).rows[0][0],
        QStringLiteral("99,78"));
    LiveStore noVoltage = store;
    noVoltage.recorderValues[Rms] = 0;
    EXPECT_EQ(viewOf(noVoltage, 0, settings(MeasuringSystem::Star, ThdBase::Rms, false)).rows[0][0],
              QStringLiteral("0,00"));
}

TEST(HarmonicsView, OverLimitBarsAreRedOnlyWithTheNormShownOnVoltageTabs)
{
    const LiveStore store = storeWithHarmonics();
    const HarmonicsView shown =
        viewOf(store, 0, settings(MeasuringSystem::Star, ThdBase::H1, true));
    EXPECT_TRUE(shown.voltageOverLimit[4]);  // 6.5 % against 6
    EXPECT_FALSE(shown.voltageOverLimit[6]); // 5.9 %
    EXPECT_FALSE(shown.voltageOverLimit[0]); // the fundamental never
    EXPECT_EQ(shown.rows[4][0], QStringLiteral("06,50"));
    const HarmonicsView hidden =
        viewOf(store, 0, settings(MeasuringSystem::Star, ThdBase::H1, false));
    EXPECT_FALSE(hidden.voltageOverLimit[4]);
    const HarmonicsView both = viewOf(store, 6, settings(MeasuringSystem::Star, ThdBase::H1, true));
    EXPECT_FALSE(both.normEnabled);
    EXPECT_FALSE(both.voltageOverLimit[4]);
    EXPECT_EQ(both.kind, HarmonicsKind::Both);
    EXPECT_EQ(both.title, QStringLiteral("Harmoniczne U i I L1 [%]"));
    EXPECT_EQ(both.axisTitle, QStringLiteral("U i I [% względem H01]"));
}

TEST(HarmonicsView, TablesTitlesAndTabs)
{
    const LiveStore store = storeWithHarmonics();
    const HarmonicsView current =
        viewOf(store, 3, settings(MeasuringSystem::Star, ThdBase::H1, false));
    EXPECT_EQ(current.title, QStringLiteral("Harmoniczne I L1 [%]"));
    EXPECT_EQ(current.rows[4][1], QStringLiteral("12,25"));
    EXPECT_EQ(current.rows[0][2], QStringLiteral("0,95"));
    EXPECT_EQ(current.rows[1][2], QStringLiteral("2A0100")); // the recorder's raw text
    EXPECT_EQ(current.headings, (std::array<QString, 3>{"UL1[%]", "IL1[%]", "cosL1"}));
    EXPECT_EQ(current.voltageTable[0], QStringLiteral("49,98 Hz"));
    EXPECT_EQ(current.voltageTable[2], QStringLiteral("  230V"));
    EXPECT_EQ(current.voltageTable[4], QStringLiteral("  230V"));
    EXPECT_EQ(current.currentTable[4], QStringLiteral(" 9,80A"));
    const HarmonicsView delta =
        viewOf(store, 0, settings(MeasuringSystem::Delta, ThdBase::H1, false));
    EXPECT_EQ(delta.headings[0], QStringLiteral("U31[%]"));
    EXPECT_EQ(delta.voltageTable[2], QStringLiteral("  400V"));
    EXPECT_EQ(frequencyText(50), QStringLiteral("50 Hz"));
    EXPECT_EQ(frequencyText(49.5), QStringLiteral("49,5 Hz"));

    QStringList delta9, single9;
    for (int tab = 0; tab < HarmonicsTabCount; ++tab) {
        delta9 << harmonicsTabCaption(tab, MeasuringSystem::Delta);
        single9 << harmonicsTabCaption(tab, MeasuringSystem::SinglePhase);
    }
    EXPECT_EQ(delta9,
              QStringList({"UL1", "UL2", "---", "IL1", "IL2", "---", "UL1+IL1", "UL2+IL2", "---"}));
    EXPECT_EQ(single9,
              QStringList({"UL1", "---", "---", "IL1", "---", "---", "UL1+IL1", "---", "---"}));
}
