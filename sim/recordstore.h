#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

namespace kapstat::sim {

// Synthetic measurement records: every byte a function of the record number, so that a download
// can be checked record by record against what the recorder holds.
class RecordStore
{
public:
    // Station index, time stamp and condition byte, the least a record carries.
    static constexpr int MinimumRecordLength = 14;
    static constexpr int MaximumStations = 8;
    static constexpr qint64 StoragePeriodSeconds = 600;
    // The most records whose time stamps stay within the recorder's two-digit years.
    static int maximumRecords();

    RecordStore() : RecordStore(MinimumRecordLength, 1) {}
    RecordStore(int recordLength, int stationCount);

    int recordLength() const { return m_recordLength; }
    int stationCount() const { return m_stationCount; }

    // The data of the 0x10 response for record n (1-based) out of count; nullopt outside 1..count.
    std::optional<QByteArray> recordData(int n, int count) const;

    // The stations share the memory in turn: the first records belong to station 0.
    int stationIndex(int n, int count) const;
    static QDateTime timestamp(int n);
    static quint8 condition(int n);

    // Percentage of a memory of totalKilobytes that count records of recordLength fill, rounded
    // up.
    static int memoryUsedPercent(int count, int recordLength, int totalKilobytes);

private:
    int m_recordLength;
    int m_stationCount;
};

} // namespace kapstat::sim
