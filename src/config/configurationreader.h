#pragma once

#include "link/operation.h"

#include <QObject>

namespace kapstat::link {
class RecorderLink;
}

namespace kapstat::config {

class ConfigurationModel;

// Applies every configuration image the recorder sends, whatever operation asked for it, before
// that operation's own rows run. A damaged image is reported and ends the conversation there.
class ConfigurationReader : public QObject
{
    Q_OBJECT

public:
    ConfigurationReader(link::RecorderLink& link, ConfigurationModel& model,
                        QObject* parent = nullptr);

    static QString damagedMessage();

Q_SIGNALS:
    void imageApplied(const kapstat::link::Operation& outstanding);
    // The image could not be decoded; the operation that asked for it must clean up.
    void imageDamaged(const kapstat::link::Operation& outstanding);
};

} // namespace kapstat::config
