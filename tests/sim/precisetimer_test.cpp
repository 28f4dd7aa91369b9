#include "sim/precisetimer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <gtest/gtest.h>

using kapstat::sim::PreciseTimer;

// The emulator paces the line on these deadlines: a byte handed over early would make the line
// look faster than it is, so neither kind of timer may fire before its deadline.
TEST(PreciseTimer, FiresOnceAndNeverBeforeItsDeadline)
{
    PreciseTimer timer;
    for (const bool sharp : {false, true}) {
        QList<qint64> fired;
        QObject::connect(&timer, &PreciseTimer::timeout, &timer,
                         [&] { fired << PreciseTimer::nowNs(); });
        const qint64 deadline = PreciseTimer::nowNs() + 3'000'000;
        sharp ? timer.startSharpAt(deadline) : timer.startAt(deadline);
        EXPECT_TRUE(timer.isActive());
        QDeadlineTimer enough(200);
        while (!enough.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        ASSERT_EQ(fired.size(), 1) << (sharp ? "sharp" : "plain");
        EXPECT_GE(fired.first(), deadline) << (sharp ? "sharp" : "plain");
        EXPECT_FALSE(timer.isActive());
        timer.disconnect();
    }
}
