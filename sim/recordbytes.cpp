#include "sim/recordbytes.h"

#include "link/devicenumbers.h"

#include <algorithm>

namespace kapstat::sim {

// Data, then the checksum the frame adds.
RecordBytes::RecordBytes(int length) : m_data(std::max(length - FirstPosition, 0), '\0') {}

void RecordBytes::setByte(int position, int value)
{
    m_data[position - FirstPosition] = static_cast<char>(value & 0xFF);
}

void RecordBytes::setWord(int position, int value)
{
    setBytes(position, link::numbers::encodeSigned16(value & 0xFFFF));
}

void RecordBytes::setBytes(int position, const QByteArray& bytes)
{
    m_data.replace(position - FirstPosition, bytes.size(), bytes);
}

void RecordBytes::setDecFloat(int position, int width, double value)
{
    // DecFloat3, DecFloat4 and DecFloat5 carry 3, 5 and 7 significant digits.
    const int digits = 2 * width - 3;
    setBytes(position,
             link::numbers::encodeDecFloat(value, digits).value_or(QByteArray(width, '\0')));
}

void RecordBytes::setDateTime(int position, const QDateTime& moment)
{
    setBytes(position, link::numbers::encodeBcdDateTime(moment));
}

} // namespace kapstat::sim
