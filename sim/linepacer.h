#pragma once

#include <QtGlobal>

namespace kapstat::sim {

// Keeps the bytes written no faster than a serial line of the given rate carries them (8N1:
// ten bit times a byte). Time is in nanoseconds from any fixed start.
class LinePacer
{
public:
    explicit LinePacer(int baud);

    // How many bytes may be written now.
    int allowance(qint64 nowNs) const;
    void sent(int bytes, qint64 nowNs);
    // How long until the next byte may be written; 0 when it may go now.
    qint64 waitNs(qint64 nowNs) const;

    qint64 byteNs() const { return m_byteNs; }

private:
    // An idle line banks no time: a burst after a pause still goes out at the line rate.
    qint64 lineFreeAt(qint64 nowNs) const { return qMax(m_freeAtNs, nowNs); }

    qint64 m_byteNs;
    qint64 m_freeAtNs = 0;
};

} // namespace kapstat::sim
