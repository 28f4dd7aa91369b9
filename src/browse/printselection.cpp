#include "browse/printselection.h"

#include <algorithm>

namespace kapstat::browse {

bool PrintSelection::contains(const QString& column) const
{
    return !column.isEmpty() && std::find(m_slots.begin(), m_slots.end(), column) != m_slots.end();
}

bool PrintSelection::add(const QString& column)
{
    const auto empty = std::find(m_slots.begin(), m_slots.end(), QString());
    if (empty == m_slots.end())
        return false;
    *empty = column;
    return true;
}

void PrintSelection::remove(const QString& column)
{
    std::replace(m_slots.begin(), m_slots.end(), column, QString());
}

void PrintSelection::clear()
{
    m_slots.fill(QString());
}

int PrintSelection::count() const
{
    return static_cast<int>(std::count_if(m_slots.begin(), m_slots.end(),
                                          [](const QString& s) { return !s.isEmpty(); }));
}

} // namespace kapstat::browse
