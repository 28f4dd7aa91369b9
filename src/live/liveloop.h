#pragma once

#include "config/measuringsystem.h"
#include "live/livestore.h"

#include <QObject>

namespace kapstat::link {
class RecorderLink;
}
namespace kapstat::config {
class ConfigurationModel;
}

namespace kapstat::live {

// The live window's conversation: the configuration first (the window adapts to its measuring
// system), then one instantaneous frame after another, each analysed as soon as it is decoded
// and requested again at once: the link alone sets the pace.
class LiveLoop : public QObject
{
    Q_OBJECT

public:
    // The frames reach the store through an InstantFrameReader registered on the same link.
    LiveLoop(link::RecorderLink& link, const config::ConfigurationModel& model, LiveStore& store,
             QObject* parent = nullptr);

    void start();
    // No further frame is requested after the one in hand.
    void stop() { m_running = false; }
    // True when the window may close now; otherwise finished follows once the link has given
    // up the exchange in flight.
    bool requestClose();

    config::MeasuringSystem measuringSystem() const { return m_system; }

Q_SIGNALS:
    // The configuration was read: the window adapts to its measuring system.
    void systemRead(kapstat::config::MeasuringSystem system);
    // A frame was decoded and analysed; the store holds it.
    void frameAnalysed();
    // The loop ended: closed during a transfer, or given up by the link.
    void finished();

private:
    void requestFrame(int step);

    link::RecorderLink& m_link;
    config::MeasuringSystem m_system = config::MeasuringSystem::Star;
    bool m_running = false;
};

} // namespace kapstat::live
