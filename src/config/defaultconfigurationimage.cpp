#include "config/defaultconfigurationimage.h"

#include "config/imageencoder.h"
#include "config/recorderconfiguration.h"

namespace kapstat::config {

QByteArray defaultConfigurationImage(const calib::CalibrationSet& calibration)
{
    return imageencoder::build(RecorderConfiguration{}, calibration).image;
}

} // namespace kapstat::config
