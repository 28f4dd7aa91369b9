#pragma once

#include "../live/recorderonline.h"
#include "calib/calibrationconversation.h"
#include "calib/calibrationwindow.h"

// The calibration window with everything it talks to, against the emulated recorder in process
// over an in-memory line.
struct CalibrationWindowHarness : RecorderOnLine
{
    explicit CalibrationWindowHarness(const kapstat::sim::SimOptions& options = {})
        : RecorderOnLine(options)
    {
        QObject::connect(&conversation, &kapstat::calib::CalibrationConversation::frameAnalysed,
                         [this] { ++frames; });
    }

    bool waitForFrames(int count)
    {
        return waitFor([this, count] { return frames >= count; });
    }
    kapstat::sim::RecorderState& recorder() { return server.emulator().state(); }

    kapstat::calib::CalibrationConversation conversation{link, calibration, model, store};
    kapstat::calib::CalibrationWindow window{conversation, calibration, store};
    int frames = 0;
};
