#pragma once

#include "config/measuringsystem.h"

#include <QString>
#include <QStringList>

namespace kapstat::browse {
class BrowseTable;
}

namespace kapstat::fixtures {

// Downloads from kapstat-sim, through kapstat-cli, a database whose records carry plain values,
// storage conditions, waveform samples, harmonics and phasors, and events; returns the
// selection file of its first station ("" when the download failed).
QString downloadRichDatabase(const QString& folder, config::MeasuringSystem system,
                             int records = 300);

// The first columns of the table, shown and not leading, whose names start with the prefix.
QStringList columnsStarting(const browse::BrowseTable& table, const QString& prefix, int count);

} // namespace kapstat::fixtures
