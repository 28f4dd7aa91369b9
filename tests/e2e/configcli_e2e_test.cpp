// kapstat-cli sends a settings file to kapstat-sim and reads it back, over a pseudo-terminal
// with faults on.
#include "cliprocess.h"
#include "config/recorderconfiguration.h"
#include "config/settingsfile.h"
#include "simprocess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;

TEST(ConfigCommands, SendThenReadBackOverAFaultyLine)
{
    SimProcess sim({QStringLiteral("--seed"), QStringLiteral("3"), QStringLiteral("--drop"),
                    QStringLiteral("0.1"), QStringLiteral("--corrupt"), QStringLiteral("0.1"),
                    QStringLiteral("--split"), QStringLiteral("0.5")});
    ASSERT_FALSE(sim.portPath().isEmpty());
    QTemporaryDir dir;
    const QString sent = dir.filePath(QStringLiteral("wyslana.ust"));
    const QString read = dir.filePath(QStringLiteral("odebrana.ust"));

    config::RecorderConfiguration configuration;
    configuration.stations[0].description = QStringLiteral("Rozdzielnia Łódź");
    ASSERT_FALSE(config::SettingsFile::save(configuration, sent));

    const CliRun send = runCli({QStringLiteral("--port"), sim.portPath(), QStringLiteral("config"),
                                QStringLiteral("send"), sent});
    EXPECT_EQ(send.status, 0) << send.err.toStdString();
    EXPECT_TRUE(send.err.contains(QStringLiteral("Konfiguracja dotarła do rejestratora.")))
        << send.err.toStdString();

    const CliRun receive = runCli({QStringLiteral("--port"), sim.portPath(),
                                   QStringLiteral("config"), QStringLiteral("read"), read});
    EXPECT_EQ(receive.status, 0) << receive.err.toStdString();
    QFile sentFile(sent);
    QFile readFile(read);
    ASSERT_TRUE(sentFile.open(QIODevice::ReadOnly) && readFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(readFile.readAll(), sentFile.readAll()) << "the recorder keeps what it was sent";
}

TEST(ConfigCommands, UsageAndFileErrorsHaveTheirExitStatus)
{
    QTemporaryDir dir;
    const struct
    {
        QStringList arguments;
        int status;
    } cases[] = {
        {{QStringLiteral("--sim"), QStringLiteral("config"), QStringLiteral("read")}, 2},
        {{QStringLiteral("--sim"), QStringLiteral("config"), QStringLiteral("send"),
          dir.filePath(QStringLiteral("brak.ust"))},
         1},
        {{QStringLiteral("--port"), dir.filePath(QStringLiteral("nie-ma-portu")),
          QStringLiteral("config"), QStringLiteral("read"), dir.filePath(QStringLiteral("a.ust"))},
         1},
        {{QStringLiteral("config"), QStringLiteral("read"), dir.filePath(QStringLiteral("a.ust"))},
         2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(runCli(c.arguments).status, c.status)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
}
