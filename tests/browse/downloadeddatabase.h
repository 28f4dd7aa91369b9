#pragma once

#include "config/measuringsystem.h"

#include <QString>

namespace kapstat::fixtures {

// Downloads from kapstat-sim, through kapstat-cli, a database whose records carry plain values,
// storage conditions, waveform samples, harmonics and phasors, and events; returns the
// selection file of its first station ("" when the download failed).
QString downloadRichDatabase(const QString& folder, config::MeasuringSystem system,
                             int records = 300);

} // namespace kapstat::fixtures
