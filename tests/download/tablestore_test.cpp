#include "download/measurementtables.h"
#include "download/tablestore.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat::download;

class TableStoreTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A HARM table with one value column, filled with rows of stations 1, 2, 1, 3.
    void fillHarm(TableStore& table)
    {
        std::vector<bool> selected(324);
        selected[0] = true; // THDUmin
        ASSERT_TRUE(TableStore::create(path("h.HARM.db"),
                                       MeasurementTables::definition(TableKind::Harm, selected)));
        ASSERT_TRUE(table.open(path("h.HARM.db")));
        int nr = 0;
        for (const int station : {1, 2, 1, 3}) {
            table.append();
            table.setField(QStringLiteral("Nr"), ++nr);
            table.setField(QStringLiteral("NrSt"), station);
            table.setField(QStringLiteral("DiC"), QDateTime(QDate(2026, 1, 1), QTime(0, nr)));
            table.setField(QStringLiteral("War"), 0);
            table.setField(QStringLiteral("Faza"), QStringLiteral("L1"));
            table.setField(QStringLiteral("THDUmin"), nr * 1.5);
            ASSERT_TRUE(table.post()) << table.errorText().toStdString();
        }
    }

    QTemporaryDir dir;
};

TEST_F(TableStoreTest, KeepsFieldNamesTypesAndOrderAcrossReopening)
{
    std::vector<bool> selected(240);
    selected[5] = selected[220] = true; // Pav, ProbkiUL1
    ASSERT_TRUE(
        TableStore::create(path("a.db"), MeasurementTables::definition(TableKind::Rms, selected)));
    TableStore table;
    ASSERT_TRUE(table.open(path("a.db")));
    QStringList names;
    for (const FieldDefinition& f : table.fields())
        names << f.name;
    EXPECT_EQ(names, (QStringList{"Nr", "NrSt", "DiC", "War", "Pav", "ProbkiUL1"}));
    EXPECT_EQ(table.fields()[2].type, FieldType::DateTime);
    EXPECT_EQ(table.fields()[5].type, FieldType::Bytes);
    EXPECT_TRUE(table.fields()[0].required);
    EXPECT_FALSE(table.fields()[4].required);
    EXPECT_EQ(table.fieldIndex(QStringLiteral("nrst")), 1) << "names are not case-sensitive";

    const QByteArray samples(600, '\x5A');
    table.append();
    table.setField(0, 1);
    table.setField(1, 2);
    table.setField(2, QDateTime(QDate(2009, 12, 24), QTime(12, 45, 30)));
    table.setField(3, 7);
    table.setField(4, 230.5);
    table.setField(5, samples);
    ASSERT_TRUE(table.post());
    table.close();

    ASSERT_TRUE(table.open(path("a.db")));
    ASSERT_TRUE(table.hasRow());
    EXPECT_EQ(table.value(QStringLiteral("DiC")).toString(), QStringLiteral("2009-12-24 12:45:30"));
    EXPECT_EQ(table.value(QStringLiteral("Pav")).toDouble(), 230.5);
    EXPECT_EQ(table.value(QStringLiteral("ProbkiUL1")).toByteArray(), samples)
        << "the whole value is kept";
}

TEST_F(TableStoreTest, RefusesRowsThatBreakTheFieldRules)
{
    TableStore table;
    fillHarm(table);
    const struct
    {
        const char* name;
        const char* field;
        QVariant value;
    } cases[] = {{"required War missing", "War", QVariant()},
                 {"Faza longer than 6", "Faza", QStringLiteral("L1L2L3L")}};
    for (const auto& c : cases) {
        table.append();
        table.setField(QStringLiteral("War"), 0);
        table.setField(QStringLiteral("Faza"), QStringLiteral("L2"));
        table.setField(QString::fromLatin1(c.field), c.value);
        EXPECT_FALSE(table.post()) << c.name;
    }
    table.append();
    table.setField(QStringLiteral("War"), 0);
    table.setField(QStringLiteral("Faza"), QStringLiteral("L2"));
    EXPECT_TRUE(table.post()) << "NrRz is assigned by the store";
    EXPECT_EQ(table.value(QStringLiteral("NrRz")).toInt(), 5);
    EXPECT_EQ(table.recordCount(), 5);
}

TEST_F(TableStoreTest, WalksBackwardsAndEditsRows)
{
    TableStore table;
    fillHarm(table);
    ASSERT_TRUE(table.last());
    QList<int> seen;
    while (!table.isBof()) {
        seen << table.value(QStringLiteral("Nr")).toInt();
        if (seen.last() == 2) {
            ASSERT_TRUE(table.edit());
            table.setField(QStringLiteral("THDUmin"), -1.0);
            ASSERT_TRUE(table.post());
        }
        table.prior();
    }
    EXPECT_EQ(seen, (QList<int>{4, 3, 2, 1}));
    table.setStationFilter(2);
    EXPECT_EQ(table.value(QStringLiteral("THDUmin")).toDouble(), -1.0);
}

TEST_F(TableStoreTest, CopiesOneStationsRowsInOrderIntoAnotherTable)
{
    TableStore all;
    fillHarm(all);
    ASSERT_TRUE(all.beginTransaction());
    all.append();
    all.setField(QStringLiteral("NrSt"), 1);
    all.setField(QStringLiteral("War"), 0);
    all.setField(QStringLiteral("Faza"), QStringLiteral("L3"));
    all.post(); // still uncommitted: the copy must include it

    TableStore station;
    std::vector<bool> selected(324);
    selected[0] = true;
    ASSERT_TRUE(TableStore::create(path("s1.HARM.db"),
                                   MeasurementTables::definition(TableKind::Harm, selected)));
    ASSERT_TRUE(station.open(path("s1.HARM.db")));
    all.setStationFilter(1);
    EXPECT_EQ(all.recordCount(), 3);
    ASSERT_TRUE(all.copyVisibleRowsTo(station));
    all.setStationFilter(std::nullopt);
    EXPECT_EQ(all.recordCount(), 5);

    QList<int> nr;
    for (station.first(); !station.isEof(); station.next())
        nr << station.value(QStringLiteral("NrRz")).toInt();
    EXPECT_EQ(nr, (QList<int>{1, 3, 5}));
}
