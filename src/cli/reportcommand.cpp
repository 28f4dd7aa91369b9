#include "cli/reportcommand.h"

#include "cli/clioptions.h"
#include "cli/clitext.h"
#include "cli/databasesession.h"
#include "norm/compliancereport.h"
#include "norm/pccounterslots.h"
#include "norm/reporttextdocument.h"

#include <optional>

namespace kapstat::cli {

namespace {

struct ReportArguments
{
    QString selectionFile;
    bool service = false;
    QString pdf;
};

std::optional<ReportArguments> parseArguments(QStringList arguments)
{
    ReportArguments parsed;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == QLatin1String("--service"))
            parsed.service = true;
        else if (argument == QLatin1String("--pom") && !arguments.isEmpty())
            parsed.selectionFile = arguments.takeFirst();
        else if (argument == QLatin1String("--pdf") && !arguments.isEmpty())
            parsed.pdf = arguments.takeFirst();
        else
            return std::nullopt;
    }
    if (parsed.selectionFile.isEmpty())
        return std::nullopt;
    return parsed;
}

void printLines(QTextStream& out, const QStringList& lines)
{
    for (const QString& line : lines)
        out << line << '\n';
}

const QChar FormFeed(0x0C);

} // namespace

bool wantsPrintedReport(const QStringList& arguments)
{
    const qsizetype command = arguments.indexOf(QLatin1String("report"));
    return command >= 0 && arguments.indexOf(QLatin1String("--pdf"), command) > command;
}

int runReportCommand(const QStringList& arguments)
{
    DatabaseSession session;
    const auto parsed = parseArguments(arguments);
    if (!parsed) {
        session.err() << tr("Użycie: report --pom PLIK.pom [--service] [--pdf PLIK.pdf]")
                      << Qt::endl;
        return ExitStatus::Usage;
    }
    if (!session.open(parsed->selectionFile))
        return ExitStatus::Failed;
    norm::PcCounterSlots slots;
    norm::ReportConditions conditions;
    conditions.serviceMode = parsed->service;
    norm::ComplianceReport::Failure failure;
    const auto report = norm::ComplianceReport::make(session.browse(), conditions, slots, &failure);
    if (!report) {
        session.err() << failure.message << Qt::endl;
        return ExitStatus::Failed;
    }
    if (!parsed->pdf.isEmpty()) {
        if (!norm::ReportTextDocument::writePdf(session.browse(), *report, parsed->pdf)) {
            session.err() << tr("Nie można zapisać raportu do pliku %1.").arg(parsed->pdf)
                          << Qt::endl;
            return ExitStatus::Failed;
        }
    }
    QTextStream& out = session.out();
    out << report->title << '\n' << FormFeed << '\n';
    printLines(out, report->main.plainLines());
    out << FormFeed << '\n';
    printLines(out, report->additional.plainLines());
    out.flush();
    return ExitStatus::Done;
}

} // namespace kapstat::cli
