#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolBar;

namespace kapstat::common {
class SettingsStore;
}
namespace kapstat::link {
class RecorderLink;
}

namespace kapstat::app {

class LedIndicator;
class LinkDiagnostics;

// "Kapstat wersja 2.20": the hub of the program. It chooses and opens the serial port, keeps the
// database folder, and reaches every other window through its actions.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // namedPorts: ports given on the command line (a pseudo-terminal, the emulator's); the
    // last of them is chosen at start-up.
    MainWindow(link::RecorderLink& link, common::SettingsStore& settings,
               const QStringList& namedPorts = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // "DB" in the program's folder, or in the user's data folder where that cannot be written.
    static QString defaultDatabaseFolder();
    // What the database folder field shows while no folder is chosen.
    static QString databaseFolderPrompt();

    QAction* action(const QString& name) const { return m_actions.value(name); }
    QComboBox* portList() const { return m_ports; }
    QString databaseFolder() const;
    LedIndicator* portIndicator() const { return m_portLed; }
    LedIndicator* receiveIndicator() const { return m_receiveLed; }
    QList<QToolBar*> toolBars() const { return m_toolBars; }
    QPushButton* countersButton() const { return m_counters; }
    QPushButton* calibrationButton() const { return m_calibration; }
    QWidget* informationPanel() const { return m_information; }
    LinkDiagnostics* diagnostics() const { return m_diagnostics; }

    // The message window is shown: tool bars and menus wait for it.
    void setCommandsEnabled(bool enabled);
    // The service unlock reveals "Liczniki" and "Kalibracja".
    void showServiceButtons();
    void showDatabaseInformation(const QString& file, const QString& serialNumber,
                                 const QString& received);
    // A download is writing a new database: the open one's panel goes.
    void hideDatabaseInformation();
    // Windows brought to the front, in this order, by a click on the free area.
    void setWindowsRaisedOnClick(const QList<QWidget*>& windows);
    // How a warning reaches the user; the standard message box unless replaced (tests).
    void setWarningHandler(std::function<void(const QString&)> handler);

    static QString portUnavailableMessage();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    QWidget* createPortRow();
    QWidget* createDatabaseRow();
    QWidget* createInformationPanel();
    QWidget* createServiceButtons();
    void fillPortList(const QStringList& namedPorts);
    void setUpPort();
    void setUpDatabaseFolder();
    void openSelectedPort();
    void choosePort(int index);
    void chooseDatabaseFolder();
    void onPortFailed(const QString& reason);
    void blinkReceive();
    void warn(const QString& text);

    link::RecorderLink& m_link;
    common::SettingsStore& m_settings;
    QHash<QString, QAction*> m_actions;
    QList<QToolBar*> m_toolBars;
    QComboBox* m_ports = nullptr;
    LedIndicator* m_portLed = nullptr;
    LedIndicator* m_receiveLed = nullptr;
    QTimer* m_receiveBlink = nullptr;
    QLineEdit* m_folder = nullptr;
    QWidget* m_information = nullptr;
    QLabel* m_openFile = nullptr;
    QLabel* m_serialNumber = nullptr;
    QLabel* m_received = nullptr;
    QPushButton* m_counters = nullptr;
    QPushButton* m_calibration = nullptr;
    LinkDiagnostics* m_diagnostics = nullptr;
    QList<QPointer<QWidget>> m_raisedOnClick;
    std::function<void(const QString&)> m_warn;
    int m_namedPortIndex = -1;
    bool m_shownBefore = false;
};

} // namespace kapstat::app
