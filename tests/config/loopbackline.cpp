#include "loopbackline.h"

#include <QTimer>

bool LoopbackLine::write(const QByteArray& bytes)
{
    if (!m_open || !m_peer)
        return false;
    QTimer::singleShot(0, m_peer, [peer = m_peer, bytes] { peer->arrive(bytes); });
    return true;
}

QByteArray LoopbackLine::read(qint64 maxBytes)
{
    const QByteArray bytes = m_input.first(qMin<qint64>(maxBytes, m_input.size()));
    m_input.remove(0, bytes.size());
    return bytes;
}

void LoopbackLine::arrive(const QByteArray& bytes)
{
    m_input += bytes;
    Q_EMIT bytesArrived();
}
