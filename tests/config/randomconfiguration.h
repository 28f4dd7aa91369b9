#pragma once

#include "calib/calibrationset.h"

#include <random>

namespace kapstat::config {

class ConfigurationModel;

// Drives the model through the user's own operations into a random configuration that the
// rules accept, with values the recorder's number formats carry exactly.
void randomise(ConfigurationModel& model, std::mt19937& random);

// Coefficients of a recorder whose voltage channels read about 0.5 V a count in every range.
calib::CalibrationSet typicalCalibration();

} // namespace kapstat::config
