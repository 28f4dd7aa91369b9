#include "common/remainingtime.h"

#include <gtest/gtest.h>

using kapstat::common::remainingTimeText;

TEST(RemainingTime, ExtrapolatesThePaceKeptSoFar)
{
    EXPECT_EQ(remainingTimeText(10000, 100, 300), QStringLiteral("pozostało około 20 s"));
    EXPECT_EQ(remainingTimeText(60000, 10, 50), QStringLiteral("pozostało około 4 min 0 s"));
    EXPECT_EQ(remainingTimeText(1001, 1, 2), QStringLiteral("pozostało około 2 s")) << "rounded up";
    for (const auto& [elapsed, done, total] :
         {std::tuple{0LL, 5, 10}, {500LL, 0, 10}, {500LL, 10, 10}})
        EXPECT_TRUE(remainingTimeText(elapsed, done, total).isEmpty());
}
