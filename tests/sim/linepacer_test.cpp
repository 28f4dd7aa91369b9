#include "sim/linepacer.h"

#include <gtest/gtest.h>

using namespace kapstat::sim;

namespace {

constexpr qint64 Ms = 1'000'000;

// A writer driven by a coarse millisecond timer, as the event loop drives it: returns when the
// last of the bytes was handed over.
qint64 sendPaced(LinePacer& pacer, int bytes, qint64 start)
{
    qint64 now = start;
    while (bytes > 0) {
        const int count = qMin(pacer.allowance(now), bytes);
        pacer.sent(count, now);
        bytes -= count;
        if (bytes > 0)
            now += qMax<qint64>(Ms, (pacer.waitNs(now) + Ms - 1) / Ms * Ms);
    }
    return now;
}

} // namespace

TEST(LinePacer, KeepsTheLineRateWithinTwoPercentDespiteACoarseTimer)
{
    LinePacer pacer(19200);
    EXPECT_EQ(pacer.byteNs(), 520833);
    // 1920 bytes are one second at 19200 baud, 8N1.
    const qint64 took = sendPaced(pacer, 1920, 0);
    EXPECT_NEAR(static_cast<double>(took), 1000.0 * Ms, 20.0 * Ms);
}

TEST(LinePacer, AnIdleLineBanksNoTime)
{
    LinePacer pacer(19200);
    pacer.sent(10, 0);
    const qint64 later = 60'000 * Ms;
    EXPECT_LE(pacer.allowance(later), 5);
    const qint64 took = sendPaced(pacer, 960, later) - later;
    EXPECT_NEAR(static_cast<double>(took), 500.0 * Ms, 10.0 * Ms);
}
