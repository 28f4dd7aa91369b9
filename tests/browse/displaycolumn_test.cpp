#include "browse/displaycolumn.h"

#include <gtest/gtest.h>

using namespace kapstat;
using browse::DisplayType;
using download::TableKind;

namespace {

QList<browse::DisplayColumn> columnsOf(TableKind kind, const QStringList& names)
{
    std::vector<bool> selected(download::MeasurementTables::nameList(kind).size());
    for (const QString& name : names)
        selected[download::MeasurementTables::nameIndex(kind, name)] = true;
    return *browse::displayColumns(
        kind, download::MeasurementTables::definition(kind, selected).fields, nullptr);
}

const browse::DisplayColumn& find(const QList<browse::DisplayColumn>& columns, const char* name)
{
    for (const auto& column : columns)
        if (column.name == QLatin1String(name))
            return column;
    throw std::runtime_error(name);
}

} // namespace

TEST(DisplayColumnTest, GivesEachKindItsTitlesWidthsTypesAndHiddenColumns)
{
    struct Case
    {
        TableKind kind;
        const char* name;
        const char* title;
        int width;
        bool hidden;
        DisplayType type;
    };
    const auto rms =
        columnsOf(TableKind::Rms, {"Pav", "ProbkiUL1", "Licznik", "Maxi", "WzmNr0", "Wzm3"});
    const auto harm = columnsOf(TableKind::Harm, {"UH5sr", "BUL1", "CUL1", "BIL2", "cosH1sr"});
    const auto zanik =
        columnsOf(TableKind::Zanik, {"PrzerwaL1", "Czas_PL1", "Ilosc_uPL2", "Czas_PrzepL1",
                                     "Czas_uPmaxL3", "ProbkiL1", "AdresL1", "XL1", "WzmZanL1"});
    const std::pair<const QList<browse::DisplayColumn>*, Case> cases[] = {
        {&rms, {TableKind::Rms, "Nr", "Nr", 10, false, DisplayType::Integer}},
        {&rms, {TableKind::Rms, "NrSt", "NrSt", 5, false, DisplayType::Integer}},
        {&rms, {TableKind::Rms, "DiC", "Czas Pomiaru", 17, false, DisplayType::DateTime}},
        {&rms, {TableKind::Rms, "War", "War", 7, false, DisplayType::Integer}},
        {&rms, {TableKind::Rms, "Pav", "Pav", 8, false, DisplayType::Float}},
        {&rms, {TableKind::Rms, "ProbkiUL1", "ProbkiUL1", 8, false, DisplayType::Samples}},
        {&rms, {TableKind::Rms, "Licznik", "Licznik", 8, true, DisplayType::Float}},
        {&rms, {TableKind::Rms, "Maxi", "Maxi", 8, true, DisplayType::Float}},
        {&rms, {TableKind::Rms, "WzmNr0", "WzmNr0", 8, true, DisplayType::Float}},
        {&rms, {TableKind::Rms, "Wzm3", "Wzm3", 8, true, DisplayType::Float}},
        {&harm, {TableKind::Harm, "NrRz", "NrRz", 15, true, DisplayType::AutoInc}},
        {&harm, {TableKind::Harm, "Faza", "Faza", 5, false, DisplayType::Text}},
        {&harm, {TableKind::Harm, "BUL1", "Wskazy UI", 8, false, DisplayType::Float}},
        {&harm, {TableKind::Harm, "CUL1", "CUL1", 8, true, DisplayType::Float}},
        {&harm, {TableKind::Harm, "BIL2", "BIL2", 8, true, DisplayType::Float}},
        {&harm, {TableKind::Harm, "cosH1sr", "cosH1sr", 8, false, DisplayType::Float}},
        {&zanik, {TableKind::Zanik, "PrzerwaL1", "PrzerwaL1", 8, true, DisplayType::Integer}},
        {&zanik, {TableKind::Zanik, "Czas_PL1", "Czas_PL1", 8, false, DisplayType::Integer}},
        {&zanik, {TableKind::Zanik, "Ilosc_uPL2", "Ilosc_uPL2", 8, false, DisplayType::Integer}},
        {&zanik, {TableKind::Zanik, "Czas_PrzepL1", "Czas_PrzepL1", 8, false, DisplayType::Float}},
        {&zanik, {TableKind::Zanik, "Czas_uPmaxL3", "Czas_uPmaxL3", 8, false, DisplayType::Float}},
        {&zanik, {TableKind::Zanik, "ProbkiL1", "ProbkiL1", 8, true, DisplayType::Samples}},
        {&zanik, {TableKind::Zanik, "AdresL1", "AdresL1", 8, true, DisplayType::Float}},
        {&zanik, {TableKind::Zanik, "XL1", "XL1", 8, true, DisplayType::Float}},
        {&zanik, {TableKind::Zanik, "WzmZanL1", "WzmZanL1", 8, true, DisplayType::Float}},
    };
    for (const auto& [columns, c] : cases) {
        const auto& column = find(*columns, c.name);
        EXPECT_EQ(column.title, QString::fromUtf8(c.title)) << c.name;
        EXPECT_EQ(column.width, c.width) << c.name;
        EXPECT_EQ(column.hidden, c.hidden) << c.name;
        EXPECT_EQ(column.type, c.type) << c.name;
    }
    EXPECT_EQ(harm.first().name, QStringLiteral("NrRz")) << "stored order is kept";
}
