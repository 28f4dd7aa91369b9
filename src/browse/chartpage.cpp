#include "browse/chartpage.h"

#include "browse/browsetable.h"
#include "common/datetimetext.h"
#include "download/measurementtables.h"

#include <algorithm>
#include <cmath>

namespace kapstat::browse {

namespace {

bool isSymmetricalComponent(const QString& column)
{
    return column.startsWith(QLatin1String("U0")) || column.startsWith(QLatin1String("U1")) ||
           column.startsWith(QLatin1String("U2"));
}

void summarise(ChartSeries& series, double sum)
{
    if (series.points.isEmpty())
        return;
    const auto [low, high] = std::minmax_element(
        series.points.begin(), series.points.end(),
        [](const ChartPoint& a, const ChartPoint& b) { return a.value < b.value; });
    series.minimum = low->value;
    series.maximum = high->value;
    series.mean = sum / series.points.size();
}

} // namespace

double wallClockKey(const QDateTime& moment)
{
    static const QDate epoch(1970, 1, 1);
    return epoch.daysTo(moment.date()) * 86400.0 + moment.time().msecsSinceStartOfDay() / 1000.0;
}

QDateTime fromWallClockKey(double key)
{
    const qint64 days = static_cast<qint64>(std::floor(key / 86400.0));
    const qint64 milliseconds = std::llround((key - days * 86400.0) * 1000.0);
    return QDateTime(QDate(1970, 1, 1).addDays(days),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds)));
}

bool ChartLimits::breaks(double value) const
{
    if (upperOn && lowerOn)
        return upper >= lower ? value > upper || value < lower : value > upper && value < lower;
    if (upperOn)
        return value > upper;
    return lowerOn && value < lower;
}

ChartPager::ChartPager(BrowseTable& table, const ChartSelection& selection, int phaseCount,
                       double recordPeriodSeconds)
    : m_table(table), m_selection(selection),
      m_step(selection.table() == download::TableKind::Harm ? std::max(phaseCount, 1) : 1),
      m_recordPeriod(recordPeriodSeconds)
{
}

bool ChartPager::isHarmonics() const
{
    return m_selection.table() == download::TableKind::Harm;
}

qint64 ChartPager::totalPoints(const RecordFilter& filter) const
{
    return m_table.count(filter) / m_step;
}

QString ChartPager::seriesTitle(const ChartSlot& slot) const
{
    const int position = m_table.columnIndex(slot.column);
    const QString title = position >= 0 ? m_table.columns()[position].title : slot.column;
    if (slot.phase == ChartSelection::RmsPhase || isSymmetricalComponent(slot.column))
        return title;
    return title + slot.phase;
}

QString ChartPager::referencePhase() const
{
    QString lowest;
    for (const ChartSlot& slot : m_selection.slots())
        if (slot.isFilled() && (lowest.isEmpty() || slot.phase < lowest))
            lowest = slot.phase;
    return lowest;
}

double ChartPager::gapThreshold() const
{
    // Harmonics of a one-second recording come in blocks; only a longer silence is a gap.
    return isHarmonics() && m_recordPeriod <= 1 ? 30 : m_recordPeriod;
}

ChartPage ChartPager::page(const RecordFilter& filter, qint64 firstPoint, qint64 lastPoint) const
{
    ChartPage page;
    page.firstPoint = firstPoint;
    page.lastPoint = lastPoint;
    std::array<double, ChartSelection::SlotCount> sums{};
    std::array<int, ChartSelection::SlotCount> valueColumn{};
    // The RMS table has no phase: its time stands in, unread.
    QStringList columns{QStringLiteral("DiC"),
                        isHarmonics() ? QStringLiteral("Faza") : QStringLiteral("DiC")};
    for (int i = 0; i < ChartSelection::SlotCount; ++i) {
        const ChartSlot& slot = m_selection.slots()[i];
        ChartSeries& series = page.series[i];
        series.used = slot.isFilled() && m_table.hasColumn(slot.column);
        series.column = slot.column;
        series.phase = slot.phase;
        series.title = slot.isFilled() ? seriesTitle(slot) : QString();
        valueColumn[i] = static_cast<int>(columns.size());
        if (series.used)
            columns << slot.column;
    }
    const QString reference = referencePhase();
    const double threshold = gapThreshold();
    double highest = 0;
    double lowest = 0;
    QDateTime previous;
    // Decided at each record of the reference phase; the other phases' points of the same time
    // share it.
    bool gap = false;
    qint64 record = (firstPoint - 1) * m_step + 1;
    qint64 point = firstPoint;
    m_table.forEachRow(
        filter, columns,
        [&](const download::SqliteStatement& row) {
            if (point > lastPoint)
                return false;
            const QDateTime time = common::DateTimeText::parseDateTime(row.column(0).toString());
            const double key = wallClockKey(time);
            const QString phase = row.column(1).toString();
            if (!isHarmonics() || phase == reference) {
                gap = previous.isValid() &&
                      download::secondsBetween(previous, time) / 2.0 > threshold;
                previous = time;
            }
            for (int i = 0; i < ChartSelection::SlotCount; ++i) {
                ChartSeries& series = page.series[i];
                if (!series.used || (isHarmonics() && phase != series.phase))
                    continue;
                const double value = row.column(valueColumn[i]).toDouble();
                series.points.append({time, key, value, gap});
                sums[i] += value;
                highest = std::max(highest, value);
                lowest = std::min(lowest, value);
            }
            if (record % m_step == 0)
                ++point;
            ++record;
            return true;
        },
        (firstPoint - 1) * m_step);
    for (int i = 0; i < ChartSelection::SlotCount; ++i)
        summarise(page.series[i], sums[i]);
    page.axisMaximum = highest > 0 ? 1.1 * highest : 0;
    page.axisMinimum = lowest >= 0 ? 0 : 1.1 * lowest;
    return page;
}

bool ChartPager::passesLimits(
    const ChartLimits& limits, const std::array<bool, ChartSelection::SlotCount>& shown,
    const std::function<std::optional<double>(const QString&)>& value) const
{
    if (!limits.anyOn())
        return true;
    for (int i = 0; i < ChartSelection::SlotCount; ++i) {
        const ChartSlot& slot = m_selection.slots()[i];
        if (!slot.isFilled() || !shown[i])
            continue;
        // Any phase's record may pass: the slot's phase is not compared.
        const auto v = value(slot.column);
        if (v && limits.breaks(*v))
            return true;
    }
    return false;
}

qint64 ChartPager::clampedFirst(qint64 first, qint64 move, qint64 pointsPerPage, qint64 total)
{
    qint64 moved = first + move;
    if (moved + pointsPerPage - 1 > total)
        moved = total - pointsPerPage + 1;
    return std::max<qint64>(moved, 1);
}

} // namespace kapstat::browse
