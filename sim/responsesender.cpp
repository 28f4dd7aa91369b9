#include "sim/responsesender.h"

#include "link/bytechannel.h"

namespace kapstat::sim {

namespace {
constexpr qint64 NsPerMs = 1'000'000;
} // namespace

ResponseSender::ResponseSender(link::ByteChannel& line, std::optional<int> baud, QObject* parent)
    : QObject(parent), m_line(line)
{
    if (baud)
        m_pacer.emplace(*baud);
    connect(&m_timer, &PreciseTimer::timeout, this, &ResponseSender::pump);
}

void ResponseSender::send(const Delivery& delivery, qint64 requestInNs)
{
    // Only the first chunk answers the request; a split answer's later pieces follow it.
    qint64 readyNs = requestInNs;
    for (const Chunk& chunk : delivery)
        m_queue.append({chunk, std::exchange(readyNs, Now)});
    if (!m_timer.isActive())
        pump();
}

void ResponseSender::pump()
{
    while (true) {
        if (m_current.chunk.bytes.isEmpty()) {
            if (m_queue.isEmpty())
                return;
            m_current = m_queue.takeFirst();
            m_currentOnLine = false;
        }
        if (m_current.chunk.delayMs > 0) {
            const int delayMs = std::exchange(m_current.chunk.delayMs, 0);
            m_current.readyNs = Now;
            m_timer.startAt(PreciseTimer::nowNs() + delayMs * NsPerMs);
            return;
        }
        if (!writeCurrent())
            return;
    }
}

bool ResponseSender::writeCurrent()
{
    QByteArray& bytes = m_current.chunk.bytes;
    const qint64 now = PreciseTimer::nowNs();
    if (m_pacer && !std::exchange(m_currentOnLine, true))
        m_pacer->carry(static_cast<int>(bytes.size()), qMin(m_current.readyNs, now));
    const int pending = static_cast<int>(bytes.size());
    const int count = m_pacer ? m_pacer->crossed(pending, now) : pending;
    if (count > 0) {
        m_line.write(bytes.first(count));
        bytes.remove(0, count);
    }
    if (bytes.isEmpty())
        return true;
    // The last byte ends the answer the PC waits for: it goes out on time, not a wake-up late.
    const qint64 next = m_pacer->crossingNs(static_cast<int>(bytes.size()));
    if (bytes.size() == 1)
        m_timer.startSharpAt(next);
    else
        m_timer.startAt(next);
    return false;
}

} // namespace kapstat::sim
