#include "config/recordcapacity.h"

#include "config/recorderconfiguration.h"

#include <QCoreApplication>
#include <QStringList>

namespace kapstat::config::capacity {

namespace {

constexpr int FullMemory = 3122192; // 2FA410h bytes
constexpr int EventMemory = 524288; // kept for the interruption and over-voltage records
constexpr int RecordHeader = 9;
constexpr int WaveformHeader = 34; // once, when either waveform is recorded

// Bytes a lit entry adds: fixed, and per phase counted by the measuring system.
struct EntryCost
{
    entries::Range entries;
    int fixed;
    int perPhase;
};

constexpr EntryCost Costs[] = {
    {{1, 40}, 3, 0},      {{41, 45}, 5, 0},    {{46, 136}, 3, 0},   {{137, 152}, 0, 3},
    {{159, 160}, 0, 600}, {{161, 161}, 0, 16}, {{162, 209}, 3, 0},  {{210, 217}, 0, 3},
    {{218, 221}, 0, 69},  {{222, 229}, 0, 3},  {{230, 233}, 0, 69}, {{234, 237}, 0, 3},
    {{238, 241}, 0, 69},  {{242, 245}, 3, 0},
};

QString tr(const char* text)
{
    return QCoreApplication::translate("RecordCapacity", text);
}

} // namespace

int recordSize(const RecorderConfiguration& configuration)
{
    const int phases = phaseCount(configuration.measuringSystem);
    const auto& lit = configuration.selection;
    int size = RecordHeader;
    for (const EntryCost& cost : Costs)
        for (int entry = cost.entries.first; entry <= cost.entries.last; ++entry)
            if (lit[entry])
                size += cost.fixed + cost.perPhase * phases;
    if (lit[entries::VoltageWaveforms] || lit[entries::CurrentWaveforms])
        size += WaveformHeader;
    return size;
}

int recordMemory(const RecorderConfiguration& configuration)
{
    return configuration.eventRecording() ? FullMemory - EventMemory : FullMemory;
}

int recordCapacity(const RecorderConfiguration& configuration)
{
    return recordMemory(configuration) / recordSize(configuration);
}

std::optional<RecordingTime> recordingTime(const RecorderConfiguration& configuration)
{
    const int period = configuration.storagePeriod;
    if (configuration.anyConditionActive() || period < 0)
        return std::nullopt;
    const qint64 records = recordCapacity(configuration);
    const qint64 seconds = period == 0 ? records : records * period * 60;
    RecordingTime time;
    time.days = seconds / 86400;
    time.hours = static_cast<int>(seconds % 86400 / 3600);
    time.minutes = static_cast<int>(seconds % 3600 / 60);
    time.seconds = static_cast<int>(seconds % 60);
    time.showsSeconds = period == 0;
    return time;
}

QString displayText(const RecorderConfiguration& configuration)
{
    QStringList parts{tr("Mozliwa rejestracja"), QString::number(recordCapacity(configuration)),
                      tr("rekordów"), tr("przez:")};
    if (const auto time = recordingTime(configuration)) {
        parts << QString::number(time->days) << tr("dni,") << QString::number(time->hours)
              << tr("godzin,") << QString::number(time->minutes) << tr("minut,");
        if (time->showsSeconds)
            parts << QString::number(time->seconds) << tr("sekund");
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace kapstat::config::capacity
