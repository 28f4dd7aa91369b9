#include "link/connectconversation.h"

#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"

#include <QCoreApplication>

namespace kapstat::link {

namespace {
constexpr int MessageSeconds = 3;
}

ConnectConversation::ConnectConversation(RecorderLink& link, QObject* parent)
    : QObject(parent), m_link(link)
{
    ResponseRouter& router = link.router();
    router.on(Command::ReadCalibration, OperationName::Nawiazanie, 1,
              [this](const ResponseBytes&, const Operation&) {
                  Q_EMIT recorderActionsEnabled();
                  m_link.send({OperationName::Nawiazanie, 2},
                              framecodec::payload(Command::ReadConfiguration));
              });
    router.on(Command::ReadConfiguration, OperationName::Nawiazanie, 2,
              [this](const ResponseBytes&, const Operation&) {
                  m_link.prompter().show(
                      QCoreApplication::translate("ConnectConversation",
                                                  "Nawiązano komunikację z rejestratorem."),
                      MessageSeconds, 0);
                  Q_EMIT recorderActionsEnabled();
                  Q_EMIT connected();
              });
}

void ConnectConversation::start()
{
    m_link.prompter().show(
        QCoreApplication::translate("ConnectConversation", "Próba komunikacji..."), MessageSeconds,
        0);
    m_link.send({OperationName::Nawiazanie, 1}, framecodec::payload(Command::ReadCalibration));
}

} // namespace kapstat::link
