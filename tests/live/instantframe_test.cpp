#include "live/instantframe.h"
#include "live/quantitynumbers.h"
#include "sim/instantframewriter.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::live;
using config::MeasuringSystem;
using sim::InstantFrameWriter;

namespace {

struct Decoded
{
    LiveStore store;
    calib::RangeScale scale;

    void decode(const InstantFrameWriter& frame, MeasuringSystem system = MeasuringSystem::Star,
                ScaleBlockTiming timing = ScaleBlockTiming::AfterScaling)
    {
        decodeInstantFrame(frame.response(), system, scale, store, timing);
    }
};

// A frame whose every channel is in range 1 with the given coefficient and holds count 1000
// in every sample set.
InstantFrameWriter steadyFrame(double coefficient)
{
    InstantFrameWriter frame;
    for (int c = 0; c < ChannelCount; ++c) {
        frame.setRangeByte(c, 1);
        frame.setScale(c, coefficient);
        for (int a = 0; a < SampleCount; ++a)
            frame.setSample(a, c, 1000);
    }
    return frame;
}

} // namespace

TEST(InstantFrame, SampleBytesAreSignAndMagnitude)
{
    struct Case
    {
        quint8 low, high;
        int count;
    };
    const Case cases[] = {{0x00, 0x80, 0},      {0xFF, 0xFF, -32767},  {0xFF, 0x7F, 32767},
                          {0x34, 0x12, 0x1234}, {0x34, 0x92, -0x1234}, {0x00, 0x00, 0}};
    for (const Case& c : cases) {
        InstantFrameWriter frame;
        frame.setSampleBytes(7, 2, c.low, c.high);
        Decoded d;
        d.decode(frame);
        EXPECT_EQ(d.store.raw[2][7], c.count) << int(c.low) << ' ' << int(c.high);
        EXPECT_EQ(d.store.peaks[2], std::abs(c.count));
    }
}

TEST(InstantFrame, PeakIsTheLargestMagnitudeOfTheChannel)
{
    InstantFrameWriter frame;
    frame.setSample(3, 4, 120);
    frame.setSample(200, 4, -900);
    frame.setSample(299, 4, 899);
    Decoded d;
    d.decode(frame);
    EXPECT_EQ(d.store.peaks[4], 900);
    EXPECT_EQ(d.store.peaks[0], 0);
}

TEST(InstantFrame, RangeBytesGiveRangeIndexAndText)
{
    struct Case
    {
        quint8 byte;
        int index;
        const char* text;
    };
    const Case cases[] = {{0x00, 0, "0"},  {0x03, 3, "3"},  {0x80, 4, "0P"},
                          {0x81, 5, "1P"}, {0x85, 9, "5P"}, {0x09, 9, "5P"},
                          {0x0A, 10, "?"}, {0x86, 10, "?"}, {0xFF, 131, "?"}};
    for (const Case& c : cases) {
        EXPECT_EQ(frame::rangeIndexOf(c.byte), c.index) << int(c.byte);
        EXPECT_EQ(frame::rangeText(frame::rangeIndexOf(c.byte)), QLatin1String(c.text));
    }
}

TEST(InstantFrame, RangeWithoutSlotScalesToZeroAndStoresNoCoefficient)
{
    InstantFrameWriter frame = steadyFrame(0.5);
    frame.setRangeByte(0, 0x0A);
    frame.setRangeByte(3, 0xFF);
    Decoded d;
    d.scale.values[0].fill(2.0);
    d.decode(frame);
    d.decode(frame);
    EXPECT_EQ(d.store.ranges[0], 10);
    EXPECT_EQ(d.store.scaled[0][0], 0);
    EXPECT_EQ(d.store.scaled[3][0], 0);
    EXPECT_EQ(d.scale.values[0], (std::array<double, 10>{2, 2, 2, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(d.store.scaled[1][0], 500); // the other channels scale as usual
}

TEST(InstantFrame, FirstFrameWithoutCalibrationScalesToZeroTheSecondScalesRight)
{
    const InstantFrameWriter frame = steadyFrame(0.25);
    Decoded d;
    d.decode(frame);
    for (int c = 0; c < ChannelCount; ++c) {
        EXPECT_EQ(d.store.scaled[c][0], 0);
        EXPECT_EQ(d.scale.at(c, 1), 0.25); // stored after scaling
    }
    d.decode(frame);
    for (int c = 0; c < ChannelCount; ++c)
        EXPECT_EQ(d.store.scaled[c][299], 250);
}

TEST(InstantFrame, CountersStoreTheScaleBlockBeforeScaling)
{
    Decoded d;
    d.decode(steadyFrame(0.25), MeasuringSystem::Star, ScaleBlockTiming::BeforeScaling);
    EXPECT_EQ(d.store.scaled[0][0], 250);
}

TEST(InstantFrame, DamagedScaleFieldKeepsTheKnownCoefficient)
{
    InstantFrameWriter frame = steadyFrame(0.25);
    frame.setBytes(frame::scalePosition(2), QByteArray::fromHex("2A000080"));
    Decoded d;
    d.scale.values[2][1] = 0.125;
    d.decode(frame);
    d.decode(frame);
    EXPECT_EQ(d.scale.at(2, 1), 0.125);
    EXPECT_EQ(d.store.scaled[2][0], 125);
}

TEST(InstantFrame, DeltaReplacesIL3AndZeroesItsMarkedValues)
{
    InstantFrameWriter frame = steadyFrame(0.5);
    for (int a = 0; a < SampleCount; ++a) {
        frame.setSample(a, 3, a);
        frame.setSample(a, 4, -3 * a);
        frame.setSample(a, 5, 7777);
    }
    frame.setValue(quantity::Rms + 2, 231); // U L3: not decoded under delta
    Decoded d;
    d.decode(frame);
    using namespace quantity;
    for (const int number :
         {ZeroSequenceVoltage, CrestFactor + 2, CrestFactor + 5, Thd + 2, Thd + 5, Rms + 2}) {
        d.store.recorderValues[number] = 99;
        d.store.recorderRaw[number] = QStringLiteral("FF");
    }
    d.decode(frame, MeasuringSystem::Delta);
    for (int a = 0; a < SampleCount; ++a)
        EXPECT_EQ(d.store.scaled[5][a], -(0.5L * a - 1.5L * a)) << a;
    for (const int number :
         {ZeroSequenceVoltage, CrestFactor + 2, CrestFactor + 5, Thd + 2, Thd + 5}) {
        EXPECT_EQ(d.store.recorderValues[number], 0) << number;
        EXPECT_TRUE(d.store.recorderRaw[number].isEmpty()) << number;
    }
    EXPECT_EQ(d.store.recorderValues[Rms + 2], 99); // kept, not decoded
}

TEST(InstantFrame, EachSystemDecodesOnlyItsFields)
{
    using namespace quantity;
    struct Case
    {
        MeasuringSystem system;
        int number;
        bool decoded;
    };
    const Case cases[] = {
        {MeasuringSystem::Star, Rms + 2, true},
        {MeasuringSystem::Delta, Rms + 1, true},
        {MeasuringSystem::Delta, TotalTangent, false},
        {MeasuringSystem::SinglePhase, TotalTangent, true},
        {MeasuringSystem::SinglePhase, Rms, false},
        {MeasuringSystem::SinglePhase, CrestFactor, true},
        {MeasuringSystem::SinglePhase, Mean + 4, false},
        {MeasuringSystem::SinglePhase, LineVoltage12, false},
        {MeasuringSystem::Delta, Tangent + 1, false},
        {MeasuringSystem::Star, ZeroSequenceCurrent, true},
        {MeasuringSystem::Delta, ZeroSequenceCurrent, false},
        {MeasuringSystem::SinglePhase, FundamentalCosine + 2, true},
    };
    for (const Case& c : cases) {
        InstantFrameWriter frame;
        frame.setValue(c.number, 12.5);
        Decoded d;
        d.store.recorderValues[c.number] = -1;
        d.decode(frame, c.system);
        EXPECT_EQ(d.store.recorderValues[c.number], c.decoded ? 12.5 : -1)
            << c.number << " under " << int(c.system);
    }
}

TEST(InstantFrame, ValueBlockHoldsEightyThreeFieldsEndToEnd)
{
    const QList<frame::ValueField>& fields = frame::valueFields();
    ASSERT_EQ(fields.size(), 83);
    int position = 3615;
    for (const frame::ValueField& field : fields) {
        EXPECT_EQ(field.position, position) << field.number;
        position += field.width;
    }
    EXPECT_EQ(position, frame::ScalePosition);
}

TEST(InstantFrame, UndecodableValueIsZeroWithItsBytesAsText)
{
    InstantFrameWriter frame;
    frame.setBytes(3739, QByteArray::fromHex("2A81FF"));
    Decoded d;
    d.store.recorderValues[0] = 5;
    d.decode(frame);
    EXPECT_EQ(d.store.recorderValues[0], 0);
    EXPECT_EQ(d.store.recorderRaw[0], QStringLiteral("2A01FF"));
    frame.setValue(0, 230);
    d.decode(frame);
    EXPECT_EQ(d.store.recorderValues[0], 230);
    EXPECT_TRUE(d.store.recorderRaw[0].isEmpty());
}

TEST(InstantFrame, PeriodSampleCountAndHarmonicsAreRead)
{
    InstantFrameWriter frame;
    frame.setLicznik(25000);
    frame.setImax(250);
    frame.setHarmonic(5, 2, 1, 6.5);   // current of L2
    frame.setHarmonic(24, 3, 2, -0.5); // third value of L3
    frame.setHarmonic(1, 1, 0, 22.5);
    frame.setBytes(frame::harmonicPosition(7, 1, 0), QByteArray::fromHex("9A0000"));
    Decoded d;
    d.decode(frame);
    EXPECT_EQ(d.store.licznik, 25000);
    EXPECT_EQ(d.store.imax, 250);
    EXPECT_EQ(d.store.recorderHarmonics[4][5], 6.5L);
    EXPECT_EQ(d.store.recorderHarmonics[8][24], -0.5L);
    EXPECT_EQ(d.store.recorderHarmonics[0][1], 22.5L);
    EXPECT_EQ(d.store.recorderHarmonicsRaw[0][7], QStringLiteral("9A0000"));
    EXPECT_EQ(d.store.recorderHarmonics[0][0], 0); // column 0 is not in the frame
}
