#pragma once

#include <QString>

namespace kapstat::link {

// The conversation a command belongs to; its text is the recorder program's own name for it.
enum class OperationName
{
    None,
    Nawiazanie,   // connect
    Zegarek,      // recorder clock
    Stan,         // recorder status
    Czysc,        // empty the measurement memory
    Konfiguracja, // configuration read or write
    Rekordy,      // measurement download
    Zaniki,       // interruption and over-voltage download
    Chwila,       // live values and waveforms
    Liczniki,     // recorder counters
    Kalibracja,   // calibration
};

QString operationText(OperationName name);

struct Operation
{
    OperationName name = OperationName::None;
    int step = 0;

    bool operator==(const Operation&) const = default;
};

} // namespace kapstat::link
