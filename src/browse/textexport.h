#pragma once

#include "browse/exportlimits.h"
#include "browse/recordfilter.h"
#include "download/measurementtables.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace kapstat::browse {

class BrowseState;
class BrowseTable;
struct DisplayColumn;

// What an export wrote: every finished file in order, and the message of the failure that ended
// it (the files before it stay, and so does the part of the failing one written so far).
struct ExportOutcome
{
    QStringList files;
    std::optional<QString> error;
};

// Tables as semicolon-separated text for spreadsheets: a line of the quoted column titles, then
// one line per shown record, Windows-1250 with CR LF. A file holds at most RecordsPerFile
// records; the export goes on in numbered files (pomiar.prn, pomiar1.prn, pomiar2.prn, …), each
// with its own title line.
class TextExport
{
public:
    static constexpr qint64 RecordsPerFile = 60000;

    // The records of the table that pass the filter, in the table's order, to path and its
    // continuations; with limits only those the time chart admits.
    static ExportOutcome exportTable(BrowseTable& table, const RecordFilter& filter,
                                     const QString& path,
                                     const std::optional<ExportLimits>& limits = std::nullopt);
    // The listed tables of the open database under its filter, each to fileForAllTables; stops at
    // the first failure.
    static ExportOutcome exportTables(const BrowseState& state,
                                      const QList<download::TableKind>& kinds,
                                      const QString& chosenName);

    // The columns a table's export writes, in order.
    static QList<DisplayColumn> exportedColumns(download::TableKind kind,
                                                const QList<DisplayColumn>& columns);
    // The main window's export of all tables: the chosen name without its extension, then
    // ".prn", ".HARM.prn" or ".PRZE.prn".
    static QString fileForAllTables(const QString& chosenName, download::TableKind kind);
    // A table window's export: the chosen name itself for the measurements, else its extension
    // replaced by ".HARM.prn" or ".PRZE.prn".
    static QString fileForOneTable(const QString& chosenName, download::TableKind kind);
    // The file of part n ≥ 1: the number goes before the extension (pomiar.HARM.prn, 2 →
    // pomiar.HARM2.prn).
    static QString partPath(const QString& path, int part);
};

} // namespace kapstat::browse
