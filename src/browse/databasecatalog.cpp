#include "browse/databasecatalog.h"

#include "browse/wildcardpattern.h"
#include "download/measurementtables.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <filesystem>
#include <utility>

namespace kapstat::browse {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::browse::DatabaseCatalog", text);
}

QString selectionFilePattern()
{
    // Split so that two question marks and the dash are not read as a trigraph.
    return QStringLiteral("??????"
                          "-??????_?_*.pom");
}

constexpr qsizetype PlaceStart = 16;       // "yymmdd-hhnnss_N_" comes before the place
constexpr qsizetype FolderNameLength = 21; // "yymmdd-hhnnss_SSSNNNN"
constexpr qsizetype SerialStart = 14;

QString folded(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        result.append(c.toCaseFolded());
    return result;
}

// Ignoring letter case; spellings that differ only in case keep a fixed order among themselves.
bool lessIgnoringCase(const QString& a, const QString& b)
{
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

QString nameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderOf(const QString& path)
{
    return path.left(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
}

// "yy-mm-dd hh:nn:ss" from a name that starts "yymmdd-hhnnss".
QString timeText(const QString& name)
{
    return name.mid(0, 2) + QLatin1Char('-') + name.mid(2, 2) + QLatin1Char('-') + name.mid(4, 2) +
           QLatin1Char(' ') + name.mid(7, 2) + QLatin1Char(':') + name.mid(9, 2) +
           QLatin1Char(':') + name.mid(11, 2);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

enum class FolderWalk
{
    Everywhere,
    // Database folders ("…_SP") hold tables and settings, never selection files: leaving them out
    // halves the folders a catalogue of many downloads has to read.
    PastDatabaseFolders
};

bool isSkipped(const QString& folder, FolderWalk walk)
{
    return folder.startsWith(QLatin1Char('.')) ||
           (walk == FolderWalk::PastDatabaseFolders &&
            folder.endsWith(QStringLiteral("_SP"), Qt::CaseInsensitive));
}

QStringList searchFiles(const QString& dir, const QString& pattern, FolderWalk walk)
{
    // An empty folder name would make the search start in the working folder.
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return {};
    // The standard iterator takes the entry types from the folder listing itself, so a tree of
    // ten thousand downloads is walked without asking the file system about every file.
    namespace fs = std::filesystem;
    const WildcardPattern wildcard(pattern);
    QStringList found;
    std::error_code walkError;
    fs::recursive_directory_iterator it(QFile::encodeName(QDir(dir).absolutePath()).toStdString(),
                                        fs::directory_options::skip_permission_denied, walkError);
    for (; !walkError && it != fs::recursive_directory_iterator(); it.increment(walkError)) {
        std::error_code typeError; // an entry that cannot be examined is passed over
        const fs::path& path = it->path();
        const QString name = QFile::decodeName(path.filename().c_str());
        if (it->is_directory(typeError)) {
            if (isSkipped(name, walk))
                it.disable_recursion_pending();
        } else if (it->is_regular_file(typeError) && wildcard.matches(name)) {
            found.append(QFile::decodeName(path.c_str()));
        }
    }
    return found;
}

// By full path, ignoring letter case: so by download folder first.
QStringList sortedSelectionFiles(const QString& dir)
{
    QStringList files = searchFiles(dir, selectionFilePattern(), FolderWalk::PastDatabaseFolders);
    std::sort(files.begin(), files.end(), lessIgnoringCase);
    return files;
}

// Renaming the place of one database. Every rename inside the database folder is remembered, so
// that a failure can put the old names back.
class PlaceRename
{
public:
    PlaceRename(const QString& selectionFile, const QString& newPlace, qsizetype oldPlaceLength)
        : m_selection(selectionFile), m_download(QFileInfo(selectionFile).dir()),
          m_base(QFileInfo(selectionFile).completeBaseName()),
          m_newBase(m_base.chopped(oldPlaceLength) + newPlace),
          m_folder(m_download.filePath(m_base + QStringLiteral("_SP"))),
          m_newFolder(m_download.filePath(m_newBase + QStringLiteral("_SP"))),
          m_newSelection(
              m_download.filePath(m_newBase + QLatin1Char('.') + QFileInfo(selectionFile).suffix()))
    {
    }

    PlaceRenaming run(const FolderCopy::FileCopier& copier)
    {
        for (const QString& target : {m_newSelection, m_newFolder})
            if (QFileInfo::exists(target))
                return failed(tr("Plik lub folder „%1” już istnieje").arg(shown(target)));
        const bool hasFolder = QFileInfo(m_folder).isDir();
        if (hasFolder) {
            if (!renameTables())
                return failed(
                    tr("Nie udało się zmienić nazwy pliku „%1”").arg(shown(m_failedRename)));
            const QString failure = copyFolder(copier);
            if (!failure.isEmpty())
                return failed(tr("Nie udało się skopiować bazy pomiarów do folderu „%1”: %2")
                                  .arg(shown(m_newFolder), failure));
        }
        if (!QFile::rename(m_selection, m_newSelection)) {
            FolderCopy::deleteFolder(m_newFolder);
            return failed(tr("Nie udało się zmienić nazwy pliku „%1”").arg(shown(m_selection)));
        }
        PlaceRenaming renamed{PlaceRenaming::Status::Renamed, {}, m_newSelection};
        if (hasFolder && !FolderCopy::deleteFolder(m_folder))
            renamed.message = tr("Miejsce zmieniono, lecz nie udało się usunąć starego folderu "
                                 "bazy pomiarów „%1”.")
                                  .arg(shown(m_folder));
        return renamed;
    }

private:
    // The tables and the settings copy: B… becomes B'… within its folder.
    bool renameTables()
    {
        const QStringList files =
            DatabaseCatalog::findFiles(m_folder, m_base + QStringLiteral("*.*"));
        for (const QString& file : files) {
            const QString renamed =
                folderOf(file) + QLatin1Char('/') + m_newBase + nameOf(file).mid(m_base.size());
            if (!QFile::rename(file, renamed)) {
                m_failedRename = file;
                return false;
            }
            m_renamed.append({file, renamed});
        }
        return true;
    }

    // The copy counts only once it matches the original; a half-made copy is removed.
    QString copyFolder(const FolderCopy::FileCopier& copier)
    {
        QString failure = FolderCopy::copyFolder(m_folder, m_newFolder, copier);
        if (failure.isEmpty())
            failure = FolderCopy::compareFolders(m_folder, m_newFolder);
        if (!failure.isEmpty())
            FolderCopy::deleteFolder(m_newFolder);
        return failure;
    }

    bool undoRenames()
    {
        bool undone = true;
        while (!m_renamed.isEmpty()) {
            const auto [original, renamed] = m_renamed.takeLast();
            undone = QFile::rename(renamed, original) && undone;
        }
        return undone;
    }

    PlaceRenaming failed(const QString& reason)
    {
        const QString outcome =
            undoRenames() ? tr("Baza pomiarów pozostała bez zmian.")
                          : tr("Nie udało się przywrócić poprzednich nazw plików w folderze „%1”.")
                                .arg(shown(m_folder));
        return {PlaceRenaming::Status::Failed, reason + QStringLiteral(". ") + outcome,
                m_selection};
    }

    QString m_selection;
    QDir m_download;
    QString m_base;
    QString m_newBase;
    QString m_folder;
    QString m_newFolder;
    QString m_newSelection;
    QString m_failedRename;
    QList<std::pair<QString, QString>> m_renamed;
};

} // namespace

QStringList DatabaseCatalog::findFiles(const QString& dir, const QString& pattern)
{
    return searchFiles(dir, pattern, FolderWalk::Everywhere);
}

QStringList DatabaseCatalog::places(const QString& dir)
{
    const QStringList files = sortedSelectionFiles(dir);
    QSet<QString> seen;
    QStringList places;
    for (const QString& file : files) {
        const QString place = placeOf(file);
        const QString key = folded(place);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        places.append(place);
    }
    QCollator collator(QLocale(QLocale::Polish, QLocale::Poland));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(places.begin(), places.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : lessIgnoringCase(a, b);
    });
    return places;
}

QList<CatalogEntry> DatabaseCatalog::databases(const QString& dir, const QString& place)
{
    // Compared as text rather than through a pattern, so that a '*' or '?' in a name typed by
    // hand stands only for itself.
    const QString wanted = folded(place);
    QStringList files = sortedSelectionFiles(dir);
    files.removeIf([&wanted](const QString& file) { return folded(placeOf(file)) != wanted; });
    QList<CatalogEntry> entries;
    entries.reserve(files.size());
    for (const QString& file : files)
        entries.append(entry(file));
    return entries;
}

CatalogEntry DatabaseCatalog::entry(const QString& selectionFile)
{
    const QString folder = folderOf(selectionFile).right(FolderNameLength);
    return {timeText(folder), timeText(nameOf(selectionFile)),
            folder.mid(SerialStart, 3) + QLatin1Char('\\') + folder.mid(SerialStart + 3, 4),
            selectionFile};
}

QString DatabaseCatalog::placeOf(const QString& selectionFile)
{
    const QString name = nameOf(selectionFile);
    return name.left(name.lastIndexOf(QLatin1Char('.'))).mid(PlaceStart, MaxPlaceLength);
}

PlaceRenaming DatabaseCatalog::renamePlace(const QString& selectionFile, const QString& oldPlace,
                                           const QString& answer,
                                           const FolderCopy::FileCopier& copier)
{
    const QString newPlace = download::sanitizeFileName(answer).left(MaxNewPlaceLength);
    if (newPlace == oldPlace)
        return {PlaceRenaming::Status::Unchanged, {}, selectionFile};
    const QString base = QFileInfo(selectionFile).completeBaseName();
    if (base.size() < PlaceStart + oldPlace.size() || !base.endsWith(oldPlace, Qt::CaseInsensitive))
        return {PlaceRenaming::Status::Failed,
                tr("Nazwa pliku „%1” nie kończy się miejscem „%2”. Baza pomiarów pozostała bez "
                   "zmian.")
                    .arg(shown(selectionFile), oldPlace),
                selectionFile};
    return PlaceRename(selectionFile, newPlace, oldPlace.size()).run(copier);
}

} // namespace kapstat::browse
