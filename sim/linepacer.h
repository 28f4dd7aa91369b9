#pragma once

#include <QtGlobal>

namespace kapstat::sim {

// One direction of a serial line of the given rate (8N1: ten bit times a byte). Bytes put on the
// line cross it one after another, and a byte has crossed only when its stop bit has: the far end
// never holds a byte before a real line could have carried it. Time is in nanoseconds from any
// fixed start.
class LinePacer
{
public:
    explicit LinePacer(int baud);

    // Puts the bytes on the line at nowNs, behind what it still carries (an idle line banks no
    // time); returns when the last of them has crossed.
    qint64 carry(int bytes, qint64 nowNs);
    // Of the last `pending` bytes put on the line, how many have crossed by nowNs.
    int crossed(int pending, qint64 nowNs) const;
    // When the first of the last `pending` bytes crosses.
    qint64 crossingNs(int pending) const { return m_freeAtNs - (pending - 1) * m_byteNs; }

    qint64 byteNs() const { return m_byteNs; }

private:
    qint64 m_byteNs;
    qint64 m_freeAtNs = 0;
};

} // namespace kapstat::sim
