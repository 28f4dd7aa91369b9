#pragma once

#include "config/stationsettings.h"

#include <QString>
#include <array>
#include <optional>

namespace kapstat::config {
struct RecorderConfiguration;
}

namespace kapstat::browse {

// The transformer and voltage data of one station, as numbers.
struct StationRatios
{
    double un = 0;
    double vtPrimary = 0;
    double vtSecondary = 0;
    double ctPrimary = 0;
    double ctSecondary = 0;
};

// The norm parameters and station data of an open database, taken once from the configuration
// its settings file restored; later edits of the configuration do not reach it.
struct NormParameterSet
{
    double recordPeriodSeconds = 1;
    double averagingMinutes = 0;
    double freqBand1Minus = 0;
    double freqBand1Plus = 0;
    double freqBand1Share = 0;
    double freqBand2Minus = 0;
    double freqBand2Plus = 0;
    double freqBand2Share = 0;
    double voltageMinus = 0;
    double voltagePlus = 0;
    double voltageShare = 0;
    double unbalanceLimit = 0;
    double unbalanceShare = 0;
    double harmonicShare = 0;
    std::array<double, 25> harmonicLimit{}; // orders 2..24; 0 and 1 unused
    double thdLimit = 0;
    double interruptionThreshold = 0;
    double longInterruption = 0;
    double overvoltageThreshold = 0;
    std::array<StationRatios, config::StationCount> stations{};

    // nullopt with a message naming the parameter when a text is not a number of its kind.
    static std::optional<NormParameterSet> from(const config::RecorderConfiguration& configuration,
                                                QString* error);
};

} // namespace kapstat::browse
