#pragma once

#include <QString>
#include <optional>

namespace kapstat::config {

struct RecorderConfiguration;

// How many records the recorder's memory holds for a configuration, and for how long.
namespace capacity {

// Bytes of one measurement record.
int recordSize(const RecorderConfiguration& configuration);
// Memory left for records: less when the events take their share.
int recordMemory(const RecorderConfiguration& configuration);
int recordCapacity(const RecorderConfiguration& configuration);

struct RecordingTime
{
    qint64 days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    bool showsSeconds = false; // only for the one-second storage period
};

// How long the memory lasts when every record is stored at the storage period; nullopt while a
// storage condition is active (records then come irregularly) or no period is chosen.
std::optional<RecordingTime> recordingTime(const RecorderConfiguration& configuration);

// "Mozliwa rejestracja N rekordów przez: ..." as the configuration window shows it.
QString displayText(const RecorderConfiguration& configuration);

} // namespace capacity

} // namespace kapstat::config
