#pragma once

#include "link/bytechannel.h"

#include <QSocketNotifier>

namespace kapstat::sim {

// The recorder's end of a pseudo-terminal. The PC opens slavePath() as its serial port. We hold
// the slave open ourselves, so the master never sees a hang-up when the PC closes and reopens it.
class PtyPort : public link::ByteChannel
{
    Q_OBJECT

public:
    using ByteChannel::ByteChannel;
    ~PtyPort() override;

    // Creates a new pseudo-terminal; the name is not used, the system chooses the path.
    bool open(const QString& portName = {}) override;
    void close() override;
    bool isOpen() const override { return m_master >= 0; }
    QString errorText() const override { return m_error; }
    bool write(const QByteArray& bytes) override;
    QByteArray read(qint64 maxBytes) override;
    void discardInput() override { m_input.clear(); }

    QString slavePath() const { return m_slavePath; }

private:
    bool fail(const QString& step);
    bool makeSlaveRaw();
    void readMaster();
    void flushOutput();
    void lineFailed();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_error;
    QByteArray m_input;
    QByteArray m_output;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
};

} // namespace kapstat::sim
