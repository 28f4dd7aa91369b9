#include "link/manualclock.h"

namespace kapstat::link {

ManualTimer::ManualTimer(ManualClock& clock, QObject* parent) : Timer(parent), m_clock(clock)
{
    m_clock.m_timers.append(this);
}

ManualTimer::~ManualTimer()
{
    m_clock.m_timers.removeOne(this);
}

void ManualTimer::start(int milliseconds)
{
    m_interval = milliseconds;
    m_deadline = m_clock.now() + milliseconds;
    m_active = true;
}

void ManualTimer::fire()
{
    m_active = false;
    Q_EMIT timeout();
}

ManualTimer* ManualClock::earliestActive() const
{
    ManualTimer* earliest = nullptr;
    for (ManualTimer* timer : m_timers)
        if (timer->isActive() && (!earliest || timer->deadline() < earliest->deadline()))
            earliest = timer;
    return earliest;
}

void ManualClock::advance(qint64 milliseconds)
{
    const qint64 target = m_now + milliseconds;
    while (ManualTimer* timer = earliestActive()) {
        if (timer->deadline() > target)
            break;
        m_now = timer->deadline();
        timer->fire();
    }
    m_now = target;
}

bool ManualClock::fireNext()
{
    ManualTimer* timer = earliestActive();
    if (!timer)
        return false;
    m_now = qMax(m_now, timer->deadline());
    timer->fire();
    return true;
}

} // namespace kapstat::link
