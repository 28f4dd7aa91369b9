#include "sim/recorderemulator.h"

#include "calib/autocalibration.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "link/responsebytes.h"
#include "sim/liveframe.h"
#include "sim/livesignal.h"
#include "sim/mainsmodel.h"
#include "sim/recordercounters.h"
#include "sim/simlog.h"

#include <algorithm>
#include <numeric>

namespace kapstat::sim {

using namespace link;

namespace {

constexpr int KilobytesPerMemoryUnit = 512;
// One instantaneous frame takes about this long on the line at 19200 baud.
constexpr double SecondsPerInstantFrame = 2.4;

QDateTime naive(const QDateTime& wallClock)
{
    return QDateTime(wallClock.date(), wallClock.time(), Qt::UTC);
}

QByteArray littleEndian(qint64 value, int width, qint64 maximum)
{
    const qint64 clamped = std::clamp<qint64>(value, 0, maximum);
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes.append(static_cast<char>((clamped >> (8 * i)) & 0xFF));
    return bytes;
}

QByteArray response(quint8 code, const QByteArray& data = {})
{
    return framecodec::build(framecodec::payload(code, data));
}

} // namespace

RecorderEmulator::RecorderEmulator(RecorderState state, TimeSource hostTime)
    : m_state(std::move(state)), m_hostTime(std::move(hostTime))
{
    setConfigurationImage(m_state.configurationImage);
}

void RecorderEmulator::setConfigurationImage(QByteArray image)
{
    image.resize(RecorderState::ConfigurationImageLength, '\0');
    m_state.configurationImage = std::move(image);
    m_imageSettings = ImageSettings::fromImage(m_state.configurationImage, m_imageSettings);
    qCDebug(simLog) << "configuration:" << m_imageSettings.phases << "phases, records every"
                    << m_imageSettings.storagePeriodSeconds << "s";
    m_measurements.reset();
    m_events.reset();
}

Scenario RecorderEmulator::currentScenario() const
{
    Scenario scenario = m_state.scenario;
    scenario.records = m_state.recordCount;
    scenario.events = m_state.eventCount;
    return scenario;
}

const MeasurementGenerator& RecorderEmulator::measurements() const
{
    const Scenario scenario = currentScenario();
    if (!m_measurements || m_measurements->scenario() != scenario)
        m_measurements.emplace(scenario, m_state.configurationImage, m_imageSettings);
    return *m_measurements;
}

const EventGenerator& RecorderEmulator::events() const
{
    const Scenario scenario = currentScenario();
    if (!m_events || m_events->scenario() != scenario)
        m_events.emplace(scenario, m_imageSettings);
    return *m_events;
}

int RecorderEmulator::recordLength() const
{
    return m_state.fixedLengthRecords ? m_state.fixedLengthRecords->recordLength()
                                      : measurements().layout().length;
}

QList<QByteArray> RecorderEmulator::receive(QByteArrayView bytes)
{
    QList<QByteArray> responses;
    for (const CommandFrame& frame : m_framer.feed(bytes)) {
        ++m_commandCounts[frame.code()];
        if (auto answer = respond(frame))
            responses.append(*answer);
    }
    return responses;
}

int RecorderEmulator::totalCommandCount() const
{
    return std::accumulate(m_commandCounts.begin(), m_commandCounts.end(), 0);
}

QDateTime RecorderEmulator::hostTime() const
{
    return naive(m_hostTime ? m_hostTime() : QDateTime::currentDateTime());
}

QDateTime RecorderEmulator::recorderTime() const
{
    return hostTime().addMSecs(m_state.clockOffsetMs);
}

std::optional<QByteArray> RecorderEmulator::respond(const CommandFrame& frame)
{
    const quint8 code = frame.code();
    switch (code) {
    case Command::SetClock:
        return setClock(frame);
    case Command::ReadClock:
        return response(code, numbers::encodeBcdDateTime(recorderTime()));
    case Command::WriteConfiguration:
        setConfigurationImage(frame.data());
        return response(code);
    case Command::ReadConfiguration:
        return response(code, m_state.configurationImage);
    case Command::ReadStatus:
        return response(code, statusData());
    case Command::TestBatteries:
        return response(code, QByteArray(1, static_cast<char>(batteryByte())));
    case Command::ClearMemory:
        m_state.recordCount = 0;
        m_state.eventCount = 0;
        return response(code);
    case Command::ReadRecord:
        if (auto data = recordData(frame))
            return response(code, *data);
        return std::nullopt;
    case Command::ReadEvent:
        if (auto data = eventData(frame))
            return response(code, *data);
        return std::nullopt;
    case Command::SetRange:
        return setRange(frame);
    case Command::WriteCalibration:
        m_state.calibration.write(frame.data());
        return response(code);
    case Command::ReadCalibration:
        return response(code, m_state.calibration.responseData());
    case Command::StoreCalibration:
        m_state.eepromCalibration = m_state.calibration;
        return response(code);
    case Command::InstantFrame:
        return response(code, instantFrameData());
    case Command::ReadCounters:
        return response(code, countersData());
    default:
        return std::nullopt;
    }
}

// A time that is no valid date is not taken and not acknowledged: the PC sees the failure as a
// missing answer instead of a clock that silently kept its old time.
std::optional<QByteArray> RecorderEmulator::setClock(const CommandFrame& frame)
{
    const auto moment = numbers::decodeBcdDateTime(ResponseBytes(frame.bytes), 5);
    if (!moment.ok)
        return std::nullopt;
    m_state.clockOffsetMs = hostTime().msecsTo(naive(moment.value));
    return response(frame.code());
}

// Only the codes of the six ranges and of automatic ranging are taken; another is not
// acknowledged, so the PC sees a missing answer instead of a range it did not ask for.
std::optional<QByteArray> RecorderEmulator::setRange(const CommandFrame& frame)
{
    if (frame.data().size() != 1)
        return std::nullopt;
    const auto code = static_cast<quint8>(frame.data().at(0));
    if (code != calib::AutomaticRangeCode && !rangeEntryOf(code))
        return std::nullopt;
    m_state.rangeSetting = code;
    return response(frame.code());
}

std::optional<int> RecorderEmulator::rangeEntryOf(quint8 code)
{
    for (int entry = 0; entry < calib::LoopRangeCount; ++entry)
        if (calib::rangeCode(entry) == code)
            return entry;
    return std::nullopt;
}

QByteArray RecorderEmulator::statusData() const
{
    const int totalKilobytes = m_state.totalMemoryUnits * KilobytesPerMemoryUnit;
    QByteArray data;
    data += littleEndian(m_state.recordCount, 3, 0xFFFFFF);
    data += littleEndian(m_state.eventCount, 2, 0xFFFF);
    data += static_cast<char>(statusFlags());
    data += static_cast<char>(
        RecordStore::memoryUsedPercent(m_state.recordCount, recordLength(), totalKilobytes));
    data += m_state.calibration.calibrationDateBytes();
    data += static_cast<char>(m_state.totalMemoryUnits);
    data += m_state.serialNumber.leftJustified(RecorderState::SerialNumberLength, ' ', true);
    return data;
}

quint8 RecorderEmulator::statusFlags() const
{
    return (m_state.mainsMissing ? 0x80 : 0) | (m_state.recordingStopped ? 0x08 : 0) |
           (m_state.stationIndex & 0x07);
}

quint8 RecorderEmulator::batteryByte() const
{
    return (m_state.operatingBatteryGood ? 0x40 : 0) | (m_state.memoryBatteryGood ? 0x20 : 0);
}

std::optional<QByteArray> RecorderEmulator::recordData(const CommandFrame& frame) const
{
    const int n = numbers::decodeUnsigned(ResponseBytes(frame.bytes), 5, 3);
    if (m_state.fixedLengthRecords)
        return m_state.fixedLengthRecords->recordData(n, m_state.recordCount);
    return measurements().record(n);
}

std::optional<QByteArray> RecorderEmulator::eventData(const CommandFrame& frame) const
{
    return events().event(numbers::decodeUnsigned(ResponseBytes(frame.bytes), 5, 2));
}

// The mains of the station the recorder stands at, a little later with every frame; while a range
// is fixed, the calibration generator.
QByteArray RecorderEmulator::instantFrameData()
{
    ++m_instantFrames;
    const liveframe::FrontEnd frontEnd{m_state.frontEnd, m_state.calibration.coefficients(),
                                       rangeEntryOf(m_state.rangeSetting)};
    const double hours = m_instantFrames * SecondsPerInstantFrame / 3600;
    return liveframe::frameData(inputSignal(frontEnd.fixedRangeEntry.has_value()), frontEnd, hours,
                                m_state.damagedLiveValue);
}

LiveSignal RecorderEmulator::inputSignal(bool calibrating) const
{
    if (calibrating)
        return LiveSignal::calibrator(m_imageSettings.system, m_state.calibratorVolts,
                                      m_state.calibratorAmperes);
    const int station = std::clamp(m_state.stationIndex, 0, ImageSettings::StationCount - 1);
    const MainsModel mains(currentScenario(), m_imageSettings);
    return LiveSignal::of(mains.at(m_instantFrames, station), m_imageSettings.system,
                          m_imageSettings.ctPrimary[station]);
}

// Synthetic records of a fixed length carry no measured values, so nothing is counted for them.
QByteArray RecorderEmulator::countersData() const
{
    if (m_state.fixedLengthRecords)
        return RecorderCounters::emptyData();
    const Scenario scenario = currentScenario();
    if (!m_counters || m_counters->scenario != scenario ||
        m_counters->image != m_state.configurationImage)
        m_counters =
            Counters{scenario, m_state.configurationImage,
                     RecorderCounters(measurements(), m_state.configurationImage).responseData()};
    return m_counters->data;
}

} // namespace kapstat::sim
