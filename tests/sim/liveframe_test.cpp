#include "calib/calibrationblock.h"
#include "link/commandtable.h"
#include "link/framecodec.h"
#include "live/instantframe.h"
#include "live/quantitynumbers.h"
#include "live/sampleanalysis.h"
#include "sim/liveframe.h"
#include "sim/recorderemulator.h"
#include "sim/simoptions.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace kapstat;
using config::MeasuringSystem;

namespace {

link::ResponseBytes askFrame(sim::RecorderEmulator& emulator)
{
    const QList<QByteArray> responses = emulator.receive(
        link::framecodec::build(link::framecodec::payload(link::Command::InstantFrame)));
    return responses.size() == 1 ? link::ResponseBytes(responses[0]) : link::ResponseBytes();
}

sim::RecorderEmulator emulatorWith(const QStringList& arguments)
{
    const auto options = sim::SimOptions::parse(arguments);
    EXPECT_TRUE(options.has_value());
    return sim::RecorderEmulator(options ? options->recorderState() : sim::RecorderState());
}

} // namespace

TEST(LiveFrame, RangesFollowTheAmplitudeAndTheLoopChannelUsesLoopRanges)
{
    auto emulator = emulatorWith({});
    const link::ResponseBytes frame = askFrame(emulator);
    ASSERT_EQ(frame.size(), link::ResponseLength::InstantFrame);
    live::LiveStore store;
    calib::RangeScale scale;
    live::decodeInstantFrame(frame, MeasuringSystem::Star, scale, store);
    const calib::CalibrationSet calibration = emulator.state().calibration.coefficients();
    for (int c = 0; c < live::ChannelCount; ++c) {
        const int range = store.ranges[c];
        const bool loop = c == sim::liveframe::LoopChannel;
        EXPECT_EQ(range >= calib::NormalSlotCount, loop) << c;
        EXPECT_EQ(frame.at(live::frame::RangePosition + c) >= 128, loop) << c;
        // Well used, never clipped: above a third of the range's 2048 counts, below it.
        EXPECT_GT(store.peaks[c], 2048 / 3) << c;
        EXPECT_LT(store.peaks[c], 2048) << c;
        EXPECT_DOUBLE_EQ(scale.at(c, range), calibration.coefficient(c, range)) << c;
    }
    // Whole periods of the model's frequency near 50 Hz.
    EXPECT_NEAR(store.licznik, 25000, 100);
    const double periods = store.imax * 500.0 / store.licznik;
    EXPECT_NEAR(periods, std::round(periods), 500.0 / store.licznik);
    EXPECT_LE(store.imax, live::SampleCount);
}

TEST(LiveFrame, SystemOptionSetsTheConfigurationTheFramesFollow)
{
    for (const auto& [name, system] : {std::pair{"trojkat", MeasuringSystem::Delta},
                                       std::pair{"1faza", MeasuringSystem::SinglePhase},
                                       std::pair{"gwiazda", MeasuringSystem::Star}}) {
        auto emulator = emulatorWith({"--system", name});
        const link::ResponseBytes frame = askFrame(emulator);
        live::LiveStore store;
        calib::RangeScale scale;
        live::decodeInstantFrame(frame, system, scale, store);
        live::decodeInstantFrame(askFrame(emulator), system, scale, store);
        // Only a star connection feeds the third voltage input.
        EXPECT_EQ(store.peaks[2] > 0, system == MeasuringSystem::Star) << name;
        EXPECT_EQ(store.peaks[1] > 0, system != MeasuringSystem::SinglePhase) << name;
    }
}

TEST(LiveFrame, DamagedValueOptionSendsAnUndecodableField)
{
    auto emulator = emulatorWith({"--bad-live-value", "0"});
    live::LiveStore store;
    calib::RangeScale scale;
    live::decodeInstantFrame(askFrame(emulator), MeasuringSystem::Star, scale, store);
    EXPECT_EQ(store.recorderValues[live::quantity::Rms], 0);
    EXPECT_FALSE(store.recorderRaw[live::quantity::Rms].isEmpty());
    EXPECT_TRUE(store.recorderRaw[live::quantity::Rms + 1].isEmpty());
    QString error;
    EXPECT_FALSE(sim::SimOptions::parse({"--bad-live-value", "37"}, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

namespace {

bool setRange(sim::RecorderEmulator& emulator, quint8 code)
{
    return emulator
               .receive(link::framecodec::build(link::framecodec::payload(
                   link::Command::SetRange, QByteArray(1, static_cast<char>(code)))))
               .size() == 1;
}

void writeCoefficients(sim::RecorderEmulator& emulator, const calib::CalibrationSet& set)
{
    emulator.receive(link::framecodec::build(link::framecodec::payload(
        link::Command::WriteCalibration, calib::calibrationblock::encode(set, {}).data)));
}

std::array<int, live::ChannelCount> rangeBytes(const link::ResponseBytes& frame)
{
    std::array<int, live::ChannelCount> bytes{};
    for (int c = 0; c < live::ChannelCount; ++c)
        bytes[c] = frame.at(live::frame::RangePosition + c);
    return bytes;
}

double mean(const live::LiveStore& store, int channel)
{
    return std::accumulate(store.raw[channel].begin(), store.raw[channel].end(), 0.0) /
           live::SampleCount;
}

} // namespace

TEST(LiveFrame, AFixedRangeHoldsEveryChannelUntilAutomaticRangingReturns)
{
    auto emulator = emulatorWith({});
    askFrame(emulator);
    ASSERT_TRUE(setRange(emulator, 0x12)); // entry 2: slot 2, the loop channel's slot 6
    EXPECT_EQ(rangeBytes(askFrame(emulator)), (std::array<int, 6>{2, 2, 2, 2, 130, 2}));
    ASSERT_TRUE(setRange(emulator, 0x2F)); // entry 5: the normal inputs' highest, slot 3
    EXPECT_EQ(rangeBytes(askFrame(emulator)), (std::array<int, 6>{3, 3, 3, 3, 133, 3}));
    EXPECT_FALSE(setRange(emulator, 0x05)); // no range's code: not taken
    EXPECT_EQ(emulator.state().rangeSetting, 0x2F);
    ASSERT_TRUE(setRange(emulator, 0x7F));
    // The fourth frame, as a recorder that always ranged itself sends it.
    auto automatic = emulatorWith({});
    for (int i = 0; i < 3; ++i)
        askFrame(automatic);
    EXPECT_EQ(rangeBytes(askFrame(emulator)), rangeBytes(askFrame(automatic)));
}

TEST(LiveFrame, TheFramesFollowTheCoefficientsAgainstTheCalibrator)
{
    auto emulator = emulatorWith({});
    ASSERT_TRUE(setRange(emulator, 0x09)); // entry 1
    live::LiveStore store;
    calib::RangeScale scale;
    for (int i = 0; i < 2; ++i) // the second frame is scaled by the first one's coefficients
        live::decodeInstantFrame(askFrame(emulator), MeasuringSystem::Star, scale, store);
    live::analyseSamples(store, MeasuringSystem::Star, store.licznik, store.imax);
    EXPECT_NEAR(static_cast<double>(store.computedValues[0]), 220, 0.3);
    EXPECT_NEAR(static_cast<double>(store.computedValues[3]), 5, 0.01);
    EXPECT_NEAR(mean(store, 0), 0, 0.5);
    const double recorderRms = static_cast<double>(store.recorderValues[0]);

    calib::CalibrationSet set = emulator.state().calibration.coefficients();
    set.dcOffset[0][1] += 3;
    set.gainMantissa[0][1] = set.gainMantissa[0][1] * 9 / 10;
    writeCoefficients(emulator, set);
    const double before = mean(store, 0);
    live::decodeInstantFrame(askFrame(emulator), MeasuringSystem::Star, scale, store);
    EXPECT_NEAR(mean(store, 0), before - 3, 1e-9);
    EXPECT_NEAR(static_cast<double>(store.recorderValues[0]), 0.9 * recorderRms,
                0.01 * recorderRms);
    EXPECT_DOUBLE_EQ(scale.at(0, 1), set.coefficient(0, 1));
}
