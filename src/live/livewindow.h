#pragma once

#include "calib/calibrationset.h"
#include "config/measuringsystem.h"
#include "link/closeguardeddialog.h"
#include "live/livestore.h"

class QPushButton;
class QTabWidget;

namespace kapstat::config {
class ConfigurationModel;
}

namespace kapstat::live {

class HarmonicsPage;
class LiveLoop;
class LiveValuePages;
class PhasorPage;
class WaveformPage;

// "Pomiary chwilowe": what the recorder measures now, frame after frame, on five pages.
class LiveWindow : public link::CloseGuardedDialog
{
    Q_OBJECT

public:
    // The pages, in order.
    enum Page
    {
        Waveforms,
        Totals,
        Phases,
        Phasors,
        Harmonics,
    };

    LiveWindow(LiveLoop& loop, const LiveStore& store, const calib::RangeScale& scale,
               const config::ConfigurationModel& model, QWidget* parent = nullptr);

    QTabWidget* pages() const { return m_pages; }
    LiveValuePages* valuePages() const { return m_values; }
    WaveformPage* waveformPage() const { return m_waveforms; }
    PhasorPage* phasorPage() const { return m_phasors; }
    HarmonicsPage* harmonicsPage() const { return m_harmonics; }
    QPushButton* comparisonButton() const { return m_comparisonButton; }

Q_SIGNALS:
    // "Porównanie" (on the value pages): the counters window's comparison of the frames, while
    // the loop runs on.
    void comparisonRequested();

protected:
    bool requestClose() override;
    void showEvent(QShowEvent* event) override;

private:
    void createComparisonButton();
    void reset();
    void adaptTo(config::MeasuringSystem system);
    void showFrame();

    LiveLoop& m_loop;
    const LiveStore& m_store;
    const calib::RangeScale& m_scale;
    const config::ConfigurationModel& m_model;
    config::MeasuringSystem m_system = config::MeasuringSystem::Star;
    QTabWidget* m_pages = nullptr;
    LiveValuePages* m_values = nullptr;
    WaveformPage* m_waveforms = nullptr;
    PhasorPage* m_phasors = nullptr;
    HarmonicsPage* m_harmonics = nullptr;
    QPushButton* m_comparisonButton = nullptr;
};

} // namespace kapstat::live
