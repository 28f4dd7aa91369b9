#pragma once

#include "calib/autocalibration.h"
#include "calib/calibrationset.h"

#include <array>

namespace kapstat::calib {

// Which coefficients the calibration window shows and the automatic calibrations change: the
// transducers, DC offsets or gains, and the range list entry.
struct CoefficientSelection
{
    Transducer transducer = Transducer::Clamps;
    CalibrationMode mode = CalibrationMode::Dc;
    int rangeEntry = 0;

    // The voltage channels have no loop: they keep the normal inputs' slot.
    int slotOf(int channel) const;
    // The voltage rows are hidden while the loop is chosen.
    bool showsChannel(int channel) const;
};

// One coefficient row of the window: the DC offset or gain mantissa, and the exponent.
struct CoefficientRow
{
    bool visible = true;
    int value = 0;
    int exponent = 0;
    bool exponentEditable = false;
};

std::array<CoefficientRow, ChannelCount> coefficientRows(const CalibrationSet& set,
                                                         const CoefficientSelection& selection);
// A typed row value goes into the same table entry at once.
void setRowValue(CalibrationSet& set, const CoefficientSelection& selection, int channel,
                 int value);
void setRowExponent(CalibrationSet& set, const CoefficientSelection& selection, int channel,
                    int exponent);

} // namespace kapstat::calib
