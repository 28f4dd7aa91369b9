#include "configurationimages.h"
#include "download/measurementtables.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "sim/measurementgenerator.h"
#include "sim/recorderemulator.h"

#include <QHash>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::sim;
using namespace kapstat::sim::images;
using download::MeasurementTables;
using download::RecordLayout;
using download::TableKind;
using link::ResponseBytes;
namespace numbers = link::numbers;

namespace {

Scenario scenarioOf(int records, QList<int> stations = {0}, quint32 seed = 1)
{
    Scenario scenario;
    scenario.records = records;
    scenario.stations = stations;
    scenario.seed = seed;
    return scenario;
}

ResponseBytes frameOf(const QByteArray& data)
{
    return ResponseBytes::withData(link::Command::ReadRecord, data);
}

// The RMS values of a record by field name.
QHash<QString, double> rmsValues(const MeasurementGenerator& generator, int n)
{
    const RecordLayout& layout = generator.layout();
    const ResponseBytes record = frameOf(*generator.record(n));
    const QStringList& names = MeasurementTables::nameList(TableKind::Rms);
    QHash<QString, double> values;
    for (int i = 0; i < layout.energyFields.size(); ++i)
        values[names[layout.energyFields[i]]] =
            numbers::decodeDecFloat5(record, layout.energiesPosition() + 5 * i).value;
    for (int i = 0; i < layout.valueFields.size(); ++i) {
        const auto decoded = numbers::decodeDecFloat3(record, layout.valuesPosition() + 3 * i);
        EXPECT_TRUE(decoded.ok()) << names[layout.valueFields[i]].toStdString();
        values[names[layout.valueFields[i]]] = decoded.value;
    }
    return values;
}

// Where a harmonics value of a 230 V star system belongs.
std::pair<double, double> plausibleHarmonicsRange(const QString& name)
{
    if (name.startsWith("THDI"))
        return {2, 15};
    static const QRegularExpression fundamental(QStringLiteral("^(UH1|U1)(min|max|sr|ch)$"));
    if (fundamental.match(name).hasMatch())
        return {215, 245};
    if (name.startsWith("THDU") || name.startsWith("UH"))
        return {0.01, 6};
    if (name.startsWith("cosH"))
        return {-1, 1};
    if (name.startsWith("U1U2"))
        return {0.1, 1};
    return {-1e9, 1e9};
}

class EmulatedRecords : public ::testing::Test
{
protected:
    ResponseBytes ask(quint8 code, const QByteArray& data)
    {
        const auto responses =
            emulator.receive(link::framecodec::build(link::framecodec::payload(code, data)));
        return responses.size() == 1 ? ResponseBytes(responses[0]) : ResponseBytes();
    }
    void configure(const QByteArray& image) { ask(link::Command::WriteConfiguration, image); }
    ResponseBytes record(int n)
    {
        return ask(link::Command::ReadRecord, numbers::encodeSigned16(n) + char(n >> 16));
    }

    RecorderEmulator emulator{[] {
        RecorderState state;
        state.recordCount = 30;
        state.scenario = scenarioOf(30);
        return state;
    }()};
};

} // namespace

TEST_F(EmulatedRecords, TheRecordLengthFollowsTheImageTheRecorderHoldsNow)
{
    const struct
    {
        const char* what;
        QByteArray image;
        int length;
    } cases[] = {
        {"default configuration", imageWith({}), 14},
        {"Pav and Umin", imageWith({{Energies, 0x04}, {FirstStatistics, 0x80}}), 20},
        {"voltage waveforms, star", imageWith({{Options, Star | VoltageWaveforms}}),
         14 + 34 + 1800},
        {"both waveforms, delta",
         imageWith({{Options, Delta | VoltageWaveforms | CurrentWaveforms}}), 14 + 34 + 2400},
        {"10b keeps the delta system", imageWith({{Options, KeepSystem | VoltageWaveforms}}),
         14 + 34 + 1200},
        {"single phase", imageWith({{Options, SinglePhase | VoltageWaveforms}}), 14 + 34 + 600},
        // B/C 12 x 4, THDU 4 x 3 phases, U2sr, UH1sr and UH2-24sr of 3 phases, the stamp.
        {"harmonics and phasors",
         imageWith(
             {{Options, Star | Phasors}, {Thd, 0xF0}, {Symmetrical, 0x20}, {Harmonics, 0x22}}),
         14 + 48 + 36 + 3 + 9 + 207 + 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        configure(c.image);
        EXPECT_EQ(emulator.recordLength(), c.length);
        const ResponseBytes answer = record(7);
        EXPECT_EQ(answer.size(), c.length);
        EXPECT_EQ(answer.bytes(5, c.length - 5), *emulator.measurements().record(7));
    }
}

TEST(MeasurementGenerator, ValuesArePlausibleAndAgreeWithEachOther)
{
    const MeasurementGenerator generator(scenarioOf(300, {0, 2}), everyRmsValue());
    QHash<QString, double> previous;
    for (int n = 1; n <= 300; ++n) {
        SCOPED_TRACE(::testing::Message() << "record " << n);
        const auto v = rmsValues(generator, n);
        // Statistics of the period: the minimum and maximum bound the mean and the last value.
        const QStringList& names = MeasurementTables::nameList(TableKind::Rms);
        for (int q = 8; q < 220; q += 4) {
            const QString base = names[q].chopped(3);
            EXPECT_LE(v[base + "min"], v[base + "sr"]) << base.toStdString();
            EXPECT_LE(v[base + "sr"], v[base + "max"]) << base.toStdString();
            EXPECT_LE(v[base + "min"], v[base + "ch"]) << base.toStdString();
            EXPECT_LE(v[base + "ch"], v[base + "max"]) << base.toStdString();
        }
        const struct
        {
            const char* name;
            double low, high;
        } ranges[] = {
            {"UL1sr", 220, 240}, {"UL3sr", 220, 240}, {"U23sr", 380, 416},  {"fsr", 49.9, 50.1},
            {"IL2sr", 150, 650}, {"PFL1sr", 0.85, 1}, {"PFsr", 0.85, 1},    {"CFUL1sr", 1.38, 1.45},
            {"UH0L1sr", -1, 1},  {"I0sr", 5, 40},     {"DFsr", 0.03, 0.08}, {"tgsr", 0.1, 0.5},
        };
        for (const auto& r : ranges) {
            EXPECT_GE(v[r.name], r.low) << r.name;
            EXPECT_LE(v[r.name], r.high) << r.name;
        }
        EXPECT_NEAR(v["PL1sr"], v["UL1sr"] * v["IL1sr"] * v["PFL1sr"], 0.02 * v["PL1sr"]);
        EXPECT_NEAR(v["Ssr"], v["SL1sr"] + v["SL2sr"] + v["SL3sr"], 0.02 * v["Ssr"]);
        EXPECT_NEAR(v["PFsr"], v["Psr"] / v["Ssr"], 0.01);
        EXPECT_NEAR(v["tgL2sr"], v["QL2sr"] / v["PL2sr"], 0.01);
        EXPECT_GE(v["Pav"], v["Psr"]);
        // Energy counters only grow, across the change of station too.
        for (const char* energy : {"Epplus", "Epmin", "Eqplus", "Eqmin", "Es"}) {
            if (n > 1) {
                EXPECT_GT(v[energy], previous[energy]) << energy;
            }
        }
        previous = v;
    }
}

TEST(MeasurementGenerator, DipsAndOvervoltagesShowInTheVoltageExtremes)
{
    Scenario scenario = scenarioOf(200);
    scenario.dips = {120};
    scenario.overvoltages = {130};
    const MeasurementGenerator generator(scenario, everyRmsValue());
    for (int n = 1; n <= 200; ++n) {
        const auto v = rmsValues(generator, n);
        const bool dip = n == 120, over = n == 130;
        EXPECT_EQ(v["UL2min"] < 0.75 * 230, dip) << n;
        EXPECT_EQ(v["UL2max"] > 1.1 * 230, over) << n;
    }
    // Without named dips the seed places about one in a hundred.
    const MeasurementGenerator seeded(scenarioOf(2000), everyRmsValue());
    int dips = 0;
    for (int n = 1; n <= 2000; ++n)
        dips += rmsValues(seeded, n)["Umin"] < 0.75 * 230;
    EXPECT_GE(dips, 8);
    EXPECT_LE(dips, 45);
}

TEST(MeasurementGenerator, RecordsFollowTheStoragePeriodAndRepeatEveryFifthHarmonicsStamp)
{
    // Stations 1 and 3 share ten records: 1-5 and 6-10.
    const QByteArray image = imageWith({{Options, Star}, {Thd, 0x10}, {StoragePeriod, 0}});
    const MeasurementGenerator generator(scenarioOf(10, {0, 2}), image);
    const int stamp = generator.layout().stampPosition();
    const QDateTime first(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(::testing::Message() << "record " << n);
        const ResponseBytes record = frameOf(*generator.record(n));
        EXPECT_EQ(record.at(5), n <= 5 ? 0 : 2);
        EXPECT_EQ(numbers::decodeBcdDateTime(record, 6).value, first.addSecs(n - 1));
        const QDateTime harmonics = numbers::decodeBcdDateTime(record, stamp).value;
        // Record 5 repeats record 4's; record 10 repeats 9's; 6 starts station 3 afresh.
        EXPECT_EQ(harmonics, first.addSecs(n % 5 == 0 ? n - 2 : n - 1));
    }
    // A station's first record never repeats the stamp of the station before it.
    const MeasurementGenerator twoRuns(scenarioOf(8, {0, 2}), image);
    EXPECT_FALSE(twoRuns.repeatsHarmonicsStamp(5));
    EXPECT_EQ(twoRuns.harmonicsStamp(5), twoRuns.time(5));
    // A ten-minute period.
    const MeasurementGenerator tenMinutes(scenarioOf(3), imageWith({{StoragePeriod, 10}}));
    EXPECT_EQ(tenMinutes.time(3), first.addSecs(1200));
}

TEST(MeasurementGenerator, HarmonicsAndPhasorsDecodeToPlausibleValues)
{
    const QByteArray image = imageWith({{Options, Star | Phasors},
                                        {Thd, 0xFF},
                                        {Symmetrical, 0xFF},
                                        {Symmetrical + 1, 0xFF},
                                        {Harmonics, 0x22},
                                        {Harmonics + 1, 0x22},
                                        {Harmonics + 2, 0x22}});
    const MeasurementGenerator generator(scenarioOf(20), image);
    const RecordLayout& layout = generator.layout();
    const QStringList& names = MeasurementTables::nameList(TableKind::Harm);
    const ResponseBytes record = frameOf(*generator.record(3));
    for (int g = 0; g < download::HarmonicsGroupCount; ++g) {
        const auto& group = layout.groups[g];
        for (int f = 0; f < (group.perPhase ? 3 : 1); ++f)
            for (int i = 0; i < group.count(); ++i) {
                const QString name = names[group.fields[i]];
                const double value =
                    numbers::decodeDecFloat3(record,
                                             layout.groupPosition(g) + 3 * (group.count() * f + i))
                        .value;
                const auto [low, high] = plausibleHarmonicsRange(name);
                EXPECT_GE(value, low) << name.toStdString() << " L" << f + 1;
                EXPECT_LE(value, high) << name.toStdString() << " L" << f + 1;
            }
    }
    // B/C: the phasors of UL1 (at 0 degrees) and of IL1 lagging it.
    const auto bc = [&](int i) {
        return numbers::decodeDecFloat4(record, layout.bcPosition() + 4 * i).value;
    };
    EXPECT_NEAR(bc(0), 230, 10); // BUL1
    EXPECT_NEAR(bc(1), 0, 0.01); // CUL1
    EXPECT_LT(bc(7), 0);         // CIL1
    EXPECT_GT(bc(6), 0);         // BIL1
}

TEST(MeasurementGenerator, SamplesAreTenPeriodsOfTheMainsWithTheirBlock)
{
    const QByteArray image = imageWith({{Options, Star | VoltageWaveforms | CurrentWaveforms}});
    const MeasurementGenerator generator(scenarioOf(5), image);
    const RecordLayout& layout = generator.layout();
    ASSERT_EQ(layout.waveformChannels(), 6);
    const ResponseBytes record = frameOf(*generator.record(4));
    int maximum = 0;
    for (int c = 1; c <= 6; ++c) {
        int crossings = 0, peak = 0, previous = 0;
        for (int s = 1; s <= 300; ++s) {
            const int position = 13 + 2 * ((s - 1) * 6 + (c - 1));
            const int value = numbers::decodeSigned16(record.at(position), record.at(position + 1));
            crossings += s > 1 && (previous < 0) != (value < 0);
            peak = std::max(peak, std::abs(value));
            previous = value;
        }
        EXPECT_NEAR(crossings, 20, 2) << "channel " << c;
        EXPECT_GT(peak, c <= 3 ? 18000 : 5000) << "channel " << c;
        maximum = std::max(maximum, peak);
    }
    const int block = layout.sampleBlockPosition();
    EXPECT_NEAR(numbers::decodeDecFloat4(record, block + 6).value, 230 * std::sqrt(2) / 20000,
                1e-6);
    EXPECT_EQ(numbers::decodeUnsigned(record, block + 30, 2), 4);
    EXPECT_EQ(numbers::decodeUnsigned(record, block + 32, 2), maximum);
}

TEST(MeasurementGenerator, EveryByteFollowsFromSeedRecordStationsAndImage)
{
    const QByteArray image = everyRmsValue();
    const MeasurementGenerator a(scenarioOf(50, {0, 2}, 7), image);
    const MeasurementGenerator same(scenarioOf(50, {0, 2}, 7), image);
    const MeasurementGenerator otherSeed(scenarioOf(50, {0, 2}, 8), image);
    for (int n : {1, 26, 50}) {
        EXPECT_EQ(a.record(n), same.record(n)) << n;
        EXPECT_NE(a.record(n), otherSeed.record(n)) << n;
    }
    EXPECT_NE(a.record(2), a.record(3));
    EXPECT_FALSE(a.record(0));
    EXPECT_FALSE(a.record(51));
}

TEST(MeasurementGenerator, AFullMemoryCostsNothingUntilARecordIsAsked)
{
    // The largest memory a recorder holds (the smallest record), at the longest storage period:
    // the last record is built on its own, and its counter still grows.
    const int last = 346910;
    const MeasurementGenerator generator(scenarioOf(last, {0, 1, 2, 3, 4, 5, 6, 7}),
                                         imageWith({{Energies, 0x80}, {StoragePeriod, 60}}));
    const ResponseBytes record = frameOf(*generator.record(last));
    const ResponseBytes before = frameOf(*generator.record(last - 1));
    EXPECT_EQ(record.at(5), 7);
    EXPECT_EQ(numbers::decodeBcdDateTime(record, 6).value,
              numbers::decodeBcdDateTime(before, 6).value.addSecs(3600));
    EXPECT_GT(numbers::decodeDecFloat5(record, 13).value,
              numbers::decodeDecFloat5(before, 13).value);
    // More records than the calendar holds at that period get a shorter step, never a year
    // past 2099.
    const RecordClock clock(3600, 0xFFFFFF);
    EXPECT_EQ(clock.at(0xFFFFFF).date().year(), 2099);
    EXPECT_LT(clock.at(0xFFFFFE), clock.at(0xFFFFFF));
}
