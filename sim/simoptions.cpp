#include "sim/simoptions.h"

#include "common/windows1250text.h"

#include <QCoreApplication>
#include <functional>
#include <span>

namespace kapstat::sim {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SimOptions", text);
}

// An empty text means the value was taken.
using Apply = std::function<QString(SimOptions&, const QString& name, const QString& value)>;

struct OptionSpec
{
    const char* name;
    const char* valueName; // nullptr for a switch
    const char* help;
    Apply apply;
};

QString outOfRange(const QString& name, const QString& value, const QString& range)
{
    return tr("Nieprawidłowa wartość opcji %1: %2 (dozwolone %3)").arg(name, value, range);
}

std::optional<qint64> parseInteger(const QString& value, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok && number >= low && number <= high ? std::optional(number) : std::nullopt;
}

QString rangeText(qint64 low, qint64 high)
{
    return QStringLiteral("%1..%2").arg(low).arg(high);
}

template <typename T> void assign(T& target, qint64 number)
{
    target = static_cast<T>(number);
}

template <typename T> void assign(std::optional<T>& target, qint64 number)
{
    target = static_cast<T>(number);
}

template <typename Field> Apply integer(Field SimOptions::*field, qint64 low, qint64 high)
{
    return [=](SimOptions& options, const QString& name, const QString& value) {
        const auto number = parseInteger(value, low, high);
        if (!number)
            return outOfRange(name, value, rangeText(low, high));
        assign(options.*field, *number);
        return QString();
    };
}

Apply rate(double FaultRates::*field)
{
    return [=](SimOptions& options, const QString& name, const QString& value) {
        bool ok = false;
        const double number =
            QString(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok || !(number >= 0 && number <= 1))
            return outOfRange(name, value, QStringLiteral("0..1"));
        options.faults.*field = number;
        return QString();
    };
}

Apply flag(bool SimOptions::*field)
{
    return [=](SimOptions& options, const QString&, const QString&) {
        options.*field = true;
        return QString();
    };
}

QString setSerialNumber(SimOptions& options, const QString&, const QString& value)
{
    if (value.size() > RecorderState::SerialNumberLength)
        return tr("Numer seryjny może mieć najwyżej %1 znaków: %2")
            .arg(RecorderState::SerialNumberLength)
            .arg(value);
    options.serialNumber = value;
    return QString();
}

QString setPort(SimOptions& options, const QString& name, const QString& value)
{
    if (value.isEmpty())
        return tr("Brak wartości opcji %1").arg(name);
    options.port = value;
    return QString();
}

std::span<const OptionSpec> optionSpecs()
{
    static const OptionSpec specs[] = {
        {"--records", "N", "liczba rekordów pomiarowych w pamięci (domyślnie 0)",
         integer(&SimOptions::records, 0, RecordStore::maximumRecords())},
        {"--events", "N", "liczba rekordów przerw i przepięć w stanie rejestratora (domyślnie 0)",
         integer(&SimOptions::events, 0, 0xFFFF)},
        {"--record-length", "L", "długość odpowiedzi z rekordem pomiarowym (domyślnie 14)",
         integer(&SimOptions::recordLength, RecordStore::MinimumRecordLength, 0xFFFF)},
        {"--stations", "S", "liczba stacji, między które dzielą się rekordy (1-8, domyślnie 1)",
         integer(&SimOptions::stations, 1, RecordStore::MaximumStations)},
        {"--serial", "TEKST", "numer seryjny, najwyżej 27 znaków", setSerialNumber},
        {"--seed", "N", "ziarno losowania błędów (domyślnie 1)",
         integer(&SimOptions::seed, 0, 0xFFFFFFFFLL)},
        {"--drop", "R", "część odpowiedzi pomijanych (0..1)", rate(&FaultRates::drop)},
        {"--corrupt", "R", "część odpowiedzi z jednym zmienionym bajtem (0..1)",
         rate(&FaultRates::corrupt)},
        {"--split", "R", "część odpowiedzi wysyłanych w kawałkach (0..1)",
         rate(&FaultRates::split)},
        {"--delay", "R", "część odpowiedzi spóźnionych poza czas oczekiwania PC (0..1)",
         rate(&FaultRates::delay)},
        {"--stray", "R", "część odpowiedzi poprzedzonych 1-5 przypadkowymi bajtami (0..1)",
         rate(&FaultRates::stray)},
        {"--port", "ŚCIEŻKA", "port szeregowy zamiast pseudoterminala (19200 8N1)", setPort},
        {"--baud", "B",
         "wysyłaj odpowiedzi w tempie łącza o tej prędkości (domyślnie bez ograniczeń)",
         integer(&SimOptions::baud, 50, 4000000)},
        {"--stats", nullptr, "przy wyjściu wypisz na stderr liczby odebranych poleceń",
         flag(&SimOptions::stats)},
        {"--stdin-exit", nullptr, "zakończ, gdy zamknie się standardowe wejście",
         flag(&SimOptions::stdinExit)},
        {"--help", nullptr, "ten opis", flag(&SimOptions::help)},
    };
    return specs;
}

const OptionSpec* findSpec(const QString& name)
{
    for (const OptionSpec& spec : optionSpecs()) {
        if (name == QLatin1String(spec.name))
            return &spec;
    }
    return nullptr;
}

} // namespace

std::optional<SimOptions> SimOptions::parse(const QStringList& arguments, QString* error)
{
    SimOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const OptionSpec* spec =
            argument.startsWith(QLatin1String("--")) ? findSpec(name) : nullptr;
        QString problem;
        if (!spec) {
            problem = tr("Nieznana opcja: %1").arg(name);
        } else if (!spec->valueName && equals >= 0) {
            problem = tr("Opcja %1 nie przyjmuje wartości").arg(name);
        } else if (spec->valueName && equals < 0 && i + 1 >= arguments.size()) {
            problem = tr("Brak wartości opcji %1").arg(name);
        } else {
            const QString value = !spec->valueName ? QString()
                                  : equals >= 0    ? argument.mid(equals + 1)
                                                   : arguments[++i];
            problem = spec->apply(options, name, value);
        }
        if (!problem.isEmpty()) {
            if (error)
                *error = problem;
            return std::nullopt;
        }
    }
    return options;
}

QStringList SimOptions::takeLeadingOptions(QStringList& arguments)
{
    QStringList taken;
    while (!arguments.isEmpty()) {
        const QString& argument = arguments.first();
        const bool hasInlineValue = argument.contains(QLatin1Char('='));
        const OptionSpec* spec = findSpec(argument.section(QLatin1Char('='), 0, 0));
        if (!spec || !argument.startsWith(QLatin1String("--")))
            break;
        taken.append(arguments.takeFirst());
        if (spec->valueName && !hasInlineValue && !arguments.isEmpty())
            taken.append(arguments.takeFirst());
    }
    return taken;
}

QString SimOptions::helpText()
{
    QString text =
        tr("Użycie: kapstat-sim [opcje]\n"
           "Emulowany rejestrator KAP-640: odpowiada na polecenia PC na pseudoterminalu,\n"
           "którego ścieżkę wypisuje w pierwszym wierszu standardowego wyjścia.\n"
           "Działa do SIGTERM lub SIGINT. Błędy w opcjach: kod wyjścia 2.\n\nOpcje:\n");
    for (const OptionSpec& spec : optionSpecs()) {
        QString left = QLatin1String(spec.name);
        if (spec.valueName)
            left += QLatin1Char(' ') + QString::fromUtf8(spec.valueName);
        text += QStringLiteral("  %1 %2\n").arg(left, -20).arg(tr(spec.help));
    }
    return text;
}

RecorderState SimOptions::recorderState() const
{
    RecorderState state;
    state.recordCount = records;
    state.eventCount = events;
    state.records = RecordStore(recordLength, stations);
    // The recorder stands at the station it recorded last.
    state.stationIndex = stations - 1;
    state.serialNumber = common::Windows1250Text::encode(serialNumber);
    return state;
}

} // namespace kapstat::sim
