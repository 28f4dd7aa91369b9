#include "norm/compliancestatistics.h"
#include "norm/pccounterslots.h"
#include "normdatabase.h"

#include <gtest/gtest.h>

using namespace kapstat;
using config::MeasuringSystem;
using download::TableKind;
using fixtures::EventValues;
using fixtures::HarmonicValues;
using fixtures::NormDatabase;
using fixtures::RmsValues;
using norm::ComplianceSource;
using norm::ComplianceStatistics;
using norm::PcCounterSlots;

namespace {

// The statistics of the finished database with the events window shown or not.
ComplianceStatistics statisticsOf(NormDatabase& db, bool eventsShown = true,
                                  PcCounterSlots* slots = nullptr)
{
    browse::BrowseState& state = db.finish();
    PcCounterSlots ownSlots;
    QString error;
    const auto statistics = ComplianceStatistics::compute(ComplianceSource::of(state, eventsShown),
                                                          slots ? *slots : ownSlots, &error);
    EXPECT_TRUE(statistics) << error.toStdString();
    return statistics.value_or(ComplianceStatistics{});
}

// Un 230 V with the PN-EN 50160 defaults: uInt 2.3, uLow 207, uHigh 253; f1 49.5..50.5,
// f2 47..52.
RmsValues star(double mean, double minimum = 230, double maximum = 230)
{
    RmsValues values;
    values.mean[0] = mean;
    values.minimum[0] = minimum;
    values.maximum[0] = maximum;
    return values;
}

} // namespace

TEST(ComplianceStatisticsTest, CountsFrequencyBandsWithInclusiveBounds)
{
    struct Case
    {
        double f;
        bool narrow;
        bool wide;
    };
    const Case cases[] = {{50.5, true, true},   // f1High exactly
                          {49.5, true, true},   // f1Low exactly
                          {47, false, true},    // f2Low exactly
                          {52, false, true},    // f2High exactly
                          {46.5, false, false}, // below band 2
                          {50.51, false, true}};
    for (const Case& c : cases) {
        NormDatabase db(MeasuringSystem::Star);
        RmsValues values;
        values.f = c.f;
        db.addRms(values);
        db.addHarmonicsOfAllPhases(1);
        const ComplianceStatistics s = statisticsOf(db);
        EXPECT_EQ(s.recordCount, 1);
        EXPECT_EQ(s.freqNarrowCount, c.narrow ? 1 : 0) << c.f;
        EXPECT_EQ(s.freqWideCount, c.wide ? 1 : 0) << c.f;
        EXPECT_EQ(s.freqNarrowPct, c.narrow ? 100 : 0) << c.f;
    }
}

TEST(ComplianceStatisticsTest, SortsEveryVoltageIntoBandDipInterruptionOrOvervoltage)
{
    struct Case
    {
        const char* what;
        RmsValues values;
        double inBand, usrInt, uminInt, usrDip, uminDip, usrOver, umaxOver;
        double deepestUsr, deepestUmin, highestUsr, highestUmax;
    };
    const Case cases[] = {
        {"mean at uLow is in the band, not a dip", star(207), 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"mean at uHigh is in the band", star(253), 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"mean at uInt is a dip, not an interruption", star(2.3, 2.3), 0, 0, 0, 1, 1, 0, 0, -99,
         -99, 0, 0},
        {"mean below uInt is an interruption", star(1, 0), 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
        {"a dip of the minimum only", star(230, 184), 1, 0, 0, 0, 1, 0, 0, 0, -20, 0, 0},
        {"over-voltage of mean and maximum", star(276, 230, 299), 0, 0, 0, 0, 0, 1, 1, 0, 0, 20,
         30},
        {"over-voltage of the maximum only", star(230, 230, 276), 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NormDatabase db(MeasuringSystem::Star);
        db.addRms(c.values);
        db.addHarmonicsOfAllPhases(1);
        const ComplianceStatistics s = statisticsOf(db);
        EXPECT_EQ(s.voltageInTolCount[0], c.inBand);
        EXPECT_EQ(s.usrInterruptions[0], c.usrInt);
        EXPECT_EQ(s.uminInterruptions[0], c.uminInt);
        EXPECT_EQ(s.usrDips[0], c.usrDip);
        EXPECT_EQ(s.uminDips[0], c.uminDip);
        EXPECT_EQ(s.usrOvervoltages[0], c.usrOver);
        EXPECT_EQ(s.umaxOvervoltages[0], c.umaxOver);
        EXPECT_NEAR(s.usrDeepestDip[0], c.deepestUsr, 1e-9);
        EXPECT_NEAR(s.uminDeepestDip[0], c.deepestUmin, 1e-9);
        EXPECT_NEAR(s.usrHighestOvervoltage[0], c.highestUsr, 1e-9);
        EXPECT_NEAR(s.umaxHighestOvervoltage[0], c.highestUmax, 1e-9);
        // The other columns stayed at 230 V.
        EXPECT_EQ(s.voltageInTolCount[1], 1);
        EXPECT_EQ(s.usrDips[2], 0);
    }
}

TEST(ComplianceStatisticsTest, KeepsTheDeepestDipAndHighestOvervoltageWhateverTheOrder)
{
    NormDatabase db(MeasuringSystem::Star);
    for (double mean : {200.0, 161.0, 184.0, 276.0, 299.0, 264.5})
        db.addRms(star(mean));
    db.addHarmonicsOfAllPhases(1);
    const ComplianceStatistics s = statisticsOf(db);
    EXPECT_EQ(s.usrDips[0], 3);
    EXPECT_NEAR(s.usrDeepestDip[0], -30, 1e-9);
    EXPECT_EQ(s.usrOvervoltages[0], 3);
    EXPECT_NEAR(s.usrHighestOvervoltage[0], 30, 1e-9);
}

TEST(ComplianceStatisticsTest, SharesLeaveInterruptionsOutAndTruncate)
{
    NormDatabase db(MeasuringSystem::Star);
    RmsValues interrupted = star(1);
    interrupted.mean[1] = 1; // column 2 is an interruption throughout
    RmsValues inBand = star(230);
    inBand.mean[1] = 1;
    RmsValues dip = star(200);
    dip.mean[1] = 1;
    dip.f = 49;
    db.addRms(interrupted, 10);
    db.addRms(inBand, 950);
    db.addRms(dip, 40);
    db.addHarmonicsOfAllPhases(1);
    const ComplianceStatistics s = statisticsOf(db);
    EXPECT_EQ(s.recordCount, 1000);
    EXPECT_EQ(s.voltageInTolPct[0], 95); // 950 / 990
    EXPECT_EQ(s.voltageInTolPct[1], 0);  // M = 0
    EXPECT_EQ(s.voltageInTolPct[2], 100);
    EXPECT_EQ(s.freqNarrowPct, 96); // 960 / 1000
}

TEST(ComplianceStatisticsTest, TruncatesSharesWithoutBinaryRoundingErrors)
{
    struct Case
    {
        int inBand;
        int total;
        double pct;
    };
    // 94.99 % is 94; 57 / 100 × 100 is 56.99999… in binary, yet 57 % of the records are 57 %.
    const Case cases[] = {{1899, 1999, 94}, {57, 100, 57}, {29, 100, 29}};
    for (const Case& c : cases) {
        NormDatabase db(MeasuringSystem::SinglePhase);
        RmsValues outside;
        outside.f = 49;
        db.addRms({}, c.inBand);
        db.addRms(outside, c.total - c.inBand);
        db.addHarmonicsOfAllPhases(1);
        EXPECT_EQ(statisticsOf(db).freqNarrowPct, c.pct) << c.inBand << " of " << c.total;
    }
}

TEST(ComplianceStatisticsTest, DeltaJudgesItsThirdVoltageByTheBandOnly)
{
    NormDatabase db(MeasuringSystem::Delta);
    RmsValues values;
    values.mean = {230, 200, 1}; // U31 in band, U23 a dip, U12 far below uInt
    values.minimum = {230, 200, 230};
    values.maximum = {230, 230, 230};
    db.addRms(values, 3);
    db.addRms({}, 1);
    db.addHarmonicsOfAllPhases(1);
    const ComplianceStatistics s = statisticsOf(db);
    EXPECT_EQ(s.usrDips[1], 3);
    EXPECT_EQ(s.voltageInTolCount[2], 1);
    EXPECT_EQ(s.usrInterruptions[2], 0);
    EXPECT_EQ(s.uminInterruptions[2], 0);
    EXPECT_EQ(s.voltageInTolPct[2], 25); // M is N
}

TEST(ComplianceStatisticsTest, HarmonicsCountPerPhaseAndJudgeUnbalanceOnL1)
{
    NormDatabase db(MeasuringSystem::Star);
    db.addRms({}, 1);
    db.addHarmonics({QStringLiteral("L1"), 1, 0.1, 0.5}, 3);
    db.addHarmonics({QStringLiteral("L1"), 9, 9, 3}, 1); // THD, every order and U1/U2 too high
    db.addHarmonics({QStringLiteral("L2"), 1, 0.1, 9}, 2);
    db.addHarmonics({QStringLiteral("L3"), 8, 2, 9}, 4); // THD and H2 exactly at their limits
    db.addHarmonics({QStringLiteral("X"), 1, 0.1, 0.5}, 5);
    const ComplianceStatistics s = statisticsOf(db);
    EXPECT_EQ(s.harmonicRecordCount, 4);
    EXPECT_EQ(s.unbalanceCount, 3);
    EXPECT_EQ(s.unbalancePct, 75);
    EXPECT_EQ(s.thdCount[0], 3);
    EXPECT_EQ(s.thdCount[2], 4);
    EXPECT_EQ(s.thdPct[1], 50); // L2 and L3 are divided by the L1 records
    EXPECT_EQ(s.thdPct[2], 100);
    EXPECT_EQ(s.harmonicCount[2][2], 4);
    EXPECT_EQ(s.harmonicCount[3][2], 4);
    EXPECT_EQ(s.harmonicCount[4][2], 0); // 2 > 1 % for H4
    EXPECT_EQ(s.harmonicPct[24][0], 75);
}

TEST(ComplianceStatisticsTest, EventPassCountsDurationsMicroInterruptionsAndTransients)
{
    NormDatabase db(MeasuringSystem::Delta);
    db.addRms({}, 1);
    db.addHarmonicsOfAllPhases(1);
    // Default long-interruption threshold 180 s.
    db.addEvent({{180, 5, 7}, {59000, 3, 1}, {2.5, 0, 4}, {400, 999, 10}});
    db.addEvent({{179, std::nullopt, 7}, {2000, 4, 1}, {0, 1.5, 4}, {650, 20, 10}});
    db.addEvent({{std::nullopt, 200, 7}, {10, 0, 1}, {1, 0, 4}, {500, 30, 10}});
    browse::BrowseState& state = db.finish();
    PcCounterSlots slots;
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "events window shown" : "events window closed");
        const auto s =
            ComplianceStatistics::compute(ComplianceSource::of(state, shown), slots, nullptr);
        ASSERT_TRUE(s);
        const double n = shown ? 1 : 0;
        EXPECT_EQ(s->longInterruptions[0], 1 * n);
        EXPECT_EQ(s->shortInterruptions[0], 1 * n); // the empty duration counts in neither
        EXPECT_EQ(s->longInterruptions[1], 1 * n);
        EXPECT_EQ(s->shortInterruptions[1], 1 * n);
        EXPECT_EQ(s->microInterruptions[0], 60000 * n); // capped, and stays there
        EXPECT_EQ(s->microInterruptions[1], 7 * n);
        EXPECT_EQ(s->transientSeconds[0], 2 * n);
        EXPECT_EQ(s->transientLongestTime[0], 2.5 * n);
        EXPECT_EQ(s->transientMaxAmplitude[0], 500 * n); // of the records with a transient
        EXPECT_EQ(s->transientSeconds[1], 1 * n);
        // Delta has no third event phase.
        EXPECT_EQ(s->longInterruptions[2], 0);
        EXPECT_EQ(s->microInterruptions[2], 0);
        EXPECT_EQ(s->transientSeconds[2], 0);
    }
}

TEST(ComplianceStatisticsTest, RespectsTheConditionFilterAndPhaseItems)
{
    NormDatabase db(MeasuringSystem::Star);
    RmsValues stored = star(200);
    stored.war = 2;
    db.addRms(stored, 2);
    db.addRms({}, 3);
    db.addHarmonics({QStringLiteral("L1"), 1, 0.1, 0.5, 2}, 1);
    db.addHarmonics({QStringLiteral("L1"), 1, 0.1, 0.5, 0}, 1);
    db.addHarmonics({QStringLiteral("L2"), 1, 0.1, 0.5, 2}, 1);
    browse::BrowseState& state = db.finish();
    state.setConditionFilter(true);
    state.togglePhase(1);
    PcCounterSlots slots;
    const auto s = ComplianceStatistics::compute(ComplianceSource::of(state, true), slots, nullptr);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->recordCount, 2);
    EXPECT_EQ(s->usrDips[0], 2);
    EXPECT_EQ(s->harmonicRecordCount, 1);
    EXPECT_EQ(s->thdCount[1], 0); // L2 hidden
}

TEST(ComplianceStatisticsTest, CopiesTheCountsIntoTheirSlotsOnly)
{
    NormDatabase db(MeasuringSystem::Star);
    db.addRms(star(200, 1, 276), 3);
    RmsValues off = star(230);
    off.f = 46;
    db.addRms(off, 1);
    db.addHarmonicsOfAllPhases(2);
    db.addHarmonics({QStringLiteral("L3"), 9, 9, 9}, 1);
    db.addEvent({{200, 0, 0}, {12, 0, 0}, {2, 0, 0}, {700, 0, 0}});
    PcCounterSlots slots;
    slots.set(2, 7);
    slots.set(169, 7);
    statisticsOf(db, true, &slots);
    struct Case
    {
        int slot;
        double value;
    };
    const Case cases[] = {{0, 1},     {1, 1},   {2, 7},    {29, 3},  {32, 0},
                          {35, 12},   {41, 1},  {44, 0},   {50, 3},  {53, -13.0435},
                          {65, 2},    {66, 2},  {88, 2},   {89, 2},  {112 + 22, 2},
                          {135, 2},   {137, 2}, {149, 3},  {152, 1}, {155, 5},
                          {158, 700}, {161, 0}, {164, 20}, {169, 0}, {170, 0}};
    for (const Case& c : cases)
        EXPECT_NEAR(slots.value(c.slot), c.value, 1e-4) << "slot " << c.slot;
}

TEST(ComplianceStatisticsTest, FailsWithAMessageInsteadOfDividingByZero)
{
    struct Case
    {
        const char* what;
        std::function<void(NormDatabase&)> build;
        const char* messagePart;
    };
    const Case cases[] = {
        {"no harmonics table",
         [](NormDatabase& db) {
             db.addRms({}, 1);
             db.dropTable(TableKind::Harm);
         },
         "tabeli harmonicznych"},
        {"no L1 harmonics record",
         [](NormDatabase& db) {
             db.addRms({}, 1);
             db.addHarmonics({QStringLiteral("L2")});
         },
         "fazy L1"},
        {"no RMS record", [](NormDatabase& db) { db.addHarmonicsOfAllPhases(1); },
         "żadnego wyświetlanego"},
        {"nominal voltage 0",
         [](NormDatabase& db) {
             db.configuration().stations[0].un = 0;
             db.addRms({}, 1);
             db.addHarmonicsOfAllPhases(1);
         },
         "0 V"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NormDatabase db(MeasuringSystem::Star);
        c.build(db);
        browse::BrowseState& state = db.finish();
        PcCounterSlots slots;
        slots.set(0, 42);
        QString error;
        EXPECT_FALSE(
            ComplianceStatistics::compute(ComplianceSource::of(state, true), slots, &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.messagePart))) << error.toStdString();
        EXPECT_EQ(slots.value(0), 42);
    }
}
