#include "cli/clisession.h"

#include "cli/clioptions.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>

namespace kapstat::cli {

CliSession::CliSession(int retryRounds, bool yes)
    : m_prompter(retryRounds, yes), m_link(m_channel, m_timer, m_prompter),
      m_calibrationReader(m_link, m_calibration, m_rangeScale), m_out(stdout), m_err(stderr)
{
    QObject::connect(&m_channel, &link::ByteChannel::failed, [this](const QString& reason) {
        m_err << QCoreApplication::translate("kapstat-cli",
                                             "Utracono połączenie z rejestratorem: %1")
                     .arg(reason)
              << Qt::endl;
        finish(ExitStatus::Failed);
    });
}

bool CliSession::open(const QString& port)
{
    if (m_channel.open(port))
        return true;
    m_err << QCoreApplication::translate("kapstat-cli",
                                         "Wybrany port jest niedostępny! Proszę wybrać inny COM.")
          << " (" << port << ": " << m_channel.errorText() << ")" << Qt::endl;
    return false;
}

int CliSession::run()
{
    while (!m_finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_out.flush();
    m_err.flush();
    return m_status;
}

void CliSession::endWhenGivenUp(link::OperationName operation)
{
    m_link.router().onFinish(operation, [this](const link::Operation&) { giveUp(); });
}

void CliSession::giveUp()
{
    m_err << QCoreApplication::translate("kapstat-cli", "Rejestrator nie odpowiada.") << Qt::endl;
    finish(m_prompter.wasRefused() ? ExitStatus::Stopped : ExitStatus::Failed);
}

void CliSession::finish(int status)
{
    if (m_finished)
        return;
    m_status = status;
    m_finished = true;
}

} // namespace kapstat::cli
