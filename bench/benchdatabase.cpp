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

using download::TableKind;

namespace {
const QString Name = QStringLiteral("260101-000000_1_Hala");
} // namespace

QString selectionFileIn(const QString& folder)
{
    return folder + QLatin1Char('/') + Name + QStringLiteral(".POM");
}

QString writeDatabaseHeader(const QString& folder,
                            const config::RecorderConfiguration& configuration)
{
    QDir().mkpath(folder + QLatin1Char('/') + Name + QStringLiteral("_SP"));
    common::Windows1250Text::writeLines(selectionFileIn(folder),
                                        {"", "", "KAP-640", "2026-01-01 00:00:00", "", ""});
    const QString base = folder + QLatin1Char('/') + Name + QStringLiteral("_SP/") + Name;
    config::SettingsFile::save(configuration, base + QStringLiteral(".CONF.ust"));
    return base;
}

void fillTable(const QString& path, TableKind kind, const QStringList& columns, int records,
               const BenchValue& value, const BenchWar& war)
{
    std::vector<bool> selected(download::MeasurementTables::nameList(kind).size());
    for (const QString& column : columns)
        selected[download::MeasurementTables::nameIndex(kind, column)] = true;
    download::TableStore::create(path, download::MeasurementTables::definition(kind, selected));
    download::TableStore table;
    table.open(path);
    table.beginTransaction();
    QList<int> positions;
    for (const QString& column : columns)
        positions << table.fieldIndex(column);
    const QDateTime start(QDate(2026, 1, 1), QTime(0, 0));
    const int phases = kind == TableKind::Harm ? 3 : 1;
    for (int nr = 1; nr <= records; ++nr)
        for (int phase = 1; phase <= phases; ++phase) {
            table.append();
            table.setField(QStringLiteral("Nr"), nr);
            table.setField(QStringLiteral("NrSt"), 1);
            table.setField(QStringLiteral("DiC"), start.addSecs(qint64(nr) * 60));
            if (kind != TableKind::Zanik)
                table.setField(QStringLiteral("War"), war(nr));
            if (kind == TableKind::Harm)
                table.setField(QStringLiteral("Faza"), QStringLiteral("L%1").arg(phase));
            for (int c = 0; c < columns.size(); ++c)
                table.setField(positions[c], value(columns[c], nr, phase, c));
            if (!table.post()) {
                std::printf("cannot write %s: %s\n", qPrintable(path),
                            qPrintable(table.errorText()));
                return;
            }
        }
    table.commit();
}

QString makeDatabase(const QString& folder, int records, const QStringList& rmsColumns,
                     const QStringList& harmonicsColumns)
{
    const QString base = writeDatabaseHeader(folder, config::RecorderConfiguration{});
    const BenchValue value = [](const QString&, int nr, int, int c) {
        return QVariant(230.0 + (nr % 97) * 0.01 + c);
    };
    // Every tenth record stored for a broken condition.
    const BenchWar war = [](int nr) { return nr % 10 == 0 ? 16 : 0; };
    fillTable(base + download::tableSuffix(TableKind::Rms), TableKind::Rms, rmsColumns, records,
              value, war);
    fillTable(base + download::tableSuffix(TableKind::Harm), TableKind::Harm, harmonicsColumns,
              records, value, war);
    return selectionFileIn(folder);
}

long peakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace kapstat::bench
