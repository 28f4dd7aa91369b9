#include "sim/requestpacer.h"

namespace kapstat::sim {

RequestPacer::RequestPacer(std::optional<int> baud, QObject* parent) : QObject(parent)
{
    if (baud)
        m_pacer.emplace(*baud);
    connect(&m_timer, &PreciseTimer::timeout, this, &RequestPacer::release);
}

void RequestPacer::arrive(const QByteArray& bytes)
{
    if (!m_pacer) {
        Q_EMIT carried(bytes, PreciseTimer::nowNs());
        return;
    }
    const qint64 crossed = m_pacer->carry(static_cast<int>(bytes.size()), PreciseTimer::nowNs());
    m_held.append({crossed, bytes});
    if (!m_timer.isActive())
        release();
}

void RequestPacer::release()
{
    const qint64 now = PreciseTimer::nowNs();
    while (!m_held.isEmpty() && m_held.constFirst().crossedNs <= now) {
        const Held held = m_held.takeFirst();
        Q_EMIT carried(held.bytes, held.crossedNs);
    }
    if (!m_held.isEmpty())
        m_timer.startAt(m_held.constFirst().crossedNs);
}

} // namespace kapstat::sim
