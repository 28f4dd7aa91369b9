#pragma once

#include <QByteArray>

// The last accepted response, addressed by 1-based positions counted from its ESC byte
// (1 = ESC, 2 = code, data from 5). Reading past the end gives 0, never out of bounds.
namespace kapstat::link {

class ResponseBytes
{
public:
    ResponseBytes() = default;
    explicit ResponseBytes(QByteArray frame) : m_frame(std::move(frame)) {}

    // A response frame around the given data (ESC, code, two zero bytes, data, checksum).
    static ResponseBytes withData(quint8 code, const QByteArray& data);

    quint8 at(int position) const
    {
        const int index = position - 1;
        return index >= 0 && index < m_frame.size() ? static_cast<quint8>(m_frame[index]) : 0;
    }
    int size() const { return static_cast<int>(m_frame.size()); }
    quint8 code() const { return at(2); }
    // count bytes from the position, zero-filled where the response is shorter.
    QByteArray bytes(int position, int count) const;
    const QByteArray& frame() const { return m_frame; }

private:
    QByteArray m_frame;
};

} // namespace kapstat::link
