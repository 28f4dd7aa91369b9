// The recorder's counters of a downloaded memory beside the program's statistics of the same
// database: kapstat-sim, then kapstat-cli download and counters over one pseudo-terminal.
#include "cliprocess.h"
#include "config/configurationmodel.h"
#include "config/selectionentries.h"
#include "config/settingsfile.h"
#include "simprocess.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;

namespace {

struct Item
{
    QString name;
    QString recorder;
    QString pc;
};

// "NAME= R / P" items of the counters text; a dash on the recorder side has nothing to compare.
QList<Item> items(const QString& text)
{
    static const QRegularExpression item(QStringLiteral("(\\w+)= +(\\S+) / +(\\S+)"));
    QList<Item> found;
    for (auto match = item.globalMatch(text); match.hasNext();) {
        const auto m = match.next();
        if (m.captured(2) != QLatin1String("-"))
            found.append({m.captured(1), m.captured(2), m.captured(3)});
    }
    return found;
}

QString selectionFileIn(const QString& folder)
{
    QDirIterator it(folder, {QStringLiteral("*.POM")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

// Sends a norm configuration of the measuring system, downloads and reads the counters beside
// the database's statistics; the counters text, or empty after a failure.
QString countersBesideDownload(config::MeasuringSystem system)
{
    SimProcess sim({QStringLiteral("--records"), QStringLiteral("400"), QStringLiteral("--seed"),
                    QStringLiteral("7"), QStringLiteral("--dip"), QStringLiteral("30"),
                    QStringLiteral("--overvoltage"), QStringLiteral("31")});
    QTemporaryDir dir;
    config::ConfigurationModel model;
    model.applySystemChange(system);
    model.clickIndicator(config::entries::NormMode);
    const QString settings = dir.filePath(QStringLiteral("norma.ust"));
    if (sim.portPath().isEmpty() || config::SettingsFile::save(model.configuration(), settings))
        return {};
    const QStringList port{QStringLiteral("--port"), sim.portPath()};
    const QString folder = dir.filePath(QStringLiteral("baza"));
    for (const QStringList& command :
         {QStringList{QStringLiteral("config"), QStringLiteral("send"), settings},
          QStringList{QStringLiteral("download"), QStringLiteral("--db"), folder}}) {
        const CliRun run = runCli(port + command);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
    }
    const CliRun counters = runCli(
        port + QStringList{QStringLiteral("counters"), QStringLiteral("--polls"),
                           QStringLiteral("2"), QStringLiteral("--pom"), selectionFileIn(folder)});
    EXPECT_EQ(counters.status, 0) << counters.err.toStdString();
    return counters.out;
}

} // namespace

TEST(CountersCommand, RecorderCountersAgreeWithTheProgramsCountsOfADownload)
{
    for (const auto system : {config::MeasuringSystem::Star, config::MeasuringSystem::Delta,
                              config::MeasuringSystem::SinglePhase}) {
        SCOPED_TRACE(static_cast<int>(system));
        const QString text = countersBesideDownload(system);
        const QList<Item> compared = items(text);
        ASSERT_EQ(compared.size(), 2 + 10 * 3 + 1 + 24 * 3) << text.toStdString();
        int dipsAndOvervoltages = 0;
        for (const Item& item : compared) {
            EXPECT_EQ(item.recorder, item.pc) << item.name.toStdString();
            if (item.name.contains(QLatin1String("MIZAP")) ||
                item.name.contains(QLatin1String("MAPRZ")))
                dipsAndOvervoltages += item.recorder.toInt();
        }
        EXPECT_GT(dipsAndOvervoltages, 0) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Wystapil blad!!!")));
    }
}

TEST(CountersCommand, WithoutADatabaseTheProgramsColumnIsZero)
{
    const CliRun run = runCli({QStringLiteral("--sim"), QStringLiteral("--records"),
                               QStringLiteral("50"), QStringLiteral("counters")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 46); // 45 lines, each ended by LF
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Czestotliwosci ")));
    for (const Item& item : items(run.out))
        EXPECT_TRUE(item.pc == QLatin1String("0") || item.pc == QLatin1String("000000"))
            << item.name.toStdString();
    EXPECT_EQ(runCli({QStringLiteral("--sim"), QStringLiteral("counters"),
                      QStringLiteral("--polls"), QStringLiteral("0")})
                  .status,
              2);
}
