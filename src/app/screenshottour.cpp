#include "app/screenshottour.h"

#include "app/mainwindow.h"
#include "app/program.h"
#include "config/configurationwindow.h"
#include "link/clockwindow.h"
#include "link/statuswindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

namespace kapstat::app {

namespace {
// Long enough for the emulated recorder to answer the windows' first exchanges.
constexpr int SettleMs = 800;
constexpr int ExchangeMs = 2500;
} // namespace

ScreenshotTour::ScreenshotTour(Program& program, const QString& folder, QObject* parent)
    : QObject(parent), m_program(program), m_folder(folder)
{
    MainWindow& main = program.mainWindow();
    link::StatusWindow& status = program.statusWindow();
    link::ClockWindow& clock = program.clockWindow();
    link::MessageWindow& messages = program.messageWindow();
    config::ConfigurationWindow& configuration = program.configurationWindow();
    download::DownloadConversation& download = program.download();
    m_steps = {
        {SettleMs, [this, &main] { save(main, QStringLiteral("main-window")); }},
        {0, [&status] { status.show(); }},
        {ExchangeMs, [this, &status] { save(status, QStringLiteral("status-window")); }},
        {0, [&status] { status.reject(); }},
        {ExchangeMs, [&clock] { clock.show(); }},
        {ExchangeMs, [this, &clock] { save(clock, QStringLiteral("clock-window")); }},
        {0, [&clock] { clock.reject(); }},
        {ExchangeMs,
         [&messages] {
             messages.show(QCoreApplication::translate("ScreenshotTour",
                                                       "Czy na pewno opróżnić pamięć pomiarów?"),
                           0, link::PromptButton::Yes | link::PromptButton::No);
         }},
        {SettleMs,
         [this, &messages] {
             save(*messages.widget(), QStringLiteral("message-window-question"));
         }},
        {0,
         [&messages] {
             messages.show(QCoreApplication::translate("ScreenshotTour",
                                                       "Nawiązano komunikację z rejestratorem."),
                           3, 0);
         }},
        {SettleMs / 4,
         [this, &messages] { save(*messages.widget(), QStringLiteral("message-window")); }},
        {ExchangeMs, [&configuration] { configuration.show(); }},
        {SettleMs,
         [this, &configuration] { save(configuration, QStringLiteral("configuration-window")); }},
        {0, [&configuration] { configuration.reject(); }},
        {SettleMs, [&main] { main.action(QStringLiteral("acOdbPomiary"))->trigger(); }},
        {2 * ExchangeMs,
         [this, &messages] { save(*messages.widget(), QStringLiteral("download-progress")); }},
        {0, [&download] { download.requestAbort(); }},
        {ExchangeMs, [&main] { main.close(); }},
    };
}

void ScreenshotTour::start()
{
    m_folder.mkpath(QStringLiteral("."));
    MainWindow& main = m_program.mainWindow();
    // Without a window manager "maximised" means nothing: take the screen's size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        main.setGeometry(screen->availableGeometry());
    main.show();
    runNext();
}

void ScreenshotTour::runNext()
{
    if (m_steps.isEmpty())
        return;
    const Step step = m_steps.takeFirst();
    QTimer::singleShot(step.delayMs, this, [this, step] {
        step.action();
        runNext();
    });
}

void ScreenshotTour::save(QWidget& window, const QString& name)
{
    const QString path = m_folder.filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    QTextStream(saved ? stdout : stderr) << (saved ? "" : "nie zapisano: ") << path << Qt::endl;
}

} // namespace kapstat::app
