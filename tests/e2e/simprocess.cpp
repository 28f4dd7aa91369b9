#include "simprocess.h"

#include <QRegularExpression>

SimProcess::SimProcess(const QStringList& arguments)
{
    m_process.start(QStringLiteral(KAPSTAT_SIM_PATH),
                    arguments + QStringList{QStringLiteral("--stats")});
    if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
        m_portPath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

SimProcess::~SimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QMap<int, int> SimProcess::stopAndCountCommands()
{
    m_process.terminate();
    m_process.waitForFinished(5000);
    QMap<int, int> counts;
    static const QRegularExpression line(QStringLiteral("^0x([0-9A-Fa-f]{2})\\s+(\\d+)\\s*$"),
                                         QRegularExpression::MultilineOption);
    auto matches = line.globalMatch(QString::fromLocal8Bit(m_process.readAllStandardError()));
    while (matches.hasNext()) {
        const auto match = matches.next();
        counts[match.captured(1).toInt(nullptr, 16)] = match.captured(2).toInt();
    }
    return counts;
}
