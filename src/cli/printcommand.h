#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <memory>

namespace kapstat::cli {

// "print --pom FILE.pom --table rms|harm|events --columns NAME[,NAME…] --pdf OUT.pdf
//  [--from "yyyy-MM-dd hh:mm:ss" --to "…"] [--title T] [--author A] [--shading]": the printout of
// up to six columns of one table as a PDF file. Without --from and --to every record is printed.
int runPrintCommand(const QStringList& arguments);
bool isPrintCommand(const QString& command);

// The application object for the command line: printing lays pages out with fonts and needs the
// GUI application, drawn offscreen unless a platform is named; other commands need the core only.
std::unique_ptr<QCoreApplication> createCliApplication(int& argc, char** argv);

} // namespace kapstat::cli
