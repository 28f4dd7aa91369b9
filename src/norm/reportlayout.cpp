#include "norm/reportlayout.h"

namespace kapstat::norm {

namespace {

constexpr int SeparatorLength = 43;
constexpr QChar EmDash(0x2014);

// The phase labels right of a row label, ending at characters 25, 35 and 45.
QString phaseColumns(const QString& label, int phaseCount)
{
    switch (phaseCount) {
    case 1:
        return label.leftJustified(23) + QStringLiteral("L1");
    case 2:
        return label.leftJustified(22) + QStringLiteral("L31       L23");
    default:
        return label.leftJustified(23) + QStringLiteral("L1        L2        L3");
    }
}

} // namespace

QString ReportLayout::separator()
{
    return QStringLiteral("  ") + QString(SeparatorLength, EmDash);
}

QString ReportLayout::voltageHeader(int phaseCount)
{
    switch (phaseCount) {
    case 1:
        return QStringLiteral("       L1");
    case 2:
        return QStringLiteral("       L31       L23       l12");
    default:
        return QStringLiteral("       L1        L2        L3");
    }
}

QString ReportLayout::harmonicsHeader(int phaseCount)
{
    return phaseColumns(QStringLiteral("    progowa"), phaseCount);
}

QString ReportLayout::countHeader(int phaseCount)
{
    return phaseColumns(QStringLiteral("      dla"), phaseCount);
}

QString ReportLayout::interruptionHeader(int phaseCount)
{
    return phaseColumns(QStringLiteral("  przerwy t"), phaseCount);
}

QString ReportLayout::transientHeader(int phaseCount)
{
    return phaseColumns(QString(), phaseCount);
}

QString ReportLayout::lineMark(bool compliant)
{
    return compliant ? QStringLiteral("  ") : QStringLiteral("* ");
}

QString ReportLayout::columnMark(bool compliant)
{
    return compliant ? QStringLiteral("     ") : QStringLiteral("   * ");
}

} // namespace kapstat::norm
