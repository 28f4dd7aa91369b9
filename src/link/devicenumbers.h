#pragma once

#include "link/responsebytes.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// The recorder's value formats: BCD decimal floats, signed integers, BCD dates and times.
// Positions are response positions (1-based from ESC).
namespace kapstat::link::numbers {

struct DecodedFloat
{
    double value = 0;
    QString error; // empty on success; else the field's bytes as hex, sign bit cleared
    bool ok() const { return error.isEmpty(); }
};

struct Mantissa
{
    int mantissa = 0;
    int exponent = 0;
};

struct DecodedDateTime
{
    QDateTime value;
    bool ok = false;
};

// One BCD byte as a number 0..99; nullopt when a nibble is above 9.
std::optional<int> decodeBcd(quint8 byte);
quint8 encodeBcd(int value); // value 0..99

DecodedFloat decodeDecFloat(const ResponseBytes& bytes, int position, int width); // width 3, 4, 5
DecodedFloat decodeDecFloat3(const ResponseBytes& bytes, int position);
DecodedFloat decodeDecFloat4(const ResponseBytes& bytes, int position);
DecodedFloat decodeDecFloat5(const ResponseBytes& bytes, int position);
// The three-byte form with no error path (mains frequency): 0 when not decimal.
double decodeDecFloat3(quint8 low, quint8 highWithSign, quint8 exponent);
// No error path: a field that is not decimal reads as mantissa 0.
Mantissa decodeDecMantissa4(const ResponseBytes& bytes, int position);

int decodeSigned16(quint8 low, quint8 high);
int decodeSigned8(quint8 byte);
int decodeSignMag16(quint8 low, quint8 high);
int decodeUnsigned(const ResponseBytes& bytes, int position, int width); // little-endian

DecodedDateTime decodeBcdDateTime(const ResponseBytes& bytes, int position);
std::optional<QDate> decodeBcdDate3(const ResponseBytes& bytes, int position);

double coefficientValue(int mantissa, int exponent);

struct EncodedSigned8
{
    quint8 byte = 0;
    bool overflow = false; // |v| above 127: the caller shows "Przepelnienie!"
};
EncodedSigned8 encodeSigned8(int value);
QByteArray encodeSigned16(int value);
QByteArray encodeBcdDateTime(const QDateTime& moment);
QByteArray encodeBcdDate3(const QDate& date);
// nullopt when |m| has more than five digits or e does not fit a byte.
std::optional<QByteArray> encodeDecMantissa4(int mantissa, int exponent);
// x > 0 scaled by tens to at least 10000; nullopt for x <= 0 or not finite.
std::optional<Mantissa> normaliseCoefficient(double x);
// DecFloat3 (digits 3), DecFloat4 (5) or DecFloat5 (7); nullopt for other digits, non-finite values and
// exponents that do not fit a byte.
std::optional<QByteArray> encodeDecFloat(double value, int digits);

} // namespace kapstat::link::numbers
