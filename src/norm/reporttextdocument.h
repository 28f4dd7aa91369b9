#pragma once

#include <QString>
#include <memory>

class QTextDocument;
class QPagedPaintDevice;

namespace kapstat::norm {

class ReportDocument;

// The report's lines as formatted documents in a fixed-pitch font, for the preview, the printer
// and the PDF.
class ReportTextDocument
{
public:
    static std::unique_ptr<QTextDocument> create(const ReportDocument& report);
    // Both documents side by side under the title, the main report on the left, each half as wide
    // as the page; false when the device cannot be painted on.
    static bool print(QPagedPaintDevice& device, const QString& title, QTextDocument& main,
                      QTextDocument& additional);
    // The same into a PDF file on A4.
    static bool writePdf(const QString& path, const QString& title, QTextDocument& main,
                         QTextDocument& additional);
};

} // namespace kapstat::norm
