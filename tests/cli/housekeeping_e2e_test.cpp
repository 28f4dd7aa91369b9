// status, clock and clear of kapstat-cli against kapstat-sim over a pseudo-terminal, with the
// line's faults switched on.
#include "simprocess.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int status = -1;
    QStringList out;
    QString err;
};

CliRun runCli(const QString& port, const QStringList& arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(KAPSTAT_CLI_PATH),
              QStringList{QStringLiteral("--port"), port, QStringLiteral("--retry-rounds"),
                          QStringLiteral("10")} +
                  arguments);
    cli.waitForFinished(120000);
    return {
        cli.exitCode(),
        QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
        QString::fromUtf8(cli.readAllStandardError())};
}

QStringList faulty(QStringList options, const char* seed)
{
    return options << QStringLiteral("--seed") << QString::fromLatin1(seed)
                   << QStringLiteral("--drop") << QStringLiteral("0.1")
                   << QStringLiteral("--corrupt") << QStringLiteral("0.1")
                   << QStringLiteral("--split") << QStringLiteral("0.5")
                   << QStringLiteral("--delay") << QStringLiteral("0.05")
                   << QStringLiteral("--stray") << QStringLiteral("0.1");
}

} // namespace

TEST(HousekeepingCommands, StatusPrintsEveryRowOfTheStatusWindow)
{
    SimProcess sim(faulty({QStringLiteral("--records"), QStringLiteral("25"),
                           QStringLiteral("--events"), QStringLiteral("403")},
                          "11"));
    ASSERT_FALSE(sim.portPath().isEmpty());
    for (int round = 0; round < 3; ++round) {
        const CliRun run = runCli(sim.portPath(), {QStringLiteral("status")});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QStringList expected{
            "Rejestracja: w toku",
            "Aktualna stacja: 1",
            "Licznik rekordów pomiarowych: 25",
            "", // the memory share depends on the record length
            "Licznik rekordów przerw i przep.: 403",
            "Zajętosć pamięci przerw i przep.: 50%",
            "Całkowita ilosć pamięci: 8192kB",
            "", // the emulator's calibration date
            "Nr seryjny: KAP-640 nr 00001",
            "Zasilanie sieciowe: stan dobry",
            "Akumulator podtrzymujący pracę: stan dobry",
            "Akumulator podtrzymujący pamięć: stan dobry",
        };
        ASSERT_EQ(run.out.size(), expected.size()) << run.out.join('\n').toStdString();
        for (int i = 0; i < expected.size(); ++i) {
            if (!expected[i].isEmpty()) {
                EXPECT_EQ(run.out[i], expected[i]);
            }
        }
        EXPECT_TRUE(run.out[3].startsWith(QStringLiteral("Zajętosć pamięci pomiarów: ")));
        EXPECT_TRUE(run.out[7].contains(
            QRegularExpression(QStringLiteral("^Kalibrowano dnia: \\d{4}-\\d{2}-\\d{2}$"))));
    }
}

TEST(HousekeepingCommands, ClockSetsAndReadsTheRecordersClock)
{
    SimProcess sim(faulty({}, "12"));
    ASSERT_FALSE(sim.portPath().isEmpty());
    const CliRun set = runCli(sim.portPath(), {QStringLiteral("clock"), QStringLiteral("--set"),
                                               QStringLiteral("2030-01-02 03:04:05")});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    ASSERT_EQ(set.out.size(), 2);
    EXPECT_TRUE(set.out[0].startsWith(QStringLiteral("Rejestrator: 2030-01-02 03:04:0")))
        << set.out[0].toStdString();
    EXPECT_TRUE(set.out[1].contains(QRegularExpression(
        QStringLiteral("^Komputer: \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$"))));

    const CliRun read = runCli(sim.portPath(), {QStringLiteral("clock")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_TRUE(read.out.value(0).startsWith(QStringLiteral("Rejestrator: 2030-01-02 03:0")));

    const CliRun now = runCli(
        sim.portPath(), {QStringLiteral("clock"), QStringLiteral("--set"), QStringLiteral("now")});
    ASSERT_EQ(now.status, 0) << now.err.toStdString();
    EXPECT_EQ(now.out.value(0).mid(13, 10), now.out.value(1).mid(10, 10)) << "same date";
    EXPECT_EQ(sim.stopAndCountCommands().value(0x00), 2) << "one setting each";
}

TEST(HousekeepingCommands, ClearNeedsYesAndEmptiesTheMemory)
{
    SimProcess sim(faulty({QStringLiteral("--records"), QStringLiteral("50")}, "13"));
    ASSERT_FALSE(sim.portPath().isEmpty());
    const CliRun refused = runCli(sim.portPath(), {QStringLiteral("clear")});
    EXPECT_EQ(refused.status, 3);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Czy na pewno opróżnić pamięć pomiarów?")));
    EXPECT_TRUE(runCli(sim.portPath(), {QStringLiteral("status")})
                    .out.contains(QStringLiteral("Licznik rekordów pomiarowych: 50")));

    const CliRun cleared =
        runCli(sim.portPath(), {QStringLiteral("--yes"), QStringLiteral("clear")});
    EXPECT_EQ(cleared.status, 0) << cleared.err.toStdString();
    EXPECT_TRUE(cleared.err.contains(QStringLiteral("Pamięć pomiarów została opróżniona.")));
    EXPECT_TRUE(runCli(sim.portPath(), {QStringLiteral("status")})
                    .out.contains(QStringLiteral("Licznik rekordów pomiarowych: 0")));
    EXPECT_EQ(sim.stopAndCountCommands().value(0x0E), 1);
}

TEST(HousekeepingCommands, ARecorderThatNeverAnswersEndsTheCommandAfterTheRetries)
{
    SimProcess sim({QStringLiteral("--drop"), QStringLiteral("1")});
    ASSERT_FALSE(sim.portPath().isEmpty());
    QProcess cli;
    cli.start(QStringLiteral(KAPSTAT_CLI_PATH),
              {QStringLiteral("--port"), sim.portPath(), QStringLiteral("--retry-rounds"),
               QStringLiteral("0"), QStringLiteral("clock")});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 3);
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("Trzy razy z rzędu rejestrator nie odpowiedział")));
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
}

TEST(HousekeepingCommands, BadArgumentsAreUsageErrors)
{
    SimProcess sim({});
    ASSERT_FALSE(sim.portPath().isEmpty());
    for (const QStringList& arguments :
         {QStringList{"clock", "--set", "2030-13-02 03:04:05"},
          QStringList{"clock", "--set", "1999-12-31 23:59:59"}, QStringList{"clock", "--set"},
          QStringList{"status", "extra"}, QStringList{"clear", "extra"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(runCli(sim.portPath(), arguments).status, 2);
    }
    EXPECT_EQ(sim.stopAndCountCommands().value(0x00), 0) << "no clock setting went out";
}
