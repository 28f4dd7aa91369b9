#include "browse/selectionfile.h"

#include "common/windows1250text.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kapstat::browse {

namespace {
constexpr int HeaderLineCount = 6;
constexpr int StationPosition = 14; // the 15th character
constexpr int PlacePosition = 16;   // from the 17th character
} // namespace

QString SelectionFile::databaseBase() const
{
    const QFileInfo file(path);
    const QString name = file.completeBaseName();
    return file.path() + QLatin1Char('/') + name + QStringLiteral("_SP/") + name;
}

std::optional<int> SelectionFile::stationOf(const QString& fileName)
{
    if (fileName.size() <= StationPosition)
        return std::nullopt;
    const int digit = fileName.at(StationPosition).digitValue();
    // Only stations 1..8 exist; any other digit would name transformer ratios there are none of.
    if (digit < 1 || digit > 8)
        return std::nullopt;
    return digit;
}

std::optional<SelectionFile> SelectionFile::read(const QString& path, QString* error)
{
    const QFileInfo info(path);
    QString reason;
    const auto lines = common::Windows1250Text::readLines(path, &reason);
    if (!lines) {
        if (error)
            *error = QCoreApplication::translate("SelectionFile", "Nie można odczytać pliku %1: %2")
                         .arg(path, reason);
        return std::nullopt;
    }
    const auto station = stationOf(info.fileName());
    if (!station) {
        if (error)
            *error = QCoreApplication::translate(
                         "SelectionFile",
                         "Nazwa pliku %1 nie jest nazwą zbioru pomiarów: na 15. pozycji nie "
                         "stoi numer stacji (1-8).")
                         .arg(info.fileName());
        return std::nullopt;
    }
    SelectionFile file{path, lines->mid(0, HeaderLineCount), *station,
                       info.completeBaseName().mid(PlacePosition)};
    while (file.headerLines.size() < HeaderLineCount)
        file.headerLines << QString();
    return file;
}

} // namespace kapstat::browse
