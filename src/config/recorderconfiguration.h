#pragma once

#include "config/measuringsystem.h"
#include "config/normparameters.h"
#include "config/selectionentries.h"
#include "config/stationsettings.h"

#include <QString>
#include <array>

namespace kapstat::config {

enum class ThdBase
{
    Rms = 0,
    H1 = 1
};

inline constexpr int ConditionCount = 3;
inline constexpr int MaxPeriodMinutes = 60;
inline constexpr int PeakPowerPeriodCount = 8;

// Minutes of the peak-power averaging period of a list index 0..7.
int peakPowerMinutes(int index);

// lower <= quantity <= upper, tested by the recorder before it stores a record.
struct StorageCondition
{
    int quantity = 0; // entry of the condition quantity list; 0 is off
    QString lower = QStringLiteral("1");
    QString upper = QStringLiteral("0");

    bool operator==(const StorageCondition&) const = default;
};

// What the recorder is told to measure and record, in the form the user edits it.
struct RecorderConfiguration
{
    MeasuringSystem measuringSystem = MeasuringSystem::Star;
    int storagePeriod = 5;   // minutes 0..60 (0 is one second); NoChoice when none is chosen
    int alternatePeriod = 0; // the same, while the storage conditions are not met
    std::array<StorageCondition, ConditionCount> conditions{};
    int peakPowerPeriod = 4; // index into 1, 2, 5, 10, 15, 20, 30, 60 minutes
    ThdBase thdBase = ThdBase::H1;
    std::array<bool, entries::Count> selection{};
    std::array<StationSettings, StationCount> stations = defaultStations();
    NormParameters norm;
    int voltageSignalLevel = 20; // percent of the VT primary
    int currentSignalLevel = 20; // percent of the CT primary
    bool keepLocalDescriptions = false;

    bool normMode() const { return selection[entries::NormMode]; }
    bool eventRecording() const { return selection[entries::FirstEventRecording]; }
    bool anyConditionActive() const;

    // The norm parameters and the storage period are those of PN-EN 50160.
    bool isDefaultNorm() const;
    // PN-EN 50160 values and a 10-minute storage period; the storage-period rules are the caller's.
    void resetNormDefaults();

    bool operator==(const RecorderConfiguration&) const = default;

    static std::array<StationSettings, StationCount> defaultStations();
};

} // namespace kapstat::config
