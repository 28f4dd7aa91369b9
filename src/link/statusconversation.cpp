#include "link/statusconversation.h"

#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/recorderlink.h"
#include "link/timer.h"

namespace kapstat::link {

namespace {

constexpr int PollStep = 1;
constexpr int BatteryStep = 2;
constexpr int ClosingStep = 3;
constexpr int ConfigurationStep = 4;

} // namespace

StatusConversation::StatusConversation(RecorderLink& link, config::ConfigurationReader& reader,
                                       const config::ConfigurationModel& model, Timer& batteryTimer,
                                       QObject* parent)
    : QObject(parent), m_link(link), m_batteryTimer(batteryTimer)
{
    connect(&reader, &config::ConfigurationReader::imageApplied, this,
            [this, &model] { m_system = model.configuration().measuringSystem; });
    connect(&m_batteryTimer, &Timer::timeout, this, [this] {
        m_batteryTimer.stop();
        setBatteries(BatteryReport::prompt());
    });
    registerRows();
}

void StatusConversation::registerRows()
{
    ResponseRouter& router = m_link.router();
    router.on(
        Command::ReadConfiguration, OperationName::Stan,
        [this](const ResponseBytes&, const Operation&) {
            m_link.send({OperationName::Stan, PollStep}, framecodec::payload(Command::ReadStatus));
        });
    // Whoever asked for the status (a download too), the window shows it.
    router.onCode(Command::ReadStatus, [this](const ResponseBytes& response, const Operation&) {
        m_status = RecorderStatus::decode(response, m_system);
        Q_EMIT statusChanged(m_status);
    });
    router.on(Command::ReadStatus, OperationName::Stan,
              [this](const ResponseBytes&, const Operation& outstanding) {
                  if (outstanding.step == PollStep)
                      pollAgainIfPolling();
                  else
                      m_link.finishOperation();
              });
    router.onCode(Command::TestBatteries,
                  [this](const ResponseBytes& response, const Operation& outstanding) {
                      if (outstanding != Operation{OperationName::Stan, BatteryStep}) {
                          m_link.finishOperation();
                          return;
                      }
                      setBatteries(BatteryReport::decode(response));
                      m_batteryTimer.start(BatteryResultMs);
                      pollAgainIfPolling();
                  });
    router.onFinish(OperationName::Stan, ClosingStep,
                    [this](const Operation&) { Q_EMIT closeReady(); });
}

void StatusConversation::start()
{
    m_polling = true;
    m_batteryTimer.stop();
    setBatteries(BatteryReport::prompt());
    // Values of an earlier showing, perhaps of another recorder, are not shown as current.
    m_status = {};
    Q_EMIT statusChanged(m_status);
    m_link.send({OperationName::Stan, ConfigurationStep},
                framecodec::payload(Command::ReadConfiguration));
}

void StatusConversation::pollAgainIfPolling()
{
    if (m_polling)
        m_link.send({OperationName::Stan, PollStep}, framecodec::payload(Command::ReadStatus));
}

void StatusConversation::testBatteries()
{
    // The poll in flight is given up; the test goes out once the link has ended it.
    m_link.setPending({OperationName::Stan, BatteryStep});
    m_link.requestAbort();
    m_link.sendCommand(framecodec::payload(Command::TestBatteries));
}

bool StatusConversation::requestClose()
{
    m_polling = false;
    m_batteryTimer.stop();
    if (!m_link.isBusy())
        return true;
    m_link.requestAbort();
    m_link.setOutstanding({OperationName::Stan, ClosingStep});
    return false;
}

void StatusConversation::setBatteries(const BatteryReport& report)
{
    m_batteries = report;
    Q_EMIT batteriesChanged(m_batteries);
}

} // namespace kapstat::link
