#include "app/databasedirectorydialog.h"

namespace kapstat::app {

DatabaseDirectoryDialog::DatabaseDirectoryDialog(link::Prompter&, QWidget* parent) : QDialog(parent)
{
}

int DatabaseDirectoryDialog::run(const QString&, const QString&)
{
    return FromFile;
}

} // namespace kapstat::app
