// Compliance statistics over the largest database one download makes: 350 000 RMS records,
// 1 050 000 harmonics rows (three phases) and 10 000 event records; then the whole report, as text
// and as PDF.
//   norm_bench [RECORDS [FOLDER]]    (default 350000; a FOLDER keeps the databases for later runs)
#include "benchdatabase.h"
#include "browse/browsestate.h"
#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "config/selectionentries.h"
#include "config/settingsfile.h"
#include "download/measurementtables.h"
#include "download/tablestore.h"
#include "link/scriptedprompter.h"
#include "norm/compliancereport.h"
#include "norm/compliancestatistics.h"
#include "norm/pccounterslots.h"
#include "norm/reporttextdocument.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

using namespace kapstat;
using download::TableKind;

namespace {

constexpr int EventRecords = 10000;

QStringList rmsColumns()
{
    QStringList columns{"fmin", "fmax", "fsr"};
    for (const char* phase : {"UL1", "UL2", "UL3"})
        for (const char* statistic : {"min", "max", "sr"})
            columns << QString::fromLatin1(phase) + QString::fromLatin1(statistic);
    return columns;
}

// What the norm mode records: THD, U2/U1, the fundamental and every harmonic's mean.
QStringList harmonicColumns()
{
    QStringList columns{"THDUsr", "U1U2sr", "UH1min", "UH1max"};
    for (int order = 1; order <= 24; ++order)
        columns << QStringLiteral("UH%1sr").arg(order);
    return columns;
}

QStringList eventColumns()
{
    QStringList columns;
    for (const char* group : {"PrzerwaL", "Czas_PL", "Ilosc_uPL", "Czas_PrzepL", "Max_PrzepL"})
        for (int k = 1; k <= 3; ++k)
            columns << QString::fromLatin1(group) + QString::number(k);
    return columns;
}

// A value that moves around its nominal so that every comparison goes both ways.
double valueOf(const QString& column, int nr, int c)
{
    const double wobble = (nr * 7919 + c * 104729) % 1000 / 1000.0;
    if (column.startsWith(QLatin1Char('f')))
        return 47 + 5 * wobble;
    if (column.startsWith(QLatin1String("UL")))
        return 180 + 100 * wobble;
    return 10 * wobble;
}

QString makeDatabase(const QString& folder, int records)
{
    const QString pom = bench::selectionFileIn(folder);
    if (QFile::exists(pom))
        return pom;
    config::RecorderConfiguration configuration;
    configuration.selection[config::entries::NormMode] = true;
    const QString base = bench::writeDatabaseHeader(folder, configuration);
    const bench::BenchValue value = [](const QString& column, int nr, int phase, int c) {
        return QVariant(valueOf(column, nr + phase, c));
    };
    const bench::BenchValue event = [](const QString&, int nr, int, int c) {
        return QVariant(nr % (c + 2));
    };
    const bench::BenchWar war = [](int) { return 0; };
    bench::fillTable(base + download::tableSuffix(TableKind::Rms), TableKind::Rms, rmsColumns(),
                     records, value, war);
    bench::fillTable(base + download::tableSuffix(TableKind::Harm), TableKind::Harm,
                     harmonicColumns(), records, value, war);
    bench::fillTable(base + download::tableSuffix(TableKind::Zanik), TableKind::Zanik,
                     eventColumns(), EventRecords, event, war);
    return pom;
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void measure(int records, const QString& keptFolder)
{
    QTemporaryDir dir;
    const QString folder =
        keptFolder.isEmpty() ? dir.path() : keptFolder + QStringLiteral("/%1").arg(records);
    QElapsedTimer making;
    making.start();
    const QString pom = makeDatabase(folder, records);
    std::printf("%d RMS records, %d harmonics rows, %d events; made in %.1f s\n", records,
                3 * records, EventRecords, making.elapsed() / 1000.0);
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    if (const auto problem = state.open(pom)) {
        std::printf("  cannot open: %s\n", qPrintable(*problem));
        return;
    }
    norm::PcCounterSlots slots;
    QString error;
    std::optional<norm::ComplianceStatistics> statistics;
    const double compute = millisecondsOf([&] {
        statistics = norm::ComplianceStatistics::compute(norm::ComplianceSource::of(state, true),
                                                         slots, &error);
    });
    if (!statistics) {
        std::printf("  statistics failed: %s\n", qPrintable(error));
        return;
    }
    std::optional<norm::ComplianceReport> report;
    const double whole =
        millisecondsOf([&] { report = norm::ComplianceReport::make(state, {}, slots, nullptr); });
    QTemporaryDir pdfDir;
    bool written = false;
    const double toPdf = millisecondsOf([&] {
        const auto made = norm::ComplianceReport::make(state, {}, slots, nullptr);
        if (!made)
            return;
        written = norm::ReportTextDocument::writePdf(state, *made,
                                                     pdfDir.filePath(QStringLiteral("raport.pdf")));
    });
    std::printf("  statistics: %.1f ms (target 1000); N %.0f, NH %.0f\n", compute,
                statistics->recordCount, statistics->harmonicRecordCount);
    std::printf("  whole report (gate count, statistics, both texts): %.1f ms, %lld + %lld lines\n",
                whole, report ? static_cast<long long>(report->main.lines().size()) : 0LL,
                report ? static_cast<long long>(report->additional.lines().size()) : 0LL);
    std::printf("  whole report to PDF: %.1f ms (target 2000)%s\n", toPdf,
                written ? "" : " - not written");
}

} // namespace

int main(int argc, char** argv)
{
    // The PDF is laid out with fonts but shown nowhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 350000;
    for (int size : {records / 10, records})
        if (size > 0)
            measure(size, argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    return 0;
}
