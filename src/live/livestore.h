#pragma once

#include "calib/calibrationset.h"

#include <QString>
#include <array>
#include <bitset>

namespace kapstat::live {

// The sums of the analysis are kept in 80-bit extended precision.
using Real = long double;

inline constexpr int ChannelCount = calib::ChannelCount; // 0-2 UL1-UL3, 3-5 IL1-IL3
inline constexpr int SampleCount = 300;                  // sample sets of one frame, 0.4 ms apart
inline constexpr int RecorderValueCount = 143;           // quantity numbers 0..142
inline constexpr int ComputedValueCount = 201;           // quantity numbers 0..200
inline constexpr int HighestHarmonic = 24;
inline constexpr int HarmonicColumnCount = HighestHarmonic + 1; // column 0: DC
// Rows 0-2 voltages, 3-5 currents, 6-8 per phase the third value (the recorder's) or the
// cosine of the voltage-current angle (computed).
inline constexpr int HarmonicRowCount = 9;

template <typename T>
using HarmonicTable = std::array<std::array<T, HarmonicColumnCount>, HarmonicRowCount>;
template <typename T>
using PerChannelSamples = std::array<std::array<T, SampleCount>, ChannelCount>;

// What the latest instantaneous frame carried and what the program computed from it. Nothing is
// cleared between frames: a value the present measuring system does not decode keeps what an
// earlier frame left.
struct LiveStore
{
    std::array<int, ChannelCount> ranges{}; // range index per channel, as decoded
    PerChannelSamples<double> raw{};        // converter counts
    std::array<int, ChannelCount> peaks{};  // largest |count| per channel
    PerChannelSamples<Real> scaled{};       // volts and amperes
    int licznik = 0;                        // period length in 0.8 us ticks
    int imax = 0;                           // sample sets to integrate over, as sent

    std::array<Real, RecorderValueCount> recorderValues{};
    // The undecodable bytes of a value as hexadecimal text; empty when it was decoded.
    std::array<QString, RecorderValueCount> recorderRaw;
    HarmonicTable<Real> recorderHarmonics{};
    HarmonicTable<QString> recorderHarmonicsRaw;

    std::array<Real, ComputedValueCount> computedValues{};
    // Which quantity numbers the last analysis produced.
    std::bitset<ComputedValueCount> computedProduced;
    HarmonicTable<Real> computedHarmonics{};
};

} // namespace kapstat::live
