#include "link/framecodec.h"
#include "sim/commandframer.h"

#include <gtest/gtest.h>
#include <random>

using namespace kapstat;
using namespace kapstat::sim;

namespace {

QByteArray frame(quint8 code, const QByteArray& data = {})
{
    return link::framecodec::build(link::framecodec::payload(code, data));
}

QByteArray codesOf(const QList<CommandFrame>& frames)
{
    QByteArray codes;
    for (const CommandFrame& f : frames)
        codes.append(static_cast<char>(f.code()));
    return codes;
}

const QByteArray Status = frame(0x0B);
const QByteArray Clock = frame(0x01);

QByteArray withBadChecksum(QByteArray bytes)
{
    bytes.back() = static_cast<char>(bytes.back() ^ 0x01);
    return bytes;
}

// A configuration frame header whose 1023 data bytes hold a status command, with a wrong checksum:
// the status command inside must still be found once the candidate fails.
QByteArray statusHiddenInABrokenConfiguration()
{
    QByteArray bytes = frame(0x09, QByteArray(1023, '\0'));
    bytes.replace(10, Status.size(), Status);
    return withBadChecksum(bytes);
}

} // namespace

TEST(CommandFramer, FindsTheFramesBehindNoiseBadChecksumsAndWrongLengths)
{
    const struct
    {
        const char* name;
        QByteArray input;
        QByteArray codes;
        int rejected;
    } cases[] = {
        {"clean", Status + Clock, "\x0b\x01", 0},
        {"noise before", QByteArray::fromHex("00ff7e10") + Status, "\x0b", 0},
        {"bad checksum", withBadChecksum(Status) + Clock, "\x01", 1},
        {"wrong data length", QByteArray::fromHex("1b0b000100") + Status, "\x0b", 1},
        {"unknown code", QByteArray::fromHex("1b5500005e") + Status, "\x0b", 1},
        {"cut-off header", QByteArray::fromHex("1b0b00") + Status, "\x0b", 1},
        {"lone ESC in noise", QByteArray::fromHex("1b") + Status, "\x0b", 1},
        {"record request", frame(0x10, QByteArray::fromHex("2c0100")), "\x10", 0},
        {"hidden in a broken frame", statusHiddenInABrokenConfiguration(), "\x0b", 1},
        {"nothing but noise", QByteArray::fromHex("0001020304"), "", 0},
    };
    for (const auto& c : cases) {
        CommandFramer whole;
        EXPECT_EQ(codesOf(whole.feed(c.input)).toHex(), c.codes.toHex()) << c.name;
        EXPECT_EQ(whole.rejectedCount(), c.rejected) << c.name;

        CommandFramer byteByByte;
        QByteArray codes;
        for (const char byte : c.input)
            codes += codesOf(byteByByte.feed(QByteArrayView(&byte, 1)));
        EXPECT_EQ(codes.toHex(), c.codes.toHex()) << c.name << " fed byte by byte";
    }
}

TEST(CommandFramer, AFrameKeepsItsDataAndAnUnfinishedOneWaits)
{
    CommandFramer framer;
    const QByteArray record = frame(0x10, QByteArray::fromHex("2c0100"));
    EXPECT_TRUE(framer.feed(record.first(5)).isEmpty());
    const auto frames = framer.feed(record.sliced(5));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].bytes, record);
    EXPECT_EQ(frames[0].data().toHex(), QByteArray("2c0100"));
}

// Arbitrary bytes in arbitrary pieces, heavy in ESC and in valid-looking headers: the framer must
// survive them and still find a frame sent after them.
TEST(CommandFramer, SurvivesRandomBytesAndRecoversAfterThem)
{
    std::mt19937 random(7);
    const QByteArray alphabet = QByteArray::fromHex("1b1b1b0903ff0b00d712ff");
    for (int round = 0; round < 200; ++round) {
        QByteArray noise;
        const int length = std::uniform_int_distribution<int>(0, 3000)(random);
        for (int i = 0; i < length; ++i) {
            const bool pick = std::uniform_int_distribution<int>(0, 1)(random);
            noise.append(
                pick ? alphabet[std::uniform_int_distribution<int>(0, alphabet.size() - 1)(random)]
                     : static_cast<char>(random()));
        }
        // No header can hold back more than the longest frame, so this much silence flushes it.
        const QByteArray input = noise + QByteArray(1100, '\0') + Status;
        CommandFramer framer;
        QByteArray codes;
        for (qsizetype at = 0; at < input.size();) {
            const qsizetype piece = std::uniform_int_distribution<int>(1, 64)(random);
            codes += codesOf(
                framer.feed(QByteArrayView(input).sliced(at, qMin(piece, input.size() - at))));
            at += piece;
        }
        ASSERT_TRUE(codes.endsWith('\x0b')) << "round " << round;
    }
}
