#include "norm/reporttextdocument.h"

#include "norm/compliancereport.h"
#include "norm/reportdocument.h"
#include "print/reportlayout.h"

#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>

namespace kapstat::norm {

namespace {

// "Courier New" 8 pixels high on a 96 dpi screen.
constexpr double ReportPointSize = 6;

QFont reportFont()
{
    QFont font(QStringLiteral("Courier New"));
    if (!QFontDatabase::families().contains(font.family()))
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(ReportPointSize);
    return font;
}

QTextCharFormat formatOf(TextStyle style)
{
    QTextCharFormat format;
    format.setFontWeight(style == TextStyle::Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style == TextStyle::Italic);
    return format;
}

} // namespace

std::unique_ptr<QTextDocument> ReportTextDocument::create(const ReportDocument& report)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(reportFont());
    document->setDocumentMargin(0);
    QTextCursor cursor(document.get());
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    cursor.setBlockFormat(left);
    bool first = true;
    for (const ReportLine& line : report.lines()) {
        if (!first)
            cursor.insertBlock(left);
        first = false;
        for (const ReportSpan& span : line.spans)
            cursor.insertText(span.text, formatOf(span.style));
    }
    return document;
}

bool ReportTextDocument::writePdf(const browse::BrowseState& state, const ComplianceReport& report,
                                  const QString& path)
{
    const auto main = create(report.main);
    const auto additional = create(report.additional);
    print::PrintOptions options;
    options.title = report.title;
    options.allRecords = true;
    return print::ReportLayout::complianceReport(state, options, main.get(), additional.get())
        .writePdf(path)
        .has_value();
}

} // namespace kapstat::norm
