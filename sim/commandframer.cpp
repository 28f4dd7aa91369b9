#include "sim/commandframer.h"

#include "link/commandtable.h"
#include "link/framecodec.h"

namespace kapstat::sim {

using namespace link;

std::optional<int> CommandFramer::expectedDataLength(quint8 code)
{
    switch (code) {
    case Command::SetClock:
        return 6;
    case Command::WriteConfiguration:
        return 1023;
    case Command::ReadEvent:
        return 2;
    case Command::ReadRecord:
        return 3;
    case Command::SetRange:
        return 1;
    case Command::WriteCalibration:
        return 215;
    case Command::ReadClock:
    case Command::InstantFrame:
    case Command::ReadConfiguration:
    case Command::ReadStatus:
    case Command::TestBatteries:
    case Command::ClearMemory:
    case Command::ReadCalibration:
    case Command::ReadCounters:
    case Command::StoreCalibration:
        return 0;
    default:
        return std::nullopt;
    }
}

CommandFramer::Verdict CommandFramer::examine(QByteArrayView candidate,
                                              qsizetype& frameLength) const
{
    if (candidate.size() < CommandFrame::HeaderLength)
        return Verdict::NeedMore;
    const auto code = static_cast<quint8>(candidate[1]);
    const int declared = static_cast<quint8>(candidate[2]) << 8 | static_cast<quint8>(candidate[3]);
    // Judged on the header alone, so a garbage length never makes us wait for bytes that will
    // not come.
    if (expectedDataLength(code) != declared)
        return Verdict::Rejected;
    frameLength = CommandFrame::HeaderLength + declared + 1;
    if (candidate.size() < frameLength)
        return Verdict::NeedMore;
    return framecodec::hasValidChecksum(candidate.first(frameLength)) ? Verdict::Accepted
                                                                      : Verdict::Rejected;
}

QList<CommandFrame> CommandFramer::feed(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    QList<CommandFrame> frames;
    qsizetype start = 0;
    while ((start = m_buffer.indexOf(framecodec::Esc, start)) >= 0) {
        qsizetype frameLength = 0;
        const Verdict verdict = examine(QByteArrayView(m_buffer).sliced(start), frameLength);
        if (verdict == Verdict::NeedMore)
            break;
        if (verdict == Verdict::Rejected) {
            ++m_rejected;
            ++start;
            continue;
        }
        frames.append({m_buffer.mid(start, frameLength)});
        start += frameLength;
    }
    m_buffer.remove(0, start < 0 ? m_buffer.size() : start);
    return frames;
}

} // namespace kapstat::sim
