#pragma once

#include <QString>

// The number texts of the live pages: fixed-width values with an SI prefix for the unit field,
// ratios and percentages, all with a decimal comma.
namespace kapstat::live {

struct PrefixedValue
{
    QString value;  // sign text and number, e.g. "  230", " 1,23", "123,4567"
    QString prefix; // "", "p", "n", "u", "m", "k", "M", "G", "T", or "BLAD" out of range
};

// x to 3 significant digits (the live values) or 7 (the energies, which carry no sign).
PrefixedValue formatWithPrefix(double x, int digits);
// Two decimals, a space in front of a positive value: " 0,99", "-0,50".
QString formatRatio(double x);
// Up to two decimals, without trailing zeros: 50 → "50", 49.5 → "49,5".
QString formatAtMostTwoDecimals(double x);
// "100" at exactly 100, one decimal from 10 to below 100, else two; a space for the sign.
QString formatPercent(double x);

// Scientific notation with an integer mantissa of the given digits and a signed exponent of at
// least two digits: (1234.5, 3) gives "123E+01", (0.5, 3) "500E-03".
QString formatScientific(double x, int digits);

} // namespace kapstat::live
