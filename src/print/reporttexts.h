#pragma once

#include "browse/printselection.h"
#include "print/printoptions.h"

#include <QDateTime>
#include <QStringList>

namespace kapstat::browse {
class BrowseState;
}

namespace kapstat::print {

// The texts of a printout's bands, apart from its table: page header, title, comment block and
// page footer, and the fixed captions of the summary.
struct ReportTexts
{
    QString author;    // "Pomiary wykonał: …"
    QString printedAt; // "Data wykonania wydruku: …"
    QString title;
    QStringList comment;
    QString fileName; // "Nazwa pliku: …"

    // The texts of a printout of the open database made at the given moment. The comment block
    // says where and with which recorder the measurements were made and which records were left
    // out; the compliance report prints none.
    static ReportTexts prepare(const browse::BrowseState& state, const PrintOptions& options,
                               browse::PrintKind kind, const QDateTime& printedAt);

    static QString page(int number); // "Strona: N"
    static QString madeBy();
    static QString endOfReport();
    static QString signatureLine();
    static QString signatureCaption();
    // A PDF file that could not be written.
    static QString pdfNotWritten(const QString& path);
};

} // namespace kapstat::print
