#include "live/countersloop.h"

#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"
#include "live/counterstext.h"

namespace kapstat::live {

namespace {

using link::OperationName;
using link::Command::InstantFrame;
using link::Command::ReadCounters;

constexpr int FrameStep = 1;
constexpr int CountersStep = 2;
constexpr int ClosingStep = 3;

} // namespace

CountersLoop::CountersLoop(link::RecorderLink& link, const norm::PcCounterSlots& pc,
                           const calib::RangeScale& scale, const LiveStore& store, QObject* parent)
    : QObject(parent), m_link(link)
{
    link::ResponseRouter& router = link.router();
    router.on(InstantFrame, OperationName::Liczniki,
              [this](const link::ResponseBytes&, const link::Operation&) {
                  if (m_running)
                      requestCounters();
              });
    router.onCode(ReadCounters, [this, &pc, &scale, &store](const link::ResponseBytes& response,
                                                            const link::Operation&) {
        Q_EMIT countersShown(CountersText(pc, scale, store.ranges).lines(CountersFrame(response)));
        if (m_running)
            requestCounters();
    });
    router.onFinish(OperationName::Liczniki, [this](const link::Operation& outstanding) {
        m_running = false;
        if (outstanding.step == ClosingStep)
            m_link.prompter().close();
        Q_EMIT finished();
    });
}

void CountersLoop::start()
{
    m_running = true;
    m_link.send({OperationName::Liczniki, FrameStep}, link::framecodec::payload(InstantFrame));
}

void CountersLoop::requestCounters()
{
    m_link.send({OperationName::Liczniki, CountersStep}, link::framecodec::payload(ReadCounters));
}

bool CountersLoop::requestClose()
{
    m_running = false;
    return m_link.abortForClosing({OperationName::Liczniki, ClosingStep});
}

void CountersLoop::setFrozen(bool frozen)
{
    m_link.setHoldResults(frozen);
}

} // namespace kapstat::live
