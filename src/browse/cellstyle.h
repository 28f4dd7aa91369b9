#pragma once

#include "download/measurementtables.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVariant>
#include <array>

namespace kapstat::browse {

class ChartSelection;
class PrintSelection;

// The background a grid cell gets; the windows turn it into a colour.
enum class CellShade
{
    Window, // the grid's own colour
    White,
    Red,         // charted
    LightYellow, // an L2 harmonics record
    Yellow,      // an L3 harmonics record
    Aqua         // an interruption's duration
};

// phase: the record's "Faza" (harmonics); interruption: the record's "Przerwa" flag of the
// column's phase (events).
CellShade cellShade(download::TableKind kind, const QString& column, const ChartSelection& chart,
                    const QString& phase, const QVariant& interruption);
// The flag column whose value shades an events cell ("PrzerwaL2" for "Czas_PL2"); empty for others.
QString interruptionFlagColumn(const QString& column);
bool isPrintColumn(download::TableKind kind, const QString& column, const PrintSelection& print);

enum class SymbolColour
{
    Blue,
    Green,
    Red
};

// One storage-condition mark of a War cell: a closed triangle outline.
struct WarTriangle
{
    std::array<QPoint, 3> points;
    SymbolColour colour;
};

// The triangles of a War value in a cell: conditions 1, 2, 3 in the left, middle and right third,
// red pointing up for bits 6, 5, 4, blue pointing down for bits 2, 1, 0.
QList<WarTriangle> warTriangles(const QRect& cell, int war);

struct SymbolLine
{
    QPoint from;
    QPoint to;
    SymbolColour colour;
};

// The three-phase symbol drawn in place of the phasor column's number.
std::array<SymbolLine, 3> threePhaseSymbol(const QRect& cell);

} // namespace kapstat::browse
