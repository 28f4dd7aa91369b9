#pragma once

#include "config/measuringsystem.h"
#include "sim/faultinjector.h"
#include "sim/recorderstate.h"
#include "sim/scenario.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kapstat::sim {

// How the emulated recorder is set up; read from the command line of kapstat-sim, or from the
// emulator options that kapstat --sim and kapstat-cli --sim pass on.
class SimOptions
{
public:
    // Records, events, stations, seed, dips, over-voltages and interruptions.
    Scenario scenario;
    // Fixed-length records of synthetic bytes instead of records laid out by the configuration.
    std::optional<int> recordLength;
    QString serialNumber = QStringLiteral("KAP-640 nr 00001");
    // The measuring system of the configuration the recorder starts with.
    std::optional<config::MeasuringSystem> system;
    // A recorder value (quantity number of the value block) sent undecodable in every 0x07.
    std::optional<int> damagedLiveValue;
    FaultRates faults;
    QString port;            // a named serial port instead of a pseudo-terminal
    std::optional<int> baud; // pace requests and responses at this line rate
    bool stats = false;
    bool stdinExit = false;
    bool help = false;
    bool version = false;

    // The arguments without the program name; nullopt with a message in Polish on a bad one.
    static std::optional<SimOptions> parse(const QStringList& arguments, QString* error = nullptr);
    // Removes the emulator options at the front of the arguments and returns them, for a caller
    // whose own command follows them.
    static QStringList takeLeadingOptions(QStringList& arguments);
    static QString helpText();
    // Applies a scenario file's lines, each an option without its dashes; a message in Polish
    // naming the line when one is bad or the file cannot be read.
    static QString applyScenarioFile(SimOptions& options, const QString& path);
    static QString applyScenarioText(SimOptions& options, const QString& text,
                                     const QString& path = {});

    RecorderState recorderState() const;
};

} // namespace kapstat::sim
