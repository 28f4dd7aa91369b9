#include "app/program.h"

#include "app/aboutbox.h"
#include "app/browsingactions.h"
#include "app/compliancereportaction.h"
#include "app/databasedirectorydialog.h"
#include "app/mainwindow.h"
#include "calib/calibrationwindow.h"
#include "config/configurationwindow.h"
#include "link/clockwindow.h"
#include "link/statuswindow.h"
#include "live/counterswindow.h"
#include "live/livewindow.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>

namespace kapstat::app {

namespace {

const char* const RecorderActions[] = {"acPrzbiegiBiezace", "acUstawZegarek", "acStanRej",
                                       "acOdbPomiary", "acKasujPomiary"};

} // namespace

Program::Program(const QStringList& namedPorts)
{
    m_main = std::make_unique<MainWindow>(m_link, m_settings, namedPorts);
    m_configurationWindow = new config::ConfigurationWindow(
        m_configuration, m_configurationTransfer, m_messages, m_settings, m_main.get());
    m_clockWindow = new link::ClockWindow(m_clock, m_main.get());
    m_statusWindow = new link::StatusWindow(m_status, m_main.get());
    m_about = new AboutBox(m_serviceMode, m_main.get());
    m_liveWindow =
        new live::LiveWindow(m_liveLoop, m_liveStore, m_rangeScale, m_configuration, m_main.get());
    m_countersWindow =
        new live::CountersWindow(m_countersLoop, m_liveLoop, m_liveStore, m_main.get());
    m_calibrationWindow = new calib::CalibrationWindow(m_calibrationConversation, m_calibration,
                                                       m_liveStore, m_main.get());
    m_directoryDialog = new DatabaseDirectoryDialog(m_messages, m_main.get());
    m_browsing = new BrowsingActions(*m_main, m_browse, m_messages, m_settings, *m_directoryDialog,
                                     m_main.get());
    m_complianceReport = new ComplianceReportAction(*m_main, m_browse, *m_browsing, m_serviceMode,
                                                    m_messages, m_pcCounters, m_main.get());
    connectActions();
    QObject::connect(&m_messages, &link::MessageWindow::shownChanged, m_main.get(),
                     [this](bool shown) { m_main->setCommandsEnabled(!shown); });
    QObject::connect(&m_serviceMode, &link::ServiceMode::switchedOn, m_main.get(),
                     &MainWindow::showServiceButtons);
    QObject::connect(&m_connect, &link::ConnectConversation::recorderActionsEnabled, m_main.get(),
                     [this] { enableRecorderActions(); });
}

Program::~Program() = default;

void Program::connectActions()
{
    MainWindow& main = *m_main;
    auto onTriggered = [&main](const char* name, auto handler) {
        QObject::connect(main.action(QString::fromLatin1(name)), &QAction::triggered, &main,
                         handler);
    };
    onTriggered("acNawiazanie", [this] { m_connect.start(); });
    onTriggered("acUstawZegarek", [this] { m_clockWindow->exec(); });
    onTriggered("acStanRej", [this] { m_statusWindow->exec(); });
    onTriggered("acPrzbiegiBiezace", [this] { m_liveWindow->exec(); });
    onTriggered("acKasujPomiary", [this] { m_clearMemory.start(); });
    onTriggered("acNoweUstawienia", [this] { m_configurationWindow->exec(); });
    onTriggered("acOdbPomiary", [this] { m_download.start(m_main->databaseFolder()); });
    // The download closes the open database with its windows and panel.
    QObject::connect(&m_download, &download::DownloadConversation::aboutToDownload, &main, [this] {
        m_browse.close();
        m_main->hideDatabaseInformation();
    });
    onTriggered("acOprogramie", [this] { m_about->exec(); });
    QObject::connect(main.countersButton(), &QPushButton::clicked, &main,
                     [this] { m_countersWindow->openForCounters(); });
    QObject::connect(m_liveWindow, &live::LiveWindow::comparisonRequested, &main,
                     [this] { m_countersWindow->openForComparison(); });
    onTriggered("acWspKalib", [this] { m_calibrationWindow->exec(); });
    QObject::connect(main.calibrationButton(), &QPushButton::clicked, &main,
                     [this] { m_calibrationWindow->exec(); });
}

void Program::enableRecorderActions()
{
    for (const char* name : RecorderActions)
        m_main->action(QString::fromLatin1(name))->setEnabled(true);
    for (const char* button : {"send", "receive"})
        m_configurationWindow->button(QString::fromLatin1(button))->setEnabled(true);
}

} // namespace kapstat::app
