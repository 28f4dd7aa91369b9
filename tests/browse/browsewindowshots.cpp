// Pictures of the three table windows over a database downloaded from kapstat-sim, with chart
// and print selections, for scripts/screenshots.sh.
#include "browse/browsestate.h"
#include "browse/chartwindow.h"
#include "browse/frozentableview.h"
#include "browse/tablewindow.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "downloadeddatabase.h"
#include "link/scriptedprompter.h"

#include <QApplication>
#include <QDir>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kapstat;
using download::TableKind;

namespace {

void save(QWidget& window, const QString& folder, const QString& name)
{
    window.resize(1000, 420);
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    QTextStream(stdout) << (window.grab().save(path) ? "" : "nie zapisano: ") << path << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    QTemporaryDir work;
    const QString pom = fixtures::downloadRichDatabase(work.path(), config::MeasuringSystem::Star);
    if (pom.isEmpty()) {
        QTextStream(stderr) << "nie udało się pobrać bazy z kapstat-sim" << Qt::endl;
        return 1;
    }
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    browse::TableWindow rms(TableKind::Rms, state, nullptr);
    browse::TableWindow harm(TableKind::Harm, state, nullptr);
    browse::TableWindow events(TableKind::Zanik, state, nullptr);
    if (const auto problem = state.open(pom)) {
        QTextStream(stderr) << *problem << Qt::endl;
        return 1;
    }
    const browse::BrowseTable& rmsTable = *state.table(TableKind::Rms);
    for (const QString& column : fixtures::columnsStarting(rmsTable, QStringLiteral("U"), 2))
        state.toggleChart(TableKind::Rms, 0, column);
    for (const QString& column : fixtures::columnsStarting(rmsTable, QStringLiteral("I"), 2))
        state.togglePrint(TableKind::Rms, 0, column);
    // Scroll to records stored under a broken condition, so their triangles show.
    state.setConditionFilter(true);
    save(rms, folder, QStringLiteral("rms-table"));
    state.setConditionFilter(false);

    const browse::BrowseTable& harmTable = *state.table(TableKind::Harm);
    const QStringList harmonics = fixtures::columnsStarting(harmTable, QStringLiteral("UH"), 2);
    for (int row = 0; row < 3 && !harmonics.isEmpty(); ++row)
        state.toggleChart(TableKind::Harm, row, harmonics.first());
    harm.grid()->scrollingView()->scrollTo(state.model(TableKind::Harm)->index(0, 6));
    save(harm, folder, QStringLiteral("harmonics-table"));

    state.togglePrint(TableKind::Zanik, 0, QStringLiteral("Czas_PL1"));
    save(events, folder, QStringLiteral("events-table"));

    common::SettingsStore settings(work.filePath(QStringLiteral("kap640.ini")));
    state.clearChartSelection();
    for (const QString& column : fixtures::columnsStarting(rmsTable, QStringLiteral("U"), 3))
        state.toggleChart(TableKind::Rms, 0, column);
    browse::ChartWindow chart(state, settings);
    chart.show();
    chart.setLimit(true, true, 236);
    save(chart, folder, QStringLiteral("chart-window"));
    return 0;
}
