#pragma once

#include "calib/calibrationset.h"
#include "live/livestore.h"
#include "sim/livesignal.h"

#include <QByteArray>
#include <array>
#include <optional>

// The emulated recorder's answer to 0x07: the signal sampled in the range that suits each
// channel, and the values the recorder reports, worked out from the signal's parameters.
namespace kapstat::sim::liveframe {

// The current channel of L2 comes through the current loop transducer ("pętla"); the others
// through the normal inputs.
inline constexpr int LoopChannel = 4;

// How the recorder's inputs turn a signal into counts: the converters' true gains and DC offsets
// (as a calibration set), the coefficients in force, and the range list entry while a range is
// fixed (0x11).
struct FrontEnd
{
    calib::CalibrationSet hardware;
    calib::CalibrationSet coefficients;
    std::optional<int> fixedRangeEntry;
};

// The most sensitive range slot whose full scale (2048 counts) holds the peak with a margin.
int rangeSlotFor(int channel, double peak, const calib::CalibrationSet& hardware);
// The slot a fixed range list entry puts a channel in: the loop channel in the loop's.
int fixedRangeSlot(int channel, int entry);
// The range byte the recorder sends for a slot: the loop's slots 4..9 as 128..133.
quint8 rangeByte(int slot);

// Every value of the value block by quantity number; energies from the hours the recorder has
// counted.
std::array<double, live::RecorderValueCount> recorderValues(const LiveSignal& signal, double hours);
// The harmonic table: per phase the voltage, the current and the cosine of their angle;
// harmonic 1 in volts and amperes, the others in per cent of it.
live::HarmonicTable<double> recorderHarmonics(const LiveSignal& signal);

// Positions 5 to 4557 of the response; damagedValue names a value sent with a nibble above 9.
// The counts follow the converters; the scale and the recorder's values follow the
// coefficients, so that a coefficient that differs from its converter shows as an error.
QByteArray frameData(const LiveSignal& signal, const FrontEnd& frontEnd, double hours,
                     std::optional<int> damagedValue = std::nullopt);
// A recorder whose coefficients match its converters exactly, ranging automatically.
QByteArray frameData(const LiveSignal& signal, const calib::CalibrationSet& calibration,
                     double hours, std::optional<int> damagedValue = std::nullopt);

} // namespace kapstat::sim::liveframe
