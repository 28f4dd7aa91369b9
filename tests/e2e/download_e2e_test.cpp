// Downloads through kapstat-cli from kapstat-sim over a pseudo-terminal: the database a faulty
// line gives holds exactly what a clean line gives.
#include "cliprocess.h"
#include "config/configurationmodel.h"
#include "config/selectionentries.h"
#include "config/settingsfile.h"
#include "download/sqlitedatabase.h"
#include "simprocess.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;

namespace {

const QStringList Scenario{QStringLiteral("--records"),  QStringLiteral("60"),
                           QStringLiteral("--events"),   QStringLiteral("12"),
                           QStringLiteral("--stations"), QStringLiteral("1,3"),
                           QStringLiteral("--seed"),     QStringLiteral("11")};
// Records with waveforms are long, and so is each time-out: the rates are kept low.
const QStringList Faults{QStringLiteral("--drop"),    QStringLiteral("0.02"),
                         QStringLiteral("--corrupt"), QStringLiteral("0.05"),
                         QStringLiteral("--split"),   QStringLiteral("0.5"),
                         QStringLiteral("--delay"),   QStringLiteral("0.02"),
                         QStringLiteral("--stray"),   QStringLiteral("0.02")};

// A configuration that records samples, harmonics, phasors and events as well as plain values.
QString writeRichConfiguration(const QTemporaryDir& dir)
{
    config::ConfigurationModel model;
    for (const int entry : {1,
                            2,
                            3,
                            4,
                            46,
                            53,
                            54,
                            55,
                            56,
                            137,
                            138,
                            139,
                            140,
                            218,
                            219,
                            220,
                            221,
                            config::entries::VoltageWaveforms,
                            config::entries::Phasors,
                            config::entries::FirstEventRecording})
        model.setSelected(entry, true);
    const QString path = dir.filePath(QStringLiteral("bogata.ust"));
    EXPECT_FALSE(config::SettingsFile::save(model.configuration(), path));
    return path;
}

// Every table of a download, by its path under the download folder, as text rows.
QMap<QString, QStringList> readTables(const QString& databaseFolder)
{
    QMap<QString, QStringList> tables;
    QDirIterator files(databaseFolder, {QStringLiteral("*.db")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        download::SqliteDatabase db;
        db.open(path, false);
        auto select = db.prepare(QStringLiteral("SELECT * FROM tabela ORDER BY rowid"));
        QStringList rows;
        while (select && select->step()) {
            QStringList values;
            for (int c = 0; c < select->columnCount(); ++c) {
                const QVariant v = select->column(c);
                values << (v.typeId() == QMetaType::QByteArray
                               ? QString::fromLatin1(v.toByteArray().toHex())
                               : v.toString());
            }
            rows << values.join(QLatin1Char('|'));
        }
        // The download folder's name carries the download time; the station names do not.
        tables.insert(path.section(QLatin1Char('/'), -2), rows);
    }
    return tables;
}

CliRun downloadFrom(const QStringList& simOptions, const QString& configuration,
                    const QString& databaseFolder)
{
    SimProcess sim(simOptions);
    if (sim.portPath().isEmpty())
        return {};
    const CliRun send = runCli({QStringLiteral("--port"), sim.portPath(), QStringLiteral("config"),
                                QStringLiteral("send"), configuration});
    if (send.status != 0)
        return send;
    return runCli({QStringLiteral("--port"), sim.portPath(), QStringLiteral("--retry-rounds"),
                   QStringLiteral("10"), QStringLiteral("download"), QStringLiteral("--db"),
                   databaseFolder});
}

} // namespace

TEST(Download, AFaultyLineGivesExactlyTheDatabaseOfACleanOne)
{
    QTemporaryDir dir;
    const QString configuration = writeRichConfiguration(dir);
    const QString clean = dir.filePath(QStringLiteral("czysty"));
    const QString faulty = dir.filePath(QStringLiteral("zaklocony"));

    const CliRun cleanRun = downloadFrom(Scenario, configuration, clean);
    ASSERT_EQ(cleanRun.status, 0) << cleanRun.err.toStdString();
    EXPECT_TRUE(cleanRun.out.startsWith(
        QStringLiteral("Dane pomiarowe odebrane i zapisane na dysku w pliku:  ")));
    const CliRun faultyRun = downloadFrom(Scenario + Faults, configuration, faulty);
    ASSERT_EQ(faultyRun.status, 0) << faultyRun.err.toStdString();

    const QMap<QString, QStringList> expected = readTables(clean);
    EXPECT_EQ(QStringList(expected.keys()),
              (QStringList{"200101-000000_1_Stacja 1_SP/200101-000000_1_Stacja 1.HARM.db",
                           "200101-000000_1_Stacja 1_SP/200101-000000_1_Stacja 1.PRZE.db",
                           "200101-000000_1_Stacja 1_SP/200101-000000_1_Stacja 1.db",
                           "200101-023000_3_Stacja 3_SP/200101-023000_3_Stacja 3.HARM.db",
                           "200101-023000_3_Stacja 3_SP/200101-023000_3_Stacja 3.PRZE.db",
                           "200101-023000_3_Stacja 3_SP/200101-023000_3_Stacja 3.db"}));
    int records = 0;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (it.key().endsWith(QLatin1String("Stacja 1.db")) ||
            it.key().endsWith(QLatin1String("Stacja 3.db")))
            records += static_cast<int>(it.value().size());
    EXPECT_EQ(records, 60);
    EXPECT_EQ(readTables(faulty), expected) << "nothing lost, doubled or shifted";
}

TEST(Download, AKilledDownloadLeavesNothingThatLooksComplete)
{
    // Past the measurement records and their split by station, into the events.
    SimProcess sim({QStringLiteral("--records"), QStringLiteral("20"), QStringLiteral("--events"),
                    QStringLiteral("200"), QStringLiteral("--pace-baud"), QStringLiteral("19200")});
    ASSERT_FALSE(sim.portPath().isEmpty());
    QTemporaryDir dir;
    QProcess cli;
    cli.start(QStringLiteral(KAPSTAT_CLI_PATH),
              {QStringLiteral("--port"), sim.portPath(), QStringLiteral("download"),
               QStringLiteral("--db"), dir.path()});
    ASSERT_TRUE(cli.waitForStarted());
    cli.waitForFinished(2500);
    cli.kill();
    cli.waitForFinished();
    QDirIterator entries(dir.path(), {QStringLiteral("*.POM")}, QDir::Files,
                         QDirIterator::Subdirectories);
    EXPECT_FALSE(entries.hasNext()) << "an entry to open would promise a complete database";
    QDirIterator tables(dir.path(), {QStringLiteral("*.db")}, QDir::Files,
                        QDirIterator::Subdirectories);
    EXPECT_TRUE(tables.hasNext()) << "the download was killed after the records' split";
}

TEST(Download, AnEmptyRecorderIsReportedAndLeavesNoFolder)
{
    QTemporaryDir dir;
    const CliRun run = runCli(
        {QStringLiteral("--sim"), QStringLiteral("download"), QStringLiteral("--db"), dir.path()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("W rejestratorze nie zgromadzono żadnych rekordów pomiarowych!")));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
