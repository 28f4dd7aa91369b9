#pragma once

#include "calib/calibrationset.h"
#include "config/defaultconfigurationimage.h"

#include <QByteArray>
#include <initializer_list>
#include <utility>

namespace kapstat::sim::images {

// Image offsets of the bytes that decide a record's layout.
inline constexpr int Options =
    481; // bits 7-6 phasors, 3 voltage and 2 current waveforms, 1-0 system
inline constexpr int StoragePeriod = 482;
inline constexpr int Energies = 742; // bits 7-3 energies, 2-0 Pav, Qav, Sav
inline constexpr int FirstStatistics = 744;
inline constexpr int Thd = 771;
inline constexpr int Symmetrical = 772;
inline constexpr int Harmonics = 774; // UH; IH and cosH follow

inline constexpr int Star = 0x03, Delta = 0x01, SinglePhase = 0x00, KeepSystem = 0x02;
inline constexpr int VoltageWaveforms = 0x08, CurrentWaveforms = 0x04, Phasors = 0xC0;

// The default configuration with the given bytes changed.
inline QByteArray imageWith(std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray image = config::defaultConfigurationImage(calib::CalibrationSet{});
    for (const auto& [offset, value] : bytes)
        image[offset] = static_cast<char>(value);
    return image;
}

// Every statistic, energy and peak power of the RMS list, in a star system.
inline QByteArray everyRmsValue()
{
    QByteArray image = imageWith({{Energies, 0xFF}});
    for (int offset = FirstStatistics; offset < Thd; ++offset)
        image[offset] = '\xFF';
    return image;
}

} // namespace kapstat::sim::images
