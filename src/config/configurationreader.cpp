#include "config/configurationreader.h"

#include "config/configurationmodel.h"
#include "config/imagedecoder.h"
#include "config/imagelayout.h"
#include "link/commandtable.h"
#include "link/prompter.h"
#include "link/recorderlink.h"

namespace kapstat::config {

namespace {
constexpr int ImagePosition = 5; // the image follows ESC, code and the two length bytes
}

ConfigurationReader::ConfigurationReader(link::RecorderLink& link, ConfigurationModel& model,
                                         QObject* parent)
    : QObject(parent)
{
    link.router().onCode(link::Command::ReadConfiguration, [this, &link, &model](
                                                               const link::ResponseBytes& response,
                                                               const link::Operation& outstanding) {
        // A download may keep the descriptions typed here: the recorder's may not make file names.
        const bool keepDescriptions = model.configuration().keepLocalDescriptions &&
                                      outstanding.name == link::OperationName::Rekordy;
        if (imagedecoder::apply(model, response.bytes(ImagePosition, imagelayout::Size),
                                keepDescriptions)) {
            Q_EMIT imageApplied(outstanding);
            return link::RouteFlow::Continue;
        }
        link.prompter().show(damagedMessage(), -1, 0);
        Q_EMIT imageDamaged(outstanding);
        return link::RouteFlow::Stop;
    });
}

QString ConfigurationReader::damagedMessage()
{
    return tr("W rejestratorze jest uszkodzona konfiguracja! Odbiór danych niemożliwy.");
}

} // namespace kapstat::config
