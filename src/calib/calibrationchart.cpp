#include "calib/calibrationchart.h"

#include "print/customplot.h"

#include <QHBoxLayout>
#include <QScrollBar>

namespace kapstat::calib {

namespace {

const QColor Orange(0xFF, 0xA5, 0x00);
const QColor SeriesColours[] = {Qt::red, Qt::green, Orange, Qt::blue, Qt::magenta, Orange};
const char* const SeriesNames[] = {"UL1", "UL2", "UL3", "IL1", "IL2", "IL3"};
// The converter's usable full scale and the level below which a lower range is chosen.
constexpr double GuideLines[] = {1792, -1792, 327, -327};
constexpr int SmallestSpan = 10;

} // namespace

CalibrationChart::CalibrationChart(QWidget* parent) : QWidget(parent)
{
    m_plot = new QCustomPlot(this);
    m_plot->xAxis->setRange(0, live::SampleCount - 1);
    m_plot->legend->setVisible(true);
    for (int c = 0; c < ChannelCount; ++c) {
        QCPGraph* graph = m_plot->addGraph();
        graph->setName(QLatin1String(SeriesNames[c]));
        graph->setPen(QPen(SeriesColours[c]));
    }
    for (double counts : GuideLines)
        addGuideLine(counts);
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setRange(SmallestSpan, GainSpan);
    // The top of the bar is the widest span.
    m_scroll->setInvertedAppearance(true);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int span) {
        m_plot->yAxis->setRange(-span, span);
        m_plot->replot();
    });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot, 1);
    layout->addWidget(m_scroll);
    setSpan(DcSpan);
}

void CalibrationChart::addGuideLine(double counts)
{
    auto* line = new QCPItemStraightLine(m_plot);
    line->point1->setCoords(0, counts);
    line->point2->setCoords(1, counts);
    line->setPen(QPen(Qt::gray));
}

void CalibrationChart::showSamples(const live::LiveStore& store)
{
    QVector<double> x(live::SampleCount);
    for (int a = 0; a < live::SampleCount; ++a)
        x[a] = a;
    for (int c = 0; c < ChannelCount; ++c) {
        const QVector<double> y(store.raw[c].begin(), store.raw[c].end());
        m_plot->graph(c)->setData(x, y, true);
    }
    m_plot->replot();
}

void CalibrationChart::setChannelVisible(int channel, bool visible)
{
    QCPGraph* graph = m_plot->graph(channel);
    graph->setVisible(visible);
    if (visible)
        graph->addToLegend();
    else
        graph->removeFromLegend();
    m_plot->replot();
}

void CalibrationChart::setSpan(int counts)
{
    m_scroll->setValue(counts);
    m_plot->yAxis->setRange(-counts, counts);
    m_plot->replot();
}

} // namespace kapstat::calib
