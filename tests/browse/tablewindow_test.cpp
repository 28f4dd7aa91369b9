#include "app/exportactions.h"
#include "browse/browsestate.h"
#include "browse/chartwindow.h"
#include "browse/frozentableview.h"
#include "browse/gridheader.h"
#include "browse/tablewindow.h"
#include "browsingharness.h"
#include "common/decimaltext.h"
#include "common/settingsstore.h"
#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "downloadeddatabase.h"
#include "link/fakechannel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "print/customplot.h"
#include "print/quickpreviewwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPdfWriter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kapstat;
using download::TableKind;

namespace {

// The main window with its browsing actions over one database downloaded from kapstat-sim.
class TableWindowTest : public fixtures::BrowsingHarness
{
protected:
    static void SetUpTestSuite()
    {
        downloads = new QTemporaryDir;
        selectionFile = new QString(
            fixtures::downloadRichDatabase(downloads->path(), config::MeasuringSystem::Star));
    }
    static void TearDownTestSuite()
    {
        delete selectionFile;
        delete downloads;
    }

    void SetUp() override
    {
        ASSERT_FALSE(selectionFile->isEmpty()) << "the download from kapstat-sim failed";
        main.show();
        browsing.openSelectionFile(*selectionFile);
        ASSERT_TRUE(state.isOpen()) << prompter.lastText().toStdString();
    }

    browse::TableWindow& window(TableKind kind) { return browsing.tableWindow(kind); }
    browse::PagedTableModel& model(TableKind kind) { return *state.model(kind); }

    // The menu's items as texts, "-" for a separator.
    static QStringList texts(QMenu* menu)
    {
        QStringList items;
        for (QAction* item : menu->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return items;
    }

    static QTemporaryDir* downloads;
    static QString* selectionFile;
};

QTemporaryDir* TableWindowTest::downloads = nullptr;
QString* TableWindowTest::selectionFile = nullptr;

} // namespace

TEST_F(TableWindowTest, OpeningShowsEveryTableThePanelAndTheActions)
{
    for (TableKind kind : {TableKind::Rms, TableKind::Harm, TableKind::Zanik})
        EXPECT_TRUE(window(kind).isVisible()) << browse::TableWindow::titleOf(kind).toStdString();
    EXPECT_EQ(window(TableKind::Harm).windowTitle(), QStringLiteral("Wyniki pomiarów odkształceń"));
    EXPECT_TRUE(main.informationPanel()->isVisible());
    for (const char* name : {"acExport2File", "acWykresRMS", "acDrukujWielkosci"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    EXPECT_FALSE(action("acNorma")->isEnabled()) << "the database was not recorded for the norm";
    EXPECT_GT(model(TableKind::Harm).rowCount(), 0);
    EXPECT_EQ(model(TableKind::Harm).rowCount() % 3, 0) << "one row per phase";
}

TEST_F(TableWindowTest, ContextMenusListTheirItemsInOrder)
{
    const QStringList chartAndPrint{
        "Zaznaczenie do wykresu",  "Usuń wszystkie zaznaczenia do wykresu", "-",
        "Zaznaczenie do wydruku",  "Usuń wszystkie zaznaczenia do wydruku", "-",
        "Eksport do pliku PRN...", "Pokaż tylko przekroczenia warunków"};
    EXPECT_EQ(texts(window(TableKind::Rms).buildContextMenu()), chartAndPrint);
    EXPECT_EQ(texts(window(TableKind::Harm).buildContextMenu()),
              (QStringList{"Pokaz fazy", "-"} + chartAndPrint));
    EXPECT_EQ(texts(window(TableKind::Zanik).buildContextMenu()),
              (QStringList{"Zaznaczenie do wydruku", "Usuń wszystkie zaznaczenia do wydruku", "-",
                           "Eksport do pliku PRN..."}));
}

TEST_F(TableWindowTest, TitleClicksChartRmsColumnsButNotFrozenOnes)
{
    browse::FrozenTableView& grid = *window(TableKind::Rms).grid();
    const int umin = model(TableKind::Rms).columnOf(QStringLiteral("Umin"));
    const int war = model(TableKind::Rms).columnOf(QStringLiteral("War"));
    Q_EMIT grid.titles()->sectionClicked(umin);
    EXPECT_TRUE(state.chartSelection().contains(QStringLiteral("Umin"), QStringLiteral("L0")));
    Q_EMIT grid.titles()->sectionClicked(war);
    EXPECT_EQ(state.chartSelection().count(), 1);
    Q_EMIT grid.titles()->sectionClicked(umin);
    EXPECT_TRUE(state.chartSelection().isEmpty());
}

TEST_F(TableWindowTest, PhaseMenuAndConditionFilterRefreshTheGrids)
{
    const int records = model(TableKind::Rms).rowCount();
    const int harmonics = model(TableKind::Harm).rowCount();
    QMenu* menu = window(TableKind::Harm).buildContextMenu();
    QMenu* phases = menu->actions().first()->menu();
    ASSERT_NE(phases, nullptr);
    phases->actions()[1]->trigger(); // L2 off
    EXPECT_FALSE(state.phaseItem(1).checked);
    EXPECT_EQ(model(TableKind::Harm).rowCount(), 2 * harmonics / 3);

    action("acPokazWarunekOnly")->trigger();
    EXPECT_TRUE(state.conditionFilter());
    EXPECT_LT(model(TableKind::Rms).rowCount(), records);
    EXPECT_GT(model(TableKind::Rms).rowCount(), 0);
    for (int row = 0; row < model(TableKind::Harm).rowCount(); ++row)
        ASSERT_GT(model(TableKind::Harm).value(row, QStringLiteral("War")).toInt(), 0);
}

TEST_F(TableWindowTest, ClosingOneTableClosesTheDatabase)
{
    window(TableKind::Harm).close();
    EXPECT_FALSE(state.isOpen());
    for (TableKind kind : {TableKind::Rms, TableKind::Harm, TableKind::Zanik})
        EXPECT_FALSE(window(kind).isVisible());
    EXPECT_FALSE(main.informationPanel()->isVisible());
    for (const char* name : {"acExport2File", "acWykresRMS", "acDrukujWielkosci", "acNorma"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
}

TEST_F(TableWindowTest, ChartAndPrintActionsAskForASelectionFirst)
{
    action("acWykresRMS")->trigger();
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral(
                  "Nie wybrano żadnej wielkości! Wybierz wielkosci do wykresu z tabel wyników.!"));
    action("acDrukujWielkosci")->trigger();
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral(
                  "Nie wybrano żadnej wielkości! Wybierz wielkosci do wykdruku z tabel wyników.!"));
}

TEST_F(TableWindowTest, MovingToAColumnShowsItsPreviewOrHidesIt)
{
    browse::FrozenTableView& rms = *window(TableKind::Rms).grid();
    rms.setCurrentIndex(
        model(TableKind::Rms).index(2, model(TableKind::Rms).columnOf("ProbkiUL1")));
    EXPECT_TRUE(browsing.previewWindow().isVisible()) << "the stored waveform";
    rms.setCurrentIndex(model(TableKind::Rms).index(2, model(TableKind::Rms).columnOf("Umin")));
    EXPECT_FALSE(browsing.previewWindow().isVisible());

    browse::FrozenTableView& harm = *window(TableKind::Harm).grid();
    harm.setCurrentIndex(model(TableKind::Harm).index(1, model(TableKind::Harm).columnOf("BUL1")));
    EXPECT_TRUE(browsing.previewWindow().isVisible()) << "the phasor diagram";
    window(TableKind::Rms).close();
    EXPECT_FALSE(browsing.previewWindow().isVisible());
}

TEST_F(TableWindowTest, ChartWindowPagesTheChartedQuantityAndKeepsTheDayWhileOpen)
{
    const int records = model(TableKind::Rms).rowCount();
    ASSERT_EQ(state.toggleChart(TableKind::Rms, 0, QStringLiteral("Umin")),
              browse::ToggleOutcome::Added);
    browse::ChartWindow& chart = browsing.chartWindow();
    chart.show();
    EXPECT_EQ(chart.totalPoints(), records);
    EXPECT_EQ(chart.firstPoint(), 1);
    EXPECT_EQ(chart.lastPoint(), std::min(records, 1000));
    EXPECT_EQ(chart.page().series[0].points.size(), chart.lastPoint());
    EXPECT_EQ(chart.page().series[0].title, QStringLiteral("Umin"));
    EXPECT_TRUE(
        chart.rangeLabel(false)->text().startsWith(QStringLiteral("Od 00:00:00 dnia 01-01-2020")))
        << chart.rangeLabel(false)->text().toStdString();

    QTest::keyClick(&chart, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(chart.firstPoint(), 1) << "fewer points than a page stay on the first page";

    chart.dayBox()->setChecked(true);
    ASSERT_TRUE(state.filter().dayStart);
    EXPECT_LT(model(TableKind::Rms).rowCount(), records) << "the tables see the computing day";
    EXPECT_TRUE(chart.dayDate()->styleSheet().isEmpty()) << "the first record's day is no bound";
    chart.dayButton(-1)->click();
    EXPECT_FALSE(chart.dayDate()->styleSheet().isEmpty()) << "the day before the first is a bound";
    chart.dayButton(-1)->click(); // beeps and stays
    EXPECT_EQ(chart.dayDate()->date(), QDate(2019, 12, 31));

    // A right-button drag to the left shows later times.
    QCustomPlot* plot = chart.plot();
    const double earliest = plot->xAxis->range().lower;
    auto send = [plot](QEvent::Type type, QPointF at, Qt::MouseButton button,
                       Qt::MouseButtons held) {
        QMouseEvent event(type, at, plot->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(plot, &event);
    };
    send(QEvent::MouseButtonPress, {300, 150}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, {200, 150}, Qt::NoButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, {200, 150}, Qt::RightButton, Qt::NoButton);
    EXPECT_GT(plot->xAxis->range().lower, earliest);

    // The upper limit's pick button takes the value under the mouse; a click on the chart lets go.
    chart.setLimit(true, true, 1);
    chart.pickButton(true)->click();
    send(QEvent::MouseMove, {300, 120}, Qt::NoButton, Qt::NoButton);
    const double picked = plot->yAxis->pixelToCoord(120);
    EXPECT_NEAR(chart.limits().upper, picked, 0.01);
    send(QEvent::MouseButtonPress, {300, 120}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {300, 120}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(chart.pickButton(true)->isChecked());

    chart.setLimit(true, true, 253);
    auto valueOf = [](double v) {
        return [v](const QString&) { return std::optional<double>(v); };
    };
    EXPECT_TRUE(chart.passesLimits(valueOf(253.5)));
    EXPECT_FALSE(chart.passesLimits(valueOf(253)));
    chart.reject();
    EXPECT_FALSE(state.filter().dayStart) << "closing the chart ends the computing day";
    EXPECT_EQ(model(TableKind::Rms).rowCount(), records);
}

TEST_F(TableWindowTest, ChartExportKeepsTheVisibleRecordsThatBreakALimit)
{
    ASSERT_EQ(state.toggleChart(TableKind::Rms, 0, QStringLiteral("Umax")),
              browse::ToggleOutcome::Added);
    browse::ChartWindow& chart = browsing.chartWindow();
    chart.show();
    chart.setLimit(true, true, 240);
    const QString chosen = folder.filePath(QStringLiteral("wykres.prn"));
    browsing.exportActions().setSaveChooser([&](QWidget*, const QString&) { return chosen; });
    Q_EMIT chart.exportRequested();
    chart.reject();

    const auto lines = common::Windows1250Text::readLines(chosen);
    ASSERT_TRUE(lines);
    const int umax =
        static_cast<int>(lines->first().split(';').indexOf(QStringLiteral("\"Umax\"")));
    ASSERT_GE(umax, 0) << lines->first().toStdString();
    ASSERT_GT(lines->size(), 1) << "the recording has over-voltages above 240 V";
    EXPECT_LT(lines->size() - 1, model(TableKind::Rms).rowCount());
    for (const QString& line : lines->mid(1))
        EXPECT_GT(common::DecimalText::parse(line.split(';')[umax]).value_or(0), 240)
            << line.toStdString();
}

TEST_F(TableWindowTest, ChartPrintsInsideTheOptionsMargins)
{
    ASSERT_EQ(state.toggleChart(TableKind::Rms, 0, QStringLiteral("Usr")),
              browse::ToggleOutcome::Added);
    browse::ChartWindow& chart = browsing.chartWindow();
    chart.show();
    QPdfWriter pdf(folder.filePath(QStringLiteral("wykres.pdf")));
    chart.paintChart(pdf);
    chart.reject();
    EXPECT_GT(QFileInfo(folder.filePath(QStringLiteral("wykres.pdf"))).size(), 1000);
}
