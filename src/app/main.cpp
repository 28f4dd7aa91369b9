#include "app/mainwindow.h"
#include "app/program.h"
#include "app/regionalformats.h"
#include "app/screenshottour.h"
#include "common/programversion.h"
#include "sim/simoptions.h"
#include "sim/simserver.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstring>
#include <memory>

namespace {

QString usage()
{
    return QCoreApplication::translate(
        "kapstat", "Użycie: kapstat [--port ŚCIEŻKA] [--sim [opcje emulatora]]\n"
                   "  --port ŚCIEŻKA   dopisuje port (np. pseudoterminal) do listy portów i go "
                   "wybiera\n"
                   "  --sim [opcje]    uruchamia w programie emulator rejestratora i wybiera jego "
                   "port;\n"
                   "                   opcje jak w kapstat-sim --help\n"
                   "  --screenshots KATALOG  zapisuje obrazy głównych okien w katalogu i kończy\n"
                   "  --version        wypisuje wersję programu\n");
}

void printVersion()
{
    QTextStream(stdout) << kapstat::common::ProgramVersion::line(QStringLiteral("kapstat")) << '\n';
}

struct Arguments
{
    QStringList ports;
    bool sim = false;
    QStringList simArguments;
    QString screenshotFolder;
    bool help = false;
    bool version = false;
};

std::optional<Arguments> parse(QStringList arguments, QString* error)
{
    Arguments parsed;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parsed.help = true;
        } else if (argument == QLatin1String("--version")) {
            parsed.version = true;
        } else if (argument == QLatin1String("--port") && !arguments.isEmpty()) {
            parsed.ports << arguments.takeFirst();
        } else if (argument == QLatin1String("--screenshots") && !arguments.isEmpty()) {
            parsed.screenshotFolder = arguments.takeFirst();
        } else if (argument == QLatin1String("--sim")) {
            parsed.sim = true;
            parsed.simArguments = kapstat::sim::SimOptions::takeLeadingOptions(arguments);
        } else {
            *error = QCoreApplication::translate("kapstat", "Nieznana opcja: %1").arg(argument);
            return std::nullopt;
        }
    }
    return parsed;
}

// The emulated recorder inside the program, so that every recorder action works without one.
std::unique_ptr<kapstat::sim::SimServer> startEmulator(const QStringList& arguments, QString* error)
{
    const auto options = kapstat::sim::SimOptions::parse(arguments, error);
    if (!options)
        return nullptr;
    auto server = std::make_unique<kapstat::sim::SimServer>(*options);
    if (!server->start(error))
        return nullptr;
    return server;
}

} // namespace

int main(int argc, char** argv)
{
    // A lone --version or --help is answered before the windowing system is needed, so it works
    // without a display (help2man, a terminal on a server).
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        printVersion();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        QTextStream(stdout) << usage();
        return 0;
    }
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("KAP-640"));
    kapstat::app::applyRegionalFormats();

    QString error;
    auto arguments = parse(app.arguments().mid(1), &error);
    if (!arguments) {
        QTextStream(stderr) << error << "\n\n" << usage();
        return 2;
    }
    if (arguments->help) {
        QTextStream(stdout) << usage();
        return 0;
    }
    if (arguments->version) {
        printVersion();
        return 0;
    }
    std::unique_ptr<kapstat::sim::SimServer> emulator;
    if (arguments->sim) {
        emulator = startEmulator(arguments->simArguments, &error);
        if (emulator)
            arguments->ports << emulator->portPath();
        else
            QMessageBox::warning(nullptr, QStringLiteral("Kapstat"), error);
    }

    kapstat::app::Program program(arguments->ports);
    std::unique_ptr<kapstat::app::ScreenshotTour> tour;
    if (arguments->screenshotFolder.isEmpty()) {
        program.mainWindow().showMaximized();
    } else {
        tour = std::make_unique<kapstat::app::ScreenshotTour>(program, arguments->screenshotFolder);
        tour->start();
    }
    return app.exec();
}
