#include "cli/configcommand.h"

#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "cli/clitext.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/configurationtransfer.h"
#include "config/settingsfile.h"

namespace kapstat::cli {

namespace {

using config::ConfigurationTransfer;

int statusOf(ConfigurationTransfer::Outcome outcome, const CliPrompter& prompter)
{
    switch (outcome) {
    case ConfigurationTransfer::Outcome::Done:
        return ExitStatus::Done;
    case ConfigurationTransfer::Outcome::Cancelled:
        return ExitStatus::Stopped;
    case ConfigurationTransfer::Outcome::Failed:
        break;
    }
    return prompter.wasRefused() ? ExitStatus::Stopped : ExitStatus::Failed;
}

} // namespace

int runConfigCommand(CliSession& session, const QStringList& arguments)
{
    const QString action = arguments.value(0);
    const QString path = arguments.value(1);
    if (arguments.size() != 2 ||
        (action != QLatin1String("read") && action != QLatin1String("send"))) {
        session.err() << tr("Użycie: config read PLIK.ust | config send PLIK.ust") << Qt::endl;
        return ExitStatus::Usage;
    }

    config::ConfigurationModel model;
    config::ConfigurationReader reader(session.link(), model);
    ConfigurationTransfer transfer(session.link(), model, reader, session.calibration());
    QObject::connect(&transfer, &ConfigurationTransfer::informationRequested,
                     [&session](const QString& text) { session.err() << text << Qt::endl; });
    QObject::connect(&transfer, &ConfigurationTransfer::finished,
                     [&](ConfigurationTransfer::Outcome outcome, const QString&) {
                         int status = statusOf(outcome, session.prompter());
                         if (status == ExitStatus::Done && action == QLatin1String("read")) {
                             if (const auto error =
                                     config::SettingsFile::save(model.configuration(), path)) {
                                 session.err() << *error << Qt::endl;
                                 status = ExitStatus::Failed;
                             }
                         }
                         session.finish(status);
                     });

    session.prompter().startOperation();
    if (action == QLatin1String("read")) {
        transfer.receive();
    } else {
        if (const auto error = config::SettingsFile::load(model, path)) {
            session.err() << *error << Qt::endl;
            return ExitStatus::Failed;
        }
        // Naming the command is the answer to "Czy na pewno wysłać ustawienia do rejestratora?".
        session.prompter().answerYesTo(tr("Czy na pewno wysłać ustawienia do rejestratora?"));
        transfer.send();
    }
    return session.run();
}

} // namespace kapstat::cli
