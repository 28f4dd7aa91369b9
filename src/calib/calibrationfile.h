#pragma once

#include "calib/calibrationset.h"

#include <QString>
#include <optional>

// The calibration coefficients as a ".kal" file: 127 integers, one a line, Windows-1250 with
// CR LF ends: the generator correction, then per channel and range slot the DC offset, the gain
// mantissa and the gain exponent (channels 0-2 slots 0-3, channels 3-5 slots 0-9). The date of
// the last calibration is not kept.
namespace kapstat::calib::calibrationfile {

inline constexpr int LineCount = 127;

// Creates or replaces the file; the error text when it cannot be written.
std::optional<QString> save(const CalibrationSet& set, const QString& path);
// Takes the whole file or nothing: a file that is not 127 integer lines the recorder can carry
// leaves the set as it was and gives the reason.
std::optional<QString> load(CalibrationSet& set, const QString& path);

} // namespace kapstat::calib::calibrationfile
