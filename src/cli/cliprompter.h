#pragma once

#include "link/prompter.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace kapstat::cli {

// The message window of the command line: texts go to stderr; questions are answered by policy.
// "Powtórzyć próbę komunikacji?" is answered "Tak" at most retryRounds times per operation, other
// yes/no questions "Tak" only with --yes.
class CliPrompter : public link::Prompter
{
    Q_OBJECT

public:
    CliPrompter(int retryRounds, bool yes, QObject* parent = nullptr);

    link::PromptAnswer ask(const QString& text, int seconds, int buttons) override;
    void show(const QString& text, int seconds, int buttons) override;
    void updateText(const QString& text) override;
    void close() override { m_shown = false; }
    bool isShown() const override { return m_shown; }

    // A new operation starts with its full allowance of retry rounds.
    void startOperation() { m_retriesUsed = 0; }
    // The command itself stands for "Tak" to this question.
    void answerYesTo(const QString& question) { m_preAnswered = question; }
    // Whether a question was answered "Nie": the command was stopped, not failed.
    bool wasRefused() const { return m_refused; }

private:
    link::PromptAnswer decide(const QString& text, int buttons);
    void print(const QString& text);

    QTextStream m_err;
    int m_retryRounds;
    bool m_yes;
    int m_retriesUsed = 0;
    bool m_refused = false;
    bool m_shown = false;
    QString m_lastPrinted;
    QString m_preAnswered;
    QElapsedTimer m_sinceProgress;
};

} // namespace kapstat::cli
