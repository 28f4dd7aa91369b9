#include "common/decimaltext.h"
#include "config/configurationmodel.h"
#include "config/defaultconfigurationimage.h"
#include "config/imagedecoder.h"
#include "config/imageencoder.h"
#include "config/imagelayout.h"
#include "randomconfiguration.h"

#include <gtest/gtest.h>

namespace kapstat::config {
namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray imageOf(const RecorderConfiguration& c,
                   const calib::CalibrationSet& calibration = typicalCalibration())
{
    const ImageBuild build = imageencoder::build(c, calibration);
    EXPECT_TRUE(build.ok()) << build.error.toStdString();
    return build.image;
}

TEST(ConfigurationImage, DefaultConfiguration)
{
    const QByteArray image = defaultConfigurationImage(typicalCalibration());
    ASSERT_EQ(image.size(), 1023);
    EXPECT_EQ(image.left(60), QByteArray("Stacja 1").leftJustified(60, ' '));
    EXPECT_EQ(quint8(image[480]), 0x7F);
    EXPECT_EQ(quint8(image[481]), 0x03);
    EXPECT_EQ(quint8(image[482]), 0x05);
    EXPECT_EQ(image.mid(502, 6), hex("1A011A011A01"));
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(image.mid(508 + 16 * s, 16), hex("00003002FC30020000000001FD0001FE")) << s;
    EXPECT_EQ(image.mid(777, 5), hex("000005FF05"));
    EXPECT_EQ(image.mid(736, 6), hex("0002FF0002FF")); // signalling levels 20
}

TEST(ConfigurationImage, DefaultNormBytes)
{
    RecorderConfiguration c;
    c.storagePeriod = 10;
    const QByteArray image = imageOf(c);
    EXPECT_EQ(quint8(image[777]), 0x01);
    EXPECT_EQ(image.mid(782, 18), hex("0081FE0001FE5009FF0086FE0004FE000100"));
    EXPECT_EQ(image.mid(842 + 3 * (15 - 2), 3), hex("0005FD")); // H15 0,5
    EXPECT_EQ(image.mid(842 + 3 * (24 - 2), 3), hex("0005FD")); // even orders share 0,5
    EXPECT_EQ(quint8(image[926]), 180);
}

TEST(ConfigurationImage, Descriptions)
{
    ConfigurationModel model;
    StationSettings s = model.configuration().stations[0];
    s.description = QString(75, QLatin1Char('x'));
    model.setStation(0, s);
    s.description = QStringLiteral("  Ąb");
    model.setStation(1, s);
    const QByteArray image = imageOf(model.configuration());
    EXPECT_EQ(image.left(60), QByteArray(60, 'x'));
    EXPECT_EQ(image.mid(60, 60), QByteArray("  \xA5"
                                            "b")
                                     .leftJustified(60, ' '));

    ConfigurationModel back;
    ASSERT_TRUE(imagedecoder::apply(back, image, false));
    EXPECT_EQ(back.configuration().stations[0].description, QString(60, QLatin1Char('x')));
    EXPECT_EQ(back.configuration().stations[1].description, QStringLiteral("  Ąb"));

    ConfigurationModel keeping;
    ASSERT_TRUE(imagedecoder::apply(keeping, image, true));
    EXPECT_EQ(keeping.configuration().stations[0].description, QStringLiteral("Stacja 1"));
}

TEST(ConfigurationImage, EventRecordingTakesStation1VtSecondary)
{
    ConfigurationModel model;
    StationSettings s = model.configuration().stations[0];
    s.vtSecondary = 2; // 100 V
    s.vtPrimary = s.un = 100;
    model.setStation(0, s);
    model.clickIndicator(153);
    model.alignVtSecondariesForEventRecording();
    for (const StationSettings& station : model.configuration().stations)
        EXPECT_EQ(station.vtSecondary, 2);
    const QByteArray image = imageOf(model.configuration());
    EXPECT_EQ(quint8(image[480]), 0xF9);
    EXPECT_EQ(image.mid(508 + 16 * 7 + 5, 3), hex("000100")); // 100 V at station 8
}

TEST(ConfigurationImage, VoltageRanges)
{
    const std::pair<double, int> cases[] = {{57.7, 2}, {63.5, 2}, {100, 1},  {173, 1},  {190, 0},
                                            {398, 0},  {49.9, 0}, {99.9, 2}, {189.9, 1}};
    for (const auto& [volts, range] : cases)
        EXPECT_EQ(imageencoder::voltageRange(volts), range) << volts;
}

TEST(ConfigurationImage, ThresholdsFromTheCoefficients)
{
    calib::CalibrationSet calibration;
    for (int q = 0; q < 3; ++q) { // 0.2 V a count on L1, 0.25 on L2, 0.5 on L3 in range 0
        calibration.gainMantissa[q][0] = std::array{20000, 25000, 50000}[q];
        calibration.gainExponent[q][0] = -5;
    }
    RecorderConfiguration c; // 230 V at the input: peak 325.27 V
    const ImageBuild build = imageencoder::build(c, calibration);
    ASSERT_TRUE(build.ok());
    const auto le16 = [&](int offset) {
        return quint8(build.image[offset]) + 256 * quint8(build.image[offset + 1]);
    };
    // Trunc(peak / k x 190 / 100 + 0.5) and Trunc(peak / k x 1.1 + 0.5)
    EXPECT_EQ(le16(927), 3090);
    EXPECT_EQ(le16(929), 2472);
    EXPECT_EQ(le16(931), 1236);
    EXPECT_EQ(le16(975), 1789);
    EXPECT_EQ(le16(979), 716);
    ASSERT_EQ(build.tooHighThresholds.size(), 16); // L1 and L2 of every station
    EXPECT_EQ(build.tooHighThresholds[0].largestAdmissiblePercent, 123); // 0.2 x 2000 / 325.27
    EXPECT_EQ(build.tooHighThresholds[1].largestAdmissiblePercent, 154);
}

TEST(ConfigurationImage, ZeroCoefficientStopsTheBuild)
{
    const ImageBuild build = imageencoder::build(RecorderConfiguration{}, calib::CalibrationSet{});
    EXPECT_EQ(build.error,
              QStringLiteral("Nieprawidłowe wartości współczynników kalibracji! Konfiguracja nie "
                             "zostanie wysłana."));
}

TEST(ConfigurationImage, TextsThatAreNotNumbersNeverReachTheImage)
{
    const std::function<void(RecorderConfiguration&)> faults[] = {
        [](RecorderConfiguration& c) { c.conditions[1].lower = QStringLiteral("abc"); },
        [](RecorderConfiguration& c) { c.conditions[2].upper = QStringLiteral("1.5"); },
        [](RecorderConfiguration& c) { c.stations[3].ctSecondary = QStringLiteral("x,yz"); },
        [](RecorderConfiguration& c) { c.norm[NormField::Harmonic9] = QString(); },
        [](RecorderConfiguration& c) {
            c.norm[NormField::LongInterruption] = QStringLiteral("300");
        },
        [](RecorderConfiguration& c) { c.storagePeriod = NoChoice; },
        [](RecorderConfiguration& c) { c.stations[5].vtSecondary = NoChoice; },
        [](RecorderConfiguration& c) { c.stations[0].vtPrimary = 0; },
    };
    for (const auto& fault : faults) {
        RecorderConfiguration c;
        fault(c);
        const ImageBuild build = imageencoder::build(c, typicalCalibration());
        EXPECT_TRUE(build.image.isEmpty());
        EXPECT_TRUE(build.error.endsWith(QStringLiteral("Konfiguracja nie zostanie wysłana.")))
            << build.error.toStdString();
        EXPECT_TRUE(imageencoder::valueError(c).has_value());
    }
    EXPECT_FALSE(imageencoder::valueError(RecorderConfiguration{}).has_value());
}

TEST(ConfigurationImage, ReceivedEdgeCases)
{
    QByteArray image = defaultConfigurationImage(typicalCalibration());
    image[502] = 0; // condition 1: code 0 is "Pav"
    image[503] = 0;
    image[504] = 0x1A; // condition 2: 282 is off
    image[505] = 0x01;
    image[506] = char(0xFF); // condition 3: a code the list does not know
    image[507] = char(0xFF);
    image.replace(508 + 16 + 5, 3, hex("7001FF")); // station 2 VT secondary 127 V
    image.replace(508 + 32 + 5, 3, hex("7705FF")); // station 3: 57,7 V
    image[481] = 0x02;                             // system bits 10b
    image[482] = 61;                               // no such period
    image.replace(640, 6, hex("0000001332 09"));   // month 13 at station 1's start
    ConfigurationModel model;
    model.applySystemChange(MeasuringSystem::Delta);
    ASSERT_TRUE(imagedecoder::apply(model, image, false));
    const RecorderConfiguration& c = model.configuration();
    EXPECT_EQ(c.conditions[0].quantity, 1);
    EXPECT_EQ(c.conditions[1].quantity, 0);
    EXPECT_EQ(c.conditions[2].quantity, 0);
    EXPECT_EQ(c.stations[1].vtSecondary, NoChoice);
    EXPECT_EQ(c.stations[2].vtSecondary, 0);
    EXPECT_EQ(c.measuringSystem, MeasuringSystem::Delta);
    EXPECT_EQ(c.storagePeriod, NoChoice);
    EXPECT_EQ(c.stations[0].start, QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
    EXPECT_EQ(c.stations[0].ctSecondary, QStringLiteral("1,00"));
}

// A quantity written once per phase takes the value of its last nibble.
TEST(ConfigurationImage, RepeatedNibblesTakeTheLastOccurrence)
{
    QByteArray image = defaultConfigurationImage(typicalCalibration());
    image[764] = 0x0F;       // CFU for L1: all on
    image[765] = char(0xF2); // CFU for L2 on, for L3: avg only
    image[766] = char(0xFF);
    image[767] = 0x08; // CFI for L3 off; UH0 for L1 min
    image[768] = 0x01; // UH0 for L3: inst
    ConfigurationModel model;
    model.setStoragePeriod(0); // inst values allowed
    ASSERT_TRUE(imagedecoder::apply(model, image, false));
    const auto& lit = model.configuration().selection;
    EXPECT_EQ((std::array{lit[145], lit[146], lit[147], lit[148]}),
              (std::array{false, false, true, false}));
    EXPECT_EQ((std::array{lit[149], lit[150], lit[151], lit[152]}),
              (std::array{false, false, false, false}));
    EXPECT_EQ((std::array{lit[210], lit[211], lit[212], lit[213]}),
              (std::array{false, false, false, true}));
}

TEST(ConfigurationImage, DamagedImageChangesNothing)
{
    const QByteArray good = defaultConfigurationImage(typicalCalibration());
    QByteArray badNumber = good;
    badNumber[800] = char(0x2A); // Un of station 1 with a nibble A
    QByteArray badPeriod = good;
    badPeriod[743] = 8;
    QByteArray hugeCtPrimary = good; // 1000 x 10^127 A: no whole number holds it
    hugeCtPrimary[imagelayout::Transformers + 8 + 4] = char(0x7F);
    for (const QByteArray& image : {badNumber, badPeriod, hugeCtPrimary, good.left(1000)}) {
        ConfigurationModel model;
        StationSettings s = model.configuration().stations[0];
        s.description = QStringLiteral("mine");
        model.setStation(0, s);
        const RecorderConfiguration before = model.configuration();
        EXPECT_FALSE(imagedecoder::apply(model, image, false));
        EXPECT_EQ(model.configuration(), before);
    }
}

// A norm-mode image leaves its own flags, whatever the model held before.
TEST(ConfigurationImage, NormModeImageKeepsItsOptionFlags)
{
    ConfigurationModel source;
    source.applySystemChange(MeasuringSystem::SinglePhase);
    source.clickIndicator(entries::NormMode);
    source.clickIndicator(entries::VoltageWaveforms);
    source.clickIndicator(entries::Phasors);
    const QByteArray image = imageOf(source.configuration());
    ConfigurationModel target; // Star, norm mode off
    ASSERT_TRUE(imagedecoder::apply(target, image, false));
    EXPECT_EQ(target.configuration(), source.configuration());
    EXPECT_EQ(target.colour(1), IndicatorColour::Red);
}

TEST(ConfigurationImage, RoundTripOfRandomConfigurations)
{
    std::mt19937 random(20011213);
    for (int round = 0; round < 300; ++round) {
        ConfigurationModel source;
        randomise(source, random);
        const RecorderConfiguration& expected = source.configuration();
        const ImageBuild build = imageencoder::build(expected, typicalCalibration());
        ASSERT_TRUE(build.ok()) << round << ": " << build.error.toStdString();
        ConfigurationModel target;
        ASSERT_TRUE(imagedecoder::apply(target, build.image, false)) << round;
        ASSERT_EQ(target.configuration(), expected) << round;
        ASSERT_EQ(imageencoder::build(target.configuration(), typicalCalibration()).image,
                  build.image)
            << round;
    }
}

} // namespace
} // namespace kapstat::config
