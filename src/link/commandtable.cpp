#include "link/commandtable.h"

namespace kapstat::link {

namespace {

std::optional<int> fixedLength(quint8 code)
{
    switch (code) {
    case Command::SetClock:
    case Command::WriteConfiguration:
    case Command::ClearMemory:
    case Command::SetRange:
    case Command::WriteCalibration:
    case Command::StoreCalibration:
        return ResponseLength::Acknowledge;
    case Command::ReadClock:
        return ResponseLength::Clock;
    case Command::InstantFrame:
        return ResponseLength::InstantFrame;
    case Command::ReadConfiguration:
        return ResponseLength::Configuration;
    case Command::ReadStatus:
        return ResponseLength::Status;
    case Command::TestBatteries:
        return ResponseLength::Batteries;
    case Command::ReadCalibration:
        return ResponseLength::Calibration;
    case Command::ReadCounters:
        return ResponseLength::Counters;
    default:
        return std::nullopt;
    }
}

} // namespace

bool CommandTable::isKnown(quint8 code)
{
    return hasComputedLength(code) || fixedLength(code).has_value();
}

bool CommandTable::hasComputedLength(quint8 code)
{
    return code == Command::ReadEvent || code == Command::ReadRecord;
}

std::optional<int> CommandTable::responseLength(quint8 code) const
{
    if (code == Command::ReadEvent)
        return m_eventLength;
    if (code == Command::ReadRecord)
        return m_recordLength;
    return fixedLength(code);
}

void CommandTable::setComputedLength(quint8 code, int length)
{
    Q_ASSERT(hasComputedLength(code));
    const auto value = length >= MinimumResponseLength ? std::optional<int>(length) : std::nullopt;
    if (code == Command::ReadEvent)
        m_eventLength = value;
    else if (code == Command::ReadRecord)
        m_recordLength = value;
}

int CommandTable::responseTimeoutMs(int responseLength)
{
    return responseLength * 1920 / 1000 + 1100;
}

} // namespace kapstat::link
