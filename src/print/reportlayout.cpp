#include "print/reportlayout.h"

#include "browse/browsestate.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <array>
#include <functional>
#include <memory>

namespace kapstat::print {

namespace {

// Heights of the bands, in millimetres.
constexpr double BandWidth = 180;
constexpr double HeaderHeight = 6.5; // the page header, its line at 4.5
constexpr double FooterHeight = 5;
constexpr double TitleHeight = 7;
constexpr double TextLineHeight = 3.6; // comment lines and detail rows
constexpr double ColumnHeaderHeight = 5;
constexpr double SummaryHeight = 32;
constexpr double ReportTextGap = 2; // between the compliance report's two texts

const QColor ShadeColour(0xE2, 0xE2, 0xE2);

struct ColumnSpan
{
    double left;
    double right;
    Qt::Alignment alignment;
};

// Where the ten columns stand, in millimetres from the left margin.
constexpr std::array<ColumnSpan, MeasurementPrintout::ColumnCount> ColumnSpans{{
    {1.6, 12.4, Qt::AlignRight},
    {13.8, 38.9, Qt::AlignLeft},
    {40.2, 47.9, Qt::AlignLeft},
    {49.0, 55.9, Qt::AlignLeft},
    {57.2, 57.2 + 19.3, Qt::AlignRight},
    {77.8, 77.8 + 19.3, Qt::AlignRight},
    {98.4, 98.4 + 19.3, Qt::AlignRight},
    {119.1, 119.1 + 19.3, Qt::AlignRight},
    {139.7, 139.7 + 19.3, Qt::AlignRight},
    {160.3, 160.3 + 19.3, Qt::AlignRight},
}};

// The printout's faces, with the fonts a Linux desk has in their place.
QFont face(const QStringList& families, double points, QFont::StyleHint hint = QFont::SansSerif)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    // No ligatures: the PDF's text reads "fi", not one glyph a search does not find.
    font.setStyleHint(hint, QFont::PreferNoShaping);
    return font;
}

QFont arial(double points, bool bold = false)
{
    QFont font = face(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
        points);
    font.setBold(bold);
    return font;
}

QFont arialNarrow(double points)
{
    return face({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                 QStringLiteral("DejaVu Sans Condensed")},
                points);
}

QFont courierNew(double points)
{
    return face({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                 QStringLiteral("DejaVu Sans Mono")},
                points, QFont::TypeWriter);
}

QFont underlined(QFont font)
{
    font.setUnderline(true);
    return font;
}

// Pages of the report on a device: coordinates in millimetres from the top left margin, the page
// header and footer drawn as pages begin and end.
class PagePainter
{
public:
    PagePainter(QPainter& painter, QPagedPaintDevice& device, const ReportTexts& texts)
        : m_painter(painter), m_device(device), m_texts(texts),
          m_dotsPerMm(device.logicalDpiY() / 25.4),
          m_bodyBottom(device.pageLayout().paintRectPixels(device.logicalDpiY()).height() /
                           m_dotsPerMm -
                       FooterHeight)
    {
    }

    // Called at the top of every page after the page header: the column header.
    void setPageStart(std::function<void()> pageStart) { m_pageStart = std::move(pageStart); }

    // The first page's header, then the title and comment block.
    void begin()
    {
        pageHeader();
        if (!m_texts.title.isEmpty()) {
            text({0, y, BandWidth, TitleHeight}, Qt::AlignHCenter | Qt::AlignVCenter, m_texts.title,
                 arial(10, true));
            y += TitleHeight;
        }
        for (const QString& line : m_texts.comment) {
            reserve(TextLineHeight);
            text({0, y, BandWidth, TextLineHeight}, Qt::AlignLeft | Qt::AlignVCenter, line,
                 arial(8));
            y += TextLineHeight;
        }
        y += 2;
        if (m_pageStart)
            m_pageStart();
    }

    // Room for a band of the height: on a new page when it would reach into the footer.
    void reserve(double height)
    {
        if (y + height > m_bodyBottom)
            nextPage();
    }

    void nextPage()
    {
        pageFooter();
        m_device.newPage();
        pageHeader();
        if (m_pageStart)
            m_pageStart();
    }

    int end()
    {
        pageFooter();
        return m_page;
    }

    double available() const { return m_bodyBottom - y; }
    double mm(double value) const { return value * m_dotsPerMm; }
    QRectF area(const QRectF& millimetres) const
    {
        return {mm(millimetres.x()), mm(millimetres.y()), mm(millimetres.width()),
                mm(millimetres.height())};
    }

    // The text in its box; squeezed sideways when it is wider, so it never runs into its
    // neighbour.
    void text(const QRectF& box, Qt::Alignment alignment, const QString& text, const QFont& font)
    {
        m_painter.setFont(font);
        const QRectF target = area(box);
        const double width = m_painter.fontMetrics().horizontalAdvance(text);
        if (width <= target.width()) {
            m_painter.drawText(target, alignment | Qt::TextSingleLine, text);
            return;
        }
        m_painter.save();
        m_painter.translate(target.left(), 0);
        m_painter.scale(target.width() / width, 1);
        m_painter.drawText(
            QRectF(0, target.top(), width, target.height()),
            (alignment & Qt::AlignVertical_Mask) | Qt::AlignLeft | Qt::TextSingleLine, text);
        m_painter.restore();
    }

    void line(double at)
    {
        m_painter.setPen(QPen(Qt::black, mm(0.2)));
        m_painter.drawLine(QPointF(0, mm(at)), QPointF(mm(BandWidth), mm(at)));
    }

    void fill(const QRectF& box, const QColor& colour) { m_painter.fillRect(area(box), colour); }

    QPainter& painter() { return m_painter; }

    double y = 0; // where the next band starts

private:
    void pageHeader()
    {
        ++m_page;
        const QFont font = arial(8);
        // Each text keeps to its part of the band, however long the author's name.
        text({0, 0, 110, 4}, Qt::AlignLeft | Qt::AlignVCenter, m_texts.author, font);
        text({110, 0, 70, 4}, Qt::AlignRight | Qt::AlignVCenter, m_texts.printedAt, font);
        line(4.5);
        y = HeaderHeight;
    }

    void pageFooter()
    {
        const double top = m_bodyBottom + 1;
        const double height = FooterHeight - 1;
        text({0, top, 75, height}, Qt::AlignLeft | Qt::AlignVCenter, m_texts.fileName, arial(8));
        text({75, top, 30, height}, Qt::AlignHCenter | Qt::AlignVCenter, ReportTexts::page(m_page),
             arial(8));
        QFont small = arial(6);
        small.setItalic(true);
        text({105, top, 75, height}, Qt::AlignRight | Qt::AlignVCenter, ReportTexts::madeBy(),
             small);
    }

    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    const ReportTexts& m_texts;
    double m_dotsPerMm;
    double m_bodyBottom; // millimetres
    std::function<void()> m_pageStart;
    int m_page = 0;
};

void paintColumnHeader(PagePainter& pages, const MeasurementPrintout& printout)
{
    for (int column = 0; column < MeasurementPrintout::ColumnCount; ++column) {
        if (!printout.isOn(column))
            continue;
        const ColumnSpan& span = ColumnSpans[column];
        const QFont font =
            underlined(column >= MeasurementPrintout::FirstSelected ? arialNarrow(8) : arial(8));
        pages.text({span.left, pages.y, span.right - span.left, ColumnHeaderHeight - 0.5},
                   span.alignment | Qt::AlignBottom, printout.headers()[column], font);
    }
    pages.y += ColumnHeaderHeight;
}

void paintRow(PagePainter& pages, const MeasurementPrintout::Row& row)
{
    pages.reserve(TextLineHeight);
    if (row.shaded)
        pages.fill({0, pages.y, BandWidth, TextLineHeight}, ShadeColour);
    const QFont font = arial(8);
    for (int column = 0; column < MeasurementPrintout::ColumnCount; ++column) {
        if (row.texts[column].isEmpty())
            continue;
        const ColumnSpan& span = ColumnSpans[column];
        pages.text({span.left, pages.y, span.right - span.left, TextLineHeight},
                   span.alignment | Qt::AlignVCenter, row.texts[column], font);
    }
    pages.y += TextLineHeight;
}

void paintSummary(PagePainter& pages)
{
    pages.reserve(SummaryHeight);
    pages.y += 3;
    pages.line(pages.y);
    pages.text({0, pages.y + 0.5, BandWidth, 6}, Qt::AlignCenter, ReportTexts::endOfReport(),
               arial(10, true));
    pages.y += 7;
    pages.line(pages.y);
    pages.y += 12;
    const QRectF signature(110, pages.y, 70, TextLineHeight);
    pages.text(signature, Qt::AlignCenter, ReportTexts::signatureLine(), arial(8));
    pages.text(signature.translated(0, TextLineHeight), Qt::AlignCenter,
               ReportTexts::signatureCaption(), arial(8));
    pages.y += 2 * TextLineHeight;
}

// One of the compliance report's texts, laid out for its half of the band and drawn page by page
// without cutting a line in two.
class TextColumn
{
public:
    TextColumn(const QTextDocument& source, PagePainter& pages, double left, double width)
        : m_document(source.clone()), m_left(left)
    {
        m_document->setDefaultFont(courierNew(6));
        m_document->setDocumentMargin(0);
        m_document->documentLayout()->setPaintDevice(pages.painter().device());
        m_document->setTextWidth(pages.mm(width));
        m_width = width;
        collectLines();
    }

    bool done() const { return m_shown >= m_document->size().height(); }

    // Draws the next part of the text that fits in the height (device units) below pages.y.
    void paintPart(PagePainter& pages, double height)
    {
        const double limit = m_shown + height;
        double end = limit;
        for (const auto& [top, bottom] : m_lines)
            if (top > m_shown && top < limit && bottom > limit)
                end = std::min(end, top);
        QPainter& painter = pages.painter();
        painter.save();
        painter.translate(pages.mm(m_left), pages.mm(pages.y) - m_shown);
        const QRectF part(0, m_shown, pages.mm(m_width), end - m_shown);
        painter.setClipRect(part);
        QAbstractTextDocumentLayout::PaintContext context;
        // A line that only touches the part is left to the next page, whole.
        context.clip = part.adjusted(0, 1, 0, -1);
        m_document->documentLayout()->draw(&painter, context);
        painter.restore();
        m_shown = end;
    }

private:
    void collectLines()
    {
        QAbstractTextDocumentLayout* layout = m_document->documentLayout();
        for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
            const double top = layout->blockBoundingRect(block).top();
            const QTextLayout* lines = block.layout();
            for (int i = 0; lines && i < lines->lineCount(); ++i) {
                const QTextLine line = lines->lineAt(i);
                m_lines.push_back({top + line.y(), top + line.y() + line.height()});
            }
        }
    }

    std::unique_ptr<QTextDocument> m_document;
    double m_left;
    double m_width = 0;
    double m_shown = 0; // device units of the text already drawn
    std::vector<std::pair<double, double>> m_lines;
};

void paintReportTexts(PagePainter& pages, const QTextDocument& main,
                      const QTextDocument& additional)
{
    const double half = (BandWidth - ReportTextGap) / 2;
    TextColumn left(main, pages, 0, half);
    TextColumn right(additional, pages, half + ReportTextGap, half);
    for (;;) {
        // Below a filled first page the texts start on the next one.
        if (pages.available() > TextLineHeight)
            for (TextColumn* column : {&left, &right})
                if (!column->done())
                    column->paintPart(pages, pages.mm(pages.available()));
        if (left.done() && right.done())
            return;
        pages.nextPage();
    }
}

} // namespace

void ReportLayout::setPage(QPagedPaintDevice& device)
{
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(ReportLayout::LeftMargin, ReportLayout::TopMargin,
                              ReportLayout::RightMargin, ReportLayout::BottomMargin),
                    QPageLayout::Millimeter));
}

ReportLayout ReportLayout::measurements(browse::BrowseState& state, const PrintOptions& options,
                                        ShadingSequence& shading,
                                        std::optional<RecordLimitTest> limit)
{
    ReportLayout layout(ReportTexts::prepare(state, options, browse::PrintKind::Measurements,
                                             QDateTime::currentDateTime()));
    layout.m_measurementKind = true;
    const browse::PrintSelection& selection = state.printSelection();
    if (browse::BrowseTable* table = state.table(selection.source()))
        layout.m_measurements = std::make_unique<MeasurementPrintout>(
            *table, state.filter(), selection, options, shading, std::move(limit));
    return layout;
}

ReportLayout ReportLayout::complianceReport(const browse::BrowseState& state,
                                            const PrintOptions& options, const QTextDocument* main,
                                            const QTextDocument* additional)
{
    ReportLayout layout(ReportTexts::prepare(state, options, browse::PrintKind::Norm,
                                             QDateTime::currentDateTime()));
    layout.m_main = main;
    layout.m_additional = additional;
    return layout;
}

std::optional<int> ReportLayout::paint(QPagedPaintDevice& device) const
{
    if (m_measurementKind && !m_measurements)
        return std::nullopt;
    setPage(device);
    QPainter painter;
    if (!painter.begin(&device))
        return std::nullopt;
    PagePainter pages(painter, device, m_texts);
    bool read = true;
    if (m_measurements) {
        pages.setPageStart([&] { paintColumnHeader(pages, *m_measurements); });
        pages.begin();
        read = m_measurements->forEachRow(
            [&](const MeasurementPrintout::Row& row) { paintRow(pages, row); });
        paintSummary(pages);
    } else {
        pages.begin();
        const QTextDocument none;
        if (m_main || m_additional)
            paintReportTexts(pages, m_main ? *m_main : none, m_additional ? *m_additional : none);
    }
    const int pageCount = pages.end();
    if (!painter.end() || !read)
        return std::nullopt;
    return pageCount;
}

std::optional<int> ReportLayout::writePdf(const QString& path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setCreator(ReportTexts::madeBy());
    return paint(printer);
}

} // namespace kapstat::print
