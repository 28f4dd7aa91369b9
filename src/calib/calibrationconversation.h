#pragma once

#include "calib/autocalibration.h"
#include "calib/calibrationset.h"
#include "calib/coefficientrows.h"
#include "link/operation.h"
#include "live/livestore.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace kapstat::link {
class RecorderLink;
}
namespace kapstat::config {
class ConfigurationModel;
}

namespace kapstat::calib {

// What an automatic calibration works on: the coefficients chosen, the channels ticked and the
// set-points of the gain calibration.
struct AutoCalibrationSettings
{
    CoefficientSelection selection;
    std::array<bool, ChannelCount> ticked{};
    double un = 220; // volts the voltage inputs carry
    double in = 5;   // amperes the current inputs carry
};

// The calibration conversation under "kalibracja": the loop of instantaneous frames, the reading,
// sending and storing of the coefficients, the fixed range and the automatic DC and gain
// calibrations. Every command replaces the running loop: the frame in flight ends it and the
// command follows; when the command's step is done the loop resumes, if it runs.
class CalibrationConversation : public QObject
{
    Q_OBJECT

public:
    // The steps of the operation.
    enum Step
    {
        Frames = 1,
        Automatic = 2,
        BackToAutoRange = 3,
        Send = 4,
        Read = 5,
        Closing = 6,
        StoreInEeprom = 7,
        FixRange = 8,
    };

    // The frames reach the store through an InstantFrameReader registered on the same link.
    CalibrationConversation(link::RecorderLink& link, CalibrationSet& set,
                            const config::ConfigurationModel& model, live::LiveStore& store,
                            QObject* parent = nullptr);

    // Mean raw count per channel of the latest frame.
    const std::array<double, ChannelCount>& means() const { return m_means; }
    bool isLooping() const { return m_looping; }
    bool isAutomaticRunning() const { return m_automatic; }

    // The window's frame loop; without it each command ends with its own step.
    void startLoop();
    // "Odbierz", "Wyślij", "Zapisz do EEPROM".
    void readCoefficients();
    void sendCoefficients();
    void storeInEeprom();
    // "Ustaw wzmocnienie" fixes the range entry 0..5; "Włącz automatyke" frees it again.
    void toggleFixedRange(int rangeEntry);
    // "Autokalibracja DC"/"WZM" and "STOP".
    void startAutomatic(const AutoCalibrationSettings& settings);
    void stopAutomatic();
    // True when the window may close now; otherwise closed follows once the exchange in flight
    // has ended.
    bool requestClose();

Q_SIGNALS:
    // A frame under "kalibracja" was decoded, its means taken and its samples analysed.
    void frameAnalysed();
    // The coefficients were read, sent or changed by an automatic calibration.
    void coefficientsChanged();
    // The automatic calibration is over: the button shows its start caption again.
    void automaticEnded();
    // A text for the plain message box: the end of an automatic calibration, or why a
    // coefficient was left as it was or could not be sent.
    void messageBoxRequested(const QString& text);
    void fixedRangeChanged(bool fixed);
    // The step's command was answered (Send, Read, StoreInEeprom, FixRange, BackToAutoRange).
    void stepDone(int step);
    // The link gave the conversation up: the recorder did not answer.
    void givenUp();
    // Closed during a transfer and the transfer is over.
    void closed();

private:
    void registerRoutes();
    void onFrame();
    void continueLoop();
    void iterateDc();
    void iterateGain();
    void finishAutomatic(const QString& message);
    void returnToAutoRange();
    // The 0x12 data of the set; none, with the reason shown, when the block cannot carry it.
    std::optional<QByteArray> encodedSet();
    // Sends the set under the step; false when it cannot be encoded.
    bool sendSet(int step);
    void replaceLoopWith(int step, const QByteArray& payload);
    void onFinished(const link::Operation& outstanding);
    QString finishText(const char* dcOrGain) const;

    link::RecorderLink& m_link;
    CalibrationSet& m_set;
    const config::ConfigurationModel& m_model;
    live::LiveStore& m_store;
    std::array<double, ChannelCount> m_means{};
    AutoCalibrationSettings m_settings;
    bool m_looping = false;
    bool m_automatic = false;
    bool m_rangeFixed = false;
};

} // namespace kapstat::calib
