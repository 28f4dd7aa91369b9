#pragma once

#include "live/harmonicsview.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QCPBars;
class QCustomPlot;
class QLabel;
class QTableWidget;
class QToolButton;

namespace kapstat::live {

// "Harmoniczne": the nine tabs of voltages, currents and both, the bar chart with the norm's
// limits behind "N", the 25-row table and the two small tables.
class HarmonicsPage : public QWidget
{
    Q_OBJECT

public:
    explicit HarmonicsPage(QWidget* parent = nullptr);

    void reset();
    // The tab captions and what the bars are judged against, for a new configuration.
    void adaptTo(const HarmonicsSettings& settings);
    void show(const LiveStore& store, const LiveValuesView& values);
    // The frequency cell, written for every frame.
    void showFrequency(double hertz);

    int tab() const { return m_tab; }
    void selectTab(int tab);
    QToolButton* tabButton(int tab) const { return m_tabs[tab]; }
    QToolButton* normButton() const { return m_norm; }
    QToolButton* threeDButton() const { return m_threeD; }
    QLabel* title() const { return m_title; }
    QTableWidget* table() const { return m_table; }
    QTableWidget* voltageTable() const { return m_voltageTable; }
    QTableWidget* currentTable() const { return m_currentTable; }
    QCPBars* voltageBars() const { return m_voltageBars; }
    QCPBars* overLimitBars() const { return m_overLimitBars; }
    QCPBars* normBars() const { return m_normBars; }

private:
    void buildChart();
    void buildTables();
    void tabChosen(int tab);
    void redraw();
    void drawBars(const HarmonicsView& view);
    void fillTables(const HarmonicsView& view);
    void applyLook();

    std::array<QToolButton*, HarmonicsTabCount> m_tabs{};
    QButtonGroup* m_tabGroup = nullptr;
    int m_tab = 0;
    QLabel* m_title = nullptr;
    QCustomPlot* m_chart = nullptr;
    QCPBars* m_normBars = nullptr;
    QCPBars* m_voltageBars = nullptr;
    QCPBars* m_overLimitBars = nullptr;
    QCPBars* m_currentBars = nullptr;
    QToolButton* m_norm = nullptr;
    QToolButton* m_threeD = nullptr;
    QTableWidget* m_table = nullptr;
    QTableWidget* m_voltageTable = nullptr;
    QTableWidget* m_currentTable = nullptr;
    HarmonicsSettings m_settings;
    const LiveStore* m_store = nullptr;
    LiveValuesView m_values;
};

} // namespace kapstat::live
