#include "sim/eventgenerator.h"

#include "sim/deterministicnoise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kapstat::sim {

namespace {

enum Stream : quint32
{
    MicroStream = 0x500,
    OvervoltageStream,
    ScaleStream,
    WaveStream,
    XStream,
};

constexpr int StartsHere = 0x80;
constexpr int EndsHere = 0x40;
constexpr int TimeHighBits = 0x3F;
constexpr int MidScale = 128;
constexpr double PeakUnitsAtUn = 1000; // the peak word of the nominal voltage
constexpr int OvervoltageOdds = 3;

} // namespace

EventGenerator::EventGenerator(const Scenario& scenario, const ImageSettings& settings)
    : m_scenario(scenario), m_settings(settings), m_clock(SpacingSeconds, scenario.events),
      m_interruptions(scenario.interruptions.isEmpty()
                          ? defaultInterruptions(scenario.events, settings.phases)
                          : scenario.interruptions)
{
}

QList<Interruption> EventGenerator::defaultInterruptions(int events, int phases)
{
    const int last = phases - 1;
    const int second = std::min(1, last);
    QList<Interruption> list;
    if (events >= 1)
        list.append({std::nullopt, 1, 0});
    if (events >= 5)
        list.append({2, 4, last});
    if (events >= 8)
        list.append({6, 6, second});
    if (events >= 2)
        list.append({events, std::nullopt, 0});
    return list;
}

quint8 EventGenerator::interruptionFlags(int n, int phase) const
{
    quint8 flags = 0;
    for (const Interruption& i : m_interruptions) {
        if (i.phase != phase)
            continue;
        if (i.startEvent == n)
            flags |= StartsHere;
        if (i.endEvent == n)
            flags |= EndsHere;
    }
    return flags;
}

bool EventGenerator::isInterrupted(int n, int phase) const
{
    return std::any_of(m_interruptions.begin(), m_interruptions.end(), [&](const Interruption& i) {
        return i.phase == phase && i.startEvent.value_or(0) <= n &&
               n <= i.endEvent.value_or(m_scenario.events + 1);
    });
}

double EventGenerator::scale(int n, int phase) const
{
    const DeterministicNoise noise(m_scenario.seed);
    const double un = m_settings.un[stationIndex(n)];
    return un * std::numbers::sqrt2 / PeakUnitsAtUn *
           (1 + 0.01 * noise.centred(ScaleStream, n, phase));
}

std::optional<QByteArray> EventGenerator::event(int n) const
{
    if (n < 1 || n > m_scenario.events)
        return std::nullopt;
    RecordBytes bytes(eventLength());
    bytes.setByte(5, stationIndex(n));
    bytes.setDateTime(6, time(n));
    // All three scale slots travel whatever the measuring system.
    for (int f = 0; f < 3; ++f)
        bytes.setDecFloat(FirstScale + 4 * f, 4, scale(n, f));
    for (int f = 0; f < m_settings.phases; ++f)
        writePhaseBlock(bytes, n, f);
    return bytes.data();
}

void EventGenerator::writePhaseBlock(RecordBytes& bytes, int n, int phase) const
{
    const DeterministicNoise noise(m_scenario.seed);
    const int b = FirstPhaseBlock + PhaseBlockBytes * phase;
    const bool interrupted = isInterrupted(n, phase);
    const bool micro = !interrupted && noise.oneIn(4, MicroStream, n, phase);
    // Longest micro-interruption, in units of 0.4 ms: 14 bits split over two bytes.
    const int longest = micro ? 5 + int(noise.bits(MicroStream, n, 3 + phase) % 2000) : 0;
    bytes.setByte(b, longest & 0xFF);
    bytes.setByte(b + 1, interruptionFlags(n, phase) | (longest >> 8 & TimeHighBits));
    bytes.setByte(b + 2, micro ? 1 + int(noise.bits(MicroStream, n, 6 + phase) % 4) : 0);
    const bool over = !interrupted && noise.oneIn(OvervoltageOdds, OvervoltageStream, n, phase);
    const double height = over ? 1.9 + 0.7 * noise.unit(OvervoltageStream, n, 3 + phase) : 1.0;
    bytes.setWord(b + 3, over ? 1 + int(noise.bits(OvervoltageStream, n, 6 + phase) % 50) : 0);
    bytes.setWord(b + 5, int(std::lround(PeakUnitsAtUn * height)));
    // Two periods of the phase voltage, one byte a sample around mid-scale; flat while the
    // supply is interrupted, with the over-voltage's spike in the middle.
    const double amplitude = interrupted ? 2 : 60;
    for (int k = 0; k < SamplesPerPhase; ++k) {
        const double angle = 4 * std::numbers::pi * k / SamplesPerPhase;
        const double spike = over && k == SamplesPerPhase / 2 + 12 ? 60 * (height - 1) : 0;
        const double value = MidScale + amplitude * std::sin(angle) + spike +
                             2 * noise.centred(WaveStream, n, phase * SamplesPerPhase + k);
        bytes.setByte(b + 7 + k, int(std::clamp(std::lround(value), 0L, 255L)));
    }
    bytes.setWord(b + 207, (n * PhaseBlockBytes + phase * SamplesPerPhase) & 0xFFFF);
    bytes.setByte(b + 209, int(noise.bits(XStream, n, phase) & 0xFF));
}

} // namespace kapstat::sim
