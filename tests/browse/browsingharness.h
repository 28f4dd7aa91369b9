#pragma once

#include "app/browsingactions.h"
#include "app/databasedirectorydialog.h"
#include "app/mainwindow.h"
#include "browse/browsestate.h"
#include "common/settingsstore.h"
#include "config/configurationmodel.h"
#include "link/fakechannel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kapstat::fixtures {

// The main window with its browsing actions, over a fake recorder line, with a settings file and
// a message window of its own.
class BrowsingHarness : public ::testing::Test
{
protected:
    QAction* action(const char* name) { return main.action(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    common::SettingsStore settings{folder.filePath(QStringLiteral("kap640.ini"))};
    link::FakeChannel channel;
    link::ManualClock clock;
    link::ManualTimer timer{clock};
    link::ScriptedPrompter prompter;
    link::RecorderLink link{channel, timer, prompter};
    app::MainWindow main{link, settings};
    config::ConfigurationModel configuration;
    browse::BrowseState state{configuration, prompter};
    app::DatabaseDirectoryDialog directory{prompter, &main};
    app::BrowsingActions browsing{main, state, prompter, settings, directory};
};

} // namespace kapstat::fixtures
