#include "live/countersframe.h"

namespace kapstat::live {

int CountersFrame::count(int position) const
{
    return m_response.at(position) | m_response.at(position + 1) << 8;
}

QString CountersFrame::rawField(int position) const
{
    return QString::fromLatin1(m_response.bytes(position, 3).toHex().toUpper());
}

int CountersFrame::harmonicPosition(int harmonic, int phase)
{
    return HarmonicsL1 + PhaseHarmonicsStride * phase + 2 * (harmonic - 2);
}

int CountersFrame::thdPosition(int phase)
{
    return harmonicPosition(25, phase);
}

} // namespace kapstat::live
