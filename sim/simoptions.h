#pragma once

#include "sim/faultinjector.h"
#include "sim/recorderstate.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kapstat::sim {

// How the emulated recorder is set up; read from the command line of kapstat-sim, or from the
// emulator options that kapstat --sim and kapstat-cli --sim pass on.
class SimOptions
{
public:
    int records = 0;
    int events = 0;
    int recordLength = RecordStore::MinimumRecordLength;
    int stations = 1;
    QString serialNumber = QStringLiteral("KAP-640 nr 00001");
    quint32 seed = 1;
    FaultRates faults;
    QString port;            // a named serial port instead of a pseudo-terminal
    std::optional<int> baud; // pace the responses at this line rate
    bool stats = false;
    bool stdinExit = false;
    bool help = false;

    // The arguments without the program name; nullopt with a message in Polish on a bad one.
    static std::optional<SimOptions> parse(const QStringList& arguments, QString* error = nullptr);
    // Removes the emulator options at the front of the arguments and returns them, for a caller
    // whose own command follows them.
    static QStringList takeLeadingOptions(QStringList& arguments);
    static QString helpText();

    RecorderState recorderState() const;
};

} // namespace kapstat::sim
