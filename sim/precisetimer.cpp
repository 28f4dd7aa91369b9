#include "sim/precisetimer.h"

#include <QSocketNotifier>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>
#include <utility>

namespace kapstat::sim {

namespace {
constexpr qint64 NsPerSecond = 1'000'000'000;
// How early a sharp timer wakes: more than a loaded machine's usual wake-up lateness.
constexpr qint64 AwakeNs = 150'000;
} // namespace

PreciseTimer::PreciseTimer(QObject* parent)
    : QObject(parent), m_fd(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd < 0)
        return; // out of descriptors: see startAt
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PreciseTimer::expire);
}

PreciseTimer::~PreciseTimer()
{
    delete m_notifier; // before its descriptor goes
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 PreciseTimer::nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * NsPerSecond + now.tv_nsec;
}

void PreciseTimer::startSharpAt(qint64 deadlineNs)
{
    startAt(deadlineNs - AwakeNs);
    m_awakeUntilNs = deadlineNs;
}

void PreciseTimer::startAt(qint64 deadlineNs)
{
    m_active = true;
    m_awakeUntilNs = 0;
    if (m_fd >= 0) {
        // A zero time disarms a timer descriptor; one nanosecond after the boot has long passed.
        arm(qMax<qint64>(deadlineNs, 1));
        return;
    }
    // Without a timer descriptor the line goes unpaced rather than stalled.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (std::exchange(m_active, false))
                Q_EMIT timeout();
        },
        Qt::QueuedConnection);
}

void PreciseTimer::arm(qint64 deadlineNs)
{
    itimerspec setting{};
    setting.it_value.tv_sec = deadlineNs / NsPerSecond;
    setting.it_value.tv_nsec = deadlineNs % NsPerSecond;
    timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &setting, nullptr);
}

void PreciseTimer::expire()
{
    quint64 expirations = 0;
    if (::read(m_fd, &expirations, sizeof expirations) != sizeof expirations)
        return;
    while (nowNs() < m_awakeUntilNs) {
    }
    m_active = false;
    Q_EMIT timeout();
}

} // namespace kapstat::sim
