#include "cliprocess.h"

#include <QProcess>

CliRun runCli(const QStringList& arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(KAPSTAT_CLI_PATH), arguments);
    cli.waitForFinished(240000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}
