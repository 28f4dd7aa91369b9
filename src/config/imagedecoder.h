#pragma once

#include "config/recorderconfiguration.h"

#include <QByteArray>
#include <optional>

namespace kapstat::config {

class ConfigurationModel;

// What a received configuration image says, before it is applied.
struct DecodedImage
{
    RecorderConfiguration values; // every field the image carries, the rest at their defaults
    // nullopt when the image leaves the measuring system as it was (bits 10b).
    std::optional<MeasuringSystem> system;
};

namespace imagedecoder {

// nullopt when the image is damaged: too short, a number field that is not decimal, or a
// peak-power period the list does not have.
std::optional<DecodedImage> decode(const QByteArray& image);

// Decodes the image and applies it field by field through the model's rules, in the order the
// recorder's fields come. A damaged image changes nothing and returns false.
bool apply(ConfigurationModel& model, const QByteArray& image, bool keepDescriptions);

} // namespace imagedecoder

} // namespace kapstat::config
