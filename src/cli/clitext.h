#pragma once

#include "config/measuringsystem.h"

#include <QString>

namespace kapstat::cli {

// The command line's texts, translated in one context.
QString tr(const char* text);

// The measuring system as the configuration window names it.
QString systemName(config::MeasuringSystem system);

} // namespace kapstat::cli
