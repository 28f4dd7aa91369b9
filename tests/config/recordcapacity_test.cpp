#include "config/conditionquantities.h"
#include "config/configurationmodel.h"
#include "config/recordcapacity.h"
#include "config/recorderconfiguration.h"

#include <gtest/gtest.h>

namespace kapstat::config {
namespace {

RecorderConfiguration allOn(bool eventRecording)
{
    RecorderConfiguration c;
    c.selection.fill(true);
    for (int e = entries::FirstEventRecording; e <= entries::LastEventRecording; ++e)
        c.selection[e] = eventRecording;
    return c;
}

TEST(RecordCapacity, WorkedValues)
{
    const RecorderConfiguration nothing;
    EXPECT_EQ(capacity::recordSize(nothing), 9);
    EXPECT_EQ(capacity::recordCapacity(nothing), 346910);

    EXPECT_EQ(capacity::recordSize(allOn(false)), 7073);
    EXPECT_EQ(capacity::recordCapacity(allOn(false)), 441);
    EXPECT_EQ(capacity::recordCapacity(allOn(true)), 367);

    ConfigurationModel model;
    model.clickIndicator(entries::NormMode);
    EXPECT_EQ(capacity::recordSize(model.configuration()), 705);
    EXPECT_EQ(capacity::recordCapacity(model.configuration()), 3684);
}

TEST(RecordCapacity, EventRecordingTakesItsShareOfTheMemory)
{
    RecorderConfiguration c;
    EXPECT_EQ(capacity::recordMemory(c), 3122192);
    c.selection[entries::FirstEventRecording] = true;
    EXPECT_EQ(capacity::recordMemory(c), 2597904);
    EXPECT_EQ(capacity::recordSize(c), 9);
}

// Only the per-phase entries depend on the measuring system.
TEST(RecordCapacity, SystemChangesOnlyThePerPhaseEntries)
{
    struct Case
    {
        int entry;
        int star, delta, single;
    };
    const Case cases[] = {
        {1, 3, 3, 3},      {41, 5, 5, 5},  {137, 9, 6, 3},      {159, 1834, 1234, 634},
        {161, 48, 32, 16}, {210, 9, 6, 3}, {218, 207, 138, 69}, {241, 207, 138, 69},
        {245, 3, 3, 3},    {153, 0, 0, 0},
    };
    for (const Case& k : cases) {
        RecorderConfiguration c;
        c.selection[k.entry] = true;
        c.measuringSystem = MeasuringSystem::Star;
        EXPECT_EQ(capacity::recordSize(c) - 9, k.star) << k.entry;
        c.measuringSystem = MeasuringSystem::Delta;
        EXPECT_EQ(capacity::recordSize(c) - 9, k.delta) << k.entry;
        c.measuringSystem = MeasuringSystem::SinglePhase;
        EXPECT_EQ(capacity::recordSize(c) - 9, k.single) << k.entry;
    }
    RecorderConfiguration both;
    both.selection[entries::VoltageWaveforms] = both.selection[entries::CurrentWaveforms] = true;
    EXPECT_EQ(capacity::recordSize(both), 9 + 2 * 1800 + 34);
}

TEST(RecordCapacity, DisplayText)
{
    RecorderConfiguration c; // 346910 records every 5 minutes: 1734550 minutes
    EXPECT_EQ(capacity::displayText(c),
              QStringLiteral(
                  "Mozliwa rejestracja 346910 rekordów przez: 1204 dni, 13 godzin, 10 minut,"));
    c.storagePeriod = 0;
    EXPECT_EQ(
        capacity::displayText(c),
        QStringLiteral(
            "Mozliwa rejestracja 346910 rekordów przez: 4 dni, 0 godzin, 21 minut, 50 sekund"));
    c.conditions[1].quantity = 5;
    EXPECT_EQ(capacity::displayText(c),
              QStringLiteral("Mozliwa rejestracja 346910 rekordów przez:"));
}

TEST(RecorderConfiguration, Defaults)
{
    const RecorderConfiguration c;
    EXPECT_EQ(c.measuringSystem, MeasuringSystem::Star);
    EXPECT_EQ(c.storagePeriod, 5);
    EXPECT_EQ(c.alternatePeriod, 0);
    EXPECT_EQ(peakPowerMinutes(c.peakPowerPeriod), 15);
    EXPECT_EQ(c.thdBase, ThdBase::H1);
    EXPECT_FALSE(c.anyConditionActive());
    EXPECT_EQ(c.stations[7].description, QStringLiteral("Stacja 8"));
    EXPECT_EQ(vtSecondaryVolts(c.stations[0].vtSecondary), 230);
    EXPECT_EQ(c.stations[0].ctSecondary, QStringLiteral("1,00"));
    EXPECT_EQ(c.norm[NormField::HarmonicEven], QStringLiteral("0,5"));
    EXPECT_FALSE(c.isDefaultNorm()); // the period is 5, not 10
}

TEST(RecorderConfiguration, DefaultNormComparesTexts)
{
    RecorderConfiguration c;
    c.storagePeriod = 10;
    EXPECT_TRUE(c.isDefaultNorm());
    const std::pair<NormField, const char*> changes[] = {
        {NormField::VoltageShare, "95,0"},
        {NormField::Harmonic15, "0.5"},
        {NormField::FreqNarrowMinus, "1,0"},
    };
    for (const auto& [field, text] : changes) {
        RecorderConfiguration changed = c;
        changed.norm[field] = QString::fromUtf8(text);
        EXPECT_FALSE(changed.isDefaultNorm()) << text;
    }
    // Not part of the test.
    c.norm[NormField::OvervoltageThreshold] = QStringLiteral("150");
    c.norm[NormField::LongInterruption] = QStringLiteral("200");
    EXPECT_TRUE(c.isDefaultNorm());
}

TEST(ConditionQuantities, NamesAndCodes)
{
    EXPECT_EQ(conditions::name(0), QStringLiteral("wyłączony"));
    EXPECT_EQ(conditions::name(1), QStringLiteral("Pav"));
    EXPECT_EQ(conditions::name(66), QStringLiteral("U0"));
    EXPECT_EQ(conditions::name(67), QStringLiteral("UH1L1"));
    EXPECT_EQ(conditions::name(69), QStringLiteral("cosH1L1"));
    EXPECT_EQ(conditions::name(70), QStringLiteral("UH1L2"));
    EXPECT_EQ(conditions::name(282), QStringLiteral("cosH24L3"));
    EXPECT_EQ(conditions::codeOf(282), 281);
    EXPECT_EQ(conditions::codeOf(0), 282);
    EXPECT_EQ(conditions::entryOf(0), 1);
    EXPECT_EQ(conditions::entryOf(282), 0);
}

} // namespace
} // namespace kapstat::config
