// Time chart figures: on a database of 350 000 RMS records, pages of 10 000 points fetched and
// drawn at the first, middle and last position, the whole recording paged through with
// Ctrl+Right, and the peak memory.
//   chart_bench [RECORDS]    (default 350000)
#include "benchdatabase.h"
#include "browse/browsestate.h"
#include "browse/chartpage.h"
#include "browse/chartwindow.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "link/scriptedprompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstdio>

using namespace kapstat;
using download::TableKind;

namespace {

constexpr int PointsPerPage = 10000;

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void press(QWidget& window, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, Qt::Key_Right, modifiers);
    QApplication::sendEvent(&window, &event);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 350000;
    QTemporaryDir dir;
    const QString pom =
        bench::makeDatabase(dir.path(), records, {"Pav", "Umin", "Umax", "Usr"}, {"THDUsr"});
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    if (const auto problem = state.open(pom)) {
        std::printf("cannot open: %s\n", qPrintable(*problem));
        return 1;
    }
    common::SettingsStore settings(dir.filePath(QStringLiteral("kap640.ini")));
    browse::ChartSettings::load(settings);
    settings.setInteger(QStringLiteral("IloscPktnaStr"), PointsPerPage);
    for (const char* column : {"Umin", "Umax", "Usr"})
        state.toggleChart(TableKind::Rms, 0, QString::fromLatin1(column));
    browse::ChartPager pager(*state.table(TableKind::Rms), state.chartSelection(),
                             state.phaseCountCode(), state.norm().recordPeriodSeconds);
    const double fetch = millisecondsOf([&] { pager.page(state.filter(), 1, PointsPerPage); });
    std::printf("  the first page fetched alone, without drawing: %.1f ms\n", fetch);
    browse::ChartWindow chart(state, settings);
    chart.resize(1000, 620);

    const double first = millisecondsOf([&] { chart.show(); });
    std::printf("%d records, %d points a page\n", records, PointsPerPage);
    std::printf("  first page fetched and drawn (window shown): %.1f ms (target 100)\n", first);
    const qint64 pages = chart.totalPoints() / PointsPerPage;
    qint64 turned = 0;
    double slowest = 0;
    const double all = millisecondsOf([&] {
        while (chart.lastPoint() < chart.totalPoints()) {
            const double one = millisecondsOf([&] { press(chart, Qt::ControlModifier); });
            slowest = std::max(slowest, one);
            ++turned;
            if (turned == pages / 2)
                std::printf("  a middle page (points %lld..%lld): %.1f ms\n",
                            static_cast<long long>(chart.firstPoint()),
                            static_cast<long long>(chart.lastPoint()), one);
        }
    });
    std::printf("  Ctrl+Right through the recording: %lld pages in %.1f ms, %.1f ms a page, "
                "slowest %.1f ms; the last page ends at point %lld of %lld\n",
                static_cast<long long>(turned), all, turned ? all / turned : 0.0, slowest,
                static_cast<long long>(chart.lastPoint()),
                static_cast<long long>(chart.totalPoints()));
    std::printf("  peak memory %ld kB\n", bench::peakMemoryKilobytes());
    return 0;
}
