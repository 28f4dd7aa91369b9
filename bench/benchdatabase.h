#pragma once

#include <QString>
#include <QStringList>

namespace kapstat::bench {

// A measurement database as one download makes it, written with the table store directly:
// `records` RMS records of the named quantities and three harmonics rows (L1 to L3) for each,
// every tenth record stored for a broken condition. Returns its selection file.
QString makeDatabase(const QString& folder, int records, const QStringList& rmsColumns,
                     const QStringList& harmonicsColumns);

// The process's peak memory so far.
long peakMemoryKilobytes();

} // namespace kapstat::bench
