#pragma once

#include "link/timer.h"

#include <QList>

namespace kapstat::link {

class ManualClock;

// A timer that fires only when its ManualClock is advanced past its deadline.
class ManualTimer : public Timer
{
    Q_OBJECT

public:
    explicit ManualTimer(ManualClock& clock, QObject* parent = nullptr);
    ~ManualTimer() override;

    void start(int milliseconds) override;
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }
    qint64 deadline() const { return m_deadline; }

private:
    friend class ManualClock;
    void fire();

    ManualClock& m_clock;
    bool m_active = false;
    int m_interval = 0;
    qint64 m_deadline = 0;
};

// Test time: nothing happens until advance() is called, so no test waits for real time.
class ManualClock
{
public:
    qint64 now() const { return m_now; }
    // Moves time forward, firing every timer whose deadline is reached, earliest first.
    void advance(qint64 milliseconds);
    // Jumps to the earliest active deadline and fires it; false when no timer runs.
    bool fireNext();

private:
    friend class ManualTimer;
    ManualTimer* earliestActive() const;

    qint64 m_now = 0;
    QList<ManualTimer*> m_timers;
};

} // namespace kapstat::link
