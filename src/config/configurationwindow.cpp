#include "config/configurationwindow.h"

#include "config/configurationmodel.h"
#include "config/configurationtransfer.h"
#include "config/modelbinding.h"
#include "config/normpage.h"
#include "config/quantitypages.h"
#include "config/selectionindicators.h"
#include "config/settingsfile.h"
#include "config/setuppage.h"
#include "config/stationdescriptionspage.h"
#include "config/stationratiospage.h"
#include "config/stationtimespage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kapstat::config {

namespace {

// Fits a laptop's 1366 x 768 screen with the task bar and the title bar.
constexpr QSize InitialSize(960, 640);

// Pages scroll rather than push the window off a small screen.
QWidget* scrolled(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

const MeasuringSystem SystemsInListOrder[] = {MeasuringSystem::Star, MeasuringSystem::Delta,
                                              MeasuringSystem::SinglePhase};

int listPosition(MeasuringSystem system)
{
    for (int i = 0; i < 3; ++i)
        if (SystemsInListOrder[i] == system)
            return i;
    return 0;
}

} // namespace

ConfigurationWindow::ConfigurationWindow(ConfigurationModel& model, ConfigurationTransfer& transfer,
                                         link::Prompter& prompter, common::SettingsStore& settings,
                                         QWidget* parent)
    : CloseGuardedDialog(parent), m_model(model), m_transfer(transfer), m_prompter(prompter),
      m_indicators(new SelectionIndicators(model, prompter, this)), m_files(settings, this),
      m_messageBox([this](const QString& text) {
          QMessageBox::information(this, windowTitle(), text, QMessageBox::Ok);
      })
{
    setWindowTitle(tr("Konfiguracja Pomiarów"));
    setModal(true);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(scrolled(quantitypages::summary(*m_indicators, m_model)), tr("Sumaryczne"));
    m_tabs->addTab(scrolled(quantitypages::phases(*m_indicators)), tr("Fazowe"));
    m_tabs->addTab(scrolled(quantitypages::powers(*m_indicators)), tr("Moce"));
    m_tabs->addTab(scrolled(quantitypages::harmonics(*m_indicators, m_model)), tr("Harmoniczne"));
    m_normPage = new NormPage(m_model, m_prompter);
    m_tabs->addTab(m_normPage, tr("Norma"));
    m_tabs->addTab(scrolled(new SetupPage(m_model, *m_indicators)), tr("SET-UP"));
    m_tabs->addTab(createStationTabs(), tr("Stacje"));

    m_capacity = new QLabel(m_model.capacityText(), this);
    m_capacity->setObjectName(QStringLiteral("capacity"));
    connect(&m_model, &ConfigurationModel::capacityChanged, m_capacity, &QLabel::setText);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(createSystemChoice());
    bottom->addSpacing(16);
    bottom->addWidget(m_capacity, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);
    layout->addWidget(createButtons());
    resize(InitialSize);

    connect(&m_transfer, &ConfigurationTransfer::informationRequested, this,
            [this](const QString& text) { m_messageBox(text); });
    connect(&m_transfer, &ConfigurationTransfer::closeEditorRequested, this,
            &ConfigurationWindow::closeNow);
}

QWidget* ConfigurationWindow::createStationTabs()
{
    m_stationTabs = new QTabWidget;
    m_stationTabs->addTab(scrolled(new StationRatiosPage(m_model, m_prompter)),
                          tr("  Napięcia znam. i parametry przekładników stacji  "));
    m_stationTabs->addTab(scrolled(new StationTimesPage(m_model)),
                          tr("  Początek i koniec rejestracji  "));
    m_stationTabs->addTab(scrolled(new StationDescriptionsPage(m_model)), tr(" Opis stacji  "));
    return m_stationTabs;
}

QWidget* ConfigurationWindow::createSystemChoice()
{
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    m_system = new QComboBox(area);
    m_system->addItems({tr("gwiazda"), tr("trójkąt"), tr("1 faza")});
    binding::bindChoice(
        m_system, m_model,
        [](const RecorderConfiguration& c) { return listPosition(c.measuringSystem); },
        [this](int position) { m_model.applySystemChange(SystemsInListOrder[position]); });
    binding::followNormLock(m_system, m_model);
    row->addWidget(new QLabel(tr("Układ"), area));
    row->addWidget(m_system);
    return area;
}

QWidget* ConfigurationWindow::createButtons()
{
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    auto add = [this, area, row](const QString& name, const QString& caption, auto slot) {
        auto* button = new QPushButton(caption, area);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
    };
    add(QStringLiteral("open"), tr("Otwórz..."), [this] { openSettingsFile(); });
    add(QStringLiteral("save"), tr("Zachowaj..."), [this] { saveSettingsFile(); });
    row->addSpacing(24);
    add(QStringLiteral("send"), tr("Wyślij"), [this] { m_transfer.send(); });
    add(QStringLiteral("receive"), tr("Odbierz"), [this] { m_transfer.receive(); });
    row->addStretch();
    add(QStringLiteral("close"), tr("Zamknij"), [this] { reject(); });
    return area;
}

QPushButton* ConfigurationWindow::button(const QString& objectName) const
{
    return findChild<QPushButton*>(objectName);
}

void ConfigurationWindow::setMessageBoxHandler(std::function<void(const QString&)> handler)
{
    m_messageBox = std::move(handler);
}

bool ConfigurationWindow::requestClose()
{
    return m_transfer.requestClose();
}

void ConfigurationWindow::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    m_model.refreshCapacityDisplay();
}

void ConfigurationWindow::openSettingsFile()
{
    const QString path = m_files.choose(SettingsFileChooser::Purpose::Open);
    if (!path.isEmpty())
        if (const auto error = SettingsFile::load(m_model, path))
            m_messageBox(*error);
    m_model.refreshCapacityDisplay();
}

void ConfigurationWindow::saveSettingsFile()
{
    const QString path = m_files.choose(SettingsFileChooser::Purpose::Save);
    if (path.isEmpty())
        return;
    if (const auto error = SettingsFile::save(m_model.configuration(), path))
        m_messageBox(*error);
}

} // namespace kapstat::config
