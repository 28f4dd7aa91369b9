#pragma once

#include "browse/foldercopy.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kapstat::browse {

// One measurement database as the catalogue lists it. The texts are cut from the names of the
// download folder and of the selection file; characters missing there are simply left out.
struct CatalogEntry
{
    QString readingTime;      // "Data odczytu": from the download folder's name
    QString measurementStart; // "Początek pomiarów": from the selection file's name
    QString serialNumber;     // "Nr seryjny rejestratora": from the download folder's name
    QString selectionFile;    // full path
};

// What renaming a place did.
struct PlaceRenaming
{
    enum class Status
    {
        Unchanged, // the cleaned name is the old one: nothing on disk was touched
        Renamed,
        Failed // nothing changed; message says why
    };

    Status status = Status::Unchanged;
    // Why it failed, or what was left behind after a rename; empty otherwise.
    QString message;
    // The database's selection file after the call.
    QString selectionFile;
};

// The measurement databases below a database folder, catalogued by their measurement place: the
// name of a selection file "yymmdd-hhnnss_N_place.pom" from its 17th character on.
class DatabaseCatalog
{
public:
    static constexpr int MaxPlaceLength = 100;
    static constexpr int MaxNewPlaceLength = 60;

    // Every file (not folder) at any depth below dir whose name matches the wildcard pattern,
    // ignoring letter case (see WildcardPattern). Hidden folders are not searched.
    static QStringList findFiles(const QString& dir, const QString& pattern);
    // The distinct places of the selection files below dir, one for all spellings that differ
    // only in letter case (the spelling of the first database by path). Sorted in Polish
    // alphabetical order, ignoring letter case, so "Łódź" comes between "Lublin" and "Marki".
    // Database folders ("…_SP") are not searched: they hold tables, never selection files.
    static QStringList places(const QString& dir);
    // The databases whose place equals place, ignoring letter case, sorted by full path ignoring
    // letter case (so by download folder first).
    static QList<CatalogEntry> databases(const QString& dir, const QString& place);
    static CatalogEntry entry(const QString& selectionFile);
    static QString placeOf(const QString& selectionFile);

    // Catalogues the database of selectionFile (whose place is oldPlace) under the place given
    // as answer, cleaned of characters a file name cannot hold and cut to 60 characters: its
    // tables, settings copy, database folder and selection file take the new name. The old
    // database folder goes only once its copy in the new one has been compared file by file;
    // any failure before that puts everything back as it was. copier copies one file (tests
    // replace it to fail half-way).
    static PlaceRenaming renamePlace(const QString& selectionFile, const QString& oldPlace,
                                     const QString& answer,
                                     const FolderCopy::FileCopier& copier = FolderCopy::copyFile);
};

} // namespace kapstat::browse
