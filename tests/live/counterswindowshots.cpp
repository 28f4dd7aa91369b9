// Renders both pages of the counters window to PNG files: counters_window_shots [folder].
#include "../windowshot.h"
#include "counterswindowharness.h"

#include <QTabWidget>

using namespace kapstat;

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);
    const auto folder = shotFolder(argc, argv);
    if (!folder)
        return 1;
    CountersWindowHarness h;
    live::CountersWindow& window = *h.countersWindow;
    window.openForCounters();
    if (!h.waitUntil([&] { return h.countersShown >= 2; }))
        return 1;
    bool saved = saveWindowShot(window, *folder, QStringLiteral("liczniki-liczniki.png"));
    window.reject();
    h.waitUntil([&] { return !window.isVisible(); });
    h.loop.start();
    window.openForComparison();
    if (!h.waitForFrames(3))
        return 1;
    saved = saveWindowShot(window, *folder, QStringLiteral("liczniki-wyniki.png")) && saved;
    window.reject();
    h.loop.stop();
    return saved ? 0 : 1;
}
