#include "link/commandtable.h"
#include "link/framecodec.h"
#include "live/instantframe.h"
#include "live/quantitynumbers.h"
#include "live/sampleanalysis.h"
#include "sim/liveframe.h"
#include "sim/recorderemulator.h"
#include "sim/simoptions.h"

#include <gtest/gtest.h>

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
