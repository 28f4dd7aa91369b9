// kapstat-cli export over databases made on disk: the files of every table, their names on
// stdout, and the failures.
#include "cliprocess.h"
#include "databasefixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using download::TableKind;
using fixtures::at;
using fixtures::lineCount;

namespace {

// Three RMS records (War 0, 2, 0), a harmonics row per phase for each, and one event.
void fill(fixtures::DatabaseFixture& db)
{
    db.writeHeader();
    db.createTable(TableKind::Rms, {"Pav", "Umin"});
    db.appendRmsRecords(3, at(2026, 1, 1), 10, {0, 2});
    db.createTable(TableKind::Harm, {"UH5sr", "BUL1"});
    for (int nr = 1; nr <= 3; ++nr)
        for (const char* phase : {"L1", "L2", "L3"})
            db.append(TableKind::Harm, {{"Nr", nr},
                                        {"NrSt", 1},
                                        {"DiC", at(2026, 1, 1, 0, nr)},
                                        {"War", nr == 2 ? 2 : 0},
                                        {"Faza", phase},
                                        {"UH5sr", 1.25}});
    db.createTable(TableKind::Zanik, {"Czas_PL1"});
    db.append(TableKind::Zanik, {{"Nr", 1}, {"NrSt", 1}, {"DiC", at(2026, 1, 1)}, {"Czas_PL1", 5}});
    db.closeTables();
}

} // namespace

TEST(ExportCommand, WritesEveryTableAndPrintsThePaths)
{
    fixtures::DatabaseFixture db;
    fill(db);
    QTemporaryDir out;
    const QString name = out.filePath(QStringLiteral("wynik.prn"));
    const QStringList files{name, out.filePath(QStringLiteral("wynik.HARM.prn")),
                            out.filePath(QStringLiteral("wynik.PRZE.prn"))};
    const struct
    {
        QStringList options;
        int rms;
        int harmonics;
    } cases[] = {{{}, 3, 9}, {{QStringLiteral("--conditions-only")}, 1, 3}};
    for (const auto& c : cases) {
        const CliRun run = runCli(QStringList{QStringLiteral("export"), QStringLiteral("--pom"),
                                              db.selectionFile(), QStringLiteral("--out"), name} +
                                  c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, files.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        EXPECT_EQ(lineCount(files[0]), 1 + c.rms);
        EXPECT_EQ(lineCount(files[1]), 1 + c.harmonics);
        EXPECT_EQ(lineCount(files[2]), 1 + 1) << "the events are never filtered";
    }
    QFile harmonics(files[1]);
    ASSERT_TRUE(harmonics.open(QIODevice::ReadOnly));
    EXPECT_EQ(harmonics.readLine(),
              QByteArray("\"Nr\";\"NrSt\";\"Czas Pomiaru\";\"War\";\"Faza\";\"UH5sr\"\r\n"));
    EXPECT_EQ(harmonics.readLine(), QByteArray("2;1;2026-01-01 00:02:00;2;L1;1,25\r\n"))
        << "the last run kept the broken conditions only";
}

TEST(ExportCommand, FailuresExitWithAMessage)
{
    fixtures::DatabaseFixture db;
    fill(db);
    QTemporaryDir out;
    const QString pom = db.selectionFile();
    const QString missing = out.filePath(QStringLiteral("brak/wynik.prn"));
    const struct
    {
        QStringList arguments;
        int status;
        QString inMessage;
    } cases[] = {
        {{"export", "--pom", out.filePath("nie ma.pom"), "--out", out.filePath("x.prn")},
         1,
         "nie ma.pom"},
        {{"export", "--pom", pom, "--out", missing}, 1, missing},
        {{"export", "--pom", pom}, 2, "export --pom"},
        {{"export", "--pom", pom, "--out", out.filePath("x.prn"), "--all"}, 2, "export --pom"},
        {{"--sim", "export", "--pom", pom, "--out", out.filePath("x.prn")}, 2, "export"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.inMessage)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::Files).isEmpty());
}
