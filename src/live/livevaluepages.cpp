#include "live/livevaluepages.h"

#include "live/valuefieldlabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace kapstat::live {

namespace {

constexpr int UnitWidth = 48;
constexpr int EnergyRows = 5;

struct Section
{
    const char* title;
    int firstRow;
    int rows;
    int column; // 0 left, 1 right
};

// The totals page's rows (as LiveValuesView lists them) under their section titles.
const Section Sections[] = {
    {QT_TRANSLATE_NOOP("LiveValuePages", "Wartości sumaryczne"), 0, 15, 0},
    {QT_TRANSLATE_NOOP("LiveValuePages", "Składowe symetryczne napięcia"), 15, 4, 1},
    {QT_TRANSLATE_NOOP("LiveValuePages", "Składowa zerowa prądu"), 19, 1, 1},
    {QT_TRANSLATE_NOOP("LiveValuePages", "Częstotliwość napięcia"), 20, 1, 1},
    {QT_TRANSLATE_NOOP("LiveValuePages", "Energie"), 21, EnergyRows, 1},
};
constexpr int UnbalanceRow = 18;
constexpr int FirstEnergyRow = 21;

QLabel* unitLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedWidth(UnitWidth);
    return label;
}

} // namespace

LiveValuePages::LiveValuePages(QObject* parent) : QObject(parent)
{
    buildTotalsPage();
    buildPhasesPage();
}

void LiveValuePages::buildTotalsPage()
{
    m_totalsPage = new QWidget;
    // The captions come from a view of any system; the frames replace the values.
    const LiveValuesView captions =
        showLiveValues(std::array<Real, RecorderValueCount>{}, config::MeasuringSystem::Star);
    std::array<QGridLayout*, 2> columns{new QGridLayout, new QGridLayout};
    std::array<int, 2> nextRow{};
    for (const Section& section : Sections) {
        QGridLayout* grid = columns[section.column];
        int& r = nextRow[section.column];
        grid->addWidget(ValueFieldLabel::sectionTitle(tr(section.title), m_totalsPage), r++, 0, 1,
                        3);
        for (int row = section.firstRow; row < section.firstRow + section.rows; ++row) {
            Row widgets{ValueFieldLabel::caption(captions.totals[row].caption, m_totalsPage),
                        new ValueFieldLabel(m_totalsPage), unitLabel(m_totalsPage)};
            grid->addWidget(widgets.caption, r, 0);
            grid->addWidget(widgets.value, r, 1);
            grid->addWidget(widgets.unit, r, 2);
            ++r;
            m_totals.append(widgets);
            if (row == UnbalanceRow)
                grid->addWidget(new QLabel(tr("* lub U1/U2 w przypadku gdy U2>U1"), m_totalsPage),
                                r++, 0, 1, 3);
        }
    }
    auto* layout = new QHBoxLayout(m_totalsPage);
    for (QGridLayout* grid : columns) {
        grid->setRowStretch(grid->rowCount(), 1);
        grid->setVerticalSpacing(2);
        layout->addLayout(grid);
    }
}

void LiveValuePages::buildPhasesPage()
{
    m_phasesPage = new QWidget;
    const LiveValuesView captions =
        showLiveValues(std::array<Real, RecorderValueCount>{}, config::MeasuringSystem::Star);
    auto* grid = new QGridLayout(m_phasesPage);
    grid->setVerticalSpacing(2);
    for (int column = 0; column < PhaseColumnCount; ++column)
        grid->addWidget(
            ValueFieldLabel::sectionTitle(QStringLiteral("L%1").arg(column + 1), m_phasesPage), 0,
            1 + 3 * column, 1, 2, Qt::AlignCenter);
    for (int row = 0; row < captions.phases.size(); ++row) {
        std::array<Row, PhaseColumnCount> widgets;
        for (int column = 0; column < PhaseColumnCount; ++column) {
            Row& w = widgets[column];
            w.caption =
                ValueFieldLabel::caption(captions.phases[row].captions[column], m_phasesPage);
            w.value = new ValueFieldLabel(m_phasesPage);
            w.unit = unitLabel(m_phasesPage);
            grid->addWidget(w.caption, row + 1, 3 * column);
            grid->addWidget(w.value, row + 1, 3 * column + 1);
            grid->addWidget(w.unit, row + 1, 3 * column + 2);
        }
        m_phases.append(widgets);
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

ValueFieldLabel* LiveValuePages::phaseValue(int row, int column) const
{
    return m_phases[row][column].value;
}

void LiveValuePages::show(const LiveValuesView& view)
{
    for (int row = 0; row < m_totals.size(); ++row) {
        const TotalsRow& source = view.totals[row];
        const Row& w = m_totals[row];
        w.value->setText(source.field.value);
        w.unit->setText(source.field.unit);
        for (QWidget* widget : {static_cast<QWidget*>(w.caption), static_cast<QWidget*>(w.value),
                                static_cast<QWidget*>(w.unit)})
            widget->setVisible(source.visible);
    }
    for (int row = 0; row < m_phases.size(); ++row)
        for (int column = 0; column < PhaseColumnCount; ++column) {
            m_phases[row][column].value->setText(view.phases[row].fields[column].value);
            m_phases[row][column].unit->setText(view.phases[row].fields[column].unit);
        }
}

void LiveValuePages::reset()
{
    for (int row = 0; row < m_totals.size(); ++row)
        m_totals[row].value->setText(row >= FirstEnergyRow ? QStringLiteral("000000,0")
                                                           : QStringLiteral(" 0,00"));
    for (const auto& row : m_phases)
        for (const Row& w : row)
            w.value->setText(QStringLiteral(" 0,00"));
}

} // namespace kapstat::live
