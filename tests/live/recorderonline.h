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
#include "sim/simserver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>

// The emulated recorder in process over an in-memory line, and the link with the single
// instances that every window of instantaneous frames reads: the calibration, the range scale,
// the configuration and the live store.
struct RecorderOnLine
{
    explicit RecorderOnLine(const kapstat::sim::SimOptions& options = {})
        : server(options, std::unique_ptr<kapstat::link::ByteChannel>(recorderLine))
    {
        line.connectTo(*recorderLine);
        recorderLine->connectTo(line);
        line.open(QStringLiteral("test"));
        server.start();
    }

    // Runs the event loop until the condition holds; false after 20 s without it.
    static bool waitFor(const std::function<bool()>& condition)
    {
        QDeadlineTimer deadline(20000);
        while (!condition() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return condition();
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
};
