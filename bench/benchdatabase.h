#pragma once

#include "download/measurementtables.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace kapstat::config {
struct RecorderConfiguration;
}

namespace kapstat::bench {

// A measurement database as one download makes it, written with the table store directly:
// `records` RMS records of the named quantities and three harmonics rows (L1 to L3) for each,
// every tenth record stored for a broken condition. Returns its selection file.
QString makeDatabase(const QString& folder, int records, const QStringList& rmsColumns,
                     const QStringList& harmonicsColumns);

// One stored value: of the column at position c of the list, in record nr (from 1) and phase
// (1..3 for harmonics, else 1).
using BenchValue = std::function<QVariant(const QString& column, int nr, int phase, int c)>;
// The condition byte of record nr.
using BenchWar = std::function<int(int nr)>;

// Writes the selection file and the settings file of a database named
// "260101-000000_1_Hala" in the folder; returns the tables' path without extension.
QString writeDatabaseHeader(const QString& folder,
                            const config::RecorderConfiguration& configuration);
QString selectionFileIn(const QString& folder);

// A table of the kind with the named columns, one record a minute from 2026-01-01 (three rows a
// record for harmonics).
void fillTable(const QString& path, download::TableKind kind, const QStringList& columns,
               int records, const BenchValue& value, const BenchWar& war);

// The process's peak memory so far.
long peakMemoryKilobytes();

} // namespace kapstat::bench
