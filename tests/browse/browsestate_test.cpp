#include "browse/browsestate.h"
#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "databasefixture.h"
#include "link/scriptedprompter.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kapstat;
using browse::BrowseState;
using browse::ToggleOutcome;
using download::TableKind;
using fixtures::at;
using fixtures::DatabaseFixture;

namespace {

config::RecorderConfiguration configurationOf(config::MeasuringSystem system)
{
    config::RecorderConfiguration configuration;
    configuration.measuringSystem = system;
    return configuration;
}

// A database with ten RMS records (War 0 and 3 in turn), harmonics rows of the phases of the
// system for each, and two events.
void fillDatabase(DatabaseFixture& db,
                  config::MeasuringSystem system = config::MeasuringSystem::Star)
{
    db.writeHeader(configurationOf(system));
    db.createTable(TableKind::Rms, {"Pav", "Umin", "Licznik", "Wzm0", "ProbkiUL1"});
    db.appendRmsRecords(10, at(2026, 3, 1, 23, 10), 10, {0, 3}, 2);
    db.createTable(TableKind::Harm, {"THDUsr", "UH5sr", "BUL1", "CUL1", "cosH1sr"});
    const int phases = config::phaseCount(system);
    for (int nr = 1; nr <= 10; ++nr)
        for (int phase = 1; phase <= phases; ++phase)
            db.append(TableKind::Harm, {{"Nr", nr},
                                        {"NrSt", 2},
                                        {"DiC", at(2026, 3, 1, 23, 10).addSecs(nr * 600 - 600)},
                                        {"War", nr % 2 ? 0 : 3},
                                        {"Faza", QStringLiteral("L%1").arg(phase)},
                                        {"UH5sr", nr + phase * 0.1}});
    db.createTable(TableKind::Zanik, {"PrzerwaL1", "Czas_PL1", "Czas_PrzepL1", "AdresL1"});
    db.append(TableKind::Zanik, {{"Nr", 1}, {"NrSt", 2}, {"DiC", at(2026, 3, 1, 23, 30)}});
    db.append(TableKind::Zanik, {{"Nr", 2}, {"NrSt", 2}, {"DiC", at(2026, 3, 2, 1, 0)}});
    db.closeTables();
}

class BrowseStateTest : public ::testing::Test
{
protected:
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    BrowseState state{configuration, prompter};
};

} // namespace

TEST(SelectionFileTest, ReadsTheStationDigitAtPositionFifteenOnly)
{
    struct Case
    {
        const char* name;
        std::optional<int> station;
    };
    const Case cases[] = {{"081208-153012_3_Hala 2.pom", 3},
                          {"081208-153012_8_x.POM", 8},
                          {"081208-15301_3_Hala.pom", std::nullopt}, // the digit one place early
                          {"081208-153012_x_Hala.pom", std::nullopt},
                          {"081208-153012_0_Hala.pom", std::nullopt},
                          {"081208-153012_9_Hala.pom", std::nullopt},
                          {"short.pom", std::nullopt},
                          {"081208-153012_", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(browse::SelectionFile::stationOf(QString::fromUtf8(c.name)), c.station) << c.name;
}

TEST_F(BrowseStateTest, OpensTheHeaderTablesNormAndBounds)
{
    DatabaseFixture db(QStringLiteral("260301-231000_2_Rozdzielnia A.B"));
    fillDatabase(db);
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);

    EXPECT_TRUE(state.isOpen());
    EXPECT_EQ(state.selection().station, 2);
    EXPECT_EQ(state.selection().place, QStringLiteral("Rozdzielnia A.B"));
    EXPECT_EQ(state.selection().serialNumber(), QStringLiteral("KAP-640 nr 0001234 / 2026"));
    EXPECT_EQ(state.selection().received(), QStringLiteral("2026-12-10 12:00:00"));
    EXPECT_EQ(state.phaseCountCode(), 3);
    EXPECT_EQ(state.firstMeasurement(), QStringLiteral("01-03-26 23:10:00"));
    EXPECT_EQ(state.lastMeasurement(), QStringLiteral("02-03-26 00:40:00"));
    EXPECT_EQ(state.nominalVoltageStation(), 2);
    EXPECT_EQ(state.nominalVoltage(), 230);
    EXPECT_EQ(state.norm().recordPeriodSeconds, 300);
    EXPECT_EQ(state.norm().harmonicLimit[5], 6);
    EXPECT_EQ(state.norm().harmonicLimit[24], 0.5);
    EXPECT_EQ(state.model(TableKind::Rms)->rowCount(), 10);
    EXPECT_EQ(state.model(TableKind::Harm)->rowCount(), 30);
    EXPECT_EQ(state.model(TableKind::Zanik)->rowCount(), 2);
}

TEST_F(BrowseStateTest, SetsUpThePhaseItemsByMeasuringSystem)
{
    using config::MeasuringSystem;
    const std::pair<MeasuringSystem, int> systems[] = {
        {MeasuringSystem::SinglePhase, 1}, {MeasuringSystem::Delta, 2}, {MeasuringSystem::Star, 3}};
    for (const auto& [system, phases] : systems) {
        DatabaseFixture db;
        fillDatabase(db, system);
        ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
        for (int phase = 0; phase < 3; ++phase) {
            EXPECT_EQ(state.phaseItem(phase).checked, phase < phases) << phases << phase;
            EXPECT_EQ(state.phaseItem(phase).enabled, phase < phases) << phases << phase;
        }
        EXPECT_EQ(state.model(TableKind::Harm)->rowCount(), 10 * phases);
    }
}

TEST_F(BrowseStateTest, StoragePeriodZeroIsOneSecond)
{
    config::RecorderConfiguration configuration;
    configuration.storagePeriod = 0;
    const auto norm = browse::NormParameterSet::from(configuration, nullptr);
    ASSERT_TRUE(norm);
    EXPECT_EQ(norm->recordPeriodSeconds, 1);
    EXPECT_EQ(norm->averagingMinutes, 0);
}

TEST_F(BrowseStateTest, OpensADatabaseWithOnlyItsEventsTable)
{
    DatabaseFixture db;
    db.writeHeader();
    db.createTable(TableKind::Zanik, {"Czas_PL1"});
    db.append(TableKind::Zanik, {{"Nr", 1}, {"NrSt", 1}, {"DiC", at(2026, 1, 1)}});
    db.closeTables();
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
    EXPECT_EQ(state.model(TableKind::Rms), nullptr);
    EXPECT_EQ(state.model(TableKind::Harm), nullptr);
    ASSERT_NE(state.model(TableKind::Zanik), nullptr);
    EXPECT_EQ(state.firstMeasurement(), QString());
}

TEST_F(BrowseStateTest, BadInputLeavesThePreviousDatabaseOpen)
{
    DatabaseFixture good;
    fillDatabase(good);
    ASSERT_EQ(state.open(good.selectionFile()), std::nullopt);
    const auto configurationBefore = configuration.configuration();

    struct Case
    {
        const char* what;
        std::function<void(DatabaseFixture&)> damage;
        const char* messagePart;
    };
    const Case cases[] = {
        {"unreadable selection file",
         [](DatabaseFixture& db) { QFile::remove(db.selectionFile()); }, "Nie można odczytać"},
        {"missing settings file",
         [](DatabaseFixture& db) { QFile::remove(db.base() + ".CONF.ust"); }, ".CONF.ust"},
        {"a share with a fraction",
         [](DatabaseFixture& db) {
             config::RecorderConfiguration c;
             c.norm[config::NormField::VoltageShare] = QStringLiteral("95,5");
             db.writeHeader(c);
         },
         "95,5"},
        {"a table that is no database",
         [](DatabaseFixture& db) {
             QFile file(db.base() + ".HARM.db");
             file.open(QIODevice::WriteOnly | QIODevice::Truncate);
             file.write(QByteArray(4096, 'x'));
         },
         ".HARM.db"},
        {"a table without War",
         [](DatabaseFixture& db) {
             download::TableDefinition definition;
             definition.fields = {{"Nr", download::FieldType::Integer, true, 0},
                                  {"NrSt", download::FieldType::Integer, true, 0},
                                  {"DiC", download::FieldType::DateTime, true, 0}};
             definition.primaryField = "Nr";
             download::TableStore::create(db.base() + ".db", definition);
         },
         "War"},
        {"no table at all",
         [](DatabaseFixture& db) {
             for (const char* suffix : {".db", ".HARM.db", ".PRZE.db"})
                 QFile::remove(db.base() + suffix);
         },
         "nie zawiera"},
    };
    for (const Case& c : cases) {
        DatabaseFixture bad(QStringLiteral("260401-101010_1_Inne"));
        fillDatabase(bad, config::MeasuringSystem::SinglePhase);
        c.damage(bad);
        const auto error = state.open(bad.selectionFile());
        ASSERT_TRUE(error) << c.what;
        EXPECT_TRUE(error->contains(QString::fromUtf8(c.messagePart)))
            << c.what << ": " << error->toStdString();
        EXPECT_EQ(state.selection().path, good.selectionFile()) << c.what;
        EXPECT_EQ(state.model(TableKind::Harm)->rowCount(), 30) << c.what;
        EXPECT_EQ(configuration.configuration(), configurationBefore) << c.what;
    }
}

TEST_F(BrowseStateTest, SecondOpeningClearsTheSelectionsAndReplacesTheTables)
{
    DatabaseFixture first, second(QStringLiteral("260401-101010_1_Inne"));
    fillDatabase(first);
    fillDatabase(second, config::MeasuringSystem::Delta);
    ASSERT_EQ(state.open(first.selectionFile()), std::nullopt);
    state.toggleChart(TableKind::Rms, 0, QStringLiteral("Pav"));
    state.togglePrint(TableKind::Rms, 0, QStringLiteral("Pav"));
    QStringList events;
    QObject::connect(&state, &BrowseState::aboutToClose, [&] { events << "close"; });
    QObject::connect(&state, &BrowseState::opened, [&] { events << "open"; });
    QObject::connect(&state, &BrowseState::chartSelectionChanged, [&] {
        if (events.isEmpty())
            events << "chart cleared";
    });

    ASSERT_EQ(state.open(second.selectionFile()), std::nullopt);
    EXPECT_EQ(events, (QStringList{"chart cleared", "close", "open"}));
    EXPECT_TRUE(state.chartSelection().isEmpty());
    EXPECT_TRUE(state.printSelection().isEmpty());
    EXPECT_EQ(state.model(TableKind::Harm)->rowCount(), 20);
    EXPECT_EQ(configuration.configuration().measuringSystem, config::MeasuringSystem::Delta);
}

TEST_F(BrowseStateTest, FiltersRecordsByConditionPhaseAndDay)
{
    DatabaseFixture db;
    fillDatabase(db);
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
    auto rms = [&] { return state.model(TableKind::Rms)->rowCount(); };
    auto harm = [&] { return state.model(TableKind::Harm)->rowCount(); };

    state.setConditionFilter(true);
    EXPECT_EQ(rms(), 5);
    EXPECT_EQ(harm(), 15);
    state.togglePhase(1); // L2 off
    EXPECT_EQ(harm(), 10);
    for (int row = 0; row < harm(); ++row) {
        EXPECT_NE(state.model(TableKind::Harm)->value(row, "Faza").toString(), "L2");
        EXPECT_GT(state.model(TableKind::Harm)->value(row, "War").toInt(), 0);
    }
    state.setConditionFilter(false);
    EXPECT_EQ(harm(), 20);

    // Records at 23:10 .. 00:40; 2 March 00:00 is the next day's start, outside 1 March.
    state.setComputingDay(at(2026, 3, 1));
    EXPECT_EQ(rms(), 5);
    state.setComputingDay(at(2026, 3, 2));
    EXPECT_EQ(rms(), 5);
    EXPECT_EQ(state.model(TableKind::Rms)->value(0, "DiC").toString(),
              QStringLiteral("2026-03-02 00:00:00"));
    state.setComputingDay(at(2026, 3, 1, 23, 30)); // a day starting at half past eleven
    EXPECT_EQ(rms(), 8);
    state.setComputingDay(std::nullopt);
    EXPECT_EQ(rms(), 10);
    EXPECT_EQ(state.model(TableKind::Zanik)->rowCount(), 2) << "the events are never filtered";
}

TEST_F(BrowseStateTest, ChartSelectionTakesTheLowestFreeSlotAndRefusesAFifth)
{
    DatabaseFixture db;
    db.writeHeader();
    db.createTable(TableKind::Rms, {"Pav", "Qav", "Sav", "Umin", "Umax", "ProbkiUL1"});
    db.appendRmsRecords(3, at(2026, 1, 1), 10);
    db.closeTables();
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);

    for (const char* column : {"Pav", "Qav", "Sav", "Umin"})
        EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, column), ToggleOutcome::Added);
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "Umax"), ToggleOutcome::Full);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Można wybrać maksymalnie 4 wielkosci!"));
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "Qav"), ToggleOutcome::Removed);
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "Umax"), ToggleOutcome::Added);
    EXPECT_EQ(state.chartSelection().slots()[1].column, QStringLiteral("Umax"));
    EXPECT_EQ(state.chartSelection().phaseCount(), 1);

    // Frozen and sample columns stay out; the title click takes samples but never War.
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "War", true), ToggleOutcome::Ignored);
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "DiC"), ToggleOutcome::Ignored);
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "ProbkiUL1"), ToggleOutcome::Ignored);
}

TEST_F(BrowseStateTest, HarmonicsChartLocksItsPhaseUntilRemovedOrReplacedByRms)
{
    DatabaseFixture db;
    fillDatabase(db);
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
    // Rows are L1, L2, L3 of record 1, then of record 2 ...
    EXPECT_EQ(state.toggleChart(TableKind::Harm, 1, "UH5sr"), ToggleOutcome::Added);
    EXPECT_FALSE(state.phaseItem(1).enabled);
    state.togglePhase(1);
    EXPECT_TRUE(state.phaseItem(1).checked) << "a charted phase cannot be hidden";
    EXPECT_EQ(state.toggleChart(TableKind::Harm, 0, "UH5sr"), ToggleOutcome::Added)
        << "the same column of L1 takes a second slot";
    EXPECT_EQ(state.chartSelection().count(), 2);
    EXPECT_EQ(state.chartSelection().phaseCount(), 3);
    EXPECT_EQ(state.toggleChart(TableKind::Harm, 1, "UH5sr"), ToggleOutcome::Removed);
    EXPECT_TRUE(state.phaseItem(1).enabled);

    EXPECT_EQ(state.toggleChart(TableKind::Harm, 2, "THDUsr"), ToggleOutcome::Added);
    EXPECT_FALSE(state.phaseItem(2).enabled);
    EXPECT_EQ(state.toggleChart(TableKind::Rms, 0, "Pav"), ToggleOutcome::Added);
    EXPECT_EQ(state.chartSelection().table(), TableKind::Rms);
    EXPECT_EQ(state.chartSelection().count(), 1);
    EXPECT_TRUE(state.phaseItem(0).enabled);
    EXPECT_TRUE(state.phaseItem(2).enabled);
    EXPECT_EQ(state.toggleChart(TableKind::Harm, 0, "BUL1"), ToggleOutcome::Ignored);
}

TEST_F(BrowseStateTest, PrintSelectionKeepsOneTableAndSixColumns)
{
    DatabaseFixture db;
    db.writeHeader();
    db.createTable(TableKind::Rms, {"Pav", "Qav", "Sav", "Umin", "Umax", "Usr", "Uch"});
    db.appendRmsRecords(1, at(2026, 1, 1), 10);
    db.createTable(TableKind::Zanik, {"Czas_PL1"});
    db.closeTables();
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);

    for (const char* column : {"Pav", "Qav", "Sav", "Umin", "Umax", "Usr"})
        EXPECT_EQ(state.togglePrint(TableKind::Rms, 0, column), ToggleOutcome::Added);
    EXPECT_EQ(state.togglePrint(TableKind::Rms, 0, "Uch"), ToggleOutcome::Full);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Można wybrać maksymalnie 6 wielkosci!"));
    EXPECT_EQ(state.printSelection().count(), 6);
    EXPECT_EQ(state.togglePrint(TableKind::Rms, 0, "Qav"), ToggleOutcome::Removed);
    EXPECT_EQ(state.togglePrint(TableKind::Rms, 0, "Uch"), ToggleOutcome::Added);
    EXPECT_EQ(state.printSelection().slots()[1], QStringLiteral("Uch"));

    // The events table takes columns even when empty, and empties a selection of another table.
    EXPECT_EQ(state.togglePrint(TableKind::Zanik, 0, "Czas_PL1"), ToggleOutcome::Added);
    EXPECT_EQ(state.printSelection().source(), TableKind::Zanik);
    EXPECT_EQ(state.printSelection().count(), 1);
    EXPECT_EQ(state.togglePrint(TableKind::Zanik, 0, "DiC"), ToggleOutcome::Ignored);
}
