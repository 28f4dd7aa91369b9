#pragma once

#include "calib/calibrationset.h"
#include "config/measuringsystem.h"
#include "live/livestore.h"
#include "live/phasordiagram.h"

#include <QWidget>
#include <array>
#include <optional>

class QCustomPlot;
class QLabel;

namespace kapstat::live {

// "Wykres wskazowy": the phasors on four axes, voltages against top and left, currents
// against bottom and right, and the legend beside them.
class PhasorPage : public QWidget
{
    Q_OBJECT

public:
    explicit PhasorPage(QWidget* parent = nullptr);

    void reset();
    void show(const LiveStore& store, const calib::RangeScale& scale,
              config::MeasuringSystem system);

    QCustomPlot* chart() const { return m_chart; }
    QLabel* legendLine(int line) const { return m_legend[line]; }

private:
    QCustomPlot* m_chart = nullptr;
    std::array<QLabel*, 6> m_legend{};
    // The coefficients the legend was last written for.
    std::optional<PhasorCoefficients> m_drawn;
};

} // namespace kapstat::live
