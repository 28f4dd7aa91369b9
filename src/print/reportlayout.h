#pragma once

#include "print/measurementprintout.h"
#include "print/reporttexts.h"

#include <QString>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QTextDocument;

namespace kapstat::browse {
class BrowseState;
}

namespace kapstat::print {

// The printed report on A4 portrait pages: page header, title and comment block, then either a
// measurement table (column header on every page, one line per row, the closing summary) or the
// compliance report's two texts side by side; the page footer with the page number.
class ReportLayout
{
public:
    // The printout of the print selection's columns from the print source of the open database.
    static ReportLayout measurements(browse::BrowseState& state, const PrintOptions& options,
                                     ShadingSequence& shading,
                                     std::optional<RecordLimitTest> limit = {});
    // The compliance report: the main report on the left, the additional statistics on the right.
    static ReportLayout complianceReport(const browse::BrowseState& state,
                                         const PrintOptions& options, const QTextDocument* main,
                                         const QTextDocument* additional);

    const ReportTexts& texts() const { return m_texts; }

    // Sets the device's page layout and paints every page: the number of pages, or nullopt when
    // the device cannot be painted on or the table cannot be read.
    std::optional<int> paint(QPagedPaintDevice& device) const;
    // The same pages as a PDF file; nullopt when the file cannot be written.
    std::optional<int> writePdf(const QString& path) const;

    // A4 portrait with the report's margins.
    static void setPage(QPagedPaintDevice& device);

    static constexpr double LeftMargin = 20; // millimetres
    static constexpr double TopMargin = 20;
    static constexpr double RightMargin = 10;
    static constexpr double BottomMargin = 20;

private:
    explicit ReportLayout(ReportTexts texts) : m_texts(std::move(texts)) {}

    ReportTexts m_texts;
    bool m_measurementKind = false;
    std::unique_ptr<MeasurementPrintout> m_measurements; // none when the source is not open
    const QTextDocument* m_main = nullptr;
    const QTextDocument* m_additional = nullptr;
};

} // namespace kapstat::print
