#include "cli/clitext.h"

#include <QCoreApplication>

namespace kapstat::cli {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat-cli", text);
}

QString systemName(config::MeasuringSystem system)
{
    switch (system) {
    case config::MeasuringSystem::Star:
        return tr("gwiazda");
    case config::MeasuringSystem::Delta:
        return tr("trójkąt");
    case config::MeasuringSystem::SinglePhase:
        break;
    }
    return tr("1 faza");
}

} // namespace kapstat::cli
