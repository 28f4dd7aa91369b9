#include "sim/simoptions.h"

#include "common/windows1250text.h"
#include "config/imageencoder.h"
#include "config/recorderconfiguration.h"
#include "live/instantframe.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
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

struct OptionDefinition
{
    const char* name;
    const char* valueName; // nullptr for a switch
    const char* help;
    Apply apply;
    bool inScenario = false; // also a line of a scenario file, without the dashes
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

// The part of the options a field belongs to.
template <typename Owner> Owner& part(SimOptions& options);
template <> SimOptions& part(SimOptions& options)
{
    return options;
}
template <> Scenario& part(SimOptions& options)
{
    return options.scenario;
}

template <typename Owner, typename Field>
Apply integer(Field Owner::*field, qint64 low, qint64 high)
{
    return [=](SimOptions& options, const QString& name, const QString& value) {
        const auto number = parseInteger(value, low, high);
        if (!number)
            return outOfRange(name, value, rangeText(low, high));
        assign(part<Owner>(options).*field, *number);
        return QString();
    };
}

Apply recordNumber(QList<int> Scenario::*list)
{
    return [=](SimOptions& options, const QString& name, const QString& value) {
        constexpr int Last = 0xFFFFFF;
        const auto number = parseInteger(value, 1, Last);
        if (!number)
            return outOfRange(name, value, rangeText(1, Last));
        (options.scenario.*list).append(static_cast<int>(*number));
        return QString();
    };
}

// A count S (stations 1..S, as before lists existed) or a list with commas ("1,3", "5,").
QString setStations(SimOptions& options, const QString& name, const QString& value)
{
    if (!value.contains(QLatin1Char(','))) {
        const auto count = parseInteger(value, 1, Scenario::MaximumStations);
        if (!count)
            return outOfRange(name, value, rangeText(1, Scenario::MaximumStations));
        options.scenario.stations = Scenario::firstStations(static_cast<int>(*count));
        return QString();
    }
    QString list = value;
    if (list.endsWith(QLatin1Char(',')))
        list.chop(1);
    const auto stations = Scenario::parseStationList(list);
    if (!stations)
        return outOfRange(name, value, tr("1-8 lub lista różnych numerów 1-8 po przecinku"));
    options.scenario.stations = *stations;
    return QString();
}

QString addInterruption(SimOptions& options, const QString& name, const QString& value)
{
    const auto interruption = Interruption::parse(value);
    if (!interruption)
        return outOfRange(name, value, tr("początek koniec faza, np. 3 5 L2, - 2 L1, 11 - L3"));
    for (const Interruption& other : options.scenario.interruptions)
        if (other.overlaps(*interruption))
            return tr("Przerwa %1 nakłada się na wcześniejszą przerwę tej samej fazy").arg(value);
    options.scenario.interruptions.append(*interruption);
    return QString();
}

QString readScenarioFile(SimOptions& options, const QString&, const QString& value)
{
    return SimOptions::applyScenarioFile(options, value);
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

QString setSystem(SimOptions& options, const QString& name, const QString& value)
{
    const QString v = value.toLower();
    if (v == QLatin1String("gwiazda"))
        options.system = config::MeasuringSystem::Star;
    else if (v == QStringLiteral("trójkąt") || v == QLatin1String("trojkat"))
        options.system = config::MeasuringSystem::Delta;
    else if (v == QLatin1String("1faza") || v == QLatin1String("1 faza"))
        options.system = config::MeasuringSystem::SinglePhase;
    else
        return outOfRange(name, value, QStringLiteral("gwiazda, trójkąt, 1faza"));
    return QString();
}

QString setDamagedLiveValue(SimOptions& options, const QString& name, const QString& value)
{
    const auto number = parseInteger(value, 0, 142);
    const auto& fields = live::frame::valueFields();
    const bool inBlock = number && std::any_of(fields.begin(), fields.end(),
                                               [&](const auto& f) { return f.number == *number; });
    if (!inBlock)
        return outOfRange(name, value, tr("numer wielkości z bloku wartości ramki 07h"));
    options.damagedLiveValue = static_cast<int>(*number);
    return QString();
}

std::span<const OptionDefinition> optionSpecs()
{
    static const OptionDefinition definitions[] = {
        {"--records", "N", "liczba rekordów pomiarowych w pamięci (domyślnie 0)",
         integer(&Scenario::records, 0, RecordStore::maximumRecords()), true},
        {"--events", "N", "liczba rekordów przerw i przepięć w pamięci (domyślnie 0)",
         integer(&Scenario::events, 0, 0xFFFF), true},
        {"--stations", "S",
         "stacje, które kolejno zapisały rekordy: lista numerów 1-8 po przecinku (1,3; jedna "
         "stacja: 5,) albo liczba S, czyli stacje 1..S (domyślnie 1)",
         setStations, true},
        {"--seed", "N", "ziarno danych pomiarowych i losowania błędów (domyślnie 1)",
         integer(&Scenario::seed, 0, 0xFFFFFFFFLL), true},
        {"--dip", "N",
         "rekord pomiarowy N z zapadem napięcia do ok. 70% Un (można powtarzać; "
         "bez tej opcji co ok. setny rekord)",
         recordNumber(&Scenario::dips), true},
        {"--overvoltage", "N", "rekord pomiarowy N z przepięciem (jak --dip)",
         recordNumber(&Scenario::overvoltages), true},
        {"--interruption", "P,K,F",
         "przerwa zasilania od rekordu zdarzeń P do K w fazie F (L1-L3); - zamiast P: zaczęła "
         "się przed pierwszym rekordem, zamiast K: trwa po ostatnim (można powtarzać; bez tej "
         "opcji cztery przerwy, w tym zaczęta przed pierwszym i niezakończona)",
         addInterruption, true},
        {"--scenario", "PLIK",
         "plik scenariusza: w każdym wierszu jedna z opcji records, events, stations, seed, dip, "
         "overvoltage, interruption bez kresek i z wartością po spacji, np. \"interruption 3 5 "
         "L2\"; # zaczyna komentarz",
         readScenarioFile},
        {"--record-length", "L",
         "rekordy pomiarowe o stałej długości L z bajtów syntetycznych zamiast układu z "
         "konfiguracji",
         integer(&SimOptions::recordLength, RecordStore::MinimumRecordLength, 0xFFFF)},
        {"--serial", "TEKST", "numer seryjny, najwyżej 27 znaków", setSerialNumber},
        {"--system", "UKŁAD",
         "układ pomiarowy konfiguracji rejestratora na starcie: gwiazda, trójkąt (trojkat) "
         "lub 1faza (domyślnie gwiazda)",
         setSystem},
        {"--bad-live-value", "NR",
         "wartość rejestratora o tym numerze (0-142, z bloku wartości) wysyłana w każdej "
         "ramce chwilowej 07h z cyfrą powyżej 9, nie do odczytania",
         setDamagedLiveValue},
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
         "odbieraj polecenia i wysyłaj odpowiedzi w tempie łącza o tej prędkości; odpowiedź "
         "zaczyna się po odebraniu całego polecenia (domyślnie bez ograniczeń)",
         integer(&SimOptions::baud, 50, 4000000)},
        {"--pace-baud", "B", "to samo co --baud", integer(&SimOptions::baud, 50, 4000000)},
        {"--stats", nullptr, "przy wyjściu wypisz na stderr liczby odebranych poleceń",
         flag(&SimOptions::stats)},
        {"--stdin-exit", nullptr, "zakończ, gdy zamknie się standardowe wejście",
         flag(&SimOptions::stdinExit)},
        {"--help", nullptr, "ten opis", flag(&SimOptions::help)},
        {"--version", nullptr, "wypisuje wersję programu", flag(&SimOptions::version)},
    };
    return definitions;
}

const OptionDefinition* findOption(const QString& name)
{
    for (const OptionDefinition& definition : optionSpecs()) {
        if (name == QLatin1String(definition.name))
            return &definition;
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
        const OptionDefinition* definition =
            argument.startsWith(QLatin1String("--")) ? findOption(name) : nullptr;
        QString problem;
        if (!definition) {
            problem = tr("Nieznana opcja: %1").arg(name);
        } else if (!definition->valueName && equals >= 0) {
            problem = tr("Opcja %1 nie przyjmuje wartości").arg(name);
        } else if (definition->valueName && equals < 0 && i + 1 >= arguments.size()) {
            problem = tr("Brak wartości opcji %1").arg(name);
        } else {
            const QString value = !definition->valueName ? QString()
                                  : equals >= 0          ? argument.mid(equals + 1)
                                                         : arguments[++i];
            problem = definition->apply(options, name, value);
        }
        if (!problem.isEmpty()) {
            if (error)
                *error = problem;
            return std::nullopt;
        }
    }
    return options;
}

QString SimOptions::applyScenarioFile(SimOptions& options, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return tr("Nie można odczytać pliku scenariusza %1: %2").arg(path, file.errorString());
    return applyScenarioText(options, QString::fromUtf8(file.readAll()), path);
}

QString SimOptions::applyScenarioText(SimOptions& options, const QString& text, const QString& path)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QString keyword = line.section(QLatin1Char(' '), 0, 0);
        const QString value = line.section(QLatin1Char(' '), 1).trimmed();
        const OptionDefinition* definition = findOption(QStringLiteral("--") + keyword);
        QString problem;
        if (!definition || !definition->inScenario)
            problem = tr("nieznane polecenie %1").arg(keyword);
        else if (value.isEmpty())
            problem = tr("Brak wartości opcji %1").arg(keyword);
        else
            problem = definition->apply(options, keyword, value);
        if (!problem.isEmpty())
            return tr("Plik scenariusza %1, wiersz %2: %3").arg(path).arg(i + 1).arg(problem);
    }
    return QString();
}

QStringList SimOptions::takeLeadingOptions(QStringList& arguments)
{
    QStringList taken;
    while (!arguments.isEmpty()) {
        const QString& argument = arguments.first();
        const bool hasInlineValue = argument.contains(QLatin1Char('='));
        const OptionDefinition* definition = findOption(argument.section(QLatin1Char('='), 0, 0));
        if (!definition || !argument.startsWith(QLatin1String("--")))
            break;
        taken.append(arguments.takeFirst());
        if (definition->valueName && !hasInlineValue && !arguments.isEmpty())
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
    for (const OptionDefinition& definition : optionSpecs()) {
        QString left = QLatin1String(definition.name);
        if (definition.valueName)
            left += QLatin1Char(' ') + QString::fromUtf8(definition.valueName);
        text += QStringLiteral("  %1 %2\n").arg(left, -20).arg(tr(definition.help));
    }
    text += tr("\nRekordy pomiarowe mają układ wynikający z bieżącej konfiguracji rejestratora\n"
               "(zmienia ją polecenie 09h). Pierwszy rekord ma czas 2020-01-01 00:00:00, każdy\n"
               "następny o okres zapamiętywania z konfiguracji później (0 minut: 1 s). Rekordy\n"
               "przerw i przepięć następują co 10 s od tej samej chwili. Stacje dzielą rekordy\n"
               "na kolejne odcinki w podanej kolejności. Każdy bajt zależy tylko od ziarna,\n"
               "scenariusza, konfiguracji i numeru rekordu.\n"
               "\nRamka chwilowa (07h) niesie przebiegi sieci stacji, przy której stoi\n"
               "rejestrator: napięcia z 3. i 5. harmoniczną, prądy (IL2 przez przetwornik\n"
               "pętli, zakresy 128-133) z 7. i 11., małą składową stałą, zakresy dobrane do\n"
               "amplitudy, LICZNIK z częstotliwości i IMAX obejmujący całe okresy. Wartości\n"
               "rejestratora w ramce są wyliczone z tych samych parametrów.\n"
               "\nKalibracja: 11h ustala zakres (kody 00h, 09h, 12h, 1Bh, 27h, 2Fh; 7Fh wraca do\n"
               "automatycznego doboru); dopóki zakres jest ustalony, na wszystkich wejściach\n"
               "jest generator kalibracyjny: sinusoida 50 Hz, 220 V i 5 A, bez składowej\n"
               "stałej. Próbki wynikają z rzeczywistych wzmocnień i przesunięć przetworników\n"
               "(fabryczne współczynniki), a skala i wartości rejestratora ze współczynników\n"
               "wysłanych rozkazem 12h, więc automatyczna kalibracja DC i wzmocnienia zbiega\n"
               "się do fabrycznych. 19h przepisuje współczynniki do EEPROM-u.\n"
               "\nPrzykładowy plik scenariusza:\n"
               "  records 500\n  events 12\n  stations 1,3\n  seed 7\n  dip 120\n"
               "  overvoltage 130\n  interruption - 2 L1\n  interruption 3 5 L2\n"
               "  interruption 11 - L3\n"
               "Błędny wiersz pliku: komunikat z numerem wiersza i kod wyjścia 2.\n");
    return text;
}

RecorderState SimOptions::recorderState() const
{
    RecorderState state;
    state.scenario = scenario;
    state.recordCount = scenario.records;
    state.eventCount = scenario.events;
    if (recordLength)
        state.fixedLengthRecords = RecordStore(*recordLength, int(scenario.stations.size()));
    // The recorder stands at the station it recorded last.
    state.stationIndex = scenario.stations.isEmpty() ? 0 : scenario.stations.last();
    state.serialNumber = common::Windows1250Text::encode(serialNumber);
    state.damagedLiveValue = damagedLiveValue;
    if (system) {
        config::RecorderConfiguration configuration;
        configuration.measuringSystem = *system;
        const config::ImageBuild build =
            config::imageencoder::build(configuration, state.calibration.coefficients());
        if (build.ok())
            state.configurationImage = build.image;
    }
    return state;
}

} // namespace kapstat::sim
