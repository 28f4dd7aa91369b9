#pragma once

#include "sim/imagesettings.h"
#include "sim/recordbytes.h"
#include "sim/recordclock.h"
#include "sim/scenario.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace kapstat::sim {

// The interruption and over-voltage records of the emulated recorder, one phase block per phase
// of the measuring system. Like the measurement records, each is rebuilt from the scenario, the
// image's settings and its number alone.
class EventGenerator
{
public:
    // Events follow one another this far apart from the memory's first moment.
    static constexpr qint64 SpacingSeconds = 10;
    static constexpr int SamplesPerPhase = 200;

    EventGenerator(const Scenario& scenario, const ImageSettings& settings);

    // 235, 445 or 655 for one, two or three phases.
    int eventLength() const { return FirstPhaseBlock + PhaseBlockBytes * m_settings.phases + 1; }
    int eventCount() const { return m_scenario.events; }
    const Scenario& scenario() const { return m_scenario; }

    // The data of the 0x0C response for event n (positions 5 to L - 1); nullopt outside
    // 1..event count.
    std::optional<QByteArray> event(int n) const;

    int stationIndex(int n) const { return m_scenario.stationIndex(n, m_scenario.events); }
    QDateTime time(int n) const { return m_clock.at(n); }
    // The scenario's interruptions, or when it names none: one ending at event 1 on L1 that
    // began before it, one from event 2 to 4 on the last phase, one starting and ending at event
    // 6 on L2 (L1 with one phase) and one starting at the last event on L1, each where the event
    // count leaves room for it.
    const QList<Interruption>& interruptions() const { return m_interruptions; }
    // Bit 7 an interruption of the phase starts at event n, bit 6 one ends there.
    quint8 interruptionFlags(int n, int phase) const;
    bool isInterrupted(int n, int phase) const;
    // Volts per unit of the over-voltage peak word.
    double scale(int n, int phase) const;

    static constexpr int FirstScale = 12;
    static constexpr int FirstPhaseBlock = 24;
    static constexpr int PhaseBlockBytes = 210;

private:
    static QList<Interruption> defaultInterruptions(int events, int phases);
    void writePhaseBlock(RecordBytes& bytes, int n, int phase) const;

    Scenario m_scenario;
    ImageSettings m_settings;
    RecordClock m_clock;
    QList<Interruption> m_interruptions;
};

} // namespace kapstat::sim
