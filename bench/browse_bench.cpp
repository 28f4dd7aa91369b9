// Browsing figures: a database as large as one download makes (350 000 RMS records, 3 × 350 000
// harmonics rows) opened and shown; the last row reached; the condition filter toggled; the
// middle of the table reached; and the peak memory, for a few database sizes.
//   browse_bench [RECORDS]    (default 350000)
#include "browse/browsestate.h"
#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "config/settingsfile.h"
#include "download/measurementtables.h"
#include "download/tablestore.h"
#include "link/scriptedprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace kapstat;
using download::TableKind;

namespace {

constexpr int ScreenRows = 40;

long peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void fill(const QString& path, TableKind kind, const QStringList& columns, int records)
{
    std::vector<bool> selected(download::MeasurementTables::nameList(kind).size());
    for (const QString& column : columns)
        selected[download::MeasurementTables::nameIndex(kind, column)] = true;
    download::TableStore::create(path, download::MeasurementTables::definition(kind, selected));
    download::TableStore table;
    table.open(path);
    table.beginTransaction();
    const QDateTime start(QDate(2026, 1, 1), QTime(0, 0));
    const int phases = kind == TableKind::Harm ? 3 : 1;
    for (int nr = 1; nr <= records; ++nr)
        for (int phase = 1; phase <= phases; ++phase) {
            table.append();
            table.setField(QStringLiteral("Nr"), nr);
            table.setField(QStringLiteral("NrSt"), 1);
            table.setField(QStringLiteral("DiC"), start.addSecs(qint64(nr) * 60));
            table.setField(QStringLiteral("War"), nr % 10 == 0 ? 16 : 0);
            if (kind == TableKind::Harm)
                table.setField(QStringLiteral("Faza"), QStringLiteral("L%1").arg(phase));
            for (int c = 0; c < columns.size(); ++c)
                table.setField(columns[c], 230.0 + (nr % 97) * 0.01 + c);
            if (!table.post()) {
                std::printf("cannot write %s: %s\n", qPrintable(path),
                            qPrintable(table.errorText()));
                return;
            }
        }
    table.commit();
}

QString makeDatabase(const QString& folder, int records)
{
    const QString name = QStringLiteral("260101-000000_1_Hala");
    const QString base = folder + QLatin1Char('/') + name + QStringLiteral("_SP/") + name;
    QDir().mkpath(folder + QLatin1Char('/') + name + QStringLiteral("_SP"));
    common::Windows1250Text::writeLines(folder + QLatin1Char('/') + name + QStringLiteral(".POM"),
                                        {"", "", "KAP-640", "2026-01-01 00:00:00", "", ""});
    config::SettingsFile::save(config::RecorderConfiguration{}, base + QStringLiteral(".CONF.ust"));
    fill(base + QStringLiteral(".db"), TableKind::Rms, {"Pav", "Umin", "Umax", "Usr"}, records);
    fill(base + QStringLiteral(".HARM.db"), TableKind::Harm, {"THDUsr", "UH5sr"}, records);
    return folder + QLatin1Char('/') + name + QStringLiteral(".POM");
}

// Reads every cell of a screen of rows from the first one, as a grid paints them.
void showScreen(const browse::PagedTableModel& model, int firstRow)
{
    for (int row = firstRow; row < std::min(model.rowCount(), firstRow + ScreenRows); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            (void)model.data(model.index(row, column));
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void measure(int records)
{
    QTemporaryDir dir;
    QElapsedTimer making;
    making.start();
    const QString pom = makeDatabase(dir.path(), records);
    std::printf("%d records (%d harmonics rows), made in %.1f s\n", records, 3 * records,
                making.elapsed() / 1000.0);
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    std::optional<QString> problem;
    const double open = millisecondsOf([&] {
        problem = state.open(pom);
        if (problem)
            return;
        showScreen(*state.model(TableKind::Rms), 0);
        showScreen(*state.model(TableKind::Harm), 0);
    });
    if (problem) {
        std::printf("  cannot open: %s\n", qPrintable(*problem));
        return;
    }
    browse::PagedTableModel& rms = *state.model(TableKind::Rms);
    browse::PagedTableModel& harm = *state.model(TableKind::Harm);
    const double last = millisecondsOf([&] {
        showScreen(rms, rms.rowCount() - ScreenRows);
        showScreen(harm, harm.rowCount() - ScreenRows);
    });
    const double middle = millisecondsOf([&] {
        showScreen(rms, rms.rowCount() / 2);
        showScreen(harm, harm.rowCount() / 2);
    });
    const double filterOn = millisecondsOf([&] {
        state.setConditionFilter(true);
        showScreen(rms, 0);
        showScreen(harm, 0);
    });
    const double filterOff = millisecondsOf([&] {
        state.setConditionFilter(false);
        showScreen(rms, 0);
        showScreen(harm, 0);
    });
    std::printf("  rows: RMS %d, harmonics %d\n", rms.rowCount(), harm.rowCount());
    std::printf("  open and first screen of both tables: %.1f ms (target 500)\n", open);
    std::printf("  last screen of both tables: %.1f ms (target 200)\n", last);
    std::printf("  middle screen of both tables: %.1f ms\n", middle);
    std::printf("  condition filter on, first screens: %.1f ms; off again: %.1f ms (target 500)\n",
                filterOn, filterOff);
    std::printf("  pages held: RMS %d, harmonics %d (at most %d each); peak memory %ld kB\n",
                rms.cachedPageCount(), harm.cachedPageCount(), browse::PagedTableModel::CachedPages,
                peakMemoryKilobytes());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 350000;
    for (int size : {records / 10, records})
        if (size > 0)
            measure(size);
    return 0;
}
