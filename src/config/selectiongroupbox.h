#pragma once

#include <QGroupBox>
#include <QList>

class QGridLayout;

namespace kapstat::config {

class SelectionIndicators;

// One indicator (and caption) of the selection list; for a row of four statistics, the entry of
// its first statistic.
struct SelectionRow
{
    QString caption;
    int entry;
};

// A group of selection indicators: blocks of four-statistic rows under the columns "Min.",
// "Max.", "Śred.", "Chwil.", side by side, and single entries with their captions.
class SelectionGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    SelectionGroupBox(const QString& title, SelectionIndicators& indicators,
                      QWidget* parent = nullptr);

    // A block of rows to the right of the blocks added before.
    void addRowBlock(const QList<SelectionRow>& rows);
    // Entries outside the rows, one under the other, to the right of what is there.
    void addEntries(const QList<SelectionRow>& entries);
    // Any other control, under everything added so far.
    void addBelow(QWidget* widget);

private:
    int nextColumn() const;

    SelectionIndicators& m_indicators;
    QGridLayout* m_grid;
};

} // namespace kapstat::config
