#include "counterswindowharness.h"
#include "live/comparisonpage.h"
#include "live/comparisontable.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace kapstat;
using link::Command::InstantFrame;
using link::Command::ReadCounters;

namespace {

QStringList captions(const live::ComparisonPage& page)
{
    QStringList texts;
    for (const QLabel* label : page.valueLabels())
        texts << label->text();
    return texts;
}

} // namespace

TEST(CountersWindow, PollsTheCountersAndStopWynikiFreezesThemUntilReleased)
{
    CountersWindowHarness h;
    live::CountersWindow& window = *h.countersWindow;
    EXPECT_EQ(window.countersText()->toPlainText(), QStringLiteral("Czekaj..."));
    window.openForCounters();
    EXPECT_EQ(window.pages()->currentIndex(), live::CountersWindow::Counters);
    ASSERT_TRUE(h.waitUntil([&] { return h.countersShown >= 2; }));
    EXPECT_EQ(h.recorderCommands(InstantFrame), 1);
    EXPECT_EQ(window.countersText()->toPlainText().split(QLatin1Char('\n')).size(), 45);
    EXPECT_TRUE(window.countersText()->toPlainText().startsWith(QStringLiteral("Czestotliwosci")));

    QTest::mouseClick(window.freezeButton(), Qt::LeftButton);
    ASSERT_TRUE(window.freezeButton()->isChecked());
    const int shown = h.countersShown;
    ASSERT_TRUE(h.waitForCommands(ReadCounters, 3));
    EXPECT_LE(h.countersShown, shown + 1); // at most the answer that was under way
    const int frozen = h.countersShown;
    ASSERT_TRUE(h.waitForCommands(ReadCounters, 2));
    EXPECT_EQ(h.countersShown, frozen);

    QTest::mouseClick(window.freezeButton(), Qt::LeftButton);
    ASSERT_TRUE(h.waitUntil([&] { return h.countersShown > frozen; }));
    window.reject();
    ASSERT_TRUE(h.waitUntil([&] { return !window.isVisible(); }));
}

TEST(CountersWindow, StopWynikiFreezesTheComparisonOfTheLiveLoop)
{
    CountersWindowHarness h;
    live::CountersWindow& window = *h.countersWindow;
    const QStringList placeholders = captions(*window.comparisonPage());
    QObject::connect(&h.window, &live::LiveWindow::comparisonRequested, &window,
                     &live::CountersWindow::openForComparison);
    h.window.show();
    EXPECT_FALSE(h.window.comparisonButton()->isVisible()) << "only on the value pages";
    h.window.pages()->setCurrentIndex(live::LiveWindow::Phases);
    QTest::mouseClick(h.window.comparisonButton(), Qt::LeftButton);
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.pages()->currentIndex(), live::CountersWindow::Comparison);
    ASSERT_TRUE(h.waitForFrames(3));
    const QStringList live = captions(*window.comparisonPage());
    EXPECT_NE(live, placeholders);
    EXPECT_FALSE(live.join(QLatin1Char(' ')).contains(QStringLiteral("----")));
    EXPECT_EQ(h.recorderCommands(ReadCounters), 0) << "no loop of its own";

    window.freezeButton()->setChecked(true);
    ASSERT_TRUE(h.waitForCommands(InstantFrame, 2));
    const int frames = h.frames;
    const QStringList frozen = captions(*window.comparisonPage());
    ASSERT_TRUE(h.waitForCommands(InstantFrame, 2));
    EXPECT_EQ(h.frames, frames);
    EXPECT_EQ(captions(*window.comparisonPage()), frozen);

    // Closing releases the freeze and leaves the live loop running.
    window.reject();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.freezeButton()->isChecked());
    ASSERT_TRUE(h.waitForFrames(frames + 2));
    EXPECT_FALSE(h.link.isAbortRequested());
    EXPECT_TRUE(h.window.isVisible());
    h.window.reject();
    ASSERT_TRUE(h.waitUntil([&] { return !h.window.isVisible(); }));
}

TEST(CountersWindow, ClosingWhileTheLoopRunsWaitsForTheAnswerInFlight)
{
    CountersWindowHarness h;
    live::CountersWindow& window = *h.countersWindow;
    window.openForCounters();
    ASSERT_TRUE(h.link.isBusy());
    window.reject();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(h.prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    ASSERT_TRUE(h.waitUntil([&] { return !window.isVisible(); }));
    EXPECT_FALSE(h.prompter.isShown());
    EXPECT_FALSE(h.counters.isRunning());
    const int polls = h.recorderCommands(ReadCounters);
    QTest::qWait(300);
    EXPECT_EQ(h.recorderCommands(ReadCounters), polls);
}

TEST(CountersWindow, AnAnswerArrivingAfterTheWindowIsGoneIsNotShownAndEndsTheLoop)
{
    CountersWindowHarness h;
    h.countersWindow->openForCounters();
    ASSERT_TRUE(h.waitUntil([&] { return h.countersShown >= 1; }));
    ASSERT_TRUE(h.link.isBusy());
    h.countersWindow.reset();
    const int shown = h.countersShown;
    ASSERT_TRUE(h.waitUntil([&] { return h.countersShown > shown; }));
    QTest::qWait(300);
    EXPECT_FALSE(h.link.isBusy());
    EXPECT_EQ(h.countersShown, shown + 1);
}

TEST(CountersWindow, AValueSentUndecodableShowsItsBytesOnLightYellow)
{
    kapstat::sim::SimOptions options = CountersWindowHarness::recordsHeld();
    options.damagedLiveValue = 0; // UL1
    CountersWindowHarness h(options);
    live::CountersWindow& window = *h.countersWindow;
    h.loop.start();
    window.openForComparison();
    ASSERT_TRUE(h.waitForFrames(2));
    const QList<live::ComparisonLabel>& labels = live::ComparisonTable::labels();
    QLabel* recorderUl1 = nullptr;
    for (int i = 0; i < labels.size(); ++i)
        if (labels[i].fromRecorder() && labels[i].prefix == QLatin1String("UL1= "))
            recorderUl1 = window.comparisonPage()->valueLabels()[i];
    ASSERT_NE(recorderUl1, nullptr);
    EXPECT_EQ(recorderUl1->text(), QStringLiteral("UL1= ") + h.store.recorderRaw[0]);
    EXPECT_FALSE(h.store.recorderRaw[0].isEmpty());
    EXPECT_TRUE(recorderUl1->styleSheet().contains(QStringLiteral("#ffff80"), Qt::CaseInsensitive));
    window.reject();
    h.loop.stop();
}
