#include "sim/linepacer.h"

namespace kapstat::sim {

namespace {
constexpr qint64 BitsPerByte = 10; // start bit, eight data bits, stop bit
constexpr qint64 NsPerSecond = 1'000'000'000;
} // namespace

LinePacer::LinePacer(int baud) : m_byteNs(BitsPerByte * NsPerSecond / qMax(baud, 1)) {}

qint64 LinePacer::carry(int bytes, qint64 nowNs)
{
    m_freeAtNs = qMax(m_freeAtNs, nowNs) + bytes * m_byteNs;
    return m_freeAtNs;
}

int LinePacer::crossed(int pending, qint64 nowNs) const
{
    const qint64 remainingNs = m_freeAtNs - nowNs;
    const qint64 stillOnLine = remainingNs <= 0 ? 0 : (remainingNs + m_byteNs - 1) / m_byteNs;
    return static_cast<int>(qBound<qint64>(0, pending - stillOnLine, qint64{pending}));
}

} // namespace kapstat::sim
