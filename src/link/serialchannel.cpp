#include "link/serialchannel.h"

namespace kapstat::link {

namespace {
constexpr int WriteTimeoutMs = 100;
constexpr qint64 InputBufferBytes = 32000;
} // namespace

SerialChannel::SerialChannel(QObject* parent) : ByteChannel(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &ByteChannel::bytesArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialChannel::onError);
}

bool SerialChannel::open(const QString& portName)
{
    close();
    m_port.setPortName(portName);
    m_port.setBaudRate(QSerialPort::Baud19200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_port.setReadBufferSize(InputBufferBytes);
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    // A pseudo-terminal has no modem lines; the emulated recorder does not need them.
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    return true;
}

void SerialChannel::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool SerialChannel::isOpen() const
{
    return m_port.isOpen();
}

QString SerialChannel::errorText() const
{
    return m_port.errorString();
}

bool SerialChannel::write(const QByteArray& bytes)
{
    if (m_port.write(bytes) != bytes.size())
        return false;
    // Straight to the driver: waiting would first poll, an extra round through the kernel on
    // every exchange. Only what the driver cannot take yet waits, up to the write time-out.
    m_port.flush();
    return m_port.bytesToWrite() == 0 || m_port.waitForBytesWritten(WriteTimeoutMs);
}

QByteArray SerialChannel::read(qint64 maxBytes)
{
    return m_port.read(maxBytes);
}

void SerialChannel::discardInput()
{
    m_port.clear(QSerialPort::Input);
}

void SerialChannel::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError)
        return;
    const QString reason = m_port.errorString();
    close();
    Q_EMIT failed(reason);
}

} // namespace kapstat::link
