#pragma once

#include "config/measuringsystem.h"

#include <QList>

// The entries of the selection list by number, and the groups the rules work on.
namespace kapstat::config::entries {

inline constexpr int Count = 246;
inline constexpr int NormMode = 0;
inline constexpr int FirstQuantity = 1;
inline constexpr int FirstEventRecording = 153;
inline constexpr int LastEventRecording = 158;
inline constexpr int VoltageWaveforms = 159;
inline constexpr int CurrentWaveforms = 160;
inline constexpr int Phasors = 161;

struct Range
{
    int first;
    int last;
    bool contains(int entry) const { return entry >= first && entry <= last; }
};

// Position of the entry in its row of four statistics (0 min, 1 max, 2 avg, 3 inst); -1 when
// the entry belongs to no row.
int rowPosition(int entry);
inline constexpr int InstPosition = 3;

bool isEventRecording(int entry);

// Entries a measuring system cannot measure.
const QList<Range>& unavailableIn(MeasuringSystem system);

// Entries the norm mode lights and locks for the system (event recording stands for its six).
QList<int> normSet(MeasuringSystem system);

} // namespace kapstat::config::entries
