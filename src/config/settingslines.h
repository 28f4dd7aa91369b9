#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace kapstat::config {

class ConfigurationModel;
struct RecorderConfiguration;

// One line of a settings file: how it is written, and how it is assigned when read (false when
// the text does not convert).
struct SettingsLine
{
    std::function<QString(const RecorderConfiguration&)> write;
    std::function<bool(ConfigurationModel&, const QString&)> read;
};

// The 406 lines in file order.
const QList<SettingsLine>& settingsLines();

} // namespace kapstat::config
