#pragma once

#include "browse/browsestate.h"
#include "cli/cliprompter.h"
#include "config/configurationmodel.h"

#include <QTextStream>

namespace kapstat::cli {

// What a command that only reads a measurement database works with: no port, no recorder.
class DatabaseSession
{
public:
    DatabaseSession();

    // Opens the database as "Otwórz pomiary" does; false with the message on stderr.
    bool open(const QString& selectionFile);

    browse::BrowseState& browse() { return m_browse; }
    config::ConfigurationModel& configuration() { return m_configuration; }
    QTextStream& out() { return m_out; }
    QTextStream& err() { return m_err; }

private:
    CliPrompter m_prompter{0, false};
    config::ConfigurationModel m_configuration;
    browse::BrowseState m_browse{m_configuration, m_prompter};
    QTextStream m_out;
    QTextStream m_err;
};

// The commands that read a database: "info --pom FILE.pom" here, "report" in reportcommand.h.
int runInfoCommand(const QStringList& arguments);

// A command that reads a database only, needing neither --port nor --sim.
using DatabaseCommand = int (*)(const QStringList& arguments);

// The database command of that name; null for the commands that talk to a recorder.
DatabaseCommand databaseCommand(const QString& name);
bool isDatabaseCommand(const QString& command);

} // namespace kapstat::cli
