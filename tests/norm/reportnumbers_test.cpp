#include "norm/reportnumbers.h"

#include <gtest/gtest.h>

using kapstat::norm::ReportNumbers;

namespace {

struct Case
{
    double value;
    const char* text;
};

} // namespace

TEST(ReportNumbersTest, WritesPictures)
{
    struct PictureCase
    {
        double value;
        const char* picture;
        const char* text;
    };
    const PictureCase cases[] = {
        {15000, "0.0", "15000,0"}, {0.05, "0.00", "0,05"},   {5, "000", "005"},
        {-5, "000", "-005"},       {12.35, "00.0", "12,4"},  {2.5, "###0.0", "2,5"},
        {0, "###0.0", "0,0"},      {-0.001, "0.00", "0,00"}, {123.456, "###0.0", "123,5"}};
    for (const PictureCase& c : cases)
        EXPECT_EQ(ReportNumbers::pictured(c.value, QString::fromLatin1(c.picture)),
                  QString::fromUtf8(c.text))
            << c.value << " " << c.picture;
}

TEST(ReportNumbersTest, WritesDeviationsFiveWide)
{
    const Case cases[] = {{-12.345, "-12,3"}, {-5.5, "-5,50"},   {0, " 0,00"},    {20, " 20,0"},
                          {130.4, "  130"},   {-130.4, " -130"}, {9.994, " 9,99"}};
    for (const Case& c : cases)
        EXPECT_EQ(ReportNumbers::deviation(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(ReportNumbersTest, WritesAmplitudesInEngineeringForm)
{
    const Case cases[] = {{650, "  650"},      {1234, " 1,23k"},     {0, "    0"},
                          {-650, "- 650"},     {6.5, " 6,50"},       {65, " 65,0"},
                          {0.065, " 65,0m"},   {999999, "  999k"},   {1e6, " 1,00M"},
                          {1.5e-12, " 1,50p"}, {1e13, " 10,0T"},     {1e15, " 0BLAD"},
                          {1e-15, " 0BLAD"},   {0.0012345, " 1,23m"}};
    for (const Case& c : cases)
        EXPECT_EQ(ReportNumbers::engineering(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(ReportNumbersTest, RightAlignsWithoutCutting)
{
    EXPECT_EQ(ReportNumbers::right(QStringLiteral("95%N"), 5), QStringLiteral(" 95%N"));
    EXPECT_EQ(ReportNumbers::right(QStringLiteral("100%M"), 4), QStringLiteral("100%M"));
    EXPECT_EQ(ReportNumbers::general(0.5), QStringLiteral("0,5"));
}
