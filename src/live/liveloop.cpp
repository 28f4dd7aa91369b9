#include "live/liveloop.h"

#include "config/configurationmodel.h"
#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"
#include "live/sampleanalysis.h"

namespace kapstat::live {

namespace {

using link::OperationName;
using link::Command::InstantFrame;
using link::Command::ReadConfiguration;

constexpr int FrameStep = 1;
constexpr int FirstFrameStep = 2;
constexpr int ClosingStep = 3;

} // namespace

LiveLoop::LiveLoop(link::RecorderLink& link, const config::ConfigurationModel& model,
                   LiveStore& store, QObject* parent)
    : QObject(parent), m_link(link)
{
    link::ResponseRouter& router = link.router();
    router.on(ReadConfiguration, OperationName::Chwila,
              [this, &model](const link::ResponseBytes&, const link::Operation&) {
                  m_system = model.configuration().measuringSystem;
                  Q_EMIT systemRead(m_system);
                  requestFrame(FirstFrameStep);
              });
    router.on(InstantFrame, OperationName::Chwila,
              [this, &store](const link::ResponseBytes&, const link::Operation&) {
                  analyseSamples(store, m_system, store.licznik, store.imax);
                  Q_EMIT frameAnalysed();
                  if (m_running)
                      requestFrame(FrameStep);
              });
    router.onFinish(OperationName::Chwila, [this](const link::Operation& outstanding) {
        m_running = false;
        if (outstanding.step == ClosingStep)
            m_link.prompter().close();
        Q_EMIT finished();
    });
}

void LiveLoop::start()
{
    m_running = true;
    m_link.send({OperationName::Chwila, FrameStep}, link::framecodec::payload(ReadConfiguration));
}

void LiveLoop::requestFrame(int step)
{
    m_link.send({OperationName::Chwila, step}, link::framecodec::payload(InstantFrame));
}

bool LiveLoop::requestClose()
{
    m_running = false;
    return m_link.abortForClosing({OperationName::Chwila, ClosingStep});
}

} // namespace kapstat::live
