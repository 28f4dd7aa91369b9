#pragma once

#include "sim/faultinjector.h"
#include "sim/linepacer.h"
#include "sim/precisetimer.h"

#include <QObject>
#include <limits>
#include <optional>

namespace kapstat::link {
class ByteChannel;
}

namespace kapstat::sim {

// Writes planned deliveries to the line one after another, as the recorder answers serially: a
// delayed response holds back every response behind it. Paced at the line rate when a baud rate
// is given (each byte handed over once the line has carried it), else as fast as the line takes
// them.
class ResponseSender : public QObject
{
    Q_OBJECT

public:
    ResponseSender(link::ByteChannel& line, std::optional<int> baud, QObject* parent = nullptr);

    // requestInNs: when the request's last byte reached the recorder; the answer starts on the
    // line from then, however late the emulator's own timer woke to hand it over.
    void send(const Delivery& delivery, qint64 requestInNs = Now);
    bool isIdle() const { return m_current.chunk.bytes.isEmpty() && m_queue.isEmpty(); }

private:
    static constexpr qint64 Now = std::numeric_limits<qint64>::max();

    struct Queued
    {
        Chunk chunk;
        qint64 readyNs = Now; // when it may start on the line; Now: when it is taken
    };

    void pump();
    // Writes what has crossed the line by now; false when the rest must wait for it.
    bool writeCurrent();

    link::ByteChannel& m_line;
    std::optional<LinePacer> m_pacer;
    PreciseTimer m_timer;
    QList<Queued> m_queue;
    Queued m_current;
    bool m_currentOnLine = false;
};

} // namespace kapstat::sim
