#pragma once

#include "link/responsebytes.h"

#include <QString>

namespace kapstat::live {

// The recorder's counters of norm events (response 0x18, 227 bytes): 16-bit counts, and three-byte
// depths and heights that are only ever shown as their bytes. Positions are response positions
// (1-based from ESC).
class CountersFrame
{
public:
    static constexpr int Length = 227;
    static constexpr int F1Num = 5;
    static constexpr int F2Num = 7;
    static constexpr int MeanDips = 9;              // L1, L2, L3 two bytes apart
    static constexpr int MeanOvervoltages = 15;     // likewise
    static constexpr int MeanInterruptions = 21;    // likewise
    static constexpr int MinimumDips = 27;          // likewise
    static constexpr int MaximumOvervoltages = 33;  // likewise
    static constexpr int MinimumInterruptions = 39; // likewise
    static constexpr int MinimumDeepestDip = 45;    // three bytes per phase
    static constexpr int MeanDeepestDip = 54;
    static constexpr int MaximumHighestOvervoltage = 63;
    static constexpr int MeanHighestOvervoltage = 72;
    static constexpr int Unbalance = 81;
    static constexpr int HarmonicsL1 = 83; // harmonic h at + 2(h - 2); the phase's THD follows H24
    static constexpr int PhaseHarmonicsStride = 48;

    explicit CountersFrame(link::ResponseBytes response) : m_response(std::move(response)) {}

    // Unsigned 16-bit count, low byte first.
    int count(int position) const;
    // Three bytes as six upper-case hexadecimal digits, in stored order.
    QString rawField(int position) const;

    static int harmonicPosition(int harmonic, int phase); // harmonic 2..24, phase 0..2
    static int thdPosition(int phase);

private:
    link::ResponseBytes m_response;
};

} // namespace kapstat::live
