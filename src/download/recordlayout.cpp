#include "download/recordlayout.h"

#include <algorithm>

namespace kapstat::download {

namespace {

// Response positions of the configuration bytes the layout reads.
constexpr int OptionsPosition = 486;  // waveforms and phasor diagrams
constexpr int EnergiesPosition = 747; // energies and mean powers
constexpr int FirstStatisticPosition = 749;
constexpr int LastStatisticPosition = 775;
constexpr int ThdPosition = 776;
constexpr int SymmetricalPosition = 777;
constexpr int FirstHarmonicsPosition = 779;
constexpr int FirstProbkiPosition = 220;

constexpr int Licznik = 226;

bool bit(quint8 byte, int b)
{
    return (byte >> b) & 1;
}

void selectSampleFields(RecordLayout& layout, quint8 options)
{
    auto& rms = layout.selection.rms;
    const bool currents = bit(options, 2);
    const bool voltages = bit(options, 3);
    if (!currents && !voltages)
        return;
    layout.sampleBlock = true;
    layout.length += RecordLayout::SampleBlockBytes;
    for (int i = Licznik; i < static_cast<int>(rms.size()); ++i)
        rms[i] = true;
    // Channels follow the list order: voltages before currents.
    for (int kind = 0; kind < 2; ++kind) {
        if (!(kind == 0 ? voltages : currents))
            continue;
        for (int f = 0; f < layout.phases; ++f) {
            const int position = FirstProbkiPosition + 3 * kind + f;
            rms[position] = true;
            layout.waveformFields << position;
            layout.length += RecordLayout::SampleBytesPerChannel;
        }
    }
}

QList<int> bcFieldsFor(int phases)
{
    // BUL1, CUL1, BUL2, CUL2, BUL3, CUL3, BIL1, CIL1, BIL2, CIL2, BIL3, CIL3 from position 312.
    QList<int> fields;
    for (int kind = 0; kind < 2; ++kind)
        for (int f = 0; f < phases; ++f)
            fields << 312 + 6 * kind + 2 * f << 312 + 6 * kind + 2 * f + 1;
    std::sort(fields.begin(), fields.end());
    return fields;
}

void selectRmsValues(RecordLayout& layout, const link::ResponseBytes& response)
{
    auto& rms = layout.selection.rms;
    const quint8 energies = response.at(EnergiesPosition);
    for (int b = 7; b >= 0; --b) {
        if (!bit(energies, b))
            continue;
        const int position = 7 - b; // bit 7 Epplus .. bit 3 Es, bit 2 Pav .. bit 0 Sav
        rms[position] = true;
        if (b >= 3) {
            layout.energyFields << position;
            layout.length += 5;
        } else {
            layout.valueFields << position;
            layout.length += 3;
        }
    }
    for (int p = FirstStatisticPosition; p <= LastStatisticPosition; ++p) {
        for (int b = 7; b >= 0; --b) {
            const int position = 8 + 8 * (p - FirstStatisticPosition) + (7 - b);
            // The last byte's low nibble is unused; it must never reach the Probki names.
            if (!bit(response.at(p), b) || position >= FirstProbkiPosition)
                continue;
            rms[position] = true;
            layout.valueFields << position;
            layout.length += 3;
        }
    }
}

void addToGroup(RecordLayout& layout, int group, int harmPosition)
{
    layout.selection.harm[harmPosition] = true;
    layout.groups[group].fields << harmPosition;
}

void selectHarmonics(RecordLayout& layout, const link::ResponseBytes& response)
{
    const quint8 thd = response.at(ThdPosition);
    for (int s = 0; s < 4; ++s) {
        if (bit(thd, 7 - s))
            addToGroup(layout, 0, s);
        if (bit(thd, 3 - s))
            addToGroup(layout, 1, 4 + s);
    }
    for (int p = SymmetricalPosition; p <= SymmetricalPosition + 1; ++p)
        for (int b = 7; b >= 0; --b)
            if (bit(response.at(p), b))
                addToGroup(layout, 2, 8 + 8 * (p - SymmetricalPosition) + (7 - b));
    layout.groups[2].perPhase = false;
    for (int g = 0; g < 3; ++g) {
        const quint8 byte = response.at(FirstHarmonicsPosition + g);
        for (int s = 0; s < 4; ++s)
            if (bit(byte, 7 - s))
                addToGroup(layout, 3 + 2 * g, 24 + 96 * g + s);
        for (int j = 0; j < 23; ++j)
            for (int s = 0; s < 4; ++s)
                if (bit(byte, 3 - s))
                    addToGroup(layout, 4 + 2 * g, 28 + 96 * g + 4 * j + s);
    }
    for (const HarmonicsGroup& group : layout.groups) {
        layout.harmonicsValueCount += group.count() * (group.perPhase ? layout.phases : 1);
        layout.length += group.bytes(layout.phases);
    }
}

} // namespace

RecordLayout RecordLayout::fromConfigurationResponse(const link::ResponseBytes& response,
                                                     int phases)
{
    RecordLayout layout;
    layout.phases = phases;
    const quint8 options = response.at(OptionsPosition);
    selectSampleFields(layout, options);
    if (bit(options, 6) && bit(options, 7)) {
        layout.bcFields = bcFieldsFor(phases);
        for (const int position : layout.bcFields)
            layout.selection.harm[position] = true;
        layout.length += 4 * static_cast<int>(layout.bcFields.size());
    }
    selectRmsValues(layout, response);
    selectHarmonics(layout, response);
    if (layout.hasHarmonics())
        layout.length += StampBytes;
    return layout;
}

int RecordLayout::groupPosition(int group) const
{
    int position = bcPosition() + 4 * static_cast<int>(bcFields.size());
    for (int g = 0; g < group; ++g)
        position += groups[g].bytes(phases);
    return position;
}

} // namespace kapstat::download
