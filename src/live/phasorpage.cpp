#include "live/phasorpage.h"

#include "print/customplot.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kapstat::live {

namespace {

constexpr int ChartWidth = 545;
constexpr int ChartHeight = 489;
constexpr double HeadWidth = 12;
constexpr double HeadLength = 20;

QColor colourOf(PhasorColour colour)
{
    switch (colour) {
    case PhasorColour::Red:
        return Qt::red;
    case PhasorColour::Green:
        return QColor(0, 0x80, 0);
    case PhasorColour::Blue:
        break;
    }
    return Qt::blue;
}

// A short line of the colour, before a legend caption.
QLabel* swatch(const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(16, 3);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, colour);
    label->setPalette(p);
    return label;
}

void addArrow(QCustomPlot* chart, const PhasorArrow& arrow, QCPAxis* x, QCPAxis* y,
              QCPLineEnding::EndingStyle head)
{
    auto* line = new QCPItemLine(chart);
    line->start->setAxes(x, y);
    line->end->setAxes(x, y);
    line->start->setCoords(arrow.from);
    line->end->setCoords(arrow.to);
    line->setPen(QPen(colourOf(arrow.colour), 2));
    line->setHead(QCPLineEnding(head, HeadWidth, HeadLength));
}

} // namespace

PhasorPage::PhasorPage(QWidget* parent) : QWidget(parent)
{
    m_chart = new QCustomPlot(this);
    m_chart->setFixedSize(ChartWidth, ChartHeight);
    m_chart->xAxis2->setVisible(true);
    m_chart->yAxis2->setVisible(true);
    m_chart->xAxis2->setLabel(tr("napięcie"));
    m_chart->yAxis->setLabel(tr("napięcie"));
    m_chart->xAxis->setLabel(tr("prąd"));
    m_chart->yAxis2->setLabel(tr("prąd"));
    for (QCPAxis* axis : m_chart->axisRect()->axes())
        axis->grid()->setVisible(false);
    auto* legend = new QGridLayout;
    const PhasorColour colours[] = {PhasorColour::Red, PhasorColour::Green, PhasorColour::Blue};
    for (int line = 0; line < 6; ++line) {
        m_legend[line] = new QLabel(this);
        legend->addWidget(swatch(colourOf(colours[line % 3]), this), line, 0);
        legend->addWidget(m_legend[line], line, 1);
    }
    legend->setRowStretch(6, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_chart);
    layout->addLayout(legend);
}

void PhasorPage::reset()
{
    m_chart->clearItems();
    m_chart->replot();
    for (QLabel* line : m_legend)
        line->clear();
    m_drawn.reset();
}

void PhasorPage::show(const LiveStore& store, const calib::RangeScale& scale,
                      config::MeasuringSystem system)
{
    const PhasorDiagram d = phasorDiagram(store, scale, system);
    m_chart->clearItems();
    const double v = d.voltageLimit > 0 ? d.voltageLimit : 1;
    const double i = d.currentLimit > 0 ? d.currentLimit : 1;
    m_chart->xAxis2->setRange(-v, v);
    m_chart->yAxis->setRange(-v, v);
    m_chart->xAxis->setRange(-i, i);
    m_chart->yAxis2->setRange(-i, i);
    for (const PhasorArrow& arrow : d.voltages)
        addArrow(m_chart, arrow, m_chart->xAxis2, m_chart->yAxis, QCPLineEnding::esSpikeArrow);
    for (const PhasorArrow& arrow : d.currents)
        addArrow(m_chart, arrow, m_chart->xAxis, m_chart->yAxis2, QCPLineEnding::esLineArrow);
    m_chart->replot();
    const PhasorCoefficients now = phasorCoefficients(store);
    if (!m_drawn || phasorLegendChanged(*m_drawn, now, system)) {
        const auto lines = phasorLegend(store, system);
        for (int line = 0; line < 6; ++line)
            m_legend[line]->setText(lines[line]);
        m_drawn = now;
    }
}

} // namespace kapstat::live
