#pragma once

#include "download/measurementtables.h"
#include "link/responsebytes.h"

#include <QList>
#include <array>

namespace kapstat::download {

// One block of harmonics values in a measurement record.
struct HarmonicsGroup
{
    bool perPhase = true;
    QList<int> fields; // HARM name-list positions, in field order; the count is their number

    int count() const { return static_cast<int>(fields.size()); }
    int bytes(int phases) const { return 3 * count() * (perPhase ? phases : 1); }
};

// THDU, THDI, symmetrical, UH first, UH 2-24, IH first, IH 2-24, cosH first, cosH 2-24.
inline constexpr int HarmonicsGroupCount = 9;

// The layout of every measurement record of a download, derived from the configuration image the
// recorder holds: the record length, what each part of a record carries and which fields the
// RMS and HARM tables get.
struct RecordLayout
{
    int phases = 3;
    int length = 14;
    bool sampleBlock = false;  // the 34 bytes of ranges, gains, counter and maximum
    QList<int> waveformFields; // RMS positions of the Probki fields (W = their number)
    QList<int> energyFields;   // RMS positions, five bytes each (E)
    QList<int> valueFields;    // RMS positions of powers and statistics, three bytes each (Q)
    QList<int> bcFields;       // HARM positions of the B/C values, four bytes each (B)
    std::array<HarmonicsGroup, HarmonicsGroupCount> groups;
    int harmonicsValueCount = 0; // H
    MeasurementSelection selection;

    static constexpr int SampleBytesPerChannel = 600;
    static constexpr int SampleBlockBytes = 34;
    static constexpr int StampBytes = 6;

    // From the 0x0A response; phases is 1, 2 or 3 after the image has been applied.
    static RecordLayout fromConfigurationResponse(const link::ResponseBytes& response, int phases);

    bool hasHarmonics() const { return harmonicsValueCount > 0 || !bcFields.isEmpty(); }
    int waveformChannels() const { return static_cast<int>(waveformFields.size()); }

    // Response positions of the parts of a record.
    static constexpr int StationPosition = 5;
    static constexpr int TimePosition = 6;
    static constexpr int ConditionPosition = 12;
    static constexpr int SamplesPosition = 13;
    int sampleBlockPosition() const
    {
        return SamplesPosition + SampleBytesPerChannel * waveformChannels();
    }
    int energiesPosition() const
    {
        return sampleBlockPosition() + (sampleBlock ? SampleBlockBytes : 0);
    }
    int valuesPosition() const
    {
        return energiesPosition() + 5 * static_cast<int>(energyFields.size());
    }
    int stampPosition() const
    {
        return valuesPosition() + 3 * static_cast<int>(valueFields.size());
    }
    int bcPosition() const { return stampPosition() + (hasHarmonics() ? StampBytes : 0); }
    int groupPosition(int group) const;
};

} // namespace kapstat::download
