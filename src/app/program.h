#pragma once

#include "browse/browsestate.h"
#include "calib/calibrationconversation.h"
#include "calib/calibrationreader.h"
#include "calib/calibrationset.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/configurationtransfer.h"
#include "download/downloadconversation.h"
#include "link/clearmemoryconversation.h"
#include "link/clockconversation.h"
#include "link/connectconversation.h"
#include "link/messagewindow.h"
#include "link/qttimer.h"
#include "link/recorderlink.h"
#include "link/serialchannel.h"
#include "link/servicemode.h"
#include "link/statusconversation.h"
#include "live/countersloop.h"
#include "live/instantframereader.h"
#include "live/liveloop.h"
#include "live/livestore.h"
#include "norm/pccounterslots.h"

#include <QStringList>
#include <memory>

namespace kapstat::calib {
class CalibrationWindow;
}
namespace kapstat::config {
class ConfigurationWindow;
}
namespace kapstat::link {
class ClockWindow;
class StatusWindow;
} // namespace kapstat::link
namespace kapstat::live {
class CountersWindow;
class LiveWindow;
} // namespace kapstat::live

namespace kapstat::app {

class AboutBox;
class BrowsingActions;
class ComplianceReportAction;
class DatabaseDirectoryDialog;
class MainWindow;

// The program's single instances and its windows, created once at start-up in the order the
// windows must be made, and kept until the program ends.
class Program
{
public:
    explicit Program(const QStringList& namedPorts);
    ~Program();

    MainWindow& mainWindow() { return *m_main; }
    link::MessageWindow& messageWindow() { return m_messages; }
    link::ClockWindow& clockWindow() { return *m_clockWindow; }
    link::StatusWindow& statusWindow() { return *m_statusWindow; }
    config::ConfigurationWindow& configurationWindow() { return *m_configurationWindow; }
    download::DownloadConversation& download() { return m_download; }
    AboutBox& aboutBox() { return *m_about; }
    browse::BrowseState& browseState() { return m_browse; }
    BrowsingActions& browsing() { return *m_browsing; }
    ComplianceReportAction& complianceReport() { return *m_complianceReport; }
    norm::PcCounterSlots& pcCounters() { return m_pcCounters; }
    live::LiveWindow& liveWindow() { return *m_liveWindow; }
    live::CountersWindow& countersWindow() { return *m_countersWindow; }
    calib::CalibrationWindow& calibrationWindow() { return *m_calibrationWindow; }

private:
    void connectActions();
    void enableRecorderActions();

    common::SettingsStore m_settings;
    link::SerialChannel m_channel;
    link::QtTimer m_responseTimer;
    link::QtTimer m_messageTimer;
    link::QtTimer m_batteryTimer;
    link::MessageWindow m_messages{m_messageTimer};
    link::RecorderLink m_link{m_channel, m_responseTimer, m_messages};
    calib::CalibrationSet m_calibration;
    calib::RangeScale m_rangeScale;
    calib::CalibrationReader m_calibrationReader{m_link, m_calibration, m_rangeScale};
    config::ConfigurationModel m_configuration;
    config::ConfigurationReader m_configurationReader{m_link, m_configuration};
    link::ServiceMode m_serviceMode;
    link::ConnectConversation m_connect{m_link};
    link::ClockConversation m_clock{m_link};
    link::StatusConversation m_status{m_link, m_configurationReader, m_configuration,
                                      m_batteryTimer};
    link::ClearMemoryConversation m_clearMemory{m_link};
    config::ConfigurationTransfer m_configurationTransfer{m_link, m_configuration,
                                                          m_configurationReader, m_calibration};
    download::DownloadConversation m_download{m_link, m_configuration, m_configurationReader};
    browse::BrowseState m_browse{m_configuration, m_messages};
    live::LiveStore m_liveStore;
    live::InstantFrameReader m_instantFrames{m_link, m_configuration, m_rangeScale, m_liveStore};
    live::LiveLoop m_liveLoop{m_link, m_configuration, m_liveStore};
    calib::CalibrationConversation m_calibrationConversation{m_link, m_calibration, m_configuration,
                                                             m_liveStore};
    norm::PcCounterSlots m_pcCounters;
    live::CountersLoop m_countersLoop{m_link, m_pcCounters, m_rangeScale, m_liveStore};

    std::unique_ptr<MainWindow> m_main;
    link::ClockWindow* m_clockWindow = nullptr;
    link::StatusWindow* m_statusWindow = nullptr;
    config::ConfigurationWindow* m_configurationWindow = nullptr;
    AboutBox* m_about = nullptr;
    DatabaseDirectoryDialog* m_directoryDialog = nullptr;
    BrowsingActions* m_browsing = nullptr;
    live::LiveWindow* m_liveWindow = nullptr;
    live::CountersWindow* m_countersWindow = nullptr;
    calib::CalibrationWindow* m_calibrationWindow = nullptr;
    ComplianceReportAction* m_complianceReport = nullptr;
};

} // namespace kapstat::app
