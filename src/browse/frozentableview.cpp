#include "browse/frozentableview.h"

#include "browse/gridheader.h"
#include "browse/pagedtablemodel.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QTableView>

namespace kapstat::browse {

namespace {

QTableView* makeView(QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    // Both views keep a horizontal bar, so their rows stay level with each other.
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return view;
}

} // namespace

FrozenTableView::FrozenTableView(QWidget* parent)
    : QWidget(parent), m_frozen(makeView(this)), m_scrolling(makeView(this)),
      m_rowIndicator(new GridHeader(Qt::Vertical, m_frozen)),
      m_titles(new GridHeader(Qt::Horizontal, m_scrolling)),
      m_frozenTitles(new GridHeader(Qt::Horizontal, m_frozen))
{
    m_frozen->setVerticalHeader(m_rowIndicator);
    m_frozen->setHorizontalHeader(m_frozenTitles);
    m_scrolling->setHorizontalHeader(m_titles);
    m_scrolling->verticalHeader()->hide();
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->horizontalScrollBar()->setEnabled(false);
    m_frozenTitles->setSectionResizeMode(QHeaderView::Fixed);
    m_frozenTitles->setStyleSheet(QStringLiteral("QHeaderView::section { background: white; }"));
    const int rowHeight = fontMetrics().height() + 6;
    for (QTableView* view : {m_frozen, m_scrolling}) {
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(rowHeight);
    }
    m_rowIndicator->setFixedWidth(14);
    connect(m_scrolling->verticalScrollBar(), &QScrollBar::valueChanged,
            m_frozen->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_frozen->verticalScrollBar(), &QScrollBar::valueChanged,
            m_scrolling->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_titles, &QHeaderView::sectionClicked, this, &FrozenTableView::titleClicked);
    connect(m_frozenTitles, &QHeaderView::sectionClicked, this, &FrozenTableView::titleClicked);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_frozen);
    layout->addWidget(m_scrolling, 1);
}

void FrozenTableView::setModel(PagedTableModel* model)
{
    m_model = model;
    m_frozen->setModel(model);
    m_scrolling->setModel(model);
    if (!model)
        return;
    // One selection for both views: the current cell is wherever the user put it.
    QItemSelectionModel* own = m_scrolling->selectionModel();
    m_scrolling->setSelectionModel(m_frozen->selectionModel());
    delete own;
    connect(m_frozen->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                m_rowIndicator->setCurrentRow(current.row());
                Q_EMIT currentChanged(current);
            });
    // A new filter resets the model; the first record becomes current again.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_rowIndicator->setCurrentRow(-1);
        layOutColumns();
    });
    layOutColumns();
}

void FrozenTableView::layOutColumns()
{
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < m_model->columnCount(); ++i) {
        const DisplayColumn& column = m_model->column(i);
        m_frozen->setColumnHidden(i, !column.leading || column.hidden);
        m_scrolling->setColumnHidden(i, column.leading || column.hidden);
        const int width = column.width * charWidth + 10;
        m_frozen->setColumnWidth(i, width);
        m_scrolling->setColumnWidth(i, width);
    }
    fitFrozenWidth();
}

void FrozenTableView::fitFrozenWidth()
{
    int width = m_frozen->verticalHeader()->width() + 2 * m_frozen->frameWidth();
    for (int i = 0; i < m_model->columnCount(); ++i)
        if (!m_frozen->isColumnHidden(i))
            width += m_frozen->columnWidth(i);
    m_frozen->setFixedWidth(width);
}

void FrozenTableView::setItemDelegate(QAbstractItemDelegate* delegate)
{
    m_frozen->setItemDelegate(delegate);
    m_scrolling->setItemDelegate(delegate);
}

void FrozenTableView::setColumnsResizable(bool resizable)
{
    m_titles->setSectionResizeMode(resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
}

QModelIndex FrozenTableView::currentIndex() const
{
    return m_frozen->selectionModel() ? m_frozen->selectionModel()->currentIndex() : QModelIndex();
}

void FrozenTableView::setCurrentIndex(const QModelIndex& index)
{
    QTableView* view = m_model && index.isValid() && m_model->column(index.column()).leading
                           ? m_frozen
                           : m_scrolling;
    view->setCurrentIndex(index);
}

void FrozenTableView::repaint()
{
    for (QTableView* view : {m_frozen, m_scrolling}) {
        view->viewport()->update();
        view->horizontalHeader()->viewport()->update();
    }
}

} // namespace kapstat::browse
