#pragma once

#include "live/livestore.h"

#include <QWidget>

class QCustomPlot;
class QScrollBar;

namespace kapstat::calib {

// The raw counts of the six channels of the latest frame, with grey lines at ±1792 and ±327
// counts and a scroll bar beside it that sets the vertical axis to ± its position.
class CalibrationChart : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DcSpan = 10;
    static constexpr int GainSpan = 2048;

    explicit CalibrationChart(QWidget* parent = nullptr);

    QCustomPlot* plot() const { return m_plot; }
    QScrollBar* scrollBar() const { return m_scroll; }

    void showSamples(const live::LiveStore& store);
    void setChannelVisible(int channel, bool visible);
    // The vertical axis spans ± counts; the scroll bar follows.
    void setSpan(int counts);

private:
    void addGuideLine(double counts);

    QCustomPlot* m_plot = nullptr;
    QScrollBar* m_scroll = nullptr;
};

} // namespace kapstat::calib
