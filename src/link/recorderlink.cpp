#include "link/recorderlink.h"

#include "link/bytechannel.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/timer.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace kapstat::link {

Q_LOGGING_CATEGORY(linkLog, "kapstat.link", QtWarningMsg)

namespace {

constexpr int ReadChunkBytes = 100;
constexpr int StrikesBeforeQuestion = 3;

QString timeoutQuestion()
{
    return QCoreApplication::translate(
        "RecorderLink",
        "Trzy razy z rzędu rejestrator nie odpowiedział na rozkaz komputera. Proszę sprawdzić "
        "poprawnosć podłączenia rejestartora z komputerem. Powtórzyć próbę komunikacji?");
}

QString badChecksumQuestion()
{
    return QCoreApplication::translate(
        "RecorderLink",
        "Trzy razy z rzędu wystąpił błąd przy przesyłaniu danych. Proszę sprawdzić poprawnosć "
        "podłączenia rejestartora z komputerem. Powtórzyć próbę komunikacji?");
}

QString waitForTransferText()
{
    return QCoreApplication::translate("RecorderLink",
                                       "Proszę czekać na zakończenie transmisji...");
}

} // namespace

RecorderLink::RecorderLink(ByteChannel& channel, Timer& responseTimer, Prompter& prompter,
                           QObject* parent)
    : QObject(parent), m_channel(channel), m_timer(responseTimer), m_prompter(prompter)
{
    connect(&m_channel, &ByteChannel::bytesArrived, this, &RecorderLink::onBytesArrived);
    connect(&m_timer, &Timer::timeout, this, &RecorderLink::onTimeout);
}

void RecorderLink::send(Operation pending, const QByteArray& payload)
{
    setPending(pending);
    sendCommand(payload);
}

bool RecorderLink::abortForClosing(Operation closing)
{
    if (!m_busy)
        return true;
    requestAbort();
    setOutstanding(closing);
    m_prompter.show(waitForTransferText(), 0, 0);
    return false;
}

void RecorderLink::sendCommand(const QByteArray& payload)
{
    if (m_busy) {
        m_deferred = payload;
        return;
    }
    const quint8 code = payload.isEmpty() ? 0 : static_cast<quint8>(payload[0]);
    const auto length = payload.isEmpty() ? std::nullopt : m_commands.responseLength(code);
    if (!length) {
        qCWarning(linkLog) << "refusing to send a command with no known response length:"
                           << payload.toHex(' ');
        return;
    }
    m_deferred.clear();
    m_abortRequested = false;
    m_lastCommand = payload;
    m_timer.stop();
    m_outstanding = m_pending;
    m_assembler.expect(payload[0], *length);
    if (!m_channel.isOpen())
        return;

    const QByteArray frame = framecodec::build(payload);
    m_channel.write(frame);
    m_timer.start(CommandTable::responseTimeoutMs(*length));
    m_busy = true;
    m_awaitingAnswer = true;
    m_assembler.clear();
    m_monitor.recordSent(frame);
    Q_EMIT frameWritten(frame);
}

void RecorderLink::onBytesArrived()
{
    for (;;) {
        const QByteArray chunk = m_channel.read(ReadChunkBytes);
        if (chunk.isEmpty())
            return;
        Q_EMIT bytesReceived();
        if (m_awaitingAnswer && m_assembler.feed(chunk))
            dispatch(m_assembler.buffer());
    }
}

void RecorderLink::dispatch(QByteArray buffer)
{
    if (m_repeatsOfLastAnswer > 0 && buffer == m_lastAccepted &&
        m_lastCommand != m_lastAnsweredCommand) {
        dropRepeatedAnswer();
        return;
    }
    m_timer.stop();
    m_busy = false;
    m_counters.consecutiveTimeouts = 0;
    m_monitor.recordReceived(buffer);

    if (m_abortRequested) {
        finishOperation();
        sendDeferredIfIdle();
        return;
    }
    if (!framecodec::hasValidChecksum(buffer)) {
        onBadChecksum();
        return;
    }
    m_counters.consecutiveBadChecksums = 0;
    accept(buffer);
    if (m_holdResults) {
        sendCommand(m_lastCommand);
        return;
    }
    m_response = ResponseBytes(buffer);
    m_router.dispatch(m_response, m_outstanding);
    sendDeferredIfIdle();
}

void RecorderLink::accept(const QByteArray& buffer)
{
    m_lastAccepted = buffer;
    m_lastAnsweredCommand = m_lastCommand;
    m_repeatsOfLastAnswer = m_lateAnswersPossible;
    m_lateAnswersPossible = 0;
    m_awaitingAnswer = false;
    ++m_acceptedCount;
    m_assembler.clear();
}

// A copy of the answer just handled, sent for the re-sent request: handing it on would make it
// the answer to the request now outstanding and shift every later answer by one.
void RecorderLink::dropRepeatedAnswer()
{
    --m_repeatsOfLastAnswer;
    ++m_counters.repeatedAnswersDropped;
    m_monitor.recordReceived(m_assembler.buffer());
    m_monitor.recordRepeatedAnswer();
    m_assembler.clear();
    // The line was busy with the copy; give the real answer its full time.
    if (m_timer.isActive())
        m_timer.start(m_timer.interval());
    Q_EMIT countersChanged();
}

void RecorderLink::onBadChecksum()
{
    m_monitor.recordBadChecksum();
    ++m_counters.badChecksumTotal;
    ++m_counters.consecutiveBadChecksums;
    // The damaged buffer may have been a late copy of the previous answer, in which case the
    // outstanding request's own answer is still on its way beside the re-send's.
    if (m_repeatsOfLastAnswer > 0) {
        --m_repeatsOfLastAnswer;
        ++m_lateAnswersPossible;
    }
    Q_EMIT countersChanged();
    if (m_counters.consecutiveBadChecksums < StrikesBeforeQuestion) {
        m_pending = m_outstanding;
        m_deferred.clear();
        resendLast();
        return;
    }
    m_counters.consecutiveBadChecksums = 0;
    askWhetherToRetry(badChecksumQuestion());
}

void RecorderLink::onTimeout()
{
    m_busy = false;
    m_timer.stop();
    if (m_abortRequested) {
        finishOperation();
    } else {
        ++m_counters.consecutiveTimeouts;
        ++m_counters.timeoutTotal;
        ++m_lateAnswersPossible;
        m_assembler.clear();
        m_channel.discardInput();
        Q_EMIT countersChanged();
        if (m_counters.consecutiveTimeouts >= StrikesBeforeQuestion) {
            m_counters.consecutiveTimeouts = 0;
            askWhetherToRetry(timeoutQuestion());
        } else {
            m_deferred.clear();
            m_pending = m_outstanding;
            resendLast();
        }
    }
    sendDeferredIfIdle();
}

void RecorderLink::resendLast()
{
    ++m_counters.resends;
    sendCommand(m_lastCommand);
}

void RecorderLink::askWhetherToRetry(const QString& question)
{
    const quint64 answeredBefore = m_acceptedCount;
    const PromptAnswer answer = m_prompter.ask(question, 0, PromptButton::Yes | PromptButton::No);
    if (m_acceptedCount != answeredBefore) {
        // The late answer came while the question was open and the conversation has moved on:
        // re-sending now would repeat a request that has been handled.
        if (answer != PromptAnswer::Yes)
            stopCurrentOperation();
        return;
    }
    if (answer == PromptAnswer::Yes) {
        m_deferred.clear();
        m_pending = m_outstanding;
        resendLast();
    } else {
        finishOperation();
    }
}

void RecorderLink::stopCurrentOperation()
{
    if (m_busy)
        requestAbort();
    else
        finishOperation();
}

void RecorderLink::sendDeferredIfIdle()
{
    if (m_busy || m_deferred.isEmpty())
        return;
    sendCommand(std::exchange(m_deferred, {}));
}

void RecorderLink::finishOperation()
{
    m_abortRequested = false;
    m_counters.consecutiveBadChecksums = 0;
    m_counters.consecutiveTimeouts = 0;
    if (!m_busy) {
        m_awaitingAnswer = false;
        m_lateAnswersPossible = 0;
    }
    Q_EMIT countersChanged();
    m_router.finish(m_outstanding);
}

} // namespace kapstat::link
