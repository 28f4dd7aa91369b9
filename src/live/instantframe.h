#pragma once

#include "calib/calibrationset.h"
#include "config/measuringsystem.h"
#include "link/responsebytes.h"
#include "live/livestore.h"

#include <QList>
#include <QString>
#include <array>

// The recorder's instantaneous frame (response 0x07): 120 ms of the six channels, their ranges,
// the period length, the recorder's own values, the scale of each channel's range and its
// harmonic table. Positions are response positions (1-based from ESC).
namespace kapstat::live {

namespace frame {
inline constexpr int Length = 4558;
inline constexpr int SamplePosition = 5;
inline constexpr int SampleSetWidth = 12;
inline constexpr int LicznikPosition = 3605;
inline constexpr int ImaxPosition = 3607;
inline constexpr int RangePosition = 3609;
inline constexpr int ScalePosition = 3886;
inline constexpr int HarmonicPosition = 3910;
inline constexpr int TicksPerSecond = 1250000;
inline constexpr int TicksPerSample = 500;
// A sample at the full scale of its range, in converter counts either side of zero.
inline constexpr int FullScaleCounts = 2048;

// Measuring systems as a set, for the table of which value fields each one decodes.
enum Systems : unsigned
{
    NoSystem = 0,
    Star = 1,
    Delta = 2,
    SinglePhase = 4,
    StarOrDelta = Star | Delta,
    AllSystems = Star | Delta | SinglePhase,
};
Systems systemBit(config::MeasuringSystem system);

// One recorder value of the value block: decoded under `decoded`, set to 0 under `zeroed`.
struct ValueField
{
    int position;
    int width; // DecFloat3, 4 or 5
    int number;
    unsigned decoded;
    unsigned zeroed = NoSystem;
};
// The 83 fields in the order of the block.
const QList<ValueField>& valueFields();

int scalePosition(int channel);
// kind 0 voltage, 1 current, 2 third value; harmonic 1..24, phase 1..3.
int harmonicPosition(int harmonic, int phase, int kind);
int samplePosition(int sampleSet, int channel); // the low byte

// A byte below 128 is the range itself; from 128 on, range 4 and up (the current loop's).
int rangeIndexOf(quint8 byte);
// Whether RangeScale has a slot for the index (0..9).
bool isKnownRange(int index);
// "0".."3", and the loop's ranges as "0P".."5P"; "?" for an index without a slot.
QString rangeText(int index);
// The channel's scale coefficient in the range; 0 for a range without a slot, whose samples
// then scale to 0.
double scaleOf(const calib::RangeScale& scale, int channel, int range);
} // namespace frame

// When the frame's own scale coefficients are stored: normally after its samples are scaled
// (so they take effect from the next frame), for the counters before.
enum class ScaleBlockTiming
{
    AfterScaling,
    BeforeScaling,
};

// Fills the store from the frame: ranges, samples, peaks, scaled samples (under "trójkąt" IL3
// is -(IL1 + IL2)), LICZNIK and IMAX, then the recorder's values, the frame's scale coefficients
// into `scale` and the harmonic table.
void decodeInstantFrame(const link::ResponseBytes& response, config::MeasuringSystem system,
                        calib::RangeScale& scale, LiveStore& store,
                        ScaleBlockTiming timing = ScaleBlockTiming::AfterScaling);
// The value block, the scale block and the harmonic block, for the ranges already in the store.
void decodeRecorderValues(const link::ResponseBytes& response, config::MeasuringSystem system,
                          calib::RangeScale& scale, LiveStore& store);

} // namespace kapstat::live
