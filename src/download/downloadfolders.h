#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kapstat::download {

// Where one download puts its files: the download folder under the database folder, named after
// the download time and the recorder's serial number, and its temporary folder.
class DownloadFolders
{
public:
    DownloadFolders(const QString& databaseFolder, const QDateTime& downloadTime,
                    const QString& serialNumber);

    QString downloadFolder() const { return m_download; }
    QString temporaryFolder() const { return m_download + QStringLiteral("_tymczasowy_SP/"); }
    // temporary folder + "_tymczasowy" + suffix (".txt", ".CONF.ust", ".db", ".HARM.db",
    // ".PRZE.db")
    QString temporaryFile(const QString& suffix) const;

    // T_i_E: the first record time of the station, its number, its sanitised description.
    static QString stationName(const QDateTime& firstRecord, int station,
                               const QString& description);
    QString stationFolder(const QString& stationName) const;
    QString entryFile(const QString& stationName) const; // the .POM the user opens

    // yymmdd-hhnnss
    static QString timeText(const QDateTime& moment);

private:
    QString m_download;
};

// The six lines of the download information text (.txt and .POM).
QStringList downloadInformation(const QString& totalMemory, const QString& calibrationDate,
                                const QString& serialNumber, const QDateTime& downloadTime,
                                const QString& recordCount, const QString& eventCount);

// Empties a folder of its files, creating it when missing (its parent must exist).
bool prepareEmptyFolder(const QString& path);
// Replaces target with a copy of source.
bool copyReplacing(const QString& source, const QString& target);

} // namespace kapstat::download
