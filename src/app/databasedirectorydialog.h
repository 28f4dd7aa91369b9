#pragma once

#include <QDialog>

namespace kapstat::link {
class Prompter;
}

namespace kapstat::app {

// Placeholder until the catalogue dialog lands: offers only the free file choice.
class DatabaseDirectoryDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int FromFile = 2;

    explicit DatabaseDirectoryDialog(link::Prompter& prompter, QWidget* parent = nullptr);
    int run(const QString& mainDatabaseFolder, const QString& openSelectionFile);
    QString chosenSelectionFile() const { return m_chosen; }

private:
    QString m_chosen;
};

} // namespace kapstat::app
