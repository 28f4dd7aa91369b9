#pragma once

#include <QObject>

namespace kapstat::link {

// A one-shot timer with a millisecond interval.
class Timer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;

Q_SIGNALS:
    void timeout();
};

} // namespace kapstat::link
