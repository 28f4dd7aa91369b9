#pragma once

#include "calib/calibrationset.h"

#include <QByteArray>
#include <QByteArrayView>

namespace kapstat::sim {

// The recorder's calibration block: what 0x13 reports (positions 5-315) and 0x12 overwrites.
class CalibrationMemory
{
public:
    // Plausible coefficients of a calibrated unit, every one of them non-zero.
    static CalibrationMemory factoryDefault();

    // The data of the 0x13 response.
    const QByteArray& responseData() const { return m_block; }
    // The coefficients as the PC reads them from the block.
    calib::CalibrationSet coefficients() const;
    // The three raw date bytes, as the status response repeats them.
    QByteArray calibrationDateBytes() const;

    // Takes the 215 data bytes of 0x12: the coefficients and the date they were sent.
    // False, and nothing changed, for data of any other length.
    bool write(QByteArrayView commandData);

private:
    CalibrationMemory();
    void deriveScales();

    QByteArray m_block;
};

} // namespace kapstat::sim
