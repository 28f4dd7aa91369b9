#pragma once

#include "link/bytechannel.h"

#include <QSerialPort>

namespace kapstat::link {

// The recorder's serial line: 19200 baud, 8N1, DTR and RTS on, no flow control.
class SerialChannel : public ByteChannel
{
    Q_OBJECT

public:
    explicit SerialChannel(QObject* parent = nullptr);

    bool open(const QString& portName) override;
    void close() override;
    bool isOpen() const override;
    QString errorText() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes) override;
    void discardInput() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
};

} // namespace kapstat::link
