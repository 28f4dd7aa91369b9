// The live window against the emulated recorder: its start, its adaptation to the measuring
// system, the waveform buttons and zoom, the harmonics tabs, the phasors and a deferred close.
#include "link/commandtable.h"
#include "live/harmonicspage.h"
#include "live/livevaluepages.h"
#include "live/phasorpage.h"
#include "live/quantitynumbers.h"
#include "live/valuefieldlabel.h"
#include "live/waveformpage.h"
#include "livewindowharness.h"
#include "print/customplot.h"

#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::live;
using config::MeasuringSystem;

namespace {

double axisLimit(const LiveStore& store, const calib::RangeScale& scale, int channel)
{
    return 2048 * scale.at(channel, store.ranges[channel]);
}

} // namespace

TEST(LiveWindow, OpensWithResetFieldsThenShowsFramesAtTheLinksPace)
{
    LiveWindowHarness h;
    h.window.show();
    EXPECT_EQ(h.window.size(), QSize(668, 517));
    EXPECT_EQ(h.window.valuePages()->totalsValue(0)->text(), QStringLiteral(" 0,00"));
    EXPECT_EQ(h.window.valuePages()->totalsValue(21)->text(), QStringLiteral("000000,0"));
    ASSERT_TRUE(h.waitForFrames(3));
    EXPECT_EQ(h.server.emulator().commandCount(link::Command::ReadConfiguration), 1);
    EXPECT_GE(h.server.emulator().commandCount(link::Command::InstantFrame), 3);
    // The frame's own coefficients scale the next one: the axes span its range.
    QCustomPlot* chart = h.window.waveformPage()->chart(0);
    EXPECT_EQ(chart->graph(0)->dataCount(), 300);
    EXPECT_NEAR(chart->yAxis->range().upper, axisLimit(h.store, h.scale, 0), 1e-9);
    EXPECT_NEAR(chart->yAxis2->range().upper, axisLimit(h.store, h.scale, 3), 1e-9);
    const QString u = h.window.valuePages()->totalsValue(0)->text();
    EXPECT_NE(u, QStringLiteral(" 0,00"));
    h.window.closeNow();
}

TEST(LiveWindow, AdaptsToDeltaAndKeepsThePreviousHarmonicsTab)
{
    LiveWindowHarness h(LiveWindowHarness::withSystem(MeasuringSystem::Delta));
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(2));
    WaveformPage* waves = h.window.waveformPage();
    EXPECT_TRUE(waves->chart(1)->isVisible());
    EXPECT_FALSE(waves->chart(2)->isVisible());
    EXPECT_FALSE(waves->phaseButton(2)->isEnabled());
    EXPECT_TRUE(waves->allVoltagesButton()->isEnabled());
    HarmonicsPage* harmonics = h.window.harmonicsPage();
    for (const int tab : {2, 5, 8})
        EXPECT_EQ(harmonics->tabButton(tab)->text(), QStringLiteral("---"));
    h.window.pages()->setCurrentIndex(LiveWindow::Harmonics);
    harmonics->tabButton(4)->click();
    harmonics->tabButton(5)->click();
    EXPECT_EQ(harmonics->tab(), 4);
    EXPECT_TRUE(harmonics->tabButton(4)->isChecked());
    EXPECT_EQ(harmonics->title()->text(), QStringLiteral("Harmoniczne I L2 [%]"));
    EXPECT_FALSE(harmonics->normButton()->isEnabled());
    harmonics->tabButton(0)->click();
    EXPECT_EQ(harmonics->table()->item(0, 1)->text(), QStringLiteral("U31[%]"));
    // UDC to CFI of the totals page are hidden under delta.
    EXPECT_TRUE(h.window.valuePages()->totalsCaption(9)->isHidden());
    h.window.closeNow();
}

TEST(LiveWindow, SinglePhaseLeavesOnlyTheFirstChartAndButton)
{
    LiveWindowHarness h(LiveWindowHarness::withSystem(MeasuringSystem::SinglePhase));
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(2));
    WaveformPage* waves = h.window.waveformPage();
    EXPECT_FALSE(waves->chart(1)->isVisible());
    EXPECT_FALSE(waves->chart(2)->isVisible());
    EXPECT_TRUE(waves->phaseButton(0)->isEnabled());
    for (QToolButton* b : {waves->phaseButton(1), waves->phaseButton(2), waves->allVoltagesButton(),
                           waves->allCurrentsButton()})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    EXPECT_FALSE(h.window.valuePages()->totalsCaption(9)->isHidden());
    h.window.closeNow();
}

TEST(LiveWindow, AllCurrentsButtonAndZoomThatSurvivesFrames)
{
    LiveWindowHarness h;
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(2));
    WaveformPage* waves = h.window.waveformPage();
    QCustomPlot* chart = waves->chart(0);
    waves->allCurrentsButton()->click();
    EXPECT_EQ(chart->height(), 456);
    EXPECT_FALSE(waves->phaseButton(0)->isEnabled());
    EXPECT_FALSE(chart->graph(0)->visible()); // UL1
    EXPECT_TRUE(chart->graph(1)->visible());  // IL1
    EXPECT_TRUE(chart->graph(5)->visible());  // IL3
    ASSERT_TRUE(h.waitForFrames(h.frames + 1));
    const double widest = std::max({axisLimit(h.store, h.scale, 3), axisLimit(h.store, h.scale, 4),
                                    axisLimit(h.store, h.scale, 5)});
    EXPECT_NEAR(chart->yAxis2->range().upper, widest, 1e-9);
    EXPECT_EQ(chart->graph(5)->dataCount(), 300);
    waves->allCurrentsButton()->click();
    EXPECT_EQ(chart->height(), 152);
    EXPECT_TRUE(waves->phaseButton(0)->isEnabled());

    // A zoom of chart 2 stays while frames arrive.
    QCustomPlot* second = waves->chart(1);
    Q_EMIT second->selectionRect()->accepted(QRect(), nullptr);
    second->yAxis->setRange(-10, 10);
    ASSERT_TRUE(h.waitForFrames(h.frames + 1));
    EXPECT_TRUE(waves->isZoomed(1));
    EXPECT_EQ(second->yAxis->range(), QCPRange(-10, 10));
    h.window.closeNow();
}

TEST(LiveWindow, NormButtonShowsTheLimitsBehindTheVoltageBars)
{
    LiveWindowHarness h;
    h.window.show();
    h.window.pages()->setCurrentIndex(LiveWindow::Harmonics);
    ASSERT_TRUE(h.waitForFrames(2));
    HarmonicsPage* page = h.window.harmonicsPage();
    EXPECT_FALSE(page->normBars()->visible());
    page->normButton()->click();
    EXPECT_TRUE(page->normBars()->visible());
    EXPECT_EQ(page->normBars()->data()->size(), 24);
    EXPECT_EQ(page->normBars()->data()->at(0)->value, 0); // none for the fundamental
    EXPECT_GT(page->normBars()->data()->at(4)->value, 0);
    page->threeDButton()->click();
    EXPECT_EQ(page->voltageBars()->brush().style(), Qt::LinearGradientPattern);
    // The current tabs have no norm: "N" is released and disabled there.
    page->tabButton(3)->click();
    EXPECT_FALSE(page->normButton()->isChecked());
    EXPECT_FALSE(page->normButton()->isEnabled());
    EXPECT_FALSE(page->normBars()->visible());
    EXPECT_EQ(page->table()->item(1, 0)->text(), QStringLiteral("H01"));
    EXPECT_EQ(page->table()->item(0, 2)->text(), QStringLiteral("IL1[%]"));
    h.window.closeNow();
}

TEST(LiveWindow, PhasorPageDrawsUL1StraightUp)
{
    LiveWindowHarness h;
    h.window.show();
    h.window.pages()->setCurrentIndex(LiveWindow::Phasors);
    ASSERT_TRUE(h.waitForFrames(2));
    QCustomPlot* chart = h.window.phasorPage()->chart();
    ASSERT_EQ(chart->itemCount(), 6);
    auto* ul1 = qobject_cast<QCPItemLine*>(chart->item(0));
    ASSERT_NE(ul1, nullptr);
    EXPECT_NEAR(ul1->end->coords().x(), 0, 1e-6);
    EXPECT_GT(ul1->end->coords().y(), 0);
    EXPECT_TRUE(h.window.phasorPage()->legendLine(0)->text().startsWith(QStringLiteral("UL1 = ")));
    h.window.closeNow();
}

TEST(LiveWindow, ClosingDuringATransferWaitsForItAndThenCloses)
{
    LiveWindowHarness h;
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(1));
    ASSERT_TRUE(h.link.isBusy());
    h.window.reject();
    EXPECT_TRUE(h.window.isVisible());
    EXPECT_EQ(h.prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    QDeadlineTimer deadline(10000);
    while (h.window.isVisible() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_FALSE(h.prompter.isShown());
    const int requested = h.server.emulator().commandCount(link::Command::InstantFrame);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.server.emulator().commandCount(link::Command::InstantFrame), requested);
}
