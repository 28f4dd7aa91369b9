#include "link/transmissionmonitor.h"

namespace kapstat::link {

void TransmissionMonitor::recordSent(QByteArrayView frame)
{
    if (!m_shown)
        return;
    appendLine(QStringLiteral("------NADAWANIE------"));
    m_text += hexDump(frame);
}

void TransmissionMonitor::recordReceived(QByteArrayView buffer)
{
    if (!m_shown)
        return;
    appendLine(QStringLiteral("------ODBIERANIE------"));
    m_text += hexDump(buffer);
}

void TransmissionMonitor::recordBadChecksum()
{
    if (m_shown)
        appendLine(QStringLiteral("**** ZŁA SUMA ****"));
}

void TransmissionMonitor::recordRepeatedAnswer()
{
    if (m_shown)
        appendLine(QStringLiteral("**** POWTÓRZONA ODPOWIEDŹ ****"));
}

QString TransmissionMonitor::hexDump(QByteArrayView bytes)
{
    QString dump;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i % 20 == 0)
            dump += QStringLiteral("%1:").arg(i + 1, 4, 10, QLatin1Char('0'));
        dump += QStringLiteral("%1 ")
                    .arg(static_cast<quint8>(bytes[i]), 2, 16, QLatin1Char('0'))
                    .toUpper();
        if (i % 20 == 19 || i == bytes.size() - 1)
            dump += QLatin1Char('\n');
    }
    return dump;
}

void TransmissionMonitor::appendLine(const QString& line)
{
    m_text += line + QLatin1Char('\n');
}

} // namespace kapstat::link
