#include "calib/calibrationfile.h"

#include "calib/calibrationblock.h"
#include "common/windows1250text.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <limits>

namespace kapstat::calib::calibrationfile {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("calibrationfile", text);
}

// One line of the file: the field it holds and the values the recorder's block can carry.
struct Line
{
    std::function<int&(CalibrationSet&)> field;
    int lowest;
    int highest;
};

// The file's lines in order.
QList<Line> lines()
{
    QList<Line> result;
    result.append({[](CalibrationSet& s) -> int& { return s.generatorCorrection; },
                   std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()});
    for (int c = 0; c < ChannelCount; ++c) {
        for (int r = 0; r < RangeSlotCount; ++r) {
            if (!calibrationblock::hasSlot(c, r))
                continue;
            result.append({[c, r](CalibrationSet& s) -> int& { return s.dcOffset[c][r]; },
                           -LargestDcOffset, LargestDcOffset});
            result.append({[c, r](CalibrationSet& s) -> int& { return s.gainMantissa[c][r]; },
                           -LargestGainMantissa, LargestGainMantissa});
            result.append({[c, r](CalibrationSet& s) -> int& { return s.gainExponent[c][r]; },
                           LowestGainExponent, HighestGainExponent});
        }
    }
    return result;
}

} // namespace

std::optional<QString> save(const CalibrationSet& set, const QString& path)
{
    CalibrationSet copy = set;
    QStringList text;
    for (const Line& line : lines())
        text << QString::number(line.field(copy));
    QString error;
    if (common::Windows1250Text::writeLines(path, text, &error))
        return std::nullopt;
    return error;
}

std::optional<QString> load(CalibrationSet& set, const QString& path)
{
    QString error;
    auto text = common::Windows1250Text::readLines(path, &error);
    if (!text)
        return error;
    // The line end of the last line leaves no line of its own.
    while (!text->isEmpty() && text->last().trimmed().isEmpty())
        text->removeLast();
    if (text->size() != LineCount)
        return tr("Plik kalibracji %1 powinien mieć %2 wierszy z liczbami, a ma ich %3. Nie "
                  "wczytano współczynników.")
            .arg(path)
            .arg(LineCount)
            .arg(text->size());
    CalibrationSet read = set;
    const QList<Line> fields = lines();
    for (int i = 0; i < LineCount; ++i) {
        bool ok = false;
        const int value = text->at(i).trimmed().toInt(&ok);
        if (!ok || value < fields[i].lowest || value > fields[i].highest)
            return tr("Błąd w wierszu %1 pliku kalibracji %2: „%3” nie jest poprawną wartością. "
                      "Nie wczytano współczynników.")
                .arg(i + 1)
                .arg(path, text->at(i));
        fields[i].field(read) = value;
    }
    set = read;
    return std::nullopt;
}

} // namespace kapstat::calib::calibrationfile
