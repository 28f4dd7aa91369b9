#include "link/qttimer.h"

namespace kapstat::link {

QtTimer::QtTimer(QObject* parent) : Timer(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timeout);
}

} // namespace kapstat::link
