#pragma once

#include "download/measurementtables.h"

#include <QWidget>

class QAction;
class QMenu;

namespace kapstat::browse {

class BrowseState;
class FrozenTableView;
class TableCellDelegate;

// One table of the open database in a read-only grid: "Wyniki pomiarów" (RMS), "Wyniki pomiarów
// odkształceń" (harmonics) or "Przerwy i przepięcia" (events). Created once; shown while its
// table is open. Closing it closes the whole database.
class TableWindow : public QWidget
{
    Q_OBJECT

public:
    // conditionFilter: the main window's "Pokaż tylko przekroczenia warunków", offered in the
    // context menus of the RMS and harmonics tables.
    TableWindow(download::TableKind kind, BrowseState& state, QAction* conditionFilter,
                QWidget* parent = nullptr);

    download::TableKind kind() const { return m_kind; }
    FrozenTableView* grid() const { return m_grid; }
    // The context menu as it stands now (built anew each time it opens).
    QMenu* buildContextMenu();

    static QString titleOf(download::TableKind kind);

Q_SIGNALS:
    // The current cell moved while the window is shown: the preview follows it.
    void currentCellChanged(download::TableKind kind, int row, const QString& column);
    void exportRequested(download::TableKind kind);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void attach();
    void detach();
    QString currentColumn() const;
    int currentRow() const;
    void addChartItems(QMenu* menu);
    void addPrintItems(QMenu* menu);
    void addPhaseMenu(QMenu* menu);
    void onTitleClicked(int column);
    void reportCurrentCell();

    download::TableKind m_kind;
    BrowseState& m_state;
    QAction* m_conditionFilter;
    FrozenTableView* m_grid;
    TableCellDelegate* m_delegate;
};

} // namespace kapstat::browse
