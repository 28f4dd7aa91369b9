#pragma once

#include <QStringList>

namespace kapstat::cli {

class CliSession;

// The recorder's housekeeping from the command line; each returns the exit status.
namespace housekeeping {

// Every row of the status window, battery test included, as "Caption value".
int status(CliSession& session, const QStringList& arguments);
// The recorder's and the PC's date and time; with --set, after setting the recorder's clock.
int clock(CliSession& session, const QStringList& arguments);
// Empties the measurement memory; the question is answered by --yes.
int clear(CliSession& session, const QStringList& arguments);

} // namespace housekeeping

} // namespace kapstat::cli
