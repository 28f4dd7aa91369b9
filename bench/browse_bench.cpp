// Browsing figures: a database as large as one download makes (350 000 RMS records, 3 × 350 000
// harmonics rows) opened and shown; the last row reached; the condition filter toggled; the
// middle of the table reached; and the peak memory, for a few database sizes.
//   browse_bench [RECORDS]    (default 350000)
#include "benchdatabase.h"
#include "browse/browsestate.h"
#include "config/configurationmodel.h"
#include "link/scriptedprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace kapstat;
using download::TableKind;

namespace {

constexpr int ScreenRows = 40;

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
    const QString pom = bench::makeDatabase(dir.path(), records, {"Pav", "Umin", "Umax", "Usr"},
                                            {"THDUsr", "UH5sr"});
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
                bench::peakMemoryKilobytes());
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
