#pragma once

#include "link/prompter.h"

#include <QList>
#include <functional>

namespace kapstat::link {

// A message window for tests: remembers every call and answers questions from a script.
class ScriptedPrompter : public Prompter
{
    Q_OBJECT

public:
    struct Call
    {
        QString text;
        int seconds = 0;
        int buttons = 0;
        bool modal = false;
    };

    using Prompter::Prompter;

    PromptAnswer ask(const QString& text, int seconds, int buttons) override;
    void show(const QString& text, int seconds, int buttons) override;
    void updateText(const QString& text) override;
    void close() override { m_shown = false; }
    bool isShown() const override { return m_shown; }

    // Answers given to the next questions, in order; afterwards the default answer.
    void queueAnswers(const QList<PromptAnswer>& answers) { m_answers.append(answers); }
    void setDefaultAnswer(PromptAnswer answer) { m_default = answer; }
    // Runs while a question is open, as a modal window's event loop would run arrivals.
    void setWhileAsking(std::function<void()> action) { m_whileAsking = std::move(action); }

    const QList<Call>& calls() const { return m_calls; }
    int questionCount() const;
    QString lastText() const { return m_calls.isEmpty() ? QString() : m_calls.last().text; }

private:
    QList<Call> m_calls;
    QList<PromptAnswer> m_answers;
    PromptAnswer m_default = PromptAnswer::No;
    std::function<void()> m_whileAsking;
    bool m_shown = false;
};

} // namespace kapstat::link
