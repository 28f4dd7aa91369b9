#include "cli/cliprompter.h"

#include <cstdio>

namespace kapstat::cli {

using link::PromptAnswer;
namespace PromptButton = link::PromptButton;

namespace {
constexpr qint64 ProgressIntervalMs = 250;
}

CliPrompter::CliPrompter(int retryRounds, bool yes, QObject* parent)
    : Prompter(parent), m_err(stderr), m_retryRounds(retryRounds), m_yes(yes)
{
}

PromptAnswer CliPrompter::ask(const QString& text, int seconds, int buttons)
{
    Q_UNUSED(seconds);
    print(text);
    const PromptAnswer answer = decide(text, buttons);
    if (answer == PromptAnswer::Yes)
        print(QStringLiteral("→ Tak"));
    else if (answer == PromptAnswer::No)
        print(QStringLiteral("→ Nie"));
    return answer;
}

PromptAnswer CliPrompter::decide(const QString& text, int buttons)
{
    if (!(buttons & PromptButton::Yes))
        return PromptAnswer::Close;
    const bool retryQuestion = text.endsWith(QStringLiteral("Powtórzyć próbę komunikacji?"));
    const bool allowed =
        retryQuestion ? m_retriesUsed < m_retryRounds : m_yes || text == m_preAnswered;
    if (retryQuestion && allowed)
        ++m_retriesUsed;
    if (!allowed)
        m_refused = true;
    return allowed ? PromptAnswer::Yes : PromptAnswer::No;
}

void CliPrompter::show(const QString& text, int seconds, int buttons)
{
    m_shown = seconds <= 0 || buttons != 0;
    print(text);
}

void CliPrompter::updateText(const QString& text)
{
    m_shown = true;
    // A download updates its text for every record; a few lines a second are enough to follow.
    if (m_sinceProgress.isValid() && m_sinceProgress.elapsed() < ProgressIntervalMs)
        return;
    m_sinceProgress.start();
    print(text);
}

void CliPrompter::print(const QString& text)
{
    // A progress text repeated by every record is printed once.
    if (text == m_lastPrinted)
        return;
    m_lastPrinted = text;
    m_err << text << Qt::endl;
}

} // namespace kapstat::cli
