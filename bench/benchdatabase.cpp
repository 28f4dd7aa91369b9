#include "benchdatabase.h"

#include "common/windows1250text.h"
#include "config/recorderconfiguration.h"
#include "config/settingsfile.h"
#include "download/measurementtables.h"
#include "download/tablestore.h"

#include <QDateTime>
#include <QDir>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace kapstat::bench {

namespace {

using download::TableKind;

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

} // namespace

QString makeDatabase(const QString& folder, int records, const QStringList& rmsColumns,
                     const QStringList& harmonicsColumns)
{
    const QString name = QStringLiteral("260101-000000_1_Hala");
    const QString base = folder + QLatin1Char('/') + name + QStringLiteral("_SP/") + name;
    QDir().mkpath(folder + QLatin1Char('/') + name + QStringLiteral("_SP"));
    common::Windows1250Text::writeLines(folder + QLatin1Char('/') + name + QStringLiteral(".POM"),
                                        {"", "", "KAP-640", "2026-01-01 00:00:00", "", ""});
    config::SettingsFile::save(config::RecorderConfiguration{}, base + QStringLiteral(".CONF.ust"));
    fill(base + QStringLiteral(".db"), TableKind::Rms, rmsColumns, records);
    fill(base + QStringLiteral(".HARM.db"), TableKind::Harm, harmonicsColumns, records);
    return folder + QLatin1Char('/') + name + QStringLiteral(".POM");
}

long peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace kapstat::bench
