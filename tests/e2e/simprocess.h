#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

// kapstat-sim running as its own process on a pseudo-terminal, as a user would start it.
class SimProcess
{
public:
    explicit SimProcess(const QStringList& arguments);
    ~SimProcess();

    // The pseudo-terminal path it printed first; empty when it did not start.
    QString portPath() const { return m_portPath; }
    // Stops it and returns how many commands of each code it received.
    QMap<int, int> stopAndCountCommands();

private:
    QProcess m_process;
    QString m_portPath;
};
