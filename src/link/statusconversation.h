#pragma once

#include "config/measuringsystem.h"
#include "link/recorderstatus.h"

#include <QObject>

namespace kapstat::config {
class ConfigurationModel;
class ConfigurationReader;
} // namespace kapstat::config

namespace kapstat::link {

class RecorderLink;
class Timer;

// The status window's conversation: the configuration first (the event memory's size depends
// on its measuring system), then the status polled continuously, and the battery test.
class StatusConversation : public QObject
{
    Q_OBJECT

public:
    // batteryTimer: how long a battery test result stays before the prompt returns.
    StatusConversation(RecorderLink& link, config::ConfigurationReader& reader,
                       const config::ConfigurationModel& model, Timer& batteryTimer,
                       QObject* parent = nullptr);

    static constexpr int BatteryResultMs = 5000;

    // The window was shown: the rows are emptied and the reading starts.
    void start();
    void testBatteries();
    void stop() { m_polling = false; }
    // True when the window may close now; otherwise closeReady follows once the link has
    // given up the exchange in flight.
    bool requestClose();

    const RecorderStatus& status() const { return m_status; }
    const BatteryReport& batteries() const { return m_batteries; }
    config::MeasuringSystem measuringSystem() const { return m_system; }

Q_SIGNALS:
    void statusChanged(const kapstat::link::RecorderStatus& status);
    void batteriesChanged(const kapstat::link::BatteryReport& report);
    void closeReady();

private:
    void registerRows();
    void pollAgainIfPolling();
    void setBatteries(const BatteryReport& report);

    RecorderLink& m_link;
    Timer& m_batteryTimer;
    RecorderStatus m_status;
    BatteryReport m_batteries = BatteryReport::prompt();
    // The system of the configuration image most recently received; Star until one arrives.
    config::MeasuringSystem m_system = config::MeasuringSystem::Star;
    // Whether the window is open; only then does an answer ask for the next status.
    bool m_polling = false;
};

} // namespace kapstat::link
