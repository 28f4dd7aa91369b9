#include "cli/housekeepingcommands.h"

#include "cli/clioptions.h"
#include "cli/clisession.h"
#include "cli/clitext.h"
#include "common/datetimetext.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "link/clearmemoryconversation.h"
#include "link/clockconversation.h"
#include "link/qttimer.h"
#include "link/statusconversation.h"

#include <QTimer>

namespace kapstat::cli::housekeeping {

namespace {

using link::OperationName;

int usage(CliSession& session, const QString& message)
{
    session.err() << message << Qt::endl;
    return ExitStatus::Usage;
}

void printRow(CliSession& session, const QString& caption, const QString& value)
{
    session.out() << caption << ' ' << value << Qt::endl;
}

// The recorder keeps the year as two digits after 2000.
bool isSettable(const QDateTime& moment)
{
    return moment.isValid() && moment.date().year() >= 2000 && moment.date().year() <= 2099;
}

} // namespace

int status(CliSession& session, const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return usage(session, tr("Polecenie status nie przyjmuje argumentów."));
    // The event memory's share depends on the measuring system of the recorder's configuration.
    config::ConfigurationModel configuration;
    config::ConfigurationReader reader(session.link(), configuration);
    link::QtTimer batteryTimer;
    link::StatusConversation conversation(session.link(), reader, configuration, batteryTimer);
    session.endWhenGivenUp(OperationName::Stan);
    QObject::connect(&reader, &config::ConfigurationReader::imageDamaged,
                     [&session] { session.finish(ExitStatus::Failed); });
    session.prompter().startOperation();
    conversation.start();

    QObject::connect(&conversation, &link::StatusConversation::statusChanged, [&] {
        conversation.stop();
        // After the status row's own handling, with the link free again.
        QTimer::singleShot(0, &conversation, &link::StatusConversation::testBatteries);
    });
    QObject::connect(
        &conversation, &link::StatusConversation::batteriesChanged,
        [&](const link::BatteryReport& batteries) {
            const link::RecorderStatus& status = conversation.status();
            for (int row = 0; row < link::RecorderStatus::RowCount; ++row)
                printRow(session, link::RecorderStatus::caption(row), status.values[row]);
            for (int row = 0; row < link::BatteryReport::RowCount; ++row)
                printRow(session, link::BatteryReport::caption(row), batteries.values[row]);
            session.finish(ExitStatus::Done);
        });
    return session.run();
}

int clock(CliSession& session, const QStringList& arguments)
{
    std::optional<QDateTime> setting;
    if (!arguments.isEmpty()) {
        if (arguments.size() != 2 || arguments[0] != QLatin1String("--set"))
            return usage(session, tr("Użycie: clock [--set now | --set \"rrrr-mm-dd gg:mm:ss\"]"));
        setting = arguments[1] == QLatin1String("now")
                      ? QDateTime::currentDateTime()
                      : common::DateTimeText::parseDateTime(arguments[1]);
        if (!isSettable(*setting))
            return usage(session, tr("Nieprawidłowa data i czas: %1 (oczekiwano \"rrrr-mm-dd "
                                     "gg:mm:ss\" z rokiem 2000-2099).")
                                      .arg(arguments[1]));
    }
    link::ClockConversation conversation(session.link());
    session.endWhenGivenUp(OperationName::Zegarek);
    QObject::connect(&conversation, &link::ClockConversation::readingChanged,
                     [&](const link::ClockReading& reading) {
                         conversation.stop();
                         printRow(session, tr("Rejestrator:"),
                                  reading.recorderDate + QLatin1Char(' ') + reading.recorderTime);
                         printRow(session, tr("Komputer:"),
                                  reading.pcDate + QLatin1Char(' ') + reading.pcTime);
                         session.finish(ExitStatus::Done);
                     });
    session.prompter().startOperation();
    if (setting)
        conversation.setRecorderClock(*setting);
    else
        conversation.start();
    return session.run();
}

int clear(CliSession& session, const QStringList& arguments)
{
    if (!arguments.isEmpty())
        return usage(session, tr("Polecenie clear nie przyjmuje argumentów."));
    link::ClearMemoryConversation conversation(session.link());
    session.endWhenGivenUp(OperationName::Czysc);
    QObject::connect(&conversation, &link::ClearMemoryConversation::cleared,
                     [&session] { session.finish(ExitStatus::Done); });
    session.prompter().startOperation();
    if (!conversation.start())
        return ExitStatus::Stopped;
    return session.run();
}

} // namespace kapstat::cli::housekeeping
