#pragma once

#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace kapstat::config {

class ConfigurationModel;
struct RecorderConfiguration;

// Ties a control to one value of the model: the user's edit goes to the model's setter, every
// change of the model shows in the control.
namespace binding {

// A drop-down list showing the model's index; NoChoice shows no entry.
void bindChoice(QComboBox* list, ConfigurationModel& model,
                std::function<int(const RecorderConfiguration&)> value,
                std::function<void(int)> choose);

// A free text field.
void bindText(QLineEdit* field, ConfigurationModel& model,
              std::function<QString(const RecorderConfiguration&)> value,
              std::function<void(const QString&)> edit);

// Enabled only while the norm mode leaves the controls it locks free.
void followNormLock(QWidget* control, ConfigurationModel& model);

} // namespace binding

} // namespace kapstat::config
