#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace kapstat::link {

// The serial line as the link sees it.
class ByteChannel : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool open(const QString& portName) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorText() const = 0;
    virtual bool write(const QByteArray& bytes) = 0;
    // Up to maxBytes of what has arrived; empty when nothing is there.
    virtual QByteArray read(qint64 maxBytes) = 0;
    virtual void discardInput() = 0;

Q_SIGNALS:
    void bytesArrived();
    // The port failed while open (the recorder's cable was pulled, the device vanished).
    void failed(const QString& reason);
};

} // namespace kapstat::link
