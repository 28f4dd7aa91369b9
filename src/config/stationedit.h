#pragma once

#include "config/configurationmodel.h"

namespace kapstat::config {

// Changes one value of a station through the model, the other values kept.
template <typename Change> void editStation(ConfigurationModel& model, int station, Change change)
{
    StationSettings settings = model.configuration().stations[station];
    change(settings);
    model.setStation(station, settings);
}

} // namespace kapstat::config
