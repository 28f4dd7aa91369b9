#pragma once

#include <QList>

// Where each field sits in the recorder's 1023-byte configuration image (offsets from 0).
namespace kapstat::config::imagelayout {

inline constexpr int Size = 1023;
inline constexpr int DescriptionLength = 60;
inline constexpr int EventRecordingByte = 480;
inline constexpr int OptionsByte = 481;
inline constexpr int StoragePeriod = 482;
inline constexpr int AlternatePeriod = 483;
inline constexpr int ConditionLower = 484;    // 3 x DecFloat3
inline constexpr int ConditionUpper = 493;    // 3 x DecFloat3
inline constexpr int ConditionQuantity = 502; // 3 x LE16
inline constexpr int Transformers = 508;      // 8 blocks of StationBlock bytes
inline constexpr int StationBlock = 16;
inline constexpr int ConditionValidBits = 636;
inline constexpr int StartEnabledBits = 637;
inline constexpr int EndEnabledBits = 638;
inline constexpr int ChangeStationBits = 639;
inline constexpr int Starts = 640; // 8 x BcdDateTime
inline constexpr int Ends = 688;
inline constexpr int VoltageSignalLevel = 736;
inline constexpr int CurrentSignalLevel = 739;
inline constexpr int EnergyBits = 742;
inline constexpr int PeakPowerPeriod = 743;
inline constexpr int SelectionBytes = 744; // 33 bytes of nibbles
inline constexpr int DefaultNorm = 777;
inline constexpr int NominalFrequency = 778;
inline constexpr int NormPeriod = 781;
inline constexpr int FrequencyBands = 782; // -minus, +plus, share of band 1, then of band 2
inline constexpr int Un = 800;             // 8 x DecFloat3
inline constexpr int VoltageMinus = 824;
inline constexpr int VoltagePlus = 827;
inline constexpr int OvervoltageThreshold = 830;
inline constexpr int VoltageShare = 833;
inline constexpr int UnbalanceLimit = 836;
inline constexpr int UnbalanceShare = 839;
inline constexpr int HarmonicLimits = 842; // orders 2..24
inline constexpr int ThdLimit = 911;
inline constexpr int HarmonicShare = 914;
inline constexpr int RapidChangeLow = 917;
inline constexpr int RapidChangeHigh = 920;
inline constexpr int InterruptionThreshold = 923;
inline constexpr int LongInterruption = 926;
inline constexpr int EventThresholds = 927;     // per station 3 x LE16
inline constexpr int ToleranceThresholds = 975; // per station 3 x LE16

inline constexpr quint8 EventRecordingOff = 0x7F;
inline constexpr quint8 EventRecordingOn = 0xF8; // plus the voltage range

inline constexpr int NoEntry = -1;

// One selection byte: the four statistics of a quantity in each nibble (min in the high bit).
struct SelectionByte
{
    int highRow; // first entry of the row in bits 7-4
    int lowRow;  // first entry of the row in bits 3-0, or NoEntry
};

// The 33 selection bytes from offset 744. Quantities with one row for all phases appear once
// per phase.
const QList<SelectionByte>& selectionBytes();

// The entries of byte 742, bit 7 first.
inline constexpr int FirstEnergyBitEntry = 41;
inline constexpr int EnergyBitCount = 8;

} // namespace kapstat::config::imagelayout
