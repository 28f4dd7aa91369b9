#include "sim/recordclock.h"

#include <algorithm>

namespace kapstat::sim {

namespace {

qint64 secondsAvailable()
{
    return RecordClock::start().secsTo(QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59), Qt::UTC));
}

} // namespace

RecordClock::RecordClock(qint64 stepSeconds, qint64 count)
    : m_step(
          std::clamp<qint64>(stepSeconds, 1, secondsAvailable() / std::max<qint64>(count - 1, 1)))
{
}

QDateTime RecordClock::start()
{
    return QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
}

qint64 RecordClock::capacity(qint64 stepSeconds)
{
    return secondsAvailable() / std::max<qint64>(stepSeconds, 1) + 1;
}

} // namespace kapstat::sim
