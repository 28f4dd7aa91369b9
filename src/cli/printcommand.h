#pragma once

#include <QStringList>

namespace kapstat::cli {

// "print --pom FILE.pom --table rms|harm|events --columns NAME[,NAME…] --pdf OUT.pdf
//  [--from "yyyy-MM-dd hh:mm:ss" --to "…"] [--title T] [--author A] [--shading]": the printout of
// up to six columns of one table as a PDF file. Without --from and --to every record is printed.
int runPrintCommand(const QStringList& arguments);
bool isPrintCommand(const QString& command);

} // namespace kapstat::cli
