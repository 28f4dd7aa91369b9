#pragma once

#include <QString>
#include <optional>

namespace kapstat::config {

class ConfigurationModel;
struct RecorderConfiguration;

// The configuration as a settings file (.ust): 406 lines of Windows-1250 text with CR LF ends,
// one value a line, its meaning given by its position.
class SettingsFile
{
public:
    static constexpr int LineCount = 406;

    // Creates or replaces the file; the error text when it cannot be written.
    static std::optional<QString> save(const RecorderConfiguration& configuration,
                                       const QString& path);

    // Assigns the lines in file order through the model's rules. On a line that does not
    // convert it stops with a message naming the line; what came before it stays.
    static std::optional<QString> load(ConfigurationModel& model, const QString& path);
};

} // namespace kapstat::config
