#pragma once

#include <QString>
#include <memory>

class QTextDocument;

namespace kapstat::browse {
class BrowseState;
}

namespace kapstat::norm {

struct ComplianceReport;
class ReportDocument;

// The report's lines as formatted documents in a fixed-pitch font, for the preview, the printer
// and the PDF.
class ReportTextDocument
{
public:
    static std::unique_ptr<QTextDocument> create(const ReportDocument& report);
    // The report printed as the print window prints it, without a comment or author, into a
    // PDF file on A4; false when the file cannot be written.
    static bool writePdf(const browse::BrowseState& state, const ComplianceReport& report,
                         const QString& path);
};

} // namespace kapstat::norm
