#include "link/commandtable.h"
#include "link/framecodec.h"
#include "sim/faultinjector.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::sim;

namespace {

const QByteArray Response =
    link::framecodec::build(link::framecodec::payload(0x0B, QByteArray(38, '\x42')));

QByteArray joined(const Delivery& delivery)
{
    QByteArray bytes;
    for (const Chunk& chunk : delivery)
        bytes += chunk.bytes;
    return bytes;
}

QList<Delivery> plans(FaultRates rates, quint32 seed, int count = 300)
{
    FaultInjector injector(rates, seed);
    QList<Delivery> result;
    for (int i = 0; i < count; ++i)
        result.append(injector.plan(Response));
    return result;
}

FaultRates allAt(double rate)
{
    return {rate, rate, rate, rate, rate};
}

} // namespace

TEST(FaultInjector, TheSameSeedGivesTheSameFaultsAndAnotherSeedOthers)
{
    EXPECT_EQ(plans(allAt(0.5), 42), plans(allAt(0.5), 42));
    EXPECT_NE(plans(allAt(0.5), 42), plans(allAt(0.5), 43));
}

TEST(FaultInjector, WithoutFaultsTheResponseGoesOutWholeAndAtOnce)
{
    for (const Delivery& delivery : plans({}, 1, 20))
        EXPECT_EQ(delivery, Delivery({{0, Response}}));
}

// Each fault at rate 1, alone: what reaches the line shows exactly that fault.
TEST(FaultInjector, EachFaultHasItsOwnEffect)
{
    const int timeout = link::CommandTable::responseTimeoutMs(Response.size());
    const struct
    {
        const char* name;
        FaultRates rates;
        std::function<void(const Delivery&)> check;
    } cases[] = {
        {"drop", {.drop = 1}, [](const Delivery& d) { EXPECT_TRUE(d.isEmpty()); }},
        {"corrupt",
         {.corrupt = 1},
         [](const Delivery& d) {
             ASSERT_EQ(d.size(), 1);
             const QByteArray bytes = d[0].bytes;
             ASSERT_EQ(bytes.size(), Response.size());
             int differing = 0;
             for (qsizetype i = 0; i < bytes.size(); ++i)
                 differing += bytes[i] != Response[i];
             EXPECT_EQ(differing, 1);
             EXPECT_FALSE(link::framecodec::hasValidChecksum(bytes));
         }},
        {"split",
         {.split = 1},
         [](const Delivery& d) {
             EXPECT_EQ(joined(d), Response);
             EXPECT_EQ(d[0].delayMs, 0);
             for (const Chunk& chunk : d) {
                 EXPECT_FALSE(chunk.bytes.isEmpty());
                 EXPECT_GE(chunk.delayMs, 0);
                 EXPECT_LE(chunk.delayMs, FaultInjector::MaximumGapMs);
             }
         }},
        {"delay",
         {.delay = 1},
         [timeout](const Delivery& d) {
             ASSERT_EQ(d.size(), 1);
             EXPECT_EQ(d[0].bytes, Response);
             EXPECT_GE(d[0].delayMs, timeout + FaultInjector::MinimumLatenessMs);
             EXPECT_LE(d[0].delayMs, timeout + FaultInjector::MaximumLatenessMs);
         }},
        {"stray",
         {.stray = 1},
         [](const Delivery& d) {
             ASSERT_EQ(d.size(), 1);
             const qsizetype extra = d[0].bytes.size() - Response.size();
             EXPECT_GE(extra, 1);
             EXPECT_LE(extra, FaultInjector::MaximumStrayBytes);
             EXPECT_TRUE(d[0].bytes.endsWith(Response));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Delivery& delivery : plans(c.rates, 5, 50))
            c.check(delivery);
    }
}

TEST(FaultInjector, SplittingReachesSingleBytesAndSeveralPieces)
{
    int singleBytes = 0;
    int severalPieces = 0;
    for (const Delivery& delivery : plans({.split = 1}, 3)) {
        severalPieces += delivery.size() > 1;
        for (const Chunk& chunk : delivery)
            singleBytes += chunk.bytes.size() == 1;
    }
    EXPECT_GT(singleBytes, 0);
    EXPECT_GT(severalPieces, 150);
}

TEST(FaultInjector, RatesAreSharesAndFaultsDoNotDisturbEachOther)
{
    const QList<Delivery> dropsOnly = plans({.drop = 0.3}, 9, 2000);
    const auto dropped = std::count_if(dropsOnly.begin(), dropsOnly.end(),
                                       [](const Delivery& d) { return d.isEmpty(); });
    EXPECT_NEAR(dropped / 2000.0, 0.3, 0.04);

    // Switching splitting and delays on changes how a response goes, not whether it is dropped.
    const QList<Delivery> mixed = plans({.drop = 0.3, .split = 0.5, .delay = 0.5}, 9, 2000);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(mixed[i].isEmpty(), dropsOnly[i].isEmpty()) << "response " << i;
}
