#include "browse/pagedtablemodel.h"
#include "databasefixture.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kapstat;
using browse::PagedTableModel;
using download::TableKind;
using fixtures::at;

namespace {

// 2000 records whose stations interleave, so the browsing order (station, then Nr) differs
// from the order they were written in.
class PagedTableModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.writeHeader();
        db.createTable(TableKind::Rms, {"Pav"});
        for (int nr = 1; nr <= Count; ++nr) {
            const int station = 1 + nr % 3;
            db.append(TableKind::Rms, {{"Nr", nr},
                                       {"NrSt", station},
                                       {"DiC", at(2026, 1, 1).addSecs(nr)},
                                       {"War", nr % 4 == 0 ? 16 : 0},
                                       {"Pav", nr * 0.25}});
            expected.append({station, nr});
        }
        db.closeTables();
        std::sort(expected.begin(), expected.end());
        QString error;
        table = browse::BrowseTable::open(TableKind::Rms, db.base() + ".db", &error);
        ASSERT_TRUE(table) << error.toStdString();
    }

    static constexpr int Count = 2000;
    fixtures::DatabaseFixture db;
    QList<std::pair<int, int>> expected; // (station, Nr) in browsing order
    std::unique_ptr<browse::BrowseTable> table;
};

} // namespace

TEST_F(PagedTableModelTest, AnyRowInAnyOrderMatchesTheBrowsingOrderWithFewPagesHeld)
{
    PagedTableModel model(*table, {});
    ASSERT_EQ(model.rowCount(), Count);
    QList<int> rows{Count - 1, 0, 1000, 999, 1001, 1200, 199, 200, 1799, 1800, 401, 1600};
    for (int i = 0; i < 200; ++i)
        rows << QRandomGenerator::global()->bounded(Count);
    for (int row : rows) {
        EXPECT_EQ(model.value(row, "Nr").toInt(), expected[row].second) << "row " << row;
        EXPECT_EQ(model.value(row, "NrSt").toInt(), expected[row].first) << "row " << row;
        EXPECT_LE(model.cachedPageCount(), PagedTableModel::CachedPages);
    }
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("26-01-01 00:00:03"))
        << "dates shown yy-MM-dd";
    EXPECT_EQ(model.data(model.index(1, 4)).toString(), QStringLiteral("1,5"));
}

TEST_F(PagedTableModelTest, ConditionFilterShowsOnlyRecordsWithAFlag)
{
    browse::RecordFilter filter;
    filter.conditionOnly = true;
    PagedTableModel model(*table, filter);
    ASSERT_EQ(model.rowCount(), Count / 4);
    QList<std::pair<int, int>> flagged;
    for (const auto& key : expected)
        if (key.second % 4 == 0)
            flagged << key;
    for (int row = model.rowCount() - 1; row >= 0; row -= 7)
        EXPECT_EQ(model.value(row, "Nr").toInt(), flagged[row].second) << "row " << row;
    model.setFilter({});
    EXPECT_EQ(model.rowCount(), Count);
    EXPECT_EQ(model.value(Count - 1, "Nr").toInt(), expected.last().second);
}
