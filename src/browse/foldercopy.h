#pragma once

#include <QString>
#include <functional>

namespace kapstat::browse {

// Moving a measurement database between folders: a copy that is checked before the original goes.
// Every function that can fail returns why, as a text for the user, or an empty text.
class FolderCopy
{
public:
    // Copies one file; a file already at the target is not overwritten (the copy fails).
    using FileCopier = std::function<QString(const QString& source, const QString& target)>;

    static QString copyFile(const QString& source, const QString& target);
    // Every file and subfolder of source, at any depth, into target, creating folders as needed.
    static QString copyFolder(const QString& source, const QString& target,
                              const FileCopier& copier = copyFile);
    // Whether target holds the same files and folders as source, with the same bytes.
    static QString compareFolders(const QString& source, const QString& target);
    // Removes the folder and everything in it; false when something stayed.
    static bool deleteFolder(const QString& folder);
};

} // namespace kapstat::browse
