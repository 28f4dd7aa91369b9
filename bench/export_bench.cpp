// Text export figures: the RMS table of a database as large as one download makes (350 000
// records) and its harmonics table (3 × 350 000 rows, six files after splitting) exported as the
// main window's "Eksportuj dane do pliku TXT" does, with the memory the export needed, for a
// tenth of the size and the full one (memory must not grow with the rows).
//   export_bench [RECORDS] [RMS COLUMNS]    (defaults 350000 and 4)
#include "benchdatabase.h"
#include "browse/browsestate.h"
#include "browse/textexport.h"
#include "config/configurationmodel.h"
#include "download/measurementtables.h"
#include "link/scriptedprompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace kapstat;
using download::TableKind;

namespace {

// The peak resident memory is counted again from what the process holds now.
void resetPeakMemory()
{
    QFile control(QStringLiteral("/proc/self/clear_refs"));
    if (control.open(QIODevice::WriteOnly))
        control.write("5");
}

// A memory figure of /proc/self/status: "VmRSS" now, "VmHWM" the peak.
long memoryKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    return -1;
}

void exportTable(browse::BrowseState& state, TableKind kind, const QString& chosen,
                 const char* caption, double targetMs)
{
    const long before = memoryKilobytes("VmRSS");
    resetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    const browse::ExportOutcome outcome = browse::TextExport::exportTables(state, {kind}, chosen);
    const double ms = timer.nsecsElapsed() / 1e6;
    qint64 bytes = 0;
    for (const QString& file : outcome.files)
        bytes += QFileInfo(file).size();
    std::printf("  %s: %.1f ms (target %.0f), %lld files, %.1f MB; memory +%ld kB over %ld kB\n",
                caption, ms, targetMs, static_cast<long long>(outcome.files.size()), bytes / 1e6,
                memoryKilobytes("VmHWM") - before, before);
    if (outcome.error)
        std::printf("  failed: %s\n", qPrintable(*outcome.error));
}

void measure(int records, const QStringList& rmsColumns)
{
    QTemporaryDir dir;
    QElapsedTimer making;
    making.start();
    const QString pom = bench::makeDatabase(dir.path(), records, rmsColumns, {"THDUsr", "UH5sr"});
    std::printf("%d records with %lld quantities (%d harmonics rows), made in %.1f s\n", records,
                static_cast<long long>(rmsColumns.size()), 3 * records, making.elapsed() / 1000.0);
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    if (const auto problem = state.open(pom)) {
        std::printf("  cannot open: %s\n", qPrintable(*problem));
        return;
    }
    const QString chosen = dir.filePath(QStringLiteral("pomiar.prn"));
    exportTable(state, TableKind::Rms, chosen, "RMS export", 1000);
    exportTable(state, TableKind::Harm, chosen, "harmonics export", 3000);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 350000;
    const int columnCount = argc > 2 ? std::atoi(argv[2]) : 4;
    const QStringList quantities = download::MeasurementTables::nameList(TableKind::Rms);
    QStringList rmsColumns{"Pav", "Umin", "Umax", "Usr"};
    for (const QString& name : quantities)
        if (rmsColumns.size() < columnCount && !rmsColumns.contains(name) &&
            !name.startsWith(QLatin1String("Probki")))
            rmsColumns << name;
    rmsColumns = rmsColumns.mid(0, columnCount);
    for (int size : {records / 10, records})
        if (size > 0)
            measure(size, rmsColumns);
    return 0;
}
