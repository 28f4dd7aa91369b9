#include "downloadeddatabase.h"

#include "../e2e/cliprocess.h"
#include "../e2e/simprocess.h"
#include "browse/browsetable.h"
#include "config/configurationmodel.h"
#include "config/settingsfile.h"

#include <QDirIterator>

namespace kapstat::fixtures {

namespace {

QString writeRichConfiguration(const QString& folder, config::MeasuringSystem system)
{
    config::ConfigurationModel model;
    model.applySystemChange(system);
    // Averages and extremes of U, I, P; phase voltages; THD; U and I harmonics; waveforms,
    // phasors and events.
    for (const int entry : {1,
                            2,
                            3,
                            4,
                            5,
                            6,
                            7,
                            8,
                            46,
                            53,
                            54,
                            55,
                            56,
                            137,
                            138,
                            139,
                            140,
                            218,
                            219,
                            220,
                            221,
                            config::entries::VoltageWaveforms,
                            config::entries::CurrentWaveforms,
                            config::entries::Phasors,
                            config::entries::FirstEventRecording})
        if (model.isEnabled(entry))
            model.setSelected(entry, true);
    model.setStoragePeriod(10);
    const QString path = folder + QStringLiteral("/bogata.ust");
    return config::SettingsFile::save(model.configuration(), path) ? QString() : path;
}

} // namespace

QString downloadRichDatabase(const QString& folder, config::MeasuringSystem system, int records)
{
    const QString configuration = writeRichConfiguration(folder, system);
    SimProcess sim({QStringLiteral("--records"), QString::number(records),
                    QStringLiteral("--events"), QStringLiteral("12")});
    if (configuration.isEmpty() || sim.portPath().isEmpty())
        return {};
    const QString port = sim.portPath();
    if (runCli({"--port", port, "config", "send", configuration}).status != 0)
        return {};
    const QString database = folder + QStringLiteral("/baza");
    if (runCli({"--port", port, "download", "--db", database}).status != 0)
        return {};
    QDirIterator found(database, {QStringLiteral("*_1_*.POM")}, QDir::Files,
                       QDirIterator::Subdirectories);
    return found.hasNext() ? found.next() : QString();
}

QStringList columnsStarting(const browse::BrowseTable& table, const QString& prefix, int count)
{
    QStringList names;
    for (const browse::DisplayColumn& column : table.columns())
        if (names.size() < count && !column.leading && !column.hidden &&
            column.name.startsWith(prefix))
            names << column.name;
    return names;
}

} // namespace kapstat::fixtures
