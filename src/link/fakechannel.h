#pragma once

#include "link/bytechannel.h"

#include <QList>

namespace kapstat::link {

// An in-memory line for tests: records what the link writes; feed() delivers bytes as one arrival.
class FakeChannel : public ByteChannel
{
    Q_OBJECT

public:
    using ByteChannel::ByteChannel;

    bool open(const QString& portName) override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString errorText() const override { return m_error; }
    bool write(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes) override;
    void discardInput() override;

    void failNextOpen(const QString& error) { m_error = error; }
    void feed(const QByteArray& bytes);
    const QList<QByteArray>& written() const { return m_written; }
    QByteArray lastWritten() const { return m_written.isEmpty() ? QByteArray() : m_written.last(); }
    int discardCount() const { return m_discards; }

private:
    bool m_open = false;
    QString m_error;
    QList<QByteArray> m_written;
    QByteArray m_input;
    int m_discards = 0;
};

} // namespace kapstat::link
