#include "live/livewindow.h"

#include "config/configurationmodel.h"
#include "live/harmonicspage.h"
#include "live/liveloop.h"
#include "live/livevaluepages.h"
#include "live/livevalues.h"
#include "live/phasorpage.h"
#include "live/quantitynumbers.h"
#include "live/waveformpage.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kapstat::live {

namespace {
constexpr int Width = 668;
constexpr int Height = 517;
} // namespace

LiveWindow::LiveWindow(LiveLoop& loop, const LiveStore& store, const calib::RangeScale& scale,
                       const config::ConfigurationModel& model, QWidget* parent)
    : CloseGuardedDialog(parent), m_loop(loop), m_store(store), m_scale(scale), m_model(model)
{
    setWindowTitle(tr("Pomiary chwilowe"));
    setModal(true);
    setFixedSize(Width, Height);
    m_pages = new QTabWidget(this);
    // The five captions fit the window's width side by side.
    m_pages->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    m_values = new LiveValuePages(this);
    m_waveforms = new WaveformPage;
    m_phasors = new PhasorPage;
    m_harmonics = new HarmonicsPage;
    m_pages->addTab(m_waveforms, tr("Przebiegi"));
    m_pages->addTab(m_values->totalsPage(), tr("Pomiary chwilowe sumaryczne"));
    m_pages->addTab(m_values->phasesPage(), tr("Pomiary chwilowe fazowe"));
    m_pages->addTab(m_phasors, tr("Wykres wskazowy"));
    m_pages->addTab(m_harmonics, tr("Harmoniczne"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    createComparisonButton();

    connect(&m_loop, &LiveLoop::systemRead, this, &LiveWindow::adaptTo);
    connect(&m_loop, &LiveLoop::frameAnalysed, this, &LiveWindow::showFrame);
    connect(&m_loop, &LiveLoop::finished, this, [this] {
        if (isVisible())
            closeNow();
    });
}

// The tabs fill the window's width, so the button stands in the free lower right corner of the
// two value pages, whose values it compares.
void LiveWindow::createComparisonButton()
{
    constexpr int Margin = 8;
    m_comparisonButton = new QPushButton(tr("Porównanie"), this);
    m_comparisonButton->resize(m_comparisonButton->sizeHint());
    m_comparisonButton->move(Width - m_comparisonButton->width() - Margin,
                             Height - m_comparisonButton->height() - Margin);
    auto showOnValuePages = [this](int page) {
        m_comparisonButton->setVisible(page == Totals || page == Phases);
        m_comparisonButton->raise();
    };
    showOnValuePages(m_pages->currentIndex());
    connect(m_pages, &QTabWidget::currentChanged, this, showOnValuePages);
    connect(m_comparisonButton, &QPushButton::clicked, this, &LiveWindow::comparisonRequested);
}

void LiveWindow::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    // A window restored from the task bar is still in its loop.
    if (event->spontaneous())
        return;
    reset();
    m_loop.start();
}

bool LiveWindow::requestClose()
{
    return m_loop.requestClose();
}

void LiveWindow::reset()
{
    m_waveforms->reset();
    m_values->reset();
    m_phasors->reset();
    m_harmonics->reset();
}

void LiveWindow::adaptTo(config::MeasuringSystem system)
{
    m_system = system;
    const config::RecorderConfiguration& configuration = m_model.configuration();
    HarmonicsSettings settings;
    settings.system = system;
    settings.base = configuration.thdBase;
    settings.limits = voltageHarmonicLimits(configuration.norm);
    m_harmonics->adaptTo(settings);
    m_waveforms->adaptTo(system);
}

// In the order the frame's pages depend on one another; pages not showing wait for the next
// frame after they are chosen.
void LiveWindow::showFrame()
{
    const int page = m_pages->currentIndex();
    if (page == Waveforms)
        m_waveforms->plot(m_store, m_scale);
    const LiveValuesView values = showLiveValues(m_store.recorderValues, m_system);
    m_values->show(values);
    m_waveforms->showCaptions(values.waveformCaptions);
    m_harmonics->showFrequency(static_cast<double>(m_store.recorderValues[quantity::Frequency]));
    if (page == Waveforms || page == Harmonics) {
        m_waveforms->showHarmonicBars(m_store);
        m_harmonics->show(m_store, values);
    }
    if (page == Phasors)
        m_phasors->show(m_store, m_scale, m_system);
}

} // namespace kapstat::live
