#include "link/scriptedprompter.h"

namespace kapstat::link {

PromptAnswer ScriptedPrompter::ask(const QString& text, int seconds, int buttons)
{
    m_calls.append({text, seconds, buttons, true});
    m_shown = true;
    if (m_whileAsking)
        std::exchange(m_whileAsking, nullptr)();
    m_shown = false;
    return m_answers.isEmpty() ? m_default : m_answers.takeFirst();
}

void ScriptedPrompter::show(const QString& text, int seconds, int buttons)
{
    m_calls.append({text, seconds, buttons, false});
    m_shown = seconds <= 0 || buttons != 0;
}

void ScriptedPrompter::updateText(const QString& text)
{
    // Every text is kept, so that a test sees each step of a progress message.
    if (m_shown)
        m_calls.append({text, m_calls.last().seconds, m_calls.last().buttons, false});
    else
        show(text, 0, PromptButton::Abort);
}

int ScriptedPrompter::questionCount() const
{
    return static_cast<int>(
        std::count_if(m_calls.cbegin(), m_calls.cend(), [](const Call& c) { return c.modal; }));
}

} // namespace kapstat::link
