#pragma once

#include "download/recordlayout.h"
#include "sim/energycounters.h"
#include "sim/imagesettings.h"
#include "sim/mainsmodel.h"
#include "sim/recordbytes.h"
#include "sim/recordclock.h"
#include "sim/scenario.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <vector>

namespace kapstat::sim {

// The measurement records of the emulated recorder, laid out as the configuration image asks.
// Every byte is a function of the scenario (seed, record count, stations, dips, over-voltages),
// the image and the record number; nothing is kept per record, so a full memory costs nothing
// and a test rebuilds any record the download stored.
class MeasurementGenerator
{
public:
    // previous supplies what the image leaves unchanged (a measuring system of 10b) or what a
    // damaged image cannot say.
    MeasurementGenerator(const Scenario& scenario, const QByteArray& configurationImage,
                         const ImageSettings& previous = {});

    const download::RecordLayout& layout() const { return m_layout; }
    const ImageSettings& settings() const { return m_settings; }
    const Scenario& scenario() const { return m_scenario; }
    const MainsModel& mains() const { return m_mains; }
    int recordCount() const { return m_scenario.records; }

    // The data of the 0x10 response for record n (positions 5 to L - 1); nullopt outside
    // 1..record count.
    std::optional<QByteArray> record(int n) const;

    int stationIndex(int n) const;
    QDateTime time(int n) const { return m_clock.at(n); }
    quint8 condition(int n) const;
    // Every fifth record repeats its predecessor's harmonics stamp, so it brings no new harmonics
    // rows; never the first record of a station.
    bool repeatsHarmonicsStamp(int n) const;
    QDateTime harmonicsStamp(int n) const;

    // Converter counts of sample s (1-300) of the sample channel whose RMS field is given.
    qint16 sample(const MainsMoment& moment, int field, int s) const;

    static constexpr int SamplesPerChannel = 300;
    static constexpr int PeriodsPerChannel = 10;

private:
    struct Channel
    {
        bool current = false;
        int phase = 0;
    };
    static Channel channelOf(int field);

    void writeSamples(RecordBytes& bytes, const MainsMoment& moment, int station) const;
    void writeValues(RecordBytes& bytes, const MainsMoment& moment, int n) const;
    void writeHarmonics(RecordBytes& bytes, const MainsMoment& moment, int n) const;

    Scenario m_scenario;
    ImageSettings m_settings;
    download::RecordLayout m_layout;
    RecordClock m_clock;
    MainsModel m_mains;
    EnergyCounters m_energies;
    std::vector<std::optional<MainsQuantity>> m_valueQuantities;
    std::vector<std::optional<MainsQuantity>> m_bcQuantities;
    std::array<std::vector<std::optional<MainsQuantity>>, download::HarmonicsGroupCount>
        m_groupQuantities;
};

} // namespace kapstat::sim
