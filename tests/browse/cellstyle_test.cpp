#include "browse/cellstyle.h"
#include "browse/chartselection.h"

#include <gtest/gtest.h>

using namespace kapstat::browse;
using kapstat::download::TableKind;

TEST(CellStyleTest, WarSeventeenIsADownAndAnUpTriangleInTheRightThird)
{
    // Cell (0,0)-(59,19): outer right 60, bottom 20, middle 10; thirds at 0, 20, 40, 60.
    const QRect cell(0, 0, 60, 20);
    const QList<WarTriangle> triangles = warTriangles(cell, 17);
    ASSERT_EQ(triangles.size(), 2);
    EXPECT_EQ(triangles[0].colour, SymbolColour::Blue);
    EXPECT_EQ(triangles[0].points,
              (std::array<QPoint, 3>{QPoint(40, 10), QPoint(60, 10), QPoint(50, 20)}));
    EXPECT_EQ(triangles[1].colour, SymbolColour::Red);
    EXPECT_EQ(triangles[1].points,
              (std::array<QPoint, 3>{QPoint(40, 10), QPoint(60, 10), QPoint(50, 0)}));
    EXPECT_TRUE(warTriangles(cell, 0x88).isEmpty()) << "bits 3 and 7 are not drawn";
    EXPECT_EQ(warTriangles(cell, 0x77).size(), 6);
    EXPECT_EQ(warTriangles(cell, 64).first().points[0], QPoint(0, 10)) << "condition 1 on the left";
}

TEST(CellStyleTest, ThreePhaseSymbolMeetsInTheCellCentre)
{
    const auto lines = threePhaseSymbol(QRect(10, 0, 40, 20)); // outer 10..50, 0..20
    EXPECT_EQ(lines[0].from, QPoint(22, 18)); // a = 10 - 0 - 2 = 8; cx = 30, cy = 10
    EXPECT_EQ(lines[0].to, QPoint(30, 10));
    EXPECT_EQ(lines[1].to, QPoint(38, 18));
    EXPECT_EQ(lines[2].to, QPoint(30, 2));
    EXPECT_EQ(lines[2].colour, SymbolColour::Red);
}

TEST(CellStyleTest, ShadesByTablePhaseChartAndInterruption)
{
    ChartSelection chart;
    chart.setTable(TableKind::Harm);
    chart.add(QStringLiteral("UH5sr"), QStringLiteral("L2"));
    struct Case
    {
        TableKind kind;
        const char* column;
        const char* phase;
        QVariant interruption;
        CellShade shade;
    };
    const Case cases[] = {
        {TableKind::Harm, "UH5sr", "L2", {}, CellShade::Red},
        {TableKind::Harm, "UH5sr", "L3", {}, CellShade::Yellow},
        {TableKind::Harm, "UH7sr", "L2", {}, CellShade::LightYellow},
        {TableKind::Harm, "UH7sr", "L1", {}, CellShade::White},
        {TableKind::Harm, "DiC", "L3", {}, CellShade::White},
        {TableKind::Rms, "UH5sr", "", {}, CellShade::Window},
        {TableKind::Zanik, "Czas_PL2", "", 1, CellShade::Aqua},
        {TableKind::Zanik, "Czas_PL1", "", 0, CellShade::White},
        {TableKind::Zanik, "Ilosc_uPL1", "", 1, CellShade::Window},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellShade(c.kind, c.column, chart, c.phase, c.interruption), c.shade)
            << c.column << " " << c.phase;
    EXPECT_EQ(interruptionFlagColumn(QStringLiteral("Czas_PL3")), QStringLiteral("PrzerwaL3"));
}
