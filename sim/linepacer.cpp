#include "sim/linepacer.h"

namespace kapstat::sim {

namespace {
constexpr qint64 BitsPerByte = 10; // start bit, eight data bits, stop bit
constexpr qint64 NsPerSecond = 1'000'000'000;
// Bytes may be handed over this far ahead of the line, so a coarse timer does not slow it.
constexpr qint64 LeadNs = 2'000'000;
} // namespace

LinePacer::LinePacer(int baud) : m_byteNs(BitsPerByte * NsPerSecond / qMax(baud, 1)) {}

int LinePacer::allowance(qint64 nowNs) const
{
    const qint64 room = nowNs + LeadNs - lineFreeAt(nowNs);
    return room < 0 ? 0 : static_cast<int>(room / m_byteNs) + 1;
}

void LinePacer::sent(int bytes, qint64 nowNs)
{
    m_freeAtNs = lineFreeAt(nowNs) + bytes * m_byteNs;
}

qint64 LinePacer::waitNs(qint64 nowNs) const
{
    return qMax<qint64>(0, lineFreeAt(nowNs) - LeadNs - nowNs);
}

} // namespace kapstat::sim
