#include "common/datetimetext.h"

#include <gtest/gtest.h>

using kapstat::common::DateTimeText;

TEST(DateTimeText, FormatsAndParsesTheFixedFormats)
{
    const QDateTime moment(QDate(2009, 12, 24), QTime(7, 5, 3));
    EXPECT_EQ(DateTimeText::date(moment.date()), QStringLiteral("2009-12-24"));
    EXPECT_EQ(DateTimeText::time(moment.time()), QStringLiteral("07:05:03"));
    EXPECT_EQ(DateTimeText::dateTime(moment), QStringLiteral("2009-12-24 07:05:03"));
    EXPECT_EQ(DateTimeText::parseDateTime(QStringLiteral("2009-12-24 07:05:03")), moment);
    EXPECT_FALSE(DateTimeText::parseDate(QStringLiteral("24.12.2009")).isValid());
    EXPECT_FALSE(DateTimeText::parseTime(QStringLiteral("25:00:00")).isValid());
}
