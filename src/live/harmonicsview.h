#pragma once

#include "config/measuringsystem.h"
#include "config/recorderconfiguration.h"
#include "live/livestore.h"
#include "live/livevalues.h"

#include <QString>
#include <array>

// What the live window's harmonics page shows for one tab: the title, the bars, the 25-row
// table and the two small tables.
namespace kapstat::live {

inline constexpr int HarmonicsTabCount = 9; // UL1-UL3, IL1-IL3, UL1+IL1 .. UL3+IL3

enum class HarmonicsKind
{
    Voltage,
    Current,
    Both,
};

struct HarmonicsView
{
    HarmonicsKind kind = HarmonicsKind::Voltage;
    QString title;
    QString axisTitle;
    std::array<QString, 3> headings;                          // voltage, current, cosine columns
    std::array<std::array<QString, 3>, HighestHarmonic> rows; // per harmonic 1..24
    std::array<double, HighestHarmonic> voltageBars{};
    std::array<bool, HighestHarmonic> voltageOverLimit{};
    std::array<double, HighestHarmonic> currentBars{};
    bool normEnabled = true; // the "N" button; released and disabled off the voltage tabs
    // Column 1 of the small tables, rows 0..4 (voltage: f, -, U, UH0, UH1; current: -, -, I,
    // IH0, IH1).
    std::array<QString, 5> voltageTable;
    std::array<QString, 5> currentTable;
};

// The limits of harmonics 1..24 behind the "N" bars: 0 for the fundamental, else the norm's.
std::array<double, HighestHarmonic> voltageHarmonicLimits(const config::NormParameters& norm);

bool isHarmonicsTabEnabled(int tab, config::MeasuringSystem system);
// "UL1" .. "UL3+IL3", or "---" for a tab the system has no phase for.
QString harmonicsTabCaption(int tab, config::MeasuringSystem system);

// The frequency cell: the frame's frequency as "0.##" and " Hz".
QString frequencyText(double hertz);

struct HarmonicsSettings
{
    config::MeasuringSystem system = config::MeasuringSystem::Star;
    config::ThdBase base = config::ThdBase::H1;
    std::array<double, HighestHarmonic> limits{};
    bool normShown = false; // "N" down
};

HarmonicsView harmonicsView(const LiveStore& store, const LiveValuesView& values, int tab,
                            const HarmonicsSettings& settings);

} // namespace kapstat::live
