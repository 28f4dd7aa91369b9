#pragma once

#include "config/measuringsystem.h"
#include "link/responsebytes.h"

#include <QString>
#include <QStringList>
#include <array>

namespace kapstat::link {

// The rows of the status window, decoded from one status response (code 0x0B).
struct RecorderStatus
{
    enum Row
    {
        Recording,
        Station,
        RecordCount,
        RecordMemory,
        EventCount,
        EventMemory,
        TotalMemory,
        CalibrationDate,
        SerialNumber,
        MainsSupply,
        RowCount
    };

    std::array<QString, RowCount> values;

    static QString caption(int row);
    // The measuring system decides how many event records fit in the memory.
    static RecorderStatus decode(const ResponseBytes& response, config::MeasuringSystem system);
    static int eventCapacity(config::MeasuringSystem system);

    bool operator==(const RecorderStatus&) const = default;
};

// The two battery rows of the status window after a battery test (code 0x0D).
struct BatteryReport
{
    enum Row
    {
        Operating,
        Memory,
        RowCount
    };
    enum class Colour
    {
        Prompt, // before a test: the prompt to press the button
        Good,   // both batteries good
        Bad
    };

    std::array<QString, RowCount> values;
    Colour colour = Colour::Prompt;

    static QString caption(int row);
    static BatteryReport prompt();
    static BatteryReport decode(const ResponseBytes& response);

    bool operator==(const BatteryReport&) const = default;
};

} // namespace kapstat::link
