#include "browse/chartwindow.h"

#include "browse/browsestate.h"
#include "browse/chartoptionswindow.h"
#include "common/datetimetext.h"
#include "common/decimaltext.h"
#include "common/defaultfolders.h"
#include "common/settingsstore.h"
#include "print/customplot.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace kapstat::browse {

namespace {

const Qt::PenStyle LineStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                   Qt::DashDotDotLine};
const QColor LightYellow(255, 255, 128);

} // namespace

struct ChartWindow::LimitRow
{
    QCheckBox* on = nullptr;
    QLineEdit* value = nullptr;
    QToolButton* pick = nullptr;
    QLabel* swatch = nullptr;
    QCPItemStraightLine* line = nullptr;
    QColor colour;

    void placeLine(double value)
    {
        line->point1->setCoords(0, value);
        line->point2->setCoords(1, value);
    }
};

ChartWindow::ChartWindow(BrowseState& state, common::SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_state(state), m_settings(settings), m_upper(std::make_unique<LimitRow>()),
      m_lower(std::make_unique<LimitRow>())
{
    setWindowTitle(tr("Wykres pomiarów"));
    setMinimumSize(420, 250);
    resize(1000, 620);
    m_plot = new QCustomPlot(this);
    m_plot->setToolTip(
        tr("Lewy przycisk myszy - powiększenie/zmniejszenie prostokątnego fragmentu wykresu. ") +
        QStringLiteral("\r\n") + tr("Prawy przycisk myszy - przesuwanie wykresu."));
    m_plot->setCursor(Qt::CrossCursor);
    m_plot->setSelectionRectMode(QCP::srmZoom);
    m_plot->setInteraction(QCP::iRangeZoom);
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(QStringLiteral("yyyy-MM-dd\nhh:mm:ss"));
    // x holds wall-clock seconds; labelled as UTC they read as the recorder's clock did.
    ticker->setDateTimeSpec(Qt::UTC);
    m_plot->xAxis->setTicker(ticker);
    m_plot->legend->setVisible(true);
    m_plot->plotLayout()->insertRow(0);
    m_plot->plotLayout()->addElement(0, 0, m_plot->legend);
    m_plot->legend->setFillOrder(QCPLegend::foColumnsFirst);
    m_plot->plotLayout()->setRowStretchFactor(0, 0.001);
    for (int i = 0; i < ChartSelection::SlotCount; ++i)
        m_plot->addGraph();
    for (LimitRow* row : {m_upper.get(), m_lower.get()}) {
        row->line = new QCPItemStraightLine(m_plot);
        row->line->setVisible(false);
    }
    m_upper->colour = Qt::red;
    m_lower->colour = Qt::green;
    m_upper->line->setPen(QPen(Qt::red, 1, Qt::DashLine));
    m_lower->line->setPen(QPen(Qt::green, 1, Qt::DashDotLine));
    connect(m_plot, &QCustomPlot::mouseMove, this, &ChartWindow::onMouseMove);
    connect(m_plot, &QCustomPlot::mousePress, this, &ChartWindow::onMousePress);
    connect(m_plot, &QCustomPlot::mouseRelease, this, [this] { m_dragStart.reset(); });

    m_navigator = new QSlider(Qt::Horizontal, this);
    m_navigator->setToolTip(tr("Nawigacja po rekordach wyników."));
    connect(m_navigator, &QSlider::valueChanged, this, [this](int first) {
        if (!m_settingUp)
            showPageFrom(first);
    });
    m_from = new QLabel(this);
    m_to = new QLabel(this);
    m_to->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_to->setContentsMargins(0, 0, 8, 0);
    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addStretch();
    range->addWidget(m_to);

    m_cursorValue = new QLabel(this);
    m_cursorTime = new QLabel(this);
    auto* status = new QHBoxLayout;
    status->addWidget(new QLabel(tr("Pozycja kursora:"), this));
    status->addWidget(m_cursorValue);
    status->addWidget(m_cursorTime);
    status->addStretch();

    auto* chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_plot, 1);
    chartColumn->addLayout(range);
    chartColumn->addWidget(m_navigator);
    chartColumn->addLayout(status);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(chartColumn, 1);
    layout->addWidget(createSidePanel());
}

ChartWindow::~ChartWindow() = default;

QWidget* ChartWindow::createSidePanel()
{
    auto* panel = new QWidget(this);
    panel->setFixedWidth(260);
    auto* layout = new QVBoxLayout(panel);
    for (int i = 0; i < ChartSelection::SlotCount; ++i) {
        QCheckBox* box = m_seriesBoxes[i] = new QCheckBox(panel);
        box->setToolTip(tr("Chwilowe wyłączenie widoku poszczególnych przebiegów."));
        connect(box, &QCheckBox::toggled, this, [this, i](bool shown) {
            m_plot->graph(i)->setVisible(shown);
            m_plot->graph(i)->setSelectable(QCP::stNone);
            m_plot->replot();
        });
        layout->addWidget(box);
    }
    layout->addWidget(createLimitRow(*m_upper, true));
    layout->addWidget(createLimitRow(*m_lower, false));
    layout->addWidget(createDayRow());
    m_statistics = new QTableWidget(0, 4, panel);
    m_statistics->setHorizontalHeaderLabels({QString(), tr("min"), tr("max"), tr("śr.")});
    m_statistics->verticalHeader()->hide();
    m_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_statistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_statistics->hide();
    layout->addWidget(m_statistics);
    layout->addStretch();
    layout->addWidget(createButtons());
    return panel;
}

QWidget* ChartWindow::createLimitRow(LimitRow& row, bool upper)
{
    auto* widget = new QWidget(this);
    row.on = new QCheckBox(upper ? tr("Limit górny") : tr("Limit dolny"), widget);
    row.on->setToolTip(upper ? tr("Uaktywnienie limitu górnego.")
                             : tr("Uaktywnienie limitu dolnego."));
    row.value = new QLineEdit(QStringLiteral("0"), widget);
    row.value->setToolTip(upper ? tr("Limit górny.") : tr("Limit dolny."));
    row.value->setMaximumWidth(80);
    row.pick = new QToolButton(widget);
    row.pick->setText(QStringLiteral("↕"));
    row.pick->setCheckable(true);
    row.pick->setEnabled(false);
    row.pick->setToolTip(upper ? tr("Wskazanie limitu górnego.") : tr("Wskazanie limitu dolnego."));
    row.swatch = new QLabel(widget);
    row.swatch->setFixedSize(16, 16);
    row.swatch->setStyleSheet(QStringLiteral("background: %1").arg(row.colour.name()));
    row.swatch->hide();
    connect(row.on, &QCheckBox::toggled, this, [this, &row] { applyLimit(row); });
    connect(row.value, &QLineEdit::editingFinished, this, [this, &row] { applyLimit(row); });
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(row.on);
    layout->addWidget(row.value);
    layout->addWidget(row.pick);
    layout->addWidget(row.swatch);
    return widget;
}

QWidget* ChartWindow::createDayRow()
{
    auto* widget = new QWidget(this);
    m_dayOn = new QCheckBox(tr("Doba obliczeniowa"), widget);
    m_dayDate = new QDateEdit(widget);
    m_dayDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_dayDate->setCalendarPopup(true);
    m_dayDate->setToolTip(tr("Data początku doby obliczeniowej."));
    m_dayHour = new QTimeEdit(widget);
    m_dayHour->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    m_dayHour->setToolTip(tr("Godzina początku doby obliczeniowej."));
    m_dayPrevious = new QToolButton(widget);
    m_dayPrevious->setArrowType(Qt::UpArrow);
    m_dayNext = new QToolButton(widget);
    m_dayNext->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_dayPrevious, m_dayNext})
        button->setToolTip(tr("Doba poprzednia / kolejna."));
    connect(m_dayOn, &QCheckBox::toggled, this, &ChartWindow::applyDayChange);
    connect(m_dayDate, &QDateEdit::dateChanged, this, &ChartWindow::applyDayChange);
    connect(m_dayHour, &QTimeEdit::timeChanged, this, &ChartWindow::applyDayChange);
    connect(m_dayPrevious, &QToolButton::clicked, this, [this] { stepDay(-1); });
    connect(m_dayNext, &QToolButton::clicked, this, [this] { stepDay(1); });
    auto* layout = new QGridLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dayOn, 0, 0, 1, 3);
    layout->addWidget(m_dayDate, 1, 0);
    layout->addWidget(m_dayHour, 1, 1);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(m_dayPrevious);
    spin->addWidget(m_dayNext);
    layout->addLayout(spin, 1, 2);
    return widget;
}

QWidget* ChartWindow::createButtons()
{
    auto* widget = new QWidget(this);
    auto* layout = new QGridLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const QString& text, const QString& hint, int row, int column) {
        auto* button = new QPushButton(text, widget);
        button->setToolTip(hint);
        layout->addWidget(button, row, column);
        return button;
    };
    connect(add(tr("Opcje"), tr("Opcje wykresu."), 0, 0), &QPushButton::clicked, this,
            &ChartWindow::showOptions);
    connect(add(tr("Drukuj wykres"), tr("Wydruk widocznej częsci wykresu."), 0, 1),
            &QPushButton::clicked, this, &ChartWindow::printChart);
    connect(add(tr("Zapisz obraz"), tr("Zapis obrazu wykresu do pliku graficznego BMP."), 1, 0),
            &QPushButton::clicked, this, &ChartWindow::saveImage);
    connect(add(tr("Drukuj tabelę"),
                tr("Wydruk wyników pomiarów wielkości widocznych na wykresie."), 1, 1),
            &QPushButton::clicked, this, &ChartWindow::printRequested);
    connect(add(tr("Eksportuj"),
                tr("Eksport danych pomiarowych do pliku tekstowego, tylko z przedziału zasu "
                   "widocznego na wykresie."),
                2, 0),
            &QPushButton::clicked, this, &ChartWindow::exportRequested);
    QPushButton* statistics =
        add(tr("Statystyki"), tr("Wartości min. max. i średnie liczone z punktów wykresu."), 2, 1);
    statistics->setCheckable(true);
    connect(statistics, &QPushButton::toggled, m_statistics, &QWidget::setVisible);
    return widget;
}

void ChartWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        setUp();
    QDialog::showEvent(event);
}

void ChartWindow::readSettings()
{
    m_chartSettings = ChartSettings::load(m_settings);
    m_pointsPerPage = m_chartSettings.pointsPerPage;
    applySettings();
}

void ChartWindow::applySettings()
{
    const ChartSettings& look = m_chartSettings;
    auto applyAxis = [](QCPAxis* axis, const QString& title, const ChartFont& titleFont,
                        const ChartFont& labelFont, bool visible) {
        axis->setLabel(title);
        axis->setLabelFont(titleFont.font);
        axis->setLabelColor(titleFont.colour);
        axis->setTickLabelFont(labelFont.font);
        axis->setTickLabelColor(labelFont.colour);
        axis->setBasePen(QPen(labelFont.colour));
        axis->setVisible(visible);
    };
    applyAxis(m_plot->xAxis, look.xTitle, look.xTitleFont, look.xLabelFont, look.xVisible);
    applyAxis(m_plot->yAxis, look.yTitle, look.yTitleFont, look.yLabelFont, look.yVisible);
    m_plot->xAxis->setTickLabelRotation(look.xLabelAngle);
    m_plot->axisRect()->setBackground(look.background);
    m_plot->setBackground(look.margin);
    m_plot->legend->setFont(look.legendFont.font);
    m_plot->legend->setTextColor(look.legendFont.colour);
    m_plot->legend->setBrush(look.legendColour);
    m_plot->legend->setVisible(look.legendVisible);
    styleSeries();
}

void ChartWindow::styleSeries()
{
    for (int i = 0; i < ChartSelection::SlotCount; ++i) {
        const QColor colour = m_chartSettings.seriesColours[i];
        m_plot->graph(i)->setPen(QPen(colour, 1, LineStyles[m_chartSettings.lineStyles[i]]));
        m_seriesBoxes[i]->setStyleSheet(QStringLiteral("color: %1").arg(colour.name()));
    }
}

void ChartWindow::showOptions()
{
    if (!m_options)
        m_options = new ChartOptionsWindow(this);
    m_chartSettings.pointsPerPage = m_dayOn->isChecked() ? m_keptPointsPerPage : m_pointsPerPage;
    const auto edited = m_options->edit(m_chartSettings);
    if (!edited)
        return;
    m_chartSettings = *edited;
    m_chartSettings.save(m_settings);
    applySettings();
    m_keptPointsPerPage = m_chartSettings.pointsPerPage;
    if (!m_dayOn->isChecked())
        m_pointsPerPage = m_keptPointsPerPage;
    showPageFrom(1);
}

void ChartWindow::setUp()
{
    m_settingUp = true;
    readSettings();
    const ChartSelection& selection = m_state.chartSelection();
    BrowseTable* table = m_state.table(selection.table());
    m_pager = table ? std::make_unique<ChartPager>(*table, selection, m_state.phaseCountCode(),
                                                   m_state.norm().recordPeriodSeconds)
                    : nullptr;
    // The day picker spans the recording: from the day before its first record to its last.
    RecordFilter whole = m_state.filter();
    whole.dayStart.reset();
    const int dic = table ? table->columnIndex(QStringLiteral("DiC")) : -1;
    const auto first = table ? table->firstRow(whole) : std::nullopt;
    const auto last = table ? table->lastRow(whole) : std::nullopt;
    const QDateTime firstTime =
        first ? common::DateTimeText::parseDateTime(first->values[dic].toString()) : QDateTime();
    const QDateTime lastTime =
        last ? common::DateTimeText::parseDateTime(last->values[dic].toString()) : firstTime;
    m_dayDate->clearMinimumDate();
    m_dayDate->clearMaximumDate();
    if (firstTime.isValid()) {
        m_dayDate->setDateRange(firstTime.date().addDays(-1), lastTime.date());
        m_dayDate->setDate(firstTime.date());
        m_dayHour->setTime(firstTime.time());
    }
    m_dayOn->setChecked(false);
    for (LimitRow* row : {m_upper.get(), m_lower.get()}) {
        row->on->setChecked(false);
        row->value->setText(QStringLiteral("0"));
    }
    for (int i = 0; i < ChartSelection::SlotCount; ++i) {
        const ChartSlot& slot = selection.slots()[i];
        QCPGraph* graph = m_plot->graph(i);
        graph->setName(m_pager && slot.isFilled() ? m_pager->seriesTitle(slot) : QString());
        graph->setVisible(slot.isFilled());
        graph->removeFromLegend();
        if (slot.isFilled())
            graph->addToLegend();
        m_seriesBoxes[i]->setVisible(slot.isFilled());
        m_seriesBoxes[i]->setChecked(slot.isFilled());
        m_seriesBoxes[i]->setText(graph->name());
    }
    m_settingUp = false;
    refreshDayControls();
    m_keptPointsPerPage = m_pointsPerPage;
    m_total = m_pager ? m_pager->totalPoints(m_state.filter()) : 0;
    showPageFrom(1);
}

qint64 ChartWindow::lastPoint() const
{
    return std::min<qint64>(m_total, m_first + m_pointsPerPage - 1);
}

void ChartWindow::showPageFrom(qint64 first)
{
    m_first = first;
    buildPage();
}

void ChartWindow::buildPage()
{
    if (!m_pager)
        return;
    m_page = m_pager->page(m_state.filter(), m_first, lastPoint());
    drawSeries();
    showStatistics();
    if (m_dayOn->isChecked()) {
        const QDateTime start(m_dayDate->date(), m_dayHour->time());
        m_plot->xAxis->setRange(wallClockKey(start), wallClockKey(start.addDays(1)));
    } else
        m_plot->xAxis->rescale();
    m_plot->yAxis->setRange(m_page.axisMinimum, m_page.axisMaximum);
    const auto [from, to] = visibleRange();
    m_from->setText(rangeText(tr("Od "), from));
    m_to->setText(rangeText(tr("do "), to));
    m_settingUp = true;
    m_navigator->setRange(1, static_cast<int>(std::max<qint64>(1, m_total - m_pointsPerPage + 1)));
    m_navigator->setValue(static_cast<int>(m_first));
    m_settingUp = false;
    m_plot->replot();
}

void ChartWindow::drawSeries()
{
    for (int i = 0; i < ChartSelection::SlotCount; ++i) {
        QVector<double> keys;
        QVector<double> values;
        for (const ChartPoint& point : m_page.series[i].points) {
            // A NaN between two points breaks the line there.
            if (point.gap && !keys.isEmpty()) {
                keys << keys.last();
                values << std::nan("");
            }
            keys << point.key;
            values << point.value;
        }
        m_plot->graph(i)->setData(keys, values, true);
    }
}

void ChartWindow::showStatistics()
{
    m_statistics->setRowCount(0);
    for (const ChartSeries& series : m_page.series) {
        if (!series.used)
            continue;
        const int row = m_statistics->rowCount();
        m_statistics->insertRow(row);
        const QStringList cells{series.title, common::DecimalText::fixed(series.minimum, 2),
                                common::DecimalText::fixed(series.maximum, 2),
                                common::DecimalText::fixed(series.mean, 2)};
        for (int column = 0; column < cells.size(); ++column)
            m_statistics->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
}

std::pair<QDateTime, QDateTime> ChartWindow::visibleRange() const
{
    const QCPRange range = m_plot->xAxis->range();
    return {fromWallClockKey(range.lower), fromWallClockKey(range.upper)};
}

QString ChartWindow::rangeText(const QString& prefix, const QDateTime& moment)
{
    return prefix + moment.toString(QStringLiteral("hh:mm:ss")) + tr(" dnia ") +
           moment.toString(QStringLiteral("dd-MM-yyyy"));
}

void ChartWindow::keyPressEvent(QKeyEvent* event)
{
    const bool page = event->modifiers() & Qt::ControlModifier;
    const qint64 distance = page ? m_pointsPerPage : 1;
    if (event->key() == Qt::Key_Left)
        movePage(-distance);
    else if (event->key() == Qt::Key_Right)
        movePage(distance);
    else
        QDialog::keyPressEvent(event);
}

void ChartWindow::movePage(qint64 move)
{
    showPageFrom(ChartPager::clampedFirst(m_first, move, m_pointsPerPage, m_total));
}

void ChartWindow::applyDayChange()
{
    if (m_settingUp)
        return;
    const bool on = m_dayOn->isChecked();
    refreshDayControls();
    m_state.setComputingDay(
        on ? std::optional<QDateTime>(QDateTime(m_dayDate->date(), m_dayHour->time()))
           : std::nullopt);
    m_total = m_pager ? m_pager->totalPoints(m_state.filter()) : 0;
    m_pointsPerPage = on ? static_cast<int>(std::max<qint64>(m_total, 1)) : m_keptPointsPerPage;
    showPageFrom(1);
}

void ChartWindow::refreshDayControls()
{
    const bool on = m_dayOn->isChecked();
    m_navigator->setEnabled(!on);
    m_dayHour->setEnabled(on);
    m_dayPrevious->setEnabled(on);
    m_dayNext->setEnabled(on);
    const QDate date = m_dayDate->date();
    const bool atBound = date == m_dayDate->minimumDate() || date == m_dayDate->maximumDate();
    m_dayDate->setStyleSheet(
        on && atBound ? QStringLiteral("QDateEdit { background: %1; }").arg(LightYellow.name())
                      : QString());
}

void ChartWindow::stepDay(int direction)
{
    const QDateTime start(m_dayDate->date(), m_dayHour->time());
    const QDate target = start.addDays(direction).date();
    if (target > m_dayDate->maximumDate() || target < m_dayDate->minimumDate()) {
        QApplication::beep();
        return;
    }
    m_dayDate->setDate(target);
}

QToolButton* ChartWindow::pickButton(bool upper) const
{
    return (upper ? m_upper : m_lower)->pick;
}

ChartLimits ChartWindow::limits() const
{
    auto valueOf = [](const LimitRow& row) {
        return common::DecimalText::parse(row.value->text()).value_or(0);
    };
    return {m_upper->on->isChecked(), m_lower->on->isChecked(), valueOf(*m_upper),
            valueOf(*m_lower)};
}

bool ChartWindow::passesLimits(
    const std::function<std::optional<double>(const QString&)>& value) const
{
    std::array<bool, ChartSelection::SlotCount> shown{};
    for (int i = 0; i < ChartSelection::SlotCount; ++i)
        shown[i] = m_seriesBoxes[i]->isChecked();
    return !m_pager || m_pager->passesLimits(limits(), shown, value);
}

void ChartWindow::setLimit(bool upper, bool on, double value)
{
    LimitRow& row = upper ? *m_upper : *m_lower;
    row.value->setText(common::DecimalText::general(value));
    row.on->setChecked(on);
    applyLimit(row);
}

void ChartWindow::applyLimit(LimitRow& row)
{
    const bool on = row.on->isChecked();
    const double value = common::DecimalText::parse(row.value->text()).value_or(0);
    if (on) {
        row.value->setText(common::DecimalText::general(value));
        row.placeLine(value);
    }
    row.line->setVisible(on);
    row.swatch->setVisible(on);
    row.pick->setChecked(false);
    row.pick->setEnabled(on);
    m_plot->replot();
}

void ChartWindow::onMousePress(QMouseEvent* event)
{
    m_upper->pick->setChecked(false);
    m_lower->pick->setChecked(false);
    if (event->button() != Qt::RightButton)
        return;
    m_dragStart = event->position();
    m_dragXRange = {m_plot->xAxis->range().lower, m_plot->xAxis->range().upper};
    m_dragYRange = {m_plot->yAxis->range().lower, m_plot->yAxis->range().upper};
}

void ChartWindow::dragBy(const QPointF& position)
{
    auto shift = [](QCPAxis* axis, double from, double to, const std::pair<double, double>& range) {
        const double delta = axis->pixelToCoord(from) - axis->pixelToCoord(to);
        axis->setRange(range.first + delta, range.second + delta);
    };
    // The axes are read at the drag's start, so the shift is measured against the same scale.
    m_plot->xAxis->setRange(m_dragXRange.first, m_dragXRange.second);
    m_plot->yAxis->setRange(m_dragYRange.first, m_dragYRange.second);
    shift(m_plot->xAxis, m_dragStart->x(), position.x(), m_dragXRange);
    shift(m_plot->yAxis, m_dragStart->y(), position.y(), m_dragYRange);
    m_plot->replot();
}

void ChartWindow::onMouseMove(QMouseEvent* event)
{
    if (m_dragStart && (event->buttons() & Qt::RightButton))
        dragBy(event->position());
    int shown = -1;
    for (int i = 0; i < ChartSelection::SlotCount && shown < 0; ++i)
        if (m_plot->graph(i)->visible())
            shown = i;
    if (shown < 0)
        return;
    const double x = m_plot->xAxis->pixelToCoord(event->position().x());
    const double y = m_plot->yAxis->pixelToCoord(event->position().y());
    m_cursorTime->setText(x > 0 ? common::DateTimeText::dateTime(fromWallClockKey(x)) : QString());
    m_cursorValue->setText(common::DecimalText::fixed(y, 2));
    for (LimitRow* row : {m_upper.get(), m_lower.get()})
        if (row->pick->isChecked()) {
            row->value->setText(QString::number(std::round(y * 100) / 100).replace('.', ','));
            row->placeLine(y);
            m_plot->replot();
        }
}

void ChartWindow::saveImage()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Zapisz obraz wykresu"), common::DefaultFolders::ofThisProgram().dialogFolder(),
        tr("Pliki graficzne (*.bmp *.BMP);;Obrazy PNG (*.png);;Dokumenty PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool saved = suffix == QLatin1String("pdf")   ? m_plot->savePdf(path)
                       : suffix == QLatin1String("png") ? m_plot->savePng(path)
                                                        : m_plot->saveBmp(path);
    if (!saved)
        QMessageBox::warning(this, windowTitle(), tr("Nie udało się zapisać pliku %1.").arg(path));
}

void ChartWindow::printChart()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        paintChart(printer);
}

void ChartWindow::paintChart(QPagedPaintDevice& device) const
{
    // The chart options' margins are percentages of the page: left, right, top, bottom.
    const QRect page(0, 0, device.width(), device.height());
    const auto& margins = m_chartSettings.printMargins;
    const QRect area(page.width() * margins[0] / 100, page.height() * margins[2] / 100,
                     page.width() * (100 - margins[0] - margins[1]) / 100,
                     page.height() * (100 - margins[2] - margins[3]) / 100);
    if (area.width() <= 0 || area.height() <= 0)
        return;
    QCPPainter painter(&device);
    const double scale =
        std::min(area.width() / double(m_plot->width()), area.height() / double(m_plot->height()));
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    m_plot->toPainter(&painter, m_plot->width(), m_plot->height());
}

void ChartWindow::done(int result)
{
    // The computing day lives only while the chart is open.
    m_dayOn->setChecked(false);
    QDialog::done(result);
}

} // namespace kapstat::browse
