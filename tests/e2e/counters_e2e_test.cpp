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

} // namespace

TEST(CountersCommand, RecorderCountersAgreeWithTheProgramsCountsOfADownload)
{
    SimProcess sim({QStringLiteral("--records"), QStringLiteral("400"), QStringLiteral("--seed"),
                    QStringLiteral("7"), QStringLiteral("--dip"), QStringLiteral("30"),
                    QStringLiteral("--overvoltage"), QStringLiteral("31")});
    ASSERT_FALSE(sim.portPath().isEmpty());
    QTemporaryDir dir;
    config::ConfigurationModel model;
    ASSERT_FALSE(model.clickIndicator(config::entries::NormMode).has_value());
    const QString settings = dir.filePath(QStringLiteral("norma.ust"));
    ASSERT_FALSE(config::SettingsFile::save(model.configuration(), settings));
    const QStringList port{QStringLiteral("--port"), sim.portPath()};
    const CliRun send =
        runCli(port + QStringList{QStringLiteral("config"), QStringLiteral("send"), settings});
    ASSERT_EQ(send.status, 0) << send.err.toStdString();
    const QString folder = dir.filePath(QStringLiteral("baza"));
    const CliRun download =
        runCli(port + QStringList{QStringLiteral("download"), QStringLiteral("--db"), folder});
    ASSERT_EQ(download.status, 0) << download.err.toStdString();

    const CliRun counters = runCli(
        port + QStringList{QStringLiteral("counters"), QStringLiteral("--polls"),
                           QStringLiteral("2"), QStringLiteral("--pom"), selectionFileIn(folder)});
    ASSERT_EQ(counters.status, 0) << counters.err.toStdString();
    const QList<Item> compared = items(counters.out);
    ASSERT_EQ(compared.size(), 2 + 10 * 3 + 1 + 24 * 3);
    bool anyCounted = false;
    for (const Item& item : compared) {
        EXPECT_EQ(item.recorder.toInt(), item.pc.toInt()) << item.name.toStdString();
        if (item.name == QLatin1String("L1MIZAP"))
            anyCounted = item.recorder.toInt() > 0;
    }
    EXPECT_TRUE(anyCounted) << counters.out.toStdString();
    EXPECT_FALSE(counters.out.contains(QStringLiteral("Wystapil blad!!!")));
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
