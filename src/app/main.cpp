#include "sim/simoptions.h"
#include "sim/simserver.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <memory>

// Until the main window arrives: a window that names the port, and the emulated recorder for
// --sim [emulator options].
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    std::unique_ptr<kapstat::sim::SimServer> emulator;
    QString port;
    if (arguments.value(0) == QLatin1String("--sim")) {
        arguments.removeFirst();
        QString error;
        const auto options = kapstat::sim::SimOptions::parse(arguments, &error);
        if (options) {
            emulator = std::make_unique<kapstat::sim::SimServer>(*options);
            if (emulator->start(&error))
                port = emulator->portPath();
        }
        if (port.isEmpty())
            QMessageBox::warning(nullptr, QStringLiteral("Kapstat"), error);
    }
    QLabel window(port.isEmpty()
                      ? QStringLiteral("Kapstat")
                      : QStringLiteral("Kapstat — emulator rejestratora na porcie %1").arg(port));
    window.setMinimumSize(480, 120);
    window.setAlignment(Qt::AlignCenter);
    window.show();
    return app.exec();
}
