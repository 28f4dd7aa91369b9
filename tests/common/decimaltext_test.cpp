#include "common/decimaltext.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <iomanip>
#include <random>

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

// The general text is printf's "%.15g" with a decimal comma and a short exponent, whichever way
// the value is turned into text.
TEST(DecimalText, GeneralTextIsTheFifteenDigitGeneralForm)
{
    auto reference = [](double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", value);
        QString result = QString::fromLatin1(text).replace(QLatin1Char('.'), QLatin1Char(','));
        const qsizetype e = result.indexOf(QLatin1Char('e'));
        if (e >= 0)
            result = result.left(e) + QLatin1Char('E') + QString::number(result.mid(e + 1).toInt());
        return value == 0 ? QStringLiteral("0") : result;
    };
    std::mt19937_64 random(640);
    std::uniform_int_distribution<std::int64_t> whole(-2000000000000000, 2000000000000000);
    std::uniform_int_distribution<int> decimals(0, 9);
    std::uniform_real_distribution<double> exponent(-12, 18);
    QList<double> values{0.0001,
                         0.00009999999999999999,
                         1e-4 * 0.999,
                         999999999999999.0,
                         999999999999999.9,
                         1e15,
                         123456789012345.6,
                         0.1 + 0.2,
                         230.01,
                         -0.000123,
                         5e-5,
                         1.0000005,
                         2.675,
                         1e-6};
    for (int i = 0; i < 20000; ++i) {
        values << double(whole(random)) / std::pow(10.0, decimals(random));
        values << std::pow(10.0, exponent(random)) * (i % 2 ? 1 : -1);
    }
    for (double value : values)
        ASSERT_EQ(DecimalText::general(value), reference(value)) << std::setprecision(17) << value;
}
