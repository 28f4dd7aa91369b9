#include "sim/recordercounters.h"

#include "config/imagedecoder.h"
#include "download/measurementtables.h"
#include "link/devicenumbers.h"
#include "norm/normlimits.h"

#include <algorithm>
#include <cmath>

namespace kapstat::sim {

namespace {

using download::TableKind;

constexpr int DataLength = 227 - 5;
constexpr int HighestHarmonic = 24;

QStringList voltageColumns(int phaseCount)
{
    switch (phaseCount) {
    case 1:
        return {QStringLiteral("U")};
    case 2:
        // The third line voltage is only judged for its band, which has no counter.
        return {QStringLiteral("U31"), QStringLiteral("U23")};
    default:
        return {QStringLiteral("UL1"), QStringLiteral("UL2"), QStringLiteral("UL3")};
    }
}

// Counts saturate at the 16-bit field's largest value.
void putCount(QByteArray& data, int position, int count)
{
    const int value = std::min(count, 0xFFFF);
    data[position - 5] = static_cast<char>(value & 0xFF);
    data[position - 4] = static_cast<char>(value >> 8);
}

// A value as a record carries it: three significant digits.
double asRecorded(double value)
{
    const auto bytes = link::numbers::encodeDecFloat(value, 3);
    if (!bytes)
        return value;
    return link::numbers::decodeDecFloat3(
               link::ResponseBytes(QByteArray(4, '\0') + *bytes + QByteArray(1, '\0')), 5)
        .value;
}

// Whether the value as a record carries it is at most the limit. Three significant digits move a
// value by at most 0.5 %: only a value that close to the limit needs rounding to tell.
bool recordedAtMost(double value, double limit)
{
    const double margin = 0.006 * std::max(std::fabs(value), std::fabs(limit));
    if (value < limit - margin)
        return true;
    if (value > limit + margin)
        return false;
    return asRecorded(value) <= limit;
}

void putDecFloat3(QByteArray& data, int position, double value)
{
    if (const auto bytes = link::numbers::encodeDecFloat(value, 3))
        data.replace(position - 5, 3, *bytes);
}

} // namespace

RecorderCounters::RecorderCounters(const MeasurementGenerator& records,
                                   const QByteArray& configurationImage)
    : m_records(records), m_phaseCount(records.layout().phases), m_judged(judged(m_phaseCount))
{
    const auto decoded = config::imagedecoder::decode(configurationImage);
    QString error;
    const auto norm =
        decoded ? browse::NormParameterSet::from(decoded->values, &error) : std::nullopt;
    if (!norm)
        return;
    for (int n = 1; n <= records.recordCount(); ++n)
        countRecord(n, *norm);
}

RecorderCounters::Judged RecorderCounters::judged(int phaseCount)
{
    auto rms = [](const QString& name) {
        return MainsQuantity::ofRmsField(
            download::MeasurementTables::nameIndex(TableKind::Rms, name));
    };
    auto harm = [](const QString& name) {
        return MainsQuantity::ofHarmField(
            download::MeasurementTables::nameIndex(TableKind::Harm, name));
    };
    Judged judged;
    judged.frequency = rms(QStringLiteral("fsr"));
    const QStringList columns = voltageColumns(phaseCount);
    for (int c = 0; c < columns.size(); ++c) {
        int statistic = 0;
        for (const char* suffix : {"sr", "min", "max"})
            judged.voltages[c][statistic++] = rms(columns[c] + QLatin1String(suffix));
    }
    judged.thd = harm(QStringLiteral("THDUsr"));
    for (int h = 2; h <= HighestHarmonic; ++h)
        judged.harmonics[h] = harm(QStringLiteral("UH%1sr").arg(h));
    judged.unbalance = harm(QStringLiteral("U1U2sr"));
    return judged;
}

void RecorderCounters::countRecord(int n, const browse::NormParameterSet& norm)
{
    const int station = m_records.stationIndex(n);
    const double un = norm.stations[station].un;
    if (un <= 0)
        return;
    const norm::NormLimits limits = norm::NormLimits::from(norm, un);
    const MainsMoment moment = m_records.mains().at(n, station);
    ++m_recordCount;
    const double f = asRecorded(value(moment, m_judged.frequency));
    m_frequencyOutside1 += f < limits.f1Low || f > limits.f1High;
    m_frequencyOutside2 += f < limits.f2Low || f > limits.f2High;
    for (int c = 0; c < voltageColumns(m_phaseCount).size(); ++c) {
        const auto& column = m_judged.voltages[c];
        countVoltages(m_phases[c], limits, asRecorded(value(moment, column[0])),
                      asRecorded(value(moment, column[1])), asRecorded(value(moment, column[2])));
    }
    // A record that repeats the harmonics stamp of the one before brings no new measurement.
    if (!m_records.repeatsHarmonicsStamp(n))
        countHarmonics(moment, norm);
}

void RecorderCounters::countVoltages(Phase& phase, const norm::NormLimits& limits, double mean,
                                     double minimum, double maximum)
{
    if (mean > limits.uHigh) {
        ++phase.meanOvervoltages;
        phase.meanHighestOvervoltage =
            std::max(phase.meanHighestOvervoltage, limits.deviation(mean));
    }
    if (maximum > limits.uHigh) {
        ++phase.maximumOvervoltages;
        phase.maximumHighestOvervoltage =
            std::max(phase.maximumHighestOvervoltage, limits.deviation(maximum));
    }
    const auto judgeLow = [&limits](double u, int& interruptions, int& dips, double& deepest) {
        if (u < limits.uInt) {
            ++interruptions;
        } else if (u < limits.uLow) {
            ++dips;
            deepest = std::min(deepest, limits.deviation(u));
        }
    };
    judgeLow(mean, phase.meanInterruptions, phase.meanDips, phase.meanDeepestDip);
    judgeLow(minimum, phase.minimumInterruptions, phase.minimumDips, phase.minimumDeepestDip);
}

void RecorderCounters::countHarmonics(const MainsMoment& moment,
                                      const browse::NormParameterSet& norm)
{
    for (int p = 0; p < m_phaseCount; ++p) {
        Phase& phase = m_phases[p];
        phase.thdWithin += recordedAtMost(value(moment, m_judged.thd, p), norm.thdLimit);
        for (int h = 2; h <= HighestHarmonic; ++h)
            phase.harmonicsWithin[h] +=
                recordedAtMost(value(moment, m_judged.harmonics[h], p), norm.harmonicLimit[h]);
    }
    if (m_phaseCount > 1)
        m_unbalanceWithin += recordedAtMost(value(moment, m_judged.unbalance), norm.unbalanceLimit);
}

double RecorderCounters::value(const MainsMoment& moment, const Quantity& quantity, int phase)
{
    return quantity ? moment.value(quantity->inPhase(phase)) : 0;
}

QByteArray RecorderCounters::emptyData()
{
    return QByteArray(DataLength, '\0');
}

QByteArray RecorderCounters::responseData() const
{
    QByteArray data = emptyData();
    putCount(data, 5, m_frequencyOutside1);
    putCount(data, 7, m_frequencyOutside2);
    for (int p = 0; p < 3; ++p) {
        const Phase& phase = m_phases[p];
        putCount(data, 9 + 2 * p, phase.meanDips);
        putCount(data, 15 + 2 * p, phase.meanOvervoltages);
        putCount(data, 21 + 2 * p, phase.meanInterruptions);
        putCount(data, 27 + 2 * p, phase.minimumDips);
        putCount(data, 33 + 2 * p, phase.maximumOvervoltages);
        putCount(data, 39 + 2 * p, phase.minimumInterruptions);
        putDecFloat3(data, 45 + 3 * p, phase.minimumDeepestDip);
        putDecFloat3(data, 54 + 3 * p, phase.meanDeepestDip);
        putDecFloat3(data, 63 + 3 * p, phase.maximumHighestOvervoltage);
        putDecFloat3(data, 72 + 3 * p, phase.meanHighestOvervoltage);
        const int harmonics = 83 + 48 * p;
        for (int h = 2; h <= HighestHarmonic; ++h)
            putCount(data, harmonics + 2 * (h - 2), m_recordCount - phase.harmonicsWithin[h]);
        putCount(data, harmonics + 46, m_recordCount - phase.thdWithin);
    }
    putCount(data, 81, m_recordCount - m_unbalanceWithin);
    return data;
}

} // namespace kapstat::sim
