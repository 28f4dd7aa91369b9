#include "norm/pccounterslots.h"

namespace kapstat::norm {

double PcCounterSlots::value(int slot) const
{
    return slot >= 0 && slot < Count ? m_values[slot] : 0;
}

void PcCounterSlots::set(int slot, double value)
{
    if (slot >= 0 && slot < Count)
        m_values[slot] = value;
}

} // namespace kapstat::norm
