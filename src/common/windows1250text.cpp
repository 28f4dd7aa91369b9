#include "common/windows1250text.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kapstat::common {

namespace {
constexpr auto CodecName = "windows-1250";
}

QByteArray Windows1250Text::encode(const QString& text)
{
    QStringEncoder encoder(CodecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    return bytes;
}

QString Windows1250Text::decode(const QByteArray& bytes)
{
    QStringDecoder decoder(CodecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

std::optional<QStringList> Windows1250Text::readLines(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("Windows1250Text", "Nie można odczytać pliku %1.")
                         .arg(path);
        return std::nullopt;
    }
    QString text = decode(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool Windows1250Text::writeLines(const QString& path, const QStringList& lines, QString* error)
{
    QSaveFile file(path);
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encode(line) + "\r\n";
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error =
            QCoreApplication::translate("Windows1250Text", "Nie można zapisać pliku %1.").arg(path);
    return false;
}

} // namespace kapstat::common
