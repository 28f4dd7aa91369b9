#pragma once

#include "../config/loopbackline.h"
#include "calib/calibrationreader.h"
#include "calib/calibrationset.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "live/instantframereader.h"
#include "live/liveloop.h"
#include "live/livewindow.h"
#include "sim/simserver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

// The live window with everything it talks to, against the emulated recorder in process over
// an in-memory line.
struct LiveWindowHarness
{
    explicit LiveWindowHarness(const kapstat::sim::SimOptions& options = {})
        : server(options, std::unique_ptr<kapstat::link::ByteChannel>(recorderLine))
    {
        line.connectTo(*recorderLine);
        recorderLine->connectTo(line);
        line.open(QStringLiteral("test"));
        server.start();
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
        QDeadlineTimer deadline(20000);
        while (frames < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return frames >= count;
    }

    LoopbackLine line;
    LoopbackLine* recorderLine = new LoopbackLine;
    kapstat::sim::SimServer server;
    kapstat::link::ManualClock clock;
    kapstat::link::ManualTimer timer{clock};
    kapstat::link::ScriptedPrompter prompter;
    kapstat::link::RecorderLink link{line, timer, prompter};
    kapstat::calib::CalibrationSet calibration;
    kapstat::calib::RangeScale scale;
    kapstat::calib::CalibrationReader calibrationReader{link, calibration, scale};
    kapstat::config::ConfigurationModel model;
    kapstat::config::ConfigurationReader reader{link, model};
    kapstat::live::LiveStore store;
    kapstat::live::InstantFrameReader frameReader{link, model, scale, store};
    kapstat::live::LiveLoop loop{link, model, store};
    kapstat::live::LiveWindow window{loop, store, scale, model};
    int frames = 0;
};
