#pragma once

#include <QString>

namespace kapstat::norm {

// The fixed pieces of the compliance report's grid: the separator, the column headers by phase
// count (1 single phase, 2 delta, 3 star) and the compliance marks.
class ReportLayout
{
public:
    static QString separator();
    static QString voltageHeader(int phaseCount);
    static QString harmonicsHeader(int phaseCount);
    static QString countHeader(int phaseCount);
    static QString interruptionHeader(int phaseCount);
    static QString transientHeader(int phaseCount);

    // A share is compliant when it reaches its required share.
    static bool compliant(double share, double required) { return share >= required; }
    // Two characters at the start of a line: "  " or "* ".
    static QString lineMark(bool compliant);
    // Five characters before a column's value: "     " or "   * ".
    static QString columnMark(bool compliant);
};

} // namespace kapstat::norm
