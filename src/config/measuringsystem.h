#pragma once

#include <optional>

namespace kapstat::config {

// How the recorder's inputs are connected; the value is the code the recorder and the settings
// files carry.
enum class MeasuringSystem
{
    SinglePhase = 0,
    Delta = 1,
    Star = 3
};

inline int systemCode(MeasuringSystem system)
{
    return static_cast<int>(system);
}

inline std::optional<MeasuringSystem> systemFromCode(int code)
{
    switch (code) {
    case 0:
        return MeasuringSystem::SinglePhase;
    case 1:
        return MeasuringSystem::Delta;
    case 3:
        return MeasuringSystem::Star;
    default:
        return std::nullopt;
    }
}

// Phases counted in the size of a measurement record.
inline int phaseCount(MeasuringSystem system)
{
    switch (system) {
    case MeasuringSystem::Star:
        return 3;
    case MeasuringSystem::Delta:
        return 2;
    case MeasuringSystem::SinglePhase:
        break;
    }
    return 1;
}

} // namespace kapstat::config
