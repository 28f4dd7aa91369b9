#pragma once

#include "calib/calibrationset.h"
#include "config/measuringsystem.h"
#include "live/livestore.h"

#include <QWidget>
#include <array>

class QCustomPlot;
class QCPGraph;
class QCPBars;
class QLabel;
class QToolButton;

namespace kapstat::live {

// "Przebiegi": the six channels on three charts, the L1/L2/L3 and all-phase buttons, the value
// captions and a small harmonic bar chart per phase.
class WaveformPage : public QWidget
{
    Q_OBJECT

public:
    explicit WaveformPage(QWidget* parent = nullptr);

    void reset();
    void adaptTo(config::MeasuringSystem system);
    void plot(const LiveStore& store, const calib::RangeScale& scale);
    void showCaptions(const std::array<QString, 6>& captions);
    void showHarmonicBars(const LiveStore& store);

    QCustomPlot* chart(int phase) const { return m_charts[phase]; }
    QToolButton* phaseButton(int phase) const { return m_phaseButtons[phase]; }
    QToolButton* allVoltagesButton() const { return m_allVoltages; }
    QToolButton* allCurrentsButton() const { return m_allCurrents; }
    bool isZoomed(int phase) const { return m_zoomed[phase]; }

private:
    void buildButtons();
    void buildCharts(QWidget* area);
    void buildSidePanel();
    void phaseToggled(int phase, bool down);
    void allPhasesToggled(QToolButton* button, bool down);
    void restoreLayout();
    void enableButtonsForSystem();
    void setAxes(const LiveStore& store, const calib::RangeScale& scale);

    config::MeasuringSystem m_system = config::MeasuringSystem::Star;
    std::array<QCustomPlot*, 3> m_charts{};
    // Chart 1 carries all six series; charts 2 and 3 their phase's two (at indexes 0, 1).
    std::array<std::array<QCPGraph*, 6>, 3> m_graphs{};
    std::array<bool, 3> m_zoomed{};
    std::array<QToolButton*, 3> m_phaseButtons{};
    QToolButton* m_allVoltages = nullptr;
    QToolButton* m_allCurrents = nullptr;
    std::array<QLabel*, 6> m_captions{};
    std::array<QCustomPlot*, 3> m_barCharts{};
    std::array<std::array<QCPBars*, 2>, 3> m_bars{};
    const LiveStore* m_lastStore = nullptr;
    const calib::RangeScale* m_lastScale = nullptr;
};

} // namespace kapstat::live
