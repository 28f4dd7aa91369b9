#include "live/countersframe.h"

#include "link/devicenumbers.h"

namespace kapstat::live {

int CountersFrame::count(int position) const
{
    return link::numbers::decodeUnsigned(m_response, position, 2);
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
