#pragma once

#include "config/measuringsystem.h"
#include "live/livestore.h"

#include <QList>
#include <QString>
#include <array>

// What the two value pages of the live window and the captions beside its waveform charts show
// for the recorder's values of one frame.
namespace kapstat::live {

inline constexpr int PhaseColumnCount = 3;
inline constexpr int WaveformCaptionCount = 6; // per chart row: the voltage, then the current

// A value field and the unit field to its right.
struct LiveField
{
    QString value; // "-----" where the quantity does not exist in the measuring system
    QString unit;  // prefix and unit; the bare unit beside "-----"
};

struct TotalsRow
{
    QString caption;
    LiveField field;
    bool visible = true; // a hidden row hides its caption, value and unit together
};

struct PhaseRow
{
    std::array<QString, PhaseColumnCount> captions; // differ per column only for line voltages
    std::array<LiveField, PhaseColumnCount> fields;
};

struct LiveValuesView
{
    QList<TotalsRow> totals; // "Pomiary chwilowe sumaryczne", top to bottom
    QList<PhaseRow> phases;  // "Pomiary chwilowe fazowe", columns L1, L2, L3
    std::array<QString, WaveformCaptionCount> waveformCaptions;
};

// The value text shown where a quantity does not exist in the measuring system.
QString absentValueText();

LiveValuesView showLiveValues(const std::array<Real, RecorderValueCount>& values,
                              config::MeasuringSystem system);

} // namespace kapstat::live
