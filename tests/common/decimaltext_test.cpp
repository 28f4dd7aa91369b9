#include "common/decimaltext.h"

#include <QLocale>
#include <gtest/gtest.h>

using kapstat::common::DecimalText;

TEST(DecimalText, GeneralTextIsShortestWithDecimalComma)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {{1, "1"},           {0.5, "0,5"},    {-2, "-2"},
                 {57.7, "57,7"},     {0, "0"},        {-0.0, "0"},
                 {0.1 + 0.2, "0,3"}, {1e-7, "1E-7"},  {123456.789, "123456,789"},
                 {2.5e20, "2,5E20"}, {-12.3, "-12,3"}};
    for (const auto& c : cases)
        EXPECT_EQ(DecimalText::general(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(DecimalText, FixedTextKeepsTheDecimalsAndNeverShowsMinusZero)
{
    EXPECT_EQ(DecimalText::fixed(1, 2), QStringLiteral("1,00"));
    EXPECT_EQ(DecimalText::fixed(-0.001, 2), QStringLiteral("0,00"));
    EXPECT_EQ(DecimalText::fixed(-1.256, 1), QStringLiteral("-1,3"));
    EXPECT_EQ(DecimalText::fixed(5, 0), QStringLiteral("5"));
}

TEST(DecimalText, ParsesOnlyDecimalCommaNumbers)
{
    EXPECT_EQ(DecimalText::parse(u"57,7"), 57.7);
    EXPECT_EQ(DecimalText::parse(u" -1 "), -1.0);
    EXPECT_EQ(DecimalText::parse(u"1,5E-3"), 0.0015);
    for (const char16_t* bad :
         {u"", u"  ", u"57.7", u"abc", u"1,2,3", u"nan", u"inf", u"1e999", u"12 3"})
        EXPECT_FALSE(DecimalText::parse(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(DecimalText, IgnoresTheSystemLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English));
    EXPECT_EQ(DecimalText::general(0.5), QStringLiteral("0,5"));
    EXPECT_EQ(DecimalText::parse(u"0,5"), 0.5);
    QLocale::setDefault(saved);
}
