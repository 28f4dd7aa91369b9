#include "sim/recordstore.h"

#include "link/devicenumbers.h"
#include "sim/recordclock.h"

#include <algorithm>

namespace kapstat::sim {

namespace {

constexpr int FirstPosition = 5;
constexpr int TimestampPosition = 6;
constexpr int ConditionPosition = 12;
constexpr int ValuesPosition = 13;

// Valid BCD throughout, so decimal fields decode to numbers rather than to errors.
quint8 valueByte(int n, int position)
{
    return link::numbers::encodeBcd(static_cast<int>((qint64(n) * 7 + position * 3) % 100));
}

} // namespace

int RecordStore::maximumRecords()
{
    return static_cast<int>(RecordClock::capacity(StoragePeriodSeconds));
}

RecordStore::RecordStore(int recordLength, int stationCount)
    : m_recordLength(std::max(recordLength, MinimumRecordLength)),
      m_stationCount(std::clamp(stationCount, 1, MaximumStations))
{
}

std::optional<QByteArray> RecordStore::recordData(int n, int count) const
{
    if (n < 1 || n > count)
        return std::nullopt;
    QByteArray data(m_recordLength - FirstPosition, '\0');
    auto at = [&data](int position) -> char& { return data[position - FirstPosition]; };
    at(FirstPosition) = static_cast<char>(stationIndex(n, count));
    data.replace(TimestampPosition - FirstPosition, 6,
                 link::numbers::encodeBcdDateTime(timestamp(n)));
    at(ConditionPosition) = static_cast<char>(condition(n));
    for (int position = ValuesPosition; position < m_recordLength; ++position)
        at(position) = static_cast<char>(valueByte(n, position));
    return data;
}

int RecordStore::stationIndex(int n, int count) const
{
    return static_cast<int>(qint64(n - 1) * m_stationCount / std::max(count, 1));
}

QDateTime RecordStore::timestamp(int n)
{
    return RecordClock(StoragePeriodSeconds, 1).at(n);
}

quint8 RecordStore::condition(int n)
{
    return n % 5 == 0 ? 1 : 0;
}

int RecordStore::memoryUsedPercent(int count, int recordLength, int totalKilobytes)
{
    if (totalKilobytes <= 0)
        return 100;
    const qint64 used = qint64(count) * recordLength * 100;
    const qint64 total = qint64(totalKilobytes) * 1024;
    return static_cast<int>(std::min<qint64>(100, (used + total - 1) / total));
}

} // namespace kapstat::sim
