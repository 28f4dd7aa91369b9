#include "app/browsingactions.h"

#include "app/databasedirectorydialog.h"
#include "app/exportactions.h"
#include "app/mainwindow.h"
#include "browse/browsestate.h"
#include "browse/chartwindow.h"
#include "browse/exportlimits.h"
#include "browse/exportrecord.h"
#include "browse/recordpreview.h"
#include "browse/tablewindow.h"
#include "common/defaultfolders.h"
#include "common/settingsstore.h"
#include "link/prompter.h"
#include "print/printoptionswindow.h"
#include "print/printsourcetimes.h"
#include "print/quickpreviewwindow.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>

namespace kapstat::app {

namespace {

using download::TableKind;
using Name = common::SettingsStore::Name;

const char* const BrowsingActionNames[] = {"acExport2File", "acWykresRMS", "acDrukujWielkosci"};

} // namespace

BrowsingActions::BrowsingActions(MainWindow& main, browse::BrowseState& state,
                                 link::Prompter& prompter, common::SettingsStore& settings,
                                 DatabaseDirectoryDialog& directory, QObject* parent)
    : QObject(parent), m_main(main), m_state(state), m_prompter(prompter), m_settings(settings),
      m_directory(directory)
{
    QAction* conditionFilter = main.action(QStringLiteral("acPokazWarunekOnly"));
    for (TableKind kind : {TableKind::Rms, TableKind::Harm, TableKind::Zanik})
        m_windows[static_cast<int>(kind)] =
            new browse::TableWindow(kind, state, conditionFilter, &main);
    m_chart = new browse::ChartWindow(state, settings, &main);
    connect(m_chart, &browse::ChartWindow::printRequested, this, &BrowsingActions::printChartRange);
    connect(m_chart, &browse::ChartWindow::exportRequested, this,
            &BrowsingActions::exportChartRange);
    m_preview = new print::QuickPreviewWindow(&main);
    m_preview->setInitialFolder(common::DefaultFolders::ofThisProgram().dialogFolder());
    m_printWindow = new print::PrintOptionsWindow(state, settings, &main);
    for (browse::TableWindow* window : m_windows)
        connect(window, &browse::TableWindow::currentCellChanged, this, &BrowsingActions::preview);
    connect(&state, &browse::BrowseState::aboutToClose, m_preview, &QWidget::hide);
    // A click on the main window brings the tables forward, the measurements last (on top).
    main.setWindowsRaisedOnClick({m_windows[2], m_windows[1], m_windows[0]});
    m_chooseFile = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(&m_main, tr("Otwórz pomiary"), folder,
                                            tr("Bazy pomiarow (*.pom *.POM)"));
    };
    connectActions();
    m_export = new ExportActions(main, state, prompter, settings, m_windows, this);
    connect(&state, &browse::BrowseState::opened, this, &BrowsingActions::onOpened);
    connect(&state, &browse::BrowseState::closed, this, &BrowsingActions::onClosed);
    connect(&state, &browse::BrowseState::filterChanged, this, [this] {
        m_main.action(QStringLiteral("acPokazWarunekOnly"))->setChecked(m_state.conditionFilter());
    });
}

QString BrowsingActions::folderNotChosenMessage()
{
    return tr("Proszę najpierw wybrać miejsce założenia bazy pomiarów!");
}

QString BrowsingActions::nothingToChartMessage()
{
    return tr("Nie wybrano żadnej wielkości! Wybierz wielkosci do wykresu z tabel wyników.!");
}

QString BrowsingActions::nothingToPrintMessage()
{
    return tr("Nie wybrano żadnej wielkości! Wybierz wielkosci do wykdruku z tabel wyników.!");
}

void BrowsingActions::connectActions()
{
    auto onTriggered = [this](const char* name, auto handler) {
        connect(m_main.action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    onTriggered("acOtworzPomiary", [this] { openMeasurements(); });
    onTriggered("acTabelaRMS", [this] { showTable(TableKind::Rms); });
    onTriggered("acTabelaTHD", [this] { showTable(TableKind::Harm); });
    onTriggered("acPokazWarunekOnly",
                [this](bool checked) { m_state.setConditionFilter(checked); });
    onTriggered("acWykresRMS", [this] {
        if (m_state.chartSelection().isEmpty())
            m_prompter.ask(nothingToChartMessage(), -1, link::PromptButton::Close);
        else
            m_chart->exec();
    });
    onTriggered("acDrukujWielkosci", [this] { printSelectedQuantities(); });
}

void BrowsingActions::openMeasurements()
{
    if (m_main.databaseFolder() == MainWindow::databaseFolderPrompt()) {
        m_prompter.ask(folderNotChosenMessage(), -1, link::PromptButton::Close);
        return;
    }
    const QString openFile =
        m_main.informationPanel()->isVisible() ? m_state.selection().path : QString();
    const int ending = m_directory.run(m_main.databaseFolder(), openFile);
    if (ending == QDialog::Accepted)
        openSelectionFile(m_directory.chosenSelectionFile());
    else if (ending == DatabaseDirectoryDialog::FromFile)
        chooseFreeFile();
}

void BrowsingActions::chooseFreeFile()
{
    const QString path =
        m_chooseFile(m_settings.string(Name::MeasurementsPath).value_or(QString()));
    if (path.isEmpty())
        return;
    m_settings.setString(Name::MeasurementsPath, QFileInfo(path).absolutePath());
    openSelectionFile(path);
}

void BrowsingActions::printSelectedQuantities()
{
    if (m_state.printSelection().isEmpty()) {
        m_prompter.ask(nothingToPrintMessage(), -1, link::PromptButton::Close);
        return;
    }
    if (const auto times = print::printSourceTimes(m_state))
        m_printWindow->setRange(times->first, times->last);
    m_printWindow->openModally(browse::PrintKind::Measurements);
}

void BrowsingActions::printChartRange()
{
    const browse::ChartSelection& chart = m_state.chartSelection();
    browse::PrintSelection& selection = m_state.printSelection();
    selection.clear();
    selection.setSource(chart.table());
    QStringList columns;
    for (const browse::ChartSlot& slot : chart.slots())
        if (slot.isFilled() && !selection.contains(slot.column)) {
            selection.add(slot.column);
            columns << slot.column;
        }
    const auto [from, to] = m_chart->visibleRange();
    m_printWindow->setAllRecords(false);
    m_printWindow->setRange(from, to);
    if (m_chart->limits().anyOn())
        m_printWindow->setLimitTest(print::RecordLimitTest{
            columns, [this, columns](const QVector<QVariant>& values) {
                return m_chart->passesLimits([&](const QString& column) -> std::optional<double> {
                    const int i = static_cast<int>(columns.indexOf(column));
                    return i >= 0 && !values[i].isNull() ? std::optional(values[i].toDouble())
                                                         : std::nullopt;
                });
            }});
    m_printWindow->openModally(browse::PrintKind::Measurements);
    m_printWindow->setLimitTest(std::nullopt);
    m_state.clearPrintSelection();
}

void BrowsingActions::exportChartRange()
{
    const auto [from, to] = m_chart->visibleRange();
    browse::ExportLimits limits{from, to, {}};
    if (m_chart->limits().anyOn())
        limits.passes = [this](const browse::ExportRecord& record) {
            return m_chart->passesLimits(
                [&](const QString& column) { return record.value(column); });
        };
    m_export->exportChartRange(m_state.chartSelection().table(), limits);
}

void BrowsingActions::openSelectionFile(const QString& path)
{
    if (const auto problem = m_state.open(path))
        m_prompter.ask(*problem, -1, link::PromptButton::Close);
}

void BrowsingActions::showTable(TableKind kind)
{
    if (m_state.model(kind))
        tableWindow(kind).show();
}

void BrowsingActions::preview(TableKind kind, int row, const QString& column)
{
    const browse::PagedTableModel* model = m_state.model(kind);
    if (!model)
        return;
    const browse::RecordValues record = model->recordValues(row);
    const QString file = QFileInfo(m_state.selection().path).fileName();
    const auto content =
        kind == TableKind::Rms
            ? browse::rmsColumnPreview(record, column, file)
            : browse::harmonicsColumnPreview(record, column, m_state.phaseCountCode(), file);
    if (!content) {
        m_preview->hide();
        return;
    }
    m_preview->showContent(*content);
    // The table keeps the user's attention; the preview only follows it.
    tableWindow(kind).raise();
}

void BrowsingActions::onOpened()
{
    const browse::SelectionFile& selection = m_state.selection();
    m_main.showDatabaseInformation(selection.path, selection.serialNumber(), selection.received());
    setBrowsingActionsEnabled(true, m_state.normTestEnabled());
    m_main.action(QStringLiteral("acPokazWarunekOnly"))->setChecked(false);
    // The measurements end on top.
    for (TableKind kind : {TableKind::Zanik, TableKind::Harm, TableKind::Rms})
        if (m_state.model(kind))
            tableWindow(kind).raise();
}

void BrowsingActions::onClosed()
{
    m_main.hideDatabaseInformation();
    setBrowsingActionsEnabled(false, false);
}

void BrowsingActions::setBrowsingActionsEnabled(bool enabled, bool normReport)
{
    for (const char* name : BrowsingActionNames)
        m_main.action(QString::fromLatin1(name))->setEnabled(enabled);
    m_main.action(QStringLiteral("acNorma"))->setEnabled(normReport);
}

} // namespace kapstat::app
