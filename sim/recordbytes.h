#pragma once

#include <QByteArray>
#include <QDateTime>

namespace kapstat::sim {

// The data of a record response, written at response positions (5 is the first data byte), in
// the recorder's number formats.
class RecordBytes
{
public:
    static constexpr int FirstPosition = 5;

    // For a response of length bytes, ESC to checksum.
    explicit RecordBytes(int length);

    void setByte(int position, int value);
    void setWord(int position, int value); // 16 bits, little-endian
    void setBytes(int position, const QByteArray& bytes);
    // width 3, 4 or 5 bytes (DecFloat3, DecFloat4, DecFloat5).
    void setDecFloat(int position, int width, double value);
    void setDateTime(int position, const QDateTime& moment);

    const QByteArray& data() const { return m_data; }

private:
    QByteArray m_data;
};

} // namespace kapstat::sim
