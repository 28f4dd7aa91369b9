#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kapstat::norm {

enum class TextStyle
{
    Regular,
    Bold,
    Italic
};

// A piece of a line in one style.
struct ReportSpan
{
    QString text;
    TextStyle style = TextStyle::Regular;

    bool operator==(const ReportSpan&) const = default;
};

struct ReportLine
{
    QList<ReportSpan> spans;

    QString text() const;
};

// A report text built as a document is typed: the chosen style applies to what is appended until
// it is changed. The command line prints its plain lines; the windows and the printer render the
// same lines with their styles, so the text cannot differ between them.
class ReportDocument
{
public:
    void setStyle(TextStyle style) { m_style = style; }
    // Appends a piece to the line being written.
    void append(const QString& piece);
    // Ends the line being written (an empty line when nothing was appended).
    void endLine();
    // A whole line.
    void line(const QString& text = {});

    // The finished lines; a line still being written is not among them.
    const QList<ReportLine>& lines() const { return m_lines; }
    QStringList plainLines() const;

private:
    QList<ReportLine> m_lines;
    ReportLine m_current;
    TextStyle m_style = TextStyle::Regular;
};

} // namespace kapstat::norm
