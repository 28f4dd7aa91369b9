#pragma once

#include <QStringList>

namespace kapstat::cli {

// "report --pom FILE.pom [--service] [--pdf OUT.pdf]": the compliance report of a database, as
// the main window's action makes it with every table window shown.
int runReportCommand(const QStringList& arguments);

// Whether the arguments (without the program name) ask for a printed report, which needs the
// GUI application object.
bool wantsPrintedReport(const QStringList& arguments);

} // namespace kapstat::cli
