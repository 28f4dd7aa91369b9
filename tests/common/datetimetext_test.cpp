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

TEST(DateTimeTextTest, ReadsTheStoredFormOnlyWhenEveryPartIsRight)
{
    using kapstat::common::DateTimeText;
    struct Case
    {
        const char* text;
        QDateTime expected;
    };
    const Case cases[] = {
        {"2026-12-10 13:57:31", QDateTime(QDate(2026, 12, 10), QTime(13, 57, 31))},
        {" 2026-12-10 13:57:31 ", QDateTime(QDate(2026, 12, 10), QTime(13, 57, 31))},
        {"2026-02-30 00:00:00", QDateTime()},
        {"2026-12-10 24:00:00", QDateTime()},
        {"2026-12-10T13:57:31", QDateTime()},
        {"2026-1x-10 13:57:31", QDateTime()},
        {"2026-12-10", QDateTime()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateTimeText::parseDateTime(QString::fromLatin1(c.text)), c.expected) << c.text;
}
