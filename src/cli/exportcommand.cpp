#include "cli/exportcommand.h"

#include "browse/textexport.h"
#include "cli/clioptions.h"
#include "cli/databasesession.h"

#include <QCoreApplication>
#include <optional>

namespace kapstat::cli {

namespace {

using download::TableKind;

struct ExportRequest
{
    QString selectionFile;
    QString chosenName;
    bool conditionsOnly = false;
};

std::optional<ExportRequest> parseRequest(QStringList arguments)
{
    ExportRequest request;
    while (!arguments.isEmpty()) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--conditions-only"))
            request.conditionsOnly = true;
        else if (option == QLatin1String("--pom") && !arguments.isEmpty())
            request.selectionFile = arguments.takeFirst();
        else if (option == QLatin1String("--out") && !arguments.isEmpty())
            request.chosenName = arguments.takeFirst();
        else
            return std::nullopt;
    }
    if (request.selectionFile.isEmpty() || request.chosenName.isEmpty())
        return std::nullopt;
    return request;
}

} // namespace

int runExportCommand(const QStringList& arguments)
{
    DatabaseSession session;
    const auto request = parseRequest(arguments);
    if (!request) {
        session.err() << QCoreApplication::translate(
                             "kapstat-cli",
                             "Użycie: export --pom PLIK.pom --out NAZWA.prn [--conditions-only]")
                      << Qt::endl;
        return ExitStatus::Usage;
    }
    if (!session.open(request->selectionFile))
        return ExitStatus::Failed;
    session.browse().setConditionFilter(request->conditionsOnly);
    const browse::ExportOutcome outcome = browse::TextExport::exportTables(
        session.browse(), {TableKind::Rms, TableKind::Harm, TableKind::Zanik}, request->chosenName);
    for (const QString& file : outcome.files)
        session.out() << file << '\n';
    session.out().flush();
    if (outcome.error) {
        session.err() << *outcome.error << Qt::endl;
        return ExitStatus::Failed;
    }
    return ExitStatus::Done;
}

} // namespace kapstat::cli
