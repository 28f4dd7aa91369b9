#include "config/imagedecoder.h"

#include "common/decimaltext.h"
#include "common/windows1250text.h"
#include "config/conditionquantities.h"
#include "config/configlog.h"
#include "config/configurationmodel.h"
#include "config/imagelayout.h"
#include "link/devicenumbers.h"
#include "link/responsebytes.h"

#include <cmath>
#include <limits>

namespace kapstat::config::imagedecoder {

namespace {

namespace layout = imagelayout;
using common::DecimalText;

// Image offset k is response position k + 5.
constexpr int ResponseOffset = 5;

// Reads the fields of an image; remembers whether any number field was not decimal.
class ImageReader
{
public:
    explicit ImageReader(const QByteArray& image)
        : m_bytes(link::ResponseBytes::withData(0x0A, image))
    {
    }

    int byte(int offset) const { return m_bytes.at(offset + ResponseOffset); }
    int le16(int offset) const { return byte(offset) + 256 * byte(offset + 1); }
    bool bit(int offset, int bit) const { return byte(offset) >> bit & 1; }
    double number(int offset, int width = 3)
    {
        const auto decoded = link::numbers::decodeDecFloat(m_bytes, offset + ResponseOffset, width);
        if (!decoded.ok() && m_damage.isEmpty())
            m_damage = QStringLiteral("offset %1: %2").arg(offset).arg(decoded.error);
        return decoded.value;
    }
    // A number the configuration holds as a whole number; one too large for that cannot come
    // from a sound image.
    int wholeNumber(int offset, int width = 3)
    {
        const double value = std::trunc(number(offset, width));
        if (std::fabs(value) <= std::numeric_limits<int>::max())
            return static_cast<int>(value);
        if (m_damage.isEmpty())
            m_damage = QStringLiteral("offset %1: %2 is out of range").arg(offset).arg(value);
        return 0;
    }
    QString text(int offset, double sign = 1)
    {
        return DecimalText::general(sign * number(offset) + 0.0);
    }
    QDateTime moment(int offset) const
    {
        return link::numbers::decodeBcdDateTime(m_bytes, offset + ResponseOffset).value;
    }
    QByteArray raw(int offset, int count) const
    {
        return m_bytes.bytes(offset + ResponseOffset, count);
    }

    const QString& damage() const { return m_damage; }

private:
    link::ResponseBytes m_bytes;
    QString m_damage;
};

std::optional<MeasuringSystem> systemOf(int options)
{
    switch (options & 0x03) {
    case 0x03:
        return MeasuringSystem::Star;
    case 0x01:
        return MeasuringSystem::Delta;
    case 0x00:
        return MeasuringSystem::SinglePhase;
    default:
        return std::nullopt;
    }
}

// Event recording, waveforms and phasors travel in bytes 480 and 481, not in the selection bytes.
bool isOptionEntry(int entry)
{
    return entry >= entries::FirstEventRecording && entry <= entries::Phasors;
}

int periodOf(int minutes)
{
    return minutes <= MaxPeriodMinutes ? minutes : NoChoice;
}

void readOptions(ImageReader& r, DecodedImage& d)
{
    auto& lit = d.values.selection;
    for (int e = entries::FirstEventRecording; e <= entries::LastEventRecording; ++e)
        lit[e] = r.bit(layout::EventRecordingByte, 7);
    const int options = r.byte(layout::OptionsByte);
    lit[entries::Phasors] = (options & 0xC0) == 0xC0;
    lit[entries::NormMode] = options & 0x20;
    d.values.thdBase = options & 0x10 ? ThdBase::Rms : ThdBase::H1;
    lit[entries::VoltageWaveforms] = options & 0x08;
    lit[entries::CurrentWaveforms] = options & 0x04;
    d.system = systemOf(options);
    d.values.storagePeriod = periodOf(r.byte(layout::StoragePeriod));
    d.values.alternatePeriod = periodOf(r.byte(layout::AlternatePeriod));
}

void readConditions(ImageReader& r, DecodedImage& d)
{
    for (int i = 0; i < ConditionCount; ++i) {
        StorageCondition& condition = d.values.conditions[i];
        condition.lower = r.text(layout::ConditionLower + 3 * i);
        condition.upper = r.text(layout::ConditionUpper + 3 * i);
        condition.quantity = conditions::entryOf(r.le16(layout::ConditionQuantity + 2 * i));
    }
}

void readStations(ImageReader& r, DecodedImage& d)
{
    for (int s = 0; s < StationCount; ++s) {
        StationSettings& station = d.values.stations[s];
        const QByteArray description =
            r.raw(layout::DescriptionLength * s, layout::DescriptionLength);
        station.description = common::Windows1250Text::decode(description);
        while (station.description.endsWith(QLatin1Char(' ')))
            station.description.chop(1);
        const int block = layout::Transformers + layout::StationBlock * s;
        station.vtPrimary = std::trunc(r.number(block, 5));
        station.vtSecondary = vtSecondaryIndexOf(r.text(block + 5));
        station.ctPrimary = r.wholeNumber(block + 8, 5);
        station.ctSecondary = DecimalText::fixed(r.number(block + 13), 2);
        station.conditionValid = r.bit(layout::ConditionValidBits, s);
        station.startEnabled = r.bit(layout::StartEnabledBits, s);
        station.endEnabled = r.bit(layout::EndEnabledBits, s);
        station.changeStation = r.bit(layout::ChangeStationBits, s);
        station.start = r.moment(layout::Starts + 6 * s);
        station.end = r.moment(layout::Ends + 6 * s);
        station.un = r.number(layout::Un + 3 * s);
    }
}

void readSelection(ImageReader& r, DecodedImage& d)
{
    auto& lit = d.values.selection;
    for (int i = 0; i < layout::EnergyBitCount; ++i)
        lit[layout::FirstEnergyBitEntry + i] = r.bit(layout::EnergyBits, 7 - i);
    const auto& selectionBytes = layout::selectionBytes();
    // In image order, so that a quantity written once per phase takes its last nibble.
    for (int i = 0; i < selectionBytes.size(); ++i) {
        const int byte = r.byte(layout::SelectionBytes + i);
        for (const auto& [row, shift] :
             {std::pair{selectionBytes[i].highRow, 4}, std::pair{selectionBytes[i].lowRow, 0}}) {
            if (row == layout::NoEntry)
                continue;
            for (int k = 0; k < 4; ++k)
                lit[row + k] = byte >> (shift + 3 - k) & 1;
        }
    }
}

void readNorm(ImageReader& r, DecodedImage& d)
{
    NormParameters& n = d.values.norm;
    const int f = layout::FrequencyBands;
    n[NormField::FreqNarrowMinus] = r.text(f, -1);
    n[NormField::FreqNarrowPlus] = r.text(f + 3);
    n[NormField::FreqNarrowShare] = r.text(f + 6);
    n[NormField::FreqWideMinus] = r.text(f + 9, -1);
    n[NormField::FreqWidePlus] = r.text(f + 12);
    n[NormField::FreqWideShare] = r.text(f + 15);
    n[NormField::VoltageMinus] = r.text(layout::VoltageMinus, -1);
    n[NormField::VoltagePlus] = r.text(layout::VoltagePlus);
    n[NormField::OvervoltageThreshold] = r.text(layout::OvervoltageThreshold);
    n[NormField::VoltageShare] = r.text(layout::VoltageShare);
    n[NormField::UnbalanceLimit] = r.text(layout::UnbalanceLimit);
    n[NormField::UnbalanceShare] = r.text(layout::UnbalanceShare);
    // H6 carries the shared even-order value; the later even orders repeat it.
    for (int h = 2; h <= 24; ++h)
        if (h <= 6 || h % 2 == 1)
            n[harmonicField(h)] = r.text(layout::HarmonicLimits + 3 * (h - 2));
    n[NormField::ThdLimit] = r.text(layout::ThdLimit);
    n[NormField::HarmonicShare] = r.text(layout::HarmonicShare);
    n[NormField::RapidChangeLow] = r.text(layout::RapidChangeLow);
    n[NormField::RapidChangeHigh] = r.text(layout::RapidChangeHigh);
    n[NormField::InterruptionThreshold] = r.text(layout::InterruptionThreshold);
    n[NormField::LongInterruption] = QString::number(r.byte(layout::LongInterruption));
}

// The flags of bytes 480 and 481.
void setOptionFlags(ConfigurationModel& model, const RecorderConfiguration& v)
{
    model.setSelected(entries::FirstEventRecording, v.eventRecording());
    for (const int entry : {entries::Phasors, entries::VoltageWaveforms, entries::CurrentWaveforms})
        model.setSelected(entry, v.selection[entry]);
    model.setThdBase(v.thdBase);
}

void applyStations(ConfigurationModel& model, const RecorderConfiguration& v, bool keepDescriptions)
{
    for (int s = 0; s < StationCount; ++s) {
        StationSettings station = v.stations[s];
        if (keepDescriptions)
            station.description = model.configuration().stations[s].description;
        model.setStation(s, station);
    }
}

} // namespace

std::optional<DecodedImage> decode(const QByteArray& image)
{
    if (image.size() < layout::Size) {
        qCInfo(configLog) << "configuration image of" << image.size() << "bytes";
        return std::nullopt;
    }
    ImageReader r(image);
    DecodedImage d;
    readOptions(r, d);
    readConditions(r, d);
    readStations(r, d);
    d.values.voltageSignalLevel = r.wholeNumber(layout::VoltageSignalLevel);
    d.values.currentSignalLevel = r.wholeNumber(layout::CurrentSignalLevel);
    readSelection(r, d);
    d.values.peakPowerPeriod = r.byte(layout::PeakPowerPeriod);
    readNorm(r, d);
    if (!r.damage().isEmpty() || d.values.peakPowerPeriod >= PeakPowerPeriodCount) {
        qCInfo(configLog) << "damaged configuration image:" << r.damage()
                          << d.values.peakPowerPeriod;
        return std::nullopt;
    }
    return d;
}

bool apply(ConfigurationModel& model, const QByteArray& image, bool keepDescriptions)
{
    const auto decoded = decode(image);
    if (!decoded)
        return false;
    const RecorderConfiguration& v = decoded->values;
    model.setSelected(entries::NormMode, v.normMode());
    if (decoded->system)
        model.applySystemChange(*decoded->system);
    // After the rules, which clear the selection when the norm mode comes on or is re-applied for
    // a new system: the record layout of a download follows these flags, so the image's stand.
    setOptionFlags(model, v);
    model.setStoragePeriod(v.storagePeriod);
    model.setAlternatePeriod(v.alternatePeriod);
    for (int i = 0; i < ConditionCount; ++i)
        model.setCondition(i, v.conditions[i]);
    applyStations(model, v, keepDescriptions);
    model.setSignalLevels(v.voltageSignalLevel, v.currentSignalLevel);
    for (int e = entries::FirstQuantity; e < entries::Count; ++e)
        if (!isOptionEntry(e))
            model.setSelected(e, v.selection[e]);
    model.setPeakPowerPeriod(v.peakPowerPeriod);
    for (int i = 0; i < NormFieldCount; ++i)
        model.setNormText(static_cast<NormField>(i), v.norm.texts[i]);
    model.refreshNormMirrors();
    model.refreshCapacityDisplay();
    return true;
}

} // namespace kapstat::config::imagedecoder
