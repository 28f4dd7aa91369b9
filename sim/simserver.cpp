#include "sim/simserver.h"

#include "link/serialchannel.h"
#include "sim/ptyport.h"
#include "sim/simlog.h"

#include <QCoreApplication>
#include <limits>

namespace kapstat::sim {

namespace {

std::unique_ptr<link::ByteChannel> lineFor(const SimOptions& options)
{
    if (options.port.isEmpty())
        return std::make_unique<PtyPort>();
    return std::make_unique<link::SerialChannel>();
}

} // namespace

SimServer::SimServer(const SimOptions& options, QObject* parent)
    : SimServer(options, lineFor(options), {}, parent)
{
}

SimServer::SimServer(const SimOptions& options, std::unique_ptr<link::ByteChannel> line,
                     RecorderEmulator::TimeSource hostTime, QObject* parent)
    : QObject(parent), m_options(options), m_line(std::move(line)),
      m_emulator(options.recorderState(), std::move(hostTime)),
      m_faults(options.faults, options.scenario.seed), m_requests(options.baud),
      m_sender(*m_line, options.baud)
{
    connect(m_line.get(), &link::ByteChannel::bytesArrived, this, &SimServer::onBytesArrived);
    connect(&m_requests, &RequestPacer::carried, this, &SimServer::answer);
    connect(m_line.get(), &link::ByteChannel::failed, this,
            [](const QString& reason) { qCWarning(simLog) << "line failed:" << reason; });
}

SimServer::~SimServer() = default;

bool SimServer::start(QString* error)
{
    if (m_line->open(m_options.port))
        return true;
    if (error && m_options.port.isEmpty())
        *error = m_line->errorText();
    else if (error)
        *error = QCoreApplication::translate("SimServer", "Nie można otworzyć portu %1: %2")
                     .arg(m_options.port, m_line->errorText());
    return false;
}

void SimServer::stop()
{
    m_line->close();
}

QString SimServer::portPath() const
{
    if (const auto* pty = qobject_cast<const PtyPort*>(m_line.get()))
        return pty->slavePath();
    return m_options.port;
}

void SimServer::onBytesArrived()
{
    m_requests.arrive(m_line->read(std::numeric_limits<qint64>::max()));
}

void SimServer::answer(const QByteArray& bytes, qint64 requestInNs)
{
    for (const QByteArray& response : m_emulator.receive(bytes)) {
        const Delivery delivery = m_faults.plan(response);
        qCDebug(simLog) << "answer" << Qt::hex << quint8(response.at(1)) << "in" << delivery.size()
                        << "chunks";
        m_sender.send(delivery, requestInNs);
    }
}

QString SimServer::commandStatistics() const
{
    QString text;
    for (int code = 0; code < 256; ++code) {
        if (const int count = m_emulator.commandCount(static_cast<quint8>(code)))
            text +=
                QStringLiteral("0x%1 %2\n")
                    .arg(QString::number(code, 16).rightJustified(2, QLatin1Char('0')).toUpper())
                    .arg(count);
    }
    return text;
}

} // namespace kapstat::sim
