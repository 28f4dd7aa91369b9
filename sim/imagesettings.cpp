#include "sim/imagesettings.h"

#include "config/imagedecoder.h"
#include "config/measuringsystem.h"

namespace kapstat::sim {

namespace {

// A zero or negative nominal value would make every record a flat line; such a station records
// as a default one does.
double positiveOr(double value, double fallback)
{
    return value > 0 ? value : fallback;
}

} // namespace

ImageSettings ImageSettings::fromImage(const QByteArray& image)
{
    return fromImage(image, ImageSettings());
}

ImageSettings ImageSettings::fromImage(const QByteArray& image, const ImageSettings& previous)
{
    const auto decoded = config::imagedecoder::decode(image);
    if (!decoded)
        return previous;
    ImageSettings settings = previous;
    if (decoded->system) {
        settings.system = *decoded->system;
        settings.phases = config::phaseCount(*decoded->system);
    }
    const int minutes = decoded->values.storagePeriod;
    if (minutes == 0)
        settings.storagePeriodSeconds = ShortPeriodSeconds;
    else if (minutes > 0)
        settings.storagePeriodSeconds = qint64(minutes) * 60;
    const ImageSettings defaults;
    for (int s = 0; s < StationCount; ++s) {
        const auto& station = decoded->values.stations[s];
        settings.un[s] = positiveOr(station.un, defaults.un[s]);
        settings.ctPrimary[s] = positiveOr(station.ctPrimary, defaults.ctPrimary[s]);
    }
    return settings;
}

} // namespace kapstat::sim
