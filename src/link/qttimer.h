#pragma once

#include "link/timer.h"

#include <QTimer>

namespace kapstat::link {

class QtTimer : public Timer
{
    Q_OBJECT

public:
    explicit QtTimer(QObject* parent = nullptr);

    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
};

} // namespace kapstat::link
