#pragma once

#include "calib/calibrationset.h"
#include "link/responsebytes.h"

#include <QByteArray>
#include <QString>

// The calibration block: read as the 316-byte response of 0x13, written as the 215 data bytes
// of 0x12.
namespace kapstat::calib::calibrationblock {

inline constexpr int DataLength = 215;

struct Encoded
{
    QByteArray data;       // the 215 data bytes; empty when error is set
    bool overflow = false; // a DC offset outside -127..127 ("Przepelnienie!"); still written
    QString error;         // a gain the five-digit field cannot carry
};

void decode(const link::ResponseBytes& response, CalibrationSet& set, RangeScale& scale);
Encoded encode(const CalibrationSet& set, const QDate& today);

// Response positions of the fields, shared by the decoder, the encoder and the emulator.
int dcOffsetPosition(int channel, int slot);
int gainPosition(int channel, int slot);
int scalePosition(int channel, int slot); // slots 0-3 only
// Whether the block carries the slot for the channel (voltage channels have no loop slots).
bool hasSlot(int channel, int slot);

inline constexpr int GeneratorCorrectionPosition = 5;
inline constexpr int DatePosition = 217;

} // namespace kapstat::calib::calibrationblock
