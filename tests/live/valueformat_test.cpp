#include "live/valueformat.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kapstat::live;

TEST(ValueFormat, ThreeDigitsWithPrefix)
{
    struct Case
    {
        double x;
        const char* value;
        const char* prefix;
    };
    const Case cases[] = {
        {230.46, "  230", ""},  {1234.5, " 1,23", "k"},    {0.0512, " 51,2", "m"},
        {12340, " 12,3", "k"},  {-230, "- 230", ""},       {0, "    0", ""},
        {1.0e15, " 0", "BLAD"}, {-1.0e-16, "-0", "BLAD"},  {999.6, " 1,00", "k"},
        {0.5, "  500", "m"},    {2.5e-12, " 2,50", "p"},   {9.99e11, "  999", "G"},
        {4.2e12, " 4,20", "T"}, {-0.000123, "- 123", "u"}, {50, " 50,0", ""},
    };
    for (const Case& c : cases) {
        const PrefixedValue v = formatWithPrefix(c.x, 3);
        EXPECT_EQ(v.value, QLatin1String(c.value)) << c.x;
        EXPECT_EQ(v.prefix, QLatin1String(c.prefix)) << c.x;
    }
}

TEST(ValueFormat, SevenDigitEnergies)
{
    struct Case
    {
        double x;
        const char* value;
        const char* prefix;
    };
    const Case cases[] = {
        {123456.7, "123,4567", "k"}, {0, "0,000000", ""},      {1234567, "1,234567", "M"},
        {12.5, "12,50000", ""},      {-12.5, "12,50000", ""},  {1.0e30, "0", "BLAD"},
        {999.9999, "999,9999", ""},  {5.0e9, "5,000000", "G"},
    };
    for (const Case& c : cases) {
        const PrefixedValue v = formatWithPrefix(c.x, 7);
        EXPECT_EQ(v.value, QLatin1String(c.value)) << c.x;
        EXPECT_EQ(v.prefix, QLatin1String(c.prefix)) << c.x;
    }
}

TEST(ValueFormat, RatiosAndPercentages)
{
    EXPECT_EQ(formatRatio(-0.5), QStringLiteral("-0,50"));
    EXPECT_EQ(formatRatio(0.987), QStringLiteral(" 0,99"));
    EXPECT_EQ(formatRatio(-0.001), QStringLiteral(" 0,00"));
    struct Case
    {
        double x;
        const char* text;
    };
    const Case cases[] = {{5.123, " 5,12"},   {12.34, " 12,3"}, {100, " 100"},
                          {123.4, " 123,40"}, {-100, "-100"},   {-5.5, "-5,50"},
                          {10, " 10,0"},      {0, " 0,00"},     {99.94, " 99,9"}};
    for (const Case& c : cases)
        EXPECT_EQ(formatPercent(c.x), QLatin1String(c.text)) << c.x;
}
