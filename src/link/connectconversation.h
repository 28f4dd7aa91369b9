#pragma once

#include <QObject>

namespace kapstat::link {

class RecorderLink;

// Establishes contact: reads the calibration block, then the configuration.
class ConnectConversation : public QObject
{
    Q_OBJECT

public:
    explicit ConnectConversation(RecorderLink& link, QObject* parent = nullptr);

    void start();

Q_SIGNALS:
    // The recorder answered: the recorder's actions may be used.
    void recorderActionsEnabled();
    // The configuration arrived too; contact is established.
    void connected();

private:
    RecorderLink& m_link;
};

} // namespace kapstat::link
