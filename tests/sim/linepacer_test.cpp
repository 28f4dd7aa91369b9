#include "sim/linepacer.h"

#include <gtest/gtest.h>

using namespace kapstat::sim;

namespace {

constexpr qint64 Ms = 1'000'000;
constexpr qint64 ByteNs = 520833; // ten bit times at 19 200 baud

// A writer woken exactly when the next byte has crossed, as the emulator's timer wakes it:
// returns when the last of the bytes was handed over.
qint64 sendPaced(LinePacer& pacer, int bytes, qint64 start)
{
    pacer.carry(bytes, start);
    qint64 now = start;
    while (bytes > 0) {
        bytes -= pacer.crossed(bytes, now);
        if (bytes > 0)
            now = pacer.crossingNs(bytes);
    }
    return now;
}

} // namespace

TEST(LinePacer, AByteHasCrossedOnlyWhenItsStopBitHas)
{
    LinePacer pacer(19200);
    ASSERT_EQ(pacer.byteNs(), ByteNs);
    EXPECT_EQ(pacer.carry(8, 0), 8 * ByteNs); // one record request
    EXPECT_EQ(pacer.crossingNs(8), ByteNs);
    EXPECT_EQ(pacer.crossingNs(1), 8 * ByteNs);
    const struct
    {
        qint64 now;
        int crossed;
    } cases[] = {
        {0, 0},          {ByteNs - 1, 0}, {ByteNs, 1}, {3 * ByteNs + 7, 3}, {8 * ByteNs - 1, 7},
        {8 * ByteNs, 8}, {60'000 * Ms, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(pacer.crossed(8, c.now), c.crossed) << "at " << c.now << " ns";
    // Of the last three bytes only, the first has crossed at its own time.
    EXPECT_EQ(pacer.crossed(3, 6 * ByteNs), 1);
}

// The recorder answers only after the request is in; an answer put on the line while it still
// carries earlier bytes waits behind them.
TEST(LinePacer, BytesQueueBehindWhatTheLineStillCarries)
{
    LinePacer pacer(19200);
    pacer.carry(8, 0);
    EXPECT_EQ(pacer.carry(20, 1 * Ms), 28 * ByteNs);
}

TEST(LinePacer, AnIdleLineBanksNoTime)
{
    LinePacer pacer(19200);
    pacer.carry(10, 0);
    const qint64 later = 60'000 * Ms;
    EXPECT_EQ(pacer.crossed(5, later), 5);
    EXPECT_EQ(pacer.carry(5, later), later + 5 * ByteNs);
    EXPECT_EQ(pacer.crossed(5, later), 0);
}

TEST(LinePacer, APacedWriterTakesExactlyTheLineTime)
{
    LinePacer pacer(19200);
    // 1920 bytes are one second at 19200 baud, 8N1 (less the rounding of a byte's time).
    EXPECT_EQ(sendPaced(pacer, 1920, 5 * Ms) - 5 * Ms, 1920 * ByteNs);
}
