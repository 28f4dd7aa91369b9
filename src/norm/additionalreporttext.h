#pragma once

#include <QString>
#include <array>
#include <functional>

namespace kapstat::browse {
struct NormParameterSet;
}

namespace kapstat::norm {

class ReportDocument;
struct ComplianceStatistics;

// The additional statistics beside the main report: interruptions, dips and over-voltages found
// in the averaged records, then interruptions and transients from the event records.
class AdditionalReportText
{
public:
    AdditionalReportText(int phaseCount, const browse::NormParameterSet& norm,
                         const ComplianceStatistics& statistics, ReportDocument& document);

    void write();

private:
    using Triple = std::array<double, 3>;

    void writeTitle();
    void writeInterruptions();
    void writeDips();
    void writeOvervoltages();
    void writeEventInterruptions();
    void writeTransients();
    void writeSection(const QString& title, const QString& caption);
    void writeColumnHeader(const QString& header);
    void writeCounts(const QString& label, const Triple& values);
    void writeDeviations(const QString& label, const Triple& values);
    // The label, then the value of each phase in use, with the separator written after the first
    // and the second value whatever the phase count.
    void writeSpread(const QString& label, const Triple& values, const QString& separator,
                     const std::function<QString(double)>& format);
    void writeMicroInterruptions();

    int m_phases;
    const browse::NormParameterSet& m_norm;
    const ComplianceStatistics& m_stats;
    ReportDocument& m_doc;
};

} // namespace kapstat::norm
