#pragma once

#include "live/liveloop.h"
#include "live/livewindow.h"
#include "recorderonline.h"

// The live window with everything it talks to, against the emulated recorder in process over
// an in-memory line.
struct LiveWindowHarness : RecorderOnLine
{
    explicit LiveWindowHarness(const kapstat::sim::SimOptions& options = {})
        : RecorderOnLine(options)
    {
        QObject::connect(&loop, &kapstat::live::LiveLoop::frameAnalysed, [this] { ++frames; });
    }

    static kapstat::sim::SimOptions withSystem(kapstat::config::MeasuringSystem system)
    {
        kapstat::sim::SimOptions options;
        options.system = system;
        return options;
    }

    // Runs the event loop until `count` frames have been shown since the window opened.
    bool waitForFrames(int count)
    {
        return waitFor([this, count] { return frames >= count; });
    }

    kapstat::live::LiveLoop loop{link, model, store};
    kapstat::live::LiveWindow window{loop, store, scale, model};
    int frames = 0;
};
