#include "sim/instantframewriter.h"

#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "live/instantframe.h"

#include <algorithm>

namespace kapstat::sim {

namespace {

constexpr int FirstDataPosition = 5;
constexpr int DataLength = link::ResponseLength::InstantFrame - FirstDataPosition;

// Decimal digits of a field of the given width: DecFloat3 carries 3, DecFloat4 5, DecFloat5 7.
int digitsOfWidth(int width)
{
    return 2 * width - 3;
}

} // namespace

InstantFrameWriter::InstantFrameWriter() : m_data(DataLength, '\0') {}

void InstantFrameWriter::setBytes(int position, const QByteArray& bytes)
{
    m_data.replace(position - FirstDataPosition, bytes.size(), bytes);
}

void InstantFrameWriter::setRangeByte(int channel, quint8 byte)
{
    setBytes(live::frame::RangePosition + channel, QByteArray(1, static_cast<char>(byte)));
}

void InstantFrameWriter::setSampleBytes(int sampleSet, int channel, quint8 low, quint8 high)
{
    setBytes(live::frame::samplePosition(sampleSet, channel),
             QByteArray() + static_cast<char>(low) + static_cast<char>(high));
}

void InstantFrameWriter::setSample(int sampleSet, int channel, int count)
{
    const int magnitude = std::min(std::abs(count), 0x7FFF);
    setSampleBytes(sampleSet, channel, magnitude & 0xFF, (magnitude >> 8) | (count < 0 ? 0x80 : 0));
}

void InstantFrameWriter::setUnsigned16(int position, int value)
{
    const int clamped = std::clamp(value, 0, 0xFFFF);
    setBytes(position,
             QByteArray() + static_cast<char>(clamped & 0xFF) + static_cast<char>(clamped >> 8));
}

void InstantFrameWriter::setLicznik(int ticks)
{
    setUnsigned16(live::frame::LicznikPosition, ticks);
}

void InstantFrameWriter::setImax(int sampleSets)
{
    setUnsigned16(live::frame::ImaxPosition, sampleSets);
}

void InstantFrameWriter::setDecFloat(int position, double value, int digits)
{
    if (const auto bytes = link::numbers::encodeDecFloat(value, digits))
        setBytes(position, *bytes);
}

void InstantFrameWriter::setValue(int number, double value)
{
    for (const live::frame::ValueField& field : live::frame::valueFields())
        if (field.number == number)
            setDecFloat(field.position, value, digitsOfWidth(field.width));
}

void InstantFrameWriter::setScale(int channel, double coefficient)
{
    setDecFloat(live::frame::scalePosition(channel), coefficient, digitsOfWidth(4));
}

void InstantFrameWriter::setHarmonic(int harmonic, int phase, int kind, double value)
{
    setDecFloat(live::frame::harmonicPosition(harmonic, phase, kind), value, digitsOfWidth(3));
}

link::ResponseBytes InstantFrameWriter::response() const
{
    return link::ResponseBytes::withData(link::Command::InstantFrame, m_data);
}

} // namespace kapstat::sim
