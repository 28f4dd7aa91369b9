#include "browse/tablewindow.h"

#include "browse/browsestate.h"
#include "browse/cellstyle.h"
#include "browse/frozentableview.h"
#include "browse/gridheader.h"
#include "browse/tablecelldelegate.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace kapstat::browse {

using download::TableKind;

TableWindow::TableWindow(TableKind kind, BrowseState& state, QAction* conditionFilter,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), m_kind(kind), m_state(state), m_conditionFilter(conditionFilter),
      m_grid(new FrozenTableView(this)), m_delegate(new TableCellDelegate(kind, state, this))
{
    setWindowTitle(titleOf(kind));
    resize(900, 460);
    m_grid->setItemDelegate(m_delegate);
    m_grid->setColumnsResizable(kind != TableKind::Harm);
    m_grid->titles()->setBoldSection([this](int column) {
        const PagedTableModel* model = m_grid->model();
        return model && isPrintColumn(m_kind, model->column(column).name, m_state.printSelection());
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);

    connect(m_grid, &FrozenTableView::titleClicked, this, &TableWindow::onTitleClicked);
    connect(m_grid, &FrozenTableView::currentChanged, this, &TableWindow::reportCurrentCell);
    connect(&m_state, &BrowseState::opened, this, &TableWindow::attach);
    connect(&m_state, &BrowseState::aboutToClose, this, &TableWindow::detach);
    for (auto changed : {&BrowseState::chartSelectionChanged, &BrowseState::printSelectionChanged})
        connect(&m_state, changed, m_grid, &FrozenTableView::repaint);
}

QString TableWindow::titleOf(TableKind kind)
{
    switch (kind) {
    case TableKind::Rms:
        return tr("Wyniki pomiarów");
    case TableKind::Harm:
        return tr("Wyniki pomiarów odkształceń");
    case TableKind::Zanik:
        break;
    }
    return tr("Przerwy i przepięcia");
}

void TableWindow::attach()
{
    PagedTableModel* model = m_state.model(m_kind);
    m_grid->setModel(model);
    if (!model)
        return;
    if (model->rowCount() > 0)
        m_grid->setCurrentIndex(model->index(0, 0));
    show();
}

void TableWindow::detach()
{
    m_grid->setModel(nullptr);
    hide();
}

void TableWindow::showEvent(QShowEvent* event)
{
    // The chart is chosen afresh whenever the measurements are shown.
    if (m_kind == TableKind::Rms && !event->spontaneous())
        m_state.clearChartSelection();
    QWidget::showEvent(event);
}

void TableWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_state.close();
}

int TableWindow::currentRow() const
{
    return m_grid->currentIndex().row();
}

QString TableWindow::currentColumn() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() && m_grid->model() ? m_grid->model()->column(index.column()).name
                                              : QString();
}

void TableWindow::reportCurrentCell()
{
    if (isVisible() && m_kind != TableKind::Zanik && m_grid->currentIndex().isValid())
        Q_EMIT currentCellChanged(m_kind, currentRow(), currentColumn());
}

void TableWindow::onTitleClicked(int column)
{
    // Only the measurements table charts by its titles.
    if (m_kind != TableKind::Rms || !m_grid->model())
        return;
    m_state.toggleChart(m_kind, currentRow(), m_grid->model()->column(column).name, true);
}

void TableWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_grid->model())
        return;
    QMenu* menu = buildContextMenu();
    menu->exec(event->globalPos());
    menu->deleteLater();
}

QMenu* TableWindow::buildContextMenu()
{
    auto* menu = new QMenu(this);
    if (m_kind == TableKind::Harm) {
        addPhaseMenu(menu);
        menu->addSeparator();
    }
    if (m_kind != TableKind::Zanik) {
        addChartItems(menu);
        menu->addSeparator();
    }
    addPrintItems(menu);
    menu->addSeparator();
    QAction* exportItem = menu->addAction(tr("Eksport do pliku PRN..."));
    connect(exportItem, &QAction::triggered, this, [this] { Q_EMIT exportRequested(m_kind); });
    if (m_kind != TableKind::Zanik && m_conditionFilter)
        menu->addAction(m_conditionFilter);
    return menu;
}

void TableWindow::addPhaseMenu(QMenu* menu)
{
    QMenu* phases = menu->addMenu(tr("Pokaz fazy"));
    for (int phase = 0; phase < 3; ++phase) {
        QAction* item = phases->addAction(QStringLiteral("L%1").arg(phase + 1));
        item->setCheckable(true);
        item->setChecked(m_state.phaseItem(phase).checked);
        item->setEnabled(m_state.phaseItem(phase).enabled);
        connect(item, &QAction::triggered, this, [this, phase] { m_state.togglePhase(phase); });
    }
}

void TableWindow::addChartItems(QMenu* menu)
{
    connect(menu->addAction(tr("Zaznaczenie do wykresu")), &QAction::triggered, this,
            [this] { m_state.toggleChart(m_kind, currentRow(), currentColumn()); });
    connect(menu->addAction(tr("Usuń wszystkie zaznaczenia do wykresu")), &QAction::triggered, this,
            [this] { m_state.clearChartSelection(); });
}

void TableWindow::addPrintItems(QMenu* menu)
{
    connect(menu->addAction(tr("Zaznaczenie do wydruku")), &QAction::triggered, this,
            [this] { m_state.togglePrint(m_kind, currentRow(), currentColumn()); });
    connect(menu->addAction(tr("Usuń wszystkie zaznaczenia do wydruku")), &QAction::triggered, this,
            [this] { m_state.clearPrintSelection(); });
}

} // namespace kapstat::browse
