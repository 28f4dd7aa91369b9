#pragma once

#include <QStringList>

namespace kapstat::cli {

class CliSession;

// live [--frames N] [--json]: the configuration, then N instantaneous frames (default 1), each
// printed as the live window's two value pages, or as one JSON object per line.
int runLiveCommand(CliSession& session, const QStringList& arguments);

} // namespace kapstat::cli
