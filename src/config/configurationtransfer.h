#pragma once

#include <QObject>
#include <QString>

namespace kapstat::calib {
struct CalibrationSet;
}
namespace kapstat::link {
class RecorderLink;
}

namespace kapstat::config {

class ConfigurationModel;
class ConfigurationReader;

// Sending the configuration to the recorder ("Wyślij") and reading it back ("Odbierz").
// Sending reads the calibration block first: the image's event thresholds are in the
// converter counts of this recorder.
class ConfigurationTransfer : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Done,
        Failed,
        Cancelled
    };
    Q_ENUM(Outcome)

    ConfigurationTransfer(link::RecorderLink& link, ConfigurationModel& model,
                          ConfigurationReader& reader, const calib::CalibrationSet& calibration,
                          QObject* parent = nullptr);

    void send();
    void receive();
    // The editor's close guard: false while an exchange is in flight; the editor is then asked
    // to close (closeEditorRequested) once the link has given the exchange up.
    bool requestClose();

Q_SIGNALS:
    // A warning for the plain information box (one OK button); emitted before the question, and
    // the send goes on when the slot returns.
    void informationRequested(const QString& text);
    // message: what the message window showed last, empty when the user cancelled.
    void finished(kapstat::config::ConfigurationTransfer::Outcome outcome, const QString& message);
    void closeEditorRequested();

private:
    void registerRows();
    void buildAndSend();
    // A modal message that stays until closed, then the end of the send.
    void stopSend(const QString& message);
    void showResult(Outcome outcome, const QString& message);

    link::RecorderLink& m_link;
    ConfigurationModel& m_model;
    const calib::CalibrationSet& m_calibration;
};

} // namespace kapstat::config
