#include "calib/calibrationset.h"

#include "link/devicenumbers.h"

namespace kapstat::calib {

double CalibrationSet::coefficient(int channel, int slot) const
{
    return link::numbers::coefficientValue(gainMantissa[channel][slot],
                                           gainExponent[channel][slot]);
}

} // namespace kapstat::calib
