#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

namespace kapstat::link {

class RecorderLink;
class ResponseBytes;

// One reading of the clock window: the recorder's date and time beside the PC's.
struct ClockReading
{
    QString recorderDate;
    QString recorderTime;
    QString pcDate;
    QString pcTime;

    // A recorder field that is not a valid date and time shows its raw bytes after "Err:".
    static ClockReading from(const ResponseBytes& response, const QDateTime& pcNow);

    bool operator==(const ClockReading&) const = default;
};

// Reads the recorder's clock continuously while the clock window is open, and sets it.
class ClockConversation : public QObject
{
    Q_OBJECT

public:
    using Now = std::function<QDateTime()>;

    explicit ClockConversation(RecorderLink& link, Now now = {}, QObject* parent = nullptr);

    // The window was shown: read, and read again after every answer.
    void start();
    // Sets the recorder's clock to the moment; reading resumes after the recorder's answer.
    void setRecorderClock(const QDateTime& moment);
    void synchronise() { setRecorderClock(m_now()); }
    // No further reading is asked for; an exchange in flight still ends normally.
    void stop() { m_polling = false; }
    // True when the window may close now. Otherwise the exchange in flight is given up and
    // closeReady follows once the link has ended it.
    bool requestClose();

    const ClockReading& reading() const { return m_reading; }
    QDateTime pcNow() const { return m_now(); }

Q_SIGNALS:
    void readingChanged(const kapstat::link::ClockReading& reading);
    void clockSet();
    void closeReady();

private:
    void registerRows();
    void readAgainIfPolling();

    RecorderLink& m_link;
    Now m_now;
    ClockReading m_reading;
    // Whether the window is open. Only then does an answer ask for the next reading, so a
    // setting deferred behind the window's closing cannot restart the reading unseen.
    bool m_polling = false;
};

} // namespace kapstat::link
