#pragma once

#include "calib/calibrationset.h"
#include "config/measuringsystem.h"
#include "live/livestore.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <array>

// The phasor page: arrows of the voltages and currents turned so that UL1 points straight up,
// the delta's line voltages as a closed triangle, and the legend beside the chart.
namespace kapstat::live {

enum class PhasorColour
{
    Red,
    Green,
    Blue,
};

struct PhasorArrow
{
    QString label;
    PhasorColour colour;
    QPointF from;
    QPointF to;
};

struct PhasorDiagram
{
    QList<PhasorArrow> voltages; // against the top and left axes
    QList<PhasorArrow> currents; // against the bottom and right axes
    double voltageLimit = 0;     // the axes run from -limit to limit
    double currentLimit = 0;
};

// The twelve fundamental coefficients the diagram is drawn from (No. 107-118).
using PhasorCoefficients = std::array<double, 12>;
PhasorCoefficients phasorCoefficients(const LiveStore& store);

PhasorDiagram phasorDiagram(const LiveStore& store, const calib::RangeScale& scale,
                            config::MeasuringSystem system);

// Whether the legend must be rewritten: a coefficient differs from those last drawn (under
// "1 faza" only those of UL1 and IL1 count).
bool phasorLegendChanged(const PhasorCoefficients& last, const PhasorCoefficients& now,
                         config::MeasuringSystem system);
// The six legend lines, red, green, blue voltages then currents.
std::array<QString, 6> phasorLegend(const LiveStore& store, config::MeasuringSystem system);

} // namespace kapstat::live
