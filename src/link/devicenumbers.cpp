#include "link/devicenumbers.h"

#include <charconv>
#include <cmath>

namespace kapstat::link::numbers {

namespace {

constexpr quint8 SignBit = 0x80;

QString hexByte(quint8 byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

// Mantissa digits of a decimal float field, most significant byte (the sign byte) first.
std::optional<qint64> decimalMantissa(const ResponseBytes& bytes, int position, int mantissaBytes)
{
    qint64 mantissa = 0;
    for (int i = mantissaBytes - 1; i >= 0; --i) {
        quint8 byte = bytes.at(position + i);
        if (i == mantissaBytes - 1)
            byte &= ~SignBit;
        const auto digits = decodeBcd(byte);
        if (!digits)
            return std::nullopt;
        mantissa = mantissa * 100 + *digits;
    }
    return mantissa;
}

double scaled(qint64 mantissa, int exponent)
{
    // Through decimal text, so that 123456e-3 is the double nearest to 123.456.
    const QByteArray text = QByteArray::number(mantissa) + 'e' + QByteArray::number(exponent);
    double value = 0;
    std::from_chars(text.constData(), text.constData() + text.size(), value);
    return value;
}

struct Significant
{
    qint64 mantissa = 0;
    int exponent = 0;
};

// |value| rounded to the given number of significant decimal digits, a half going away from
// zero, taken from the shortest decimal text of the double so that 57.7 stays 577e-1.
Significant roundToSignificant(double magnitude, int digits)
{
    if (magnitude == 0)
        return {};
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    const std::string_view repr(text, end - text);
    const auto ePos = repr.find('e');
    std::string allDigits;
    for (char c : repr.substr(0, ePos))
        if (c != '.')
            allDigits += c;
    int exponent10 = 0;
    const auto expText = repr.substr(ePos + 1);
    std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0),
                    expText.data() + expText.size(), exponent10);
    qint64 mantissa = 0;
    for (int i = 0; i < digits; ++i)
        mantissa =
            mantissa * 10 + (i < static_cast<int>(allDigits.size()) ? allDigits[i] - '0' : 0);
    if (static_cast<int>(allDigits.size()) > digits && allDigits[digits] >= '5')
        ++mantissa;
    int exponent = exponent10 - (digits - 1);
    qint64 limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;
    if (mantissa >= limit) {
        mantissa /= 10;
        ++exponent;
    }
    return {mantissa, exponent};
}

} // namespace

std::optional<int> decodeBcd(quint8 byte)
{
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9 || low > 9)
        return std::nullopt;
    return high * 10 + low;
}

quint8 encodeBcd(int value)
{
    return static_cast<quint8>(((value / 10) % 10) << 4 | (value % 10));
}

DecodedFloat decodeDecFloat(const ResponseBytes& bytes, int position, int width)
{
    Q_ASSERT(width >= 3 && width <= 5);
    const int mantissaBytes = width - 1;
    const bool negative = bytes.at(position + mantissaBytes - 1) & SignBit;
    const int exponent = decodeSigned8(bytes.at(position + mantissaBytes));
    const auto mantissa = decimalMantissa(bytes, position, mantissaBytes);
    if (!mantissa) {
        QString error;
        for (int i = 0; i < width; ++i) {
            quint8 byte = bytes.at(position + i);
            if (i == mantissaBytes - 1)
                byte &= ~SignBit;
            error += hexByte(byte);
        }
        return {0, error};
    }
    const double value = scaled(*mantissa, exponent);
    return {negative && value != 0 ? -value : value, {}};
}

DecodedFloat decodeDecFloat3(const ResponseBytes& bytes, int position)
{
    return decodeDecFloat(bytes, position, 3);
}

DecodedFloat decodeDecFloat4(const ResponseBytes& bytes, int position)
{
    return decodeDecFloat(bytes, position, 4);
}

DecodedFloat decodeDecFloat5(const ResponseBytes& bytes, int position)
{
    return decodeDecFloat(bytes, position, 5);
}

double decodeDecFloat3(quint8 low, quint8 highWithSign, quint8 exponent)
{
    const ResponseBytes bytes(QByteArray() + static_cast<char>(low) +
                              static_cast<char>(highWithSign) + static_cast<char>(exponent));
    return decodeDecFloat(bytes, 1, 3).value;
}

Mantissa decodeDecMantissa4(const ResponseBytes& bytes, int position)
{
    const auto mantissa = decimalMantissa(bytes, position, 3);
    const int exponent = decodeSigned8(bytes.at(position + 3));
    if (!mantissa)
        return {0, exponent};
    const bool negative = bytes.at(position + 2) & SignBit;
    return {static_cast<int>(negative ? -*mantissa : *mantissa), exponent};
}

int decodeSigned16(quint8 low, quint8 high)
{
    const int value = low + 256 * high;
    return value > 32768 ? value - 65536 : value;
}

int decodeSigned8(quint8 byte)
{
    return byte >= 128 ? byte - 256 : byte;
}

int decodeSignMag16(quint8 low, quint8 high)
{
    const int magnitude = low + 256 * (high & 0x7F);
    return (high & SignBit) ? -magnitude : magnitude;
}

int decodeUnsigned(const ResponseBytes& bytes, int position, int width)
{
    int value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value * 256 + bytes.at(position + i);
    return value;
}

DecodedDateTime decodeBcdDateTime(const ResponseBytes& bytes, int position)
{
    const DecodedDateTime failure{QDateTime(QDate(2000, 1, 1), QTime(0, 0)), false};
    int parts[6];
    for (int i = 0; i < 6; ++i) {
        const auto value = decodeBcd(bytes.at(position + i));
        if (!value)
            return failure;
        parts[i] = *value;
    }
    const QDate date(2000 + parts[5], parts[4], parts[3]);
    const QTime time(parts[2], parts[1], parts[0]);
    if (!date.isValid() || !time.isValid())
        return failure;
    return {QDateTime(date, time), true};
}

std::optional<QDate> decodeBcdDate3(const ResponseBytes& bytes, int position)
{
    const auto day = decodeBcd(bytes.at(position));
    const auto month = decodeBcd(bytes.at(position + 1));
    const auto year = decodeBcd(bytes.at(position + 2));
    if (!day || !month || !year)
        return std::nullopt;
    const QDate date(2000 + *year, *month, *day);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

double coefficientValue(int mantissa, int exponent)
{
    return scaled(mantissa, exponent);
}

EncodedSigned8 encodeSigned8(int value)
{
    const bool overflow = value < -127 || value > 127;
    const int wrapped = value >= 0 ? value : 256 - (-value);
    return {static_cast<quint8>(wrapped & 0xFF), overflow};
}

QByteArray encodeSigned16(int value)
{
    const auto raw = static_cast<quint16>(value);
    return QByteArray() + static_cast<char>(raw & 0xFF) + static_cast<char>(raw >> 8);
}

QByteArray encodeBcdDateTime(const QDateTime& moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    QByteArray bytes;
    for (const int part :
         {time.second(), time.minute(), time.hour(), date.day(), date.month(), date.year() % 100})
        bytes.append(static_cast<char>(encodeBcd(part)));
    return bytes;
}

QByteArray encodeBcdDate3(const QDate& date)
{
    QByteArray bytes;
    for (const int part : {date.day(), date.month(), date.year() % 100})
        bytes.append(static_cast<char>(encodeBcd(part)));
    return bytes;
}

std::optional<QByteArray> encodeDecMantissa4(int mantissa, int exponent)
{
    const int magnitude = std::abs(mantissa);
    if (magnitude > 99999 || exponent < -128 || exponent > 127)
        return std::nullopt;
    const int first = magnitude / 10000;
    QByteArray bytes;
    bytes.append(static_cast<char>(encodeBcd(magnitude % 100)));
    bytes.append(static_cast<char>(encodeBcd(magnitude / 100 % 100)));
    bytes.append(static_cast<char>(first | (mantissa < 0 ? SignBit : 0)));
    bytes.append(static_cast<char>(encodeSigned8(exponent).byte));
    return bytes;
}

std::optional<Mantissa> normaliseCoefficient(double x)
{
    if (!std::isfinite(x) || x <= 0)
        return std::nullopt;
    int tens = 0;
    double value = x;
    while (value < 10000) {
        if (++tens > 400)
            return std::nullopt;
        value = scaled(1, tens) * x;
    }
    // A hair of slack, so that 0.0123 scaled to 12299.999... still truncates to 12300.
    const double truncated = std::floor(value * (1 + 1e-12));
    if (truncated > 2147483647.0)
        return std::nullopt;
    return Mantissa{static_cast<int>(truncated), -tens};
}

std::optional<QByteArray> encodeDecFloat(double value, int digits)
{
    if ((digits != 3 && digits != 5 && digits != 7) || !std::isfinite(value))
        return std::nullopt;
    const Significant s = roundToSignificant(std::fabs(value), digits);
    if (s.exponent < -128 || s.exponent > 127)
        return std::nullopt;
    const quint8 sign = value < 0 && s.mantissa != 0 ? SignBit : 0;
    QByteArray bytes;
    qint64 rest = s.mantissa;
    for (int pair = 0; pair < digits / 2; ++pair) {
        bytes.append(static_cast<char>(encodeBcd(static_cast<int>(rest % 100))));
        rest /= 100;
    }
    bytes.append(static_cast<char>(static_cast<quint8>(rest) | sign));
    bytes.append(static_cast<char>(encodeSigned8(s.exponent).byte));
    return bytes;
}

} // namespace kapstat::link::numbers
