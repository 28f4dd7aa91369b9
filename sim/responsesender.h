#pragma once

#include "sim/faultinjector.h"
#include "sim/linepacer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <optional>

namespace kapstat::link {
class ByteChannel;
}

namespace kapstat::sim {

// Writes planned deliveries to the line one after another, as the recorder answers serially: a
// delayed response holds back every response behind it. Paced at the line rate when a baud rate
// is given, else as fast as the line takes them.
class ResponseSender : public QObject
{
    Q_OBJECT

public:
    ResponseSender(link::ByteChannel& line, std::optional<int> baud, QObject* parent = nullptr);

    void send(const Delivery& delivery);
    bool isIdle() const { return m_current.bytes.isEmpty() && m_queue.isEmpty(); }

private:
    void pump();
    // Writes what the line may take now; false when the chunk must wait for the pacer.
    bool writeCurrent();

    link::ByteChannel& m_line;
    std::optional<LinePacer> m_pacer;
    QElapsedTimer m_clock;
    QTimer m_timer;
    Delivery m_queue;
    Chunk m_current;
};

} // namespace kapstat::sim
