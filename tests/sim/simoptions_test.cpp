#include "sim/simoptions.h"

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
