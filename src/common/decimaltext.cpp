#include "common/decimaltext.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace kapstat::common {

namespace {

void appendWithComma(std::string& out, std::string_view mantissa)
{
    const size_t start = out.size();
    out.append(mantissa);
    for (size_t i = start; i < out.size(); ++i)
        if (out[i] == '.')
            out[i] = ',';
}

constexpr double PowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};

void appendUnsigned(std::string& out, std::uint64_t value, int width = 0)
{
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    out.append(static_cast<size_t>(std::max<ptrdiff_t>(0, width - (written.ptr - digits))), '0');
    out.append(digits, written.ptr);
}

// A value that is a decimal of at most six decimals and fifteen digits is written from those
// digits: rounding it to fifteen digits gives them back, so the text is the general form's, at
// a fraction of the cost. Measured values mostly are such decimals.
bool appendShortDecimal(std::string& out, double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) // the general form's fixed range; not NaN
        return false;
    for (int decimals = 0; decimals < static_cast<int>(std::size(PowersOfTen)); ++decimals) {
        const double unit = PowersOfTen[decimals];
        const double scaled = std::nearbyint(magnitude * unit);
        if (scaled >= 1e15)
            return false;
        if (scaled / unit != magnitude) // exact: both are whole numbers a double holds
            continue;
        const auto digits = static_cast<std::uint64_t>(scaled);
        const auto whole = static_cast<std::uint64_t>(unit);
        if (value < 0)
            out += '-';
        appendUnsigned(out, digits / whole);
        if (decimals > 0) {
            out += ',';
            appendUnsigned(out, digits % whole, decimals);
        }
        return true;
    }
    return false;
}

} // namespace

QString DecimalText::general(double value)
{
    std::string text;
    appendGeneral(text, value);
    return QString::fromStdString(text);
}

void DecimalText::appendGeneral(std::string& out, double value)
{
    if (value == 0) {
        out += '0';
        return;
    }
    if (appendShortDecimal(out, value))
        return;
    // printf's "%.15g": fixed unless the exponent is below -4 or 15 and above.
    char digits[32];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    const std::string_view text(digits, static_cast<size_t>(written.ptr - digits));
    const size_t e = text.find('e');
    // "2.5e+20" → "2,5E20", "1e-07" → "1E-7"
    appendWithComma(out, text.substr(0, e));
    if (e == std::string_view::npos)
        return;
    out += 'E';
    const std::string_view exponent = text.substr(e + 1);
    if (exponent.front() == '-')
        out += '-';
    const size_t significant = exponent.find_first_not_of("+-0");
    out.append(exponent.substr(significant));
}

QString DecimalText::fixed(double value, int decimals)
{
    // No "-0,00" for a value that rounds to zero.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<double> DecimalText::parse(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('.')))
        return std::nullopt;
    for (const QChar c : trimmed)
        if (!(c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('-') ||
              c == QLatin1Char('+') || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return std::nullopt;
    bool ok = false;
    const double value =
        QLocale::c().toDouble(QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kapstat::common
