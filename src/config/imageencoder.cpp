#include "config/imageencoder.h"

#include "calib/calibrationset.h"
#include "common/decimaltext.h"
#include "common/windows1250text.h"
#include "config/conditionquantities.h"
#include "config/imagelayout.h"
#include "config/recorderconfiguration.h"
#include "link/devicenumbers.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace kapstat::config::imageencoder {

namespace {

namespace layout = imagelayout;
using common::DecimalText;

constexpr int Digits3 = 3;
constexpr int Digits7 = 7;
constexpr double NominalFrequency = 50;
constexpr int ConverterRange = 2000; // counts of the highest peak the recorder can measure
constexpr int PhaseCount = 3;

QString tr(const char* text)
{
    return QCoreApplication::translate("ConfigurationImage", text);
}

QString cannotSend(const QString& reason)
{
    return reason + QLatin1Char(' ') + tr("Konfiguracja nie zostanie wysłana.");
}

// Writes fields into the image; the first value that cannot be written is remembered.
class ImageWriter
{
public:
    ImageWriter() : m_bytes(layout::Size, '\0') {}

    void byte(int offset, int value) { m_bytes[offset] = static_cast<char>(value); }
    void le16(int offset, int value)
    {
        const int clamped = std::clamp(value, 0, 0xFFFF);
        byte(offset, clamped & 0xFF);
        byte(offset + 1, clamped >> 8);
    }
    void bytes(int offset, const QByteArray& data) { m_bytes.replace(offset, data.size(), data); }

    void number(int offset, double value, int digits, const QString& field)
    {
        const auto encoded = link::numbers::encodeDecFloat(value, digits);
        if (encoded)
            bytes(offset, *encoded);
        else
            fail(field, DecimalText::general(value));
    }
    // A number held as text; sign -1 writes the negated value.
    std::optional<double> text(int offset, const QString& text, const QString& field,
                               double sign = 1)
    {
        const auto value = DecimalText::parse(text);
        if (!value) {
            fail(field, text);
            return std::nullopt;
        }
        number(offset, sign * *value, Digits3, field);
        return value;
    }
    void minutes(int offset, int minutes, const QString& field)
    {
        if (minutes < 0 || minutes > MaxPeriodMinutes)
            fail(field, QString::number(minutes));
        else
            byte(offset, minutes);
    }
    void fail(const QString& field, const QString& value)
    {
        if (m_error.isEmpty())
            m_error = cannotSend(tr("Nieprawidłowa wartość „%1”: %2.").arg(value, field));
    }

    const QByteArray& image() const { return m_bytes; }
    const QString& error() const { return m_error; }

private:
    QByteArray m_bytes;
    QString m_error;
};

QString stationField(const char* text, int station)
{
    return tr(text).arg(station + 1);
}

int stationBits(const RecorderConfiguration& c, bool StationSettings::*flag)
{
    int bits = 0;
    for (int s = 0; s < StationCount; ++s)
        if (c.stations[s].*flag)
            bits |= 1 << s;
    return bits;
}

int nibble(const RecorderConfiguration& c, int firstEntry)
{
    if (firstEntry == layout::NoEntry)
        return 0;
    int bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = bits << 1 | (c.selection[firstEntry + i] ? 1 : 0);
    return bits;
}

int optionsByte(const RecorderConfiguration& c)
{
    int bits = systemCode(c.measuringSystem);
    if (c.selection[entries::Phasors])
        bits |= 0xC0;
    if (c.normMode())
        bits |= 0x20;
    if (c.thdBase == ThdBase::Rms)
        bits |= 0x10;
    if (c.selection[entries::VoltageWaveforms])
        bits |= 0x08;
    if (c.selection[entries::CurrentWaveforms])
        bits |= 0x04;
    return bits;
}

void writeDescriptions(ImageWriter& w, const RecorderConfiguration& c)
{
    for (int s = 0; s < StationCount; ++s) {
        QByteArray text = common::Windows1250Text::encode(
            c.stations[s].description.left(layout::DescriptionLength));
        text = text.left(layout::DescriptionLength).leftJustified(layout::DescriptionLength, ' ');
        w.bytes(s * layout::DescriptionLength, text);
    }
}

void writeConditions(ImageWriter& w, const RecorderConfiguration& c)
{
    for (int i = 0; i < ConditionCount; ++i) {
        const StorageCondition& condition = c.conditions[i];
        w.text(layout::ConditionLower + 3 * i, condition.lower,
               tr("dolna granica warunku %1").arg(i + 1));
        w.text(layout::ConditionUpper + 3 * i, condition.upper,
               tr("górna granica warunku %1").arg(i + 1));
        w.le16(layout::ConditionQuantity + 2 * i, conditions::codeOf(condition.quantity));
    }
}

// The VT secondary the image carries for a station.
int effectiveVtSecondary(const RecorderConfiguration& c, int station)
{
    return c.eventRecording() ? c.stations[0].vtSecondary : c.stations[station].vtSecondary;
}

void writeTransformers(ImageWriter& w, const RecorderConfiguration& c)
{
    for (int s = 0; s < StationCount; ++s) {
        const StationSettings& station = c.stations[s];
        const int block = layout::Transformers + layout::StationBlock * s;
        w.number(block, station.vtPrimary, Digits7,
                 stationField("przekładnik napięciowy stacji %1, strona pierwotna", s));
        const int vtSecondary = effectiveVtSecondary(c, s);
        if (vtSecondary == NoChoice)
            w.fail(stationField("przekładnik napięciowy stacji %1, strona wtórna", s), tr("brak"));
        w.number(block + 5, vtSecondaryVolts(vtSecondary), Digits3, {});
        w.number(block + 8, station.ctPrimary, Digits7,
                 stationField("przekładnik prądowy stacji %1, strona pierwotna", s));
        w.text(block + 13, station.ctSecondary,
               stationField("przekładnik prądowy stacji %1, strona wtórna", s));
    }
}

void writeStationTimes(ImageWriter& w, const RecorderConfiguration& c)
{
    w.byte(layout::ConditionValidBits, stationBits(c, &StationSettings::conditionValid));
    w.byte(layout::StartEnabledBits, stationBits(c, &StationSettings::startEnabled));
    w.byte(layout::EndEnabledBits, stationBits(c, &StationSettings::endEnabled));
    w.byte(layout::ChangeStationBits, stationBits(c, &StationSettings::changeStation));
    for (int s = 0; s < StationCount; ++s) {
        w.bytes(layout::Starts + 6 * s, link::numbers::encodeBcdDateTime(c.stations[s].start));
        w.bytes(layout::Ends + 6 * s, link::numbers::encodeBcdDateTime(c.stations[s].end));
    }
}

void writeSelection(ImageWriter& w, const RecorderConfiguration& c)
{
    int energyBits = 0;
    for (int i = 0; i < layout::EnergyBitCount; ++i)
        if (c.selection[layout::FirstEnergyBitEntry + i])
            energyBits |= 0x80 >> i;
    w.byte(layout::EnergyBits, energyBits);
    if (c.peakPowerPeriod < 0 || c.peakPowerPeriod >= PeakPowerPeriodCount)
        w.fail(tr("okres uśredniania mocy szczytowych"), QString::number(c.peakPowerPeriod));
    else
        w.byte(layout::PeakPowerPeriod, c.peakPowerPeriod);
    const auto& selectionBytes = layout::selectionBytes();
    for (int i = 0; i < selectionBytes.size(); ++i)
        w.byte(layout::SelectionBytes + i,
               nibble(c, selectionBytes[i].highRow) << 4 | nibble(c, selectionBytes[i].lowRow));
}

void writeNormField(ImageWriter& w, const RecorderConfiguration& c, int offset, NormField field,
                    double sign = 1)
{
    w.text(offset, c.norm[field], fieldName(field), sign);
}

void writeNorm(ImageWriter& w, const RecorderConfiguration& c)
{
    w.byte(layout::DefaultNorm, c.isDefaultNorm() ? 1 : 0);
    w.number(layout::NominalFrequency, NominalFrequency, Digits3, {});
    w.minutes(layout::NormPeriod, c.storagePeriod, tr("okres zapamiętywania pomiarów"));
    const int f = layout::FrequencyBands;
    writeNormField(w, c, f, NormField::FreqNarrowMinus, -1);
    writeNormField(w, c, f + 3, NormField::FreqNarrowPlus);
    writeNormField(w, c, f + 6, NormField::FreqNarrowShare);
    writeNormField(w, c, f + 9, NormField::FreqWideMinus, -1);
    writeNormField(w, c, f + 12, NormField::FreqWidePlus);
    writeNormField(w, c, f + 15, NormField::FreqWideShare);
    for (int s = 0; s < StationCount; ++s)
        w.number(layout::Un + 3 * s, c.stations[s].un, Digits3, stationField("Un stacji %1", s));
    writeNormField(w, c, layout::VoltageMinus, NormField::VoltageMinus, -1);
    writeNormField(w, c, layout::VoltagePlus, NormField::VoltagePlus);
    writeNormField(w, c, layout::OvervoltageThreshold, NormField::OvervoltageThreshold);
    writeNormField(w, c, layout::VoltageShare, NormField::VoltageShare);
    writeNormField(w, c, layout::UnbalanceLimit, NormField::UnbalanceLimit);
    writeNormField(w, c, layout::UnbalanceShare, NormField::UnbalanceShare);
    for (int h = 2; h <= 24; ++h)
        writeNormField(w, c, layout::HarmonicLimits + 3 * (h - 2), harmonicField(h));
    writeNormField(w, c, layout::ThdLimit, NormField::ThdLimit);
    writeNormField(w, c, layout::HarmonicShare, NormField::HarmonicShare);
    writeNormField(w, c, layout::RapidChangeLow, NormField::RapidChangeLow);
    writeNormField(w, c, layout::RapidChangeHigh, NormField::RapidChangeHigh);
    writeNormField(w, c, layout::InterruptionThreshold, NormField::InterruptionThreshold);
    const QString& longText = c.norm[NormField::LongInterruption];
    const auto seconds = DecimalText::parse(longText);
    if (!seconds || *seconds < 0 || *seconds > 255)
        w.fail(fieldName(NormField::LongInterruption), longText);
    else
        w.byte(layout::LongInterruption, static_cast<int>(*seconds));
}

VoltageDifference difference(const StationSettings& station)
{
    if (station.vtPrimary <= 0.9 * station.un || station.vtPrimary >= 1.1 * station.un)
        return VoltageDifference::Large;
    return station.vtPrimary != station.un ? VoltageDifference::Small : VoltageDifference::None;
}

int rounded(double value)
{
    return static_cast<int>(std::clamp(std::trunc(value + 0.5), -1e9, 1e9));
}

// Event and tolerance thresholds in converter counts: the peak of Un at the recorder's input,
// scaled by the over-voltage threshold and by Un plus the upper voltage tolerance.
void writeThresholds(ImageWriter& w, ImageBuild& build, const RecorderConfiguration& c,
                     const calib::CalibrationSet& calibration)
{
    const double overvoltage =
        DecimalText::parse(c.norm[NormField::OvervoltageThreshold]).value_or(0);
    const double tolerance = DecimalText::parse(c.norm[NormField::VoltagePlus]).value_or(0);
    for (int s = 0; s < StationCount; ++s) {
        const StationSettings& station = c.stations[s];
        const double vs = vtSecondaryVolts(effectiveVtSecondary(c, s));
        const double vp = station.vtPrimary;
        if (vp <= 0) {
            w.fail(stationField("przekładnik napięciowy stacji %1, strona pierwotna", s),
                   DecimalText::general(vp));
            continue;
        }
        const int range = voltageRange(vs);
        for (int q = 0; q < PhaseCount; ++q) {
            const double k = calibration.coefficient(q, range);
            if (k == 0) {
                if (build.error.isEmpty())
                    build.error =
                        tr("Nieprawidłowe wartości współczynników kalibracji! Konfiguracja nie "
                           "zostanie wysłana.");
                continue;
            }
            const double peak = (1 / k) * (vs / vp * station.un) * std::sqrt(2.0);
            const int event = rounded(peak * overvoltage / 100);
            w.le16(layout::EventThresholds + 6 * s + 2 * q, event);
            if (event > ConverterRange) {
                const int largest =
                    rounded(k * ConverterRange * vp / vs / std::sqrt(2.0) / station.un * 100);
                build.tooHighThresholds.append({s, q, event, largest});
            }
            w.le16(layout::ToleranceThresholds + 6 * s + 2 * q,
                   rounded((100 + tolerance) / 100 * peak));
        }
        build.differences[s] = difference(station);
    }
}

} // namespace

int voltageRange(double vtSecondaryVolts)
{
    const double t = std::trunc(vtSecondaryVolts);
    if (t >= 50 && t < 100)
        return 2;
    if (t >= 100 && t < 190)
        return 1;
    return 0;
}

ImageBuild build(const RecorderConfiguration& c, const calib::CalibrationSet& calibration)
{
    ImageWriter w;
    ImageBuild result;
    writeDescriptions(w, c);
    w.byte(layout::EventRecordingByte, layout::EventRecordingOff);
    w.byte(layout::OptionsByte, optionsByte(c));
    w.minutes(layout::StoragePeriod, c.storagePeriod, tr("okres zapamiętywania pomiarów"));
    w.minutes(layout::AlternatePeriod, c.alternatePeriod,
              tr("okres zapamiętywania w przeciwnym wypadku"));
    writeConditions(w, c);
    writeTransformers(w, c);
    writeStationTimes(w, c);
    w.number(layout::VoltageSignalLevel, c.voltageSignalLevel, Digits3, {});
    w.number(layout::CurrentSignalLevel, c.currentSignalLevel, Digits3, {});
    writeSelection(w, c);
    writeNorm(w, c);
    writeThresholds(w, result, c, calibration);
    if (c.eventRecording())
        w.byte(layout::EventRecordingByte,
               layout::EventRecordingOn +
                   voltageRange(vtSecondaryVolts(effectiveVtSecondary(c, StationCount - 1))));
    if (!w.error().isEmpty()) {
        result.error = w.error();
        return result;
    }
    result.image = w.image();
    return result;
}

std::optional<QString> valueError(const RecorderConfiguration& configuration)
{
    const ImageBuild trial = build(configuration, calib::CalibrationSet{});
    if (trial.image.isEmpty())
        return trial.error;
    return std::nullopt;
}

} // namespace kapstat::config::imageencoder
