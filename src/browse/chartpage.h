#pragma once

#include "browse/chartselection.h"
#include "browse/recordfilter.h"

#include <QDateTime>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

namespace kapstat::browse {

class BrowseTable;

// Seconds from 1970-01-01 00:00 to the moment as the wall clock reads it: the chart's x, free
// of time-zone conversions (the axis labels it as UTC, which shows the same wall-clock time).
double wallClockKey(const QDateTime& moment);
QDateTime fromWallClockKey(double key);

struct ChartPoint
{
    QDateTime time;
    double key = 0; // wallClockKey(time)
    double value = 0;
    bool gap = false; // a break in the curve before this point
};

struct ChartSeries
{
    bool used = false;
    QString column;
    QString phase;
    QString title;
    QVector<ChartPoint> points;
    double minimum = 0;
    double maximum = 0;
    double mean = 0;
};

// One page of the time chart: the points of each charted quantity between two time points.
struct ChartPage
{
    std::array<ChartSeries, ChartSelection::SlotCount> series;
    qint64 firstPoint = 1;
    qint64 lastPoint = 0;
    double axisMinimum = 0; // the left axis
    double axisMaximum = 0;
};

// The upper and lower limit lines and the test the chart's export and printout apply.
struct ChartLimits
{
    bool upperOn = false;
    bool lowerOn = false;
    double upper = 0;
    double lower = 0;

    bool anyOn() const { return upperOn || lowerOn; }
    // Whether the value breaks the limits that are on.
    bool breaks(double value) const;
};

// Pages through the chart table: a time point is one record of the RMS table or one record per
// phase of the harmonics table. A page is read from its position, never from the table's start.
class ChartPager
{
public:
    // phaseCount: the database's phase count code; recordPeriodSeconds: the storage period.
    ChartPager(BrowseTable& table, const ChartSelection& selection, int phaseCount,
               double recordPeriodSeconds);

    int step() const { return m_step; }
    qint64 totalPoints(const RecordFilter& filter) const;
    ChartPage page(const RecordFilter& filter, qint64 firstPoint, qint64 lastPoint) const;
    // The curve's title: the column's title and, for a harmonics phase, its tag.
    QString seriesTitle(const ChartSlot& slot) const;
    // Whether a charted quantity shown (shown[i] for slot i) breaks the limits in the record
    // whose values are given by column name; every record passes while no limit is on.
    bool passesLimits(const ChartLimits& limits,
                      const std::array<bool, ChartSelection::SlotCount>& shown,
                      const std::function<std::optional<double>(const QString&)>& value) const;

    // First point of the page reached from `first` by `move` points, kept inside 1..total.
    static qint64 clampedFirst(qint64 first, qint64 move, qint64 pointsPerPage, qint64 total);

private:
    bool isHarmonics() const;
    QString referencePhase() const;
    double gapThreshold() const;

    BrowseTable& m_table;
    const ChartSelection& m_selection;
    int m_step;
    double m_recordPeriod;
};

} // namespace kapstat::browse
