#include "sim/simoptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat::sim;

namespace {
QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
} // namespace

TEST(SimOptions, EveryOptionLandsInBothSpellings)
{
    QString error;
    const auto options = SimOptions::parse(
        words("--records 350000 --events=12 --record-length 655 --stations 8 --serial=ABC/123 "
              "--seed 77 --drop 0.1 --corrupt=0,2 --split 1 --delay 0 --stray 0.05 "
              "--port /dev/ttyS1 --baud 19200 --stats --stdin-exit"),
        &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->scenario.records, 350000);
    EXPECT_EQ(options->scenario.events, 12);
    EXPECT_EQ(options->recordLength, 655);
    EXPECT_EQ(options->scenario.stations, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(options->serialNumber, QStringLiteral("ABC/123"));
    EXPECT_EQ(options->scenario.seed, 77u);
    EXPECT_DOUBLE_EQ(options->faults.drop, 0.1);
    EXPECT_DOUBLE_EQ(options->faults.corrupt, 0.2);
    EXPECT_DOUBLE_EQ(options->faults.split, 1);
    EXPECT_DOUBLE_EQ(options->faults.delay, 0);
    EXPECT_DOUBLE_EQ(options->faults.stray, 0.05);
    EXPECT_EQ(options->port, QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(options->baud, 19200);
    EXPECT_TRUE(options->stats);
    EXPECT_TRUE(options->stdinExit);
    EXPECT_FALSE(options->help);
}

TEST(SimOptions, BadOptionsAreRefusedWithAMessage)
{
    const struct
    {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"--x", "Nieznana opcja: --x"},
        {"records 5", "Nieznana opcja: records"},
        {"--records", "Brak wartości opcji --records"},
        {"--records -1", "Nieprawidłowa wartość opcji --records: -1 (dozwolone 0.."},
        {"--records many", "Nieprawidłowa wartość opcji --records: many"},
        {"--record-length 13",
         "Nieprawidłowa wartość opcji --record-length: 13 (dozwolone 14..65535)"},
        {"--stations 9", "Nieprawidłowa wartość opcji --stations: 9 (dozwolone 1..8)"},
        {"--drop 1.5", "Nieprawidłowa wartość opcji --drop: 1.5 (dozwolone 0..1)"},
        {"--stray nan", "Nieprawidłowa wartość opcji --stray: nan (dozwolone 0..1)"},
        {"--baud 0", "Nieprawidłowa wartość opcji --baud: 0"},
        {"--stats=yes", "Opcja --stats nie przyjmuje wartości"},
        {"--serial 1234567890123456789012345678", "Numer seryjny może mieć najwyżej 27 znaków"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(SimOptions::parse(words(c.arguments), &error)) << c.arguments;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.message)))
            << c.arguments << ": " << error.toStdString();
    }
}

TEST(SimOptions, AnEmbeddingProgramTakesTheLeadingEmulatorOptionsOnly)
{
    QStringList arguments =
        words("--drop 0.1 --stats --seed=4 --retry-rounds 3 status --records 5");
    EXPECT_EQ(SimOptions::takeLeadingOptions(arguments), words("--drop 0.1 --stats --seed=4"));
    EXPECT_EQ(arguments, words("--retry-rounds 3 status --records 5"));
}

TEST(SimOptions, TheRecorderStartsWithTheCountsAndStationsGiven)
{
    const auto options =
        SimOptions::parse(words("--records 90 --events 4 --stations 3 --serial Łódź-1"));
    ASSERT_TRUE(options);
    const RecorderState state = options->recorderState();
    EXPECT_EQ(state.recordCount, 90);
    EXPECT_EQ(state.eventCount, 4);
    EXPECT_EQ(state.stationIndex, 2);
    EXPECT_EQ(state.scenario.stationIndex(90, 90), 2);
    EXPECT_FALSE(state.fixedLengthRecords);
    // Windows-1250, one byte a letter.
    EXPECT_EQ(state.serialNumber, QByteArray("\xa3\xf3\x64\x9f-1"));
}

TEST(SimOptions, StationsComeAsAListOrACountAndPaceBaudIsBaud)
{
    const struct
    {
        const char* arguments;
        QList<int> stations;
    } cases[] = {
        {"--stations 1,3", {0, 2}},
        {"--stations 3", {0, 1, 2}},
        {"--stations 5,", {4}},
        {"--stations 8,2,5", {7, 1, 4}},
    };
    for (const auto& c : cases) {
        const auto options = SimOptions::parse(words(c.arguments));
        ASSERT_TRUE(options) << c.arguments;
        EXPECT_EQ(options->scenario.stations, c.stations) << c.arguments;
    }
    const auto paced = SimOptions::parse(words("--pace-baud 19200"));
    ASSERT_TRUE(paced);
    EXPECT_EQ(paced->baud, 19200);
}

TEST(SimOptions, AScenarioFileSetsTheMemoryAndLaterOptionsOverrideIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("scenario.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# two stations\n"
               "records 500\n"
               "events 12\n\n"
               "stations 1,3   # the second station is number 3\n"
               "seed 7\n"
               "dip 120\n"
               "dip 121\n"
               "overvoltage 130\n"
               "interruption - 2 L1\n"
               "interruption 3 5 L2\n"
               "interruption 11 - L3\n");
    file.close();
    QString error;
    const auto options = SimOptions::parse(
        {QStringLiteral("--scenario"), path, QStringLiteral("--events=4")}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    const Scenario& s = options->scenario;
    EXPECT_EQ(s.records, 500);
    EXPECT_EQ(s.events, 4);
    EXPECT_EQ(s.stations, (QList<int>{0, 2}));
    EXPECT_EQ(s.seed, 7u);
    EXPECT_EQ(s.dips, (QList<int>{120, 121}));
    EXPECT_EQ(s.overvoltages, QList<int>{130});
    EXPECT_EQ(s.interruptions,
              (QList<Interruption>{{std::nullopt, 2, 0}, {3, 5, 1}, {11, std::nullopt, 2}}));
    EXPECT_EQ(options->recorderState().recordCount, 500);
}

TEST(SimOptions, ABadScenarioLineIsNamedWithItsNumber)
{
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"records x", "wiersz 1: Nieprawidłowa wartość opcji records: x (dozwolone 0.."},
        {"# ok\nbogus 3", "wiersz 2: nieznane polecenie bogus"},
        {"port /dev/ttyS0", "wiersz 1: nieznane polecenie port"},
        {"--records 5", "wiersz 1: nieznane polecenie --records"},
        {"dip", "wiersz 1: Brak wartości opcji dip"},
        {"dip 0", "wiersz 1: Nieprawidłowa wartość opcji dip: 0"},
        {"events 70000", "wiersz 1: Nieprawidłowa wartość opcji events: 70000"},
        {"stations 1,1", "wiersz 1: Nieprawidłowa wartość opcji stations: 1,1"},
        {"stations 2,9", "wiersz 1: Nieprawidłowa wartość opcji stations: 2,9"},
        {"interruption 5 3 L1", "wiersz 1: Nieprawidłowa wartość opcji interruption: 5 3 L1"},
        {"interruption 3 5 L4", "wiersz 1: Nieprawidłowa wartość opcji interruption: 3 5 L4"},
        {"interruption 3 5", "wiersz 1: Nieprawidłowa wartość opcji interruption: 3 5"},
        {"interruption 1 4 L2\ninterruption 3 - L2",
         "wiersz 2: Przerwa 3 - L2 nakłada się na wcześniejszą przerwę tej samej fazy"},
        {"interruption - 4 L2\ninterruption - 1 L2", "wiersz 2: Przerwa - 1 L2 nakłada się"},
    };
    for (const auto& c : cases) {
        SimOptions options;
        const QString error = SimOptions::applyScenarioText(options, QString::fromUtf8(c.text),
                                                            QStringLiteral("s.txt"));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Plik scenariusza s.txt, ") +
                                     QString::fromUtf8(c.message)))
            << c.text << ": " << error.toStdString();
    }
    // Different phases do not overlap.
    SimOptions options;
    EXPECT_EQ(SimOptions::applyScenarioText(options, "interruption 1 4 L2\ninterruption 2 3 L1"),
              QString());
    QString error;
    EXPECT_FALSE(SimOptions::parse(words("--scenario /nonexistent/s.txt"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można odczytać pliku scenariusza")));
}
