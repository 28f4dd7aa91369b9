#include "calib/autocalibration.h"

#include <array>
#include <cmath>

namespace kapstat::calib {

namespace {
constexpr std::array<quint8, LoopRangeCount> RangeCodes{0x00, 0x09, 0x12, 0x1B, 0x27, 0x2F};
} // namespace

quint8 rangeCode(int entry)
{
    return RangeCodes.at(static_cast<std::size_t>(entry));
}

int slotOf(Transducer transducer, int entry)
{
    return transducer == Transducer::Loop ? entry + NormalSlotCount : entry;
}

int rangeEntryCount(Transducer transducer)
{
    return transducer == Transducer::Loop ? LoopRangeCount : NormalSlotCount;
}

bool isDcDone(double meanCounts)
{
    return std::fabs(meanCounts) <= 0.5;
}

int dcOffsetStep(double meanCounts)
{
    const int step = std::abs(static_cast<int>(std::trunc(meanCounts / 2))) + 1;
    return meanCounts > 0 ? step : -step;
}

std::optional<link::numbers::Mantissa> calibratedGain(double setPoint, double oldCoefficient,
                                                      double measuredRms)
{
    if (measuredRms == 0)
        return std::nullopt;
    const auto gain = link::numbers::normaliseCoefficient(setPoint * oldCoefficient / measuredRms);
    if (!gain || gain->mantissa > LargestGainMantissa || gain->exponent < LowestGainExponent)
        return std::nullopt;
    return gain;
}

} // namespace kapstat::calib
