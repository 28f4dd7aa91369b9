// Renders every page of the live window in each measuring system to PNG files:
// live_window_shots [folder].
#include "live/harmonicspage.h"
#include "livewindowharness.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <cstdio>

using namespace kapstat;

namespace {

const char* const PageNames[] = {"przebiegi", "sumaryczne", "fazowe", "wskazowy", "harmoniczne"};

bool saveSystem(config::MeasuringSystem system, const char* systemName, const QDir& folder)
{
    LiveWindowHarness h(LiveWindowHarness::withSystem(system));
    h.window.show();
    bool saved = true;
    for (int page = 0; page < 5; ++page) {
        h.window.pages()->setCurrentIndex(page);
        if (page == live::LiveWindow::Harmonics)
            h.window.harmonicsPage()->selectTab(6);
        if (!h.waitForFrames(h.frames + 2))
            return false;
        const QString path =
            folder.filePath(QStringLiteral("chwilowe-%1-%2.png").arg(systemName, PageNames[page]));
        const bool ok = h.window.grab().save(path);
        std::printf("%s %s\n", ok ? "zapisano" : "nie zapisano", qPrintable(path));
        saved = saved && ok;
    }
    h.window.closeNow();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(folder.path()))
        return 1;
    bool saved = saveSystem(config::MeasuringSystem::Star, "gwiazda", folder);
    saved = saveSystem(config::MeasuringSystem::Delta, "trojkat", folder) && saved;
    saved = saveSystem(config::MeasuringSystem::SinglePhase, "1faza", folder) && saved;
    return saved ? 0 : 1;
}
