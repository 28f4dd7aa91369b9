#include "download/measurementtables.h"
#include "download/tablestore.h"
#include "link/scriptedprompter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat::download;

TEST(MeasurementTables, NameListsHaveTheirSizesAndPositions)
{
    const QStringList& rms = MeasurementTables::nameList(TableKind::Rms);
    const QStringList& harm = MeasurementTables::nameList(TableKind::Harm);
    const QStringList& zanik = MeasurementTables::nameList(TableKind::Zanik);
    ASSERT_EQ(rms.size(), 240);
    ASSERT_EQ(harm.size(), 324);
    ASSERT_EQ(zanik.size(), 30);
    const struct
    {
        TableKind kind;
        int position;
        const char* name;
    } cases[] = {{TableKind::Rms, 0, "Epplus"},      {TableKind::Rms, 8, "Umin"},
                 {TableKind::Rms, 219, "IH0L3ch"},   {TableKind::Rms, 220, "ProbkiUL1"},
                 {TableKind::Rms, 239, "Wzm5"},      {TableKind::Rms, 64, "UL1min"},
                 {TableKind::Harm, 23, "U0ch"},      {TableKind::Harm, 24, "UH1min"},
                 {TableKind::Harm, 120, "IH1min"},   {TableKind::Harm, 311, "cosH24ch"},
                 {TableKind::Harm, 312, "BUL1"},     {TableKind::Harm, 323, "CIL3"},
                 {TableKind::Zanik, 0, "PrzerwaL1"}, {TableKind::Zanik, 5, "Czas_PL3"},
                 {TableKind::Zanik, 29, "WzmZanL3"}};
    for (const auto& c : cases)
        EXPECT_EQ(MeasurementTables::nameList(c.kind)[c.position], QString::fromLatin1(c.name))
            << c.position;
}

TEST(MeasurementTables, FieldTypesFollowTheNames)
{
    const struct
    {
        const char* name;
        FieldType type;
    } cases[] = {{"Czas_PL1", FieldType::Integer},   {"Czas_PrzepL1", FieldType::Float},
                 {"Ilosc_uPL2", FieldType::Integer}, {"PrzerwaL3", FieldType::Integer},
                 {"ProbkiL1", FieldType::Bytes},     {"ProbkiUL1", FieldType::Bytes},
                 {"Czas_uPmaxL1", FieldType::Float}, {"Umin", FieldType::Float}};
    for (const auto& c : cases)
        EXPECT_EQ(MeasurementTables::typeForName(QString::fromLatin1(c.name)), c.type) << c.name;
}

TEST(MeasurementTables, CreatesTablesOrSaysWhyNot)
{
    QTemporaryDir dir;
    kapstat::link::ScriptedPrompter prompter;
    MeasurementSelection selection;
    ASSERT_TRUE(MeasurementTables::create(
        QStringLiteral("RMS"), dir.filePath(QStringLiteral("a.db")), selection, prompter));
    TableStore table;
    ASSERT_TRUE(table.open(dir.filePath(QStringLiteral("a.db"))));
    EXPECT_EQ(table.fields().size(), 4) << "no selected names: the four fixed fields";

    EXPECT_FALSE(MeasurementTables::create(
        QStringLiteral("XYZ"), dir.filePath(QStringLiteral("b.db")), selection, prompter));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Próba utworzenia tabeli nieznanego typu"));
    EXPECT_EQ(prompter.calls().last().seconds, -1);

    EXPECT_FALSE(MeasurementTables::create(QStringLiteral("ZANIK"),
                                           dir.filePath(QStringLiteral("none/c.PRZE.db")),
                                           selection, prompter));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Błąd utworzenia bazy danych"));
}

TEST(MeasurementTables, FileNamesAndSecondsBetween)
{
    EXPECT_EQ(sanitizeFileName(QStringLiteral("A/B:C")), QStringLiteral("A B C"));
    EXPECT_EQ(sanitizeFileName(QStringLiteral(" *?<>\\/:\"|`x ")), QStringLiteral("           x "));

    const QDateTime t(QDate(2026, 1, 1), QTime(23, 59, 50));
    EXPECT_EQ(secondsBetween(t, t.addSecs(30)), 30);
    EXPECT_EQ(secondsBetween(t, t.addMSecs(999)), 0);
    EXPECT_EQ(secondsBetween(t, t.addDays(2)), 172800);
    EXPECT_EQ(secondsBetween(t.addSecs(30), t), -30);
}
