#include "cli/printcommand.h"

#include "cli/clioptions.h"
#include "cli/clitext.h"
#include "cli/databasesession.h"
#include "common/datetimetext.h"
#include "print/printsourcetimes.h"
#include "print/reportlayout.h"

#include <algorithm>
#include <map>
#include <optional>

namespace kapstat::cli {

namespace {

using download::TableKind;

struct PrintArguments
{
    QString pom;
    TableKind table = TableKind::Rms;
    QStringList columns;
    QString pdf;
    std::optional<QDateTime> from;
    std::optional<QDateTime> to;
    print::PrintOptions options;
};

QString usage()
{
    return tr("Użycie: print --pom PLIK.pom --table rms|harm|events --columns NAZWA[,NAZWA...] "
              "--pdf PLIK.pdf [--from \"rrrr-MM-dd gg:mm:ss\" --to \"rrrr-MM-dd gg:mm:ss\"] "
              "[--title TYTUŁ] [--author AUTOR] [--shading]");
}

std::optional<TableKind> tableKind(const QString& name)
{
    static const std::map<QString, TableKind> kinds{{QStringLiteral("rms"), TableKind::Rms},
                                                    {QStringLiteral("harm"), TableKind::Harm},
                                                    {QStringLiteral("events"), TableKind::Zanik}};
    const auto found = kinds.find(name);
    return found == kinds.end() ? std::nullopt : std::optional<TableKind>(found->second);
}

std::optional<QDateTime> moment(const QString& text, QString* error)
{
    const QDateTime parsed = common::DateTimeText::parseDateTime(text);
    if (!parsed.isValid()) {
        *error = tr("Nieprawidłowa data i czas: %1 (oczekiwano rrrr-MM-dd gg:mm:ss).").arg(text);
        return std::nullopt;
    }
    return parsed;
}

// Reads one option and its value into the arguments; false with the message when it is wrong.
bool takeOption(const QString& option, const QString& value, PrintArguments& parsed, QString* error)
{
    if (option == QLatin1String("--pom"))
        parsed.pom = value;
    else if (option == QLatin1String("--pdf"))
        parsed.pdf = value;
    else if (option == QLatin1String("--title"))
        parsed.options.title = value;
    else if (option == QLatin1String("--author"))
        parsed.options.author = value;
    else if (option == QLatin1String("--columns"))
        parsed.columns = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    else if (option == QLatin1String("--table")) {
        const auto kind = tableKind(value);
        if (!kind) {
            *error = tr("Nieznana tabela: %1 (rms, harm albo events).").arg(value);
            return false;
        }
        parsed.table = *kind;
    } else if (option == QLatin1String("--from") || option == QLatin1String("--to")) {
        const auto time = moment(value, error);
        if (!time)
            return false;
        (option == QLatin1String("--from") ? parsed.from : parsed.to) = time;
    } else {
        *error = tr("Nieznana opcja: %1").arg(option);
        return false;
    }
    return true;
}

std::optional<PrintArguments> parse(QStringList arguments, QString* error)
{
    PrintArguments parsed;
    bool tableGiven = false;
    while (!arguments.isEmpty()) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--shading")) {
            parsed.options.shading = true;
            continue;
        }
        if (arguments.isEmpty()) {
            *error = tr("Opcja %1 wymaga wartości.").arg(option);
            return std::nullopt;
        }
        tableGiven |= option == QLatin1String("--table");
        if (!takeOption(option, arguments.takeFirst(), parsed, error))
            return std::nullopt;
    }
    if (parsed.pom.isEmpty() || parsed.pdf.isEmpty() || !tableGiven || parsed.columns.isEmpty()) {
        *error = tr("Podaj --pom, --table, --columns i --pdf.");
        return std::nullopt;
    }
    if (parsed.columns.size() > browse::PrintSelection::SlotCount) {
        *error = browse::BrowseState::printFullMessage();
        return std::nullopt;
    }
    if (parsed.columns.removeDuplicates() > 0) {
        *error = tr("Każdą kolumnę można wybrać tylko raz.");
        return std::nullopt;
    }
    return parsed;
}

bool isPrintable(const browse::BrowseTable& table, const QString& name)
{
    return std::any_of(table.columns().begin(), table.columns().end(),
                       [&](const browse::DisplayColumn& c) { return c.name == name && !c.hidden; });
}

// Chooses the columns as the table windows' print toggles do; the message of the first refused.
std::optional<QString> selectColumns(browse::BrowseState& state, TableKind kind,
                                     const QStringList& columns)
{
    const browse::BrowseTable& table = *state.table(kind);
    for (const QString& column : columns)
        if (!isPrintable(table, column) ||
            state.togglePrint(kind, 0, column) != browse::ToggleOutcome::Added)
            return tr("Kolumny %1 nie można wydrukować z tej tabeli.").arg(column);
    return std::nullopt;
}

// Without a range every record prints; a range given by one end only reaches to the first or
// the last record on the other.
void setRange(const browse::BrowseState& state, const PrintArguments& parsed,
              print::PrintOptions& options)
{
    options.allRecords = !parsed.from && !parsed.to;
    const auto times = print::printSourceTimes(state);
    options.from = parsed.from.value_or(times ? times->first : QDateTime());
    options.to = parsed.to.value_or(times ? times->last : QDateTime());
}

} // namespace

bool isPrintCommand(const QString& command)
{
    return command == QLatin1String("print");
}

int runPrintCommand(const QStringList& arguments)
{
    DatabaseSession session;
    QString error;
    auto parsed = parse(arguments, &error);
    if (!parsed) {
        session.err() << error << '\n' << usage() << Qt::endl;
        return ExitStatus::Usage;
    }
    if (!session.open(parsed->pom))
        return ExitStatus::Failed;
    browse::BrowseState& state = session.browse();
    if (!state.table(parsed->table)) {
        session.err() << tr("Baza %1 nie zawiera tej tabeli.").arg(parsed->pom) << Qt::endl;
        return ExitStatus::Failed;
    }
    if (const auto refused = selectColumns(state, parsed->table, parsed->columns)) {
        session.err() << *refused << Qt::endl;
        return ExitStatus::Usage;
    }
    setRange(state, *parsed, parsed->options);
    print::ShadingSequence shading;
    const auto pages =
        print::ReportLayout::measurements(state, parsed->options, shading).writePdf(parsed->pdf);
    if (!pages) {
        session.err() << print::ReportTexts::pdfNotWritten(parsed->pdf) << Qt::endl;
        return ExitStatus::Failed;
    }
    session.out() << tr("Zapisano wydruk w pliku %1, stron: %2.").arg(parsed->pdf).arg(*pages)
                  << Qt::endl;
    return ExitStatus::Done;
}

} // namespace kapstat::cli
