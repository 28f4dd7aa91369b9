#pragma once

#include "browse/chartpage.h"
#include "browse/chartsettings.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QCustomPlot;
class QCPItemStraightLine;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QSlider;
class QTableWidget;
class QTimeEdit;
class QToolButton;

namespace kapstat::common {
class SettingsStore;
}

namespace kapstat::browse {

class BrowseState;
class ChartOptionsWindow;

// "Wykres pomiarów": up to four charted quantities over time, a page of time points at a time,
// with a computing day, two limit lines and the statistics of the plotted points. Opened modally
// and rebuilt from the chart selection each time.
class ChartWindow : public QDialog
{
    Q_OBJECT

public:
    ChartWindow(BrowseState& state, common::SettingsStore& settings, QWidget* parent = nullptr);
    ~ChartWindow() override;

    QCustomPlot* plot() const { return m_plot; }
    qint64 firstPoint() const { return m_first; }
    qint64 lastPoint() const;
    qint64 totalPoints() const { return m_total; }
    const ChartPage& page() const { return m_page; }
    ChartLimits limits() const;
    // The limit test of the chart's export and printout for a record's values by column.
    bool passesLimits(const std::function<std::optional<double>(const QString&)>& value) const;
    QCheckBox* dayBox() const { return m_dayOn; }
    QDateEdit* dayDate() const { return m_dayDate; }
    QToolButton* dayButton(int direction) const
    {
        return direction > 0 ? m_dayNext : m_dayPrevious;
    }
    QLabel* rangeLabel(bool end) const { return end ? m_to : m_from; }
    QToolButton* pickButton(bool upper) const;
    ChartOptionsWindow* optionsWindow() const { return m_options; }
    const ChartSettings& chartSettings() const { return m_chartSettings; }
    // "Opcje wykresu.": on OK the new look is applied, stored and the first page shown again.
    void showOptions();
    void setLimit(bool upper, bool on, double value);
    // The chart as shown, inside the print margins of the chart options.
    void paintChart(QPagedPaintDevice& device) const;

    static QString rangeText(const QString& prefix, const QDateTime& moment);
    // The time range the bottom axis shows now.
    std::pair<QDateTime, QDateTime> visibleRange() const;

Q_SIGNALS:
    // The visible part's records printed as a table, or exported as text.
    void printRequested();
    void exportRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    struct LimitRow;

    QWidget* createSidePanel();
    QWidget* createLimitRow(LimitRow& row, bool upper);
    QWidget* createDayRow();
    QWidget* createButtons();
    void setUp();
    void readSettings();
    void applySettings();
    void styleSeries();
    void showPageFrom(qint64 first);
    void buildPage();
    void drawSeries();
    void showStatistics();
    void movePage(qint64 move);
    void applyDayChange();
    void stepDay(int direction);
    void refreshDayControls();
    void applyLimit(LimitRow& row);
    void onMouseMove(QMouseEvent* event);
    void onMousePress(QMouseEvent* event);
    // A right-button drag moves the visible part of the chart.
    void dragBy(const QPointF& position);
    void saveImage();
    void printChart();

    BrowseState& m_state;
    common::SettingsStore& m_settings;
    std::unique_ptr<ChartPager> m_pager;
    ChartPage m_page;
    qint64 m_first = 1;
    qint64 m_total = 0;
    int m_pointsPerPage = 1000;
    int m_keptPointsPerPage = 1000;
    ChartSettings m_chartSettings;
    ChartOptionsWindow* m_options = nullptr;
    QCustomPlot* m_plot = nullptr;
    std::array<QCheckBox*, ChartSelection::SlotCount> m_seriesBoxes{};
    std::unique_ptr<LimitRow> m_upper;
    std::unique_ptr<LimitRow> m_lower;
    QCheckBox* m_dayOn = nullptr;
    QDateEdit* m_dayDate = nullptr;
    QTimeEdit* m_dayHour = nullptr;
    QToolButton* m_dayPrevious = nullptr;
    QToolButton* m_dayNext = nullptr;
    QLabel* m_from = nullptr;
    QLabel* m_to = nullptr;
    QSlider* m_navigator = nullptr;
    QTableWidget* m_statistics = nullptr;
    QLabel* m_cursorValue = nullptr;
    QLabel* m_cursorTime = nullptr;
    bool m_settingUp = false;
    std::optional<QPointF> m_dragStart;
    std::pair<double, double> m_dragXRange;
    std::pair<double, double> m_dragYRange;
};

} // namespace kapstat::browse
