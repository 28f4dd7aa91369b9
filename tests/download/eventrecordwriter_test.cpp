#include "download/eventrecordwriter.h"
#include "download/measurementtables.h"
#include "download/tablestore.h"
#include "link/devicenumbers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::download;

namespace {

struct PhaseBlock
{
    quint8 flags = 0;
    quint8 lowTime = 0;
    int peak = 0;
};

// An event record for one phase at t0 + seconds, scale 2.5.
link::ResponseBytes event(int seconds, PhaseBlock l1, int station = 0)
{
    QByteArray data(EventRecordWriter::recordLength(1) - 5, '\0');
    data[0] = static_cast<char>(station);
    data.replace(1, 6,
                 link::numbers::encodeBcdDateTime(
                     QDateTime(QDate(2026, 3, 1), QTime(8, 0)).addSecs(seconds)));
    data.replace(7, 4, *link::numbers::encodeDecFloat(2.5, 5));
    const int b = 24 - 5;
    data[b] = static_cast<char>(l1.lowTime);
    data[b + 1] = static_cast<char>(l1.flags);
    data[b + 5] = static_cast<char>(l1.peak & 0xFF);
    data[b + 6] = static_cast<char>(l1.peak >> 8);
    return link::ResponseBytes::withData(0x0C, data);
}

class EventRecordWriterTest : public ::testing::Test
{
protected:
    EventRecordWriterTest()
    {
        MeasurementSelection selection;
        for (int g = 0; g < 10; ++g)
            selection.zanik[3 * g] = true;
        path = dir.filePath(QStringLiteral("z.PRZE.db"));
        TableStore::create(path, MeasurementTables::definition(TableKind::Zanik, selection.zanik));
        table.open(path);
    }
    void store(const QList<quint8>& flags)
    {
        EventRecordWriter writer(1, table);
        QString error;
        int n = 0;
        for (const quint8 f : flags) {
            ASSERT_TRUE(writer.write(event(10 * n, {f}), n + 1, &error)) << error.toStdString();
            ++n;
        }
    }
    QList<QVariant> column(const char* name)
    {
        QList<QVariant> values;
        for (table.first(); table.hasRow() && !table.isEof(); table.next())
            values << table.value(QString::fromLatin1(name));
        return values;
    }

    QTemporaryDir dir;
    QString path;
    TableStore table;
};

} // namespace

TEST_F(EventRecordWriterTest, StartAndEndFlagsGiveMarkersAndTheDuration)
{
    store({0x80, 0x00, 0x00, 0x40, 0xC0});
    EXPECT_EQ(column("PrzerwaL1"), (QList<QVariant>{1, 1, 1, 2, 3}));
    const QList<QVariant> durations = column("Czas_PL1");
    EXPECT_TRUE(durations[0].isNull() && durations[2].isNull())
        << "only where the interruption ends";
    EXPECT_EQ(durations[3].toInt(), 31);
    EXPECT_EQ(durations[4].toInt(), 1) << "start and end in one record";
}

TEST_F(EventRecordWriterTest, DerivedValuesOfAPhaseBlock)
{
    EventRecordWriter writer(1, table);
    QString error;
    ASSERT_TRUE(writer.write(event(0, {0x01, 0x10, 100}), 1, &error));
    table.first();
    EXPECT_DOUBLE_EQ(table.value(QStringLiteral("Czas_uPmaxL1")).toDouble(), 108.8);
    EXPECT_DOUBLE_EQ(table.value(QStringLiteral("Max_PrzepL1")).toDouble(), 250);
    EXPECT_DOUBLE_EQ(table.value(QStringLiteral("WzmZanL1")).toDouble(), 2.5);
    EXPECT_EQ(table.value(QStringLiteral("ProbkiL1")).toByteArray().size(), 200);
}

TEST_F(EventRecordWriterTest, TheWalkCompletesInterruptionsCutByTheEdgesOfTheData)
{
    // An end with no start seen, then a complete one, then one still open at the end.
    store({0x00, 0x00, 0x40, 0x80, 0x40, 0x00, 0x80, 0x00});
    QString error;
    ASSERT_TRUE(EventRecordWriter::completeInterruptions(table, 1, &error));
    EXPECT_EQ(column("PrzerwaL1"), (QList<QVariant>{1, 1, 2, 1, 2, 0, 1, 1}));
    const QList<QVariant> durations = column("Czas_PL1");
    EXPECT_EQ(durations[2].toInt(), 0);
    EXPECT_EQ(durations[4].toInt(), 11);
    EXPECT_EQ(durations[7].toInt(), 0) << "the newest row of the open interruption";
    EXPECT_TRUE(durations[6].isNull());
}
