#pragma once

#include "calib/calibrationreader.h"
#include "calib/calibrationset.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/configurationtransfer.h"
#include "config/configurationwindow.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"

#include <QTemporaryDir>

// The configuration window with everything it talks to: a link over a line of the caller's
// choosing, a scripted message window, test time and a settings store of its own.
template <typename Line> struct WindowHarness
{
    WindowHarness() { line.open(QStringLiteral("test")); }

    QTemporaryDir dir;
    Line line;
    kapstat::link::ManualClock clock;
    kapstat::link::ManualTimer timer{clock};
    kapstat::link::ScriptedPrompter prompter;
    kapstat::link::RecorderLink link{line, timer, prompter};
    kapstat::calib::CalibrationSet calibration;
    kapstat::calib::RangeScale scale;
    kapstat::calib::CalibrationReader calibrationReader{link, calibration, scale};
    kapstat::config::ConfigurationModel model;
    kapstat::config::ConfigurationReader reader{link, model};
    kapstat::config::ConfigurationTransfer transfer{link, model, reader, calibration};
    kapstat::common::SettingsStore settings{dir.filePath(QStringLiteral("settings.ini"))};
    kapstat::config::ConfigurationWindow window{model, transfer, prompter, settings};
};
