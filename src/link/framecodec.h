#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Command and response frames on the recorder line: ESC, code, two length bytes, data, checksum.
namespace kapstat::link::framecodec {

inline constexpr char Esc = 0x1B;

// XOR of every byte given; the checksum of a frame is this over all bytes before it.
quint8 checksum(QByteArrayView bytes);

// ESC + payload + checksum; the payload is code, length high, length low, data.
QByteArray build(QByteArrayView payload);

// True when the last byte equals the XOR of all the bytes before it.
bool hasValidChecksum(QByteArrayView frame);

// The payload of a command: code, 16-bit big-endian data length, data.
QByteArray payload(quint8 code, QByteArrayView data = {});

} // namespace kapstat::link::framecodec
