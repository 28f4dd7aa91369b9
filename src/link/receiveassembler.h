#pragma once

#include <QByteArray>

namespace kapstat::link {

// Gathers arriving chunks into one response of the expected length and prefix.
class ReceiveAssembler
{
public:
    void expect(char code, int length);
    void clear() { m_buffer.clear(); }
    // Adds one arrival; true when the buffer has reached the expected length.
    bool feed(const QByteArray& chunk);
    const QByteArray& buffer() const { return m_buffer; }
    int expectedLength() const { return m_length; }

private:
    bool startsWithPrefix(const QByteArray& bytes) const;

    QByteArray m_buffer;
    char m_code = 0;
    int m_length = 0;
};

} // namespace kapstat::link
