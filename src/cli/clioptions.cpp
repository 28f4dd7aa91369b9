#include "cli/clioptions.h"

#include "cli/clitext.h"
#include "cli/databasesession.h"
#include "sim/simoptions.h"

namespace kapstat::cli {

namespace {

} // namespace

std::optional<CliOptions> CliOptions::parse(QStringList arguments, QString* error)
{
    CliOptions options;
    auto fail = [error](const QString& message) {
        *error = message;
        return std::nullopt;
    };
    while (!arguments.isEmpty() && options.command.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
            return options;
        }
        if (argument == QLatin1String("--version")) {
            options.version = true;
            return options;
        }
        if (argument == QLatin1String("--port")) {
            if (arguments.isEmpty())
                return fail(tr("Opcja --port wymaga nazwy portu."));
            options.port = arguments.takeFirst();
        } else if (argument == QLatin1String("--sim")) {
            options.sim = true;
            options.simArguments = sim::SimOptions::takeLeadingOptions(arguments);
        } else if (argument == QLatin1String("--retry-rounds")) {
            bool ok = false;
            options.retryRounds = arguments.isEmpty() ? -1 : arguments.takeFirst().toInt(&ok);
            if (!ok || options.retryRounds < 0)
                return fail(
                    tr("Opcja --retry-rounds wymaga liczby całkowitej nie mniejszej od 0."));
        } else if (argument == QLatin1String("--yes")) {
            options.yes = true;
        } else if (argument.startsWith(QLatin1String("-"))) {
            return fail(tr("Nieznana opcja: %1").arg(argument));
        } else {
            options.command = argument;
        }
    }
    options.commandArguments = arguments;
    if (options.command.isEmpty())
        return fail(tr("Nie podano polecenia."));
    // Commands that only read a database touch no port.
    if (isDatabaseCommand(options.command)) {
        if (options.sim || !options.port.isEmpty())
            return fail(
                tr("Polecenie %1 nie używa portu: pomiń --port i --sim.").arg(options.command));
        return options;
    }
    if (options.sim == !options.port.isEmpty())
        return fail(tr("Podaj dokładnie jedno z: --port ŚCIEŻKA albo --sim."));
    return options;
}

QString CliOptions::usage()
{
    return tr(
        "Użycie: kapstat-cli (--port ŚCIEŻKA | --sim [opcje emulatora]) [--retry-rounds N] [--yes] "
        "POLECENIE [ARGUMENTY]\n"
        "\n"
        "Rozmawia z rejestratorem KAP-640 bez okien programu.\n"
        "\n"
        "Opcje:\n"
        "  --port ŚCIEŻKA      port szeregowy rejestratora (np. /dev/ttyUSB0 albo pseudoterminal)\n"
        "  --sim [opcje]       uruchamia emulator rejestratora w programie; opcje jak w "
        "kapstat-sim --help\n"
        "  --retry-rounds N    ile razy odpowiedzieć \"Tak\" na pytanie o ponowienie komunikacji\n"
        "                      w jednej operacji (domyślnie 2), potem \"Nie\"\n"
        "  --yes               odpowiada \"Tak\" na pytania potwierdzające (np. opróżnienie "
        "pamięci)\n"
        "  --help              ten opis\n"
        "  --version           wypisuje wersję programu\n"
        "\n"
        "Polecenia, które tylko czytają bazę pomiarów (bez --port i --sim):\n"
        "  info --pom PLIK.pom wypisuje nagłówek bazy, jej tabele i parametry normy\n"
        "  export --pom PLIK.pom --out NAZWA.prn [--conditions-only]\n"
        "                      zapisuje tabele bazy do plików NAZWA.prn, NAZWA.HARM.prn i\n"
        "                      NAZWA.PRZE.prn (po 60000 rekordów w pliku) i wypisuje ich nazwy;\n"
        "                      --conditions-only: tylko przekroczenia warunków\n"
        "  print --pom PLIK.pom --table rms|harm|events --columns NAZWA[,NAZWA...] --pdf "
        "PLIK.pdf\n"
        "        [--from \"rrrr-MM-dd gg:mm:ss\" --to \"rrrr-MM-dd gg:mm:ss\"]\n"
        "        [--title TYTUŁ] [--author AUTOR] [--shading]\n"
        "                      zapisuje wydruk do 6 kolumn tabeli jako plik PDF\n"
        "                      (bez --from i --to: wszystkie rekordy)\n"
        "  report --pom PLIK.pom [--service] [--pdf PLIK.pdf]\n"
        "                      raport zgodności z normą: tytuł, raport główny i dodatkowe wyniki\n"
        "                      statystyczne, rozdzielone wierszem ze znakiem nowej strony;\n"
        "                      --service pomija wymóg 100 rekordów, --pdf zapisuje też wydruk\n"
        "\n"
        "Wyniki trafiają na standardowe wyjście, postęp i komunikaty na standardowe wyjście "
        "błędów.\n"
        "Kod wyjścia: 0 wykonano; 1 rejestrator nie odpowiedział lub operacja się nie powiodła;\n"
        "2 błędne wywołanie; 3 przerwano (albo odpowiedziano \"Nie\").\n"
        "\n"
        "live [--frames N] [--json]\n"
        "  czyta konfigurację, potem N ramek pomiarów chwilowych (domyślnie 1); bez --json\n"
        "  wypisuje obie strony wartości okna pomiarów chwilowych, po wierszu na pole:\n"
        "  \"Opis<TAB>wartość<TAB>jednostka\" (na stronie fazowej opis z kolumną, np. \"U L1\");\n"
        "  z --json jeden obiekt JSON na ramkę w jednym wierszu.\n"
        "\n"
        "counters [--polls N] [--pom PLIK.pom]\n"
        "  odczytuje ramkę pomiarów chwilowych, potem liczniki rejestratora N razy (domyślnie 1)\n"
        "  i wypisuje stronę \"Liczniki\" okna liczników po ostatnim odczycie; z --pom obok\n"
        "  liczników rejestratora stoją liczniki komputera ze statystyk zgodności z normą tej\n"
        "  bazy (bez --pom: 0).\n"
        "\n"
        "calibration read PLIK.kal\n"
        "  odbiera współczynniki kalibracji (13h) i zapisuje je jako plik .kal (127 wierszy)\n"
        "calibration send PLIK.kal [--eeprom]\n"
        "  wysyła współczynniki z pliku .kal (12h), z --eeprom przepisuje je też do EEPROM-u\n"
        "  (19h); plik, który nie ma 127 poprawnych liczb całkowitych, jest odrzucany i nic\n"
        "  nie zostaje wysłane\n"
        "calibration auto-dc --range R [--loop] [--channels UL1,...,IL3]\n"
        "calibration auto-gain --range R [--loop] [--un 220] [--in 5] [--channels UL1,...,IL3]\n"
        "  automatyczna kalibracja DC albo wzmocnienia zakresu R (0-3, z --loop zakresy 0-5\n"
        "  przetwornika pętli prądowej) kanałów z listy (domyślnie wszystkich, z --loop\n"
        "  prądowych); postęp na standardowym wyjściu błędów, nowe współczynniki na wyjściu;\n"
        "  kalibracja, która nie skończy się po 50 ramkach, zostaje przerwana (kod 1).\n");
}

} // namespace kapstat::cli
