#pragma once

#include "calib/calibrationset.h"
#include "link/devicenumbers.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// The arithmetic of the automatic calibrations and of the recorder's range codes.
namespace kapstat::calib {

// Which transducers the current channels use: the normal inputs or the current loop.
enum class Transducer
{
    Clamps, // "cęgi": range entries 0-3, slots 0-3
    Loop,   // "pętla": range entries 0-5, slots 4-9 of the current channels
};

enum class CalibrationMode
{
    Dc,   // DC offsets
    Gain, // gain coefficients ("wzmocnienia")
};

inline constexpr quint8 AutomaticRangeCode = 0x7F;
inline constexpr int LoopRangeCount = 6;

// The 0x11 code of a range list entry 0..5.
quint8 rangeCode(int entry);
// The range slot a list entry stands for on a channel.
int slotOf(Transducer transducer, int entry);
int rangeEntryCount(Transducer transducer);

// A channel's DC is calibrated once the mean of its raw counts lies within half a count.
bool isDcDone(double meanCounts);
// How far the DC offset moves for a mean: |Trunc(m / 2)| + 1 against the sign of the mean.
int dcOffsetStep(double meanCounts);

// The gain that makes the measured RMS read the set-point, normalised to five digits; nullopt
// when nothing sound comes out (no signal, a coefficient that is not positive, or one the
// block's five-digit field cannot carry).
std::optional<link::numbers::Mantissa> calibratedGain(double setPoint, double oldCoefficient,
                                                      double measuredRms);

} // namespace kapstat::calib
