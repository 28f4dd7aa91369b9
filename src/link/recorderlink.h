#pragma once

#include "link/commandtable.h"
#include "link/operation.h"
#include "link/receiveassembler.h"
#include "link/responsebytes.h"
#include "link/responserouter.h"
#include "link/transmissionmonitor.h"

#include <QByteArray>
#include <QObject>

namespace kapstat::link {

class ByteChannel;
class Prompter;
class Timer;

struct LinkCounters
{
    int badChecksumTotal = 0;
    int consecutiveBadChecksums = 0;
    int timeoutTotal = 0;
    int consecutiveTimeouts = 0;
    int resends = 0;                // re-sends after a time-out or a bad checksum
    int repeatedAnswersDropped = 0; // second answers to a re-sent request, never handed on
};

// The one link to the recorder: frames commands, keeps a single exchange outstanding, assembles
// and verifies responses and hands them to the router; re-sends and asks after three failures.
class RecorderLink : public QObject
{
    Q_OBJECT

public:
    RecorderLink(ByteChannel& channel, Timer& responseTimer, Prompter& prompter,
                 QObject* parent = nullptr);

    ResponseRouter& router() { return m_router; }
    ByteChannel& channel() { return m_channel; }
    Prompter& prompter() { return m_prompter; }
    const ResponseBytes& response() const { return m_response; }
    const LinkCounters& counters() const { return m_counters; }
    TransmissionMonitor& monitor() { return m_monitor; }

    Operation pending() const { return m_pending; }
    void setPending(Operation operation) { m_pending = operation; }
    Operation outstanding() const { return m_outstanding; }
    // A window closing mid-exchange writes its closing step here.
    void setOutstanding(Operation operation) { m_outstanding = operation; }

    // Writes the payload (code, length, data) framed, or defers it while an exchange is
    // outstanding. Unknown codes and unset computed lengths are never sent.
    void sendCommand(const QByteArray& payload);
    // setPending + sendCommand.
    void send(Operation pending, const QByteArray& payload);

    bool isBusy() const { return m_busy; }
    bool hasDeferredCommand() const { return !m_deferred.isEmpty(); }
    void dropDeferredCommand() { m_deferred.clear(); }
    QByteArray lastCommand() const { return m_lastCommand; }
    void setComputedResponseLength(quint8 code, int length)
    {
        m_commands.setComputedLength(code, length);
    }
    const CommandTable& commands() const { return m_commands; }

    // The stop request: the next response or time-out of the outstanding exchange ends the
    // operation through finishOperation instead of being processed.
    void requestAbort() { m_abortRequested = true; }
    bool isAbortRequested() const { return m_abortRequested; }
    // While held, every good response is answered by re-sending the last command, undecoded.
    void setHoldResults(bool hold) { m_holdResults = hold; }
    // A window closing: true when nothing is in flight and it may close now. Otherwise the
    // exchange in flight is given up with the closing step as its outstanding operation, and
    // the user is asked to wait for its end.
    bool abortForClosing(Operation closing);

    void finishOperation();

Q_SIGNALS:
    void countersChanged();
    void bytesReceived();
    void frameWritten(const QByteArray& frame);

private:
    void onBytesArrived();
    void dispatch(QByteArray buffer);
    void onBadChecksum();
    void onTimeout();
    void resendLast();
    void askWhetherToRetry(const QString& question);
    void stopCurrentOperation();
    void sendDeferredIfIdle();
    void dropRepeatedAnswer();
    void accept(const QByteArray& buffer);

    ByteChannel& m_channel;
    Timer& m_timer;
    Prompter& m_prompter;
    ResponseRouter m_router;
    CommandTable m_commands;
    ReceiveAssembler m_assembler;
    TransmissionMonitor m_monitor;
    ResponseBytes m_response;
    LinkCounters m_counters;

    Operation m_pending;
    Operation m_outstanding;
    QByteArray m_deferred;
    QByteArray m_lastCommand;
    bool m_busy = false;
    bool m_abortRequested = false;
    bool m_holdResults = false;

    // Whether a written command is still owed an answer. A time-out leaves it set (the answer
    // may be late); an accepted answer or the end of the operation clears it. Bytes arriving
    // while nothing is owed are dropped instead of being assembled.
    bool m_awaitingAnswer = false;
    // How many answered writes of the current request may still be answered late: a request
    // re-sent after a time-out can be answered twice.
    int m_lateAnswersPossible = 0;
    // How many copies of the last accepted answer may still arrive. While a different request is
    // outstanding such a copy is the late second answer to a re-sent one, not the answer to it.
    int m_repeatsOfLastAnswer = 0;
    QByteArray m_lastAccepted;
    QByteArray m_lastAnsweredCommand;
    quint64 m_acceptedCount = 0;
};

} // namespace kapstat::link
