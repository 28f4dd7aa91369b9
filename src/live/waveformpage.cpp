#include "live/waveformpage.h"

#include "live/instantframe.h"
#include "print/customplot.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace kapstat::live {

namespace {

using config::MeasuringSystem;

constexpr int ChartWidth = 500;
constexpr int ChartHeight = 152;
constexpr int EnlargedHeight = 3 * ChartHeight;
constexpr double MillisecondsPerSample = 0.4;
const QColor VoltageColours[] = {Qt::blue, QColor(0, 0, 0x80), QColor(0x50, 0xa0, 0xff)};
const QColor CurrentColours[] = {QColor(0, 0x80, 0), QColor(0, 0x40, 0), QColor(0x40, 0xc0, 0x40)};

// ±2048 counts in the channel's present range; 1 until a coefficient is known, so that the
// chart stays drawable.
double fullScale(const LiveStore& store, const calib::RangeScale& scale, int channel)
{
    const double s = frame::scaleOf(scale, channel, store.ranges[channel]);
    return s > 0 ? frame::FullScaleCounts * s : 1;
}

double widestFullScale(const LiveStore& store, const calib::RangeScale& scale, int first)
{
    return std::max({fullScale(store, scale, first), fullScale(store, scale, first + 1),
                     fullScale(store, scale, first + 2)});
}

QToolButton* toggleButton(const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setCheckable(true);
    return button;
}

// Chart 1 tells the phases apart by shade when it shows all three; the others need not.
QCPGraph* addSeries(QCustomPlot* chart, bool current, int phase, int shade)
{
    QCPGraph* graph = chart->addGraph(chart->xAxis, current ? chart->yAxis2 : chart->yAxis);
    graph->setName(QStringLiteral("%1L%2 [%3]")
                       .arg(current ? QLatin1Char('I') : QLatin1Char('U'))
                       .arg(phase + 1)
                       .arg(current ? QLatin1Char('A') : QLatin1Char('V')));
    graph->setPen(QPen(current ? CurrentColours[shade] : VoltageColours[shade]));
    return graph;
}

void setUpAxes(QCustomPlot* chart)
{
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(20);
    chart->xAxis->setTicker(ticker);
    chart->xAxis->setRange(0, 120);
    chart->xAxis->setBasePen(Qt::NoPen);
    chart->yAxis->setLabel(QObject::tr("U [V]"));
    chart->yAxis->setLabelColor(Qt::blue);
    chart->yAxis2->setVisible(true);
    chart->yAxis2->setLabel(QObject::tr("I [A]"));
    chart->yAxis2->setLabelColor(QColor(0, 0x80, 0));
    chart->setSelectionRectMode(QCP::srmZoom);
}

} // namespace

WaveformPage::WaveformPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    buildButtons();
    auto* bar = new QHBoxLayout;
    for (QToolButton* b : m_phaseButtons)
        bar->addWidget(b);
    bar->addSpacing(12);
    bar->addWidget(m_allVoltages);
    bar->addWidget(m_allCurrents);
    bar->addStretch();
    layout->addLayout(bar);
    auto* body = new QHBoxLayout;
    auto* area = new QWidget(this);
    area->setFixedSize(ChartWidth, EnlargedHeight);
    buildCharts(area);
    body->addWidget(area);
    auto* side = new QVBoxLayout;
    buildSidePanel();
    for (int p = 0; p < 3; ++p) {
        side->addWidget(m_captions[2 * p]);
        side->addWidget(m_captions[2 * p + 1]);
        side->addWidget(m_barCharts[p]);
    }
    side->addStretch();
    body->addLayout(side);
    layout->addLayout(body);
    layout->addStretch();
}

void WaveformPage::buildButtons()
{
    for (int p = 0; p < 3; ++p) {
        m_phaseButtons[p] = toggleButton(QStringLiteral("L%1").arg(p + 1), this);
        connect(m_phaseButtons[p], &QToolButton::toggled, this,
                [this, p](bool down) { phaseToggled(p, down); });
    }
    m_allVoltages = toggleButton(tr("UL1,L2,L3"), this);
    m_allCurrents = toggleButton(tr("IL1,L2,L3"), this);
    for (QToolButton* b : {m_allVoltages, m_allCurrents})
        connect(b, &QToolButton::toggled, this,
                [this, b](bool down) { allPhasesToggled(b, down); });
}

void WaveformPage::buildCharts(QWidget* area)
{
    for (int p = 0; p < 3; ++p) {
        auto* chart = new QCustomPlot(area);
        chart->setGeometry(0, p * ChartHeight, ChartWidth, ChartHeight);
        setUpAxes(chart);
        const int phases = p == 0 ? 3 : 1;
        for (int k = 0; k < phases; ++k) {
            const int phase = p == 0 ? k : p;
            m_graphs[p][2 * k] = addSeries(chart, false, phase, k);
            m_graphs[p][2 * k + 1] = addSeries(chart, true, phase, k);
        }
        connect(chart->selectionRect(), &QCPSelectionRect::accepted, this,
                [this, p] { m_zoomed[p] = true; });
        connect(chart, &QCustomPlot::mouseDoubleClick, this, [this, p] {
            m_zoomed[p] = false;
            if (m_lastStore)
                setAxes(*m_lastStore, *m_lastScale);
            m_charts[p]->replot();
        });
        m_charts[p] = chart;
    }
}

void WaveformPage::buildSidePanel()
{
    for (int p = 0; p < 3; ++p) {
        m_captions[2 * p] = new QLabel(this);
        m_captions[2 * p + 1] = new QLabel(this);
        auto* chart = new QCustomPlot(this);
        chart->setFixedSize(150, 90);
        chart->xAxis->setVisible(false);
        chart->yAxis->setVisible(false);
        chart->axisRect()->setAutoMargins(QCP::msNone);
        chart->axisRect()->setMargins(QMargins(1, 1, 1, 1));
        chart->xAxis->setRange(0.5, HighestHarmonic + 0.5);
        for (int k = 0; k < 2; ++k) {
            // Volts and amperes, each against an axis of its own.
            auto* bars = new QCPBars(chart->xAxis, k == 0 ? chart->yAxis : chart->yAxis2);
            bars->setWidth(0.4);
            const QColor colour = k == 0 ? QColor(Qt::blue) : QColor(0, 0x80, 0);
            bars->setPen(QPen(colour));
            bars->setBrush(colour);
            m_bars[p][k] = bars;
        }
        m_barCharts[p] = chart;
    }
}

void WaveformPage::reset()
{
    for (QCustomPlot* chart : m_charts)
        for (int g = 0; g < chart->graphCount(); ++g)
            chart->graph(g)->data()->clear();
    for (auto& bars : m_bars)
        for (QCPBars* b : bars)
            b->data()->clear();
    for (QLabel* caption : m_captions)
        caption->setText(QStringLiteral("-----"));
    for (QCustomPlot* chart : m_charts)
        chart->replot();
    for (QCustomPlot* chart : m_barCharts)
        chart->replot();
}

void WaveformPage::adaptTo(MeasuringSystem system)
{
    m_system = system;
    for (QToolButton* b :
         {m_phaseButtons[0], m_phaseButtons[1], m_phaseButtons[2], m_allVoltages, m_allCurrents}) {
        const QSignalBlocker blocker(b);
        b->setChecked(false);
    }
    restoreLayout();
    const bool second = system != MeasuringSystem::SinglePhase;
    const bool third = system == MeasuringSystem::Star;
    m_charts[1]->setVisible(second);
    m_barCharts[1]->setVisible(second);
    m_charts[2]->setVisible(third);
    m_barCharts[2]->setVisible(third);
    enableButtonsForSystem();
}

void WaveformPage::enableButtonsForSystem()
{
    const bool single = m_system == MeasuringSystem::SinglePhase;
    m_phaseButtons[0]->setEnabled(true);
    m_phaseButtons[1]->setEnabled(!single);
    m_phaseButtons[2]->setEnabled(m_system == MeasuringSystem::Star);
    m_allVoltages->setEnabled(!single);
    m_allCurrents->setEnabled(!single);
}

void WaveformPage::restoreLayout()
{
    for (int p = 0; p < 3; ++p)
        m_charts[p]->setGeometry(0, p * ChartHeight, ChartWidth, ChartHeight);
    for (int g = 0; g < 6; ++g)
        m_graphs[0][g]->setVisible(g < 2);
}

void WaveformPage::phaseToggled(int phase, bool down)
{
    if (!down) {
        restoreLayout();
        enableButtonsForSystem();
        return;
    }
    for (int p = 0; p < 3; ++p) {
        const QSignalBlocker blocker(m_phaseButtons[p]);
        m_phaseButtons[p]->setChecked(p == phase);
    }
    restoreLayout();
    m_charts[phase]->setGeometry(0, 0, ChartWidth, EnlargedHeight);
    m_charts[phase]->raise();
    m_allVoltages->setEnabled(false);
    m_allCurrents->setEnabled(false);
}

void WaveformPage::allPhasesToggled(QToolButton* button, bool down)
{
    if (!down) {
        restoreLayout();
        for (QToolButton* b : m_phaseButtons) {
            const QSignalBlocker blocker(b);
            b->setChecked(false);
        }
        enableButtonsForSystem();
        return;
    }
    QToolButton* other = button == m_allVoltages ? m_allCurrents : m_allVoltages;
    {
        const QSignalBlocker blocker(other);
        other->setChecked(false);
    }
    for (QToolButton* b : m_phaseButtons)
        b->setEnabled(false);
    m_charts[0]->setGeometry(0, 0, ChartWidth, EnlargedHeight);
    m_charts[0]->raise();
    const bool currents = button == m_allCurrents;
    const int phases = m_system == MeasuringSystem::Star ? 3 : 2;
    for (int k = 0; k < 3; ++k) {
        m_graphs[0][2 * k]->setVisible(!currents && k < phases);
        m_graphs[0][2 * k + 1]->setVisible(currents && k < phases);
    }
}

void WaveformPage::setAxes(const LiveStore& store, const calib::RangeScale& scale)
{
    if (!m_zoomed[0]) {
        QCustomPlot* chart = m_charts[0];
        if (m_allVoltages->isChecked()) {
            const double v = widestFullScale(store, scale, 0);
            chart->yAxis->setRange(-v, v);
        } else if (m_allCurrents->isChecked()) {
            const double i = widestFullScale(store, scale, 3);
            chart->yAxis2->setRange(-i, i);
        } else {
            chart->yAxis->setRange(-fullScale(store, scale, 0), fullScale(store, scale, 0));
            chart->yAxis2->setRange(-fullScale(store, scale, 3), fullScale(store, scale, 3));
        }
        chart->xAxis->setRange(0, 120);
    }
    for (int p = 1; p < 3; ++p) {
        if (m_zoomed[p])
            continue;
        QCustomPlot* chart = m_charts[p];
        chart->yAxis->setRange(-fullScale(store, scale, p), fullScale(store, scale, p));
        chart->yAxis2->setRange(-fullScale(store, scale, p + 3), fullScale(store, scale, p + 3));
        chart->xAxis->setRange(0, 120);
    }
}

void WaveformPage::plot(const LiveStore& store, const calib::RangeScale& scale)
{
    m_lastStore = &store;
    m_lastScale = &scale;
    setAxes(store, scale);
    QVector<double> time(SampleCount);
    for (int a = 0; a < SampleCount; ++a)
        time[a] = MillisecondsPerSample * a;
    auto samples = [&](int channel) {
        // A delta's second voltage is drawn turned round, as U32 is to U23.
        const double sign = m_system == MeasuringSystem::Delta && channel == 1 ? -1 : 1;
        QVector<double> values(SampleCount);
        for (int a = 0; a < SampleCount; ++a)
            values[a] = sign * static_cast<double>(store.scaled[channel][a]);
        return values;
    };
    for (QCustomPlot* chart : m_charts)
        for (int g = 0; g < chart->graphCount(); ++g)
            chart->graph(g)->data()->clear();
    if (m_allVoltages->isChecked() || m_allCurrents->isChecked()) {
        const int first = m_allVoltages->isChecked() ? 0 : 3;
        for (int k = 0; k < 3; ++k)
            m_graphs[0][2 * k + (first ? 1 : 0)]->setData(time, samples(first + k), true);
    } else {
        for (int p = 0; p < 3; ++p) {
            m_graphs[p][0]->setData(time, samples(p), true);
            m_graphs[p][1]->setData(time, samples(p + 3), true);
        }
    }
    for (QCustomPlot* chart : m_charts)
        chart->replot();
}

void WaveformPage::showCaptions(const std::array<QString, 6>& captions)
{
    for (int k = 0; k < 6; ++k)
        m_captions[k]->setText(captions[k]);
}

void WaveformPage::showHarmonicBars(const LiveStore& store)
{
    for (int p = 0; p < 3; ++p) {
        for (int k = 0; k < 2; ++k) {
            QVector<double> keys, values;
            for (int h = 1; h <= HighestHarmonic; ++h) {
                keys << h + (k == 0 ? -0.2 : 0.2);
                values << std::fabs(static_cast<double>(store.computedHarmonics[p + 3 * k][h]));
            }
            m_bars[p][k]->setData(keys, values, true);
        }
        m_barCharts[p]->yAxis->rescale();
        m_barCharts[p]->yAxis2->rescale();
        m_barCharts[p]->replot();
    }
}

} // namespace kapstat::live
