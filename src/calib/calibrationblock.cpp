#include "calib/calibrationblock.h"

#include "link/devicenumbers.h"

#include <QCoreApplication>
#include <cmath>

namespace kapstat::calib::calibrationblock {

using namespace link::numbers;

int dcOffsetPosition(int channel, int slot)
{
    if (slot < NormalSlotCount)
        return 7 + 4 * channel + slot;
    return 31 + 6 * (channel - FirstCurrentChannel) + (slot - NormalSlotCount);
}

int gainPosition(int channel, int slot)
{
    if (slot < NormalSlotCount)
        return 49 + 16 * channel + 4 * slot;
    return 145 + 24 * (channel - FirstCurrentChannel) + 4 * (slot - NormalSlotCount);
}

int scalePosition(int channel, int slot)
{
    return 220 + 16 * channel + 4 * slot;
}

bool hasSlot(int channel, int slot)
{
    return slot < NormalSlotCount || channel >= FirstCurrentChannel;
}

void decode(const link::ResponseBytes& response, CalibrationSet& set, RangeScale& scale)
{
    const int g = GeneratorCorrectionPosition;
    set.generatorCorrection = decodeSigned16(response.at(g), response.at(g + 1));
    for (int channel = 0; channel < ChannelCount; ++channel) {
        for (int slot = 0; slot < RangeSlotCount; ++slot) {
            if (!hasSlot(channel, slot))
                continue;
            set.dcOffset[channel][slot] =
                decodeSigned8(response.at(dcOffsetPosition(channel, slot)));
            const Mantissa gain = decodeDecMantissa4(response, gainPosition(channel, slot));
            set.gainMantissa[channel][slot] = gain.mantissa;
            set.gainExponent[channel][slot] = gain.exponent;
            scale.values[channel][slot] =
                slot < NormalSlotCount
                    ? decodeDecFloat4(response, scalePosition(channel, slot)).value
                    : coefficientValue(gain.mantissa, gain.exponent);
        }
    }
    set.lastCalibration = decodeBcdDate3(response, DatePosition).value_or(QDate());
}

Encoded encode(const CalibrationSet& set, const QDate& today)
{
    Encoded result;
    QByteArray data(DataLength, '\0');
    auto put = [&data](int position, const QByteArray& bytes) {
        data.replace(position - 5, bytes.size(), bytes);
    };
    put(GeneratorCorrectionPosition,
        encodeSigned16(static_cast<int>(std::trunc(set.generatorCorrection))));
    for (int channel = 0; channel < ChannelCount; ++channel) {
        for (int slot = 0; slot < RangeSlotCount; ++slot) {
            if (!hasSlot(channel, slot))
                continue;
            const EncodedSigned8 offset = encodeSigned8(set.dcOffset[channel][slot]);
            result.overflow = result.overflow || offset.overflow;
            data[dcOffsetPosition(channel, slot) - 5] = static_cast<char>(offset.byte);
            const auto gain = encodeDecMantissa4(set.gainMantissa[channel][slot],
                                                 set.gainExponent[channel][slot]);
            if (!gain) {
                result.error = QCoreApplication::translate(
                                   "calibrationblock", "Współczynnik wzmocnienia kanału %1, zakres "
                                                       "%2 nie mieści się w pięciu cyfrach.")
                                   .arg(channel)
                                   .arg(slot);
                return result;
            }
            put(gainPosition(channel, slot), *gain);
        }
    }
    put(DatePosition, encodeBcdDate3(today));
    result.data = data;
    return result;
}

} // namespace kapstat::calib::calibrationblock
