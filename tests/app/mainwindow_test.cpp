#include "app/ledindicator.h"
#include "app/mainwindow.h"
#include "common/settingsstore.h"
#include "link/fakechannel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "link/servicemode.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kapstat;
using kapstat::app::MainWindow;
using Name = common::SettingsStore::Name;

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() { channel.open(QStringLiteral("fake")); }

    // The main window of a start with the settings file as it is now.
    std::unique_ptr<MainWindow> start(const QStringList& namedPorts = {})
    {
        settings = std::make_unique<common::SettingsStore>(settingsFile());
        auto window = std::make_unique<MainWindow>(link, *settings, namedPorts);
        window->setWarningHandler([this](const QString& text) { warnings << text; });
        window->show();
        return window;
    }
    QString settingsFile() const { return folder.filePath(QStringLiteral("kap640.ini")); }
    QStringList menuTexts(MainWindow& window, const QString& menu) const
    {
        for (QAction* top : window.menuBar()->actions())
            if (top->text() == menu && top->menu()) {
                QStringList texts;
                for (QAction* item : top->menu()->actions())
                    if (item->isVisible())
                        texts << item->text();
                return texts;
            }
        return {};
    }

    QTemporaryDir folder;
    link::FakeChannel channel;
    link::ManualClock clock;
    link::ManualTimer timer{clock};
    link::ScriptedPrompter prompter;
    link::RecorderLink link{channel, timer, prompter};
    std::unique_ptr<common::SettingsStore> settings;
    QStringList warnings;
};

TEST_F(MainWindowTest, AFirstStartWritesThePortAndTheDatabaseFolder)
{
    auto window = start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kapstat wersja 2.20"));
    EXPECT_EQ(settings->integer(Name::Port), 0);
    EXPECT_EQ(settings->string(Name::DatabaseFolder), MainWindow::defaultDatabaseFolder());
    EXPECT_EQ(window->databaseFolder(), MainWindow::defaultDatabaseFolder());
    EXPECT_TRUE(MainWindow::defaultDatabaseFolder().endsWith(QStringLiteral("/DB")));
    EXPECT_FALSE(window->informationPanel()->isVisible());
    EXPECT_FALSE(window->countersButton()->isVisible());
}

TEST_F(MainWindowTest, StoredValuesAreTakenAndAnEmptyFolderIsReplaced)
{
    {
        common::SettingsStore stored(settingsFile());
        stored.setString(Name::DatabaseFolder, QStringLiteral("/dane/pomiary"));
    }
    EXPECT_EQ(start()->databaseFolder(), QStringLiteral("/dane/pomiary"));
    settings->setString(Name::DatabaseFolder, QString());
    settings->sync();
    EXPECT_EQ(start()->databaseFolder(), MainWindow::defaultDatabaseFolder());
    EXPECT_EQ(settings->string(Name::DatabaseFolder), MainWindow::defaultDatabaseFolder());
}

TEST_F(MainWindowTest, APortThatCannotBeOpenedIsReportedAndTheProgramRunsOn)
{
    {
        common::SettingsStore stored(settingsFile());
        stored.setInteger(Name::Port, 999);
    }
    channel.close();
    channel.failNextOpen(QStringLiteral("brak portu"));
    auto window = start();
    EXPECT_TRUE(window->portList()->currentText().isEmpty());
    EXPECT_EQ(warnings, QStringList{MainWindow::portUnavailableMessage()});
    EXPECT_EQ(settings->integer(Name::Port), 999);
    EXPECT_FALSE(window->portIndicator()->isLit());
    EXPECT_FALSE(channel.isOpen());
}

TEST_F(MainWindowTest, ANamedPortIsListedLastAndChosen)
{
    auto window = start({QStringLiteral("/dev/pts/77")});
    QComboBox* ports = window->portList();
    EXPECT_EQ(ports->itemText(ports->count() - 1), QStringLiteral("/dev/pts/77"));
    EXPECT_EQ(ports->currentText(), QStringLiteral("/dev/pts/77"));
    EXPECT_TRUE(window->portIndicator()->isLit());
    EXPECT_TRUE(warnings.isEmpty());

    channel.failNextOpen(QStringLiteral("brak"));
    window->portList()->activated(0);
    EXPECT_EQ(settings->integer(Name::Port), 0);
    EXPECT_EQ(warnings.size(), 1);
}

TEST_F(MainWindowTest, APortThatVanishesIsReportedAndTheWindowStays)
{
    auto window = start({QStringLiteral("/dev/pts/77")});
    channel.close();
    Q_EMIT channel.failed(QStringLiteral("Urządzenie zostało odłączone"));
    QCoreApplication::processEvents();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("/dev/pts/77")));
    EXPECT_FALSE(window->portIndicator()->isLit());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, ActionsStartInTheirStatesAndHiddenOnesHideTheirButtons)
{
    auto window = start();
    struct Case
    {
        const char* name;
        const char* caption;
        bool enabled;
        bool visible;
    };
    for (const Case& c :
         {Case{"acOtworzPomiary", "Otwórz pomiary", true, true},
          Case{"acExport2File", "Eksportuj dane do pliku TXT", false, true},
          Case{"acTabelaRMS", "Tabelę pomiarów RMS", true, false},
          Case{"acWykresRMS", "Wykres pomiarów RMS", false, true},
          Case{"acNawiazanie", "Nawiąż komunikację", true, false},
          Case{"acUstawZegarek", "Ustaw czas i datę", true, true},
          Case{"acWspKalib", "Pokaż wsp kalibracji", true, false},
          Case{"acPokazWarunekOnly", "Pokaż tylko przekroczenia warunków", true, true}}) {
        SCOPED_TRACE(c.name);
        QAction* action = window->action(QString::fromLatin1(c.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
        // An action that is not visible never counts as enabled.
        EXPECT_EQ(action->isEnabled(), c.enabled && c.visible);
        EXPECT_EQ(action->isVisible(), c.visible);
        for (QToolBar* bar : window->toolBars()) {
            if (QWidget* button = bar->widgetForAction(action)) {
                EXPECT_EQ(button->isVisible(), c.visible);
            }
        }
    }
    EXPECT_EQ(window->action(QStringLiteral("acUstawZegarek"))->toolTip(),
              QStringLiteral("Ustawienie daty i czasu bieżącego w rejestratorze."));
    EXPECT_EQ(window->action(QStringLiteral("acUstawZegarek"))->statusTip(),
              QStringLiteral("Ustawianie zegara rejestratora."));
    EXPECT_EQ(window->action(QStringLiteral("acStanRej"))->property("category").toString(),
              QStringLiteral("Rejestrator"));
}

TEST_F(MainWindowTest, TheMenusListTheirItems)
{
    auto window = start();
    EXPECT_EQ(menuTexts(*window, QStringLiteral("Plik")),
              (QStringList{"Otwórz pomiary", "Eksportuj dane do pliku TXT"}));
    EXPECT_EQ(menuTexts(*window, QStringLiteral("Pokaż")), (QStringList{"Wykres pomiarów RMS"}));
    EXPECT_EQ(
        menuTexts(*window, QStringLiteral("Rejestrator")),
        (QStringList{"Konfiguracja", "Pomiary Bieżące", "Ustaw Czas", "Pokaż stan rejestratora",
                     "Odbierz dane pomiarowe", "Usuń pomiary z rejestratora"}));
    QStringList top;
    for (QAction* item : window->menuBar()->actions())
        top << item->text();
    EXPECT_EQ(top, (QStringList{"Plik", "Pokaż", "Rejestrator", "O programie"}));
}

TEST_F(MainWindowTest, HiddenActionsStillAnswerTheirShortcuts)
{
    auto window = start();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    for (const auto& [name, key] :
         {std::pair{"acTabelaRMS", Qt::Key_R}, std::pair{"acTabelaTHD", Qt::Key_T},
          std::pair{"acHarm", Qt::Key_H}}) {
        SCOPED_TRACE(name);
        QSignalSpy triggered(window->action(QString::fromLatin1(name)), &QAction::triggered);
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        EXPECT_EQ(triggered.count(), 1);
    }
    // Shown again (an open database shows the RMS table), the action takes the key itself.
    QAction* table = window->action(QStringLiteral("acTabelaRMS"));
    table->setVisible(true);
    QSignalSpy triggered(table, &QAction::triggered);
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);
}

TEST_F(MainWindowTest, CommandsWaitWhileTheMessageWindowIsShown)
{
    auto window = start();
    window->setCommandsEnabled(false);
    EXPECT_FALSE(window->menuBar()->isEnabled());
    for (QToolBar* bar : window->toolBars())
        EXPECT_FALSE(bar->isEnabled());
    window->setCommandsEnabled(true);
    EXPECT_TRUE(window->menuBar()->isEnabled());
    EXPECT_TRUE(window->toolBars().first()->isEnabled());
}

TEST_F(MainWindowTest, ReceivedBytesLightTheReceiveIndicator)
{
    auto window = start({QStringLiteral("fake")});
    EXPECT_FALSE(window->receiveIndicator()->isLit());
    link.send({link::OperationName::Zegarek, 1}, QByteArray::fromHex("010000"));
    channel.feed(QByteArray::fromHex("1b"));
    EXPECT_TRUE(window->receiveIndicator()->isLit());
}

TEST(ServiceMode, OnlyThePasswordSwitchesItOnForGood)
{
    link::ServiceMode mode;
    QSignalSpy switchedOn(&mode, &link::ServiceMode::switchedOn);
    for (const char* wrong : {"", "lirbeK", "lirbek ", "haslo"})
        EXPECT_FALSE(mode.unlock(QString::fromLatin1(wrong)));
    EXPECT_FALSE(mode.isOn());
    for (const char* right : {"lirbek", "LIRBEK", "Lirbek"})
        EXPECT_TRUE(mode.unlock(QString::fromLatin1(right)));
    EXPECT_TRUE(mode.isOn());
    EXPECT_EQ(switchedOn.count(), 1);
}
