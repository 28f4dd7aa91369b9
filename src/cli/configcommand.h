#pragma once

#include <QStringList>

namespace kapstat::cli {

class CliSession;

// config read FILE.ust: the recorder's configuration saved as a settings file.
// config send FILE.ust: the settings file loaded and sent, with every check of the send.
int runConfigCommand(CliSession& session, const QStringList& arguments);

} // namespace kapstat::cli
