// Renders the calibration window to PNG files: calibration_window_shots [folder].
#include "../windowshot.h"
#include "calibrationwindowharness.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace kapstat;

namespace {

bool shoot(CalibrationWindowHarness& h, const QDir& folder, const char* name)
{
    return h.waitForFrames(h.frames + 2) &&
           saveWindowShot(h.window, folder, QString::fromLatin1(name));
}

} // namespace

int main(int argc, char** argv)
{
    drawOffscreenUnlessTold();
    QApplication app(argc, argv);
    const auto folder = shotFolder(argc, argv);
    if (!folder)
        return 1;
    CalibrationWindowHarness h;
    h.window.show();
    h.conversation.readCoefficients();
    bool saved = shoot(h, *folder, "kalibracja-dc.png");
    // A fixed range puts the emulator's calibration generator on the inputs.
    h.window.gainMode()->setChecked(true);
    h.window.fixRangeField()->setValue(1);
    h.window.fixRangeButton()->click();
    saved = shoot(h, *folder, "kalibracja-wzmocnienia.png") && saved;
    h.window.loop()->setChecked(true);
    saved = shoot(h, *folder, "kalibracja-petla.png") && saved;
    h.window.closeNow();
    return saved ? 0 : 1;
}
