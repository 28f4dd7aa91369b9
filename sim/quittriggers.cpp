#include "sim/quittriggers.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kapstat::sim {

namespace {
// A signal handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};
} // namespace

QuitTriggers::QuitTriggers(QObject* parent) : QObject(parent) {}

QuitTriggers::~QuitTriggers()
{
    if (!m_signalNotifier)
        return;
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    for (int& fd : signalPipe) {
        ::close(fd);
        fd = -1;
    }
}

void QuitTriggers::onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

bool QuitTriggers::watchSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    m_signalNotifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [] { QCoreApplication::quit(); });
    struct sigaction action = {};
    action.sa_handler = &QuitTriggers::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

void QuitTriggers::watchStandardInputClose()
{
    m_inputNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_inputNotifier, &QSocketNotifier::activated, this, &QuitTriggers::drainStandardInput);
}

// Whatever is typed is ignored; only the end of the input counts.
void QuitTriggers::drainStandardInput()
{
    char buffer[256];
    if (::read(STDIN_FILENO, buffer, sizeof buffer) > 0)
        return;
    m_inputNotifier->setEnabled(false);
    QCoreApplication::quit();
}

} // namespace kapstat::sim
