#pragma once

#include "link/commandtable.h"
#include "live/countersloop.h"
#include "live/counterswindow.h"
#include "livewindowharness.h"
#include "norm/pccounterslots.h"

#include <functional>
#include <memory>

// The counters window beside the live loop, against the emulated recorder in process.
struct CountersWindowHarness : LiveWindowHarness
{
    explicit CountersWindowHarness(const kapstat::sim::SimOptions& options = recordsHeld())
        : LiveWindowHarness(options)
    {
        QObject::connect(&counters, &kapstat::live::CountersLoop::countersShown,
                         [this] { ++countersShown; });
    }

    static kapstat::sim::SimOptions recordsHeld()
    {
        kapstat::sim::SimOptions options;
        options.scenario.records = 300;
        return options;
    }

    // Runs the event loop until the condition holds, at most 20 s.
    static bool waitUntil(const std::function<bool()>& condition)
    {
        QDeadlineTimer deadline(20000);
        while (!condition() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return condition();
    }

    int recorderCommands(quint8 code) const { return server.emulator().commandCount(code); }
    // Runs until the recorder has answered `count` more commands of the code.
    bool waitForCommands(quint8 code, int count)
    {
        const int target = recorderCommands(code) + count;
        return waitUntil([&] { return recorderCommands(code) >= target; });
    }

    kapstat::norm::PcCounterSlots pcCounters;
    kapstat::live::CountersLoop counters{link, pcCounters, scale, store};
    std::unique_ptr<kapstat::live::CountersWindow> countersWindow =
        std::make_unique<kapstat::live::CountersWindow>(counters, loop, store);
    int countersShown = 0;
};
