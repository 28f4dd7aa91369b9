#pragma once

#include <QString>

namespace kapstat::norm {

// The number texts of the compliance report; all with a decimal comma.
class ReportNumbers
{
public:
    // Shortest form, up to 15 significant digits: 95 → "95", 0.5 → "0,5".
    static QString general(double value);
    // A picture like "000", "00.0", "0.00" or "###0.0": "0" before the point is a digit always
    // printed, "#" one printed only when significant; rounded to the picture's decimals.
    static QString pictured(double value, const QString& picture);
    // Spaces on the left up to width; a longer text stays whole.
    static QString right(const QString& text, int width);
    // A deviation in percent, five wide: "-12,3", "-5,50", " 0,00".
    static QString deviation(double value);
    // An amplitude with three significant digits and a unit prefix: "  650", " 1,23k", "    0".
    static QString engineering(double value);
};

} // namespace kapstat::norm
