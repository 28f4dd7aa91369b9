#pragma once

#include "config/defaultconfigurationimage.h"
#include "sim/calibrationmemory.h"
#include "sim/recordstore.h"
#include "sim/scenario.h"

#include <QByteArray>
#include <optional>

namespace kapstat::sim {

// Everything the emulated recorder remembers between commands.
struct RecorderState
{
    static constexpr int ConfigurationImageLength = 1023;
    static constexpr int SerialNumberLength = 27;

    // The recorder's clock as an offset from the host's wall-clock time.
    qint64 clockOffsetMs = 0;

    int recordCount = 0;
    int eventCount = 0;
    // Who recorded what; the counts above are what the memory holds now.
    Scenario scenario;
    // Set: records of this fixed length with synthetic bytes, whatever the configuration asks.
    std::optional<RecordStore> fixedLengthRecords;

    bool mainsMissing = false;
    bool recordingStopped = false;
    int stationIndex = 0;      // 0-7
    int totalMemoryUnits = 16; // of 512 kB
    QByteArray serialNumber = "KAP-640 nr 00001";

    bool operatingBatteryGood = true;
    bool memoryBatteryGood = true;

    quint8 rangeSetting = 0x7F; // automatic; any other code fixes the range (0x11)
    // The recorder value (quantity number) that instantaneous frames carry undecodable.
    std::optional<int> damagedLiveValue;
    CalibrationMemory calibration = CalibrationMemory::factoryDefault();
    // What 0x19 committed to the EEPROM.
    CalibrationMemory eepromCalibration = calibration;
    // The converters' true gains and DC offsets per channel and slot: those the factory
    // calibration measured, so that a recorder fresh from the factory reads its inputs exactly.
    calib::CalibrationSet frontEnd = calibration.coefficients();
    // While a range is fixed a calibration generator feeds every input with these.
    double calibratorVolts = 220;
    double calibratorAmperes = 5;
    // A recorder fresh from the factory holds the default configuration.
    QByteArray configurationImage = config::defaultConfigurationImage(calibration.coefficients());
};

} // namespace kapstat::sim
