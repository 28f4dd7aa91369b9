#include "download/downloadfolders.h"

#include "common/datetimetext.h"
#include "download/measurementtables.h"

#include <QDir>
#include <QFile>

namespace kapstat::download {

DownloadFolders::DownloadFolders(const QString& databaseFolder, const QDateTime& downloadTime,
                                 const QString& serialNumber)
{
    QString base = QDir::fromNativeSeparators(databaseFolder);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    // Characters 12-14 and 16-19 of the serial number; sanitised, since they come from the line.
    const QString serialPart = sanitizeFileName(serialNumber.mid(11, 3) + serialNumber.mid(15, 4));
    m_download = base + timeText(downloadTime) + QLatin1Char('_') + serialPart + QLatin1Char('/');
}

QString DownloadFolders::temporaryFile(const QString& suffix) const
{
    return temporaryFolder() + QStringLiteral("_tymczasowy") + suffix;
}

QString DownloadFolders::stationName(const QDateTime& firstRecord, int station,
                                     const QString& description)
{
    return timeText(firstRecord) + QLatin1Char('_') + QString::number(station) + QLatin1Char('_') +
           sanitizeFileName(description);
}

QString DownloadFolders::stationFolder(const QString& stationName) const
{
    return m_download + stationName + QStringLiteral("_SP/");
}

QString DownloadFolders::entryFile(const QString& stationName) const
{
    return m_download + stationName + QStringLiteral(".POM");
}

QString DownloadFolders::timeText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyMMdd-hhmmss"));
}

QStringList downloadInformation(const QString& totalMemory, const QString& calibrationDate,
                                const QString& serialNumber, const QDateTime& downloadTime,
                                const QString& recordCount, const QString& eventCount)
{
    return {totalMemory,  calibrationDate,
            serialNumber, common::DateTimeText::dateTime(downloadTime),
            recordCount,  eventCount};
}

bool prepareEmptyFolder(const QString& path)
{
    QDir dir(path);
    if (!dir.exists() && !QDir().mkdir(path))
        return false;
    bool ok = true;
    for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        ok = dir.remove(file) && ok;
    return ok;
}

bool copyReplacing(const QString& source, const QString& target)
{
    QFile::remove(target);
    return QFile::copy(source, target);
}

} // namespace kapstat::download
