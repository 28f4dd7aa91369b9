#include "config/selectiongroupbox.h"

#include "config/selectionindicator.h"
#include "config/selectionindicators.h"

#include <QGridLayout>
#include <QLabel>

namespace kapstat::config {

namespace {

constexpr int Statistics = 4;
constexpr int BlockGap = 24;

} // namespace

SelectionGroupBox::SelectionGroupBox(const QString& title, SelectionIndicators& indicators,
                                     QWidget* parent)
    : QGroupBox(title, parent), m_indicators(indicators), m_grid(new QGridLayout(this))
{
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(4);
}

int SelectionGroupBox::nextColumn() const
{
    return m_grid->columnCount() == 1 && m_grid->count() == 0 ? 0 : m_grid->columnCount() + 1;
}

void SelectionGroupBox::addRowBlock(const QList<SelectionRow>& rows)
{
    const int first = nextColumn();
    if (first > 0)
        m_grid->setColumnMinimumWidth(first - 1, BlockGap);
    const QString headers[Statistics] = {tr("Min."), tr("Max."), tr("Śred."), tr("Chwil.")};
    for (int s = 0; s < Statistics; ++s)
        m_grid->addWidget(new QLabel(headers[s], this), 0, first + 1 + s, Qt::AlignHCenter);
    for (int r = 0; r < rows.size(); ++r) {
        m_grid->addWidget(new QLabel(rows[r].caption, this), r + 1, first);
        for (int s = 0; s < Statistics; ++s)
            m_grid->addWidget(m_indicators.create(rows[r].entry + s, {}, this), r + 1,
                              first + 1 + s, Qt::AlignHCenter);
    }
}

void SelectionGroupBox::addEntries(const QList<SelectionRow>& entries)
{
    const int column = nextColumn();
    for (int r = 0; r < entries.size(); ++r)
        m_grid->addWidget(m_indicators.create(entries[r].entry, entries[r].caption, this), r,
                          column, Qt::AlignLeft);
    m_grid->setColumnStretch(column, 1);
}

void SelectionGroupBox::addBelow(QWidget* widget)
{
    m_grid->addWidget(widget, m_grid->rowCount(), 0, 1, -1);
}

} // namespace kapstat::config
