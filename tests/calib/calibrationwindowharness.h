#pragma once

#include "../config/loopbackline.h"
#include "calib/calibrationconversation.h"
#include "calib/calibrationreader.h"
#include "calib/calibrationwindow.h"
#include "config/configurationmodel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "live/instantframereader.h"
#include "sim/simserver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

// The calibration window with everything it talks to, against the emulated recorder in process
// over an in-memory line.
struct CalibrationWindowHarness
{
    explicit CalibrationWindowHarness(const kapstat::sim::SimOptions& options = {})
        : server(options, std::unique_ptr<kapstat::link::ByteChannel>(recorderLine))
    {
        line.connectTo(*recorderLine);
        recorderLine->connectTo(line);
        line.open(QStringLiteral("test"));
        server.start();
        QObject::connect(&conversation, &kapstat::calib::CalibrationConversation::frameAnalysed,
                         [this] { ++frames; });
    }

    // Runs the event loop until the condition holds; false after 20 s without it.
    static bool waitFor(const std::function<bool()>& condition)
    {
        QDeadlineTimer deadline(20000);
        while (!condition() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return condition();
    }
    bool waitForFrames(int count)
    {
        return waitFor([this, count] { return frames >= count; });
    }
    kapstat::sim::RecorderState& recorder() { return server.emulator().state(); }

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
    kapstat::live::LiveStore store;
    kapstat::live::InstantFrameReader frameReader{link, model, scale, store};
    kapstat::calib::CalibrationConversation conversation{link, calibration, model, store};
    kapstat::calib::CalibrationWindow window{conversation, calibration, store};
    int frames = 0;
};
