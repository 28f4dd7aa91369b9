#include "calib/calibrationblock.h"
#include "download/recordlayout.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "sim/recorderemulator.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::sim;
using link::ResponseBytes;
namespace numbers = link::numbers;

namespace {

QDateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

class RecorderEmulatorTest : public ::testing::Test
{
protected:
    QList<QByteArray> send(quint8 code, const QByteArray& data = {})
    {
        return emulator.receive(link::framecodec::build(link::framecodec::payload(code, data)));
    }
    // The one response the command must get.
    ResponseBytes ask(quint8 code, const QByteArray& data = {})
    {
        const QList<QByteArray> responses = send(code, data);
        EXPECT_EQ(responses.size(), 1) << "code " << int(code);
        return responses.isEmpty() ? ResponseBytes() : ResponseBytes(responses[0]);
    }
    ResponseBytes askRecord(int n)
    {
        return ask(link::Command::ReadRecord, numbers::encodeSigned16(n) + '\0');
    }

    QDateTime hostNow = at(2024, 5, 10, 12, 0, 0);
    RecorderEmulator emulator{RecorderState{}, [this] { return hostNow; }};
};

} // namespace

TEST_F(RecorderEmulatorTest, EveryAnsweredCodeGetsAWellFormedResponseOfTheTableLength)
{
    using namespace link::Command;
    emulator.state().recordCount = 1;
    emulator.state().eventCount = 1;
    // Every byte 01h: a delta system (two phases) with many quantities selected.
    const QByteArray image(1023, '\x01');
    const struct
    {
        quint8 code;
        QByteArray data;
    } commands[] = {
        {SetClock, numbers::encodeBcdDateTime(hostNow)},
        {ReadClock, {}},
        {WriteConfiguration, image},
        {ReadConfiguration, {}},
        {ReadStatus, {}},
        {TestBatteries, {}},
        {ReadRecord, QByteArray::fromHex("010000")},
        {ReadEvent, QByteArray::fromHex("0100")},
        {SetRange, QByteArray::fromHex("09")},
        {WriteCalibration,
         calib::calibrationblock::encode(calib::CalibrationSet{}, QDate(2024, 1, 2)).data},
        {ReadCalibration, {}},
        {StoreCalibration, {}},
        {ClearMemory, {}},
        {InstantFrame, {}},
        {ReadCounters, {}},
    };
    link::CommandTable table;
    table.setComputedLength(ReadRecord, download::RecordLayout::fromConfigurationResponse(
                                            ResponseBytes::withData(0x0A, image), 2)
                                            .length);
    table.setComputedLength(ReadEvent, 445);
    for (const auto& c : commands) {
        const ResponseBytes response = ask(c.code, c.data);
        SCOPED_TRACE(testing::Message() << "code " << int(c.code));
        EXPECT_EQ(response.size(), table.responseLength(c.code));
        EXPECT_EQ(response.at(1), 0x1B);
        EXPECT_EQ(response.code(), c.code);
        EXPECT_EQ(response.at(3) << 8 | response.at(4), response.size() - 5);
        EXPECT_TRUE(link::framecodec::hasValidChecksum(response.frame()));
    }
}

TEST_F(RecorderEmulatorTest, RequestsForWhatItDoesNotHoldAreCountedButNotAnswered)
{
    using namespace link::Command;
    for (const auto& [code, data] :
         {std::pair<quint8, QByteArray>{ReadRecord, QByteArray::fromHex("010000")},
          {ReadEvent, QByteArray::fromHex("0100")}}) {
        EXPECT_TRUE(send(code, data).isEmpty()) << int(code);
        EXPECT_EQ(emulator.commandCount(code), 1) << int(code);
    }
}

TEST_F(RecorderEmulatorTest, CountsEveryCommandSoReSendsShow)
{
    const QByteArray status =
        link::framecodec::build(link::framecodec::payload(link::Command::ReadStatus));
    EXPECT_EQ(
        emulator.receive(QByteArray(status + status + QByteArray::fromHex("1b0b000011") + status))
            .size(),
        3);
    EXPECT_EQ(emulator.commandCount(link::Command::ReadStatus), 3);
    EXPECT_EQ(emulator.rejectedFrameCount(), 1);
    EXPECT_EQ(emulator.totalCommandCount(), 3);
}

TEST_F(RecorderEmulatorTest, TheClockReadsWhatWasSetAndRunsOnWithTheHost)
{
    const QDateTime set = at(2009, 12, 24, 12, 45, 30);
    ask(link::Command::SetClock, numbers::encodeBcdDateTime(set));
    EXPECT_EQ(numbers::decodeBcdDateTime(ask(link::Command::ReadClock), 5).value, set);

    hostNow = hostNow.addSecs(90);
    EXPECT_EQ(numbers::decodeBcdDateTime(ask(link::Command::ReadClock), 5).value, set.addSecs(90));
}

TEST_F(RecorderEmulatorTest, AClockSettingThatIsNoDateIsNeitherTakenNorAcknowledged)
{
    const QByteArray before = ask(link::Command::ReadClock).bytes(5, 6);
    EXPECT_TRUE(send(link::Command::SetClock, QByteArray::fromHex("304512241309")).isEmpty());
    EXPECT_EQ(ask(link::Command::ReadClock).bytes(5, 6), before);
}

TEST_F(RecorderEmulatorTest, StatusCarriesCountsFlagsDatesMemoryAndSerialNumber)
{
    RecorderState& state = emulator.state();
    state.recordCount = 0x123456;
    state.eventCount = 403;
    state.mainsMissing = true;
    state.recordingStopped = true;
    state.stationIndex = 3;
    state.totalMemoryUnits = 0x10;
    state.fixedLengthRecords = RecordStore(100, 1);
    state.serialNumber = "KAP-640 nr 4711";

    const ResponseBytes status = ask(link::Command::ReadStatus);
    EXPECT_EQ(numbers::decodeUnsigned(status, 5, 3), 0x123456);
    EXPECT_EQ(numbers::decodeUnsigned(status, 8, 2), 403);
    EXPECT_EQ(status.at(10), 0x8B);
    // 1193046 records of 100 bytes do not fit 8192 kB: the memory shows full.
    EXPECT_EQ(status.at(11), 100);
    EXPECT_EQ(numbers::decodeBcdDate3(status, 12), QDate(2024, 3, 15));
    EXPECT_EQ(status.at(15), 0x10);
    EXPECT_EQ(status.bytes(16, 27), QByteArray("KAP-640 nr 4711").leftJustified(27, ' '));

    state.recordCount = 41943; // half of 8192 kB in 100-byte records, rounded up
    EXPECT_EQ(ask(link::Command::ReadStatus).at(11), 50);
}

TEST_F(RecorderEmulatorTest, BatteryByteShowsEachBattery)
{
    const struct
    {
        bool operating;
        bool memory;
        quint8 byte;
    } cases[] = {
        {true, true, 0x60}, {true, false, 0x40}, {false, true, 0x20}, {false, false, 0x00}};
    for (const auto& c : cases) {
        emulator.state().operatingBatteryGood = c.operating;
        emulator.state().memoryBatteryGood = c.memory;
        EXPECT_EQ(ask(link::Command::TestBatteries).at(5), c.byte);
    }
}

TEST_F(RecorderEmulatorTest, EmptyingTheMemoryClearsTheCountsAndTheRecords)
{
    emulator.state().recordCount = 20;
    emulator.state().eventCount = 7;
    ask(link::Command::ClearMemory);
    const ResponseBytes status = ask(link::Command::ReadStatus);
    EXPECT_EQ(numbers::decodeUnsigned(status, 5, 3), 0);
    EXPECT_EQ(numbers::decodeUnsigned(status, 8, 2), 0);
    EXPECT_EQ(status.at(11), 0);
    EXPECT_TRUE(send(link::Command::ReadRecord, QByteArray::fromHex("010000")).isEmpty());
}

TEST_F(RecorderEmulatorTest, FactoryCalibrationIsPlausibleAndItsScalesMatchItsGains)
{
    calib::CalibrationSet set;
    calib::RangeScale scale;
    calib::calibrationblock::decode(ask(link::Command::ReadCalibration), set, scale);
    EXPECT_EQ(set.lastCalibration, QDate(2024, 3, 15));
    EXPECT_NEAR(set.coefficient(0, 0), 0.5, 1e-9);
    for (int channel = 0; channel < calib::ChannelCount; ++channel) {
        for (int slot = 0; slot < calib::RangeSlotCount; ++slot) {
            if (!calib::calibrationblock::hasSlot(channel, slot))
                continue;
            SCOPED_TRACE(testing::Message() << "channel " << channel << " slot " << slot);
            EXPECT_GE(set.gainMantissa[channel][slot], 10000);
            EXPECT_LE(std::abs(set.dcOffset[channel][slot]), 10);
            EXPECT_DOUBLE_EQ(scale.at(channel, slot), set.coefficient(channel, slot));
        }
    }
}

TEST_F(RecorderEmulatorTest, WrittenCalibrationIsReadBackWithItsDateAndNewScales)
{
    calib::CalibrationSet written;
    calib::RangeScale unused;
    calib::calibrationblock::decode(ask(link::Command::ReadCalibration), written, unused);
    written.generatorCorrection = -5;
    written.dcOffset[4][7] = -127;
    written.gainMantissa[1][2] = 99999;
    written.gainExponent[1][2] = -9;
    written.lastCalibration = QDate(2025, 6, 30);
    ask(link::Command::WriteCalibration,
        calib::calibrationblock::encode(written, written.lastCalibration).data);
    ask(link::Command::StoreCalibration);

    calib::CalibrationSet read;
    calib::RangeScale scale;
    const ResponseBytes block = ask(link::Command::ReadCalibration);
    calib::calibrationblock::decode(block, read, scale);
    EXPECT_EQ(read, written);
    EXPECT_DOUBLE_EQ(scale.at(1, 2), 99999e-9);
    EXPECT_EQ(numbers::decodeBcdDate3(ask(link::Command::ReadStatus), 12), QDate(2025, 6, 30));
}

TEST_F(RecorderEmulatorTest, ConfigurationImageRoundTripsAndKeepsItsLength)
{
    QByteArray image(1023, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 31);
    ask(link::Command::WriteConfiguration, image);
    EXPECT_EQ(ask(link::Command::ReadConfiguration).bytes(5, 1023), image);

    emulator.setConfigurationImage("\x05\x06");
    const ResponseBytes shortImage = ask(link::Command::ReadConfiguration);
    EXPECT_EQ(shortImage.size(), link::ResponseLength::Configuration);
    EXPECT_EQ(shortImage.bytes(5, 3), QByteArray("\x05\x06\x00", 3));
}

TEST_F(RecorderEmulatorTest, RangeSettingIsStored)
{
    ask(link::Command::SetRange, QByteArray::fromHex("1b"));
    EXPECT_EQ(emulator.state().rangeSetting, 0x1B);
}

TEST_F(RecorderEmulatorTest, RecordsCarryStationTimeAndConditionAndExistOnlyInRange)
{
    emulator.state().recordCount = 300;
    emulator.state().fixedLengthRecords = RecordStore(40, 3);
    const QDateTime first = at(2020, 1, 1, 0, 0, 0);
    const struct
    {
        int n;
        int station;
        QDateTime time;
        quint8 condition;
    } cases[] = {
        {1, 0, first, 0},
        {2, 0, first.addSecs(600), 0},
        {100, 0, first.addSecs(99 * 600), 1},
        {101, 1, first.addSecs(100 * 600), 0},
        {300, 2, first.addSecs(299 * 600), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "record " << c.n);
        const ResponseBytes record = askRecord(c.n);
        EXPECT_EQ(record.size(), 40);
        EXPECT_EQ(record.at(5), c.station);
        EXPECT_EQ(numbers::decodeBcdDateTime(record, 6).value, c.time);
        EXPECT_EQ(record.at(12), c.condition);
    }
    EXPECT_EQ(askRecord(7).frame(), askRecord(7).frame());
    EXPECT_NE(askRecord(7).bytes(13, 27), askRecord(8).bytes(13, 27));
    for (const int outside : {0, 301, 0xFFFFFF})
        EXPECT_TRUE(send(link::Command::ReadRecord,
                         (numbers::encodeSigned16(outside & 0xFFFF) + char(outside >> 16)))
                        .isEmpty())
            << outside;
}

TEST(RecordStore, TimeStampsStayDistinctUpToTheLastRecordTheOptionsAllow)
{
    const int last = RecordStore::maximumRecords();
    EXPECT_GT(last, 1'000'000);
    EXPECT_EQ(RecordStore::timestamp(last).date().year(), 2099);
    EXPECT_LT(RecordStore::timestamp(last - 1), RecordStore::timestamp(last));
}

TEST_F(RecorderEmulatorTest, StoringTheCalibrationCommitsWhat0x12Wrote)
{
    calib::CalibrationSet set = emulator.state().calibration.coefficients();
    set.dcOffset[3][5] = 17;
    const QByteArray block = calib::calibrationblock::encode(set, QDate(2024, 5, 10)).data;
    ask(link::Command::WriteCalibration, block);
    EXPECT_EQ(ask(link::Command::ReadCalibration).bytes(5, block.size()), block);
    EXPECT_NE(emulator.state().eepromCalibration.responseData().left(block.size()), block);
    ask(link::Command::StoreCalibration);
    EXPECT_EQ(emulator.state().eepromCalibration.responseData().left(block.size()), block);
}
