#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kapstat::common {

// The files the program writes for the recorder's world: Windows-1250, CR LF line ends.
class Windows1250Text
{
public:
    static QByteArray encode(const QString& text); // characters it cannot carry become '?'
    static QString decode(const QByteArray& bytes);

    // The lines of the file (CR LF or LF ends); nullopt with a message when it cannot be read.
    static std::optional<QStringList> readLines(const QString& path, QString* error = nullptr);
    // Every line ended by CR LF; the file is replaced only when the whole text was written.
    static bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);
};

} // namespace kapstat::common
