#pragma once

#include <optional>

namespace kapstat::sim {

// What a measured value of a record stands for: the quantity, the phase, the harmonic order and
// which of the four statistics of the storage period it is.
struct MainsQuantity
{
    enum class Measure
    {
        Voltage,
        LineVoltage,
        Current,
        ActivePower,
        ReactivePower,
        ApparentPower,
        DistortionPower,
        PowerFactor,
        Tangent,
        DistortionFactor,
        Frequency,
        NeutralCurrent,
        CrestFactorU,
        CrestFactorI,
        DcVoltage,
        DcCurrent,
        PeakActivePower,
        PeakReactivePower,
        PeakApparentPower,
        ThdU,
        ThdI,
        NegativeSequence,
        PositiveSequence,
        Unbalance,
        ZeroSequence,
        HarmonicU,
        HarmonicI,
        HarmonicCos,
        PhasorRealU,
        PhasorImaginaryU,
        PhasorRealI,
        PhasorImaginaryI,
    };
    enum Statistic
    {
        Minimum,
        Maximum,
        Average,
        Instant,
        Single // a value with no statistics (peak powers, phasors)
    };
    static constexpr int Summary = -1; // the phase of a three-phase summary quantity

    Measure measure = Measure::Voltage;
    int phase = Summary; // 0-2; a per-phase harmonics value takes the phase of its HARM row
    int order = 0;       // harmonic order 1-24
    Statistic statistic = Single;

    // A power, statistic or peak of the RMS name list; nullopt for energies and the rest.
    static std::optional<MainsQuantity> ofRmsField(int position);
    // A harmonics value or a B/C value of the HARM name list.
    static std::optional<MainsQuantity> ofHarmField(int position);

    MainsQuantity inPhase(int f) const
    {
        MainsQuantity q = *this;
        if (q.phase == Summary && isPerPhaseHarmonics())
            q.phase = f;
        return q;
    }

private:
    bool isPerPhaseHarmonics() const;
};

} // namespace kapstat::sim
