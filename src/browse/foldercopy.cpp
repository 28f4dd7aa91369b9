#include "browse/foldercopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace kapstat::browse {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::browse::FolderCopy", text);
}

constexpr qint64 CompareBlock = 65536;

// Paths below the folder, relative to it, folders ending in '/', sorted.
QStringList entriesBelow(const QString& folder)
{
    const QDir root(folder);
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = root.relativeFilePath(it.filePath());
        entries.append(it.fileInfo().isDir() ? QString(relative + QLatin1Char('/')) : relative);
    }
    entries.sort();
    return entries;
}

bool sameBytes(const QString& first, const QString& second)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    while (!a.atEnd()) {
        const QByteArray block = a.read(CompareBlock);
        if (block.isEmpty() || block != b.read(CompareBlock))
            return false;
    }
    return b.atEnd();
}

} // namespace

QString FolderCopy::copyFile(const QString& source, const QString& target)
{
    QFile file(source);
    if (file.copy(target))
        return {};
    return tr("plik „%1”: %2").arg(QDir::toNativeSeparators(source), file.errorString());
}

QString FolderCopy::copyFolder(const QString& source, const QString& target,
                               const FileCopier& copier)
{
    const QDir from(source);
    const QDir to(target);
    if (!to.mkpath(QStringLiteral(".")))
        return tr("nie można utworzyć folderu „%1”").arg(QDir::toNativeSeparators(target));
    for (const QString& entry : entriesBelow(source)) {
        const QString made = to.filePath(entry);
        if (entry.endsWith(QLatin1Char('/'))) {
            if (!to.mkpath(entry))
                return tr("nie można utworzyć folderu „%1”").arg(QDir::toNativeSeparators(made));
            continue;
        }
        const QString failure = copier(from.filePath(entry), made);
        if (!failure.isEmpty())
            return failure;
    }
    return {};
}

QString FolderCopy::compareFolders(const QString& source, const QString& target)
{
    const QStringList entries = entriesBelow(source);
    if (entries != entriesBelow(target))
        return tr("kopia nie zawiera tych samych plików co oryginał");
    const QDir from(source);
    const QDir to(target);
    for (const QString& entry : entries) {
        if (!entry.endsWith(QLatin1Char('/')) &&
            !sameBytes(from.filePath(entry), to.filePath(entry)))
            return tr("plik „%1” w kopii różni się od oryginału")
                .arg(QDir::toNativeSeparators(to.filePath(entry)));
    }
    return {};
}

bool FolderCopy::deleteFolder(const QString& folder)
{
    return QDir(folder).removeRecursively();
}

} // namespace kapstat::browse
