#pragma once

#include "link/bytechannel.h"
#include "sim/faultinjector.h"
#include "sim/recorderemulator.h"
#include "sim/requestpacer.h"
#include "sim/responsesender.h"
#include "sim/simoptions.h"

#include <QObject>
#include <memory>

namespace kapstat::sim {

// The emulated recorder on a line: a new pseudo-terminal, or the serial port the options name.
// A program embeds it in its own event loop: construct, start(), open portPath() as the port.
class SimServer : public QObject
{
    Q_OBJECT

public:
    explicit SimServer(const SimOptions& options, QObject* parent = nullptr);
    // Over a line of the caller's choosing (tests pass an in-memory one); it is opened by start().
    SimServer(const SimOptions& options, std::unique_ptr<link::ByteChannel> line,
              RecorderEmulator::TimeSource hostTime = {}, QObject* parent = nullptr);
    ~SimServer() override;

    // False with a message in Polish when the line cannot be opened.
    bool start(QString* error = nullptr);
    void stop();
    // What the PC opens: the pseudo-terminal's slave, or the named port.
    QString portPath() const;

    RecorderEmulator& emulator() { return m_emulator; }
    const RecorderEmulator& emulator() const { return m_emulator; }
    // A request is still crossing the line, or an answer is still going out.
    bool isSending() const { return m_requests.isHolding() || !m_sender.isIdle(); }

    // The count of every command code received, one "0x0B 12" line per code, for --stats.
    QString commandStatistics() const;

private:
    void onBytesArrived();
    void answer(const QByteArray& bytes, qint64 requestInNs);

    SimOptions m_options;
    std::unique_ptr<link::ByteChannel> m_line;
    RecorderEmulator m_emulator;
    FaultInjector m_faults;
    RequestPacer m_requests;
    ResponseSender m_sender;
};

} // namespace kapstat::sim
