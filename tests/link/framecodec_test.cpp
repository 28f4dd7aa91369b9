#include "link/commandtable.h"
#include "link/framecodec.h"

#include <gtest/gtest.h>

using namespace kapstat::link;

namespace {
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}
} // namespace

TEST(FrameCodec, FramesCarryEscAndTheXorOfEveryByte)
{
    const struct
    {
        const char* payload;
        const char* frame;
    } cases[] = {
        {"010000", "1b0100001a"},
        {"0b0000", "1b0b000010"},
        {"10000301 0000", "1b10000301000009"},
        {"0e0000", "1b0e000015"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(framecodec::build(hex(c.payload)).toHex(), hex(c.frame).toHex());
        EXPECT_TRUE(framecodec::hasValidChecksum(hex(c.frame)));
    }
    EXPECT_FALSE(framecodec::hasValidChecksum(hex("1b0100001b")));
    EXPECT_FALSE(framecodec::hasValidChecksum(hex("1b")));
}

TEST(FrameCodec, PayloadPutsTheLengthHighByteFirstAndDataAsGiven)
{
    EXPECT_EQ(framecodec::payload(Command::ReadClock).toHex(), QByteArray("010000"));
    EXPECT_EQ(framecodec::payload(Command::ReadRecord, hex("2c0100")).toHex(),
              QByteArray("1000032c0100"));
    EXPECT_EQ(framecodec::payload(Command::ReadEvent, hex("2c01")).toHex(),
              QByteArray("0c00022c01"));
    EXPECT_EQ(framecodec::payload(Command::WriteConfiguration, QByteArray(1023, 0)).left(3).toHex(),
              QByteArray("0903ff"));
}

TEST(CommandTable, ResponseLengthsAndTimeouts)
{
    CommandTable table;
    const struct
    {
        quint8 code;
        int length;
        int timeout;
    } cases[] = {{Command::ReadClock, 11, 1121},      {Command::SetClock, 5, 1109},
                 {Command::ReadStatus, 43, 1182},     {Command::ReadConfiguration, 1028, 3073},
                 {Command::InstantFrame, 4558, 9851}, {Command::ReadCalibration, 316, 1706},
                 {Command::ReadCounters, 227, 1535},  {Command::TestBatteries, 6, 1111}};
    for (const auto& c : cases) {
        EXPECT_EQ(table.responseLength(c.code), c.length) << int(c.code);
        EXPECT_EQ(CommandTable::responseTimeoutMs(c.length), c.timeout) << int(c.code);
    }
    EXPECT_FALSE(table.responseLength(0x02));
    EXPECT_FALSE(table.responseLength(Command::ReadRecord)) << "computed lengths start unset";
    table.setComputedLength(Command::ReadRecord, 20);
    table.setComputedLength(Command::ReadEvent, 235);
    EXPECT_EQ(table.responseLength(Command::ReadRecord), 20);
    EXPECT_EQ(table.responseLength(Command::ReadEvent), 235);
}
