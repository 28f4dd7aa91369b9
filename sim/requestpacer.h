#pragma once

#include "sim/linepacer.h"
#include "sim/precisetimer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <optional>

namespace kapstat::sim {

// The PC's bytes as the recorder receives them over a line of the given rate. A pseudo-terminal
// hands over a request the moment it is written; a real line takes ten bit times a byte, and the
// recorder answers only once the whole request is in. So what arrives is held until the line
// would have carried it. Without a baud rate it passes straight on.
class RequestPacer : public QObject
{
    Q_OBJECT

public:
    explicit RequestPacer(std::optional<int> baud, QObject* parent = nullptr);

    void arrive(const QByteArray& bytes);
    bool isHolding() const { return !m_held.isEmpty(); }

Q_SIGNALS:
    // inNs: when the last of the bytes reached the recorder (now, when unpaced).
    void carried(const QByteArray& bytes, qint64 inNs);

private:
    struct Held
    {
        qint64 crossedNs = 0;
        QByteArray bytes;
    };

    void release();

    std::optional<LinePacer> m_pacer;
    PreciseTimer m_timer;
    // What each read brought, in order, with the moment its last byte crosses the line.
    QList<Held> m_held;
};

} // namespace kapstat::sim
