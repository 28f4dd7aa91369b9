#include "config/settingslines.h"

#include "common/datetimetext.h"
#include "common/decimaltext.h"
#include "config/conditionquantities.h"
#include "config/configurationmodel.h"

namespace kapstat::config {

namespace {

using common::DateTimeText;
using common::DecimalText;
using Config = RecorderConfiguration;
using Lines = QList<SettingsLine>;

std::optional<int> integer(const QString& text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A line whose text is an integer within the range.
SettingsLine integerLine(std::function<int(const Config&)> get, int minimum, int maximum,
                         std::function<void(ConfigurationModel&, int)> set)
{
    return {[get](const Config& c) { return QString::number(get(c)); },
            [set, minimum, maximum](ConfigurationModel& m, const QString& text) {
                const auto value = integer(text, minimum, maximum);
                if (value)
                    set(m, *value);
                return value.has_value();
            }};
}

void editStation(ConfigurationModel& m, int s, const std::function<void(StationSettings&)>& edit)
{
    StationSettings station = m.configuration().stations[s];
    edit(station);
    m.setStation(s, station);
}

void editCondition(ConfigurationModel& m, int i, const std::function<void(StorageCondition&)>& edit)
{
    StorageCondition condition = m.configuration().conditions[i];
    edit(condition);
    m.setCondition(i, condition);
}

void addSelection(Lines& lines)
{
    for (int entry = 0; entry < entries::Count; ++entry)
        lines.append({[entry](const Config& c) { return flagText(c.selection[entry]); },
                      [entry](ConfigurationModel& m, const QString& text) {
                          m.setSelected(entry, text == QLatin1String("1"));
                          return true;
                      }});
}

void addNorm(Lines& lines)
{
    using F = NormField;
    for (const F field : {F::FreqNarrowPlus,   F::FreqNarrowMinus,     F::FreqNarrowShare,
                          F::FreqWidePlus,     F::FreqWideMinus,       F::FreqWideShare,
                          F::VoltageShare,     F::VoltagePlus,         F::VoltageMinus,
                          F::UnbalanceShare,   F::UnbalanceLimit,      F::HarmonicShare,
                          F::Harmonic5,        F::Harmonic7,           F::Harmonic11,
                          F::Harmonic13,       F::Harmonic17,          F::Harmonic19,
                          F::Harmonic23,       F::Harmonic3,           F::Harmonic9,
                          F::Harmonic15,       F::Harmonic21,          F::Harmonic2,
                          F::Harmonic4,        F::HarmonicEven,        F::ThdLimit,
                          F::RapidChangeLow,   F::RapidChangeHigh,     F::InterruptionThreshold,
                          F::LongInterruption, F::OvervoltageThreshold})
        lines.append({[field](const Config& c) { return c.norm[field]; },
                      [field](ConfigurationModel& m, const QString& text) {
                          m.setNormText(field, text);
                          return true;
                      }});
    lines.append(integerLine([](const Config& c) { return c.peakPowerPeriod; }, 0,
                             PeakPowerPeriodCount - 1,
                             [](ConfigurationModel& m, int v) { m.setPeakPowerPeriod(v); }));
    lines.append(
        integerLine([](const Config& c) { return static_cast<int>(c.thdBase); }, 0, 1,
                    [](ConfigurationModel& m, int v) { m.setThdBase(static_cast<ThdBase>(v)); }));
}

// A per-station real number in general format.
SettingsLine stationNumberLine(int s, double StationSettings::*field)
{
    return {[s, field](const Config& c) { return DecimalText::general(c.stations[s].*field); },
            [s, field](ConfigurationModel& m, const QString& text) {
                const auto value = DecimalText::parse(text);
                if (value)
                    editStation(m, s, [&](StationSettings& st) { st.*field = *value; });
                return value.has_value();
            }};
}

SettingsLine stationFlagLine(int s, bool StationSettings::*field)
{
    return {[s, field](const Config& c) { return flagText(c.stations[s].*field); },
            [s, field](ConfigurationModel& m, const QString& text) {
                editStation(m, s,
                            [&](StationSettings& st) { st.*field = text == QLatin1String("1"); });
                return true;
            }};
}

void addPeriodsAndConditions(Lines& lines)
{
    for (int s = 0; s < StationCount; ++s)
        lines.append(stationNumberLine(s, &StationSettings::un));
    lines.append(integerLine([](const Config& c) { return c.storagePeriod; }, NoChoice,
                             MaxPeriodMinutes,
                             [](ConfigurationModel& m, int v) { m.setStoragePeriod(v); }));
    lines.append(integerLine([](const Config& c) { return c.alternatePeriod; }, NoChoice,
                             MaxPeriodMinutes,
                             [](ConfigurationModel& m, int v) { m.setAlternatePeriod(v); }));
    for (QString StorageCondition::*bound : {&StorageCondition::upper, &StorageCondition::lower})
        for (int i = 0; i < ConditionCount; ++i)
            lines.append({[i, bound](const Config& c) { return c.conditions[i].*bound; },
                          [i, bound](ConfigurationModel& m, const QString& text) {
                              editCondition(m, i, [&](StorageCondition& sc) { sc.*bound = text; });
                              return true;
                          }});
    for (int i = 0; i < ConditionCount; ++i)
        lines.append(integerLine(
            [i](const Config& c) { return c.conditions[i].quantity; }, 0, conditions::Count - 1,
            [i](ConfigurationModel& m, int v) {
                editCondition(m, i, [&](StorageCondition& sc) { sc.quantity = v; });
            }));
    lines.append(integerLine([](const Config& c) { return c.voltageSignalLevel; }, 0, 100,
                             [](ConfigurationModel& m, int v) {
                                 m.setSignalLevels(v, m.configuration().currentSignalLevel);
                             }));
    lines.append(integerLine([](const Config& c) { return c.currentSignalLevel; }, 0, 100,
                             [](ConfigurationModel& m, int v) {
                                 m.setSignalLevels(m.configuration().voltageSignalLevel, v);
                             }));
}

void addStations(Lines& lines)
{
    for (int s = 0; s < StationCount; ++s)
        lines.append({[s](const Config& c) { return c.stations[s].description; },
                      [s](ConfigurationModel& m, const QString& text) {
                          editStation(m, s, [&](StationSettings& st) { st.description = text; });
                          return true;
                      }});
    for (int s = 0; s < StationCount; ++s)
        lines.append(stationNumberLine(s, &StationSettings::vtPrimary));
    for (int s = 0; s < StationCount; ++s)
        lines.append(integerLine([s](const Config& c) { return c.stations[s].vtSecondary; },
                                 NoChoice, VtSecondaryChoiceCount - 1,
                                 [s](ConfigurationModel& m, int v) {
                                     editStation(m, s,
                                                 [&](StationSettings& st) { st.vtSecondary = v; });
                                 }));
    for (int s = 0; s < StationCount; ++s)
        lines.append(
            integerLine([s](const Config& c) { return c.stations[s].ctPrimary; }, 0, 9999999,
                        [s](ConfigurationModel& m, int v) {
                            editStation(m, s, [&](StationSettings& st) { st.ctPrimary = v; });
                        }));
    for (int s = 0; s < StationCount; ++s)
        lines.append({[s](const Config& c) { return c.stations[s].ctSecondary; },
                      [s](ConfigurationModel& m, const QString& text) {
                          if (!DecimalText::parse(text))
                              return false;
                          editStation(m, s, [&](StationSettings& st) { st.ctSecondary = text; });
                          return true;
                      }});
    for (bool StationSettings::*flag :
         {&StationSettings::conditionValid, &StationSettings::startEnabled,
          &StationSettings::endEnabled, &StationSettings::changeStation})
        for (int s = 0; s < StationCount; ++s)
            lines.append(stationFlagLine(s, flag));
}

// The date or the time of a station's start or end; an invalid part does not convert.
template <typename Part>
SettingsLine momentPartLine(int s, QDateTime StationSettings::*moment,
                            QString (*format)(const Part&), Part (*parse)(const QString&),
                            void (*assign)(QDateTime&, const Part&))
{
    return {[=](const Config& c) {
                const QDateTime& m = c.stations[s].*moment;
                if constexpr (std::is_same_v<Part, QDate>)
                    return format(m.date());
                else
                    return format(m.time());
            },
            [=](ConfigurationModel& m, const QString& text) {
                const Part part = parse(text.trimmed());
                if (part.isValid())
                    editStation(m, s, [&](StationSettings& st) { assign(st.*moment, part); });
                return part.isValid();
            }};
}

void addMoments(Lines& lines)
{
    for (QDateTime StationSettings::*moment : {&StationSettings::start, &StationSettings::end})
        for (int s = 0; s < StationCount; ++s) {
            lines.append(
                momentPartLine<QDate>(s, moment, &DateTimeText::date, &DateTimeText::parseDate,
                                      [](QDateTime& m, const QDate& date) { m.setDate(date); }));
            lines.append(
                momentPartLine<QTime>(s, moment, &DateTimeText::time, &DateTimeText::parseTime,
                                      [](QDateTime& m, const QTime& time) { m.setTime(time); }));
        }
}

// A loaded file stands as written: the system-change rules may re-light the norm set or lower
// the over-voltage threshold, but the flags and values the file gave come back afterwards, so
// that a file loads the same whatever was selected before.
void changeSystemKeepingFileValues(ConfigurationModel& m, MeasuringSystem system)
{
    const RecorderConfiguration file = m.configuration();
    m.applySystemChange(system);
    if (m.configuration() == file)
        return;
    for (int entry = entries::FirstQuantity; entry < entries::Count; ++entry)
        m.setSelected(entry, file.selection[entry]);
    m.setThdBase(file.thdBase);
    for (int i = 0; i < ConditionCount; ++i)
        m.setCondition(i, file.conditions[i]);
    m.setNormText(NormField::OvervoltageThreshold, file.norm[NormField::OvervoltageThreshold]);
}

void addSystem(Lines& lines)
{
    lines.append({[](const Config& c) { return QString::number(systemCode(c.measuringSystem)); },
                  [](ConfigurationModel& m, const QString& text) {
                      const auto code = integer(text, 0, 3);
                      const auto system = code ? systemFromCode(*code) : std::nullopt;
                      if (system)
                          changeSystemKeepingFileValues(m, *system);
                      return system.has_value();
                  }});
}

Lines buildLines()
{
    Lines lines;
    addSelection(lines);
    addNorm(lines);
    addPeriodsAndConditions(lines);
    addStations(lines);
    addMoments(lines);
    addSystem(lines);
    Q_ASSERT(lines.size() == 406);
    return lines;
}

} // namespace

const QList<SettingsLine>& settingsLines()
{
    static const QList<SettingsLine> lines = buildLines();
    return lines;
}

} // namespace kapstat::config
