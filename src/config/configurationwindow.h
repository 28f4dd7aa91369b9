#pragma once

#include "config/settingsfilechooser.h"
#include "link/closeguardeddialog.h"

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace kapstat::common {
class SettingsStore;
}
namespace kapstat::link {
class Prompter;
}

namespace kapstat::config {

class ConfigurationModel;
class ConfigurationTransfer;
class NormPage;
class SelectionIndicators;

// "Konfiguracja Pomiarów": the editor of the recorder's configuration. It shows the model and
// calls its rules; settings files are opened and saved here, and the configuration is sent to
// and read from the recorder through the transfer. Created once; it keeps its state between
// showings.
class ConfigurationWindow : public link::CloseGuardedDialog
{
    Q_OBJECT

public:
    ConfigurationWindow(ConfigurationModel& model, ConfigurationTransfer& transfer,
                        link::Prompter& prompter, common::SettingsStore& settings,
                        QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    NormPage* normPage() const { return m_normPage; }
    QTabWidget* stationTabs() const { return m_stationTabs; }
    SelectionIndicators& indicators() const { return *m_indicators; }
    QLabel* capacityDisplay() const { return m_capacity; }
    QComboBox* systemChoice() const { return m_system; }
    QPushButton* button(const QString& objectName) const;
    SettingsFileChooser& fileChooser() { return m_files; }
    // How a plain information box reaches the user; the standard message box unless replaced.
    void setMessageBoxHandler(std::function<void(const QString&)> handler);

protected:
    bool requestClose() override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createStationTabs();
    QWidget* createSystemChoice();
    QWidget* createButtons();
    void openSettingsFile();
    void saveSettingsFile();

    ConfigurationModel& m_model;
    ConfigurationTransfer& m_transfer;
    link::Prompter& m_prompter;
    SelectionIndicators* m_indicators;
    SettingsFileChooser m_files;
    std::function<void(const QString&)> m_messageBox;
    QTabWidget* m_tabs = nullptr;
    NormPage* m_normPage = nullptr;
    QTabWidget* m_stationTabs = nullptr;
    QLabel* m_capacity = nullptr;
    QComboBox* m_system = nullptr;
};

} // namespace kapstat::config
