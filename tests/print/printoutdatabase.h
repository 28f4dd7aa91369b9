#pragma once

#include "browse/browsestate.h"
#include "config/configurationmodel.h"
#include "databasefixture.h"
#include "link/scriptedprompter.h"

#include <QStringList>
#include <initializer_list>

namespace kapstat::fixtures {

// An open database to print from: ten RMS records ten minutes apart from 2026-03-01 23:10 with
// Pav = 0..9, Qav = 10..19, Sav = 100..109 and War cycling through 0, 44h, 11h; harmonics rows of
// L1 and L2 for the first three; two events.
class PrintoutDatabase
{
public:
    PrintoutDatabase();

    // Chooses the columns of the table for printing, as the table windows' toggles do.
    void choose(download::TableKind kind, std::initializer_list<const char*> columns);

    DatabaseFixture db;
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state{configuration, prompter};
};

} // namespace kapstat::fixtures
