#include "calib/calibrationconversation.h"

#include "calib/calibrationblock.h"
#include "config/configurationmodel.h"
#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"
#include "live/sampleanalysis.h"

#include <QStringList>
#include <numeric>

namespace kapstat::calib {

namespace {

using link::OperationName;
using link::ResponseBytes;
namespace Command = link::Command;

constexpr int ShortMessageSeconds = 1;
constexpr int LongMessageSeconds = 3;
const char* const ChannelNames[] = {"UL1", "UL2", "UL3", "IL1", "IL2", "IL3"};

QByteArray command(quint8 code, const QByteArray& data = {})
{
    return link::framecodec::payload(code, data);
}

QByteArray rangeCommand(quint8 code)
{
    return command(Command::SetRange, QByteArray(1, static_cast<char>(code)));
}

} // namespace

CalibrationConversation::CalibrationConversation(link::RecorderLink& link, CalibrationSet& set,
                                                 const config::ConfigurationModel& model,
                                                 live::LiveStore& store, QObject* parent)
    : QObject(parent), m_link(link), m_set(set), m_model(model), m_store(store)
{
    registerRoutes();
}

// The rows of the dispatch table that belong to the calibration.
void CalibrationConversation::registerRoutes()
{
    link::ResponseRouter& router = m_link.router();
    auto on = [&router](quint8 code, int step, auto handler) {
        router.on(code, OperationName::Kalibracja, step,
                  [handler](const ResponseBytes&, const link::Operation&) { handler(); });
    };
    router.on(Command::InstantFrame, OperationName::Kalibracja,
              [this](const ResponseBytes&, const link::Operation&) { onFrame(); });
    on(Command::SetRange, Automatic, [this] {
        if (!sendSet(Automatic))
            returnToAutoRange();
    });
    on(Command::SetRange, BackToAutoRange, [this] {
        continueLoop();
        Q_EMIT stepDone(BackToAutoRange);
    });
    on(Command::SetRange, FixRange, [this] {
        m_link.prompter().show(m_rangeFixed ? tr("Wzmocnienie zablokowane")
                                            : tr("Wzmocnienie automatyczne"),
                               ShortMessageSeconds, 0);
        continueLoop();
        Q_EMIT stepDone(FixRange);
    });
    // The acknowledgement of 0x12 is the recorder's whatever asked; the step tells what follows.
    auto onAnswerTo = [&router](quint8 code, int step, auto handler) {
        router.onStep(code, step,
                      [handler](const ResponseBytes&, const link::Operation&) { handler(); });
    };
    router.onCode(Command::WriteCalibration, [this](const ResponseBytes&, const link::Operation&) {
        Q_EMIT coefficientsChanged();
    });
    onAnswerTo(Command::WriteCalibration, Send, [this] {
        m_link.prompter().show(tr("Wysłano współczynniki kalibracji"), ShortMessageSeconds, 0);
        continueLoop();
        Q_EMIT stepDone(Send);
    });
    onAnswerTo(Command::WriteCalibration, Automatic, [this] {
        m_link.send({OperationName::Kalibracja, Automatic}, command(Command::InstantFrame));
    });
    onAnswerTo(Command::WriteCalibration, BackToAutoRange, [this] { returnToAutoRange(); });
    router.on(Command::ReadCalibration, OperationName::Kalibracja,
              [this](const ResponseBytes&, const link::Operation&) {
                  Q_EMIT coefficientsChanged();
                  m_link.prompter().show(tr("Odebrano współczynniki kalibracji"),
                                         ShortMessageSeconds, 0);
                  continueLoop();
                  Q_EMIT stepDone(Read);
              });
    router.onCode(Command::StoreCalibration, [this](const ResponseBytes&, const link::Operation&) {
        m_link.prompter().show(tr("Współczynniki kalibracji przepisano poprawnie do EEPROMU."),
                               LongMessageSeconds, 0);
        continueLoop();
        Q_EMIT stepDone(StoreInEeprom);
    });
    router.onFinish(OperationName::Kalibracja,
                    [this](const link::Operation& outstanding) { onFinished(outstanding); });
}

void CalibrationConversation::startLoop()
{
    m_looping = true;
    continueLoop();
}

void CalibrationConversation::continueLoop()
{
    if (m_looping)
        m_link.send({OperationName::Kalibracja, Frames}, command(Command::InstantFrame));
}

void CalibrationConversation::replaceLoopWith(int step, const QByteArray& payload)
{
    m_link.requestAbort();
    m_link.send({OperationName::Kalibracja, step}, payload);
}

void CalibrationConversation::readCoefficients()
{
    replaceLoopWith(Read, command(Command::ReadCalibration));
}

void CalibrationConversation::sendCoefficients()
{
    if (const auto data = encodedSet())
        replaceLoopWith(Send, command(Command::WriteCalibration, *data));
}

void CalibrationConversation::storeInEeprom()
{
    replaceLoopWith(StoreInEeprom, command(Command::StoreCalibration));
}

void CalibrationConversation::toggleFixedRange(int rangeEntry)
{
    m_rangeFixed = !m_rangeFixed;
    Q_EMIT fixedRangeChanged(m_rangeFixed);
    replaceLoopWith(FixRange,
                    rangeCommand(m_rangeFixed ? rangeCode(rangeEntry) : AutomaticRangeCode));
}

void CalibrationConversation::startAutomatic(const AutoCalibrationSettings& settings)
{
    m_settings = settings;
    m_automatic = true;
    replaceLoopWith(Automatic, rangeCommand(rangeCode(settings.selection.rangeEntry)));
}

void CalibrationConversation::stopAutomatic()
{
    m_link.prompter().show(tr("Kalibracja przerwana! Wracam do automatycznej zmiany zakresu"),
                           LongMessageSeconds, 0);
    m_link.requestAbort();
    returnToAutoRange();
}

void CalibrationConversation::returnToAutoRange()
{
    m_automatic = false;
    Q_EMIT automaticEnded();
    if (m_rangeFixed) {
        m_rangeFixed = false;
        Q_EMIT fixedRangeChanged(false);
    }
    m_link.send({OperationName::Kalibracja, BackToAutoRange}, rangeCommand(AutomaticRangeCode));
}

bool CalibrationConversation::requestClose()
{
    m_looping = false;
    if (m_automatic) {
        // The automatic calibration's next command (a fixed range, new coefficients) must not go
        // out after the window has closed: it would leave the recorder on a fixed range.
        m_link.dropDeferredCommand();
        m_automatic = false;
        Q_EMIT automaticEnded();
    }
    return m_link.abortForClosing({OperationName::Kalibracja, Closing});
}

void CalibrationConversation::onFinished(const link::Operation& outstanding)
{
    if (outstanding.step == Closing) {
        m_link.prompter().close();
        Q_EMIT closed();
        return;
    }
    // A command replaces the exchange that ended: the conversation goes on with it.
    if (m_link.hasDeferredCommand())
        return;
    m_looping = false;
    if (m_automatic) {
        // The automatic calibration's next command (a fixed range, new coefficients) must not go
        // out after the window has closed: it would leave the recorder on a fixed range.
        m_link.dropDeferredCommand();
        m_automatic = false;
        Q_EMIT automaticEnded();
    }
    Q_EMIT givenUp();
}

void CalibrationConversation::onFrame()
{
    for (int c = 0; c < ChannelCount; ++c)
        m_means[c] =
            std::accumulate(m_store.raw[c].begin(), m_store.raw[c].end(), 0.0) / live::SampleCount;
    live::analyseSamples(m_store, m_model.configuration().measuringSystem, m_store.licznik,
                         m_store.imax);
    Q_EMIT frameAnalysed();
    if (m_link.outstanding().step == Automatic && m_automatic) {
        if (m_settings.selection.mode == CalibrationMode::Dc)
            iterateDc();
        else
            iterateGain();
        return;
    }
    continueLoop();
}

QString CalibrationConversation::finishText(const char* dcOrGain) const
{
    const QString range = QString::number(m_settings.selection.rangeEntry);
    if (m_settings.selection.transducer == Transducer::Loop)
        return tr("Kalibracja %1 zakresu %2 PĘTLI zakonczona!").arg(QLatin1String(dcOrGain), range);
    // The gain message has no space before "zakonczona!".
    return QLatin1String(dcOrGain) == QLatin1String("DC")
               ? tr("Kalibracja DC zakresu %1 zakonczona!").arg(range)
               : tr("Kalibracja WZM zakresu %1zakonczona!").arg(range);
}

void CalibrationConversation::iterateDc()
{
    bool finished = true;
    for (int c = 0; c < ChannelCount; ++c)
        finished = finished && (!m_settings.ticked[c] || isDcDone(m_means[c]));
    if (finished) {
        finishAutomatic(finishText("DC"));
        return;
    }
    const CalibrationSet sent = m_set;
    for (int c = 0; c < ChannelCount; ++c)
        if (m_settings.ticked[c] && !isDcDone(m_means[c]))
            m_set.dcOffset[c][m_settings.selection.slotOf(c)] += dcOffsetStep(m_means[c]);
    if (!sendSet(Automatic)) {
        // The offsets stay as the recorder has them.
        m_set = sent;
        returnToAutoRange();
    }
    Q_EMIT coefficientsChanged();
}

void CalibrationConversation::iterateGain()
{
    QStringList messages;
    for (int c = 0; c < ChannelCount; ++c) {
        if (!m_settings.ticked[c])
            continue;
        const int slot = m_settings.selection.slotOf(c);
        const double setPoint = c < FirstCurrentChannel ? m_settings.un : m_settings.in;
        const double rms = static_cast<double>(m_store.computedValues[c]);
        const auto gain = calibratedGain(setPoint, m_set.coefficient(c, slot), rms);
        if (!gain) {
            messages << (rms == 0 ? tr("Kanał %1: zmierzona wartość skuteczna wynosi 0. "
                                       "Współczynnik wzmocnienia pozostawiono bez zmian.")
                                  : tr("Kanał %1: nowy współczynnik wzmocnienia nie jest dodatni "
                                       "albo nie mieści się w pięciu cyfrach. Współczynnik "
                                       "pozostawiono bez zmian."))
                            .arg(QLatin1String(ChannelNames[c]));
            continue;
        }
        m_set.gainMantissa[c][slot] = gain->mantissa;
        m_set.gainExponent[c][slot] = gain->exponent;
    }
    Q_EMIT coefficientsChanged();
    if (!sendSet(BackToAutoRange)) {
        returnToAutoRange();
        return;
    }
    messages << finishText("WZM");
    Q_EMIT messageBoxRequested(messages.join(QLatin1Char('\n')));
}

void CalibrationConversation::finishAutomatic(const QString& message)
{
    Q_EMIT messageBoxRequested(message);
    returnToAutoRange();
}

// Nothing goes out that the recorder would take for another value: a DC offset beyond a signed
// byte or a gain beyond five digits stops the sending with the reason.
std::optional<QByteArray> CalibrationConversation::encodedSet()
{
    const auto encoded = calibrationblock::encode(m_set, QDate::currentDate());
    if (!encoded.error.isEmpty()) {
        Q_EMIT messageBoxRequested(encoded.error + tr(" Nie wysłano współczynników kalibracji."));
        return std::nullopt;
    }
    if (encoded.overflow) {
        Q_EMIT messageBoxRequested(tr("Przepelnienie!\nPrzesunięcie DC musi leżeć w zakresie "
                                      "-127..127. Nie wysłano współczynników kalibracji."));
        return std::nullopt;
    }
    return encoded.data;
}

bool CalibrationConversation::sendSet(int step)
{
    const auto data = encodedSet();
    if (data)
        m_link.send({OperationName::Kalibracja, step}, command(Command::WriteCalibration, *data));
    return data.has_value();
}

} // namespace kapstat::calib
