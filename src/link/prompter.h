#pragma once

#include <QObject>
#include <QString>

namespace kapstat::link {

// Buttons of the message window, as a bit set.
namespace PromptButton {
inline constexpr int Close = 1; // "Zamknij"
inline constexpr int Abort = 2; // "Przerwij"
inline constexpr int No = 4;    // "Nie"
inline constexpr int Yes = 8;   // "Tak"
} // namespace PromptButton

// What a modal question returns: the message window's modal results.
enum class PromptAnswer
{
    None = 0,
    Close = 2,
    Yes = 6,
    No = 7
};

// The program-wide message window. seconds: 0 stays until replaced, -1 stays with "Zamknij",
// more than 0 closes itself after that many seconds.
class Prompter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Shows the text modally and returns the answer.
    virtual PromptAnswer ask(const QString& text, int seconds, int buttons) = 0;
    // Shows the text without waiting; replaces any message shown.
    virtual void show(const QString& text, int seconds, int buttons) = 0;
    // Replaces the text of the open window; shows it sticky with "Przerwij" when none is open.
    virtual void updateText(const QString& text) = 0;
    virtual void close() = 0;
    virtual bool isShown() const = 0;
    // How far a long operation has got; a window may show it as a bar, others ignore it.
    virtual void showProgress(int done, int total)
    {
        Q_UNUSED(done);
        Q_UNUSED(total);
    }

Q_SIGNALS:
    // "Przerwij" pressed: a download should stop at its next record.
    void abortRequested();
};

} // namespace kapstat::link
