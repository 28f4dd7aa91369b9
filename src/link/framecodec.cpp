#include "link/framecodec.h"

namespace kapstat::link::framecodec {

quint8 checksum(QByteArrayView bytes)
{
    quint8 sum = 0;
    for (const char byte : bytes)
        sum ^= static_cast<quint8>(byte);
    return sum;
}

QByteArray build(QByteArrayView payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + 2);
    frame.append(Esc);
    frame.append(payload);
    frame.append(static_cast<char>(checksum(frame)));
    return frame;
}

bool hasValidChecksum(QByteArrayView frame)
{
    if (frame.size() < 2)
        return false;
    return checksum(frame.first(frame.size() - 1)) == static_cast<quint8>(frame.back());
}

QByteArray payload(quint8 code, QByteArrayView data)
{
    QByteArray bytes;
    bytes.reserve(data.size() + 3);
    bytes.append(static_cast<char>(code));
    bytes.append(static_cast<char>((data.size() >> 8) & 0xFF));
    bytes.append(static_cast<char>(data.size() & 0xFF));
    bytes.append(data);
    return bytes;
}

} // namespace kapstat::link::framecodec
