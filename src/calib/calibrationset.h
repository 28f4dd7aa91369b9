#pragma once

#include <QDate>
#include <array>

namespace kapstat::calib {

inline constexpr int ChannelCount = 6;    // 0-2 UL1-UL3, 3-5 IL1-IL3
inline constexpr int RangeSlotCount = 10; // 0-3 gain ranges; 4-9 the current loop's ranges
inline constexpr int NormalSlotCount = 4;
inline constexpr int FirstCurrentChannel = 3;

// What the recorder's calibration block can carry: a five-digit gain mantissa, and a DC offset
// and a gain exponent of one signed byte each.
inline constexpr int LargestGainMantissa = 99999;
inline constexpr int LargestDcOffset = 127;
inline constexpr int LowestGainExponent = -128;
inline constexpr int HighestGainExponent = 127;

template <typename T>
using PerChannelSlot = std::array<std::array<T, RangeSlotCount>, ChannelCount>;

// The recorder's calibration coefficients as the program holds them.
struct CalibrationSet
{
    int generatorCorrection = 5;
    PerChannelSlot<int> dcOffset{};
    PerChannelSlot<int> gainMantissa{};
    PerChannelSlot<int> gainExponent{};
    QDate lastCalibration;

    // gain mantissa x 10^exponent, volts or amperes per converter count; 0 when unset.
    double coefficient(int channel, int slot) const;

    bool operator==(const CalibrationSet&) const = default;
};

// Scale coefficient of every channel in every range slot, per converter count.
struct RangeScale
{
    PerChannelSlot<double> values{};

    double at(int channel, int slot) const { return values[channel][slot]; }
};

} // namespace kapstat::calib
