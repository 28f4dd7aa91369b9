#include "config/modelbinding.h"

#include "config/configurationmodel.h"

#include <QComboBox>
#include <QLineEdit>

namespace kapstat::config::binding {

void bindChoice(QComboBox* list, ConfigurationModel& model,
                std::function<int(const RecorderConfiguration&)> value,
                std::function<void(int)> choose)
{
    auto show = [list, &model, value = std::move(value)] {
        list->setCurrentIndex(value(model.configuration()));
    };
    show();
    // activated, not currentIndexChanged: only the user's choice runs the model's rules.
    QObject::connect(list, &QComboBox::activated, list, std::move(choose));
    QObject::connect(&model, &ConfigurationModel::configurationChanged, list, show);
}

void bindText(QLineEdit* field, ConfigurationModel& model,
              std::function<QString(const RecorderConfiguration&)> value,
              std::function<void(const QString&)> edit)
{
    auto show = [field, &model, value = std::move(value)] {
        const QString text = value(model.configuration());
        // Rewriting an equal text would move the cursor of the field being typed in.
        if (field->text() != text)
            field->setText(text);
    };
    show();
    QObject::connect(field, &QLineEdit::textEdited, field, std::move(edit));
    QObject::connect(&model, &ConfigurationModel::configurationChanged, field, show);
}

void followNormLock(QWidget* control, ConfigurationModel& model)
{
    control->setEnabled(model.areNormLockedControlsEnabled());
    QObject::connect(&model, &ConfigurationModel::lockableControlsEnabledChanged, control,
                     &QWidget::setEnabled);
}

} // namespace kapstat::config::binding
