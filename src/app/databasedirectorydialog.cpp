#include "app/databasedirectorydialog.h"

#include "browse/databasecatalog.h"
#include "link/prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kapstat::app {

namespace {

constexpr int BrowseButtonWidth = 32;
constexpr int PlaceListHeight = 130;
constexpr int RowPadding = 8;
constexpr QSize InitialSize(600, 480);

std::optional<QString> askPlaceName(QWidget* parent, const QString& place)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(
        parent, DatabaseDirectoryDialog::tr("Miejsce pomiarów"),
        DatabaseDirectoryDialog::tr("Podaj nową nazwę miejsca (max 60 znaków):"), QLineEdit::Normal,
        place, &ok);
    return ok ? std::optional<QString>(answer) : std::nullopt;
}

QString chooseDatabaseFolder(QWidget* parent, const QString& folder)
{
    return QFileDialog::getExistingDirectory(
        parent, DatabaseDirectoryDialog::tr("Wybierz katalog bazy danych pomiarów"), folder);
}

QLabel* labelFor(QWidget* buddy, const QString& text)
{
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

} // namespace

DatabaseDirectoryDialog::DatabaseDirectoryDialog(link::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_askPlace(askPlaceName),
      m_chooseFolder(chooseDatabaseFolder)
{
    setWindowTitle(tr("Otwarcie zbioru pomiarów"));
    m_directory = new QLineEdit(this);
    m_directory->setReadOnly(true);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setFixedWidth(BrowseButtonWidth);
    m_browse->setAutoDefault(false);
    m_places = new QListWidget(this);
    m_places->setMinimumHeight(PlaceListHeight);
    createGrid();

    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_directory);
    directoryRow->addWidget(m_browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelFor(m_directory, tr("Baza danych pomiarów:")));
    layout->addLayout(directoryRow);
    layout->addWidget(labelFor(m_places, tr("Znalezione miejsca pomiarowe:")));
    layout->addWidget(m_places, 2);
    layout->addWidget(
        labelFor(m_databases, tr("Znalezione zbiory pomiarów ze wskazanego miejsca:")));
    layout->addWidget(m_databases, 3);
    layout->addLayout(createButtonRow());
    resize(InitialSize);

    connect(m_browse, &QPushButton::clicked, this, &DatabaseDirectoryDialog::chooseFolder);
    connect(m_places, &QListWidget::currentRowChanged, this,
            &DatabaseDirectoryDialog::listDatabases);
    connect(m_databases, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_openFromDatabase->isEnabled())
            openFromDatabase();
    });
    clearDatabases();
}

void DatabaseDirectoryDialog::createGrid()
{
    m_databases = new QTableWidget(0, PathColumn + 1, this);
    m_databases->setHorizontalHeaderLabels(
        {tr("Data odczytu"), tr("Początek pomiarów"), tr("Nr seryjny rejestratora"), QString()});
    m_databases->setColumnHidden(PathColumn, true);
    m_databases->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_databases->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_databases->setSelectionMode(QAbstractItemView::SingleSelection);
    m_databases->verticalHeader()->hide();
    m_databases->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + RowPadding);
    m_databases->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

QLayout* DatabaseDirectoryDialog::createButtonRow()
{
    m_openFromDatabase = new QPushButton(tr("Otwórz z bazy"), this);
    m_openFromDatabase->setDefault(true);
    m_openFromFile = new QPushButton(tr("Otwórz z pliku..."), this);
    m_changePlace = new QPushButton(tr("Zmień miejsce"), this);
    m_changePlace->setToolTip(
        tr("Zmienia nazwę miejsca pod jaką jest skatalogowany wskazany zbiór pomiarów."));
    m_cancel = new QPushButton(tr("Anuluj"), this);
    connect(m_openFromDatabase, &QPushButton::clicked, this,
            &DatabaseDirectoryDialog::openFromDatabase);
    connect(m_openFromFile, &QPushButton::clicked, this, [this] { done(FromFile); });
    connect(m_changePlace, &QPushButton::clicked, this, &DatabaseDirectoryDialog::changePlace);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(m_openFromDatabase);
    row->addWidget(m_openFromFile);
    row->addWidget(m_changePlace);
    row->addStretch();
    row->addWidget(m_cancel);
    return row;
}

int DatabaseDirectoryDialog::run(const QString& mainDatabaseFolder,
                                 const QString& openSelectionFile)
{
    m_openSelectionFile = openSelectionFile;
    prepare(mainDatabaseFolder);
    return exec();
}

void DatabaseDirectoryDialog::prepare(const QString& mainDatabaseFolder)
{
    const bool sameFolder = m_directory->text() == mainDatabaseFolder;
    if (sameFolder && !m_lastPlace.isEmpty() && !m_lastSelectionFile.isEmpty()) {
        listPlaces();
        selectLastChoice();
        return;
    }
    m_directory->setText(mainDatabaseFolder);
    listPlaces();
}

void DatabaseDirectoryDialog::selectLastChoice()
{
    const QList<QListWidgetItem*> places = m_places->findItems(m_lastPlace, Qt::MatchFixedString);
    if (places.isEmpty())
        return;
    m_places->setCurrentItem(places.first());
    const QList<QTableWidgetItem*> rows =
        m_databases->findItems(m_lastSelectionFile, Qt::MatchExactly | Qt::MatchCaseSensitive);
    for (const QTableWidgetItem* item : rows)
        if (item->column() == PathColumn)
            m_databases->setCurrentCell(item->row(), 0);
}

void DatabaseDirectoryDialog::listPlaces()
{
    {
        const QSignalBlocker blocker(m_places);
        m_places->clear();
        m_places->addItems(browse::DatabaseCatalog::places(m_directory->text()));
    }
    clearDatabases();
}

void DatabaseDirectoryDialog::listDatabases()
{
    clearDatabases();
    if (!m_places->currentItem())
        return;
    const QList<browse::CatalogEntry> entries =
        browse::DatabaseCatalog::databases(m_directory->text(), selectedPlace());
    m_databases->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < m_databases->rowCount(); ++row) {
        const browse::CatalogEntry& entry = entries[row];
        const QStringList cells = {entry.readingTime, entry.measurementStart, entry.serialNumber,
                                   entry.selectionFile};
        for (int column = 0; column < cells.size(); ++column)
            m_databases->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    if (entries.isEmpty())
        return;
    m_databases->setCurrentCell(0, 0);
    m_openFromDatabase->setEnabled(true);
    m_changePlace->setEnabled(true);
}

void DatabaseDirectoryDialog::clearDatabases()
{
    m_databases->setRowCount(0);
    m_openFromDatabase->setEnabled(false);
    m_changePlace->setEnabled(false);
}

void DatabaseDirectoryDialog::chooseFolder()
{
    const QString folder = m_chooseFolder(this, m_directory->text());
    if (folder.isEmpty())
        return;
    m_directory->setText(QDir::toNativeSeparators(folder));
    listPlaces();
}

void DatabaseDirectoryDialog::openFromDatabase()
{
    const QString selectionFile = currentSelectionFile();
    if (selectionFile.isEmpty())
        return;
    m_lastPlace = selectedPlace();
    m_lastSelectionFile = selectionFile;
    m_chosenSelectionFile = selectionFile;
    accept();
}

void DatabaseDirectoryDialog::changePlace()
{
    const QString selectionFile = currentSelectionFile();
    if (selectionFile.isEmpty())
        return;
    if (isOpenDatabase(selectionFile)) {
        m_prompter.ask(tr("Nie można zmienić nazwy aktualnie otwartego pliku!"), -1,
                       link::PromptButton::Close);
        return;
    }
    const QString place = selectedPlace();
    const std::optional<QString> answer = m_askPlace(this, place);
    if (!answer)
        return;
    const browse::PlaceRenaming renaming =
        browse::DatabaseCatalog::renamePlace(selectionFile, place, *answer);
    if (renaming.status == browse::PlaceRenaming::Status::Unchanged)
        return;
    listPlaces();
    if (!renaming.message.isEmpty())
        m_prompter.ask(renaming.message, -1, link::PromptButton::Close);
}

QString DatabaseDirectoryDialog::selectedPlace() const
{
    const QListWidgetItem* item = m_places->currentItem();
    return item ? item->text() : QString();
}

QString DatabaseDirectoryDialog::currentSelectionFile() const
{
    const int row = m_databases->currentRow();
    const QTableWidgetItem* item = row < 0 ? nullptr : m_databases->item(row, PathColumn);
    return item ? item->text() : QString();
}

bool DatabaseDirectoryDialog::isOpenDatabase(const QString& selectionFile) const
{
    // Compared as files too, so that another spelling of the same path is not taken for another
    // database.
    return !m_openSelectionFile.isEmpty() &&
           (selectionFile == m_openSelectionFile ||
            QFileInfo(selectionFile) == QFileInfo(m_openSelectionFile));
}

} // namespace kapstat::app
