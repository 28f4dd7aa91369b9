#include "calib/calibrationreader.h"

#include "calib/calibrationblock.h"
#include "link/commandtable.h"
#include "link/recorderlink.h"

namespace kapstat::calib {

CalibrationReader::CalibrationReader(link::RecorderLink& link, CalibrationSet& set,
                                     RangeScale& scale, QObject* parent)
    : QObject(parent)
{
    link.router().onCode(
        link::Command::ReadCalibration,
        [this, &set, &scale](const link::ResponseBytes& response, const link::Operation&) {
            calibrationblock::decode(response, set, scale);
            Q_EMIT calibrationRead();
        });
}

} // namespace kapstat::calib
