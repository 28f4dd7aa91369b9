#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The text of a PDF file as pdftotext -layout reads it back, its pages split at form feeds.
inline QStringList pdfPages(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), path, QStringLiteral("-")});
    reader.waitForFinished();
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The lines of a page that hold the text.
inline QStringList linesWith(const QString& page, const QString& text)
{
    QStringList found;
    for (const QString& line : page.split(QLatin1Char('\n')))
        if (line.contains(text))
            found << line;
    return found;
}
