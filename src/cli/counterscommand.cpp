#include "cli/counterscommand.h"

#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "cli/clitext.h"
#include "cli/databasesession.h"
#include "config/configurationmodel.h"
#include "live/countersloop.h"
#include "live/instantframereader.h"
#include "norm/compliancereport.h"
#include "norm/pccounterslots.h"

#include <optional>

namespace kapstat::cli {

namespace {

struct CountersArguments
{
    int polls = 1;
    QString selectionFile;
};

std::optional<CountersArguments> parseArguments(QStringList arguments)
{
    CountersArguments parsed;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == QLatin1String("--polls") && !arguments.isEmpty()) {
            bool ok = false;
            parsed.polls = arguments.takeFirst().toInt(&ok);
            if (!ok || parsed.polls < 1)
                return std::nullopt;
        } else if (argument == QLatin1String("--pom") && !arguments.isEmpty()) {
            parsed.selectionFile = arguments.takeFirst();
        } else {
            return std::nullopt;
        }
    }
    return parsed;
}

// The program's counts of the database, computed as the compliance report computes them in the
// service mode, where the counters window lives.
bool computeProgramCounts(const QString& selectionFile, norm::PcCounterSlots& slots)
{
    DatabaseSession database;
    if (!database.open(selectionFile))
        return false;
    norm::ReportConditions conditions;
    conditions.serviceMode = true;
    norm::ComplianceReport::Failure failure;
    if (norm::ComplianceReport::make(database.browse(), conditions, slots, &failure))
        return true;
    database.err() << failure.message << Qt::endl;
    return false;
}

} // namespace

int runCountersCommand(CliSession& session, const QStringList& arguments)
{
    const auto parsed = parseArguments(arguments);
    if (!parsed) {
        session.err() << tr("Użycie: counters [--polls N] [--pom PLIK.pom] (N: liczba odczytów "
                            "liczników, co najmniej 1)")
                      << Qt::endl;
        return ExitStatus::Usage;
    }
    norm::PcCounterSlots slots;
    if (!parsed->selectionFile.isEmpty() && !computeProgramCounts(parsed->selectionFile, slots))
        return ExitStatus::Failed;
    config::ConfigurationModel configuration;
    live::LiveStore store;
    live::InstantFrameReader frames(session.link(), configuration, session.rangeScale(), store);
    live::CountersLoop loop(session.link(), slots, session.rangeScale(), store);
    session.endWhenGivenUp(link::OperationName::Liczniki);
    int received = 0;
    QObject::connect(&loop, &live::CountersLoop::countersShown, [&](const QStringList& lines) {
        if (++received < parsed->polls)
            return;
        loop.requestClose();
        for (const QString& line : lines)
            session.out() << line << '\n';
        session.finish(ExitStatus::Done);
    });
    session.prompter().startOperation();
    loop.start();
    return session.run();
}

} // namespace kapstat::cli
