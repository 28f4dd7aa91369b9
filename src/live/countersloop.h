#pragma once

#include "calib/calibrationset.h"
#include "live/livestore.h"

#include <QObject>
#include <QStringList>

namespace kapstat::link {
class RecorderLink;
}
namespace kapstat::norm {
class PcCounterSlots;
}

namespace kapstat::live {

// The counters window's conversation: one instantaneous frame for the present ranges and
// scales, then the recorder's counters polled again and again, paced only by the link.
class CountersLoop : public QObject
{
    Q_OBJECT

public:
    // The frame reaches the store and the scale through an InstantFrameReader registered on the
    // same link.
    CountersLoop(link::RecorderLink& link, const norm::PcCounterSlots& pc,
                 const calib::RangeScale& scale, const LiveStore& store, QObject* parent = nullptr);

    void start();
    // No further request after the exchange in flight.
    void stop() { m_running = false; }
    bool isRunning() const { return m_running; }
    // True when the loop may end now; otherwise finished follows once the link has given up the
    // exchange in flight.
    bool requestClose();

    // While frozen every good response is dropped and its command sent again: neither page nor
    // any other window is refreshed.
    void setFrozen(bool frozen);

Q_SIGNALS:
    void countersShown(const QStringList& lines);
    // The loop ended: closed during a transfer, or given up by the link.
    void finished();

private:
    void requestCounters();

    link::RecorderLink& m_link;
    bool m_running = false;
};

} // namespace kapstat::live
