#pragma once

#include <QObject>

class QSocketNotifier;

namespace kapstat::sim {

// A one-shot timer to the nanosecond on the monotonic clock. The event loop's timers count whole
// milliseconds, which is two bytes' time at 19 200 baud: too coarse to pace a line honestly.
class PreciseTimer : public QObject
{
    Q_OBJECT

public:
    explicit PreciseTimer(QObject* parent = nullptr);
    ~PreciseTimer() override;

    // The monotonic clock the deadlines are on.
    static qint64 nowNs();

    // Fires once at the deadline; at once when it has passed. Replaces a deadline not yet reached.
    void startAt(qint64 deadlineNs);
    // The same, but not late either: a sleeping thread wakes tens of microseconds after its
    // deadline, so this one wakes a little early and waits out the rest awake.
    void startSharpAt(qint64 deadlineNs);
    bool isActive() const { return m_active; }

Q_SIGNALS:
    void timeout();

private:
    void expire();
    void arm(qint64 deadlineNs);

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    bool m_active = false;
    qint64 m_awakeUntilNs = 0;
};

} // namespace kapstat::sim
