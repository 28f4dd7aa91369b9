#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace kapstat::link {
class Prompter;
}

namespace kapstat::app {

// "Otwarcie zbioru pomiarów": picks a stored measurement database by its measurement place.
// Created once and kept; it remembers the last database opened from it between showings.
class DatabaseDirectoryDialog : public QDialog
{
    Q_OBJECT

public:
    // The result of "Otwórz z pliku...": the caller offers a free file choice.
    static constexpr int FromFile = 2;
    // The hidden grid column that holds a database's selection file.
    static constexpr int PathColumn = 3;

    // Asks for a new place name, preset to the current one; nullopt when cancelled.
    using PlaceAsker = std::function<std::optional<QString>(QWidget* parent, const QString& place)>;
    // Asks for another database folder; empty when cancelled.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& folder)>;

    explicit DatabaseDirectoryDialog(link::Prompter& prompter, QWidget* parent = nullptr);

    // Shows the dialog modally. openSelectionFile: the selection file of the open database while
    // the main window shows it, else empty. Returns Accepted ("Otwórz z bazy"), FromFile or
    // Rejected.
    int run(const QString& mainDatabaseFolder, const QString& openSelectionFile);
    QString chosenSelectionFile() const { return m_chosenSelectionFile; }

    void setPlaceAsker(PlaceAsker asker) { m_askPlace = std::move(asker); }
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    QLineEdit* directoryField() const { return m_directory; }
    QPushButton* browseButton() const { return m_browse; }
    QListWidget* placeList() const { return m_places; }
    QTableWidget* databaseGrid() const { return m_databases; }
    QPushButton* openFromDatabaseButton() const { return m_openFromDatabase; }
    QPushButton* openFromFileButton() const { return m_openFromFile; }
    QPushButton* changePlaceButton() const { return m_changePlace; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QLayout* createButtonRow();
    void createGrid();
    void prepare(const QString& mainDatabaseFolder);
    void listPlaces();
    void listDatabases();
    void clearDatabases();
    void selectLastChoice();
    void chooseFolder();
    void openFromDatabase();
    void changePlace();
    QString selectedPlace() const;
    QString currentSelectionFile() const;
    bool isOpenDatabase(const QString& selectionFile) const;

    link::Prompter& m_prompter;
    PlaceAsker m_askPlace;
    FolderChooser m_chooseFolder;
    QLineEdit* m_directory = nullptr;
    QPushButton* m_browse = nullptr;
    QListWidget* m_places = nullptr;
    QTableWidget* m_databases = nullptr;
    QPushButton* m_openFromDatabase = nullptr;
    QPushButton* m_openFromFile = nullptr;
    QPushButton* m_changePlace = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_openSelectionFile;
    QString m_lastPlace;
    QString m_lastSelectionFile;
    QString m_chosenSelectionFile;
};

} // namespace kapstat::app
