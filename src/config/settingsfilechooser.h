#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kapstat::common {
class SettingsStore;
}

namespace kapstat::config {

// The open and save dialogs of settings files: they start in the folder of the last file
// opened or saved, and remember the folder of the file chosen.
class SettingsFileChooser
{
public:
    enum class Purpose
    {
        Open,
        Save
    };
    // Shows a dialog and returns the chosen path, empty when cancelled.
    using Dialog = std::function<QString(Purpose purpose, const QString& folder)>;

    SettingsFileChooser(common::SettingsStore& settings, QWidget* parent);

    // An empty result: the user cancelled.
    QString choose(Purpose purpose);
    // Tests answer the dialog themselves.
    void setDialog(Dialog dialog) { m_dialog = std::move(dialog); }

    static QString filter();

private:
    QString runFileDialog(Purpose purpose, const QString& folder) const;

    common::SettingsStore& m_settings;
    QWidget* m_parent;
    Dialog m_dialog;
};

} // namespace kapstat::config
