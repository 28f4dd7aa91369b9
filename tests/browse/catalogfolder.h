#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

// A database folder in a temporary directory, holding databases laid out as a download lays
// them out: download folder / selection file, and beside it the database folder with the three
// tables and the settings copy. Every file holds its own name, so that a copy can be told from a
// wrong one.
class CatalogFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

    // download: the download folder below the database folder (may be empty or nested);
    // name: the selection file's name without extension. Returns the selection file's path.
    QString addDatabase(const QString& download, const QString& name,
                        const QString& extension = QStringLiteral(".POM")) const
    {
        const QDir folder(m_dir.filePath(download));
        folder.mkpath(name + QStringLiteral("_SP"));
        for (const char* suffix : {".db", ".HARM.db", ".PRZE.db", ".CONF.ust"})
            write(folder.filePath(name + QStringLiteral("_SP/") + name +
                                  QString::fromLatin1(suffix)));
        const QString selectionFile = folder.filePath(name + extension);
        write(selectionFile);
        return selectionFile;
    }

    // Every file below the database folder, by relative path, with its bytes.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                files.insert(QDir(path()).relativeFilePath(file.fileName()), file.readAll());
        }
        return files;
    }

    static void write(const QString& path)
    {
        // A few kilobytes, so that a copy cut short shows.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(4096, 'x') + path.toUtf8());
    }

private:
    QTemporaryDir m_dir;
};
