#pragma once

#include <QObject>

class QSocketNotifier;

namespace kapstat::sim {

// Ends the event loop cleanly on SIGTERM or SIGINT and, when asked, once standard input closes
// (a parent process that dies takes the emulator with it).
class QuitTriggers : public QObject
{
    Q_OBJECT

public:
    explicit QuitTriggers(QObject* parent = nullptr);
    ~QuitTriggers() override;

    bool watchSignals();
    void watchStandardInputClose();

private:
    static void onSignal(int signal);
    void drainStandardInput();

    QSocketNotifier* m_signalNotifier = nullptr;
    QSocketNotifier* m_inputNotifier = nullptr;
};

} // namespace kapstat::sim
