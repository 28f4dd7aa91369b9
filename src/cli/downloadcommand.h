#pragma once

#include <QStringList>

namespace kapstat::cli {

class CliSession;

// download --db DIR: the recorder's memory into a new measurement database under DIR.
int runDownloadCommand(CliSession& session, const QStringList& arguments);

} // namespace kapstat::cli
