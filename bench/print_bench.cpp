// Printing figures: the printout of six RMS columns written as PDF, for about 20 and 200 pages.
//   print_bench
#include "browse/browsestate.h"
#include "config/configurationmodel.h"
#include "databasefixture.h"
#include "link/scriptedprompter.h"
#include "print/reportlayout.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kapstat;
using download::TableKind;

namespace {

constexpr int Rounds = 5;
const QStringList Columns{"Pav", "Qav", "Sav", "Umin", "Umax", "Usr"};

void fill(fixtures::DatabaseFixture& db, int records)
{
    db.writeHeader();
    db.createTable(TableKind::Rms, Columns);
    const QDateTime start = fixtures::at(2026, 1, 1);
    for (int nr = 1; nr <= records; ++nr) {
        QVariantMap values{{"Nr", nr},
                           {"NrSt", 1},
                           {"DiC", start.addSecs(qint64(nr) * 600)},
                           {"War", nr % 10 == 0 ? 0x44 : 0}};
        for (int c = 0; c < Columns.size(); ++c)
            values.insert(Columns[c], 230.0 + (nr % 97) * 0.01 + c);
        db.append(TableKind::Rms, values);
    }
    db.closeTables();
}

void measure(int records)
{
    fixtures::DatabaseFixture db;
    fill(db, records);
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    if (const auto problem = state.open(db.selectionFile())) {
        std::printf("cannot open the database: %s\n", qPrintable(*problem));
        return;
    }
    for (const QString& column : Columns)
        state.togglePrint(TableKind::Rms, 0, column);
    print::PrintOptions options;
    options.allRecords = true;
    options.shading = true;
    options.title = QStringLiteral("Pomiary");
    print::ShadingSequence shading;
    const QString pdf = QDir(db.folder()).filePath(QStringLiteral("wydruk.pdf"));
    std::vector<double> times;
    int pages = 0;
    for (int round = 0; round < Rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        pages =
            print::ReportLayout::measurements(state, options, shading).writePdf(pdf).value_or(0);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%6d records, %4d pages to PDF: fastest %8.1f ms, median %8.1f ms (%lld kB)\n",
                records, pages, times.front(), times[times.size() / 2],
                QFileInfo(pdf).size() / 1024);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (const int records : {1300, 13000})
        measure(records);
    return 0;
}
