#include "cli/downloadcommand.h"

#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "download/downloadconversation.h"

#include <QCoreApplication>
#include <QDir>

namespace kapstat::cli {

namespace {

using download::DownloadConversation;

int statusOf(DownloadConversation::Outcome outcome)
{
    switch (outcome) {
    case DownloadConversation::Outcome::Completed:
        return ExitStatus::Done;
    case DownloadConversation::Outcome::Stopped:
        return ExitStatus::Stopped;
    case DownloadConversation::Outcome::Empty:
    case DownloadConversation::Outcome::Failed:
        break;
    }
    return ExitStatus::Failed;
}

} // namespace

int runDownloadCommand(CliSession& session, const QStringList& arguments)
{
    if (arguments.size() != 2 || arguments[0] != QLatin1String("--db")) {
        session.err() << QCoreApplication::translate("kapstat-cli", "Użycie: download --db FOLDER")
                      << Qt::endl;
        return ExitStatus::Usage;
    }
    const QString folder = QDir(arguments[1]).absolutePath();
    if (!QDir().mkpath(folder)) {
        session.err() << QCoreApplication::translate("kapstat-cli",
                                                     "Nie można utworzyć folderu %1.")
                             .arg(folder)
                      << Qt::endl;
        return ExitStatus::Failed;
    }
    config::ConfigurationModel model;
    config::ConfigurationReader reader(session.link(), model);
    DownloadConversation conversation(session.link(), model, reader);
    QObject::connect(&conversation, &DownloadConversation::finished,
                     [&session](DownloadConversation::Outcome outcome, const QString& message) {
                         if (outcome == DownloadConversation::Outcome::Completed)
                             session.out() << message << Qt::endl;
                         session.finish(statusOf(outcome));
                     });
    session.prompter().startOperation();
    conversation.start(folder);
    return session.run();
}

} // namespace kapstat::cli
