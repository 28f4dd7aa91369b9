#pragma once

#include "calib/calibrationset.h"
#include "live/livestore.h"

#include <QString>
#include <array>

namespace kapstat::calib {

// One row of the calibration window's table: the frame's peak, the channel's range, the mean
// raw count, the RMS the program computed and the one the recorder sent.
struct ChannelStateText
{
    QString peak;
    QString range;
    QString dc;
    QString pcRms;
    QString recorderRms;
    bool recorderRaw = false; // the recorder's value could not be read: its bytes as text
};

std::array<ChannelStateText, ChannelCount>
calibrationStateTexts(const live::LiveStore& store, const std::array<double, ChannelCount>& means);

// "##0.0000": at least one whole digit and four decimals.
QString fourDecimals(double value);

} // namespace kapstat::calib
