#pragma once

#include <QStringList>

namespace kapstat::cli {

class CliSession;

// counters [--polls N] [--pom FILE.pom]: the counters loop as the counters window runs it; the
// "Liczniki" text after the N-th counters response (default 1). With --pom the program's column
// holds the compliance statistics of that database, else 0 as at program start.
int runCountersCommand(CliSession& session, const QStringList& arguments);

} // namespace kapstat::cli
