#pragma once

#include <QDateTime>

namespace kapstat::sim {

// The time stamps of a run of records taken at a fixed step from the memory's first moment. The
// recorder writes two-digit years, so the stamps must stay within 2000-2099: a step too long for
// the number of records is shortened to fit, which only a memory no real recorder holds needs.
class RecordClock
{
public:
    RecordClock(qint64 stepSeconds, qint64 count);

    QDateTime at(qint64 n) const { return start().addSecs((n - 1) * m_step); }
    qint64 stepSeconds() const { return m_step; }

    // Naive recorder time: it knows no zones or daylight saving.
    static QDateTime start();
    static qint64 capacity(qint64 stepSeconds);

private:
    qint64 m_step;
};

} // namespace kapstat::sim
