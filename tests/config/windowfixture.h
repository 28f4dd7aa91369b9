#pragma once

#include "calib/calibrationreader.h"
#include "calib/calibrationset.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/configurationtransfer.h"
#include "config/configurationwindow.h"
#include "config/selectionindicator.h"
#include "config/selectionindicators.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The configuration window over a link whose line the test chooses, with a scripted message
// window, test time and a settings store of its own.
template <typename Line> class WindowFixture : public ::testing::Test
{
protected:
    WindowFixture()
    {
        line.open(QStringLiteral("test"));
        window.setMessageBoxHandler([this](const QString& text) { messageBoxes.append(text); });
        window.show();
        // Focus events, which the fields' checks rely on, reach only the active window.
        QApplication::setActiveWindow(&window);
    }

    kapstat::config::SelectionIndicator* indicator(int entry) const
    {
        return window.indicators().indicator(entry);
    }
    template <typename Widget> Widget* find(const QString& name) const
    {
        Widget* widget = window.template findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    const kapstat::config::RecorderConfiguration& configuration() const
    {
        return model.configuration();
    }

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
    QStringList messageBoxes;
};
