#pragma once

#include <QByteArray>

namespace kapstat::calib {
struct CalibrationSet;
}

namespace kapstat::config {

// The 1023-byte image of the configuration a fresh program starts with, its event thresholds
// in the counts of the given coefficients (0 where a coefficient is 0).
QByteArray defaultConfigurationImage(const calib::CalibrationSet& calibration);

} // namespace kapstat::config
