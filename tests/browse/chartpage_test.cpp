#include "browse/browsestate.h"
#include "browse/chartpage.h"
#include "config/configurationmodel.h"
#include "databasefixture.h"
#include "link/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace kapstat;
using browse::ChartLimits;
using browse::ChartPager;
using download::TableKind;
using fixtures::at;

namespace {

class ChartPageTest : public ::testing::Test
{
protected:
    // RMS records of a 10-minute recording at the given minutes from the start, Pav = values.
    void openRms(const QList<int>& minutes, const QList<double>& values)
    {
        db.writeHeader(configuration10Minutes());
        db.createTable(TableKind::Rms, {"Pav", "Qav"});
        for (int i = 0; i < minutes.size(); ++i)
            db.append(TableKind::Rms, {{"Nr", i + 1},
                                       {"NrSt", 1},
                                       {"DiC", at(2026, 3, 1).addSecs(minutes[i] * 60)},
                                       {"War", 0},
                                       {"Pav", values.value(i, 1.0)},
                                       {"Qav", -values.value(i, 1.0)}});
        db.closeTables();
        ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
    }
    static config::RecorderConfiguration configuration10Minutes()
    {
        config::RecorderConfiguration configuration;
        configuration.storagePeriod = 10;
        return configuration;
    }
    ChartPager pager()
    {
        return ChartPager(*state.table(state.chartSelection().table()), state.chartSelection(),
                          state.phaseCountCode(), state.norm().recordPeriodSeconds);
    }

    fixtures::DatabaseFixture db;
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state{configuration, prompter};
};

} // namespace

TEST_F(ChartPageTest, BreaksTheCurveAfterAGapOfMoreThanTwoRecordPeriods)
{
    openRms({0, 10, 30, 55, 65}, {1, 2, 3, 4, 5});
    state.toggleChart(TableKind::Rms, 0, "Pav");
    const browse::ChartPage page = pager().page(state.filter(), 1, 5);
    const auto& points = page.series[0].points;
    ASSERT_EQ(points.size(), 5);
    // 10 and 20 minutes are no gap (600 is not more than 600); 25 minutes is.
    EXPECT_EQ(
        (QList<bool>{points[0].gap, points[1].gap, points[2].gap, points[3].gap, points[4].gap}),
        (QList<bool>{false, false, false, true, false}));
    EXPECT_EQ(page.series[0].minimum, 1);
    EXPECT_EQ(page.series[0].maximum, 5);
    EXPECT_EQ(page.series[0].mean, 3);
    EXPECT_DOUBLE_EQ(page.axisMaximum, 5.5);
    EXPECT_EQ(page.axisMinimum, 0);
    EXPECT_EQ(page.series[0].title, QStringLiteral("Pav"));
}

TEST_F(ChartPageTest, NegativeCurvesTakeTheAxisBelowZero)
{
    openRms({0, 10}, {2, 4});
    state.toggleChart(TableKind::Rms, 0, "Qav");
    const browse::ChartPage page = pager().page(state.filter(), 1, 2);
    EXPECT_EQ(page.axisMaximum, 0);
    EXPECT_DOUBLE_EQ(page.axisMinimum, -4.4);
}

TEST_F(ChartPageTest, APageStartsAtItsPositionAndEndsAtItsLastPoint)
{
    QList<int> minutes;
    QList<double> values;
    for (int i = 0; i < 2500; ++i) {
        minutes << i * 10;
        values << i + 1;
    }
    openRms(minutes, values);
    state.toggleChart(TableKind::Rms, 0, "Pav");
    const ChartPager chart = pager();
    EXPECT_EQ(chart.totalPoints(state.filter()), 2500);
    const browse::ChartPage page = chart.page(state.filter(), 1001, 2000);
    ASSERT_EQ(page.series[0].points.size(), 1000);
    EXPECT_EQ(page.series[0].points.first().value, 1001);
    EXPECT_EQ(page.series[0].points.last().value, 2000);
}

TEST(ChartPagerTest, KeyPagingKeepsThePageInsideTheRecording)
{
    // 2500 points, 1000 a page: Ctrl+Right twice, then Ctrl+Left.
    qint64 first = ChartPager::clampedFirst(1, 1000, 1000, 2500);
    EXPECT_EQ(first, 1001);
    first = ChartPager::clampedFirst(first, 1000, 1000, 2500);
    EXPECT_EQ(first, 1501);
    EXPECT_EQ(ChartPager::clampedFirst(first, -1000, 1000, 2500), 501);
    EXPECT_EQ(ChartPager::clampedFirst(1, -1, 1000, 2500), 1);
    EXPECT_EQ(ChartPager::clampedFirst(1, 1, 1000, 500), 1) << "fewer points than a page";
}

TEST(ChartLimitsTest, BreaksByWhichLimitsAreOnAndTheirOrder)
{
    struct Case
    {
        ChartLimits limits;
        double value;
        bool breaks;
    };
    const Case cases[] = {
        {{true, false, 253, 0}, 253.5, true}, {{true, false, 253, 0}, 253, false},
        {{false, true, 0, 200}, 199, true},   {{false, true, 0, 200}, 201, false},
        {{true, true, 250, 210}, 260, true},  {{true, true, 250, 210}, 200, true},
        {{true, true, 250, 210}, 230, false}, {{true, true, 210, 250}, 230, true},
        {{true, true, 210, 250}, 260, false}, {{false, false, 0, 0}, 1e9, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.limits.breaks(c.value), c.breaks)
            << c.limits.upperOn << c.limits.lowerOn << " " << c.limits.upper << " "
            << c.limits.lower << " " << c.value;
}

TEST_F(ChartPageTest, HarmonicsOfAOneSecondRecordingBreakOnlyAfterAMinute)
{
    config::RecorderConfiguration configuration;
    configuration.storagePeriod = 0;
    db.writeHeader(configuration);
    db.createTable(TableKind::Harm, {"UH5sr", "U1sr"});
    const QList<int> seconds{0, 1, 62, 100};
    for (int i = 0; i < seconds.size(); ++i)
        for (int phase = 1; phase <= 3; ++phase)
            db.append(TableKind::Harm, {{"Nr", i + 1},
                                        {"NrSt", 1},
                                        {"DiC", at(2026, 3, 1).addSecs(seconds[i])},
                                        {"War", 0},
                                        {"Faza", QStringLiteral("L%1").arg(phase)},
                                        {"UH5sr", i * 10 + phase},
                                        {"U1sr", 230}});
    db.closeTables();
    ASSERT_EQ(state.open(db.selectionFile()), std::nullopt);
    state.toggleChart(TableKind::Harm, 2, "UH5sr"); // L3
    state.toggleChart(TableKind::Harm, 1, "U1sr");  // L2, the reference phase
    const ChartPager chart = pager();
    EXPECT_EQ(chart.step(), 3);
    EXPECT_EQ(chart.totalPoints(state.filter()), 4);
    const browse::ChartPage page = chart.page(state.filter(), 2, 4);
    const auto& l3 = page.series[0].points;
    ASSERT_EQ(l3.size(), 3);
    EXPECT_EQ(l3[0].value, 13);
    // 61 s is a gap (30.5 > 30), 38 s is not.
    EXPECT_EQ((QList<bool>{l3[0].gap, l3[1].gap, l3[2].gap}), (QList<bool>{false, true, false}));
    EXPECT_EQ(page.series[0].title, QStringLiteral("UH5srL3"));
    EXPECT_EQ(page.series[1].title, QStringLiteral("U1sr"))
        << "symmetrical components carry no tag";
}

TEST(ChartPagerTest, WallClockKeysCountSecondsAndComeBackUnchanged)
{
    const QDateTime moment = at(2026, 3, 29, 14, 30, 15);
    EXPECT_DOUBLE_EQ(browse::wallClockKey(at(1970, 1, 2)), 86400);
    EXPECT_EQ(browse::fromWallClockKey(browse::wallClockKey(moment)).date(), moment.date());
    EXPECT_EQ(browse::fromWallClockKey(browse::wallClockKey(moment)).time(), moment.time());
}
