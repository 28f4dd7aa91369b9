#include "browse/browsestate.h"
#include "browse/browsetable.h"
#include "browse/textexport.h"
#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "databasefixture.h"
#include "link/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kapstat;
using browse::ExportLimits;
using browse::ExportOutcome;
using browse::RecordFilter;
using browse::TextExport;
using download::TableKind;
using fixtures::at;
using fixtures::DatabaseFixture;

namespace {

// The file's lines; every one must end in CR LF.
QList<QByteArray> linesOf(const QString& path)
{
    QByteArray bytes = fixtures::fileBytes(path);
    EXPECT_TRUE(bytes.endsWith("\r\n")) << path.toStdString();
    bytes.chop(2);
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r') || &line == &lines.last()) << line.toStdString();
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

class TextExportTest : public ::testing::Test
{
protected:
    std::unique_ptr<browse::BrowseTable> open(TableKind kind)
    {
        db.closeTables();
        const char* suffix = kind == TableKind::Rms    ? ".db"
                             : kind == TableKind::Harm ? ".HARM.db"
                                                       : ".PRZE.db";
        QString error;
        auto table = browse::BrowseTable::open(kind, db.base() + QLatin1String(suffix), &error);
        EXPECT_TRUE(table) << error.toStdString();
        return table;
    }

    ExportOutcome exportTo(TableKind kind, const QString& name, const RecordFilter& filter = {},
                           const std::optional<ExportLimits>& limits = std::nullopt)
    {
        const auto table = open(kind);
        return table ? TextExport::exportTable(*table, filter, out.filePath(name), limits)
                     : ExportOutcome{{}, QStringLiteral("no table")};
    }

    // One harmonics row per phase for each record, War 0 and 3 in turn.
    void appendHarmonics(int records, const QStringList& phases = {"L1", "L2", "L3"})
    {
        for (int nr = 1; nr <= records; ++nr)
            for (const QString& phase : phases)
                db.append(TableKind::Harm, {{"Nr", nr},
                                            {"NrSt", 1},
                                            {"DiC", at(2026, 3, 1, 12, nr)},
                                            {"War", nr % 2 ? 0 : 3},
                                            {"Faza", phase},
                                            {"THDUsr", 1.5},
                                            {"BUL1", 2.0},
                                            {"CUL1", 3.0},
                                            {"cosH1sr", 0.99}});
    }

    DatabaseFixture db;
    QTemporaryDir out;
};

} // namespace

TEST_F(TextExportTest, RmsExportWritesTitlesAndPlainValuesInTableOrder)
{
    db.createTable(TableKind::Rms, {"Pav", "Umin", "Licznik", "Wzm0", "ProbkiUL1"});
    db.append(TableKind::Rms, {{"Nr", 1},
                               {"NrSt", 2},
                               {"DiC", at(2026, 3, 1)},
                               {"War", 0},
                               {"Pav", 0.5},
                               {"Umin", 230.0},
                               {"Licznik", 7.0},
                               {"Wzm0", 1.5},
                               {"ProbkiUL1", QByteArray("\x01\x02", 2)}});
    db.append(TableKind::Rms, {{"Nr", 2},
                               {"NrSt", 2},
                               {"DiC", at(2026, 3, 1, 23, 10, 5)},
                               {"War", 3},
                               {"Pav", -1e-7},
                               {"Umin", QVariant()}});
    db.append(TableKind::Rms, {{"Nr", 3},
                               {"NrSt", 1},
                               {"DiC", at(2026, 3, 2, 0, 0, 1)},
                               {"War", 16},
                               {"Pav", 1234567.891234567},
                               {"Umin", 1e20}});

    const ExportOutcome outcome = exportTo(TableKind::Rms, QStringLiteral("pomiar.prn"));

    ASSERT_FALSE(outcome.error) << outcome.error->toStdString();
    EXPECT_EQ(outcome.files, QStringList{out.filePath(QStringLiteral("pomiar.prn"))});
    // Counters, gains and samples stay out; station 1 comes first.
    EXPECT_EQ(fixtures::fileBytes(outcome.files.value(0)),
              QByteArray("\"Nr\";\"NrSt\";\"Czas Pomiaru\";\"War\";\"Pav\";\"Umin\"\r\n"
                         "3;1;2026-03-02 00:00:01;16;1234567,89123457;1E20\r\n"
                         "1;2;2026-03-01;0;0,5;230\r\n"
                         "2;2;2026-03-01 23:10:05;3;-1E-7;\r\n"));
}

TEST_F(TextExportTest, HarmonicsExportDropsPhasorsKeepsPowerFactorsAndFollowsTheFilter)
{
    db.createTable(TableKind::Harm, {"THDUsr", "BUL1", "CUL1", "cosH1sr"});
    appendHarmonics(2);
    RecordFilter conditionsWithoutL2;
    conditionsWithoutL2.conditionOnly = true;
    conditionsWithoutL2.phaseShown = {true, false, true};
    const struct
    {
        RecordFilter filter;
        QList<QByteArray> records;
    } cases[] = {
        {{},
         {"1;1;2026-03-01 12:01:00;0;L1;1,5;0,99", "1;1;2026-03-01 12:01:00;0;L2;1,5;0,99",
          "1;1;2026-03-01 12:01:00;0;L3;1,5;0,99", "2;1;2026-03-01 12:02:00;3;L1;1,5;0,99",
          "2;1;2026-03-01 12:02:00;3;L2;1,5;0,99", "2;1;2026-03-01 12:02:00;3;L3;1,5;0,99"}},
        {conditionsWithoutL2,
         {"2;1;2026-03-01 12:02:00;3;L1;1,5;0,99", "2;1;2026-03-01 12:02:00;3;L3;1,5;0,99"}},
    };
    for (const auto& c : cases) {
        const ExportOutcome outcome =
            exportTo(TableKind::Harm, QStringLiteral("pomiar.HARM.prn"), c.filter);
        ASSERT_FALSE(outcome.error) << outcome.error->toStdString();
        EXPECT_EQ(linesOf(outcome.files.value(0)),
                  QList<QByteArray>{"\"Nr\";\"NrSt\";\"Czas Pomiaru\";\"War\";\"Faza\";"
                                    "\"THDUsr\";\"cosH1sr\""} +
                      c.records);
    }
}

TEST_F(TextExportTest, StoredTextsAreWindows1250AndCannotBreakTheColumns)
{
    db.createTable(TableKind::Harm, {"THDUsr"});
    db.append(TableKind::Harm, {{"Nr", 1}, {"NrSt", 1}, {"War", 0}, {"Faza", "Ł;1\r\n"}});
    const ExportOutcome outcome = exportTo(TableKind::Harm, QStringLiteral("x.HARM.prn"));
    ASSERT_FALSE(outcome.error) << outcome.error->toStdString();
    EXPECT_EQ(linesOf(outcome.files.value(0)).value(1), QByteArray("1;1;;0;\xA3 1  ;"));
}

TEST_F(TextExportTest, SplitsAfterSixtyThousandRecordsIntoNumberedFilesWithTitles)
{
    constexpr int Records = 60001;
    db.createTable(TableKind::Rms, {"Pav"});
    QList<int> war(Records, 1);
    war.last() = 0; // the condition filter leaves exactly 60000
    db.appendRmsRecords(Records, at(2026, 1, 1), 1, war);
    RecordFilter conditionsOnly;
    conditionsOnly.conditionOnly = true;
    const QByteArray header("\"Nr\";\"NrSt\";\"Czas Pomiaru\";\"War\";\"Pav\"");

    const ExportOutcome whole = exportTo(TableKind::Rms, QStringLiteral("p.prn"), conditionsOnly);
    ASSERT_FALSE(whole.error) << whole.error->toStdString();
    ASSERT_EQ(whole.files, QStringList{out.filePath(QStringLiteral("p.prn"))});
    EXPECT_EQ(linesOf(whole.files[0]).size(), 1 + TextExport::RecordsPerFile);

    const ExportOutcome split = exportTo(TableKind::Rms, QStringLiteral("pomiar.prn"));
    ASSERT_FALSE(split.error) << split.error->toStdString();
    ASSERT_EQ(split.files, (QStringList{out.filePath(QStringLiteral("pomiar.prn")),
                                        out.filePath(QStringLiteral("pomiar1.prn"))}));
    const QList<QByteArray> first = linesOf(split.files[0]);
    const QList<QByteArray> second = linesOf(split.files[1]);
    ASSERT_EQ(first.size(), 1 + TextExport::RecordsPerFile);
    EXPECT_EQ(first.first(), header);
    EXPECT_TRUE(first.last().startsWith("60000;")) << first.last().toStdString();
    EXPECT_EQ(second, (QList<QByteArray>{header, "60001;1;2026-02-11 16:00:00;0;30000"}));

    // A continuation that cannot be created ends the export; the full first file stays listed.
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("blocked1.prn")));
    const ExportOutcome blocked = exportTo(TableKind::Rms, QStringLiteral("blocked.prn"));
    ASSERT_TRUE(blocked.error);
    EXPECT_TRUE(blocked.error->contains(QStringLiteral("blocked1.prn")))
        << blocked.error->toStdString();
    EXPECT_EQ(blocked.files, QStringList{out.filePath(QStringLiteral("blocked.prn"))});
}

TEST_F(TextExportTest, NamesFilesAsTheEntryPointsDo)
{
    const struct
    {
        QString name;
        QString part2;
        QString allTables[3]; // RMS, harmonics, events
        QString oneTable[3];
    } cases[] = {
        {"/d/pomiar.prn",
         "/d/pomiar2.prn",
         {"/d/pomiar.prn", "/d/pomiar.HARM.prn", "/d/pomiar.PRZE.prn"},
         {"/d/pomiar.prn", "/d/pomiar.HARM.prn", "/d/pomiar.PRZE.prn"}},
        {"/d/pomiar.HARM.prn",
         "/d/pomiar.HARM2.prn",
         {"/d/pomiar.HARM.prn", "/d/pomiar.HARM.HARM.prn", "/d/pomiar.HARM.PRZE.prn"},
         {"/d/pomiar.HARM.prn", "/d/pomiar.HARM.HARM.prn", "/d/pomiar.HARM.PRZE.prn"}},
        {"/d.x/wynik.txt",
         "/d.x/wynik2.txt",
         {"/d.x/wynik.prn", "/d.x/wynik.HARM.prn", "/d.x/wynik.PRZE.prn"},
         {"/d.x/wynik.txt", "/d.x/wynik.HARM.prn", "/d.x/wynik.PRZE.prn"}},
        {"/d.x/wynik",
         "/d.x/wynik2",
         {"/d.x/wynik.prn", "/d.x/wynik.HARM.prn", "/d.x/wynik.PRZE.prn"},
         {"/d.x/wynik", "/d.x/wynik.HARM.prn", "/d.x/wynik.PRZE.prn"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextExport::partPath(c.name, 2), c.part2);
        for (TableKind kind : {TableKind::Rms, TableKind::Harm, TableKind::Zanik}) {
            EXPECT_EQ(TextExport::fileForAllTables(c.name, kind), c.allTables[int(kind)]);
            EXPECT_EQ(TextExport::fileForOneTable(c.name, kind), c.oneTable[int(kind)]);
        }
    }
}

TEST_F(TextExportTest, EmptyEventsTableGivesTheTitlesOnly)
{
    db.createTable(TableKind::Zanik, {"PrzerwaL1", "Czas_PL1", "Max_PrzepL1", "AdresL1", "XL1"});
    const ExportOutcome outcome = exportTo(TableKind::Zanik, QStringLiteral("z.PRZE.prn"));
    ASSERT_FALSE(outcome.error) << outcome.error->toStdString();
    EXPECT_EQ(fixtures::fileBytes(outcome.files.value(0)),
              QByteArray("\"Nr\";\"NrSt\";\"Czas Pomiaru\";\"Czas_PL1\";\"Max_PrzepL1\"\r\n"));
}

TEST_F(TextExportTest, ChartLimitsKeepTheVisibleRangeAndThePassingRecords)
{
    db.createTable(TableKind::Rms, {"Pav"});
    db.appendRmsRecords(10, at(2026, 1, 1), 10); // Pav = 0, 0.5, 1, …
    ExportLimits limits{at(2026, 1, 1, 0, 20), at(2026, 1, 1, 1, 10), nullptr};
    limits.passes = [](const browse::ExportRecord& record) {
        return record.value(QStringLiteral("Pav")) != 2.0 && !record.value(QStringLiteral("Nope"));
    };
    const ExportOutcome outcome = exportTo(TableKind::Rms, QStringLiteral("chart.prn"), {}, limits);
    ASSERT_FALSE(outcome.error) << outcome.error->toStdString();
    QList<QByteArray> numbers;
    for (const QByteArray& line : linesOf(outcome.files.value(0)).mid(1))
        numbers << line.split(';').first();
    EXPECT_EQ(numbers, (QList<QByteArray>{"3", "4", "6", "7", "8"})) << "ends inclusive";
}

TEST_F(TextExportTest, AllTablesGoToTheirFilesAndAMissingEventsTableIsSkipped)
{
    db.writeHeader();
    db.createTable(TableKind::Rms, {"Pav"});
    db.appendRmsRecords(3, at(2026, 1, 1), 10, {0, 5});
    db.createTable(TableKind::Harm, {"THDUsr", "BUL1", "CUL1", "cosH1sr"});
    appendHarmonics(3);
    db.closeTables();
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
    state.setConditionFilter(true);

    const ExportOutcome outcome = TextExport::exportTables(
        state, {TableKind::Rms, TableKind::Harm, TableKind::Zanik}, out.filePath("wynik.prn"));

    ASSERT_FALSE(outcome.error) << outcome.error->toStdString();
    ASSERT_EQ(outcome.files,
              (QStringList{out.filePath("wynik.prn"), out.filePath("wynik.HARM.prn")}));
    EXPECT_EQ(linesOf(outcome.files[0]).size(), 1 + 1) << "the condition filter holds";
    EXPECT_EQ(linesOf(outcome.files[1]).size(), 1 + 3);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(TextExportTest, AFileThatCannotBeWrittenIsReportedByNameAndReason)
{
    db.createTable(TableKind::Rms, {"Pav"});
    db.appendRmsRecords(3, at(2026, 1, 1), 1);
    QFile readOnly(out.filePath(QStringLiteral("tylko.prn")));
    ASSERT_TRUE(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    readOnly.setPermissions(QFileDevice::ReadOwner);
    struct Case
    {
        QString path;
        const char* reason;
    };
    QList<Case> cases{{out.filePath(QStringLiteral("brak/pomiar.prn")), "folder nie istnieje"},
                      {out.path(), "to jest folder"},
                      {QStringLiteral("/dev/full"), "brak miejsca na dysku"}};
    if (geteuid() != 0) // the superuser may write anything
        cases.append({readOnly.fileName(), "brak uprawnień do zapisu"});
    const auto table = open(TableKind::Rms);
    ASSERT_TRUE(table);
    for (const Case& c : cases) {
        const ExportOutcome outcome = TextExport::exportTable(*table, {}, c.path);
        ASSERT_TRUE(outcome.error) << c.path.toStdString();
        EXPECT_TRUE(outcome.error->contains(QDir::toNativeSeparators(c.path)))
            << outcome.error->toStdString();
        EXPECT_TRUE(outcome.error->contains(QString::fromUtf8(c.reason)))
            << outcome.error->toStdString();
        EXPECT_TRUE(outcome.files.isEmpty()) << "nothing reported as written";
    }
}

TEST_F(TextExportTest, ADamagedTableEndsTheExportWithAMessageAndKeepsWhatWasWritten)
{
    db.createTable(TableKind::Rms, {"Pav", "Umin", "Umax"});
    db.appendRmsRecords(20000, at(2026, 1, 1), 1);
    const auto table = open(TableKind::Rms);
    ASSERT_TRUE(table);
    QFile damaged(db.base() + QStringLiteral(".db"));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    ASSERT_TRUE(damaged.seek(damaged.size() / 2));
    damaged.write(QByteArray(64 * 1024, '\xFF'));
    damaged.close();

    const QString path = out.filePath(QStringLiteral("uszkodzona.prn"));
    const ExportOutcome outcome = TextExport::exportTable(*table, {}, path);

    ASSERT_TRUE(outcome.error);
    EXPECT_TRUE(outcome.error->contains(QStringLiteral("Nie można odczytać tabeli")))
        << outcome.error->toStdString();
    EXPECT_TRUE(outcome.files.isEmpty());
    EXPECT_GT(fixtures::lineCount(path), 1) << "the records before the damage stay";
}
