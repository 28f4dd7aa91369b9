#include "config/settingsfilechooser.h"

#include "common/settingsstore.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace kapstat::config {

using common::SettingsStore;

SettingsFileChooser::SettingsFileChooser(SettingsStore& settings, QWidget* parent)
    : m_settings(settings), m_parent(parent),
      m_dialog(
          [this](Purpose purpose, const QString& folder) { return runFileDialog(purpose, folder); })
{
}

QString SettingsFileChooser::filter()
{
    // Both spellings: the recorder's own files are often named in capitals.
    return QCoreApplication::translate("kapstat::config::SettingsFileChooser",
                                       "Pliki ustawien (*.ust *.UST)");
}

QString SettingsFileChooser::choose(Purpose purpose)
{
    const QString folder =
        m_settings.string(SettingsStore::Name::SettingsFilePath).value_or(QString());
    const QString path = m_dialog(purpose, folder);
    if (path.isEmpty())
        return {};
    m_settings.setString(SettingsStore::Name::SettingsFilePath,
                         QFileInfo(path).absolutePath() + QLatin1Char('/'));
    m_settings.sync();
    return path;
}

QString SettingsFileChooser::runFileDialog(Purpose purpose, const QString& folder) const
{
    QFileDialog dialog(m_parent, {}, folder, filter());
    dialog.setDefaultSuffix(QStringLiteral("ust"));
    dialog.setAcceptMode(purpose == Purpose::Open ? QFileDialog::AcceptOpen
                                                  : QFileDialog::AcceptSave);
    dialog.setFileMode(purpose == Purpose::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace kapstat::config
