#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kapstat::browse {

// What the name and the first lines of a database's selection file (.pom) say.
struct SelectionFile
{
    QString path;
    QStringList headerLines; // six lines, missing ones empty
    int station = 1;         // the digit at position 15 of the name
    QString place;           // the name without extension from position 17 on

    QString serialNumber() const { return headerLines.value(2); }
    QString received() const { return headerLines.value(3); }
    // <folder>/<name>_SP/<name>: the tables and the settings file add their extensions to it.
    QString databaseBase() const;

    // nullopt with a message when the file cannot be read or its name carries no station.
    static std::optional<SelectionFile> read(const QString& path, QString* error);
    // The station digit of a selection file's name, 1..8; nullopt when there is none.
    static std::optional<int> stationOf(const QString& fileName);
};

} // namespace kapstat::browse
