#pragma once

// The numbers under which the recorder's values and the program's own results of one frame are
// kept, so that the two can be compared quantity by quantity. A per-channel number is that of
// channel 0 (UL1); channel c adds c. A per-phase number is that of L1; phase L2 adds 1, L3 2.
namespace kapstat::live::quantity {

inline constexpr int Rms = 0;  // U of L1-L3, I of L1-L3
inline constexpr int Mean = 6; // UDC, IDC
inline constexpr int Frequency = 12;
inline constexpr int ActivePower = 13;
inline constexpr int ReactivePower = 16;
inline constexpr int ApparentPower = 19;
inline constexpr int PowerFactor = 22;
inline constexpr int TotalVoltage = 25;
inline constexpr int TotalCurrent = 26;
inline constexpr int TotalPowerFactor = 27;
inline constexpr int TotalActivePower = 28;
inline constexpr int TotalReactivePower = 29;
inline constexpr int TotalApparentPower = 30;
inline constexpr int TotalDistortionPower = 31;
inline constexpr int TotalNonActivePower = 32;    // sum of the per-phase sqrt(S² - P²)
inline constexpr int TotalApparentWithD = 33;     // sqrt(P² + Q² + D²)
inline constexpr int TotalApparentNonActive = 34; // sqrt(P² + Q² + No. 32²)
inline constexpr int TotalTangent = 35;
inline constexpr int TotalDistortionFactor = 36;
inline constexpr int NonActivePower = 40; // sqrt(S² - P²), negated when negative
inline constexpr int DistortionPower = 43;
inline constexpr int LineVoltage12 = 46;    // U12, U23, U31
inline constexpr int EnergyActivePlus = 49; // Ep+, Ep-, Eq+, Eq-, Es
inline constexpr int PeakMeanActivePower = 54;
inline constexpr int Tangent = 57;
inline constexpr int DistortionFactor = 60;
inline constexpr int CrestFactor = 101;       // per channel, per cent of a sine's
inline constexpr int FundamentalSine = 107;   // b of UL1-UL3, then of IL1-IL3 at 113
inline constexpr int FundamentalCosine = 110; // c of UL1-UL3, then of IL1-IL3 at 116
inline constexpr int CurrentFundamentalSine = 113;
inline constexpr int CurrentFundamentalCosine = 116;
inline constexpr int ZeroSequenceVoltage = 119;
inline constexpr int PositiveSequenceVoltage = 120;
inline constexpr int NegativeSequenceVoltage = 121;
inline constexpr int ZeroSequenceCurrent = 125;
inline constexpr int RecorderZeroSequence = 126; // U0, U1, U2 from the recorder's coefficients
inline constexpr int RecorderPositiveSequence = 127;
inline constexpr int RecorderNegativeSequence = 128;
inline constexpr int Unbalance = 129;
inline constexpr int Thd = 131;        // per channel, from the harmonics
inline constexpr int ThdFromRms = 137; // per channel, from RMS and H1

} // namespace kapstat::live::quantity
