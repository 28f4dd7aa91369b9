#include "sim/ptyport.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace kapstat::sim {

namespace {
bool wouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK;
}
} // namespace

PtyPort::~PtyPort()
{
    close();
}

bool PtyPort::fail(const QString& step)
{
    m_error = QCoreApplication::translate("PtyPort", "Nie można utworzyć pseudoterminala (%1): %2")
                  .arg(step, QString::fromLocal8Bit(std::strerror(errno)));
    close();
    return false;
}

bool PtyPort::open(const QString&)
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(QStringLiteral("posix_openpt"));
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail(QStringLiteral("grantpt"));
    const char* name = ptsname(m_master);
    if (!name)
        return fail(QStringLiteral("ptsname"));
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0 || !makeSlaveRaw())
        return fail(m_slavePath);
    if (fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) != 0)
        return fail(QStringLiteral("fcntl"));
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyPort::readMaster);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyPort::flushOutput);
    return true;
}

// Binary bytes both ways: no echo, no line editing, no CR/NL translation.
bool PtyPort::makeSlaveRaw()
{
    termios settings{};
    if (tcgetattr(m_slave, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    cfsetspeed(&settings, B19200);
    return tcsetattr(m_slave, TCSANOW, &settings) == 0;
}

void PtyPort::close()
{
    // Closing may happen inside a notifier's own signal, so they go later, not now.
    for (QSocketNotifier** notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
        }
        *notifier = nullptr;
    }
    for (int* fd : {&m_master, &m_slave}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    m_input.clear();
    m_output.clear();
}

// Not expected while we hold the slave open; stop watching rather than spin on the error.
void PtyPort::lineFailed()
{
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    close();
    Q_EMIT failed(reason);
}

bool PtyPort::write(const QByteArray& bytes)
{
    if (!isOpen())
        return false;
    m_output.append(bytes);
    flushOutput();
    return true;
}

// What the terminal cannot take now waits for the write notifier; the order is kept.
void PtyPort::flushOutput()
{
    while (!m_output.isEmpty()) {
        const ssize_t written = ::write(m_master, m_output.constData(), m_output.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && !wouldBlock())
            return lineFailed();
        if (written <= 0)
            break;
        m_output.remove(0, written);
    }
    m_writeNotifier->setEnabled(!m_output.isEmpty());
}

void PtyPort::readMaster()
{
    char buffer[4096];
    bool arrived = false;
    while (true) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && !wouldBlock())
            return lineFailed();
        if (count <= 0)
            break;
        m_input.append(buffer, count);
        arrived = true;
    }
    if (arrived)
        Q_EMIT bytesArrived();
}

QByteArray PtyPort::read(qint64 maxBytes)
{
    const QByteArray taken = m_input.left(maxBytes);
    m_input.remove(0, taken.size());
    return taken;
}

} // namespace kapstat::sim
