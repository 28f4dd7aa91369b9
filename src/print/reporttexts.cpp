#include "print/reporttexts.h"

#include "browse/browsestate.h"
#include "common/datetimetext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kapstat::print {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::print::ReportTexts", text);
}

QStringList measurementComment(const browse::BrowseState& state, const PrintOptions& options)
{
    QStringList lines;
    if (!options.comment.isEmpty())
        lines = options.comment.split(QLatin1Char('\n'));
    const browse::SelectionFile& selection = state.selection();
    lines << QString() << tr("Miejsce wykonania pomiarów: ") + selection.place
          << tr("Nr seryjny rejestratora: ") + selection.serialNumber()
          << tr("Data odebrania danych: ") + selection.received();
    if (!options.allRecords)
        lines << tr("UWAGA! Raport zawiera jedynie rekordy z przedziału czasu zdefiniowanego przez "
                    "użytkownika!");
    if (state.conditionFilter() && state.printSelection().source() != download::TableKind::Zanik)
        lines << tr("UWAGA! Raport zawiera jedynie rekordy zapamiętane z powodu przekroczenia "
                    "zadanych warunków lub powrotu z przekroczenia.");
    return lines;
}

} // namespace

ReportTexts ReportTexts::prepare(const browse::BrowseState& state, const PrintOptions& options,
                                 browse::PrintKind kind, const QDateTime& printedAt)
{
    ReportTexts texts;
    texts.author = tr("Pomiary wykonał: ") + options.author;
    texts.printedAt = tr("Data wykonania wydruku: ") + common::DateTimeText::dateTime(printedAt);
    texts.title = options.title;
    if (kind == browse::PrintKind::Measurements)
        texts.comment = measurementComment(state, options);
    texts.fileName = tr("Nazwa pliku: ") + QFileInfo(state.selection().path).fileName();
    return texts;
}

QString ReportTexts::page(int number)
{
    return tr("Strona: ") + QString::number(number);
}

QString ReportTexts::madeBy()
{
    return tr("Wykonano programem Kapstat firmy ONDRAL");
}

QString ReportTexts::endOfReport()
{
    return tr("KONIEC RAPORTU");
}

QString ReportTexts::signatureLine()
{
    return QStringLiteral("............................................................");
}

QString ReportTexts::signatureCaption()
{
    return tr("sporządził");
}

QString ReportTexts::pdfNotWritten(const QString& path)
{
    return tr("Nie udało się zapisać pliku %1. Sprawdź, czy folder istnieje i czy wolno w nim "
              "zapisywać.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace kapstat::print
