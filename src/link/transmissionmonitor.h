#pragma once

#include <QByteArrayView>
#include <QString>

namespace kapstat::link {

// The hidden transmission monitor: a hex dump of every frame written and every buffer received.
class TransmissionMonitor
{
public:
    bool isShown() const { return m_shown; }
    void setShown(bool shown) { m_shown = shown; }
    const QString& text() const { return m_text; }
    void clear() { m_text.clear(); }

    void recordSent(QByteArrayView frame);
    void recordReceived(QByteArrayView buffer);
    void recordBadChecksum();
    void recordRepeatedAnswer();

    // Twenty bytes a line, each line opened by the 1-based index of its first byte ("0021:").
    static QString hexDump(QByteArrayView bytes);

private:
    void appendLine(const QString& line);

    bool m_shown = false;
    QString m_text;
};

} // namespace kapstat::link
