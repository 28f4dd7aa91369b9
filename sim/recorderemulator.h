#pragma once

#include "sim/commandframer.h"
#include "sim/eventgenerator.h"
#include "sim/imagesettings.h"
#include "sim/livesignal.h"
#include "sim/measurementgenerator.h"
#include "sim/recorderstate.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <array>
#include <functional>
#include <optional>

namespace kapstat::sim {

// The recorder's side of the serial protocol, without any I/O: bytes from the PC go in, the
// response frames to send come out, one per answered command, in order.
class RecorderEmulator
{
public:
    // The host's wall-clock time; tests pass a fixed one.
    using TimeSource = std::function<QDateTime()>;

    explicit RecorderEmulator(RecorderState state = {}, TimeSource hostTime = {});

    QList<QByteArray> receive(QByteArrayView bytes);

    RecorderState& state() { return m_state; }
    const RecorderState& state() const { return m_state; }
    // Padded with zeros or cut to the image's 1023 bytes, so that 0x0A keeps its length. The
    // records are laid out anew from it.
    void setConfigurationImage(QByteArray image);

    // The records and events the memory holds now, for the state's scenario and counts.
    const MeasurementGenerator& measurements() const;
    const EventGenerator& events() const;
    // The length of a 0x10 response, ESC to checksum.
    int recordLength() const;

    // The recorder's own clock, naive (no zone), to the millisecond.
    QDateTime recorderTime() const;

    // Verified commands received with the code, answered or not: a test counts re-sends by it.
    int commandCount(quint8 code) const { return m_commandCounts[code]; }
    int totalCommandCount() const;
    int rejectedFrameCount() const { return m_framer.rejectedCount(); }

private:
    std::optional<QByteArray> respond(const CommandFrame& frame);
    std::optional<QByteArray> setClock(const CommandFrame& frame);
    QByteArray statusData() const;
    quint8 statusFlags() const;
    quint8 batteryByte() const;
    std::optional<QByteArray> recordData(const CommandFrame& frame) const;
    std::optional<QByteArray> eventData(const CommandFrame& frame) const;
    std::optional<QByteArray> setRange(const CommandFrame& frame);
    // The range list entry of a 0x11 code; none for automatic ranging.
    static std::optional<int> rangeEntryOf(quint8 code);
    QByteArray instantFrameData();
    QByteArray countersData() const;
    LiveSignal inputSignal(bool calibrating) const;
    // The scenario with the counts the memory holds now.
    Scenario currentScenario() const;
    QDateTime hostTime() const;

    RecorderState m_state;
    TimeSource m_hostTime;
    CommandFramer m_framer;
    std::array<int, 256> m_commandCounts{};
    int m_instantFrames = 0;
    ImageSettings m_imageSettings;
    // Rebuilt when the image, the scenario or the counts change; nothing per record.
    mutable std::optional<MeasurementGenerator> m_measurements;
    mutable std::optional<EventGenerator> m_events;
    // The counters of the records held, kept until the records or the image change.
    struct Counters
    {
        Scenario scenario;
        QByteArray image;
        QByteArray data;
    };
    mutable std::optional<Counters> m_counters;
};

} // namespace kapstat::sim
