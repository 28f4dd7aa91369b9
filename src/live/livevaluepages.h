#pragma once

#include "live/livevalues.h"

#include <QList>
#include <QWidget>
#include <array>

class QLabel;

namespace kapstat::live {

class ValueFieldLabel;

// The two value pages, "Pomiary chwilowe sumaryczne" and "Pomiary chwilowe fazowe", filled
// from a LiveValuesView.
class LiveValuePages : public QObject
{
    Q_OBJECT

public:
    explicit LiveValuePages(QObject* parent = nullptr);

    QWidget* totalsPage() const { return m_totalsPage; }
    QWidget* phasesPage() const { return m_phasesPage; }

    void show(const LiveValuesView& view);
    // Every value field " 0,00", the energies "000000,0".
    void reset();

    // For tests: row r of the totals page, row r and column c of the per-phase page.
    ValueFieldLabel* totalsValue(int row) const { return m_totals[row].value; }
    QLabel* totalsCaption(int row) const { return m_totals[row].caption; }
    QLabel* totalsUnit(int row) const { return m_totals[row].unit; }
    ValueFieldLabel* phaseValue(int row, int column) const;

private:
    struct Row
    {
        QLabel* caption = nullptr;
        ValueFieldLabel* value = nullptr;
        QLabel* unit = nullptr;
    };
    void buildTotalsPage();
    void buildPhasesPage();

    QWidget* m_totalsPage = nullptr;
    QWidget* m_phasesPage = nullptr;
    QList<Row> m_totals;
    QList<std::array<Row, PhaseColumnCount>> m_phases;
};

} // namespace kapstat::live
