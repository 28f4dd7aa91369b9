#include "norm/reportdocument.h"

namespace kapstat::norm {

QString ReportLine::text() const
{
    QString text;
    for (const ReportSpan& span : spans)
        text += span.text;
    return text;
}

void ReportDocument::append(const QString& piece)
{
    if (piece.isEmpty())
        return;
    if (!m_current.spans.isEmpty() && m_current.spans.last().style == m_style)
        m_current.spans.last().text += piece;
    else
        m_current.spans.append({piece, m_style});
}

void ReportDocument::endLine()
{
    m_lines.append(m_current);
    m_current = {};
}

void ReportDocument::line(const QString& text)
{
    append(text);
    endLine();
}

QStringList ReportDocument::plainLines() const
{
    QStringList lines;
    for (const ReportLine& line : m_lines)
        lines << line.text();
    return lines;
}

} // namespace kapstat::norm
