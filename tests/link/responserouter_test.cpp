#include "link/responserouter.h"

#include <gtest/gtest.h>

using namespace kapstat::link;

TEST(ResponseRouter, RunsGeneralRowsFirstThenByOperationThenByStep)
{
    ResponseRouter router;
    QStringList trace;
    router.on(0x07, OperationName::Kalibracja, 2,
              [&](const ResponseBytes&, const Operation&) { trace << "op+step"; });
    router.onStep(0x07, 2, [&](const ResponseBytes&, const Operation&) { trace << "step"; });
    router.on(0x07, OperationName::Kalibracja,
              [&](const ResponseBytes&, const Operation&) { trace << "op"; });
    router.onCode(0x07, [&](const ResponseBytes&, const Operation&) { trace << "any"; });
    router.on(0x07, OperationName::Chwila,
              [&](const ResponseBytes&, const Operation&) { trace << "other op"; });

    const ResponseBytes frame = ResponseBytes::withData(0x07, {});
    EXPECT_TRUE(router.dispatch(frame, {OperationName::Kalibracja, 2}));
    EXPECT_EQ(trace, (QStringList{"any", "step", "op", "op+step"}));

    trace.clear();
    router.dispatch(frame, {OperationName::Kalibracja, 1});
    EXPECT_EQ(trace, (QStringList{"any", "op"}));
    EXPECT_FALSE(
        router.dispatch(ResponseBytes::withData(0x55, {}), {OperationName::Kalibracja, 1}));
}

TEST(ResponseRouter, AStopKeepsTheMoreSpecificRowsFromRunning)
{
    ResponseRouter router;
    QStringList trace;
    router.onCode(0x0A, [&](const ResponseBytes&, const Operation&) {
        trace << "decode";
        return RouteFlow::Stop;
    });
    router.on(0x0A, OperationName::Stan,
              [&](const ResponseBytes&, const Operation&) { trace << "stan"; });
    router.dispatch(ResponseBytes::withData(0x0A, {}), {OperationName::Stan, 4});
    EXPECT_EQ(trace, QStringList{"decode"});
}

TEST(ResponseRouter, FinishRunsTheWrapUpsOfTheOperation)
{
    ResponseRouter router;
    QStringList trace;
    router.onFinish(OperationName::Konfiguracja, 1,
                    [&](const Operation&) { trace << "read failed"; });
    router.onFinish(OperationName::Konfiguracja, 3,
                    [&](const Operation&) { trace << "close editor"; });
    router.onFinish(OperationName::Rekordy, [&](const Operation&) { trace << "close message"; });
    router.finish({OperationName::Konfiguracja, 3});
    router.finish({OperationName::Rekordy, 7});
    router.finish({OperationName::Stan, 1});
    EXPECT_EQ(trace, (QStringList{"close editor", "close message"}));
}
