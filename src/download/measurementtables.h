#pragma once

#include "download/tabledefinition.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace kapstat::link {
class Prompter;
}

namespace kapstat::download {

enum class TableKind
{
    Rms,
    Harm,
    Zanik
};

// Which names of each kind's name list a download records; held for the length of a download.
struct MeasurementSelection
{
    std::vector<bool> rms = std::vector<bool>(240);
    std::vector<bool> harm = std::vector<bool>(324);
    std::vector<bool> zanik = std::vector<bool>(30);

    std::vector<bool>& of(TableKind kind);
    const std::vector<bool>& of(TableKind kind) const;
    void clear();
};

class MeasurementTables
{
public:
    // The full name list of a kind, in field order.
    static const QStringList& nameList(TableKind kind);
    static int nameIndex(TableKind kind, const QString& name);
    // "Probki…" Bytes; "Czas_P…" (not "Czas_Pr…"), "Ilosc_u…", "Przerwa…" Integer; others Float.
    static FieldType typeForName(const QString& name);
    static TableDefinition definition(TableKind kind, const std::vector<bool>& selected);

    // Creates the table file with its fields and indexes; on failure shows the message (-1 s,
    // modal) and returns false.
    static bool create(TableKind kind, const QString& path, const MeasurementSelection& selection,
                       link::Prompter& prompter);
    // The kind by its name ("RMS", "HARM", "ZANIK"); any other name shows "Próba utworzenia tabeli
    // nieznanego typu" and returns false.
    static bool create(const QString& kindName, const QString& path,
                       const MeasurementSelection& selection, link::Prompter& prompter);
};

// The file name ending of a table of the kind: ".db", ".HARM.db", ".PRZE.db".
QString tableSuffix(TableKind kind);
// The ten characters a file name cannot hold (* ? < > \ / : " | `) each become a space.
QString sanitizeFileName(QString text);
// Whole seconds from a to b: the difference of their times of day, truncated, plus whole days.
qint64 secondsBetween(const QDateTime& a, const QDateTime& b);

} // namespace kapstat::download
