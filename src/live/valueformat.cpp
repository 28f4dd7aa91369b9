#include "live/valueformat.h"

#include "common/decimaltext.h"

#include <charconv>
#include <cmath>

namespace kapstat::live {

namespace {

using common::DecimalText;

struct Scientific
{
    long long mantissa = 0; // |x| to the digits, 0 for x = 0
    int exponent = 0;       // x = mantissa x 10^exponent
    bool negative = false;
};

// x rounded to the given number of significant digits, through its exact decimal expansion.
Scientific toSignificant(double x, int digits)
{
    // Beyond every prefix, so that it reads "BLAD".
    if (!std::isfinite(x))
        return {0, 1000, false};
    if (x == 0)
        return {};
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, std::fabs(x),
                                   std::chars_format::scientific, digits - 1)
                         .ptr;
    Scientific s;
    s.negative = x < 0;
    const char* p = text;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            s.mantissa = s.mantissa * 10 + (*p - '0');
    int exponent10 = 0;
    const char* expStart = p + 1;
    if (expStart != end && *expStart == '+')
        ++expStart;
    std::from_chars(expStart, end, exponent10);
    s.exponent = exponent10 - (digits - 1);
    return s;
}

// Group g of the prefix table, from "p" (0) up to "T" (8); "none" is group 4.
const char* const Prefixes[] = {"p", "n", "u", "m", "", "k", "M", "G", "T"};
constexpr int PrefixCount = 9;

// The exponent of the first group ("p") of each table.
int lowestExponent(int digits)
{
    return digits == 3 ? -14 : -18;
}

QString threeDigitNumber(long long mantissa, int form)
{
    switch (form) {
    case 0:
        return DecimalText::fixed(mantissa / 100.0, 2);
    case 1:
        return DecimalText::fixed(mantissa / 10.0, 1);
    default:
        return QString::number(mantissa).rightJustified(4, QLatin1Char(' '));
    }
}

QString sevenDigitNumber(long long mantissa, int form)
{
    // "0.000000", "00.00000", "000.0000"
    const int decimals = 6 - form;
    return DecimalText::fixed(mantissa / std::pow(10.0, decimals), decimals);
}

} // namespace

PrefixedValue formatWithPrefix(double x, int digits)
{
    const Scientific s = toSignificant(x, digits);
    const int position = s.exponent - lowestExponent(digits);
    const int group = position >= 0 ? position / 3 : -1;
    const bool energy = digits != 3;
    const QString sign = energy ? QString() : QString::fromLatin1(s.negative ? "-" : " ");
    if (group < 0 || group >= PrefixCount)
        return {sign + QStringLiteral("0"), QStringLiteral("BLAD")};
    const int form = position % 3;
    const QString number =
        energy ? sevenDigitNumber(s.mantissa, form) : threeDigitNumber(s.mantissa, form);
    QString prefix = QLatin1String(Prefixes[group]);
    if (energy && s.mantissa == 0)
        prefix.clear();
    return {sign + number, prefix};
}

QString formatScientific(double x, int digits)
{
    if (!std::isfinite(x))
        return QString::number(x);
    const Scientific s = toSignificant(x, digits);
    const QString mantissa = QString::number(s.mantissa).rightJustified(digits, QLatin1Char('0'));
    const int exponent = s.mantissa == 0 ? 0 : s.exponent;
    return (s.negative ? QStringLiteral("-") : QString()) + mantissa + QLatin1Char('E') +
           (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
}

QString formatRatio(double x)
{
    const QString text = DecimalText::fixed(x, 2);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text;
}

QString formatAtMostTwoDecimals(double x)
{
    QString text = DecimalText::fixed(x, 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text;
}

QString formatPercent(double x)
{
    const double magnitude = std::fabs(x);
    QString text;
    if (magnitude == 100)
        text = QString::number(x, 'f', 0);
    else if (magnitude >= 10 && magnitude < 100)
        text = DecimalText::fixed(x, 1);
    else
        text = DecimalText::fixed(x, 2);
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text;
}

} // namespace kapstat::live
