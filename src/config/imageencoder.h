#pragma once

#include "config/stationsettings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace kapstat::calib {
struct CalibrationSet;
}

namespace kapstat::config {

struct RecorderConfiguration;

// An event threshold above the converter's range, with the largest threshold that would fit.
struct ThresholdNote
{
    int station = 0; // 0..7
    int phase = 0;   // 0..2 for L1..L3
    int eventThreshold = 0;
    int largestAdmissiblePercent = 0;
};

// How far a station's VT primary lies from its Un: large at 10 % or more.
enum class VoltageDifference
{
    None,
    Small,
    Large
};

struct ImageBuild
{
    QByteArray image; // 1023 bytes; empty when a value cannot be written
    QString error;    // why the image must not be sent; empty when it may
    QList<ThresholdNote> tooHighThresholds;
    std::array<VoltageDifference, StationCount> differences{};

    bool ok() const { return error.isEmpty(); }
};

// The recorder's form of a configuration, with the event thresholds in converter counts taken
// from the voltage channels' calibration coefficients.
namespace imageencoder {

// With event recording on, every station is written with station 1's VT secondary (the model
// shows the same after ConfigurationModel::alignVtSecondariesForEventRecording).
ImageBuild build(const RecorderConfiguration& configuration,
                 const calib::CalibrationSet& calibration);

// The message for the first value that cannot be written (a text that is not a number, no
// period or VT secondary chosen), whatever the calibration; nullopt when every value can be.
std::optional<QString> valueError(const RecorderConfiguration& configuration);

// The input range of the voltage channels for a VT secondary voltage: 2 from 50 V, 1 from 100 V,
// 0 from 190 V and below 50 V.
int voltageRange(double vtSecondaryVolts);

} // namespace imageencoder

} // namespace kapstat::config
