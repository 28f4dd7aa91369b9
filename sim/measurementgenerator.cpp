#include "sim/measurementgenerator.h"

#include "link/commandtable.h"
#include "link/responsebytes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kapstat::sim {

namespace {

using download::RecordLayout;

enum Stream : quint32
{
    ConditionStream = 0x400,
    SampleStream,
};

constexpr int FirstProbkiField = 220;
constexpr int ChannelsInBlock = 6;
// Converter counts of the nominal voltage's peak, and of the CT primary's.
constexpr double VoltageCounts = 20000;
constexpr double CurrentCounts = 28000;
constexpr int VoltageRange = 0;
constexpr int CurrentRange = 1;
constexpr int RepeatedStampEvery = 5;
constexpr int ConditionOdds = 16;

template <typename Resolve>
std::vector<std::optional<MainsQuantity>> quantitiesOf(const QList<int>& fields, Resolve resolve)
{
    std::vector<std::optional<MainsQuantity>> quantities;
    for (const int field : fields)
        quantities.push_back(resolve(field));
    return quantities;
}

} // namespace

MeasurementGenerator::MeasurementGenerator(const Scenario& scenario,
                                           const QByteArray& configurationImage,
                                           const ImageSettings& previous)
    : m_scenario(scenario), m_settings(ImageSettings::fromImage(configurationImage, previous)),
      m_layout(RecordLayout::fromConfigurationResponse(
          link::ResponseBytes::withData(link::Command::ReadConfiguration, configurationImage),
          m_settings.phases)),
      m_clock(m_settings.storagePeriodSeconds, scenario.records), m_mains(scenario, m_settings),
      m_energies(scenario, m_mains, m_clock.stepSeconds()),
      m_valueQuantities(quantitiesOf(m_layout.valueFields, MainsQuantity::ofRmsField)),
      m_bcQuantities(quantitiesOf(m_layout.bcFields, MainsQuantity::ofHarmField))
{
    for (int g = 0; g < download::HarmonicsGroupCount; ++g)
        m_groupQuantities[g] = quantitiesOf(m_layout.groups[g].fields, MainsQuantity::ofHarmField);
}

int MeasurementGenerator::stationIndex(int n) const
{
    return m_scenario.stationIndex(n, m_scenario.records);
}

quint8 MeasurementGenerator::condition(int n) const
{
    const DeterministicNoise noise(m_scenario.seed);
    if (!noise.oneIn(ConditionOdds, ConditionStream, n))
        return 0;
    return static_cast<quint8>(1 << noise.bits(ConditionStream, n, 1) % 3);
}

bool MeasurementGenerator::repeatsHarmonicsStamp(int n) const
{
    return n > 1 && n % RepeatedStampEvery == 0 && stationIndex(n - 1) == stationIndex(n);
}

QDateTime MeasurementGenerator::harmonicsStamp(int n) const
{
    return time(repeatsHarmonicsStamp(n) ? n - 1 : n);
}

std::optional<QByteArray> MeasurementGenerator::record(int n) const
{
    if (n < 1 || n > m_scenario.records)
        return std::nullopt;
    const int station = stationIndex(n);
    const MainsMoment moment = m_mains.at(n, station);
    RecordBytes bytes(m_layout.length);
    bytes.setByte(RecordLayout::StationPosition, station);
    bytes.setDateTime(RecordLayout::TimePosition, time(n));
    bytes.setByte(RecordLayout::ConditionPosition, condition(n));
    if (m_layout.sampleBlock)
        writeSamples(bytes, moment, station);
    writeValues(bytes, moment, n);
    if (m_layout.hasHarmonics())
        writeHarmonics(bytes, moment, n);
    return bytes.data();
}

MeasurementGenerator::Channel MeasurementGenerator::channelOf(int field)
{
    // ProbkiUL1-3, then ProbkiIL1-3.
    const int index = field - FirstProbkiField;
    return {index >= 3, index % 3};
}

qint16 MeasurementGenerator::sample(const MainsMoment& moment, int field, int s) const
{
    const Channel channel = channelOf(field);
    const double angle = 2 * std::numbers::pi * PeriodsPerChannel * (s - 1) / SamplesPerChannel +
                         MainsMoment::voltageAngle(channel.phase) -
                         (channel.current ? moment.lag[channel.phase] : 0);
    const double peak = channel.current ? CurrentCounts * moment.current[channel.phase] /
                                              m_settings.ctPrimary[stationIndex(moment.n)]
                                        : VoltageCounts * moment.voltage[channel.phase] / moment.un;
    // The fifth harmonic carries most of the distortion.
    const double fifth = 0.7 / 100 * (channel.current ? moment.thdI : moment.thdU)[channel.phase];
    const double counts = peak * (std::sin(angle) + fifth * std::sin(5 * angle)) +
                          30 * moment.noise.centred(SampleStream, moment.n, field * 1000 + s);
    return static_cast<qint16>(std::clamp(std::lround(counts), -32767L, 32767L));
}

void MeasurementGenerator::writeSamples(RecordBytes& bytes, const MainsMoment& moment,
                                        int station) const
{
    const int channels = m_layout.waveformChannels();
    int maximum = 0;
    for (int c = 0; c < channels; ++c) {
        for (int s = 1; s <= SamplesPerChannel; ++s) {
            const qint16 value = sample(moment, m_layout.waveformFields[c], s);
            maximum = std::max(maximum, std::abs(int(value)));
            bytes.setWord(RecordLayout::SamplesPosition + 2 * ((s - 1) * channels + c), value);
        }
    }
    // Ranges, gains (primary units per count), the record counter and the largest sample.
    const int block = m_layout.sampleBlockPosition();
    const double voltsPerCount = m_settings.un[station] * std::numbers::sqrt2 / VoltageCounts;
    const double ampsPerCount = m_settings.ctPrimary[station] * std::numbers::sqrt2 / CurrentCounts;
    for (int c = 0; c < ChannelsInBlock; ++c) {
        const bool current = c >= 3;
        bytes.setByte(block + c, current ? CurrentRange : VoltageRange);
        bytes.setDecFloat(block + ChannelsInBlock + 4 * c, 4,
                          current ? ampsPerCount : voltsPerCount);
    }
    bytes.setWord(block + 30, moment.n);
    bytes.setWord(block + 32, maximum);
}

void MeasurementGenerator::writeValues(RecordBytes& bytes, const MainsMoment& moment, int n) const
{
    const int energies = m_layout.energiesPosition();
    for (int i = 0; i < m_layout.energyFields.size(); ++i)
        bytes.setDecFloat(energies + 5 * i, 5, m_energies.value(m_layout.energyFields[i], n));
    const int values = m_layout.valuesPosition();
    for (std::size_t i = 0; i < m_valueQuantities.size(); ++i)
        if (m_valueQuantities[i])
            bytes.setDecFloat(values + 3 * int(i), 3, moment.value(*m_valueQuantities[i]));
}

void MeasurementGenerator::writeHarmonics(RecordBytes& bytes, const MainsMoment& moment,
                                          int n) const
{
    bytes.setDateTime(m_layout.stampPosition(), harmonicsStamp(n));
    for (std::size_t i = 0; i < m_bcQuantities.size(); ++i)
        if (m_bcQuantities[i])
            bytes.setDecFloat(m_layout.bcPosition() + 4 * int(i), 4,
                              moment.value(*m_bcQuantities[i]));
    for (int g = 0; g < download::HarmonicsGroupCount; ++g) {
        const auto& group = m_layout.groups[g];
        const auto& quantities = m_groupQuantities[g];
        const int phases = group.perPhase ? m_layout.phases : 1;
        for (int f = 0; f < phases; ++f)
            for (int i = 0; i < group.count(); ++i)
                if (quantities[i])
                    bytes.setDecFloat(m_layout.groupPosition(g) + 3 * (group.count() * f + i), 3,
                                      moment.value(quantities[i]->inPhase(f)));
    }
}

} // namespace kapstat::sim
