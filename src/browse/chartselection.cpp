#include "browse/chartselection.h"

#include <algorithm>

namespace kapstat::browse {

bool ChartSelection::contains(const QString& column, const QString& phase) const
{
    return std::any_of(m_slots.begin(), m_slots.end(), [&](const ChartSlot& slot) {
        return slot.isFilled() && slot.column == column && slot.phase == phase;
    });
}

bool ChartSelection::add(const QString& column, const QString& phase)
{
    const auto empty = std::find_if(m_slots.begin(), m_slots.end(),
                                    [](const ChartSlot& slot) { return !slot.isFilled(); });
    if (empty == m_slots.end())
        return false;
    *empty = {column, phase};
    m_phaseCount = phase == RmsPhase ? 1 : m_systemPhaseCount;
    return true;
}

void ChartSelection::remove(const QString& column, const QString& phase)
{
    for (ChartSlot& slot : m_slots)
        if (slot.isFilled() && slot.column == column && slot.phase == phase)
            slot = {};
}

QStringList ChartSelection::clear()
{
    QStringList phases;
    for (ChartSlot& slot : m_slots) {
        if (slot.isFilled() && slot.phase != RmsPhase)
            phases << slot.phase;
        slot = {};
    }
    return phases;
}

int ChartSelection::count() const
{
    return static_cast<int>(std::count_if(m_slots.begin(), m_slots.end(),
                                          [](const ChartSlot& s) { return s.isFilled(); }));
}

} // namespace kapstat::browse
