#include "sim/calibrationmemory.h"

#include "calib/calibrationblock.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"

#include <cmath>

namespace kapstat::sim {

calib::CalibrationSet CalibrationMemory::coefficients() const
{
    calib::CalibrationSet set;
    calib::RangeScale scale;
    calib::calibrationblock::decode(
        link::ResponseBytes::withData(link::Command::ReadCalibration, m_block), set, scale);
    return set;
}

namespace block = calib::calibrationblock;

namespace {

constexpr int FirstPosition = 5;
constexpr int DateLength = 3;

// Volts or amperes per converter count of range 0 of each input kind; each further range is
// twice as sensitive, and the channels differ slightly so that a swap would show. Range 0 of the
// voltage inputs carries 400 V with room for the over-voltages the event thresholds look for.
constexpr double VoltageGain = 0.5;
constexpr double ClampGain = 0.00245;
constexpr double LoopGain = 0.00061;

double defaultGain(int channel, int slot)
{
    const double base = channel < calib::FirstCurrentChannel ? VoltageGain
                        : slot < calib::NormalSlotCount      ? ClampGain
                                                             : LoopGain;
    const int step = slot < calib::NormalSlotCount ? slot : slot - calib::NormalSlotCount;
    return base * (1 + 0.003 * channel) / std::pow(2, step);
}

calib::CalibrationSet defaultSet()
{
    calib::CalibrationSet set;
    set.generatorCorrection = 5;
    for (int channel = 0; channel < calib::ChannelCount; ++channel) {
        for (int slot = 0; slot < calib::RangeSlotCount; ++slot) {
            if (!block::hasSlot(channel, slot))
                continue;
            set.dcOffset[channel][slot] = (channel * 4 + slot) % 7 - 3;
            const auto gain = link::numbers::normaliseCoefficient(defaultGain(channel, slot));
            set.gainMantissa[channel][slot] = gain->mantissa;
            set.gainExponent[channel][slot] = gain->exponent;
        }
    }
    return set;
}

} // namespace

CalibrationMemory::CalibrationMemory()
    : m_block(link::ResponseLength::Calibration - FirstPosition, '\0')
{
}

CalibrationMemory CalibrationMemory::factoryDefault()
{
    CalibrationMemory memory;
    memory.write(block::encode(defaultSet(), QDate(2024, 3, 15)).data);
    return memory;
}

QByteArray CalibrationMemory::calibrationDateBytes() const
{
    return m_block.mid(block::DatePosition - FirstPosition, DateLength);
}

bool CalibrationMemory::write(QByteArrayView commandData)
{
    if (commandData.size() != block::DataLength)
        return false;
    m_block.replace(0, commandData.size(), commandData.toByteArray());
    deriveScales();
    return true;
}

// The scale of a range is its gain coefficient. A five-digit gain field reads as the same value
// in the six-digit scale format, so the bytes carry over unchanged.
void CalibrationMemory::deriveScales()
{
    constexpr int FieldWidth = 4;
    for (int channel = 0; channel < calib::ChannelCount; ++channel) {
        for (int slot = 0; slot < calib::NormalSlotCount; ++slot) {
            const QByteArray gain =
                m_block.mid(block::gainPosition(channel, slot) - FirstPosition, FieldWidth);
            m_block.replace(block::scalePosition(channel, slot) - FirstPosition, FieldWidth, gain);
        }
    }
}

} // namespace kapstat::sim
