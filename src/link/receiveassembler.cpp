#include "link/receiveassembler.h"

#include "link/framecodec.h"

namespace kapstat::link {

void ReceiveAssembler::expect(char code, int length)
{
    m_code = code;
    m_length = length;
}

bool ReceiveAssembler::feed(const QByteArray& chunk)
{
    if (!m_buffer.isEmpty())
        m_buffer.append(chunk);
    else if (chunk.size() == 1 && chunk[0] == framecodec::Esc)
        m_buffer = chunk;
    else if (chunk.size() >= 2 && startsWithPrefix(chunk))
        m_buffer = chunk;
    // Anything else does not begin a response and is dropped whole.

    if (m_buffer.size() >= 2 && !startsWithPrefix(m_buffer))
        m_buffer.clear();
    return m_length > 0 && m_buffer.size() >= m_length;
}

bool ReceiveAssembler::startsWithPrefix(const QByteArray& bytes) const
{
    return bytes[0] == framecodec::Esc && bytes[1] == m_code;
}

} // namespace kapstat::link
