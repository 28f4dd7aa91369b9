#include "config/configurationmodel.h"

#include "common/decimaltext.h"
#include "config/conditionquantities.h"
#include "config/recordcapacity.h"

#include <cmath>

namespace kapstat::config {

namespace {

using common::DecimalText;

constexpr int DeltaOvervoltageCeiling = 110;

// Entries 1..245: the quantities, statistics and options a click may toggle.
bool isQuantityEntry(int entry)
{
    return entry >= entries::FirstQuantity && entry < entries::Count;
}

} // namespace

ConfigurationModel::ConfigurationModel(QObject* parent) : QObject(parent)
{
    m_colour.fill(IndicatorColour::Green);
    m_colour[entries::NormMode] = IndicatorColour::Yellow;
    m_enabled.fill(true);
    refreshNormMirrors();
    applyStoragePeriodRules();
}

std::optional<QString> ConfigurationModel::clickIndicator(int entry)
{
    if (entry == entries::NormMode) {
        if (m_config.storagePeriod < 1)
            return tr("Aby wykonywać badanie zgodności z normą należy ustawić okres zapamiętywania "
                      "pomiarów, na stronie SET-UP, na >=1 min.");
        setSelected(entries::NormMode, !m_config.normMode());
    } else if (isQuantityEntry(entry) && m_enabled[entry] &&
               m_colour[entry] != IndicatorColour::Red) {
        setSelected(entry, !m_config.selection[entry]);
    }
    refreshCapacityDisplay();
    return std::nullopt;
}

void ConfigurationModel::toggleStationFlag(int station, StationFlag flag)
{
    StationSettings& s = m_config.stations[station];
    switch (flag) {
    case StationFlag::StartEnabled:
        s.startEnabled = !s.startEnabled;
        break;
    case StationFlag::EndEnabled:
        s.endEnabled = !s.endEnabled;
        break;
    case StationFlag::ChangeStation:
        s.changeStation = !s.changeStation;
        break;
    case StationFlag::ConditionValid:
        s.conditionValid = !s.conditionValid;
        break;
    }
    Q_EMIT configurationChanged();
    refreshCapacityDisplay();
}

void ConfigurationModel::applyNormModeRules(bool on)
{
    if (on) {
        m_config.thdBase = ThdBase::H1;
        for (StorageCondition& condition : m_config.conditions)
            condition.quantity = conditions::Off;
        setLockableControlsEnabled(false);
        for (int entry = entries::FirstQuantity; entry < entries::Count; ++entry) {
            m_config.selection[entry] = false;
            m_colour[entry] = IndicatorColour::Green;
        }
        for (const int entry : entries::normSet(m_config.measuringSystem))
            lockOn(entry);
        Q_EMIT configurationChanged();
        Q_EMIT indicatorsChanged();
        refreshCapacityDisplay();
        return;
    }
    for (int entry = entries::FirstQuantity; entry < entries::Count; ++entry) {
        m_colour[entry] = IndicatorColour::Green;
        m_enabled[entry] = true;
    }
    setLockableControlsEnabled(true);
    applyStoragePeriodRules();
}

void ConfigurationModel::applyStoragePeriodRules()
{
    if (m_config.normMode()) {
        refreshCapacityDisplay();
        return;
    }
    const int period = m_config.storagePeriod;
    for (int entry = entries::FirstQuantity; entry < entries::Count; ++entry) {
        m_enabled[entry] = true;
        const int position = entries::rowPosition(entry);
        if (position < 0)
            continue;
        const bool isInst = position == entries::InstPosition;
        // A statistic over the period needs a period; one-second storage only has the instant.
        if ((period >= 1 && isInst) || (period == 0 && !isInst))
            switchOffAndDisable(entry);
    }
    for (const entries::Range& range : entries::unavailableIn(m_config.measuringSystem))
        for (int entry = range.first; entry <= range.last; ++entry)
            switchOffAndDisable(entry);
    Q_EMIT configurationChanged();
    Q_EMIT indicatorsChanged();
    refreshCapacityDisplay();
}

void ConfigurationModel::applySystemChange(MeasuringSystem system)
{
    if (system == m_config.measuringSystem)
        return;
    m_config.measuringSystem = system;
    applyStoragePeriodRules();
    if (system == MeasuringSystem::Delta) {
        // Between lines the over-voltage is measured against a voltage √3 higher.
        const auto threshold = DecimalText::parse(m_config.norm[NormField::OvervoltageThreshold]);
        if (threshold && std::trunc(*threshold) > DeltaOvervoltageCeiling)
            m_config.norm[NormField::OvervoltageThreshold] =
                QString::number(DeltaOvervoltageCeiling);
    } else {
        applyNormModeRules(m_config.normMode());
    }
    Q_EMIT configurationChanged();
    refreshCapacityDisplay();
}

void ConfigurationModel::setSelected(int entry, bool on)
{
    if (entry == entries::NormMode) {
        if (m_config.normMode() == on)
            return;
        m_config.selection[entry] = on;
        applyNormModeRules(on);
        return;
    }
    setLit(entry, on);
    Q_EMIT configurationChanged();
    Q_EMIT indicatorsChanged();
}

void ConfigurationModel::setStoragePeriod(int minutes)
{
    m_config.storagePeriod = minutes;
    applyStoragePeriodRules();
}

void ConfigurationModel::setAlternatePeriod(int minutes)
{
    m_config.alternatePeriod = minutes;
    Q_EMIT configurationChanged();
}

void ConfigurationModel::setPeakPowerPeriod(int index)
{
    m_config.peakPowerPeriod = index;
    Q_EMIT configurationChanged();
}

void ConfigurationModel::setThdBase(ThdBase base)
{
    m_config.thdBase = base;
    Q_EMIT configurationChanged();
}

void ConfigurationModel::setCondition(int index, const StorageCondition& condition)
{
    m_config.conditions[index] = condition;
    Q_EMIT configurationChanged();
    refreshCapacityDisplay();
}

void ConfigurationModel::setStation(int index, const StationSettings& station)
{
    m_config.stations[index] = station;
    Q_EMIT configurationChanged();
}

void ConfigurationModel::copyStation1(StationColumn column)
{
    const StationSettings& first = m_config.stations[0];
    for (int s = 1; s < StationCount; ++s) {
        StationSettings& station = m_config.stations[s];
        switch (column) {
        case StationColumn::Un:
            station.un = first.un;
            break;
        case StationColumn::VtPrimary:
            station.vtPrimary = first.vtPrimary;
            break;
        case StationColumn::VtSecondary:
            station.vtSecondary = first.vtSecondary;
            break;
        case StationColumn::CtPrimary:
            station.ctPrimary = first.ctPrimary;
            break;
        case StationColumn::CtSecondary:
            station.ctSecondary = first.ctSecondary;
            break;
        }
    }
    Q_EMIT configurationChanged();
}

void ConfigurationModel::setSignalLevels(int voltagePercent, int currentPercent)
{
    m_config.voltageSignalLevel = voltagePercent;
    m_config.currentSignalLevel = currentPercent;
    Q_EMIT configurationChanged();
}

void ConfigurationModel::setKeepLocalDescriptions(bool keep)
{
    m_config.keepLocalDescriptions = keep;
    Q_EMIT configurationChanged();
}

void ConfigurationModel::setNormText(NormField field, const QString& text)
{
    setNormTextWithMirror(field, text, DipFormat::General);
}

void ConfigurationModel::stepNormParameter(NormField field, int direction)
{
    if (const auto text = normedit::stepped(field, m_config.norm[field], direction))
        setNormTextWithMirror(field, *text, DipFormat::OneDecimal);
}

void ConfigurationModel::commitNormEditor(NormField field, double value)
{
    m_config.norm[field] = normedit::editorText(field, value);
    Q_EMIT configurationChanged();
    refreshNormMirrors();
}

void ConfigurationModel::resetNormDefaults()
{
    m_config.resetNormDefaults();
    refreshNormMirrors();
    // The period becomes 10 minutes: the instant values go, the statistics come back.
    applyStoragePeriodRules();
}

QString ConfigurationModel::resetNormQuestion()
{
    return tr("Na pewno przywrócić domyślne ustawienia parametrów normy?");
}

void ConfigurationModel::refreshNormMirrors()
{
    for (const NormField field : {NormField::VoltagePlus, NormField::VoltageMinus,
                                  NormField::InterruptionThreshold, NormField::LongInterruption})
        refreshMirror(field, DipFormat::OneDecimal);
}

QString ConfigurationModel::capacityText() const
{
    return capacity::displayText(m_config);
}

void ConfigurationModel::refreshCapacityDisplay()
{
    Q_EMIT capacityChanged(capacityText());
}

void ConfigurationModel::alignVtSecondariesForEventRecording()
{
    if (!m_config.eventRecording())
        return;
    copyStation1(StationColumn::VtSecondary);
}

void ConfigurationModel::setLit(int entry, bool on)
{
    if (entries::isEventRecording(entry)) {
        for (int e = entries::FirstEventRecording; e <= entries::LastEventRecording; ++e)
            m_config.selection[e] = on;
    } else {
        m_config.selection[entry] = on;
    }
}

void ConfigurationModel::lockOn(int entry)
{
    const int last = entries::isEventRecording(entry) ? entries::LastEventRecording : entry;
    for (int e = entry; e <= last; ++e) {
        m_config.selection[e] = true;
        m_enabled[e] = true;
        m_colour[e] = IndicatorColour::Red;
    }
}

void ConfigurationModel::switchOffAndDisable(int entry)
{
    m_config.selection[entry] = false;
    m_enabled[entry] = false;
}

void ConfigurationModel::setLockableControlsEnabled(bool enabled)
{
    if (m_lockableControlsEnabled == enabled)
        return;
    m_lockableControlsEnabled = enabled;
    Q_EMIT lockableControlsEnabledChanged(enabled);
}

void ConfigurationModel::refreshMirror(NormField field, DipFormat dipFormat)
{
    const QString& text = m_config.norm[field];
    switch (field) {
    case NormField::VoltagePlus:
        m_mirrors.overvoltageTolerance = text;
        break;
    case NormField::VoltageMinus: {
        const auto minus = DecimalText::parse(text);
        const double upper = minus ? 100 - *minus : 0;
        m_mirrors.dipUpper = !minus                            ? QString()
                             : dipFormat == DipFormat::General ? DecimalText::general(upper)
                                                               : DecimalText::fixed(upper, 1);
        break;
    }
    case NormField::InterruptionThreshold:
        m_mirrors.dipLower = text;
        break;
    case NormField::LongInterruption:
        m_mirrors.longInterruption = text;
        break;
    default:
        return;
    }
    Q_EMIT mirrorsChanged();
}

void ConfigurationModel::setNormTextWithMirror(NormField field, const QString& text,
                                               DipFormat dipFormat)
{
    m_config.norm[field] = text;
    Q_EMIT configurationChanged();
    refreshMirror(field, dipFormat);
}

} // namespace kapstat::config
