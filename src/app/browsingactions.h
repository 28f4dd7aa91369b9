#pragma once

#include "download/measurementtables.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

namespace kapstat::browse {
class BrowseState;
class ChartWindow;
class TableWindow;
} // namespace kapstat::browse
namespace kapstat::common {
class SettingsStore;
}
namespace kapstat::link {
class Prompter;
}
namespace kapstat::print {
class PrintOptionsWindow;
class QuickPreviewWindow;
} // namespace kapstat::print

namespace kapstat::app {

class DatabaseDirectoryDialog;
class ExportActions;
class MainWindow;

// The main window's browsing actions: opening a database, showing its tables, the condition
// filter, and the checks of the chart and print actions. It also keeps the main window's
// information panel and action states in step with the open database.
class BrowsingActions : public QObject
{
    Q_OBJECT

public:
    BrowsingActions(MainWindow& main, browse::BrowseState& state, link::Prompter& prompter,
                    common::SettingsStore& settings, DatabaseDirectoryDialog& directory,
                    QObject* parent = nullptr);

    browse::TableWindow& tableWindow(download::TableKind kind) const
    {
        return *m_windows[static_cast<int>(kind)];
    }
    print::QuickPreviewWindow& previewWindow() const { return *m_preview; }
    browse::ChartWindow& chartWindow() const { return *m_chart; }
    ExportActions& exportActions() const { return *m_export; }
    print::PrintOptionsWindow& printWindow() const { return *m_printWindow; }

    // "Otwórz pomiary".
    void openMeasurements();
    // Opens the selection file; a failure is shown and the open database stays.
    void openSelectionFile(const QString& path);
    // The free file choice; replaceable for tests. Returns the chosen path or "".
    void setFileChooser(std::function<QString(const QString& folder)> chooser)
    {
        m_chooseFile = std::move(chooser);
    }

    static QString folderNotChosenMessage();
    static QString nothingToChartMessage();
    static QString nothingToPrintMessage();

private:
    void connectActions();
    void onOpened();
    void onClosed();
    void chooseFreeFile();
    // "Drukuj wybrane wielkosci": the print source's records from its first to its last.
    void printSelectedQuantities();
    // The chart's buttons: its quantities printed, or its table exported, over the visible range
    // and through its limit test.
    void printChartRange();
    void exportChartRange();
    void showTable(download::TableKind kind);
    // The quick preview of the cell the user moved to; hidden when the column has none.
    void preview(download::TableKind kind, int row, const QString& column);
    void setBrowsingActionsEnabled(bool enabled, bool normReport);

    MainWindow& m_main;
    browse::BrowseState& m_state;
    link::Prompter& m_prompter;
    common::SettingsStore& m_settings;
    DatabaseDirectoryDialog& m_directory;
    std::array<browse::TableWindow*, 3> m_windows{};
    print::QuickPreviewWindow* m_preview = nullptr;
    browse::ChartWindow* m_chart = nullptr;
    ExportActions* m_export = nullptr;
    print::PrintOptionsWindow* m_printWindow = nullptr;
    std::function<QString(const QString&)> m_chooseFile;
};

} // namespace kapstat::app
