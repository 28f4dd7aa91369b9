#pragma once

#include <QModelIndex>
#include <QWidget>

class QAbstractItemDelegate;
class QTableView;

namespace kapstat::browse {

class GridHeader;
class PagedTableModel;

// A read-only grid whose leading columns stay in place while the others scroll: two views over
// one model and one selection, the left one holding the leading columns.
class FrozenTableView : public QWidget
{
    Q_OBJECT

public:
    explicit FrozenTableView(QWidget* parent = nullptr);

    // nullptr detaches the grid from a model about to go.
    void setModel(PagedTableModel* model);
    PagedTableModel* model() const { return m_model; }
    void setItemDelegate(QAbstractItemDelegate* delegate);
    void setColumnsResizable(bool resizable);

    QTableView* frozenView() const { return m_frozen; }
    QTableView* scrollingView() const { return m_scrolling; }
    GridHeader* titles() const { return m_titles; }
    QModelIndex currentIndex() const;
    void setCurrentIndex(const QModelIndex& index);
    void repaint();

Q_SIGNALS:
    void currentChanged(const QModelIndex& current);
    void titleClicked(int column);

private:
    void layOutColumns();
    void fitFrozenWidth();

    PagedTableModel* m_model = nullptr;
    QTableView* m_frozen;
    QTableView* m_scrolling;
    GridHeader* m_rowIndicator;
    GridHeader* m_titles;
    GridHeader* m_frozenTitles;
};

} // namespace kapstat::browse
