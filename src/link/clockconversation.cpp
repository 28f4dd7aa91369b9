#include "link/clockconversation.h"

#include "common/datetimetext.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"

namespace kapstat::link {

namespace {

constexpr int ClockPosition = 5;
constexpr int ReadStep = 1;
constexpr int SetStep = 2;
constexpr int ClosingStep = 3;

QString errorText(const ResponseBytes& response, int position)
{
    return QLatin1String("Err:") + response.bytes(position, 3).toHex().toUpper();
}

} // namespace

ClockReading ClockReading::from(const ResponseBytes& response, const QDateTime& pcNow)
{
    using common::DateTimeText;
    ClockReading reading{
        {}, {}, DateTimeText::date(pcNow.date()), DateTimeText::time(pcNow.time())};
    const auto recorder = numbers::decodeBcdDateTime(response, ClockPosition);
    if (recorder.ok) {
        reading.recorderDate = DateTimeText::date(recorder.value.date());
        reading.recorderTime = DateTimeText::time(recorder.value.time());
    } else {
        reading.recorderDate = errorText(response, ClockPosition + 3);
        reading.recorderTime = errorText(response, ClockPosition);
    }
    return reading;
}

ClockConversation::ClockConversation(RecorderLink& link, Now now, QObject* parent)
    : QObject(parent), m_link(link),
      m_now(now ? std::move(now) : [] { return QDateTime::currentDateTime(); })
{
    registerRows();
}

void ClockConversation::registerRows()
{
    ResponseRouter& router = m_link.router();
    router.onCode(Command::SetClock, [this](const ResponseBytes&, const Operation&) {
        Q_EMIT clockSet();
        readAgainIfPolling();
    });
    router.on(Command::ReadClock, OperationName::Zegarek,
              [this](const ResponseBytes& response, const Operation&) {
                  m_reading = ClockReading::from(response, m_now());
                  Q_EMIT readingChanged(m_reading);
                  readAgainIfPolling();
              });
    router.onFinish(OperationName::Zegarek, ClosingStep, [this](const Operation&) {
        m_link.prompter().close();
        Q_EMIT closeReady();
    });
}

void ClockConversation::start()
{
    m_polling = true;
    m_link.send({OperationName::Zegarek, ReadStep}, framecodec::payload(Command::ReadClock));
}

void ClockConversation::readAgainIfPolling()
{
    if (m_polling)
        m_link.send({OperationName::Zegarek, ReadStep}, framecodec::payload(Command::ReadClock));
}

void ClockConversation::setRecorderClock(const QDateTime& moment)
{
    m_polling = true;
    // A read in flight is given up; the setting goes out once the link has ended it.
    m_link.setPending({OperationName::Zegarek, SetStep});
    m_link.requestAbort();
    m_link.sendCommand(framecodec::payload(Command::SetClock, numbers::encodeBcdDateTime(moment)));
}

bool ClockConversation::requestClose()
{
    m_polling = false;
    return m_link.abortForClosing({OperationName::Zegarek, ClosingStep});
}

} // namespace kapstat::link
