#include "norm/reportnumbers.h"

#include "common/decimaltext.h"

#include <cmath>

namespace kapstat::norm {

namespace {

// Exponent groups of three, from 10^-14 to 10^12.
constexpr int LowestExponent = -14;
constexpr int HighestExponent = 12;
constexpr const char* Prefixes[] = {"p", "n", "u", "m", "", "k", "M", "G", "T"};

struct ThreeDigits
{
    int mantissa = 0; // 100..999, or 0 for 0
    int exponent = 0;
};

// |value| as mantissa × 10^exponent, the mantissa truncated to three digits. Taken from the
// decimal text, so that 0.065 gives 650 and not the 649 of a binary division.
ThreeDigits threeDigits(double value)
{
    if (value == 0 || !std::isfinite(value))
        return {};
    const QString text = QString::number(std::fabs(value), 'e', 14); // "6.50000000000000e-02"
    const int e = static_cast<int>(text.indexOf(QLatin1Char('e')));
    const int mantissa = QString(text.left(e)).remove(QLatin1Char('.')).left(3).toInt();
    return {mantissa, text.mid(e + 1).toInt() - 2};
}

} // namespace

QString ReportNumbers::general(double value)
{
    return common::DecimalText::general(value);
}

QString ReportNumbers::pictured(double value, const QString& picture)
{
    const qsizetype point = picture.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : static_cast<int>(picture.size() - point - 1);
    const auto wholeDigits =
        picture.left(point < 0 ? picture.size() : point).count(QLatin1Char('0'));
    // Halves round away from zero as written: 12.35 gives 12,4 although its binary value lies
    // just below; a value that rounds to zero loses its sign.
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0)
        rounded = 0;
    QString text = QString::number(std::fabs(rounded), 'f', decimals);
    const qsizetype whole =
        point < 0 || decimals == 0 ? text.size() : text.indexOf(QLatin1Char('.'));
    if (whole < wholeDigits)
        text.prepend(QString(wholeDigits - whole, QLatin1Char('0')));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return rounded < 0 ? QLatin1Char('-') + text : text;
}

QString ReportNumbers::right(const QString& text, int width)
{
    return text.rightJustified(width, QLatin1Char(' '), false);
}

QString ReportNumbers::deviation(double value)
{
    const double size = std::fabs(value);
    const QString picture = size >= 100  ? QStringLiteral("000")
                            : size >= 10 ? QStringLiteral("00.0")
                                         : QStringLiteral("0.00");
    return right(pictured(value, picture), 5);
}

QString ReportNumbers::engineering(double value)
{
    const QString sign = value < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    const ThreeDigits digits = threeDigits(value);
    if (digits.exponent < LowestExponent || digits.exponent > HighestExponent)
        return sign + QStringLiteral("0BLAD");
    const int step = digits.exponent - LowestExponent;
    const QString prefix = QString::fromLatin1(Prefixes[step / 3]);
    switch (step % 3) {
    case 0:
        return sign + pictured(digits.mantissa / 100.0, QStringLiteral("0.00")) + prefix;
    case 1:
        return sign + pictured(digits.mantissa / 10.0, QStringLiteral("00.0")) + prefix;
    default:
        return sign + right(QString::number(digits.mantissa), 4) + prefix;
    }
}

} // namespace kapstat::norm
