#include "config/recorderconfiguration.h"

#include <algorithm>

namespace kapstat::config {

namespace {
constexpr int NormStoragePeriod = 10;
constexpr int PeakPowerMinutes[PeakPowerPeriodCount] = {1, 2, 5, 10, 15, 20, 30, 60};
} // namespace

int peakPowerMinutes(int index)
{
    return index >= 0 && index < PeakPowerPeriodCount ? PeakPowerMinutes[index] : 0;
}

bool RecorderConfiguration::anyConditionActive() const
{
    return std::any_of(conditions.cbegin(), conditions.cend(),
                       [](const StorageCondition& c) { return c.quantity != 0; });
}

bool RecorderConfiguration::isDefaultNorm() const
{
    return storagePeriod == NormStoragePeriod && norm.hasDefaultTexts();
}

void RecorderConfiguration::resetNormDefaults()
{
    storagePeriod = NormStoragePeriod;
    norm.resetDefaults();
}

std::array<StationSettings, StationCount> RecorderConfiguration::defaultStations()
{
    std::array<StationSettings, StationCount> stations;
    for (int s = 0; s < StationCount; ++s)
        stations[s].description = QStringLiteral("Stacja %1").arg(s + 1);
    return stations;
}

} // namespace kapstat::config
