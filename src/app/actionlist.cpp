#include "app/actionlist.h"

#include <QCoreApplication>
#include <cstring>

namespace kapstat::app {

const QList<ActionDefinition>& mainActions()
{
    using S = InitialState;
    static const QList<ActionDefinition> actions{
        {"acOtworzPomiary",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Otwórz pomiary"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Plik"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Przeglądanie pomiarów zapisanych w bazie danych na dysku."),
         {},
         S::Enabled},
        {"acExport2File",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Eksportuj dane do pliku TXT"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Plik"),
         QT_TRANSLATE_NOOP(
             "kapstat::app::MainWindow",
             "Eksport pomiarów z bazy danych do pliku tekstowego rozumianego przez arkusze "
             "kalkulacyjne."),
         {},
         S::Disabled},
        {"acDrukujWielkosci",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Drukuj wybrane wielkosci"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Plik"),
         nullptr,
         {},
         S::Disabled},
        {"acTabelaRMS", QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Tabelę pomiarów RMS"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaz"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Wyświetla tabele z wynikami pomiarow \"RMS\"."),
         QKeySequence(QStringLiteral("Ctrl+R")), S::Hidden},
        {"acWykresRMS", QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Wykres pomiarów RMS"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaz"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Wyświetla wykres pomirów RMS."),
         QKeySequence(QStringLiteral("Ctrl+W")), S::Disabled},
        {"acTabelaTHD",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Tabelę pomiarów harmonicznych"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaz"), nullptr,
         QKeySequence(QStringLiteral("Ctrl+T")), S::Hidden},
        {"acHarm", QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Wartości i widmo harmonicznych"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaz"), nullptr,
         QKeySequence(QStringLiteral("Ctrl+H")), S::Hidden},
        {"acNorma",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Utwórz raport zgodnosci z normą"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaz"),
         nullptr,
         {},
         S::Disabled},
        {"acNoweUstawienia",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Konfiguracja"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Tworzenie nowej konfiguracji rejestratora lub edycja istniejącej."),
         {},
         S::Enabled},
        {"acNawiazanie",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Nawiąż komunikację"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Nawiązanie komnikacji z rejestratorem."),
         {},
         S::Hidden},
        {"acPrzbiegiBiezace",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pomiary Bieżące"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Bieżące wyniki pomiarów."),
         {},
         S::Enabled},
        {"acUstawZegarek",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Ustaw czas i datę"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Ustawianie zegara rejestratora."),
         {},
         S::Enabled},
        {"acStanRej",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaż stan rejestratora"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Stan rejestratora: zajętość pamięci, ilość zgromadzonych pomiarów,..."),
         {},
         S::Enabled},
        {"acOdbPomiary",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Odbierz dane pomiarowe"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Odbiór pomiarów i umieszczenie ich w bazie danych o wybranej nazwie."),
         {},
         S::Enabled},
        {"acKasujPomiary",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Usuń pomiary z rejestratora"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Bezpowrotne usunięcie pomiarów z rejestratora i zwolnienie pamięci."),
         {},
         S::Enabled},
        {"acWspKalib",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaż wsp kalibracji"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Rejestrator"),
         nullptr,
         {},
         S::Hidden},
        {"acDoby",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Doby"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Opcje"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                           "Zaznacza kolorem kolejne doby w tabeli pomiarów"),
         {},
         S::Hidden},
        {"acKolStale",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Kolumny stałe"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Opcje"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Włącza/wyłącza opcję kolumn stałych."),
         {},
         S::Hidden},
        {"acWarunki",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Zaznacz przekroczenia warunków"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Opcje"),
         nullptr,
         {},
         S::Hidden,
         true},
        {"acPokazWarunekOnly",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pokaż tylko przekroczenia warunków"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Inne"),
         nullptr,
         {},
         S::Enabled,
         true},
        {"acOprogramie",
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "O programie"),
         QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Inne"),
         nullptr,
         {},
         S::Enabled},
    };
    return actions;
}

const char* toolBarHint(const char* actionName)
{
    static const struct
    {
        const char* action;
        const char* hint;
    } hints[] = {
        {"acExport2File",
         QT_TRANSLATE_NOOP(
             "kapstat::app::MainWindow",
             "Eksport pomiarów z wszystkich tabel do pliku tekstowego rozumianego przez "
             "arkusze kalkulacyjne.")},
        {"acNorma", QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                                      "Wygenerowanie raportu z badania zgodności z normą.")},
        {"acPrzbiegiBiezace", QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Pomiary chwilowe.")},
        {"acUstawZegarek", QT_TRANSLATE_NOOP("kapstat::app::MainWindow",
                                             "Ustawienie daty i czasu bieżącego w rejestratorze.")},
    };
    for (const auto& h : hints)
        if (std::strcmp(h.action, actionName) == 0)
            return h.hint;
    return nullptr;
}

} // namespace kapstat::app
