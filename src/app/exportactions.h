#pragma once

#include "download/measurementtables.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QWidget;

namespace kapstat::browse {
struct ExportLimits;
class BrowseState;
class TableWindow;
struct ExportOutcome;
} // namespace kapstat::browse
namespace kapstat::common {
class SettingsStore;
}
namespace kapstat::link {
class Prompter;
}

namespace kapstat::app {

class MainWindow;

// The text exports of the open database: the main window's "Eksportuj dane do pliku TXT" (every
// shown table) and the table windows' "Eksport do pliku PRN..." (that table).
class ExportActions : public QObject
{
    Q_OBJECT

public:
    // The save dialog over the parent, starting in the folder; the chosen path or "".
    using SaveChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    ExportActions(MainWindow& main, browse::BrowseState& state, link::Prompter& prompter,
                  common::SettingsStore& settings,
                  const std::array<browse::TableWindow*, 3>& windows, QObject* parent = nullptr);

    // "Eksportuj dane do pliku TXT".
    void exportShownTables();
    // "Eksport do pliku PRN..." of the table's window.
    void exportTable(download::TableKind kind);
    // The time chart's export: the chart table over its visible range and limit test, to the
    // chosen name + ".prn" or ".HARM.prn".
    void exportChartRange(download::TableKind kind, const browse::ExportLimits& limits);
    // Replaceable for tests.
    void setSaveChooser(SaveChooser chooser) { m_chooseFile = std::move(chooser); }

private:
    browse::TableWindow& window(download::TableKind kind) const
    {
        return *m_windows[static_cast<int>(kind)];
    }
    // The save dialog in the remembered export folder; a confirmed choice's folder is remembered.
    QString chooseInExportFolder();
    void run(const std::function<browse::ExportOutcome()>& work);

    MainWindow& m_main;
    browse::BrowseState& m_state;
    link::Prompter& m_prompter;
    common::SettingsStore& m_settings;
    std::array<browse::TableWindow*, 3> m_windows;
    SaveChooser m_chooseFile;
};

} // namespace kapstat::app
