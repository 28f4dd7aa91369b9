#include "sim/responsesender.h"

#include "link/bytechannel.h"

namespace kapstat::sim {

ResponseSender::ResponseSender(link::ByteChannel& line, std::optional<int> baud, QObject* parent)
    : QObject(parent), m_line(line)
{
    if (baud)
        m_pacer.emplace(*baud);
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ResponseSender::pump);
}

void ResponseSender::send(const Delivery& delivery)
{
    m_queue.append(delivery);
    if (!m_timer.isActive())
        pump();
}

void ResponseSender::pump()
{
    while (true) {
        if (m_current.bytes.isEmpty()) {
            if (m_queue.isEmpty())
                return;
            m_current = m_queue.takeFirst();
        }
        if (m_current.delayMs > 0) {
            m_timer.start(std::exchange(m_current.delayMs, 0));
            return;
        }
        if (!writeCurrent())
            return;
    }
}

bool ResponseSender::writeCurrent()
{
    const qint64 now = m_clock.nsecsElapsed();
    const qsizetype count = m_pacer
                                ? qMin<qsizetype>(m_pacer->allowance(now), m_current.bytes.size())
                                : m_current.bytes.size();
    if (count > 0) {
        m_line.write(m_current.bytes.first(count));
        m_current.bytes.remove(0, count);
        if (m_pacer)
            m_pacer->sent(static_cast<int>(count), now);
    }
    if (m_current.bytes.isEmpty())
        return true;
    const qint64 waitNs = m_pacer->waitNs(m_clock.nsecsElapsed());
    m_timer.start(static_cast<int>((waitNs + 999'999) / 1'000'000));
    return false;
}

} // namespace kapstat::sim
