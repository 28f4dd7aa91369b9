#include "browse/cellstyle.h"

#include "browse/chartselection.h"
#include "browse/printselection.h"

namespace kapstat::browse {

using download::TableKind;

CellShade cellShade(TableKind kind, const QString& column, const ChartSelection& chart,
                    const QString& phase, const QVariant& interruption)
{
    switch (kind) {
    case TableKind::Rms:
        return chart.table() == TableKind::Rms && chart.contains(column, ChartSelection::RmsPhase)
                   ? CellShade::Red
                   : CellShade::Window;
    case TableKind::Harm:
        if (column == QLatin1String("Nr") || column == QLatin1String("NrSt") ||
            column == QLatin1String("DiC"))
            return CellShade::White;
        if (chart.table() == TableKind::Harm && chart.contains(column, phase))
            return CellShade::Red;
        if (phase == QLatin1String("L2"))
            return CellShade::LightYellow;
        return phase == QLatin1String("L3") ? CellShade::Yellow : CellShade::White;
    case TableKind::Zanik:
        break;
    }
    if (interruptionFlagColumn(column).isEmpty())
        return CellShade::Window;
    return interruption.toLongLong() != 0 ? CellShade::Aqua : CellShade::White;
}

QString interruptionFlagColumn(const QString& column)
{
    static const QStringList durations{"Czas_PL1", "Czas_PL2", "Czas_PL3"};
    return durations.contains(column) ? QStringLiteral("PrzerwaL") + column.right(1) : QString();
}

bool isPrintColumn(TableKind kind, const QString& column, const PrintSelection& print)
{
    return print.source() == kind && print.contains(column);
}

QList<WarTriangle> warTriangles(const QRect& cell, int war)
{
    // Outer edges, as the drawing rules count them: right and bottom lie just outside the cell.
    const int left = cell.left();
    const int top = cell.top();
    const int right = cell.right() + 1;
    const int bottom = cell.bottom() + 1;
    const int width = right - left;
    const int middle = bottom - (bottom - top) / 2;
    auto x = [&](int k) {
        return k == 0 ? left : k == 6 ? right : left + int(k * width / 6.0 + 0.5);
    };
    struct Mark
    {
        int bit;
        int third; // 0 left, 1 middle, 2 right
        bool up;
    };
    static constexpr Mark marks[] = {{0, 2, false}, {1, 1, false}, {2, 0, false},
                                     {4, 2, true},  {5, 1, true},  {6, 0, true}};
    QList<WarTriangle> triangles;
    for (const Mark& mark : marks) {
        if (!(war & (1 << mark.bit)))
            continue;
        const int k = 2 * mark.third;
        triangles.append({{QPoint(x(k), middle), QPoint(x(k + 2), middle),
                           QPoint(x(k + 1), mark.up ? top : bottom)},
                          mark.up ? SymbolColour::Red : SymbolColour::Blue});
    }
    return triangles;
}

std::array<SymbolLine, 3> threePhaseSymbol(const QRect& cell)
{
    const int left = cell.left();
    const int top = cell.top();
    const int right = cell.right() + 1;
    const int bottom = cell.bottom() + 1;
    const int cx = int((left + right) / 2.0 + 0.5);
    const int cy = int((top + bottom) / 2.0 + 0.5);
    const int a = cy - top - 2;
    return {SymbolLine{QPoint(cx - a, bottom - 2), QPoint(cx, cy), SymbolColour::Blue},
            SymbolLine{QPoint(cx, cy), QPoint(cx + a, bottom - 2), SymbolColour::Green},
            SymbolLine{QPoint(cx, cy), QPoint(cx, top + 2), SymbolColour::Red}};
}

} // namespace kapstat::browse
