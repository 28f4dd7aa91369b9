#include "live/harmonicspage.h"

#include "print/customplot.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kapstat::live {

namespace {

constexpr int TableRows = 25;
constexpr int SmallTableRows = 5;
constexpr int RowHeight = 18;
constexpr double SideBySide = 0.2;
const QColor Voltage = Qt::blue;
const QColor OverLimit = Qt::red;
const QColor Current = Qt::red;
const QColor Norm = QColor(0xc0, 0xc0, 0xc0);

QTableWidget* textTable(int rows, int columns, QWidget* parent)
{
    auto* t = new QTableWidget(rows, columns, parent);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    QFont font = t->font();
    font.setPixelSize(11);
    t->setFont(font);
    t->verticalHeader()->setMinimumSectionSize(RowHeight);
    t->verticalHeader()->setDefaultSectionSize(RowHeight);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            t->setItem(r, c, new QTableWidgetItem);
    return t;
}

void setCell(QTableWidget* t, int row, int column, const QString& text)
{
    t->item(row, column)->setText(text);
}

QCPBars* bars(QCustomPlot* chart, const QColor& colour, double width)
{
    auto* b = new QCPBars(chart->xAxis, chart->yAxis);
    b->setWidth(width);
    b->setPen(QPen(colour.darker(130)));
    b->setBrush(colour);
    return b;
}

QToolButton* toggle(const QString& text, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setCheckable(true);
    return b;
}

QColor titleColour(HarmonicsKind kind)
{
    return kind == HarmonicsKind::Current ? QColor(0, 0x80, 0) : QColor(Qt::blue);
}

} // namespace

HarmonicsPage::HarmonicsPage(QWidget* parent) : QWidget(parent)
{
    auto* tabs = new QHBoxLayout;
    tabs->setSpacing(1);
    m_tabGroup = new QButtonGroup(this);
    for (int t = 0; t < HarmonicsTabCount; ++t) {
        m_tabs[t] = toggle(harmonicsTabCaption(t, config::MeasuringSystem::Star), this);
        m_tabGroup->addButton(m_tabs[t], t);
        tabs->addWidget(m_tabs[t]);
    }
    tabs->addStretch();
    m_tabs[0]->setChecked(true);
    connect(m_tabGroup, &QButtonGroup::idClicked, this, &HarmonicsPage::tabChosen);
    m_title = new QLabel(this);
    buildChart();
    buildTables();

    auto* left = new QVBoxLayout;
    left->addLayout(tabs);
    left->addWidget(m_title);
    left->addWidget(m_chart, 1);
    auto* small = new QHBoxLayout;
    small->addWidget(m_voltageTable);
    small->addWidget(m_currentTable);
    left->addLayout(small);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(left, 1);
    layout->addWidget(m_table);
}

void HarmonicsPage::buildChart()
{
    m_chart = new QCustomPlot(this);
    m_chart->xAxis->setLabel(tr("Numer harmonicznej"));
    m_chart->xAxis->setRange(0.5, HighestHarmonic + 0.5);
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(1);
    m_chart->xAxis->setTicker(ticker);
    m_normBars = bars(m_chart, Norm, 1.0);
    m_normBars->setVisible(false);
    m_voltageBars = bars(m_chart, Voltage, 0.8);
    m_overLimitBars = bars(m_chart, OverLimit, 0.8);
    m_currentBars = bars(m_chart, Current, 0.8);
    m_norm = toggle(QStringLiteral("N"), m_chart);
    m_threeD = toggle(QStringLiteral("3D"), m_chart);
    m_norm->move(40, 4);
    m_threeD->move(70, 4);
    connect(m_norm, &QToolButton::toggled, this, [this] { redraw(); });
    connect(m_threeD, &QToolButton::toggled, this, [this] {
        applyLook();
        m_chart->replot();
    });
}

void HarmonicsPage::buildTables()
{
    m_table = textTable(TableRows, 4, this);
    m_table->setFixedSize(236, TableRows * RowHeight + 4);
    setCell(m_table, 0, 0, tr("Harm."));
    for (int h = 1; h <= HighestHarmonic; ++h)
        setCell(m_table, h, 0, QStringLiteral("H%1").arg(h, 2, 10, QLatin1Char('0')));
    for (int c = 0; c < 4; ++c)
        m_table->setColumnWidth(c, 56);
    m_voltageTable = textTable(SmallTableRows, 2, this);
    m_currentTable = textTable(SmallTableRows, 2, this);
    const char* const voltageCaptions[] = {"f", "", "U", "UH0", "UH1"};
    const char* const currentCaptions[] = {"", "", "I", "IH0", "IH1"};
    for (int r = 0; r < SmallTableRows; ++r) {
        setCell(m_voltageTable, r, 0, tr(voltageCaptions[r]));
        setCell(m_currentTable, r, 0, tr(currentCaptions[r]));
    }
    for (QTableWidget* t : {m_voltageTable, m_currentTable}) {
        t->setColumnWidth(0, 40);
        t->setColumnWidth(1, 100);
        t->setFixedHeight(SmallTableRows * RowHeight + 4);
    }
}

void HarmonicsPage::reset()
{
    for (QCPBars* b : {m_normBars, m_voltageBars, m_overLimitBars, m_currentBars})
        b->data()->clear();
    m_chart->replot();
    for (int h = 1; h <= HighestHarmonic; ++h)
        for (int c = 1; c < 4; ++c)
            setCell(m_table, h, c, QString());
    for (int r = 0; r < SmallTableRows; ++r) {
        setCell(m_voltageTable, r, 1, QString());
        setCell(m_currentTable, r, 1, QString());
    }
    m_store = nullptr;
}

void HarmonicsPage::adaptTo(const HarmonicsSettings& settings)
{
    m_settings = settings;
    for (int t = 0; t < HarmonicsTabCount; ++t)
        m_tabs[t]->setText(harmonicsTabCaption(t, settings.system));
    if (!isHarmonicsTabEnabled(m_tab, settings.system))
        selectTab(0);
}

void HarmonicsPage::selectTab(int tab)
{
    m_tabs[tab]->setChecked(true);
    tabChosen(tab);
}

// A tab reading "---" has no phase in this system: the previous tab stays.
void HarmonicsPage::tabChosen(int tab)
{
    if (!isHarmonicsTabEnabled(tab, m_settings.system)) {
        m_tabs[m_tab]->setChecked(true);
        return;
    }
    m_tab = tab;
    redraw();
}

void HarmonicsPage::show(const LiveStore& store, const LiveValuesView& values)
{
    m_store = &store;
    m_values = values;
    redraw();
}

void HarmonicsPage::showFrequency(double hertz)
{
    setCell(m_voltageTable, 0, 1, frequencyText(hertz));
}

void HarmonicsPage::redraw()
{
    if (!m_store)
        return;
    HarmonicsSettings settings = m_settings;
    settings.normShown = m_norm->isChecked();
    const HarmonicsView view = harmonicsView(*m_store, m_values, m_tab, settings);
    if (!view.normEnabled) {
        const QSignalBlocker blocker(m_norm);
        m_norm->setChecked(false);
    }
    m_norm->setEnabled(view.normEnabled);
    m_title->setText(view.title);
    QPalette p = m_title->palette();
    p.setColor(QPalette::WindowText, titleColour(view.kind));
    m_title->setPalette(p);
    m_chart->yAxis->setLabel(view.axisTitle);
    drawBars(view);
    fillTables(view);
}

void HarmonicsPage::drawBars(const HarmonicsView& view)
{
    QVector<double> keys, normal, over, currents, limits;
    const bool both = view.kind == HarmonicsKind::Both;
    for (int h = 1; h <= HighestHarmonic; ++h) {
        keys << h;
        const bool red = view.voltageOverLimit[h - 1];
        normal << (red ? 0 : view.voltageBars[h - 1]);
        over << (red ? view.voltageBars[h - 1] : 0);
        currents << view.currentBars[h - 1];
        limits << m_settings.limits[h - 1];
    }
    auto shifted = [&](double by) {
        QVector<double> k = keys;
        for (double& key : k)
            key += by;
        return k;
    };
    const double shift = both ? SideBySide : 0;
    m_voltageBars->setData(shifted(-shift), normal, true);
    m_overLimitBars->setData(shifted(-shift), over, true);
    m_currentBars->setData(shifted(shift), currents, true);
    m_normBars->setData(keys, limits, true);
    for (QCPBars* b : {m_voltageBars, m_overLimitBars, m_currentBars})
        b->setWidth(both ? 0.4 : 0.8);
    m_voltageBars->setVisible(view.kind != HarmonicsKind::Current);
    m_overLimitBars->setVisible(view.kind != HarmonicsKind::Current);
    m_currentBars->setVisible(view.kind != HarmonicsKind::Voltage);
    m_normBars->setVisible(m_norm->isChecked());
    // The fundamental at 100 % would flatten the rest: the axis follows harmonics 2-24.
    double highest = 1;
    for (int h = 2; h <= HighestHarmonic; ++h) {
        if (view.kind != HarmonicsKind::Current)
            highest = std::max(highest, view.voltageBars[h - 1]);
        if (view.kind != HarmonicsKind::Voltage)
            highest = std::max(highest, view.currentBars[h - 1]);
        if (m_norm->isChecked())
            highest = std::max(highest, m_settings.limits[h - 1]);
    }
    m_chart->yAxis->setRange(0, highest * 1.15);
    applyLook();
    m_chart->replot();
}

// "3D": the bars shaded from light to their colour, as if lit from the side.
void HarmonicsPage::applyLook()
{
    const std::array<std::pair<QCPBars*, QColor>, 4> series{{{m_normBars, Norm},
                                                             {m_voltageBars, Voltage},
                                                             {m_overLimitBars, OverLimit},
                                                             {m_currentBars, Current}}};
    for (const auto& [b, colour] : series) {
        if (!m_threeD->isChecked()) {
            b->setBrush(colour);
            continue;
        }
        QLinearGradient shade(0, 0, 1, 0);
        shade.setCoordinateMode(QGradient::ObjectMode);
        shade.setColorAt(0, colour.lighter(170));
        shade.setColorAt(1, colour.darker(160));
        b->setBrush(shade);
    }
}

void HarmonicsPage::fillTables(const HarmonicsView& view)
{
    for (int c = 0; c < 3; ++c)
        setCell(m_table, 0, c + 1, view.headings[c]);
    for (int h = 1; h <= HighestHarmonic; ++h)
        for (int c = 0; c < 3; ++c)
            setCell(m_table, h, c + 1, view.rows[h - 1][c]);
    for (int r = 2; r < SmallTableRows; ++r) {
        setCell(m_voltageTable, r, 1, view.voltageTable[r]);
        setCell(m_currentTable, r, 1, view.currentTable[r]);
    }
}

} // namespace kapstat::live
