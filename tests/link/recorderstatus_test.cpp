#include "link/recorderstatus.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::link;
using config::MeasuringSystem;

namespace {

// A status response: counts, flags, memory used, calibration date, memory size, serial number.
ResponseBytes statusResponse(int records, int events, quint8 flags, QByteArray calibration,
                             quint8 memoryUnits, QByteArray serial = "KAP-640 nr 00042")
{
    QByteArray data;
    data.append(static_cast<char>(records & 0xFF))
        .append(static_cast<char>(records >> 8 & 0xFF))
        .append(static_cast<char>(records >> 16 & 0xFF))
        .append(static_cast<char>(events & 0xFF))
        .append(static_cast<char>(events >> 8 & 0xFF))
        .append(static_cast<char>(flags))
        .append(static_cast<char>(37))
        .append(calibration)
        .append(static_cast<char>(memoryUnits))
        .append(serial.leftJustified(27, ' '));
    return ResponseBytes::withData(0x0B, data);
}

const QByteArray Calibrated = QByteArray::fromHex("150324"); // 2024-03-15

} // namespace

TEST(RecorderStatus, FlagsByteGivesRecordingStationAndMains)
{
    struct Case
    {
        quint8 flags;
        const char* recording;
        const char* station;
        const char* mains;
    };
    for (const Case& c :
         {Case{0x8B, "zatrzymana", "4", "brak sieci"}, Case{0x00, "w toku", "1", "stan dobry"},
          Case{0x07, "w toku", "8", "stan dobry"}}) {
        SCOPED_TRACE(c.flags);
        const auto status = RecorderStatus::decode(statusResponse(0, 0, c.flags, Calibrated, 16),
                                                   MeasuringSystem::Star);
        EXPECT_EQ(status.values[RecorderStatus::Recording], QString::fromUtf8(c.recording));
        EXPECT_EQ(status.values[RecorderStatus::Station], QString::fromUtf8(c.station));
        EXPECT_EQ(status.values[RecorderStatus::MainsSupply], QString::fromUtf8(c.mains));
    }
}

TEST(RecorderStatus, EventMemoryShareDependsOnTheMeasuringSystem)
{
    struct Case
    {
        MeasuringSystem system;
        int events;
        const char* share;
    };
    for (const Case& c :
         {Case{MeasuringSystem::Star, 403, "50%"}, Case{MeasuringSystem::Delta, 403, "34%"},
          Case{MeasuringSystem::SinglePhase, 403, "18%"}, Case{MeasuringSystem::Star, 806, "100%"},
          Case{MeasuringSystem::Star, 0, "0%"}}) {
        SCOPED_TRACE(c.events);
        const auto status =
            RecorderStatus::decode(statusResponse(0, c.events, 0, Calibrated, 16), c.system);
        EXPECT_EQ(status.values[RecorderStatus::EventCount], QString::number(c.events));
        EXPECT_EQ(status.values[RecorderStatus::EventMemory], QLatin1String(c.share));
    }
}

TEST(RecorderStatus, CountsMemoryDateAndSerialNumber)
{
    const auto status = RecorderStatus::decode(statusResponse(70000, 300, 0, Calibrated, 0x10),
                                               MeasuringSystem::Star);
    EXPECT_EQ(status.values[RecorderStatus::RecordCount], QStringLiteral("70000"));
    EXPECT_EQ(status.values[RecorderStatus::RecordMemory], QStringLiteral("37%"));
    EXPECT_EQ(status.values[RecorderStatus::TotalMemory], QStringLiteral("8192kB"));
    EXPECT_EQ(status.values[RecorderStatus::CalibrationDate], QStringLiteral("2024-03-15"));
    EXPECT_EQ(status.values[RecorderStatus::SerialNumber], QStringLiteral("KAP-640 nr 00042"));
}

TEST(RecorderStatus, ACalibrationDateThatIsNoDateLeavesOnlyItsRowEmpty)
{
    for (const char* bytes : {"000000", "320124", "1A0124", "311124"}) {
        SCOPED_TRACE(bytes);
        const auto status = RecorderStatus::decode(
            statusResponse(5, 1, 0x08, QByteArray::fromHex(bytes), 16), MeasuringSystem::Star);
        EXPECT_TRUE(status.values[RecorderStatus::CalibrationDate].isEmpty());
        EXPECT_EQ(status.values[RecorderStatus::Recording], QStringLiteral("zatrzymana"));
        EXPECT_EQ(status.values[RecorderStatus::RecordCount], QStringLiteral("5"));
    }
}

TEST(BatteryReport, EachBitIsOneBatteryAndTheColourNeedsBoth)
{
    struct Case
    {
        quint8 state;
        const char* operating;
        const char* memory;
        BatteryReport::Colour colour;
    };
    for (const Case& c : {Case{0x60, "stan dobry", "stan dobry", BatteryReport::Colour::Good},
                          Case{0x40, "stan dobry", "stan zły", BatteryReport::Colour::Bad},
                          Case{0x20, "stan zły", "stan dobry", BatteryReport::Colour::Bad},
                          Case{0x9F, "stan zły", "stan zły", BatteryReport::Colour::Bad}}) {
        SCOPED_TRACE(c.state);
        const auto report = BatteryReport::decode(
            ResponseBytes::withData(0x0D, QByteArray(1, static_cast<char>(c.state))));
        EXPECT_EQ(report.values[BatteryReport::Operating], QString::fromUtf8(c.operating));
        EXPECT_EQ(report.values[BatteryReport::Memory], QString::fromUtf8(c.memory));
        EXPECT_EQ(report.colour, c.colour);
    }
    EXPECT_EQ(BatteryReport::prompt().values[0],
              QStringLiteral("nacisnij \"Zbadaj stan akumulatorów\""));
}
