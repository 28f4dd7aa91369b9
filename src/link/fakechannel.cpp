#include "link/fakechannel.h"

namespace kapstat::link {

bool FakeChannel::open(const QString& portName)
{
    Q_UNUSED(portName);
    m_open = m_error.isEmpty();
    return m_open;
}

bool FakeChannel::write(const QByteArray& bytes)
{
    m_written.append(bytes);
    return m_open;
}

QByteArray FakeChannel::read(qint64 maxBytes)
{
    const QByteArray chunk = m_input.left(maxBytes);
    m_input.remove(0, chunk.size());
    return chunk;
}

void FakeChannel::discardInput()
{
    m_input.clear();
    ++m_discards;
}

void FakeChannel::feed(const QByteArray& bytes)
{
    m_input.append(bytes);
    Q_EMIT bytesArrived();
}

} // namespace kapstat::link
