#include "configurationimages.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "sim/eventgenerator.h"
#include "sim/recorderemulator.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::sim;
using namespace kapstat::sim::images;
using link::ResponseBytes;
namespace numbers = link::numbers;

namespace {

Scenario eventsOf(int events, QList<Interruption> interruptions = {})
{
    Scenario scenario;
    scenario.events = events;
    scenario.interruptions = interruptions;
    return scenario;
}

ImageSettings phases(int count)
{
    ImageSettings settings;
    settings.phases = count;
    return settings;
}

ResponseBytes eventFrame(const EventGenerator& generator, int n)
{
    return ResponseBytes::withData(link::Command::ReadEvent, *generator.event(n));
}

int flagByte(const ResponseBytes& event, int phase)
{
    return event.at(EventGenerator::FirstPhaseBlock + EventGenerator::PhaseBlockBytes * phase + 1);
}

// The flag bytes of one phase over all events, interruption bits only.
QList<int> flagsOf(const EventGenerator& generator, int phase)
{
    QList<int> flags;
    for (int n = 1; n <= generator.eventCount(); ++n)
        flags << (flagByte(eventFrame(generator, n), phase) & 0xC0);
    return flags;
}

} // namespace

TEST(EventGenerator, TheLengthFollowsThePhasesOfTheImageTheRecorderHoldsNow)
{
    RecorderState state;
    state.eventCount = 3;
    RecorderEmulator emulator(state);
    const struct
    {
        int system;
        int length;
    } cases[] = {{SinglePhase, 235}, {Delta, 445}, {Star, 655}, {KeepSystem, 655}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.system);
        emulator.receive(link::framecodec::build(link::framecodec::payload(
            link::Command::WriteConfiguration, imageWith({{Options, c.system}}))));
        const auto answers = emulator.receive(link::framecodec::build(
            link::framecodec::payload(link::Command::ReadEvent, QByteArray::fromHex("0200"))));
        ASSERT_EQ(answers.size(), 1);
        EXPECT_EQ(answers[0].size(), c.length);
        EXPECT_EQ(ResponseBytes(answers[0]).bytes(5, c.length - 5), *emulator.events().event(2));
    }
    const auto outside = emulator.receive(link::framecodec::build(
        link::framecodec::payload(link::Command::ReadEvent, QByteArray::fromHex("0400"))));
    EXPECT_TRUE(outside.isEmpty());
}

TEST(EventGenerator, InterruptionFlagsRunAcrossRecordsFromBeforeTheFirstToAfterTheLast)
{
    const QList<int> none(10, 0);
    auto with = [&none](std::initializer_list<std::pair<int, int>> flags) {
        QList<int> list = none;
        for (const auto& [n, flag] : flags)
            list[n - 1] = flag;
        return list;
    };
    const struct
    {
        const char* what;
        int phases;
        QList<QList<int>> flags; // per phase, events 1-10
    } cases[] = {
        // L1 ends at 1 (began before) and starts again at 10 (still open); L3 from 2 to 4;
        // L2 starts and ends within event 6.
        {"star",
         3,
         {with({{1, 0x40}, {10, 0x80}}), with({{6, 0xC0}}), with({{2, 0x80}, {4, 0x40}})}},
        {"single phase", 1, {with({{1, 0x40}, {2, 0x80}, {4, 0x40}, {6, 0xC0}, {10, 0x80}})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const EventGenerator generator(eventsOf(10), phases(c.phases));
        for (int f = 0; f < c.phases; ++f)
            EXPECT_EQ(flagsOf(generator, f), c.flags[f]) << "L" << f + 1;
    }
}

TEST(EventGenerator, ScenarioInterruptionsReplaceTheDefaultOnesAndFlattenTheSamples)
{
    const EventGenerator generator(eventsOf(6, {{3, 5, 1}, {std::nullopt, 2, 2}}), phases(3));
    EXPECT_EQ(flagsOf(generator, 0), QList<int>(6, 0));
    EXPECT_EQ(flagsOf(generator, 1), (QList<int>{0, 0, 0x80, 0, 0x40, 0}));
    EXPECT_EQ(flagsOf(generator, 2), (QList<int>{0, 0x40, 0, 0, 0, 0}));
    auto sampleSpread = [&](int n, int phase) {
        const ResponseBytes event = eventFrame(generator, n);
        const int first = EventGenerator::FirstPhaseBlock + 210 * phase + 7;
        int low = 255, high = 0;
        for (int k = 0; k < 200; ++k) {
            low = std::min<int>(low, event.at(first + k));
            high = std::max<int>(high, event.at(first + k));
        }
        return high - low;
    };
    EXPECT_LT(sampleSpread(4, 1), 20); // inside the interruption
    EXPECT_GT(sampleSpread(6, 1), 100);
    EXPECT_LT(sampleSpread(1, 2), 20); // before its end at event 2
}

TEST(EventGenerator, EventsCarryStationTimeScalesAndPhaseBlocks)
{
    Scenario scenario = eventsOf(8);
    scenario.stations = {0, 2};
    const EventGenerator generator(scenario, phases(1));
    const QDateTime first(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        const ResponseBytes event = eventFrame(generator, n);
        EXPECT_EQ(event.size(), 235);
        EXPECT_EQ(event.at(5), n <= 4 ? 0 : 2);
        EXPECT_EQ(numbers::decodeBcdDateTime(event, 6).value, first.addSecs(10 * (n - 1)));
        // All three scales even with one phase: volts per unit of a 1000-unit nominal peak.
        for (int f = 0; f < 3; ++f) {
            const auto scale = numbers::decodeDecFloat4(event, 12 + 4 * f);
            EXPECT_TRUE(scale.ok());
            EXPECT_NEAR(scale.value, 230 * std::sqrt(2) / 1000, 0.01);
        }
        const int b = EventGenerator::FirstPhaseBlock;
        const int overvoltage = numbers::decodeUnsigned(event, b + 3, 2);
        const int peak = numbers::decodeUnsigned(event, b + 5, 2);
        EXPECT_EQ(overvoltage > 0, peak > 1500) << overvoltage << " " << peak;
        const int microCount = event.at(b + 2);
        const int longest = event.at(b) + 256 * (event.at(b + 1) & 0x3F);
        EXPECT_EQ(microCount > 0, longest > 0);
    }
}

TEST(EventGenerator, EveryByteFollowsFromSeedEventAndSettings)
{
    Scenario scenario = eventsOf(20);
    const EventGenerator a(scenario, phases(3));
    scenario.seed = 2;
    const EventGenerator otherSeed(scenario, phases(3));
    EXPECT_EQ(a.event(7), EventGenerator(eventsOf(20), phases(3)).event(7));
    EXPECT_NE(a.event(7), otherSeed.event(7));
    EXPECT_FALSE(a.event(0));
    EXPECT_FALSE(a.event(21));
}
