#include "link/recorderstatus.h"

#include "common/datetimetext.h"
#include "common/windows1250text.h"
#include "link/devicenumbers.h"

#include <QCoreApplication>
#include <cmath>

namespace kapstat::link {

namespace {

constexpr int RecordCountPosition = 5;
constexpr int EventCountPosition = 8;
constexpr int FlagsPosition = 10;
constexpr int RecordMemoryPosition = 11;
constexpr int CalibrationDatePosition = 12;
constexpr int TotalMemoryPosition = 15;
constexpr int SerialNumberPosition = 16;
constexpr int SerialNumberLength = 27;
constexpr int KilobytesPerMemoryUnit = 512;

constexpr quint8 NoMainsBit = 0x80;
constexpr quint8 RecordingStoppedBit = 0x08;
constexpr quint8 StationBits = 0x07;
constexpr quint8 OperatingBatteryGoodBit = 0x40;
constexpr quint8 MemoryBatteryGoodBit = 0x20;

QString tr(const char* text)
{
    return QCoreApplication::translate("RecorderStatus", text);
}

QString percent(int value)
{
    return QString::number(value) + QLatin1Char('%');
}

QString goodOrBad(bool good)
{
    return good ? tr("stan dobry") : tr("stan zły");
}

// The recorder pads its serial number with blanks or zero bytes.
QString serialNumber(const ResponseBytes& response)
{
    QByteArray text = response.bytes(SerialNumberPosition, SerialNumberLength);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\0'))
        text.chop(1);
    return common::Windows1250Text::decode(text);
}

} // namespace

QString RecorderStatus::caption(int row)
{
    static const char* const captions[RowCount] = {
        QT_TRANSLATE_NOOP("RecorderStatus", "Rejestracja:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Aktualna stacja:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Licznik rekordów pomiarowych:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Zajętosć pamięci pomiarów:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Licznik rekordów przerw i przep.:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Zajętosć pamięci przerw i przep.:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Całkowita ilosć pamięci:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Kalibrowano dnia:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Nr seryjny:"),
        QT_TRANSLATE_NOOP("RecorderStatus", "Zasilanie sieciowe:"),
    };
    return tr(captions[row]);
}

int RecorderStatus::eventCapacity(config::MeasuringSystem system)
{
    switch (system) {
    case config::MeasuringSystem::Star:
        return 806;
    case config::MeasuringSystem::Delta:
        return 1191;
    case config::MeasuringSystem::SinglePhase:
        break;
    }
    return 2279;
}

RecorderStatus RecorderStatus::decode(const ResponseBytes& response, config::MeasuringSystem system)
{
    const quint8 flags = response.at(FlagsPosition);
    const int events = numbers::decodeUnsigned(response, EventCountPosition, 2);
    // Rounded half up, as the recorder's own display rounds it.
    const int eventPercent =
        static_cast<int>(std::trunc(events * 100.0 / eventCapacity(system) + 0.5));
    // A calibration date that is no date (a recorder never calibrated sends zeros) leaves
    // the row empty; the rest of the status still counts.
    const auto calibrated = numbers::decodeBcdDate3(response, CalibrationDatePosition);

    RecorderStatus status;
    auto& v = status.values;
    v[Recording] = flags & RecordingStoppedBit ? tr("zatrzymana") : tr("w toku");
    v[Station] = QString::number((flags & StationBits) + 1);
    v[RecordCount] = QString::number(numbers::decodeUnsigned(response, RecordCountPosition, 3));
    v[RecordMemory] = percent(response.at(RecordMemoryPosition));
    v[EventCount] = QString::number(events);
    v[EventMemory] = percent(eventPercent);
    v[TotalMemory] = QString::number(response.at(TotalMemoryPosition) * KilobytesPerMemoryUnit) +
                     QLatin1String("kB");
    v[CalibrationDate] = calibrated ? common::DateTimeText::date(*calibrated) : QString();
    v[SerialNumber] = serialNumber(response);
    v[MainsSupply] = flags & NoMainsBit ? tr("brak sieci") : tr("stan dobry");
    return status;
}

QString BatteryReport::caption(int row)
{
    return row == Operating ? tr("Akumulator podtrzymujący pracę:")
                            : tr("Akumulator podtrzymujący pamięć:");
}

BatteryReport BatteryReport::prompt()
{
    const QString text =
        tr("nacisnij") + QLatin1String(" \"") + tr("Zbadaj stan akumulatorów") + QLatin1Char('"');
    return {{text, text}, Colour::Prompt};
}

BatteryReport BatteryReport::decode(const ResponseBytes& response)
{
    const quint8 state = response.at(5);
    const bool operatingGood = state & OperatingBatteryGoodBit;
    const bool memoryGood = state & MemoryBatteryGoodBit;
    return {{goodOrBad(operatingGood), goodOrBad(memoryGood)},
            operatingGood && memoryGood ? Colour::Good : Colour::Bad};
}

} // namespace kapstat::link
