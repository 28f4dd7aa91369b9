#include "norm/reporttextdocument.h"

#include "norm/reportdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace kapstat::norm {

namespace {

// "Courier New" 8 pixels high on a 96 dpi screen.
constexpr double ReportPointSize = 6;
constexpr double TitlePointSize = 10;
constexpr double ColumnGapMillimetres = 4;

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

int pagesOf(const QTextDocument& document)
{
    return std::max(1, document.pageCount());
}

void drawPage(QPainter& painter, QTextDocument& document, const QRectF& area, int page)
{
    painter.save();
    painter.translate(area.left(), area.top() - page * area.height());
    const QRectF shown(0, page * area.height(), area.width(), area.height());
    painter.setClipRect(shown);
    document.drawContents(&painter, shown);
    painter.restore();
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

bool ReportTextDocument::print(QPagedPaintDevice& device, const QString& title, QTextDocument& main,
                               QTextDocument& additional)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF page(0, 0, device.width(), device.height());
    QFont titleFont = main.defaultFont();
    titleFont.setPointSizeF(TitlePointSize);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    const QRectF titleArea = painter.boundingRect(page, Qt::AlignHCenter | Qt::AlignTop, title);
    const double gap = ColumnGapMillimetres / 25.4 * device.logicalDpiX();
    const double top = titleArea.bottom() + gap;
    const double columnWidth = (page.width() - gap) / 2;
    const QRectF leftArea(0, top, columnWidth, page.height() - top);
    const QRectF rightArea(columnWidth + gap, top, columnWidth, page.height() - top);
    for (QTextDocument* document : {&main, &additional}) {
        document->documentLayout()->setPaintDevice(&device);
        document->setPageSize(leftArea.size());
    }
    const int pages = std::max(pagesOf(main), pagesOf(additional));
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        painter.setFont(titleFont);
        painter.drawText(titleArea, Qt::AlignHCenter | Qt::AlignTop, title);
        drawPage(painter, main, leftArea, p);
        drawPage(painter, additional, rightArea, p);
    }
    return painter.end();
}

bool ReportTextDocument::writePdf(const QString& path, const QString& title, QTextDocument& main,
                                  QTextDocument& additional)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(title);
    return print(printer, title, main, additional);
}

} // namespace kapstat::norm
