#include "live/instantframereader.h"

#include "config/configurationmodel.h"
#include "link/commandtable.h"
#include "link/recorderlink.h"
#include "live/instantframe.h"

namespace kapstat::live {

InstantFrameReader::InstantFrameReader(link::RecorderLink& link,
                                       const config::ConfigurationModel& model,
                                       calib::RangeScale& scale, LiveStore& store, QObject* parent)
    : QObject(parent)
{
    link.router().onCode(link::Command::InstantFrame, [this, &model, &scale,
                                                       &store](const link::ResponseBytes& response,
                                                               const link::Operation& outstanding) {
        const auto timing = outstanding.name == link::OperationName::Liczniki
                                ? ScaleBlockTiming::BeforeScaling
                                : ScaleBlockTiming::AfterScaling;
        decodeInstantFrame(response, model.configuration().measuringSystem, scale, store, timing);
        Q_EMIT frameDecoded(outstanding);
    });
}

} // namespace kapstat::live
