#include "link/devicenumbers.h"

#include <gtest/gtest.h>

using namespace kapstat::link;
using namespace kapstat::link::numbers;

namespace {
// The field's bytes at position 5, as in a response.
ResponseBytes field(const char* hexBytes)
{
    return ResponseBytes::withData(0x0A, QByteArray::fromHex(hexBytes));
}
} // namespace

TEST(DeviceNumbers, DecimalFloatsDecodeTheWorkedExamples)
{
    const struct
    {
        const char* bytes;
        double value;
        const char* error;
    } cases[] = {
        {"2381ff", -12.3, ""},     {"0005fd", 0.5, ""},          {"2a0100", 0, "2A0100"},
        {"563412fd", 123.456, ""}, {"563492fd", -123.456, ""},   {"78563412fa", 12.345678, ""},
        {"008000", 0, ""},         {"99999909 00", 9999999, ""}, {"99999999 00", -19999999, ""},
        {"01 00 80", 1e-128, ""},  {"2a81 00", 0, "2A0100"},     {"0000ca00", 0, "00004A00"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = QByteArray::fromHex(c.bytes);
        const DecodedFloat decoded =
            decodeDecFloat(field(c.bytes), 5, static_cast<int>(bytes.size()));
        EXPECT_DOUBLE_EQ(decoded.value, c.value) << c.bytes;
        EXPECT_EQ(decoded.error,
                  QString::fromLatin1(QByteArray::fromHex(c.error).toHex().toUpper()))
            << c.bytes;
        EXPECT_FALSE(std::signbit(decoded.value) && decoded.value == 0)
            << "negative zero reads as 0";
    }
    EXPECT_DOUBLE_EQ(decodeDecFloat3(0x00, 0x05, 0xFD), 0.5);
    EXPECT_DOUBLE_EQ(decodeDecFloat3(0x2A, 0x01, 0x00), 0);
}

TEST(DeviceNumbers, MantissaAndIntegerFormats)
{
    const Mantissa m = decodeDecMantissa4(field("563492fd"), 5);
    EXPECT_EQ(m.mantissa, -123456);
    EXPECT_EQ(m.exponent, -3);
    EXPECT_EQ(decodeDecMantissa4(field("5a3412fd"), 5).mantissa, 0) << "not decimal reads as 0";

    const struct
    {
        quint8 low, high;
        int signed16, signMag16;
    } cases[] = {{0x34, 0x12, 4660, 4660}, {0x00, 0x80, 32768, 0},     {0x01, 0x80, -32767, -1},
                 {0xFF, 0xFF, -1, -32767}, {0x00, 0x7F, 32512, 32512}, {0x10, 0x81, -32496, -272},
                 {0x10, 0x01, 272, 272}};
    for (const auto& c : cases) {
        EXPECT_EQ(decodeSigned16(c.low, c.high), c.signed16);
        EXPECT_EQ(decodeSignMag16(c.low, c.high), c.signMag16);
    }
    EXPECT_EQ(decodeSigned8(0xFF), -1);
    EXPECT_EQ(decodeSigned8(0x80), -128);
    EXPECT_EQ(decodeSigned8(0x7F), 127);
    EXPECT_EQ(decodeUnsigned(field("2c0100"), 5, 3), 300);
}

TEST(DeviceNumbers, BcdDateTimeDecodesOrFailsToTheDefault)
{
    const DecodedDateTime good = decodeBcdDateTime(field("304512241209"), 5);
    EXPECT_TRUE(good.ok);
    EXPECT_EQ(good.value, QDateTime(QDate(2009, 12, 24), QTime(12, 45, 30)));

    const QDateTime fallback(QDate(2000, 1, 1), QTime(0, 0));
    for (const char* bad : {"304512241309", "3A4512241209", "304524241209", "304512000109"}) {
        const DecodedDateTime decoded = decodeBcdDateTime(field(bad), 5);
        EXPECT_FALSE(decoded.ok) << bad;
        EXPECT_EQ(decoded.value, fallback) << bad;
    }
    EXPECT_EQ(decodeBcdDate3(field("241209"), 5), QDate(2009, 12, 24));
    EXPECT_FALSE(decodeBcdDate3(field("000000"), 5));
    EXPECT_FALSE(decodeBcdDate3(field("3002a9"), 5));
}

TEST(DeviceNumbers, EncodersWriteWhatTheDecodersRead)
{
    EXPECT_EQ(encodeBcdDateTime(QDateTime(QDate(2009, 12, 24), QTime(12, 45, 30))).toHex(),
              QByteArray("304512241209"));
    EXPECT_EQ(encodeSigned16(-5).toHex(), QByteArray("fbff"));
    EXPECT_EQ(encodeSigned16(4660).toHex(), QByteArray("3412"));

    const struct
    {
        int value;
        quint8 byte;
        bool overflow;
    } signed8[] = {{-1, 0xFF, false}, {127, 0x7F, false}, {-127, 0x81, false},
                   {128, 0x80, true}, {-128, 0x80, true}, {-200, 0x38, true}};
    for (const auto& c : signed8) {
        EXPECT_EQ(encodeSigned8(c.value).byte, c.byte) << c.value;
        EXPECT_EQ(encodeSigned8(c.value).overflow, c.overflow) << c.value;
    }

    EXPECT_EQ(encodeDecMantissa4(25000, -4)->toHex(), QByteArray("005002fc"));
    EXPECT_EQ(encodeDecMantissa4(-12300, -6)->toHex(), QByteArray("002381fa"));
    const Mantissa back =
        decodeDecMantissa4(ResponseBytes::withData(0, *encodeDecMantissa4(25000, -4)), 5);
    EXPECT_EQ(back.mantissa, 25000);
    EXPECT_EQ(back.exponent, -4);
    EXPECT_FALSE(encodeDecMantissa4(100000, 0));
    EXPECT_FALSE(encodeDecMantissa4(1, -129));
}

TEST(DeviceNumbers, CoefficientNormalisation)
{
    const struct
    {
        double x;
        int mantissa, exponent;
    } cases[] = {{2.5, 25000, -4}, {12345.6, 12345, 0}, {0.0123, 12300, -6}, {1e-3, 10000, -7}};
    for (const auto& c : cases) {
        const auto m = normaliseCoefficient(c.x);
        ASSERT_TRUE(m) << c.x;
        EXPECT_EQ(m->mantissa, c.mantissa) << c.x;
        EXPECT_EQ(m->exponent, c.exponent) << c.x;
    }
    for (const double bad : {0.0, -1.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(normaliseCoefficient(bad)) << bad;
}

TEST(DeviceNumbers, EncodeDecFloatRoundsToItsSignificantDigits)
{
    const struct
    {
        double value;
        int digits;
        const char* bytes;
    } cases[] = {
        {230, 3, "300200"},     {1, 3, "0001fe"},          {57.7, 3, "7705ff"},
        {-1, 3, "0081fe"},      {0.5, 3, "0005fd"},        {95, 3, "5009ff"},
        {50, 3, "0005ff"},      {12345, 3, "230102"},      {0, 3, "000000"},
        {230, 7, "00003002fc"}, {1000, 7, "00000001fd"},   {57.7, 7, "00007705fb"},
        {2.5, 5, "005002fc"},   {-123.456, 5, "462381fe"}, {1235, 3, "240101"},
        {999.5, 3, "000101"},   {-6, 3, "0086fe"},         {100, 3, "000100"},
    };
    for (const auto& c : cases) {
        const auto encoded = encodeDecFloat(c.value, c.digits);
        ASSERT_TRUE(encoded) << c.value;
        EXPECT_EQ(encoded->toHex(), QByteArray(c.bytes)) << c.value << " digits " << c.digits;
    }
    EXPECT_FALSE(encodeDecFloat(1, 4));
    EXPECT_FALSE(encodeDecFloat(1, 6));
    EXPECT_FALSE(encodeDecFloat(std::nan(""), 3));
    EXPECT_FALSE(encodeDecFloat(1e200, 3)) << "exponent does not fit a byte";
}

TEST(DeviceNumbers, EncodeDecFloatReadsBackThroughTheDecoder)
{
    for (const double value : {-12.3, 0.5, 398.0, 1.5e-5, 57.7, -0.25, 1234567.0}) {
        const QByteArray three = *encodeDecFloat(value, 3);
        const QByteArray seven = *encodeDecFloat(value, 7);
        EXPECT_NEAR(decodeDecFloat3(ResponseBytes::withData(0, three), 5).value, value,
                    std::fabs(value) * 5e-3);
        EXPECT_NEAR(decodeDecFloat5(ResponseBytes::withData(0, seven), 5).value, value,
                    std::fabs(value) * 1e-6);
    }
}
