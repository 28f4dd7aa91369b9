#include "config/configurationtransfer.h"

#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/imageencoder.h"
#include "config/sendchecks.h"
#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"

namespace kapstat::config {

namespace {

using link::Command::ReadCalibration;
using link::Command::ReadConfiguration;
using link::Command::WriteConfiguration;
using link::OperationName::Konfiguracja;

constexpr int ResultSeconds = 3;
constexpr int UntilClosed = -1;

// Steps of "konfiguracja".
constexpr link::Operation Reading{Konfiguracja, 1};
constexpr link::Operation Writing{Konfiguracja, 2};
constexpr link::Operation Closing{Konfiguracja, 3};
constexpr link::Operation ReadingCalibration{Konfiguracja, 4};

} // namespace

ConfigurationTransfer::ConfigurationTransfer(link::RecorderLink& link, ConfigurationModel& model,
                                             ConfigurationReader& reader,
                                             const calib::CalibrationSet& calibration,
                                             QObject* parent)
    : QObject(parent), m_link(link), m_model(model), m_calibration(calibration)
{
    registerRows();
    connect(&reader, &ConfigurationReader::imageDamaged, this,
            [this](const link::Operation& outstanding) {
                if (outstanding.name == Konfiguracja)
                    Q_EMIT finished(Outcome::Failed, ConfigurationReader::damagedMessage());
            });
}

void ConfigurationTransfer::registerRows()
{
    link::ResponseRouter& router = m_link.router();
    router.on(ReadCalibration, Konfiguracja, ReadingCalibration.step,
              [this](const link::ResponseBytes&, const link::Operation&) { buildAndSend(); });
    router.onCode(WriteConfiguration, [this](const link::ResponseBytes&, const link::Operation&) {
        showResult(Outcome::Done, tr("Konfiguracja dotarła do rejestratora."));
    });
    router.on(ReadConfiguration, Konfiguracja,
              [this](const link::ResponseBytes&, const link::Operation&) {
                  showResult(Outcome::Done, tr("Odczytano konfigurację rejestratora."));
              });
    router.onFinish(Konfiguracja, Reading.step, [this](const link::Operation&) {
        showResult(Outcome::Failed, tr("Wystąpił błąd! Konfiguracja nie została odebrana!"));
    });
    for (const int step : {Writing.step, ReadingCalibration.step})
        router.onFinish(Konfiguracja, step, [this](const link::Operation&) {
            showResult(Outcome::Failed, tr("Wystąpił błąd! Konfiguracja mogła nie zostać poprawnie "
                                           "przesłana do rejestratora!"));
        });
    router.onFinish(Konfiguracja, Closing.step, [this](const link::Operation&) {
        m_link.prompter().close();
        Q_EMIT closeEditorRequested();
    });
}

void ConfigurationTransfer::send()
{
    const RecorderConfiguration& configuration = m_model.configuration();
    // A value that cannot be written stops the send before anything goes to the recorder.
    if (const auto error = imageencoder::valueError(configuration)) {
        stopSend(*error);
        return;
    }
    if (const auto warning = sendchecks::capacityWarning(configuration))
        Q_EMIT informationRequested(*warning);
    const auto answer = m_link.prompter().ask(tr("Czy na pewno wysłać ustawienia do rejestratora?"),
                                              0, link::PromptButton::Yes | link::PromptButton::No);
    if (answer != link::PromptAnswer::Yes) {
        Q_EMIT finished(Outcome::Cancelled, {});
        return;
    }
    m_link.send(ReadingCalibration, link::framecodec::payload(ReadCalibration));
}

void ConfigurationTransfer::receive()
{
    m_link.send(Reading, link::framecodec::payload(ReadConfiguration));
}

bool ConfigurationTransfer::requestClose()
{
    if (!m_link.isBusy())
        return true;
    m_link.setOutstanding(Closing);
    m_link.requestAbort();
    m_link.prompter().show(tr("Proszę czekać na zakończenie transmisji..."), 0, 0);
    return false;
}

void ConfigurationTransfer::buildAndSend()
{
    m_link.setPending(Writing);
    m_model.alignVtSecondariesForEventRecording();
    const ImageBuild build = imageencoder::build(m_model.configuration(), m_calibration);
    if (!build.ok()) {
        stopSend(build.error);
        return;
    }
    if (const auto verdict = sendchecks::verdict(m_model.configuration(), build)) {
        if (verdict->stopsSend) {
            stopSend(verdict->message);
            return;
        }
        m_link.prompter().ask(verdict->message, UntilClosed, 0);
    }
    m_link.send(Writing, link::framecodec::payload(WriteConfiguration, build.image));
}

void ConfigurationTransfer::stopSend(const QString& message)
{
    m_link.prompter().ask(message, UntilClosed, 0);
    Q_EMIT finished(Outcome::Failed, message);
}

void ConfigurationTransfer::showResult(Outcome outcome, const QString& message)
{
    m_link.prompter().show(message, ResultSeconds, 0);
    Q_EMIT finished(outcome, message);
}

} // namespace kapstat::config
