#pragma once

#include "link/responsebytes.h"

#include <QByteArray>

namespace kapstat::sim {

// Lays out the data of an instantaneous frame (response 0x07) field by field; what is not set
// stays zero.
class InstantFrameWriter
{
public:
    InstantFrameWriter();

    void setRangeByte(int channel, quint8 byte);
    // Sign and magnitude, |count| up to 32767.
    void setSample(int sampleSet, int channel, int count);
    void setSampleBytes(int sampleSet, int channel, quint8 low, quint8 high);
    void setLicznik(int ticks);
    void setImax(int sampleSets);
    // A recorder value by its quantity number, in the width of its field of the value block.
    void setValue(int number, double value);
    void setScale(int channel, double coefficient);
    // kind 0 voltage, 1 current, 2 third value.
    void setHarmonic(int harmonic, int phase, int kind, double value);
    // Bytes written as they are from a response position on, for fields the recorder damaged.
    void setBytes(int position, const QByteArray& bytes);

    // Positions 5 to 4557: the data of the response.
    const QByteArray& data() const { return m_data; }
    link::ResponseBytes response() const;

private:
    void setDecFloat(int position, double value, int digits);
    void setUnsigned16(int position, int value);

    QByteArray m_data;
};

} // namespace kapstat::sim
