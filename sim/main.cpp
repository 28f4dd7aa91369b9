#include "common/programversion.h"
#include "sim/quittriggers.h"
#include "sim/simoptions.h"
#include "sim/simserver.h"

#include <QCoreApplication>
#include <cstdio>

using kapstat::common::ProgramVersion;
using namespace kapstat::sim;

namespace {

constexpr int UsageError = 2;
constexpr int StartFailed = 1;

void printTo(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString error;
    const auto options = SimOptions::parse(app.arguments().mid(1), &error);
    if (!options) {
        printTo(stderr, error + QStringLiteral("\nkapstat-sim --help opisuje opcje.\n"));
        return UsageError;
    }
    if (options->help) {
        printTo(stdout, SimOptions::helpText());
        return 0;
    }
    if (options->version) {
        printTo(stdout, ProgramVersion::line(QStringLiteral("kapstat-sim")) + QLatin1Char('\n'));
        return 0;
    }
    SimServer server(*options);
    if (!server.start(&error)) {
        printTo(stderr, error + QLatin1Char('\n'));
        return StartFailed;
    }
    QuitTriggers quit;
    quit.watchSignals();
    if (options->stdinExit)
        quit.watchStandardInputClose();
    // The first line is what a parent process waits for before it opens the port.
    printTo(stdout, server.portPath() + QLatin1Char('\n'));
    const int status = app.exec();
    if (options->stats)
        printTo(stderr, server.commandStatistics());
    return status;
}
