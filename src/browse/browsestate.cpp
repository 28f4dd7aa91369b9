#include "browse/browsestate.h"

#include "common/datetimetext.h"
#include "config/configurationmodel.h"
#include "config/settingsfile.h"
#include "link/prompter.h"

#include <QCoreApplication>
#include <QFile>

namespace kapstat::browse {

namespace {

using download::TableKind;

constexpr std::array<TableKind, 3> Kinds{TableKind::Rms, TableKind::Harm, TableKind::Zanik};

QString settingsSuffix()
{
    return QStringLiteral(".CONF.ust");
}

// "yyyy-MM-dd hh:mm:ss" as stored → "dd-MM-yy hh:mm:ss".
QString measurementTime(const QVariant& stored)
{
    const QDateTime moment = common::DateTimeText::parseDateTime(stored.toString());
    return moment.isValid() ? moment.toString(QStringLiteral("dd-MM-yy hh:mm:ss")) : QString();
}

// The phase menu item (0..2) of a harmonics record's phase text "L1".."L3"; -1 for any other.
int phaseItemOf(const QString& phase)
{
    const int item =
        phase.size() == 2 && phase.startsWith(QLatin1Char('L')) ? phase.at(1).digitValue() - 1 : -1;
    return item >= 0 && item < 3 ? item : -1;
}

int slotOf(TableKind kind)
{
    return static_cast<int>(kind);
}

} // namespace

struct BrowseState::Tables
{
    std::array<std::unique_ptr<BrowseTable>, 3> tables;
    // Declared after the tables, so they go first: each reads its table.
    std::array<std::unique_ptr<PagedTableModel>, 3> models;
};

BrowseState::BrowseState(config::ConfigurationModel& configuration, link::Prompter& prompter,
                         QObject* parent)
    : QObject(parent), m_configuration(configuration), m_prompter(prompter),
      m_tables(std::make_unique<Tables>())
{
}

BrowseState::~BrowseState() = default;

QString BrowseState::chartFullMessage()
{
    return tr("Można wybrać maksymalnie 4 wielkosci!");
}

QString BrowseState::printFullMessage()
{
    return tr("Można wybrać maksymalnie 6 wielkosci!");
}

std::optional<QString> BrowseState::open(const QString& selectionFile)
{
    clearChartSelection();
    clearPrintSelection();
    QString error;
    const auto selection = SelectionFile::read(selectionFile, &error);
    if (!selection)
        return error;
    const QString base = selection->databaseBase();
    // Everything is read and checked before the open database is touched: a damaged file leaves
    // it, and the configuration, as they were.
    config::ConfigurationModel loaded;
    if (auto problem = config::SettingsFile::load(loaded, base + settingsSuffix()))
        return problem;
    const auto norm = NormParameterSet::from(loaded.configuration(), &error);
    if (!norm)
        return error;
    auto tables = std::make_unique<Tables>();
    bool anyTable = false;
    for (TableKind kind : Kinds) {
        const QString path = base + download::tableSuffix(kind);
        if (!QFile::exists(path))
            continue;
        auto& table = tables->tables[slotOf(kind)];
        table = BrowseTable::open(kind, path, &error);
        if (!table)
            return error;
        anyTable = true;
    }
    if (!anyTable)
        return tr("Zbiór pomiarów %1 nie zawiera żadnej tabeli pomiarów.").arg(selectionFile);

    close();
    config::SettingsFile::load(m_configuration, base + settingsSuffix());
    m_selection = *selection;
    m_system = loaded.configuration().measuringSystem;
    m_normTest = loaded.configuration().normMode();
    m_defaultNorm = loaded.configuration().isDefaultNorm();
    m_norm = *norm;
    m_chart.setSystemPhaseCount(phaseCountCode());
    setUpPhaseItems();
    m_filter = RecordFilter{};
    m_tables = std::move(tables);
    for (TableKind kind : Kinds)
        if (BrowseTable* table = this->table(kind))
            m_tables->models[slotOf(kind)] = std::make_unique<PagedTableModel>(*table, filter());
    readRmsBounds();
    m_open = true;
    Q_EMIT opened();
    return std::nullopt;
}

void BrowseState::close()
{
    if (!m_open)
        return;
    Q_EMIT aboutToClose();
    m_tables = std::make_unique<Tables>();
    m_filter.dayStart.reset();
    m_open = false;
    Q_EMIT closed();
}

double BrowseState::nominalVoltage() const
{
    return m_unStation >= 1 && m_unStation <= config::StationCount
               ? m_norm.stations[m_unStation - 1].un
               : 0;
}

BrowseTable* BrowseState::table(TableKind kind) const
{
    return m_tables->tables[slotOf(kind)].get();
}

PagedTableModel* BrowseState::model(TableKind kind) const
{
    return m_tables->models[slotOf(kind)].get();
}

RecordFilter BrowseState::filter() const
{
    RecordFilter filter = m_filter;
    for (int phase = 0; phase < 3; ++phase)
        filter.phaseShown[phase] = m_phases[phase].checked;
    return filter;
}

void BrowseState::setConditionFilter(bool on)
{
    m_filter.conditionOnly = on;
    applyFilter();
}

void BrowseState::togglePhase(int phase)
{
    if (phase < 0 || phase > 2 || !m_phases[phase].enabled)
        return;
    m_phases[phase].checked = !m_phases[phase].checked;
    Q_EMIT phaseItemsChanged();
    applyFilter();
}

void BrowseState::checkEnabledPhaseItems()
{
    for (PhaseItem& item : m_phases)
        if (item.enabled)
            item.checked = true;
    Q_EMIT phaseItemsChanged();
    applyFilter();
}

void BrowseState::setComputingDay(std::optional<QDateTime> dayStart)
{
    m_filter.dayStart = dayStart;
    applyFilter();
}

void BrowseState::applyFilter()
{
    for (TableKind kind : {TableKind::Rms, TableKind::Harm})
        if (PagedTableModel* model = this->model(kind))
            model->setFilter(filter());
    Q_EMIT filterChanged();
}

void BrowseState::setUpPhaseItems()
{
    const int phases = phaseCountCode();
    for (int phase = 0; phase < 3; ++phase)
        m_phases[phase] = {phase < phases, phase < phases};
    Q_EMIT phaseItemsChanged();
}

void BrowseState::readRmsBounds()
{
    BrowseTable* rms = table(TableKind::Rms);
    if (!rms)
        return;
    const auto last = rms->lastRow({});
    const auto first = rms->firstRow({});
    const int dic = rms->columnIndex(QStringLiteral("DiC"));
    m_lastMeasurement = last ? measurementTime(last->values[dic]) : QString();
    m_firstMeasurement = first ? measurementTime(first->values[dic]) : QString();
    if (first)
        m_unStation = static_cast<int>(first->key.station);
}

bool BrowseState::isLeading(TableKind kind, const QString& column) const
{
    return leadingFields(kind).contains(column);
}

bool BrowseState::hasRecords(TableKind kind) const
{
    const PagedTableModel* model = this->model(kind);
    return model && model->rowCount() > 0;
}

ToggleOutcome BrowseState::toggleChart(TableKind kind, int row, const QString& column,
                                       bool fromTitle)
{
    ToggleOutcome outcome = ToggleOutcome::Ignored;
    if (kind == TableKind::Rms)
        outcome = toggleRmsChart(row, column, fromTitle);
    else if (kind == TableKind::Harm)
        outcome = toggleHarmonicsChart(row, column);
    if (outcome == ToggleOutcome::Full)
        m_prompter.ask(chartFullMessage(), -1, link::PromptButton::Close);
    if (outcome == ToggleOutcome::Added || outcome == ToggleOutcome::Removed)
        Q_EMIT chartSelectionChanged();
    return outcome;
}

ToggleOutcome BrowseState::toggleRmsChart(int /*row*/, const QString& column, bool fromTitle)
{
    if (isLeading(TableKind::Rms, column))
        return ToggleOutcome::Ignored;
    if (!fromTitle && (!hasRecords(TableKind::Rms) || column.startsWith(QLatin1String("Probki"))))
        return ToggleOutcome::Ignored;
    if (m_chart.contains(column, ChartSelection::RmsPhase)) {
        m_chart.remove(column, ChartSelection::RmsPhase);
        return ToggleOutcome::Removed;
    }
    return addToChart(TableKind::Rms, column, ChartSelection::RmsPhase);
}

ToggleOutcome BrowseState::toggleHarmonicsChart(int row, const QString& column)
{
    if (!hasRecords(TableKind::Harm) || isLeading(TableKind::Harm, column) ||
        column == QLatin1String("BUL1"))
        return ToggleOutcome::Ignored;
    const QString phase = model(TableKind::Harm)->value(row, QStringLiteral("Faza")).toString();
    const int item = phaseItemOf(phase);
    if (m_chart.contains(column, phase)) {
        m_chart.remove(column, phase);
        if (item >= 0)
            m_phases[item].enabled = true;
        Q_EMIT phaseItemsChanged();
        return ToggleOutcome::Removed;
    }
    const ToggleOutcome outcome = addToChart(TableKind::Harm, column, phase);
    if (outcome == ToggleOutcome::Added && item >= 0) {
        // A charted phase cannot be hidden.
        m_phases[item].enabled = false;
        Q_EMIT phaseItemsChanged();
    }
    return outcome;
}

ToggleOutcome BrowseState::addToChart(TableKind kind, const QString& column, const QString& phase)
{
    if (m_chart.table() != kind) {
        clearChartSelection();
        m_chart.setTable(kind);
    }
    return m_chart.add(column, phase) ? ToggleOutcome::Added : ToggleOutcome::Full;
}

ToggleOutcome BrowseState::togglePrint(TableKind kind, int /*row*/, const QString& column)
{
    const bool needsRecords = kind != TableKind::Zanik;
    const bool excluded = kind == TableKind::Rms    ? column.startsWith(QLatin1String("Probki"))
                          : kind == TableKind::Harm ? column == QLatin1String("BUL1")
                                                    : false;
    if (isLeading(kind, column) || excluded || (needsRecords && !hasRecords(kind)))
        return ToggleOutcome::Ignored;
    ToggleOutcome outcome = ToggleOutcome::Removed;
    if (m_print.contains(column))
        m_print.remove(column);
    else {
        if (m_print.source() != kind) {
            m_print.clear();
            m_print.setSource(kind);
        }
        outcome = m_print.add(column) ? ToggleOutcome::Added : ToggleOutcome::Full;
    }
    if (outcome == ToggleOutcome::Full)
        m_prompter.ask(printFullMessage(), -1, link::PromptButton::Close);
    Q_EMIT printSelectionChanged();
    return outcome;
}

void BrowseState::clearChartSelection()
{
    for (const QString& phase : m_chart.clear()) {
        if (const int item = phaseItemOf(phase); item >= 0)
            m_phases[item].enabled = true;
    }
    Q_EMIT phaseItemsChanged();
    Q_EMIT chartSelectionChanged();
}

void BrowseState::clearPrintSelection()
{
    m_print.clear();
    Q_EMIT printSelectionChanged();
}

} // namespace kapstat::browse
