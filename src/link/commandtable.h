#pragma once

#include <QtGlobal>
#include <optional>

// The recorder's command codes and the lengths of their responses (ESC to checksum inclusive).
namespace kapstat::link {

namespace Command {
inline constexpr quint8 SetClock = 0x00;
inline constexpr quint8 ReadClock = 0x01;
inline constexpr quint8 InstantFrame = 0x07;
inline constexpr quint8 WriteConfiguration = 0x09;
inline constexpr quint8 ReadConfiguration = 0x0A;
inline constexpr quint8 ReadStatus = 0x0B;
inline constexpr quint8 ReadEvent = 0x0C;
inline constexpr quint8 TestBatteries = 0x0D;
inline constexpr quint8 ClearMemory = 0x0E;
inline constexpr quint8 ReadRecord = 0x10;
inline constexpr quint8 SetRange = 0x11;
inline constexpr quint8 WriteCalibration = 0x12;
inline constexpr quint8 ReadCalibration = 0x13;
inline constexpr quint8 ReadCounters = 0x18;
inline constexpr quint8 StoreCalibration = 0x19;
} // namespace Command

namespace ResponseLength {
inline constexpr int Acknowledge = 5;
inline constexpr int Clock = 11;
inline constexpr int InstantFrame = 4558;
inline constexpr int Configuration = 1028;
inline constexpr int Status = 43;
inline constexpr int Batteries = 6;
inline constexpr int Calibration = 316;
inline constexpr int Counters = 227;
} // namespace ResponseLength

// Shortest response a frame can be: ESC, code, two bytes, checksum.
inline constexpr int MinimumResponseLength = 5;

class CommandTable
{
public:
    static bool isKnown(quint8 code);
    // Whether the response length of the code is computed by a conversation (0x0C, 0x10).
    static bool hasComputedLength(quint8 code);

    // The response length now in force for the code; nullopt for unknown codes and for a
    // computed length that no conversation has set yet.
    std::optional<int> responseLength(quint8 code) const;
    void setComputedLength(quint8 code, int length);

    // Trunc(L * 1920 / 1000) + 1100 ms: the line time of L bytes plus a reserve.
    static int responseTimeoutMs(int responseLength);

private:
    std::optional<int> m_eventLength;
    std::optional<int> m_recordLength;
};

} // namespace kapstat::link
