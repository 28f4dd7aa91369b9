#pragma once

#include <QString>
#include <optional>

namespace kapstat::common {

// Where the program starts out writing. The recorder's users expect the database folder beside
// the program ("DB" in its folder) and the save dialogs in the program's folder; installed
// system-wide that folder is not the user's to write, so the user's own folders stand in.
class DefaultFolders
{
public:
    struct Places
    {
        QString program; // with a trailing separator
        bool programWritable = false;
        QString userData;  // the program's folder of per-user data
        QString documents; // the user's documents
    };

    explicit DefaultFolders(Places places) : m_places(std::move(places)) {}
    // The places of the running program and its user.
    static DefaultFolders ofThisProgram();

    // The stored `Baza` when it is set, else the default database folder.
    QString databaseFolder(const std::optional<QString>& stored = std::nullopt) const;
    // Where a save dialog starts that would start in the program's folder.
    QString dialogFolder() const;

private:
    Places m_places;
};

} // namespace kapstat::common
