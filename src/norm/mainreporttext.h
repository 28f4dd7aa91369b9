#pragma once

#include <array>

namespace kapstat::browse {
struct NormParameterSet;
}

namespace kapstat::norm {

class ReportDocument;
struct ComplianceStatistics;
struct ReportHeader;

// The main compliance report: the database's header, then frequency, supply voltage, unbalance,
// harmonics and THD, each marked compliant or not.
class MainReportText
{
public:
    MainReportText(const ReportHeader& header, const browse::NormParameterSet& norm,
                   const ComplianceStatistics& statistics, ReportDocument& document);

    void write();

private:
    void writeHeader();
    void writeFrequency();
    void writeFrequencyBand(double minus, double plus, double pct, double share,
                            const char* ending);
    void writeVoltage();
    void writeVoltageResults();
    void writeUnbalance();
    void writeHarmonics();
    void writeHarmonicOrder(int order);
    void writeThd();
    // Whether every phase of the measuring system reaches the harmonics share.
    bool phasesCompliant(const std::array<double, 3>& pct) const;

    const ReportHeader& m_header;
    const browse::NormParameterSet& m_norm;
    const ComplianceStatistics& m_stats;
    ReportDocument& m_doc;
    int m_phases;
};

} // namespace kapstat::norm
