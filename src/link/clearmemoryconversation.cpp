#include "link/clearmemoryconversation.h"

#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"

#include <QCoreApplication>

namespace kapstat::link {

namespace {
constexpr int MessageSeconds = 3;
}

ClearMemoryConversation::ClearMemoryConversation(RecorderLink& link, QObject* parent)
    : QObject(parent), m_link(link)
{
    link.router().onCode(Command::ClearMemory, [this](const ResponseBytes&, const Operation&) {
        m_link.prompter().show(QCoreApplication::translate("ClearMemoryConversation",
                                                           "Pamięć pomiarów została opróżniona."),
                               MessageSeconds, 0);
        Q_EMIT cleared();
    });
}

QString ClearMemoryConversation::question()
{
    return QCoreApplication::translate("ClearMemoryConversation",
                                       "Czy na pewno opróżnić pamięć pomiarów?");
}

bool ClearMemoryConversation::start()
{
    const PromptAnswer answer =
        m_link.prompter().ask(question(), 0, PromptButton::Yes | PromptButton::No);
    if (answer != PromptAnswer::Yes)
        return false;
    m_link.send({OperationName::Czysc, 1}, framecodec::payload(Command::ClearMemory));
    return true;
}

} // namespace kapstat::link
