#pragma once

#include <QObject>

namespace kapstat::link {

class RecorderLink;

// Empties the recorder's measurement memory after the user's confirmation.
class ClearMemoryConversation : public QObject
{
    Q_OBJECT

public:
    explicit ClearMemoryConversation(RecorderLink& link, QObject* parent = nullptr);

    // Asks first; false when the user said no and nothing was sent.
    bool start();

    static QString question();

Q_SIGNALS:
    void cleared();

private:
    RecorderLink& m_link;
};

} // namespace kapstat::link
