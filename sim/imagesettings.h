#pragma once

#include "config/measuringsystem.h"

#include <QByteArray>
#include <array>

namespace kapstat::sim {

// What the generated records take from the recorder's configuration image.
struct ImageSettings
{
    static constexpr int StationCount = 8;

    config::MeasuringSystem system = config::MeasuringSystem::Star;
    int phases = 3;
    qint64 storagePeriodSeconds = 300;
    std::array<double, StationCount> un{230, 230, 230, 230, 230, 230, 230, 230};
    std::array<double, StationCount> ctPrimary{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};

    // A storage period of 0 minutes is the recorder's shortest, one second.
    static constexpr qint64 ShortPeriodSeconds = 1;

    // The settings of the image; a damaged image, or one that leaves the measuring system
    // unchanged (bits 10b), keeps those of previous.
    static ImageSettings fromImage(const QByteArray& image, const ImageSettings& previous);
    static ImageSettings fromImage(const QByteArray& image);
};

} // namespace kapstat::sim
