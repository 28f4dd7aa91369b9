#include "app/exportactions.h"

#include "app/mainwindow.h"
#include "browse/browsestate.h"
#include "browse/exportlimits.h"
#include "browse/tablewindow.h"
#include "browse/textexport.h"
#include "common/defaultfolders.h"
#include "common/settingsstore.h"
#include "link/prompter.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

namespace kapstat::app {

namespace {

using download::TableKind;
using Name = common::SettingsStore::Name;

QString chooseSaveFile(QWidget* parent, const QString& folder)
{
    QFileDialog dialog(parent, ExportActions::tr("Eksport do pliku PRN"), folder,
                       ExportActions::tr("Pliki tekstowe (*.prn *.PRN)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("prn"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

ExportActions::ExportActions(MainWindow& main, browse::BrowseState& state, link::Prompter& prompter,
                             common::SettingsStore& settings,
                             const std::array<browse::TableWindow*, 3>& windows, QObject* parent)
    : QObject(parent), m_main(main), m_state(state), m_prompter(prompter), m_settings(settings),
      m_windows(windows), m_chooseFile(chooseSaveFile)
{
    connect(main.action(QStringLiteral("acExport2File")), &QAction::triggered, this,
            &ExportActions::exportShownTables);
    for (browse::TableWindow* window : m_windows)
        connect(window, &browse::TableWindow::exportRequested, this, &ExportActions::exportTable);
}

QString ExportActions::chooseInExportFolder()
{
    const QString chosen =
        m_chooseFile(&m_main, m_settings.string(Name::ExportPath).value_or(QString()));
    if (!chosen.isEmpty())
        m_settings.setString(Name::ExportPath, QFileInfo(chosen).absolutePath());
    return chosen;
}

void ExportActions::exportShownTables()
{
    const QString chosen = chooseInExportFolder();
    if (chosen.isEmpty())
        return;
    QList<TableKind> shown;
    for (TableKind kind : {TableKind::Rms, TableKind::Harm, TableKind::Zanik})
        if (m_state.table(kind) && window(kind).isVisible())
            shown << kind;
    run([&] { return browse::TextExport::exportTables(m_state, shown, chosen); });
}

void ExportActions::exportTable(TableKind kind)
{
    const browse::PagedTableModel* model = m_state.model(kind);
    // The events are exported even when there are none (a file of titles); the others need rows.
    if (!model || (kind != TableKind::Zanik && model->rowCount() == 0))
        return;
    const QString chosen =
        m_chooseFile(&window(kind), common::DefaultFolders::ofThisProgram().dialogFolder());
    if (chosen.isEmpty())
        return;
    const QString path = browse::TextExport::fileForOneTable(chosen, kind);
    run([&] {
        return browse::TextExport::exportTable(*m_state.table(kind), m_state.filter(), path);
    });
}

void ExportActions::exportChartRange(TableKind kind, const browse::ExportLimits& limits)
{
    const QString chosen = chooseInExportFolder();
    if (chosen.isEmpty())
        return;
    const QString path = browse::TextExport::fileForAllTables(chosen, kind);
    run([&] {
        return browse::TextExport::exportTable(*m_state.table(kind), m_state.filter(), path,
                                               limits);
    });
}

void ExportActions::run(const std::function<browse::ExportOutcome()>& work)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const browse::ExportOutcome outcome = work();
    QGuiApplication::restoreOverrideCursor();
    if (outcome.error)
        m_prompter.ask(*outcome.error, -1, link::PromptButton::Close);
}

} // namespace kapstat::app
