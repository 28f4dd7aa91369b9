#pragma once

#include "config/recorderconfiguration.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace kapstat::config {

// green and yellow: the user may toggle the indicator; red: locked by the norm mode.
enum class IndicatorColour
{
    Green,
    Yellow,
    Red
};
enum class StationFlag
{
    StartEnabled,
    EndEnabled,
    ChangeStation,
    ConditionValid
};
// The columns the copy buttons copy from station 1 to the others.
enum class StationColumn
{
    Un,
    VtPrimary,
    VtSecondary,
    CtPrimary,
    CtSecondary
};

// Values the norm texts repeat elsewhere.
struct NormMirrors
{
    QString overvoltageTolerance; // voltagePlus
    QString dipUpper;             // 100 - voltageMinus
    QString dipLower;             // interruptionThreshold
    QString longInterruption;

    bool operator==(const NormMirrors&) const = default;
};

// The configuration together with the rules that keep it consistent: which entries may be
// selected for the storage period and the measuring system, what the norm mode locks, and the
// derived displays. The configuration window only observes it and calls it; loading a settings
// file and applying a received image go through the same rules.
class ConfigurationModel : public QObject
{
    Q_OBJECT

public:
    explicit ConfigurationModel(QObject* parent = nullptr);

    const RecorderConfiguration& configuration() const { return m_config; }

    bool isLit(int entry) const { return m_config.selection[entry]; }
    IndicatorColour colour(int entry) const { return m_colour[entry]; }
    bool isEnabled(int entry) const { return m_enabled[entry]; }
    // The THD base, "Układ", both period lists, the condition lists and bounds.
    bool areNormLockedControlsEnabled() const { return m_lockableControlsEnabled; }

    // A click on an indicator. Returns the message to show (modal, until closed) when the norm
    // mode cannot be switched on.
    std::optional<QString> clickIndicator(int entry);
    void toggleStationFlag(int station, StationFlag flag);

    void applyNormModeRules(bool on);
    void applyStoragePeriodRules();
    // Runs the system-change rules when the system differs from the current one.
    void applySystemChange(MeasuringSystem system);

    // A flag as a file or an image sets it, without the click's checks; one of the six event
    // recording entries sets all six, and a change of the norm mode runs its rules.
    void setSelected(int entry, bool on);
    void setStoragePeriod(int minutes); // NoChoice allowed; runs the storage-period rules
    void setAlternatePeriod(int minutes);
    void setPeakPowerPeriod(int index);
    void setThdBase(ThdBase base);
    void setCondition(int index, const StorageCondition& condition);
    void setStation(int index, const StationSettings& station);
    void copyStation1(StationColumn column);
    void setSignalLevels(int voltagePercent, int currentPercent);
    void setKeepLocalDescriptions(bool keep);
    // A norm text as typed or read from a file; its mirror follows in general number format.
    void setNormText(NormField field, const QString& text);

    // Left click (+1) or right click (-1) on a norm label.
    void stepNormParameter(NormField field, int direction);
    // Enter in the inline editor.
    void commitNormEditor(NormField field, double value);
    void resetNormDefaults();
    static QString resetNormQuestion();

    const NormMirrors& mirrors() const { return m_mirrors; }
    void refreshNormMirrors();

    QString capacityText() const;
    void refreshCapacityDisplay();

    // With event recording on every station takes station 1's VT secondary: the recorder has
    // one voltage range for the event detection of all stations.
    void alignVtSecondariesForEventRecording();

Q_SIGNALS:
    void configurationChanged();
    void indicatorsChanged();
    void lockableControlsEnabledChanged(bool enabled);
    void mirrorsChanged();
    void capacityChanged(const QString& text);

private:
    enum class DipFormat
    {
        General,
        OneDecimal
    };

    void setLit(int entry, bool on);
    void lockOn(int entry);
    void switchOffAndDisable(int entry);
    void setLockableControlsEnabled(bool enabled);
    void refreshMirror(NormField field, DipFormat dipFormat);
    void setNormTextWithMirror(NormField field, const QString& text, DipFormat dipFormat);

    RecorderConfiguration m_config;
    std::array<IndicatorColour, entries::Count> m_colour{};
    std::array<bool, entries::Count> m_enabled{};
    bool m_lockableControlsEnabled = true;
    NormMirrors m_mirrors;
};

} // namespace kapstat::config
