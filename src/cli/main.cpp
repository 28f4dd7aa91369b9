#include "cli/calibrationcommand.h"
#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "cli/configcommand.h"
#include "cli/counterscommand.h"
#include "cli/databasesession.h"
#include "cli/downloadcommand.h"
#include "cli/housekeepingcommands.h"
#include "cli/livecommand.h"
#include "cli/printcommand.h"
#include "cli/reportcommand.h"
#include "common/programversion.h"
#include "sim/simserver.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <functional>
#include <map>
#include <memory>

using namespace kapstat;
using namespace kapstat::cli;

namespace {

using Command = std::function<int(CliSession&, const QStringList& arguments)>;

// Every command of the command line; each drives its conversation to its end.
const std::map<QString, Command>& commands()
{
    static const std::map<QString, Command> table{
        {QStringLiteral("status"), housekeeping::status},
        {QStringLiteral("clock"), housekeeping::clock},
        {QStringLiteral("clear"), housekeeping::clear},
        {QStringLiteral("config"), runConfigCommand},
        {QStringLiteral("download"), runDownloadCommand},
        {QStringLiteral("live"), runLiveCommand},
        {QStringLiteral("counters"), runCountersCommand},
        {QStringLiteral("calibration"), runCalibrationCommand},
    };
    return table;
}

int usageError(const QString& message)
{
    QTextStream(stderr) << message << "\n\n" << CliOptions::usage();
    return ExitStatus::Usage;
}

// Starts the emulated recorder inside this program; its pseudo-terminal becomes the port.
std::unique_ptr<sim::SimServer> startEmulator(const QStringList& arguments, QString* port,
                                              QString* error)
{
    const auto options = sim::SimOptions::parse(arguments, error);
    if (!options)
        return nullptr;
    auto server = std::make_unique<sim::SimServer>(*options);
    if (!server->start(error))
        return nullptr;
    *port = server->portPath();
    return server;
}

// Only the printouts need fonts and a paint device; they need no screen.
std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString ignored;
    const auto options = CliOptions::parse(arguments, &ignored);
    const bool printsTable = options && isPrintCommand(options->command);
    if (!printsTable && !wantsPrintedReport(arguments))
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The commands' own messages go to stderr directly; the GUI library's remarks about the
    // platform and the painter would only bury them.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    const auto app = createApplication(argc, argv);
    QString error;
    const auto options = CliOptions::parse(app->arguments().mid(1), &error);
    if (!options)
        return usageError(error);
    if (options->help) {
        QTextStream(stdout) << CliOptions::usage();
        return ExitStatus::Done;
    }
    if (options->version) {
        QTextStream(stdout) << common::ProgramVersion::line(QStringLiteral("kapstat-cli")) << '\n';
        return ExitStatus::Done;
    }
    if (const DatabaseCommand run = databaseCommand(options->command))
        return run(options->commandArguments);
    const auto command = commands().find(options->command);
    if (command == commands().end())
        return usageError(QCoreApplication::translate("kapstat-cli", "Nieznane polecenie: %1")
                              .arg(options->command));

    QString port = options->port;
    std::unique_ptr<sim::SimServer> emulator;
    if (options->sim) {
        emulator = startEmulator(options->simArguments, &port, &error);
        if (!emulator) {
            QTextStream(stderr) << error << Qt::endl;
            return ExitStatus::Failed;
        }
    }
    CliSession session(options->retryRounds, options->yes);
    if (!session.open(port))
        return ExitStatus::Failed;
    return command->second(session, options->commandArguments);
}
