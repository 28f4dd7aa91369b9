#pragma once

#include "browse/browsetable.h"
#include "browse/chartselection.h"
#include "browse/normparameterset.h"
#include "browse/pagedtablemodel.h"
#include "browse/printselection.h"
#include "browse/selectionfile.h"
#include "config/measuringsystem.h"

#include <QObject>
#include <array>
#include <memory>
#include <optional>

namespace kapstat::config {
class ConfigurationModel;
}
namespace kapstat::link {
class Prompter;
}

namespace kapstat::browse {

// An item of the harmonics window's phase menu.
struct PhaseItem
{
    bool checked = true;
    bool enabled = true;
};

// What a chart or print toggle did.
enum class ToggleOutcome
{
    Ignored,
    Added,
    Removed,
    Full
};

// The open measurement database and everything the browsing windows share about it: its header,
// tables and models, the record filter, the norm parameters, and the chart and print selections.
// One instance for the program's run; opening another database passes through closed.
class BrowseState : public QObject
{
    Q_OBJECT

public:
    BrowseState(config::ConfigurationModel& configuration, link::Prompter& prompter,
                QObject* parent = nullptr);
    ~BrowseState() override;

    // Opens the database of the selection file. On failure shows nothing, returns the message,
    // and the database open before stays open.
    std::optional<QString> open(const QString& selectionFile);
    void close();
    bool isOpen() const { return m_open; }

    const SelectionFile& selection() const { return m_selection; }
    config::MeasuringSystem system() const { return m_system; }
    // 1 single phase, 2 delta, 3 star.
    int phaseCountCode() const { return config::phaseCount(m_system); }
    bool normTestEnabled() const { return m_normTest; }
    bool defaultNorm() const { return m_defaultNorm; }
    const NormParameterSet& norm() const { return m_norm; }
    QString firstMeasurement() const { return m_firstMeasurement; } // "dd-MM-yy hh:mm:ss"
    QString lastMeasurement() const { return m_lastMeasurement; }
    int nominalVoltageStation() const { return m_unStation; }
    double nominalVoltage() const;

    BrowseTable* table(download::TableKind kind) const;
    PagedTableModel* model(download::TableKind kind) const;

    // The filters.
    RecordFilter filter() const;
    bool conditionFilter() const { return m_filter.conditionOnly; }
    void setConditionFilter(bool on);
    const PhaseItem& phaseItem(int phase) const { return m_phases[phase]; } // 0..2 for L1..L3
    void togglePhase(int phase);
    // Checks every enabled phase item, so the harmonics table shows all the phases it may.
    void checkEnabledPhaseItems();
    // The time chart's computing day from its start; nullopt switches it off.
    void setComputingDay(std::optional<QDateTime> dayStart);

    // The selections and their toggles (row: the grid's current row).
    const ChartSelection& chartSelection() const { return m_chart; }
    const PrintSelection& printSelection() const { return m_print; }
    PrintSelection& printSelection() { return m_print; }
    ToggleOutcome toggleChart(download::TableKind kind, int row, const QString& column,
                              bool fromTitle = false);
    ToggleOutcome togglePrint(download::TableKind kind, int row, const QString& column);
    void clearChartSelection();
    void clearPrintSelection();

    static QString chartFullMessage();
    static QString printFullMessage();

Q_SIGNALS:
    void aboutToClose();
    void closed();
    void opened();
    void filterChanged();
    void phaseItemsChanged();
    void chartSelectionChanged();
    void printSelectionChanged();

private:
    struct Tables;

    bool isLeading(download::TableKind kind, const QString& column) const;
    bool hasRecords(download::TableKind kind) const;
    void applyFilter();
    void setUpPhaseItems();
    void readRmsBounds();
    ToggleOutcome toggleRmsChart(int row, const QString& column, bool fromTitle);
    ToggleOutcome toggleHarmonicsChart(int row, const QString& column);
    ToggleOutcome addToChart(download::TableKind kind, const QString& column, const QString& phase);

    config::ConfigurationModel& m_configuration;
    link::Prompter& m_prompter;
    bool m_open = false;
    SelectionFile m_selection;
    config::MeasuringSystem m_system = config::MeasuringSystem::Star;
    bool m_normTest = false;
    bool m_defaultNorm = false;
    NormParameterSet m_norm;
    QString m_firstMeasurement;
    QString m_lastMeasurement;
    int m_unStation = 1;
    RecordFilter m_filter;
    std::array<PhaseItem, 3> m_phases{};
    ChartSelection m_chart;
    PrintSelection m_print;
    std::unique_ptr<Tables> m_tables;
};

} // namespace kapstat::browse
