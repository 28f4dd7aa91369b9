// Renders every tab of the configuration window to PNG files: config_window_shots [folder].
#include "config/normpage.h"
#include "link/fakechannel.h"
#include "windowharness.h"
#include "windowshot.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

using namespace kapstat;

namespace {

// Names of the files, in tab order.
const char* const TabNames[] = {"sumaryczne", "fazowe", "moce",  "harmoniczne",
                                "norma",      "set-up", "stacje"};

bool save(QWidget& window, const QDir& folder, const QString& name)
{
    return saveWindowShot(window, folder, QStringLiteral("konfiguracja-%1.png").arg(name));
}

// Every sub-tab of a tab that has them, else the tab itself.
bool saveTab(QWidget& window, QTabWidget* subTabs, const QDir& folder, const QString& name)
{
    if (!subTabs)
        return save(window, folder, name);
    bool saved = true;
    for (int i = 0; i < subTabs->count(); ++i) {
        subTabs->setCurrentIndex(i);
        saved = save(window, folder, QStringLiteral("%1-%2").arg(name).arg(i + 1)) && saved;
    }
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);
    const std::optional<QDir> folder = shotFolder(argc, argv);
    if (!folder)
        return 1;

    WindowHarness<link::FakeChannel> harness;
    config::ConfigurationModel& model = harness.model;
    config::ConfigurationWindow& window = harness.window;
    // A few choices lit, so that the pictures show every colour an indicator takes.
    for (const int entry : {1, 2, 3, 13, 41, 46, 159})
        model.clickIndicator(entry);
    window.show();

    bool saved = true;
    for (int tab = 0; tab < window.tabs()->count(); ++tab) {
        window.tabs()->setCurrentIndex(tab);
        QTabWidget* subTabs =
            window.tabs()->widget(tab) == window.normPage()
                ? static_cast<QTabWidget*>(window.normPage())
                : (tab == window.tabs()->count() - 1 ? window.stationTabs() : nullptr);
        saved = saveTab(window, subTabs, *folder, QString::fromLatin1(TabNames[tab])) && saved;
    }
    model.clickIndicator(config::entries::NormMode);
    window.tabs()->setCurrentIndex(0);
    saved = save(window, *folder, QStringLiteral("sumaryczne-norma")) && saved;
    return saved ? 0 : 1;
}
