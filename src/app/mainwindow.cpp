#include "app/mainwindow.h"

#include "app/actionlist.h"
#include "app/ledindicator.h"
#include "app/linkdiagnostics.h"
#include "app/toolbaricons.h"
#include "common/defaultfolders.h"
#include "common/settingsstore.h"
#include "link/bytechannel.h"
#include "link/recorderlink.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace kapstat::app {

namespace {

using Name = common::SettingsStore::Name;

constexpr int ReceiveBlinkMs = 80;
constexpr int FolderFieldWidth = 460;

const char* const FirstToolBar[] = {"acOtworzPomiary", "acWykresRMS", "acTabelaTHD",      "acHarm",
                                    "acExport2File",   "acNorma",     "acDrukujWielkosci"};
const char* const SecondToolBar[] = {"acNoweUstawienia", "acNawiazanie", "acPrzbiegiBiezace",
                                     "acUstawZegarek",   "acStanRej",    "acOdbPomiary",
                                     "acKasujPomiary",   "acWspKalib"};
const char* const OptionsToolBar[] = {"acDoby", "acKolStale", "acWarunki"};

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

MainWindow::MainWindow(link::RecorderLink& link, common::SettingsStore& settings,
                       const QStringList& namedPorts, QWidget* parent)
    : QMainWindow(parent), m_link(link), m_settings(settings)
{
    setObjectName(QStringLiteral("TfrGlowna"));
    setWindowTitle(tr("Kapstat wersja 2.20"));
    createActions();
    createMenus();
    createToolBars();

    auto* central = new QWidget(this);
    central->installEventFilter(this);
    auto* top = new QHBoxLayout;
    top->addWidget(createPortRow());
    top->addSpacing(24);
    top->addWidget(createDatabaseRow());
    top->addStretch();
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(createInformationPanel());
    layout->addWidget(createServiceButtons(), 0, Qt::AlignLeft);
    m_diagnostics = new LinkDiagnostics(link, *statusBar(), central);
    layout->addWidget(m_diagnostics, 0, Qt::AlignLeft);
    layout->addStretch();
    setCentralWidget(central);
    statusBar()->hide();

    fillPortList(namedPorts);
    connect(&link.channel(), &link::ByteChannel::failed, this, &MainWindow::onPortFailed,
            Qt::QueuedConnection);
    connect(&link, &link::RecorderLink::bytesReceived, this, &MainWindow::blinkReceive);
}

MainWindow::~MainWindow() = default;

QString MainWindow::defaultDatabaseFolder()
{
    return common::DefaultFolders::ofThisProgram().databaseFolder();
}

void MainWindow::createActions()
{
    for (const ActionDefinition& definition : mainActions()) {
        auto* action = new QAction(tr(definition.caption), this);
        const QString name = QString::fromLatin1(definition.name);
        action->setObjectName(name);
        action->setProperty("category", tr(definition.category));
        action->setIcon(ToolBarIcons::forAction(name));
        const QString hint = definition.hint ? tr(definition.hint) : QString();
        const char* toolHint = toolBarHint(definition.name);
        action->setStatusTip(hint);
        action->setToolTip(toolHint ? tr(toolHint) : hint.isEmpty() ? action->text() : hint);
        action->setShortcut(definition.shortcut);
        action->setCheckable(definition.checkable);
        action->setEnabled(definition.state != InitialState::Disabled);
        action->setVisible(definition.state != InitialState::Hidden);
        addAction(action);
        m_actions.insert(name, action);
        if (definition.shortcut.isEmpty())
            continue;
        // A hidden action takes no key presses itself; its shortcut still reaches it.
        auto* shortcut = new QShortcut(definition.shortcut, this);
        shortcut->setEnabled(!action->isVisible());
        connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
        connect(action, &QAction::changed, shortcut,
                [shortcut, action] { shortcut->setEnabled(!action->isVisible()); });
    }
}

void MainWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr("Plik"));
    file->addAction(action(QStringLiteral("acOtworzPomiary")));
    file->addAction(action(QStringLiteral("acExport2File")));

    QMenu* show = menuBar()->addMenu(tr("Pokaż"));
    show->addAction(action(QStringLiteral("acTabelaRMS")));
    show->addAction(action(QStringLiteral("acWykresRMS")));
    show->addAction(tr("Wykres wskazowy"))->setVisible(false);
    show->addAction(action(QStringLiteral("acTabelaTHD")));
    show->addAction(action(QStringLiteral("acHarm")));

    QMenu* recorder = menuBar()->addMenu(tr("Rejestrator"));
    recorder->addAction(action(QStringLiteral("acNoweUstawienia")));
    recorder->addAction(action(QStringLiteral("acPrzbiegiBiezace")));
    recorder->addAction(action(QStringLiteral("acWspKalib")));
    // The menu names the clock action differently; the item follows the action's state.
    QAction* clock = action(QStringLiteral("acUstawZegarek"));
    QAction* clockItem = recorder->addAction(tr("Ustaw Czas"));
    clockItem->setStatusTip(clock->statusTip());
    clockItem->setIcon(clock->icon());
    connect(clockItem, &QAction::triggered, clock, &QAction::trigger);
    connect(clock, &QAction::changed, clockItem, [clock, clockItem] {
        clockItem->setEnabled(clock->isEnabled());
        clockItem->setVisible(clock->isVisible());
    });
    recorder->addAction(action(QStringLiteral("acStanRej")));
    recorder->addAction(action(QStringLiteral("acOdbPomiary")));
    recorder->addAction(action(QStringLiteral("acKasujPomiary")));

    menuBar()->addAction(action(QStringLiteral("acOprogramie")));
}

void MainWindow::createToolBars()
{
    auto addBar = [this](const QString& objectName, const auto& names) {
        auto* bar = new QToolBar(objectName, this);
        bar->setObjectName(objectName);
        bar->setMovable(false);
        bar->setIconSize(QSize(ToolBarIcons::Size, ToolBarIcons::Size));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        for (const char* name : names)
            bar->addAction(action(QString::fromLatin1(name)));
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    m_toolBars << addBar(QStringLiteral("ToolBar1"), FirstToolBar)
               << addBar(QStringLiteral("ToolBar2"), SecondToolBar);
    addBar(QStringLiteral("ToolBarOpcje"), OptionsToolBar)->hide();
}

QWidget* MainWindow::createPortRow()
{
    auto* row = new QWidget(this);
    m_portLed = new LedIndicator(QColor(0x20, 0xd0, 0x20), row);
    m_portLed->setToolTip(tr("Dioda zapalona - port otwarty"));
    m_receiveLed = new LedIndicator(QColor(0xff, 0x40, 0x20), row);
    m_receiveLed->setToolTip(tr("Sygnalizacja odbioru danych."));
    m_receiveBlink = new QTimer(this);
    m_receiveBlink->setSingleShot(true);
    connect(m_receiveBlink, &QTimer::timeout, m_receiveLed,
            [this] { m_receiveLed->setLit(false); });
    m_ports = new QComboBox(row);
    m_ports->setToolTip(tr("Wybierz port szeregowy do którego  podłączony jest rejestrator."));
    m_ports->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_ports->setMinimumWidth(120);
    connect(m_ports, &QComboBox::activated, this, &MainWindow::choosePort);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_portLed);
    layout->addWidget(m_receiveLed);
    layout->addWidget(m_ports);
    return row;
}

QWidget* MainWindow::createDatabaseRow()
{
    auto* row = new QWidget(this);
    const QString hint =
        tr("W tym katalogu będą zapisywane wyniki pomiarów odbierane z rejestratora");
    m_folder = new QLineEdit(databaseFolderPrompt(), row);
    m_folder->setReadOnly(true);
    m_folder->setMinimumWidth(FolderFieldWidth);
    m_folder->setToolTip(hint);
    auto* browse = new QPushButton(QStringLiteral("..."), row);
    browse->setToolTip(hint);
    browse->setFixedWidth(32);
    connect(browse, &QPushButton::clicked, this, &MainWindow::chooseDatabaseFolder);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Baza danych pomiarów:"), row));
    layout->addWidget(m_folder);
    layout->addWidget(browse);
    return row;
}

QWidget* MainWindow::createInformationPanel()
{
    m_information = new QWidget(this);
    auto* rule = new QFrame(m_information);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    m_openFile = new QLabel(m_information);
    m_serialNumber = new QLabel(m_information);
    m_received = new QLabel(m_information);
    auto* form = new QFormLayout;
    form->addRow(tr("Otwarty plik:"), m_openFile);
    form->addRow(tr("Nr seryjny rejestratora:"), m_serialNumber);
    form->addRow(tr("Data odebrania danych:"), m_received);
    // Kept for the record counts, which the program never shows.
    for (const char* caption :
         {QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Ilość rekordów pomiarów:"),
          QT_TRANSLATE_NOOP("kapstat::app::MainWindow", "Ilość rekordów przerw i przepięć:")}) {
        auto* label = new QLabel(tr(caption), m_information);
        auto* value = new QLabel(m_information);
        label->hide();
        value->hide();
        form->addRow(label, value);
        form->setRowVisible(label, false);
    }
    auto* layout = new QVBoxLayout(m_information);
    layout->setContentsMargins(0, 12, 0, 0);
    layout->addWidget(boldLabel(tr("Dane o otwartej sesji pomiarowej:"), m_information));
    layout->addWidget(rule);
    layout->addLayout(form);
    m_information->hide();
    return m_information;
}

QWidget* MainWindow::createServiceButtons()
{
    auto* row = new QWidget(this);
    m_counters = new QPushButton(tr("Liczniki"), row);
    QFont font = m_counters->font();
    font.setBold(true);
    font.setPixelSize(16);
    m_counters->setFont(font);
    m_calibration = new QPushButton(tr("Kalibracja"), row);
    m_counters->hide();
    m_calibration->hide();
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 12, 0, 0);
    layout->addWidget(m_counters);
    layout->addWidget(m_calibration);
    return row;
}

void MainWindow::fillPortList(const QStringList& namedPorts)
{
    QStringList present;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        present << port.portName();
    present.sort();
    if (present.isEmpty() && namedPorts.isEmpty())
        present << QStringLiteral("COM1");
    // Named ports come last, so that a stored port number keeps meaning the same port.
    m_ports->addItems(present);
    for (const QString& port : namedPorts)
        if (m_ports->findText(port) < 0)
            m_ports->addItem(port);
    if (!namedPorts.isEmpty())
        m_namedPortIndex = m_ports->findText(namedPorts.last());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    setUpPort();
    setUpDatabaseFolder();
}

void MainWindow::setUpPort()
{
    const std::optional<int> stored = m_settings.integer(Name::Port);
    if (!stored)
        m_settings.setInteger(Name::Port, 0);
    m_ports->setCurrentIndex(m_namedPortIndex >= 0 ? m_namedPortIndex : stored.value_or(0));
    openSelectedPort();
}

void MainWindow::openSelectedPort()
{
    const bool opened = m_link.channel().open(m_ports->currentText());
    m_portLed->setLit(opened);
    if (!opened)
        warn(portUnavailableMessage());
}

void MainWindow::choosePort(int index)
{
    openSelectedPort();
    m_settings.setInteger(Name::Port, index);
}

QString MainWindow::portUnavailableMessage()
{
    return tr("Wybrany port jest niedostępny! Proszę wybrać inny COM.");
}

void MainWindow::onPortFailed(const QString& reason)
{
    m_portLed->setLit(false);
    warn(tr("Utracono połączenie z rejestratorem na porcie %1 (%2)! Proszę sprawdzić "
            "podłączenie rejestratora i wybrać port ponownie.")
             .arg(m_ports->currentText(), reason));
}

void MainWindow::setUpDatabaseFolder()
{
    const std::optional<QString> stored = m_settings.string(Name::DatabaseFolder);
    const QString folder = common::DefaultFolders::ofThisProgram().databaseFolder(stored);
    if (folder != stored)
        m_settings.setString(Name::DatabaseFolder, folder);
    m_folder->setText(folder);
}

QString MainWindow::databaseFolderPrompt()
{
    return tr("Proszę wybrać miejsce założenia bazy pomiarów...");
}

QString MainWindow::databaseFolder() const
{
    return m_folder->text();
}

void MainWindow::chooseDatabaseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Proszę wybrać katalog przechowywania pomiarów"), m_folder->text());
    if (folder.isEmpty())
        return;
    m_folder->setText(QDir::toNativeSeparators(folder));
    m_settings.setString(Name::DatabaseFolder, m_folder->text());
}

void MainWindow::blinkReceive()
{
    m_receiveLed->setLit(true);
    m_receiveBlink->start(ReceiveBlinkMs);
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    menuBar()->setEnabled(enabled);
    for (QToolBar* bar : m_toolBars)
        bar->setEnabled(enabled);
}

void MainWindow::showServiceButtons()
{
    m_counters->show();
    m_calibration->show();
}

void MainWindow::showDatabaseInformation(const QString& file, const QString& serialNumber,
                                         const QString& received)
{
    m_openFile->setText(file);
    m_serialNumber->setText(serialNumber);
    m_received->setText(received);
    m_information->show();
}

void MainWindow::hideDatabaseInformation()
{
    m_information->hide();
}

void MainWindow::setWindowsRaisedOnClick(const QList<QWidget*>& windows)
{
    m_raisedOnClick.clear();
    for (QWidget* window : windows)
        m_raisedOnClick << window;
}

void MainWindow::setWarningHandler(std::function<void(const QString&)> handler)
{
    m_warn = std::move(handler);
}

void MainWindow::warn(const QString& text)
{
    if (m_warn)
        m_warn(text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::MouseButtonPress) {
        for (const QPointer<QWidget>& window : std::as_const(m_raisedOnClick))
            if (window && window->isVisible())
                window->raise();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_link.channel().close();
    m_settings.sync();
    QMainWindow::closeEvent(event);
    // The program ends with its main window, whatever message or window is still open.
    QCoreApplication::quit();
}

} // namespace kapstat::app
