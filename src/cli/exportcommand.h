#pragma once

#include <QStringList>

namespace kapstat::cli {

// "export --pom FILE.pom --out NAME.prn [--conditions-only]": the tables of the database as
// "Eksportuj dane do pliku TXT" writes them; the written files on stdout, one a line.
int runExportCommand(const QStringList& arguments);

} // namespace kapstat::cli
