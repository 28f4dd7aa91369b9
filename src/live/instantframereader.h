#pragma once

#include "calib/calibrationset.h"
#include "link/operation.h"
#include "live/livestore.h"

#include <QObject>

namespace kapstat::link {
class RecorderLink;
}
namespace kapstat::config {
class ConfigurationModel;
}

namespace kapstat::live {

// Decodes every instantaneous frame the recorder sends into the live store, whatever operation
// asked for it, before that operation's own rows run. Under "liczniki" the frame's scale
// coefficients are taken before its samples are scaled.
class InstantFrameReader : public QObject
{
    Q_OBJECT

public:
    InstantFrameReader(link::RecorderLink& link, const config::ConfigurationModel& model,
                       calib::RangeScale& scale, LiveStore& store, QObject* parent = nullptr);

Q_SIGNALS:
    void frameDecoded(const kapstat::link::Operation& outstanding);
};

} // namespace kapstat::live
