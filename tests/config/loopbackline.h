#pragma once

#include "link/bytechannel.h"

// One end of an in-memory serial line: what one end writes arrives at the other on the next
// turn of the event loop, as bytes from a real port would.
class LoopbackLine : public kapstat::link::ByteChannel
{
    Q_OBJECT

public:
    using ByteChannel::ByteChannel;

    void connectTo(LoopbackLine& peer) { m_peer = &peer; }

    bool open(const QString&) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString errorText() const override { return {}; }
    bool write(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes) override;
    void discardInput() override { m_input.clear(); }

private:
    void arrive(const QByteArray& bytes);

    LoopbackLine* m_peer = nullptr;
    QByteArray m_input;
    bool m_open = false;
};
